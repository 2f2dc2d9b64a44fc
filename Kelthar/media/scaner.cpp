#include "scaner.h"

#include "icontrolbits.h"
#include "rangefft.h"

namespace
{
// The factory receivers. The custom slots start as copies of the last named model under their own
// names. Speed is an index into the serial speeds the program lists; frequencies are MHz.
const SCANER_MODEL kFactoryModels[IScaner::kModelCount] = {
    {L"IC-R8500", 2, 64, 0.1, 2000.0, 10.0, 10.7, 19.5, 5.0},
    {L"AR-5000", 1, 64, 0.005, 2600.0, 10.0, 10.7, 19.5, 5.0},
    {L"AR-8600", 2, 64, 0.1, 3000.0, 10.0, 10.7, 20.0, 5.0},
    {L"AR-3000A", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
    {L"Custom1", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
    {L"Custom2", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
    {L"Custom3", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
    {L"Custom4", 2, 64, 0.005, 2600.0, 10.0, 10.7, 20.0, 5.0},
};
}  // namespace

CScaner::CScaner(IControlBits* controlBits) : m_controlBits(controlBits)
{
}

void CScaner::Attach(ICalcFft* calculator)
{
    m_rangeFft = dynamic_cast<CRangeFft*>(calculator);
    if (m_rangeFft == nullptr)
        m_receiverMode = ReceiverMode();
}

void CScaner::ResetModels()
{
    for (int index = 0; index < kModelCount; ++index)
        m_models[index] = kFactoryModels[index];
}

bool CScaner::SetModel(int index, const SCANER_MODEL* model)
{
    if (!IsModelIndex(index) || model == nullptr)
        return false;
    m_models[index] = *model;
    return true;
}

bool CScaner::GetModel(int index, SCANER_MODEL* model)
{
    if (!IsModelIndex(index) || model == nullptr)
        return false;
    *model = m_models[index];
    return true;
}

void CScaner::StartFixed(int index)
{
    // Only a corrupt stored model index reaches here out of range.
    if (m_rangeFft == nullptr || !IsModelIndex(index))
        return;
    m_receiverMode.on = true;
    m_receiverMode.freqIfMHz = m_models[index].FreqIF;
    m_receiverMode.bandwidthMHz = m_models[index].FreqBW;
}

void CScaner::StopControl()
{
    m_receiverMode = ReceiverMode();
}

void CScaner::SetFrequency(double freqMHz)
{
    m_controlBits->SetUserByte(kTuneRequest);
    m_controlBits->SetUserDouble(freqMHz);
}

void CScaner::Disable()
{
    m_controlBits->SetUserInt2(kDisableRequest);
}

void CScaner::Enable()
{
    m_controlBits->SetUserInt2(kEnableRequest);
}

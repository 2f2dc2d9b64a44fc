// The GUI side of the acquisition: turning the device thread's raw buffers into the spectra the views
// draw, the level corrections of the input chain, and the point <-> frequency conversions the library's
// analysis objects call back into.

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

namespace
{
// Raw sample units to volts for the oscillograms, before the core's per-channel correction.
constexpr double kSampleScale = 6.25e-05;
// The panorama stores levels plus this, so that an empty slot (0) lies below any real level.
constexpr int kLevelBase = 130;
// The converter bands report levels this far below the main receiver's reference.
constexpr int kConverterReference = 100;
constexpr double kConverterGainDb = kLevelBase - kConverterReference;
// Converter bands up to this offset arrive with their spectrum inverted.
constexpr double kInvertedBandLimitMHz = 7000.0;
// Start of a segment maximum: below any level the engine produces (-170 dB means no signal).
constexpr double kNoLevel = -1000.0;

bool IsRadioType(int type)
{
    return type == 0 || type == 3;
}

bool UsesSkyGain(int type)
{
    return type == 0 || type == 1 || type == 2 || type == 5;
}

bool UsesAcousticGain(int type)
{
    return type == 4 || type == 6;
}

// Truncation toward zero of a computed point index; an infinite or NaN quotient (a zero scan width or
// point count) and values beyond int have no index, and give 0.
int TruncatedIndex(double value)
{
    if (!std::isfinite(value) || value >= static_cast<double>(std::numeric_limits<int>::max()) ||
        value <= static_cast<double>(std::numeric_limits<int>::min()))
        return 0;
    return static_cast<int>(value);
}

// Index of the entry nearest to freqMHz within [first, last); the first of equal distances wins.
int NearestIndex(const std::vector<double>& table, size_t first, size_t last, double freqMHz)
{
    size_t best = first;
    double bestDistance = std::abs(table[first] - freqMHz);
    for (size_t k = first + 1; k < last; ++k)
    {
        const double distance = std::abs(table[k] - freqMHz);
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = k;
        }
    }
    return static_cast<int>(best);
}

void AddToAll(std::vector<double>& values, double offset)
{
    for (double& value : values)
        value += offset;
}

// Each buffer is scaled over its own length: DDC I, Q and audio need not be equally long.
void Scale(std::vector<double>& values, double factor)
{
    for (double& value : values)
        value *= factor;
}
}  // namespace

bool CDeviceThread::FetchData()
{
    // The GUI never waits for the device thread: a busy buffer drops this sweep.
    std::unique_lock<QMutex> lock(g_DataMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return false;
    try
    {
        const bool haveRange = GetRangeSpectrum(m_pRangeFft1, m_pMultiRangeFft1, m_RangeI, m_RangeQ,
                                                m_RangeSpectrum, m_FreqTable, m_ValueTable);
        if (g_Parameters.GetInt("RangePane", "GraphMode", 0) == 1)
            GetRangeSpectrum(m_pRangeFft2, m_pMultiRangeFft2, m_RangeI, m_RangeQ, m_RangeSpectrum2,
                             m_FreqTable, m_ValueTable);
        m_pAdf->SetFetchFlag(false);

        if (haveRange)
        {
            if (m_pGsmAnalysis->IsRunning())
            {
                // The GSM analysis needs the unaveraged spectrum of this very sweep.
                const int previousMode = m_pRangeFft1->SetAveraging(0);
                m_pRangeFft1->Calculate(m_RangeI, m_RangeQ);
                m_pRangeFft1->SetAveraging(previousMode);
                m_pGsmAnalysis->Process(m_pRangeFft1->GetResult());
            }
            m_pAnalysis->AddSpectrum(m_pRangeFft1->GetCorrectionRow(), m_pRangeFft1->GetCorrectionShift());
            CorrectVoltages(m_RangeI);
            CorrectVoltages(m_RangeQ);
            const double rangeScale = kSampleScale * m_pKelthar->GetChannelOscCorr0();
            Scale(m_RangeI, rangeScale);
            Scale(m_RangeQ, rangeScale);
        }

        if (m_bDemodDataReady && !m_DdcI.empty() && !m_DdcQ.empty() && !m_Audio.empty())
            FetchDemodData();
    }
    catch (const std::exception& error)
    {
        qDebug() << "FetchData:" << error.what();
        m_bDataReady = false;
        return false;
    }
    return true;
}

void CDeviceThread::FetchDemodData()
{
    GetDdcData(m_pDdcFft1, m_DdcI[0], m_DdcQ[0], m_DdcSpectrum);
    if (g_Parameters.GetInt("DdcPane", "GraphMode", 0) == 1)
    {
        const size_t blocks = std::min(
            {static_cast<size_t>(std::max(m_pDdcFft2->GetBlockCount(), 0)), m_DdcI.size(), m_DdcQ.size()});
        // The views read the first per-block spectrum unconditionally: keep at least one.
        m_DdcSpectra2.resize(std::max<size_t>(blocks, 1));
        for (size_t b = 0; b < blocks; ++b)
            GetDdcData(m_pDdcFft2, m_DdcI[b], m_DdcQ[b], m_DdcSpectra2[b]);
    }
    GetDemodData(m_pDemodFft1, m_Audio[0], m_DemodSpectrum);
    if (g_Parameters.GetInt("DemodPane", "GraphMode", 0) == 1)
    {
        const size_t blocks =
            std::min(static_cast<size_t>(std::max(m_pDemodFft2->GetBlockCount(), 0)), m_Audio.size());
        m_DemodSpectra2.resize(std::max<size_t>(blocks, 1));
        for (size_t b = 0; b < blocks; ++b)
            GetDemodData(m_pDemodFft2, m_Audio[b], m_DemodSpectra2[b]);
    }

    CorrectVoltages(m_DdcI[0]);
    CorrectVoltages(m_DdcQ[0]);
    CorrectVoltages(m_Audio[0]);
    const double ddcScale = kSampleScale * m_pKelthar->GetChannelOscCorr1();
    Scale(m_DdcI[0], ddcScale);
    Scale(m_DdcQ[0], ddcScale);
    Scale(m_Audio[0], kSampleScale * m_pKelthar->GetChannelOscCorr2());
}

bool CDeviceThread::GetRangeSpectrum(ICalcFft* calc, ICalcMultiFft* multiCalc, const std::vector<double>& i,
                                     const std::vector<double>& q, std::vector<double>& out,
                                     std::vector<double>& freqTable, std::vector<int>& valueTable)
{
    if (i.empty())
    {
        out.clear();
        return false;
    }
    if (m_pMultiAdf->IsEnabled())
    {
        // Each range of a multi-range sweep keeps its own averaging; the point tables stay those of
        // the last single-range spectrum.
        const int range = m_pMultiAdf->GetCurrentRange();
        multiCalc->Calculate(range, i, q);
        out = multiCalc->GetResult(range);
    }
    else
    {
        calc->Calculate(i, q);
        out = calc->GetResult();
        freqTable = calc->GetFreqTable();
        valueTable = calc->GetIntTable();
    }
    PostProcessRangeSpectrum(out, true);
    return true;
}

void CDeviceThread::PostProcessRangeSpectrum(std::vector<double>& spectrum, bool fillLmxPanorama)
{
    CorrectLevels(spectrum);
    if (fillLmxPanorama)
        FillLmxPanorama(spectrum);

    const double offsetMHz = g_FreqOffset;
    if (offsetMHz > 0.0)
    {
        AddToAll(spectrum, kConverterGainDb);
        if (offsetMHz <= kInvertedBandLimitMHz)
            std::reverse(spectrum.begin(), spectrum.end());
    }
}

void CDeviceThread::FillLmxPanorama(const std::vector<double>& spectrum)
{
    LMX2595_STRUCT lmx;
    m_pControlBits->GetLMX2595_Struct(&lmx);
    if (lmx.count == 0)
        return;
    qDebug() << "GetLMX2595_Struct cnt lmx[1]=" << lmx.lmx1 << " lmx[2]=" << lmx.lmx2;
    if (lmx.lmx2 <= 0)
        return;
    // The panorama is cut into as many parts as the converter sweep has steps; this spectrum fills
    // the slots of the current step, one segment maximum per slot.
    const int slotCount = kLmxPanoramaSize / lmx.lmx2;
    if (slotCount <= 0)
        return;
    const int n = static_cast<int>(spectrum.size());
    const double segment = static_cast<double>(n) / slotCount;
    for (int k = 0; k < slotCount; ++k)
    {
        double maximum = kNoLevel;
        for (int j = 0; j < segment; ++j)
        {
            const int offset = static_cast<int>(j + k * segment);
            // The first step's sweep runs downwards in frequency.
            const int index = lmx.count == 1 ? n - 1 - offset : offset;
            if (index >= 0 && index < n)
                maximum = std::max(maximum, spectrum[static_cast<size_t>(index)]);
        }
        const int64_t slot = static_cast<int64_t>(lmx.lmx1) * slotCount + k;
        if (slot >= 0 && slot < kLmxPanoramaSize)
            g_LmxPanorama[slot] = maximum + kLevelBase;
    }
}

bool CDeviceThread::GetRangeSpectrum1(const std::vector<double>& i, const std::vector<double>& q,
                                      std::vector<double>& out, std::vector<double>& freqTable,
                                      std::vector<int>& valueTable)
{
    // Another thread's caller shares the calculators with FetchData: it waits for the buffers' lock.
    std::lock_guard<QMutex> lock(g_DataMutex);
    return GetRangeSpectrum(m_pRangeFft1, m_pMultiRangeFft1, i, q, out, freqTable, valueTable);
}

bool CDeviceThread::GetRangeSpectrum2(const std::vector<double>& i, const std::vector<double>& q,
                                      std::vector<double>& out, std::vector<double>& freqTable,
                                      std::vector<int>& valueTable)
{
    std::lock_guard<QMutex> lock(g_DataMutex);
    return GetRangeSpectrum(m_pRangeFft2, m_pMultiRangeFft2, i, q, out, freqTable, valueTable);
}

bool CDeviceThread::GetDdcData(ICalcFft* calc, const std::vector<double>& i, const std::vector<double>& q,
                               std::vector<double>& out)
{
    if (i.empty())
    {
        out.clear();
        return false;
    }
    calc->Calculate(i, q);
    const std::vector<double>& result = calc->GetResult();
    if (IsRadioType(m_nChannelType) || result.empty())
    {
        out = result;
    }
    else
    {
        // The baseband inputs deliver the spectrum mirrored, with a DC bin in front that is dropped.
        out.assign(result.rbegin(), result.rend() - 1);
    }
    CorrectLevels(out);
    if (g_FreqOffset > 0.0)
        AddToAll(out, kConverterGainDb);
    return true;
}

bool CDeviceThread::GetDemodData(ICalcFft* calc, const std::vector<double>& audio, std::vector<double>& out)
{
    if (audio.empty())
    {
        out.clear();
        return false;
    }
    // Demodulated audio is real: the calculator gets a zero Q of the same length.
    calc->Calculate(audio, std::vector<double>(audio.size(), 0.0));
    out = calc->GetResult();
    CorrectLevels(out);
    return true;
}

void CDeviceThread::CorrectLevels(std::vector<double>& levelsDb)
{
    // The gains are read once: one consistent correction for the whole spectrum.
    const int type = m_nChannelType;
    double offsetDb = 0.0;
    if (IsRadioType(type))
        offsetDb += m_pSky->GetAttenuator();
    if (m_pSky->GetAmplSwitch() != 0)
        offsetDb -= 20.0;
    if (UsesSkyGain(type))
        offsetDb -= m_pSky->GetGainDb();
    if (UsesAcousticGain(type))
    {
        offsetDb -= m_pAcoustic->GetGainDb();
        if (type == 4)
            offsetDb -= m_pDla->GetGainDb();
    }
    AddToAll(levelsDb, offsetDb);
}

void CDeviceThread::CorrectLevel(double* levelDb)
{
    if (levelDb == nullptr)
        return;
    std::vector<double> one{*levelDb};
    CorrectLevels(one);
    *levelDb = one[0];
}

void CDeviceThread::CorrectVoltages(std::vector<double>& values)
{
    const int type = m_nChannelType;
    double divisor = 1.0;
    if (UsesSkyGain(type))
        divisor *= m_pSky->GetGainScale();
    if (UsesAcousticGain(type))
        divisor *= m_pAcoustic->GetGainScale();
    if (type == 4)
        divisor *= m_pDla->GetGainScale();
    // A zero scale is no gain information at all: the samples stay as the device gave them.
    if (divisor == 0.0)
        return;
    for (double& value : values)
        value /= divisor;
}

const std::vector<double>* CDeviceThread::GetAnalysisSpectrum()
{
    int shift = 0;
    const std::vector<double>& average = m_pAnalysis->GetAverage(&shift);
    if (shift != 0)
        return &average;
    // Deliberate: the threshold trace is corrected inside the analysis object, whose vector is not
    // const (only its getter is). Call once per AddSpectrum, or the correction is applied twice.
    CorrectLevels(const_cast<std::vector<double>&>(average));
    return &average;
}

double CDeviceThread::IndexToFreq(int index)
{
    double freqMHz = 0.0;
    if (index >= 0 && static_cast<size_t>(index) < m_FreqTable.size())
        freqMHz = m_FreqTable[static_cast<size_t>(index)];
    // A zero entry (or no table yet) means the calculator gives no frequency: the scan range does.
    if (freqMHz == 0.0)
    {
        freqMHz = GetScanStep() * index;
        if (m_pAdf->IsEnabled())
        {
            freqMHz += m_pAdf->GetStartFreq();
            if (m_pAdf->GetMinFreq() > freqMHz)
                return 0.0;
        }
    }
    const double offsetMHz = g_FreqOffset;
    if (offsetMHz > 0.0)
        freqMHz += offsetMHz;
    return freqMHz;
}

int CDeviceThread::GetValue(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_ValueTable.size())
        return 0;
    return m_ValueTable[static_cast<size_t>(index)];
}

int CDeviceThread::FreqToIndex(double freqMHz)
{
    if (!m_FreqTable.empty() && m_FreqTable[0] != 0.0)
        return NearestIndex(m_FreqTable, 0, m_FreqTable.size(), freqMHz);
    return ScanFreqToIndex(freqMHz);
}

int CDeviceThread::ScanFreqToIndex(double freqMHz)
{
    if (m_pAdf->IsEnabled())
        freqMHz -= m_pAdf->GetStartFreq();
    return TruncatedIndex(freqMHz / GetScanStep());
}

std::vector<int32_t> CDeviceThread::FreqToIndices(double freqMHz)
{
    if (m_FreqTable.empty() || m_FreqTable[0] == 0.0)
        return {ScanFreqToIndex(freqMHz)};
    // A multi-range sweep lays its ranges one after the other, each ascending: one index per range.
    std::vector<int32_t> indices;
    size_t runStart = 0;
    for (size_t k = 1; k <= m_FreqTable.size(); ++k)
    {
        if (k == m_FreqTable.size() || m_FreqTable[k] < m_FreqTable[k - 1])
        {
            indices.push_back(NearestIndex(m_FreqTable, runStart, k, freqMHz));
            runStart = k;
        }
    }
    return indices;
}

double CDeviceThread::DdcBinWidthMHz()
{
    const int points = m_pDdcFft1->GetPointCount();
    if (points <= 0)
        return 0.0;
    return m_pControlBits->GetSampleRate(-1) / 1e6 / points;
}

int32_t CDeviceThread::DdcFreqToIndex(double freqMHz)
{
    const double lowerMHz = (m_pControlBits->GetTuneFreq() - m_pControlBits->GetSampleRate(-1) * 0.5) / 1e6;
    return TruncatedIndex((freqMHz - lowerMHz) / DdcBinWidthMHz());
}

int32_t CDeviceThread::DemodFreqToIndex(double freqMHz)
{
    // The demodulator pane uses the DDC calculator's bin width too.
    return TruncatedIndex(freqMHz / DdcBinWidthMHz());
}

double CDeviceThread::GetScanStep()
{
    const int points = m_pAdf->GetNumberGarms();
    if (points <= 0)
        return 0.0;
    return (m_pAdf->GetStopFreq() - m_pAdf->GetStartFreq()) / points;
}

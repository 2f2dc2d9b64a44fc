#pragma once

#include <array>

#include "iscaner.h"

class CRangeFft;
class IControlBits;

// The external scanning receivers: eight model records (four named factory models and four custom
// slots), the range calculator's mode that analyses a receiver's IF output, and the tuning and on/off
// requests, which the control bits carry to the hardware. Made new for each request; the caller owns
// it, and it must not outlive the core whose control bits it was given.
//
// The range calculator has no IF analysis of its own: while the receiver mode is on, the scanner keeps
// the model's IF and bandwidth for it. Without an attached range calculator the mode stays off.
class CScaner : public IScaner
{
public:
    // The IF analysis that StartFixed asked of the attached range calculator (MHz).
    struct ReceiverMode
    {
        bool on = false;
        double freqIfMHz = 0.0;
        double bandwidthMHz = 0.0;
    };

    // The requests SetFrequency, Disable and Enable leave in the control bits.
    static constexpr uint8_t kTuneRequest = 1;
    static constexpr int kDisableRequest = 1;
    static constexpr int kEnableRequest = 2;

    explicit CScaner(IControlBits* controlBits);
    CScaner(const CScaner&) = delete;
    CScaner& operator=(const CScaner&) = delete;

    void Attach(ICalcFft* calculator) override;
    void ResetModels() override;
    bool SetModel(int index, const SCANER_MODEL* model) override;
    bool GetModel(int index, SCANER_MODEL* model) override;
    void StartFixed(int index) override;
    void StopControl() override;
    void SetFrequency(double freqMHz) override;
    void Disable() override;
    void Enable() override;

    // Null unless a range calculator was attached.
    CRangeFft* GetAttached() const { return m_rangeFft; }
    const ReceiverMode& GetReceiverMode() const { return m_receiverMode; }

private:
    static bool IsModelIndex(int index) { return index >= 0 && index < kModelCount; }

    CRangeFft* m_rangeFft = nullptr;
    IControlBits* m_controlBits;
    std::array<SCANER_MODEL, kModelCount> m_models;
    ReceiverMode m_receiverMode;
};

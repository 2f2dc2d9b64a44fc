#pragma once

#include <cstdint>
#include <vector>

#include "cfft.h"
#include "icommonfft.h"

class IControlBits;

// What every FFT calculator shares: the operator's settings (window, averaging, correction, on/off),
// the engine that produces its spectrum and the vectors it hands its results out in. The setters only
// mark a pending reset, which the next calculation applies to the engine: 1 when the window changed
// (the averaged history is kept), 2 when the averaging or the size changed (the history starts again
// at -170 dB); a later window change never lowers a 2. The kinds of calculator add Calculate and Init.
// No lock inside: the program's data mutex keeps calculations and result reads apart.
class CCommonFft : public virtual ICommonFft
{
public:
    enum PendingReset
    {
        kNoReset = 0,
        kKeepHistory = 1,
        kClearHistory = 2,
    };
    // What a reset brings an engine to: indexes into the program's window and averaging lists.
    struct Settings
    {
        int window = 6;     // "Hanning"
        int averaging = 3;  // "x8"
    };

    // controlBits may be null (the engine then does the arithmetic alone). The construction settings
    // are pending: they reach the engine at the first calculation.
    explicit CCommonFft(IControlBits* controlBits);

    int SetAveraging(int mode) override;
    int SetWindow(int type) override;
    int SetCorrection(double value, int index) override;
    const std::vector<double>& GetResult() override;
    std::vector<double>& GetCorrectionRow() override;
    int GetCorrectionShift() override;
    const std::vector<double>& GetFreqTable() override;
    const std::vector<int>& GetIntTable() override;
    int GetPointCount() override;
    // A power of two from 2 to 2^24; other sizes are ignored. The engine takes it at the next calculation.
    void SetFftSize(int n) override;
    int GetFftSize() override;
    int GetAveraging() override;
    int GetWindow() override;
    bool GetOctaveLevels(bool thirdOctave, double maxFreq, std::vector<OCTAVE_LEVEL>& out) override;
    void SetEnabled(bool on) override;
    int GetBlockCount() override;

    // For the library and tests.
    const CCfft& Engine() const { return m_engine; }
    int GetPendingReset() const { return m_pending; }
    bool IsEnabled() const { return m_enabled; }
    const Settings& GetSettings() const { return m_settings; }

protected:
    // Sizes the calculator for its kind (Init): transform length, points kept, engine mode and rate
    // index (0: the first half of the transform; 1: all of it, centred). Schedules a full reset.
    void Configure(int fftSize, int pointCount, int mode, uint8_t rateIndex);
    // Brings `engine` to `settings` when `pending` asks for it, and clears `pending`.
    static void ApplyPendingReset(CCfft& engine, const Settings& settings, int& pending);
    // The own engine's pending reset, with a size change made by SetFftSize.
    void ApplyOwnPendingReset();
    // One plain calculation: the pending reset, then one transform of the first GetFftSize() samples.
    void CalculateOnce(const std::vector<double>& i, const std::vector<double>& q);
    // Told the code of every reset the setters schedule; a calculator running more engines passes it on.
    virtual void PassOnPendingReset(int code) { (void)code; }
    // `out` becomes the first `points` values of the engine's published spectrum (-170 dB past its end).
    static void CopyPublished(const CCfft& engine, int points, std::vector<double>& out);

    IControlBits* const m_controlBits;
    CCfft m_engine;
    Settings m_settings;
    int m_pending = kClearHistory;
    bool m_enabled = true;

private:
    void SchedulePendingReset(int code);

    // Always 1: nothing changes it, and the program loops over this many blocks.
    int m_blockCount = 1;
    int m_correctionShift = 0;
    std::vector<double> m_correctionRow;
    int m_fftSize;
    int m_pointCount;
    std::vector<double> m_result;
    std::vector<double> m_freqTable;
    std::vector<int> m_intTable;
};

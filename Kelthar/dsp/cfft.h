#pragma once

#include <memory>
#include <vector>

#include "fftdevicelink.h"
#include "fftdevicestate.h"
#include "fftzoom.h"
#include "radix2fft.h"
#include "spectrumaverager.h"

class IControlBits;

// The library's spectrum engine. It windows a capture of complex samples, transforms it, converts the
// bins to calibrated dB (20 log10 of an eighth of the magnitude, plus the window and channel
// corrections, minus 170; an exact zero reads -170) and averages successive spectra. Range engines also
// cut a long-scan capture into the synthesizer's blocks and stitch them, and centred spectra are zoomed
// onto the part that matters. Every FFT calculator runs one engine per spectrum it produces.
// Sizes, window and averaging are applied by SetSize and Reset. A transform allocates nothing once the
// sizes are known, except once for what a path needs the first time it runs (a block length's tables,
// the zoom and stitching scratch rows, the tables of a 32768-point spectrum).
class CCfft
{
public:
    enum Mode
    {
        kRangeMode = 0,
        kDdcMode = 1,
        kDemodMode = 2,
    };
    // What a transform did.
    enum class Outcome
    {
        // The input was shorter than the transform: nothing changed.
        kSkipped,
        // The spectrum went into the maximum hold only (hold modes restart and accumulate); the
        // published row is left alone.
        kHeld,
        // The spectrum was averaged and the result published.
        kPublished,
        // The spectrum was averaged, but while the control state holds known ranges a 32768-point
        // spectrum is published by the known-range layout: the published row and the tables are untouched.
        kKnownRanges,
    };
    static constexpr double kFloorDb = CSpectrumAverager::kFloorDb;
    static constexpr int kDefaultSize = 32768;
    static constexpr int kAveragingModeCount = 11;

    // controlBits may be null: the engine then transforms every capture as one block, with no level
    // correction and no zoom bounds (the arithmetic alone).
    explicit CCfft(IControlBits* controlBits);

    // Transform length (a power of two) and number of output bins (1 .. fftSize); everything is
    // reallocated and the spectra start at -170 dB. Invalid sizes return false and change nothing.
    bool SetSize(int fftSize, int resultSize);
    int GetFftSize() const { return m_fftSize; }
    int GetResultSize() const { return m_resultSize; }
    // 0 range, 1 DDC, 2 demodulator; other values are ignored.
    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    // Not 0: the result covers the whole transform with its halves exchanged, and the zooms apply.
    void SetRateIndex(int rateIndex) { m_rateIndex = rateIndex; }
    int GetRateIndex() const { return m_rateIndex; }
    // Set by the range stage while the control state holds known ranges.
    void SetKnownRangesMode(bool on) { m_knownRangesMode = on; }
    bool IsKnownRangesMode() const { return m_knownRangesMode; }
    // For the known-range layout: while knownRangesMode is set, the capture holds one LO step of this
    // many points per 61 MHz capture, and is transformed step by step (each step centred on its own when
    // the rate index is not 0) with no zoom, so the result holds the steps' spectra side by side. 0 (the
    // default), or a length that is not a power of two dividing the transform, keeps the whole capture
    // as one block.
    void SetKnownRangeBlockLength(int length) { m_knownRangeBlockLength = length; }
    int GetKnownRangeBlockLength() const { return m_knownRangeBlockLength; }

    // Window type 0..10 of the program's window list, applied at the next Reset. Other types leave the
    // window as it is (with no correction).
    void SetWindowType(int type) { m_windowType = type; }
    int GetWindowType() const { return m_windowType; }
    // Entry 0..10 of the program's averaging list ("Instant" .. "Peak x32"), applied at the next Reset.
    void SetAveragingMode(int mode);
    // Rebuilds the window and applies the averaging; clearHistory also puts result, hold and history
    // back to -170 dB.
    void Reset(bool clearHistory);
    // 0 off, 1 restart the maximum hold, 2 accumulate into it, 3 average the hold in place of the spectrum.
    void SetHoldMode(int mode) { m_averager.SetHoldMode(mode); }

    // One capture: i and q hold at least GetFftSize() samples. Reads the control state first.
    Outcome Transform(const std::vector<double>& i, const std::vector<double>& q);
    // The same with the control state given, for callers (and tests) that have it already.
    Outcome Transform(const std::vector<double>& i, const std::vector<double>& q,
                      const FftDeviceState& state);

    // The averaged spectrum, GetResultSize() values in dB.
    const std::vector<double>& GetResult() const { return m_averager.Result(); }
    // The spectrum the calculators hand out: the averaged one as of the last published transform.
    const std::vector<double>& GetPublished() const { return m_published; }
    // Written by the known-range layout in place of the publishing.
    std::vector<double>& GetPublishedRow() { return m_published; }
    // Per-point frequency (MHz, 0 = none) and switch number of a 32768-point spectrum: zeros after
    // every published transform, filled by the known-range layout.
    std::vector<double>& GetFreqTable() { return m_freqTable; }
    std::vector<int>& GetIntTable() { return m_intTable; }
    const std::vector<double>& GetHold() const { return m_averager.Hold(); }
    const std::vector<double>& GetWindow() const { return m_window; }
    double GetWindowCorrection() const { return m_windowCorrection; }
    int GetAveragingKind() const { return m_averager.GetKind(); }
    int GetAveragingDepth() const { return m_averager.GetDepth(); }
    int GetHistoryRows() const { return m_averager.HistoryRows(); }
    // The point count the last transform stored in the synthesizer (after a long scan or the range
    // zoom), -1 when it stored none.
    int GetStoredPointCount() const { return m_storedPointCount; }

private:
    // The window of the type last built, at `length` points.
    void BuildWindow(int length);
    // The windowed transform of every block of the capture into m_re, m_im.
    void TransformBlocks(const std::vector<double>& i, const std::vector<double>& q, int blockLength);
    // dB of the first m_resultSize bins of m_re, m_im, written back into m_re.
    void ConvertToDb(double correctionDb);
    void ZoomCentred(const FftDeviceState& state);
    void StitchLongScan(const FftDeviceState& state, int blocks, int blockLength);

    CFftDeviceLink m_device;
    int m_fftSize = 0;
    int m_resultSize = 0;
    int m_mode = kRangeMode;
    int m_rateIndex = 0;
    bool m_knownRangesMode = false;
    int m_knownRangeBlockLength = 0;
    int m_windowType = 0;
    // The type whose values the window holds, for rebuilding it at another block length.
    int m_windowBuiltType = 0;
    double m_windowCorrection = 0.0;
    int m_avgKind = CSpectrumAverager::kNone;
    int m_avgDepth = 1;
    int m_storedPointCount = -1;

    std::shared_ptr<const CRadix2Fft> m_fft;
    // The tables of the last long-scan block length, kept so a scan does not rebuild them per capture.
    std::shared_ptr<const CRadix2Fft> m_blockFft;
    std::vector<double> m_window;
    std::vector<double> m_re;
    std::vector<double> m_im;
    std::vector<double> m_spare;
    std::vector<double> m_published;
    std::vector<double> m_freqTable;
    std::vector<int> m_intTable;
    CSpectrumAverager m_averager;
    CFftZoom m_zoom;
};

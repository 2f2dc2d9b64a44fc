#include "cfft.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "fftwindow.h"
#include "quasiiqstitch.h"

namespace
{
// Each mode of the program's averaging list as the averager's kind and depth; depth 0 keeps the
// previous depth (peak hold keeps no history).
struct AveragingEntry
{
    int kind;
    int depth;
};
constexpr AveragingEntry kAveragingModes[CCfft::kAveragingModeCount] = {
    {CSpectrumAverager::kInstant, 1},    {CSpectrumAverager::kMean, 2},
    {CSpectrumAverager::kMean, 4},       {CSpectrumAverager::kMean, 8},
    {CSpectrumAverager::kMean, 16},      {CSpectrumAverager::kMean, 32},
    {CSpectrumAverager::kMean, 64},      {CSpectrumAverager::kPeak, 0},
    {CSpectrumAverager::kPeakDecay, 8},  {CSpectrumAverager::kPeakDecay, 16},
    {CSpectrumAverager::kPeakDecay, 32},
};

// The sizes whose centred spectra have a zoom: the DDC and demodulator spectra, and the range spectrum.
constexpr int kCentredDdcSize = 4096;
constexpr int kCentredRangeSize = 32768;
// One capture of the synthesizer, MHz: the long-scan span is cut into blocks of this width.
constexpr int kCaptureMHz = 61;

// 20 log10 of an eighth: the magnitude scale of the dB conversion.
const double kEighthDb = 20.0 * std::log10(0.125);
}  // namespace

CCfft::CCfft(IControlBits* controlBits) : m_device(controlBits)
{
    SetSize(kDefaultSize, kDefaultSize);
}

bool CCfft::SetSize(int fftSize, int resultSize)
{
    if (!CRadix2Fft::IsValidSize(fftSize) || resultSize < 1 || resultSize > fftSize)
    {
        return false;
    }
    m_fft = CRadix2Fft::Shared(fftSize);
    m_fftSize = fftSize;
    m_resultSize = resultSize;
    const size_t n = static_cast<size_t>(fftSize);
    m_re.assign(n, 0.0);
    m_im.assign(n, 0.0);
    m_published.assign(static_cast<size_t>(resultSize), kFloorDb);
    m_averager.SetSize(resultSize);
    // Until a reset chooses one, the window is the one it last was, at the new length.
    BuildWindow(fftSize);
    return true;
}

void CCfft::SetMode(int mode)
{
    if (mode >= kRangeMode && mode <= kDemodMode)
    {
        m_mode = mode;
    }
}

void CCfft::SetAveragingMode(int mode)
{
    if (mode < 0 || mode >= kAveragingModeCount)
    {
        return;
    }
    m_avgKind = kAveragingModes[mode].kind;
    if (kAveragingModes[mode].depth > 0)
    {
        m_avgDepth = kAveragingModes[mode].depth;
    }
}

void CCfft::Reset(bool clearHistory)
{
    m_windowCorrection = 0.0;
    if (CFftWindow::IsValidType(m_windowType))
    {
        m_windowBuiltType = m_windowType;
        BuildWindow(static_cast<int>(m_window.size()));
        m_windowCorrection = CFftWindow::Correction(m_windowType);
    }
    m_averager.Reset(m_avgKind, m_avgDepth, clearHistory);
}

void CCfft::BuildWindow(int length)
{
    if (!CFftWindow::Fill(m_windowBuiltType, length, m_window))
    {
        m_window.assign(static_cast<size_t>(length), 1.0);
    }
}

CCfft::Outcome CCfft::Transform(const std::vector<double>& i, const std::vector<double>& q)
{
    if (i.size() < static_cast<size_t>(m_fftSize) || q.size() < static_cast<size_t>(m_fftSize))
    {
        return Outcome::kSkipped;
    }
    const FftDeviceState state = m_device.Prepare(m_mode, m_fftSize, m_resultSize, m_knownRangesMode);
    const Outcome outcome = Transform(i, q, state);
    if (m_storedPointCount >= 0)
    {
        m_device.StorePointCount(m_storedPointCount);
    }
    return outcome;
}

CCfft::Outcome CCfft::Transform(const std::vector<double>& i, const std::vector<double>& q,
                                const FftDeviceState& state)
{
    m_storedPointCount = -1;
    if (i.size() < static_cast<size_t>(m_fftSize) || q.size() < static_cast<size_t>(m_fftSize))
    {
        return Outcome::kSkipped;
    }
    const bool longScan = state.longScanBlockLength > 0 && !m_knownRangesMode;
    int blockLength = m_fftSize;
    if (longScan && CRadix2Fft::IsValidSize(state.longScanBlockLength) &&
        state.longScanBlockLength <= m_fftSize)
    {
        blockLength = state.longScanBlockLength;
    }
    // The LO steps of a known-range sweep are transformed one by one for the layout, which also takes
    // the place of the zoom.
    const bool knownRangeSteps = m_knownRangesMode && CRadix2Fft::IsValidSize(m_knownRangeBlockLength) &&
                                 m_knownRangeBlockLength <= m_fftSize;
    if (knownRangeSteps)
    {
        blockLength = m_knownRangeBlockLength;
    }
    const int blocks = m_fftSize / blockLength;

    TransformBlocks(i, q, blockLength);
    if (m_rateIndex != 0)
    {
        // Centre the spectrum of each block: the negative frequencies go first.
        const int half = blockLength / 2;
        for (int b = 0; b < blocks; ++b)
        {
            const size_t base = static_cast<size_t>(b) * blockLength;
            std::swap_ranges(m_re.begin() + base, m_re.begin() + base + half, m_re.begin() + base + half);
            std::swap_ranges(m_im.begin() + base, m_im.begin() + base + half, m_im.begin() + base + half);
        }
    }

    if (longScan)
    {
        // The seams of a long scan are worked on in dB, and its blocks are not windowed for level.
        ConvertToDb(state.levelCorrectionDb);
        StitchLongScan(state, blocks, blockLength);
    }
    else
    {
        if (!knownRangeSteps)
        {
            ZoomCentred(state);
        }
        ConvertToDb(m_windowCorrection + state.levelCorrectionDb);
    }

    if (!m_averager.Add(m_re.data()))
    {
        return Outcome::kHeld;
    }
    if (m_resultSize == kCentredRangeSize)
    {
        if (state.knownRanges)
        {
            return Outcome::kKnownRanges;
        }
        m_freqTable.assign(static_cast<size_t>(kCentredRangeSize), 0.0);
        m_intTable.assign(static_cast<size_t>(kCentredRangeSize), 0);
    }
    m_published = m_averager.Result();
    return Outcome::kPublished;
}

void CCfft::TransformBlocks(const std::vector<double>& i, const std::vector<double>& q, int blockLength)
{
    if (static_cast<int>(m_window.size()) != blockLength)
    {
        BuildWindow(blockLength);
    }
    const CRadix2Fft* fft = m_fft.get();
    if (blockLength != m_fftSize)
    {
        if (!m_blockFft || m_blockFft->Size() != blockLength)
        {
            m_blockFft = CRadix2Fft::Shared(blockLength);
        }
        fft = m_blockFft.get();
    }
    for (int b = 0; b < m_fftSize / blockLength; ++b)
    {
        const size_t base = static_cast<size_t>(b) * blockLength;
        fft->ForwardWindowed(i.data() + base, q.data() + base, m_window.data(), m_re.data() + base,
                             m_im.data() + base);
    }
}

void CCfft::ConvertToDb(double correctionDb)
{
    const double offsetDb = correctionDb - 170.0;
    double* re = m_re.data();
    const double* im = m_im.data();
    for (int k = 0; k < m_resultSize; ++k)
    {
        const double x = re[k];
        const double y = im[k];
        const double power = x * x + y * y;
        if (power >= DBL_MIN && power <= DBL_MAX)
        {
            re[k] = 10.0 * std::log10(power) + kEighthDb + offsetDb;
        }
        else if (x == 0.0 && y == 0.0)
        {
            re[k] = kFloorDb;
        }
        else
        {
            // The square under- or overflows: take the magnitude the long way.
            re[k] = 20.0 * std::log10(std::hypot(x, y) * 0.125) + offsetDb;
        }
    }
}

void CCfft::ZoomCentred(const FftDeviceState& state)
{
    if (m_rateIndex == 0)
    {
        return;
    }
    if (m_resultSize == kCentredDdcSize)
    {
        m_zoom.TrimEnds(m_re, m_im, m_resultSize, state.trimCount);
    }
    else if (m_resultSize == kCentredRangeSize)
    {
        // Spread the scan range, which lies inside one capture, over the whole spectrum.
        m_storedPointCount = kCentredRangeSize;
        m_zoom.KeepRange(m_re, m_im, m_resultSize, state.rangeFirst, state.rangeEnd);
    }
}

void CCfft::StitchLongScan(const FftDeviceState& state, int blocks, int blockLength)
{
    int points = m_resultSize;
    if (state.quasiIq)
    {
        CQuasiIqStitch::Params params;
        params.blocks = blocks;
        params.blockLength = blockLength;
        params.difference = state.quasiIqDiff;
        params.shiftPoints = state.shiftPoints;
        params.gatherStep = state.gatherStep;
        params.gatherOffset = state.gatherOffset;
        if (m_spare.size() < static_cast<size_t>(blockLength))
        {
            m_spare.resize(static_cast<size_t>(blockLength));
        }
        points = CQuasiIqStitch::Run(m_re, m_im, m_spare, params);
    }
    // The spectrum holds `points` points for `blocks` captures of 61 MHz; keep what the scan span covers
    // (product first, then the quotient rounded toward zero).
    const long long product = static_cast<long long>(state.scanSpanMHz) * points;
    const long long divisor = static_cast<long long>(blocks) * kCaptureMHz;
    const int keep =
        static_cast<int>(std::clamp(product / divisor, 0LL, static_cast<long long>(m_resultSize)));
    m_zoom.KeepFirst(m_re, m_im, m_resultSize, keep);
    m_storedPointCount = m_resultSize;
}

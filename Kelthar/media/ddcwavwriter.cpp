#include "ddcwavwriter.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace
{
constexpr int32_t kInt16Max = std::numeric_limits<int16_t>::max();
constexpr int32_t kInt16Min = std::numeric_limits<int16_t>::min();
constexpr int32_t kInt24Max = (1 << 23) - 1;
constexpr int32_t kInt24Min = -(1 << 23);
// Bits dropped when a 24-bit sample goes into a 16-bit field without normalisation.
constexpr int kDroppedBits = 8;
// Peak tracking counts 4 bytes per pair in either sample size.
constexpr int32_t kBytesPerPeakStep = 4;

// Position of the highest set bit of a positive value (0 for the least significant bit).
int TopBit(int32_t value)
{
    int bit = 0;
    while ((value >> 1) > 0)
    {
        value >>= 1;
        ++bit;
    }
    return bit;
}

int32_t Magnitude(int32_t value)
{
    const int64_t magnitude = std::llabs(static_cast<int64_t>(value));
    return static_cast<int32_t>(std::min<int64_t>(magnitude, std::numeric_limits<int32_t>::max()));
}
}  // namespace

CDdcWavWriter::~CDdcWavWriter()
{
    Stop();
}

bool CDdcWavWriter::Start(const std::wstring& path, int rate, bool bits16, bool normalize)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writing.store(false);
    m_file.Close();
    if (rate <= 0)
        return false;

    CWavWriter::Format format;
    format.channels = 2;
    format.samplesPerSecond = static_cast<uint32_t>(rate);
    format.bitsPerSample = bits16 ? 16 : 24;
    format.blockAlign = bits16 ? 4 : 6;
    format.bytesPerSecond = format.blockAlign * format.samplesPerSecond;
    if (!m_file.Open(path, format))
        return false;

    const int64_t period = int64_t{kPeakPeriodSeconds} * format.bytesPerSecond;
    m_period = static_cast<int32_t>(std::min<int64_t>(period, std::numeric_limits<int32_t>::max()));
    m_16bit = bits16;
    m_normalize = normalize;
    m_heldPeak = 0;
    m_runPeak = 0;
    m_byteCount = 0;
    m_writing.store(true);
    return true;
}

bool CDdcWavWriter::IsWriting()
{
    return m_writing.load();
}

void CDdcWavWriter::WriteSample(int32_t i, int32_t q)
{
    if (!m_writing.load(std::memory_order_relaxed))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_file.IsOpen())
        return;
    if (m_16bit && m_normalize)
        TrackPeak(i, q);

    const int32_t left = Scale(i);
    const int32_t right = Scale(q);
    uint8_t frame[6];
    const int bytes = m_16bit ? 2 : 3;
    for (int n = 0; n < bytes; ++n)
    {
        frame[n] = static_cast<uint8_t>(static_cast<uint32_t>(left) >> (8 * n));
        frame[bytes + n] = static_cast<uint8_t>(static_cast<uint32_t>(right) >> (8 * n));
    }
    m_file.WriteFrame(frame);
}

void CDdcWavWriter::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writing.store(false);
    m_file.Close();
}

void CDdcWavWriter::TrackPeak(int32_t i, int32_t q)
{
    const int32_t peak = std::max(Magnitude(i), Magnitude(q));
    m_runPeak = m_byteCount == 0 ? peak : std::max(m_runPeak, peak);
    m_byteCount += kBytesPerPeakStep;
    if (m_byteCount >= m_period)
    {
        m_byteCount = 0;
        m_heldPeak = m_runPeak;
    }
}

int32_t CDdcWavWriter::Scale(int32_t value) const
{
    if (!m_16bit)
        return std::clamp(value, kInt24Min, kInt24Max);
    int shift = kDroppedBits;
    if (m_normalize)
    {
        const int top = m_heldPeak > 0 ? TopBit(m_heldPeak) : 0;
        shift = top > kNormalizedTopBit ? top - kNormalizedTopBit : 0;
    }
    // Arithmetic shifts: negative samples keep their sign.
    return std::clamp(value >> shift, kInt16Min, kInt16Max);
}

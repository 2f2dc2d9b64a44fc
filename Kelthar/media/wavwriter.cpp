#include "wavwriter.h"

#include <algorithm>
#include <cstring>

#include "textcodec.h"

namespace
{
constexpr uint32_t kFormatChunkBytes = 16;
// The RIFF size counts everything after its own field: "WAVE", the format chunk and the data header.
constexpr uint32_t kRiffOverhead = 36;
constexpr long kRiffSizeAt = 4;
constexpr long kDataSizeAt = 40;
constexpr uint64_t kLargestRiffSize = 0xFFFFFFFFull;

void Put16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    for (int n = 0; n < 4; ++n)
        at[n] = static_cast<uint8_t>(value >> (8 * n));
}

// Data bytes the header can count for `frames` frames: whole frames only, never beyond the fields.
uint32_t CountedDataBytes(const CWavWriter::Format& format, uint64_t frames)
{
    const uint64_t bytes = static_cast<uint64_t>(format.blockAlign) * frames;
    const uint64_t largest = kLargestRiffSize - kRiffOverhead;
    if (bytes <= largest || format.blockAlign == 0)
        return static_cast<uint32_t>(std::min(bytes, largest));
    return static_cast<uint32_t>(largest - largest % format.blockAlign);
}

bool WriteAt(std::FILE* file, long offset, uint32_t value)
{
    uint8_t bytes[4];
    Put32(bytes, value);
    return std::fseek(file, offset, SEEK_SET) == 0 &&
           std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
}
}  // namespace

CWavWriter::Header CWavWriter::MakeHeader(const Format& format, uint64_t frames)
{
    const uint32_t dataBytes = CountedDataBytes(format, frames);
    Header header{};
    uint8_t* at = header.data();
    std::memcpy(at, "RIFF", 4);
    Put32(at + 4, dataBytes + kRiffOverhead);
    std::memcpy(at + 8, "WAVEfmt ", 8);
    Put32(at + 16, kFormatChunkBytes);
    Put16(at + 20, format.formatTag);
    Put16(at + 22, format.channels);
    Put32(at + 24, format.samplesPerSecond);
    Put32(at + 28, format.bytesPerSecond);
    Put16(at + 32, format.blockAlign);
    Put16(at + 34, format.bitsPerSample);
    std::memcpy(at + 36, "data", 4);
    Put32(at + 40, dataBytes);
    return header;
}

CWavWriter::~CWavWriter()
{
    Close();
}

bool CWavWriter::Open(const std::wstring& path, const Format& format)
{
    Close();
    if (format.blockAlign == 0)
        return false;
    std::FILE* file = std::fopen(kplatform::WideToUtf8(path).c_str(), "wb");
    if (file == nullptr)
        return false;
    // The sizes stay 0 until the file is closed.
    Header header = MakeHeader(format, 0);
    Put32(header.data() + kRiffSizeAt, 0);
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size())
    {
        std::fclose(file);
        return false;
    }
    m_file = file;
    m_format = format;
    m_frames = 0;
    return true;
}

bool CWavWriter::WriteFrame(const uint8_t* frame)
{
    if (m_file == nullptr)
        return false;
    if (std::fwrite(frame, 1, m_format.blockAlign, m_file) != m_format.blockAlign)
        return false;
    ++m_frames;
    return true;
}

bool CWavWriter::Close()
{
    if (m_file == nullptr)
        return false;
    const uint32_t dataBytes = CountedDataBytes(m_format, m_frames);
    bool written =
        WriteAt(m_file, kRiffSizeAt, dataBytes + kRiffOverhead) && WriteAt(m_file, kDataSizeAt, dataBytes);
    written = std::fclose(m_file) == 0 && written;
    m_file = nullptr;
    return written;
}

#include "wavreader.h"

#include <algorithm>
#include <cstring>

#include "textcodec.h"

namespace
{
uint16_t Get16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint32_t Get32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

bool ReadBytes(std::FILE* file, uint8_t* to, size_t count)
{
    return std::fread(to, 1, count, file) == count;
}

// Walks the stream one byte at a time from where it stands to just past the four-letter tag.
bool FindTag(std::FILE* file, const char* tag)
{
    uint8_t window[4] = {0, 0, 0, 0};
    int seen = 0;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    {
        std::memmove(window, window + 1, 3);
        window[3] = static_cast<uint8_t>(c);
        if (++seen >= 4 && std::memcmp(window, tag, 4) == 0)
            return true;
    }
    return false;
}

bool Playable(const CWavReader::Format& format)
{
    const uint16_t bits = format.bitsPerSample;
    return format.formatTag == 1 && format.channels >= 1 && format.channels <= 2 &&
           format.samplesPerSecond >= 1 && format.samplesPerSecond <= CWavReader::kMaxRateHz &&
           (bits == 8 || bits == 16 || bits == 24 || bits == 32) &&
           format.blockAlign == format.channels * (bits / 8);
}

int16_t Decode(const uint8_t* at, uint16_t bits)
{
    switch (bits)
    {
        case 8:
            return static_cast<int16_t>((at[0] - 128) * 256);
        case 16:
            return static_cast<int16_t>(Get16(at));
        case 24:
            return static_cast<int16_t>(Get16(at + 1));
        default:
            return static_cast<int16_t>(Get16(at + 2));
    }
}

void Put16(uint8_t* at, int16_t value)
{
    const auto bits = static_cast<uint16_t>(value);
    at[0] = static_cast<uint8_t>(bits);
    at[1] = static_cast<uint8_t>(bits >> 8);
}
}  // namespace

CWavReader::~CWavReader()
{
    Close();
}

bool CWavReader::ReadHeader(std::FILE* file, Format& format, uint32_t& dataBytes)
{
    uint8_t riff[4];
    if (std::fseek(file, 0, SEEK_SET) != 0 || !ReadBytes(file, riff, 4) || std::memcmp(riff, "RIFF", 4) != 0)
        return false;
    // The RIFF size and "WAVE" are not checked: the chunks are found by their tags.
    if (std::fseek(file, 12, SEEK_SET) != 0 || !FindTag(file, "fmt "))
        return false;
    uint8_t fields[20];  // the chunk size, then the format
    if (!ReadBytes(file, fields, sizeof fields))
        return false;
    Format read;
    read.formatTag = Get16(&fields[4]);
    read.channels = Get16(&fields[6]);
    read.samplesPerSecond = Get32(&fields[8]);
    read.bytesPerSecond = Get32(&fields[12]);
    read.blockAlign = Get16(&fields[16]);
    read.bitsPerSample = Get16(&fields[18]);
    if (!Playable(read) || !FindTag(file, "data"))
        return false;
    uint8_t size[4];
    if (!ReadBytes(file, size, 4))
        return false;
    const long at = std::ftell(file);
    if (at < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return false;
    const long end = std::ftell(file);
    if (end < at || std::fseek(file, at, SEEK_SET) != 0)
        return false;
    // A data size beyond the end of the file (a recording that was never closed, a cut copy) plays what
    // is there.
    const uint32_t bytes =
        static_cast<uint32_t>(std::min<uint64_t>(Get32(size), static_cast<uint64_t>(end - at)));
    format = read;
    dataBytes = bytes - bytes % read.blockAlign;
    return true;
}

bool CWavReader::Open(const std::wstring& path)
{
    Close();
    std::FILE* file = std::fopen(kplatform::WideToUtf8(path).c_str(), "rb");
    return file != nullptr && Open(file);
}

bool CWavReader::Open(std::FILE* file)
{
    Close();
    if (file == nullptr)
        return false;
    Format format;
    uint32_t dataBytes = 0;
    if (!ReadHeader(file, format, dataBytes))
    {
        std::fclose(file);
        return false;
    }
    m_file = file;
    m_format = format;
    m_dataBytes = dataBytes;
    m_readBytes = 0;
    return true;
}

size_t CWavReader::ReadFrames(size_t maxFrames, std::vector<uint8_t>& out)
{
    if (m_file == nullptr)
        return 0;
    const size_t align = m_format.blockAlign;
    const size_t frames = std::min<size_t>(maxFrames, (m_dataBytes - m_readBytes) / align);
    std::vector<uint8_t> raw(frames * align);
    const size_t got = std::fread(raw.data(), 1, raw.size(), m_file) / align;
    m_readBytes += static_cast<uint32_t>(got * align);
    const size_t sampleBytes = m_format.bitsPerSample / 8;
    out.reserve(out.size() + got * 4);
    for (size_t n = 0; n < got; ++n)
    {
        const uint8_t* frame = &raw[n * align];
        const int16_t left = Decode(frame, m_format.bitsPerSample);
        const int16_t right =
            m_format.channels == 2 ? Decode(frame + sampleBytes, m_format.bitsPerSample) : left;
        uint8_t bytes[4];
        Put16(bytes, left);
        Put16(bytes + 2, right);
        out.insert(out.end(), bytes, bytes + 4);
    }
    return got;
}

void CWavReader::Close()
{
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    m_dataBytes = 0;
    m_readBytes = 0;
}

#include "recordingfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "textcodec.h"

namespace
{
void PutU32(uint8_t* at, uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        at[k] = static_cast<uint8_t>(value >> (8 * k));
}

void PutU64(uint8_t* at, uint64_t value)
{
    for (int k = 0; k < 8; ++k)
        at[k] = static_cast<uint8_t>(value >> (8 * k));
}

void PutF64(uint8_t* at, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU64(at, bits);
}

uint32_t GetU32(const uint8_t* at)
{
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | at[k];
    return value;
}

uint64_t GetU64(const uint8_t* at)
{
    uint64_t value = 0;
    for (int k = 7; k >= 0; --k)
        value = (value << 8) | at[k];
    return value;
}

double GetF64(const uint8_t* at)
{
    const uint64_t bits = GetU64(at);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const char* ModeText(CRecordingFile::Mode mode)
{
    switch (mode)
    {
        case CRecordingFile::Mode::Read:
            return "rb";
        case CRecordingFile::Mode::Update:
            return "r+b";
        case CRecordingFile::Mode::Create:
            return "wb";
    }
    return "rb";
}
}  // namespace

CRecordingFile::~CRecordingFile()
{
    Close();
}

bool CRecordingFile::Open(const std::wstring& path, Mode mode)
{
    Close();
    if (path.empty())
        return false;
    m_file = std::fopen(kplatform::WideToUtf8(path).c_str(), ModeText(mode));
    return m_file != nullptr;
}

bool CRecordingFile::Close()
{
    if (m_file == nullptr)
        return true;
    const bool flushed = std::fflush(m_file) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return flushed && closed;
}

bool CRecordingFile::Flush()
{
    return m_file != nullptr && std::fflush(m_file) == 0;
}

int64_t CRecordingFile::Position() const
{
    if (m_file == nullptr)
        return -1;
    return static_cast<int64_t>(ftello(m_file));
}

int64_t CRecordingFile::Size() const
{
    if (m_file == nullptr)
        return -1;
    // Written data may still sit in the stream's buffer; the length includes it.
    if (std::fflush(m_file) != 0)
        return -1;
    struct stat status;
    if (fstat(fileno(m_file), &status) != 0)
        return -1;
    return static_cast<int64_t>(status.st_size);
}

bool CRecordingFile::Seek(int64_t position)
{
    return m_file != nullptr && position >= 0 && fseeko(m_file, static_cast<off_t>(position), SEEK_SET) == 0;
}

bool CRecordingFile::Truncate(int64_t size)
{
    if (m_file == nullptr || size < 0 || std::fflush(m_file) != 0)
        return false;
    if (ftruncate(fileno(m_file), static_cast<off_t>(size)) != 0)
        return false;
    return Seek(size);
}

bool CRecordingFile::ReadExact(void* data, size_t size)
{
    return m_file != nullptr && std::fread(data, 1, size, m_file) == size;
}

bool CRecordingFile::WriteExact(const void* data, size_t size)
{
    return m_file != nullptr && std::fwrite(data, 1, size, m_file) == size;
}

bool CRecordingFile::ReadName(std::wstring& name)
{
    uint8_t length[4];
    if (!ReadExact(length, sizeof length))
        return false;
    const uint32_t units = GetU32(length);
    if (units > kMaxNameUnits)
        return false;
    uint8_t text[2 * kMaxNameUnits];
    if (!ReadExact(text, 2 * size_t{units}))
        return false;
    name = kplatform::Utf16LeToWide(text, 2 * size_t{units});
    return true;
}

bool CRecordingFile::ReadHeader(Header& header)
{
    Header read;
    uint8_t band[16];
    if (!ReadName(read.name) || !ReadExact(band, sizeof band))
        return false;
    read.freqBegin = GetF64(band);
    read.freqEnd = GetF64(band + 8);
    header = read;
    return true;
}

bool CRecordingFile::ReadBlockHeader(BlockHeader& block)
{
    const int64_t position = Position();
    const int64_t size = Size();
    if (position < 0 || size < 0)
        return false;
    const int64_t dataEnd = size - static_cast<int64_t>(kTrailerBytes);
    if (position + static_cast<int64_t>(kBlockHeaderBytes) > dataEnd)
        return false;
    uint8_t bytes[kBlockHeaderBytes];
    if (!ReadExact(bytes, sizeof bytes))
        return false;
    BlockHeader read;
    read.timeMs = static_cast<int64_t>(GetU64(bytes));
    read.tuneFreqHz = GetF64(bytes + 8);
    read.bandwidthIndex = static_cast<int32_t>(GetU32(bytes + 16));
    read.sampleRateHz = GetF64(bytes + 20);
    read.payloadBytes = GetU32(bytes + 28);
    const int64_t payloadEnd = position + static_cast<int64_t>(kBlockHeaderBytes) + read.payloadBytes;
    if (payloadEnd > dataEnd || read.payloadBytes > kMaxBlockBytes)
        return false;
    block = read;
    return true;
}

bool CRecordingFile::ReadPayload(const BlockHeader& block, std::vector<uint8_t>& out)
{
    if (block.payloadBytes > kMaxBlockBytes)
        return false;
    std::vector<uint8_t> payload(block.payloadBytes);
    if (!ReadExact(payload.data(), payload.size()))
        return false;
    if (block.bandwidthIndex <= 1)
    {
        out.swap(payload);
        return true;
    }
    return Unpack(payload.data(), payload.size(), out);
}

bool CRecordingFile::ReadTrailer(int64_t& durationS)
{
    const int64_t position = Position();
    const int64_t size = Size();
    if (position < 0 || size < static_cast<int64_t>(kTrailerBytes))
        return false;
    uint8_t bytes[kTrailerBytes];
    const bool read = Seek(size - static_cast<int64_t>(kTrailerBytes)) && ReadExact(bytes, sizeof bytes);
    const bool restored = Seek(position);
    if (!read || !restored)
        return false;
    durationS = static_cast<int64_t>(GetU64(bytes));
    return true;
}

bool CRecordingFile::WriteHeader(const Header& header)
{
    const std::vector<uint8_t> name = kplatform::WideToUtf16Le(header.name);
    std::vector<uint8_t> bytes(4 + name.size() + 16);
    PutU32(bytes.data(), static_cast<uint32_t>(name.size() / 2));
    std::memcpy(bytes.data() + 4, name.data(), name.size());
    PutF64(bytes.data() + 4 + name.size(), header.freqBegin);
    PutF64(bytes.data() + 12 + name.size(), header.freqEnd);
    return WriteExact(bytes.data(), bytes.size());
}

bool CRecordingFile::WriteBlock(const BlockHeader& block, const std::vector<uint8_t>& data)
{
    const std::vector<uint8_t> payload = MakePayload(data, block.bandwidthIndex);
    if (payload.size() > kMaxBlockBytes)
        return false;
    uint8_t bytes[kBlockHeaderBytes];
    PutU64(bytes, static_cast<uint64_t>(block.timeMs));
    PutF64(bytes + 8, block.tuneFreqHz);
    PutU32(bytes + 16, static_cast<uint32_t>(block.bandwidthIndex));
    PutF64(bytes + 20, block.sampleRateHz);
    PutU32(bytes + 28, static_cast<uint32_t>(payload.size()));
    return WriteExact(bytes, sizeof bytes) && WriteExact(payload.data(), payload.size());
}

bool CRecordingFile::WriteTrailer(int64_t durationS)
{
    uint8_t bytes[kTrailerBytes];
    PutU64(bytes, static_cast<uint64_t>(durationS));
    return WriteExact(bytes, sizeof bytes);
}

std::vector<uint8_t> CRecordingFile::MakePayload(const std::vector<uint8_t>& data, int32_t bandwidthIndex)
{
    if (bandwidthIndex <= 1 || data.size() <= kPackedRawBytes)
        return data;
    std::vector<uint8_t> payload(data.begin(), data.begin() + kPackedRawBytes);
    // The tail in whole 6-byte groups, the last one filled up with zeros.
    const size_t tail = data.size() - kPackedRawBytes;
    const size_t groups = (tail + kRunDataBytes - 1) / kRunDataBytes;
    auto group = [&](size_t index, uint8_t* out)
    {
        const size_t from = kPackedRawBytes + index * kRunDataBytes;
        for (size_t k = 0; k < kRunDataBytes; ++k)
            out[k] = from + k < data.size() ? data[from + k] : 0;
    };
    uint8_t run[kRunBytes];
    uint8_t next[kRunDataBytes];
    size_t index = 0;
    while (index < groups)
    {
        group(index, run);
        uint32_t count = 1;
        while (index + count < groups && count < kMaxRunCount)
        {
            group(index + count, next);
            if (std::memcmp(next, run, kRunDataBytes) != 0)
                break;
            ++count;
        }
        run[6] = static_cast<uint8_t>(count);
        run[7] = static_cast<uint8_t>(count >> 8);
        payload.insert(payload.end(), run, run + kRunBytes);
        index += count;
    }
    return payload;
}

bool CRecordingFile::Unpack(const uint8_t* payload, size_t size, std::vector<uint8_t>& out)
{
    const size_t raw = std::min(size, kPackedRawBytes);
    // Runs follow for as long as the payload holds complete 8-byte runs; a partial one is ignored.
    const size_t runs = (size - raw) / kRunBytes;
    size_t total = raw;
    for (size_t r = 0; r < runs; ++r)
    {
        const uint8_t* at = payload + raw + r * kRunBytes;
        total += kRunDataBytes * (static_cast<size_t>(at[6]) | (static_cast<size_t>(at[7]) << 8));
        if (total > kMaxBlockBytes)
            return false;
    }
    out.resize(total);
    if (raw > 0)
        std::memcpy(out.data(), payload, raw);
    size_t written = raw;
    for (size_t r = 0; r < runs; ++r)
    {
        const uint8_t* at = payload + raw + r * kRunBytes;
        const size_t bytes = kRunDataBytes * (static_cast<size_t>(at[6]) | (static_cast<size_t>(at[7]) << 8));
        if (bytes == 0)
            continue;
        // One group, then the run doubles by copying what it already holds.
        uint8_t* run = out.data() + written;
        std::memcpy(run, at, kRunDataBytes);
        for (size_t filled = kRunDataBytes; filled < bytes; filled *= 2)
            std::memcpy(run + filled, run, std::min(filled, bytes - filled));
        written += bytes;
    }
    if (runs > 0)
    {
        const size_t fill = out.size() % 8;
        if (fill < kRunDataBytes && std::all_of(out.end() - static_cast<std::ptrdiff_t>(fill), out.end(),
                                                [](uint8_t value) { return value == 0; }))
            out.resize(out.size() - fill);
    }
    return true;
}

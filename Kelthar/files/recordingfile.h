#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One recording file (*.rec) of the device stream, all values little-endian:
//   header:  uint32 name length n (UTF-16 units), the name as UTF-16LE, FreqBegin and FreqEnd (doubles);
//   blocks:  int64 time (ms), double tune frequency (Hz), int32 bandwidth index, double DDC sample rate
//            (Hz), uint32 payload length m, m payload bytes;
//   trailer: int64 duration, whole seconds.
// With a bandwidth index above 1 the payload is packed: the block's first 65537 bytes as they are, then
// runs of 6 data bytes and a uint16 count, the 6 bytes repeated count times.
//
// Every length read from a file is bounded (the name, the payload, the unpacked block), and a block that
// does not fit in front of the trailer is refused, so a damaged file ends playback instead of reading
// beyond what it holds.
class CRecordingFile
{
public:
    static constexpr uint32_t kMaxNameUnits = 64;
    static constexpr size_t kBlockHeaderBytes = 32;
    static constexpr size_t kTrailerBytes = 8;
    static constexpr size_t kPackedRawBytes = 65537;
    static constexpr size_t kRunDataBytes = 6;
    static constexpr size_t kRunBytes = 8;
    static constexpr uint32_t kMaxRunCount = 65535;
    // Larger than any acquisition block: the widest FHSS sweep part plus 700 DDC blocks is about 36 MB.
    static constexpr size_t kMaxBlockBytes = size_t{64} << 20;

    struct Header
    {
        std::wstring name;
        // The recorded band, in the caller's unit.
        double freqBegin = 0.0;
        double freqEnd = 0.0;
    };

    struct BlockHeader
    {
        int64_t timeMs = 0;
        double tuneFreqHz = 0.0;
        int32_t bandwidthIndex = 0;
        double sampleRateHz = 0.0;
        uint32_t payloadBytes = 0;
    };

    enum class Mode
    {
        Read,    // "rb"
        Update,  // "r+b": appending to an existing recording
        Create,  // "wb"
    };

    CRecordingFile() = default;
    ~CRecordingFile();
    CRecordingFile(const CRecordingFile&) = delete;
    CRecordingFile& operator=(const CRecordingFile&) = delete;

    // Any open stream is flushed and closed first. An empty path fails.
    bool Open(const std::wstring& path, Mode mode);
    // Flushes and closes; false when buffered data could not be written.
    bool Close();
    // Hands buffered data to the file; false when it could not be written.
    bool Flush();
    bool IsOpen() const { return m_file != nullptr; }

    // Stream position and file length in bytes; -1 without an open file.
    int64_t Position() const;
    int64_t Size() const;
    bool Seek(int64_t position);
    // Cuts the file to size bytes and puts the stream there.
    bool Truncate(int64_t size);

    // A uint32 length and that many UTF-16LE units; false beyond kMaxNameUnits or on a short read.
    bool ReadName(std::wstring& name);
    bool ReadHeader(Header& header);
    // False when no complete block header lies in front of the trailer, or its payload would run into
    // the trailer or beyond kMaxBlockBytes.
    bool ReadBlockHeader(BlockHeader& block);
    // The payload of the block whose header was just read, unpacked when the bandwidth index is above 1.
    bool ReadPayload(const BlockHeader& block, std::vector<uint8_t>& out);
    // The last 8 bytes as the duration; the stream position is kept.
    bool ReadTrailer(int64_t& durationS);

    bool WriteHeader(const Header& header);
    // The block's payload is packed when its bandwidth index is above 1.
    bool WriteBlock(const BlockHeader& block, const std::vector<uint8_t>& data);
    bool WriteTrailer(int64_t durationS);

    // A block as its payload: unchanged for bandwidth index 0 or 1, else packed. The packed tail is
    // filled up to whole runs with zero bytes.
    static std::vector<uint8_t> MakePayload(const std::vector<uint8_t>& data, int32_t bandwidthIndex);
    // The reverse of the packing. False when the unpacked block would exceed kMaxBlockBytes. The zero
    // bytes that filled the last run are dropped again: acquisition blocks are whole multiples of 8
    // bytes, and the fill is at most 5.
    static bool Unpack(const uint8_t* payload, size_t size, std::vector<uint8_t>& out);

private:
    bool ReadExact(void* data, size_t size);
    bool WriteExact(const void* data, size_t size);

    std::FILE* m_file = nullptr;
};

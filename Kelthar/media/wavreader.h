#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "wavwriter.h"

// Reads a PCM WAV file: the "fmt " and "data" chunks are found by scanning, then the samples are decoded
// by the file's own format into 16-bit stereo frames, the sound output's format.
class CWavReader
{
public:
    using Format = CWavWriter::Format;
    static constexpr uint32_t kMaxRateHz = 384000;

    CWavReader() = default;
    ~CWavReader();
    CWavReader(const CWavReader&) = delete;
    CWavReader& operator=(const CWavReader&) = delete;

    // Scans a stream from its start; true for PCM with 1 or 2 channels of 8, 16, 24 or 32 bits at 1 to
    // 384000 samples per second and a block align that matches. dataBytes is cut to the whole frames the
    // stream holds, and the stream is left at the first data byte.
    static bool ReadHeader(std::FILE* file, Format& format, uint32_t& dataBytes);

    // A file still open is closed first. False, with nothing open, for anything ReadHeader refuses.
    bool Open(const std::wstring& path);
    // The same for a stream already open, which the reader then owns (closed here when refused).
    bool Open(std::FILE* file);
    bool IsOpen() const { return m_file != nullptr; }
    const Format& GetFormat() const { return m_format; }
    // Samples of the data chunk, all channels counted.
    uint32_t GetSampleCount() const { return m_dataBytes / (m_format.bitsPerSample / 8); }
    // Decodes up to maxFrames frames and appends them to out as 16-bit stereo (4 bytes a frame): 8-bit
    // samples are unsigned, wider ones keep their top 16 bits, mono plays on both channels. Returns the
    // frames decoded; 0 at the end of the data.
    size_t ReadFrames(size_t maxFrames, std::vector<uint8_t>& out);
    void Close();

private:
    std::FILE* m_file = nullptr;
    Format m_format;
    uint32_t m_dataBytes = 0;
    uint32_t m_readBytes = 0;
};

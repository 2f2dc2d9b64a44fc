#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes a PCM WAV file: the 44-byte header (RIFF, "WAVEfmt " with a 16-byte format chunk, "data"),
// written with both sizes 0 when the file is created and filled in when it is closed, then whole frames
// appended in the file's format. Sizes are little-endian 32-bit fields: a file that outgrows them keeps
// its frames, and its header covers as many whole frames as the fields can count.
class CWavWriter
{
public:
    struct Format
    {
        uint16_t formatTag = 1;  // PCM
        uint16_t channels = 0;
        uint32_t samplesPerSecond = 0;
        uint32_t bytesPerSecond = 0;
        uint16_t blockAlign = 0;  // bytes per frame
        uint16_t bitsPerSample = 0;
    };

    static constexpr size_t kHeaderBytes = 44;
    using Header = std::array<uint8_t, kHeaderBytes>;

    // The header of a file holding `frames` frames of `format`.
    static Header MakeHeader(const Format& format, uint64_t frames);

    CWavWriter() = default;
    // Closes the file as Close does.
    ~CWavWriter();
    CWavWriter(const CWavWriter&) = delete;
    CWavWriter& operator=(const CWavWriter&) = delete;

    // Creates (or truncates) the file and writes the header with both sizes 0. A file still open is
    // closed first. False, with nothing open, when the file cannot be created, the header cannot be
    // written or the format has no frame size.
    bool Open(const std::wstring& path, const Format& format);
    bool IsOpen() const { return m_file != nullptr; }
    // Appends one frame of blockAlign bytes; false when no file is open or the write fails.
    bool WriteFrame(const uint8_t* frame);
    uint64_t GetFrameCount() const { return m_frames; }
    const Format& GetFormat() const { return m_format; }
    // Fills in the sizes and closes the file. False when the sizes or the file could not be written.
    bool Close();

private:
    std::FILE* m_file = nullptr;
    Format m_format;
    uint64_t m_frames = 0;
};

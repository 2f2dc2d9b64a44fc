// Feeds arbitrary bytes to the WAV reader as a file and checks what it promises: a refused file leaves
// nothing open; an accepted one is PCM the output can play, and decodes to exactly the whole frames its
// data chunk holds, four bytes each, never more than the file has.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "wavreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> copy(data, data + size);
    std::FILE* file = size == 0 ? nullptr : fmemopen(copy.data(), copy.size(), "rb");
    CWavReader reader;
    if (!reader.Open(file))
    {
        if (reader.IsOpen())
            std::abort();
        return 0;
    }
    const CWavReader::Format& format = reader.GetFormat();
    if (format.formatTag != 1 || format.channels < 1 || format.channels > 2 || format.samplesPerSecond == 0 ||
        format.samplesPerSecond > CWavReader::kMaxRateHz ||
        format.blockAlign != format.channels * (format.bitsPerSample / 8))
        std::abort();
    const size_t sampleBytes = format.bitsPerSample / 8;
    if (static_cast<size_t>(reader.GetSampleCount()) * sampleBytes > size)
        std::abort();

    std::vector<uint8_t> out;
    size_t frames = 0;
    for (size_t got = reader.ReadFrames(7, out); got > 0; got = reader.ReadFrames(7, out))
        frames += got;
    if (out.size() != 4 * frames || frames * format.blockAlign != reader.GetSampleCount() * sampleBytes)
        std::abort();
    return 0;
}

// Feeds arbitrary bytes as a recording file (*.rec) to the recorder and checks what it promises: the
// check and the opening agree, playback ends, no block is larger than the bound, and the stream never
// lies beyond the file. The sanitizers catch any read beyond what the file holds.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "recordingfile.h"
#include "signalrecorder.h"
#include "textcodec.h"

namespace
{
const std::string& InputPath()
{
    static const std::string path = []
    {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern =
            std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/fuzz_recording_XXXXXX";
        const int fd = mkstemp(&pattern[0]);
        if (fd < 0)
            std::abort();
        close(fd);
        return pattern;
    }();
    return path;
}

struct RemoveInput
{
    ~RemoveInput() { std::remove(InputPath().c_str()); }
} g_removeInput;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    const std::wstring path = kplatform::Utf8ToWide(InputPath());
    CSignalRecorder recorder(L"adf1");
    RECORDING_FILE_INFO info;
    const bool recording = recorder.CheckRecordingFile(path, info);
    if (info.size != static_cast<int64_t>(size))
        std::abort();
    if (recorder.OpenRecording(path, 0, false) != recording || recorder.IsPlaying() != recording)
        std::abort();

    std::vector<uint8_t> block;
    size_t blocks = 0;
    while (recorder.ReadBlock(block))
    {
        if (block.size() > CRecordingFile::kMaxBlockBytes)
            std::abort();
        if (recorder.GetFilePosition() >
            recorder.GetFileSize() - static_cast<int64_t>(CRecordingFile::kTrailerBytes))
            std::abort();
        // Every block takes at least its 32-byte header.
        if (++blocks > size / CRecordingFile::kBlockHeaderBytes)
            std::abort();
    }
    recorder.StopPlayback();
    return 0;
}

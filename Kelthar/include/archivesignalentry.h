#pragma once

#include <cstdint>
#include <string>

// One signal of the archive, and also one span of a template (templates borrow the record for their
// frequency spans). The field names are those of the archive file. Frequencies are Hz inside the
// archive and MHz inside a template: the analysis blanks template spans against its MHz axis, so a
// template made from archive entries gets converted copies.
struct ARCHIVE_SIGNAL_ENTRY
{
    int32_t Index = -1;      // entry id; -1 asks the archive to assign the next one
    int32_t GroupIndex = 0;  // id of a predefined or user group
    int64_t Timestamp = 0;   // seconds since 1970
    double FreqBegin = 0.0;
    double FreqEnd = 0.0;
    double FreqPeak = 0.0;
    double Level = 0.0;   // dBm; -1.0 = not measured
    double Excess = 0.0;  // dB above the threshold; -1.0 = not measured
    std::wstring Comment;
    std::wstring RangeImageFile;  // image paths; empty = none
    std::wstring DdcImageFile;
    std::wstring DemodImageFile;
    int32_t SignalRecordingNo = -1;   // number in the archive's recording list; -1 = none
    std::wstring SoundRecordingFile;  // empty = none
    int32_t Channel = 0;              // input channel type the signal was seen on
    int32_t Source = 0;  // 0 normal view, 1 analysis, 2 monitoring, 3 pulse detection, 4 device memory
};

#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "memorydirectory.h"

// A record of the image as the window lists it: its index (spectrogram number, or analysis unit with 0
// the manual analysis), where its header starts and the text of its list item.
struct MEMORY_RECORD_ITEM
{
    int index = -1;
    qint64 offset = 0;
    QString text;
};

// One live entry of an analysis's signal table. A value that needs a table the image indexes past is
// not known: its text stays empty and the bandwidth is 0.
struct MEMORY_SIGNAL_ITEM
{
    int index = 0;  // 0..203 in the table
    int flags = 0;
    double freqMHz = 0.0;
    double levelDbm = 0.0;
    double excessDbm = 0.0;  // -1.0 for the manual analysis, which has no reference
    double bandwidthMHz = 0.0;
    QString bandText;  // "NARROW", "WIDE", "EXT.WIDE", or empty when the span row is unknown
    bool red = false;
    bool green = false;
};

// The frequency range a record's name spells out, in whole MHz; 0 and 0 when it names none.
struct MEMORY_FREQ_RANGE
{
    int lowMHz = 0;
    int highMHz = 0;
};

// The analyser's memory image decoded without any widget: records and their captions and names, the
// signal tables, the band and level conversions of a record header, the pattern samples, and the two
// kinds of delete. Every read goes through CMemoryReader, so a damaged image reads as zeros where it
// ends and no table is indexed past its last row.
class CMemoryImage
{
public:
    static constexpr int kHeaderSize = 512;
    static constexpr int kRecordSamples = 256;
    static constexpr int kSignalTableSize = 4096;
    static constexpr int kSignalEntries = 204;
    static constexpr int kSignalEntrySize = 20;
    static constexpr int kNameSize = 21;
    static constexpr uint8_t kLiveTag = 0x74;  // 't'
    static constexpr uint8_t kDeletedTag = 0xCB;
    static constexpr uint8_t kDeletedFlag = 0x08;

    // The caption that precedes a record's name in the list, by the header's input type.
    static QString InputCaption(int inputType);
    // The name at header bytes 32..52, up to the first '}' or NUL.
    static QString RecordName(const QByteArray& header);
    static MEMORY_FREQ_RANGE NameRange(const QByteArray& header);
    // The band a spectrogram record covers, Hz; false when none is shown (mode byte 1) or when the
    // header indexes past a table.
    static bool BandHz(const QByteArray& header, double& bandHz);
    // A raw sample (tenths of a dB) in dBm by the level fields of `header`; false when one of its
    // indexes lies outside its table.
    static bool LevelToDbm(const QByteArray& header, double raw, double& dbm);

    // 512 header bytes from `offset`, zeros beyond the image.
    static QByteArray Header(const QByteArray& image, qint64 offset);
    static qint64 SpectrogramOffset(const MEMORY_DIRECTORY& dir, int index);
    static qint64 AnalysisOffset(const MEMORY_DIRECTORY& dir, int unit);
    static qint64 SignalTableOffset(const MEMORY_DIRECTORY& dir, int unit)
    {
        return AnalysisOffset(dir, unit) + kHeaderSize;
    }

    // The live spectrogram records in record order; records past the image's end are not listed.
    static std::vector<MEMORY_RECORD_ITEM> Spectrograms(const QByteArray& image, const MEMORY_DIRECTORY& dir);
    // The live analyses: the manual one (when stored) with index 0 and text "MANUAL" as given, then
    // the named ones with their position + 1.
    static std::vector<MEMORY_RECORD_ITEM> Analyses(const QByteArray& image, const MEMORY_DIRECTORY& dir,
                                                    const QString& manualText);
    // The header of the last record the listing reads: the last live analysis, or the first live
    // spectrogram when the image has no analysis region (the pattern's levels are converted with it).
    static QByteArray ListingHeader(const QByteArray& image, const MEMORY_DIRECTORY& dir);

    // The 256 samples of the spectrogram record whose header starts at `offset`.
    static std::vector<short> RecordSamples(const QByteArray& image, qint64 offset);
    // The pattern's samples, from 512 bytes after the pattern offset to the image's end; none without
    // a pattern or when the image ends inside its header.
    static std::vector<short> PatternSamples(const QByteArray& image, const MEMORY_DIRECTORY& dir);

    // The 4096-byte signal table of an analysis unit (zeros beyond the image) and how many of its
    // entries lie wholly inside the image.
    static QByteArray SignalTable(const QByteArray& image, const MEMORY_DIRECTORY& dir, int unit);
    static int EntriesInImage(const QByteArray& image, const MEMORY_DIRECTORY& dir, int unit);
    // The live entries among the first `entryCount` of a table.
    static std::vector<MEMORY_SIGNAL_ITEM> Signals(const QByteArray& table, int entryCount, bool manual);

    // Marks the record whose header starts at `offset` deleted; false (and nothing written) when its tag
    // byte lies outside the image.
    static bool DeleteRecord(QByteArray& image, qint64 offset);
    // Sets the deleted flag of table entry `index`; false for an index outside the table.
    static bool FlagSignalDeleted(QByteArray& table, int index);
    // Writes a whole signal table back; false (and nothing written) unless all 4096 bytes fit.
    static bool WriteSignalTable(QByteArray& image, qint64 offset, const QByteArray& table);
};

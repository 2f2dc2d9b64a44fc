#include "memoryimage.h"

#include <algorithm>
#include <array>

#include "memoryreader.h"

namespace
{
// Record header fields, by byte offset.
constexpr int kTag = 0;
constexpr int kInputType = 1;
constexpr int kBandFlag = 16;
constexpr int kModeByte = 27;
constexpr int kSpanCode = 28;
constexpr int kName = 32;
constexpr int kInputSetting = 64;
constexpr int kLevelOffset = 65;
constexpr int kFiveDbLess = 66;
constexpr int kStepE = 67;
constexpr int kStepA = 68;
constexpr int kStepB = 69;
constexpr int kConverter = 70;
constexpr int kStepC = 71;
constexpr int kStepD = 72;
constexpr int kLevelSelector = 73;
constexpr int kSelectorHigh = 74;
constexpr int kColumn3FlagA = 75;
constexpr int kColumn3FlagB = 76;
constexpr int kBand = 80;

// Signal entry fields.
constexpr int kEntryFlags = 0;
constexpr int kEntryFreq = 8;
constexpr int kEntryLevel = 12;
constexpr int kEntryReference = 14;
constexpr int kEntryFirstBin = 16;
constexpr int kEntryLastBin = 18;
constexpr int kEntrySpanRow = 19;

constexpr int kSpanRows = 14;
// The span of a 256-bin record, Hz, and the span used instead with input setting 2.
constexpr std::array<int, kSpanRows> kSpanHz = {10000000, 5000000, 2000000, 1000000, 500000, 200000, 100000,
                                                50000,    20000,   10000,   5000,    2000,   1000,   500};
constexpr std::array<int, kSpanRows> kSecondSpanHz = {30000, 15000, 6000, 3000, 1500, 600, 0,
                                                      0,     0,     0,    0,    0,    0,   0};
// Span codes 0..2 of input setting 0.
constexpr std::array<double, 3> kWideSpanHz = {2048000000.0, 1024000000.0, 512000000.0};
constexpr double kConverterBandHz = 61000000.0;

constexpr int kInputTypes = 10;
constexpr int kSpanCodes = 44;
// A map value of 100 or more stands for row 0; smaller values above 13 lie outside the span table.
constexpr int kFirstRowZeroValue = 100;
constexpr uint8_t kNone = 255;

using SpanMapRow = std::array<uint8_t, kSpanCodes>;

// Fills codes [first, last] with consecutive span rows from `row`.
void Rows(SpanMapRow& map, int first, int last, int row)
{
    for (int code = first; code <= last; ++code)
        map[static_cast<size_t>(code)] = static_cast<uint8_t>(row++);
}

SpanMapRow MapRow(int inputType)
{
    SpanMapRow map;
    map.fill(kNone);
    switch (inputType)
    {
        case 0:
        case 9:
            map[0] = 248;
            map[1] = map[2] = 249;
            map[5] = 99;
            map[6] = 98;
            Rows(map, 7, 20, 0);
            map[22] = 1;
            Rows(map, 23, 30, 4);
            break;
        case 1:
        case 7:
        case 8:
            Rows(map, 0, 13, 0);
            Rows(map, 22, 29, 4);
            break;
        case 2:
            Rows(map, 0, 5, 0);
            Rows(map, 22, 25, 2);
            break;
        case 4:
            Rows(map, 0, 4, 0);
            Rows(map, 22, 25, 3);
            break;
        case 6:
            Rows(map, 0, 3, 2);
            Rows(map, 22, 25, 2);
            break;
        default:  // 3 and 5: no span row at all
            break;
    }
    return map;
}

const std::array<SpanMapRow, kInputTypes>& SpanMap()
{
    static const std::array<SpanMapRow, kInputTypes> map = []
    {
        std::array<SpanMapRow, kInputTypes> rows;
        for (int type = 0; type < kInputTypes; ++type)
            rows[static_cast<size_t>(type)] = MapRow(type);
        return rows;
    }();
    return map;
}

// Input gain, dB: rows by input setting, columns by gain column.
constexpr int kGainRows = 6;
constexpr int kGainColumns = 6;
constexpr int kGain[kGainRows][kGainColumns] = {
    {-193, -129, -133, -152, -179, -143},
    {-176, -130, 0, 0, -162, -162},
    {-178, -135, 0, 0, -178, -178},
    {0, 0, 0, 0, 0, 0},
    {0, -130, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
};
// Amplifier steps in dB (the device's tables also carry a linear factor, which the levels do not use).
constexpr std::array<int, 16> kStepADb = {-5, -2, 1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34, 37, 40};
constexpr std::array<int, 2> kStepBDb = {0, 6};
constexpr std::array<int, 8> kStepCDb = {0, 6, 12, 18, 24, 30, 36, 42};
constexpr std::array<int, 10> kStepDDb = {-14, 0, 20, 26, 29, 32, 35, 38, 41, 44};
constexpr std::array<int, 8> kStepEDb = {0, 0, 6, 14, 20, 26, 34, 40};

template <size_t N>
bool Step(const std::array<int, N>& table, int index, double& db)
{
    if (index < 0 || static_cast<size_t>(index) >= N)
        return false;
    db = table[static_cast<size_t>(index)];
    return true;
}

// The name's bytes up to its terminator, at most 21.
QByteArray NameBytes(const QByteArray& header)
{
    const CMemoryReader h(header);
    QByteArray name;
    for (int i = 0; i < CMemoryImage::kNameSize; ++i)
    {
        const uint8_t c = h.U8(kName + i);
        if (c == 0 || c == '}')
            break;
        name.append(static_cast<char>(c));
    }
    return name;
}

int RangeValue(const QByteArray& text)
{
    bool ok = false;
    double value = text.toDouble(&ok);
    if (!ok)
        return 0;
    // Names give GHz for the microwave inputs.
    if (value < 40.0)
        value *= 1000.0;
    // Truncated toward zero; a value no int holds counts as none.
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int>(value);
}
}  // namespace

QString CMemoryImage::InputCaption(int inputType)
{
    switch (inputType)
    {
        case 0:
            return QStringLiteral("RADIO 30-4400MHz: ");
        case 1:
            return QStringLiteral("WIRE 0.01-30MHz: ");
        case 2:
            return QStringLiteral("ACOUSTO-ELECTRIC 0.01-125kHz: ");
        case 3:
        case 7:
            return QStringLiteral("OPTICAL 770-1600nm: ");
        case 4:
            return QStringLiteral("RADIO 4-18GHz: ");
        case 6:
            return QStringLiteral("WIRE 0.3-15kHz: ");
        case 8:
            return QStringLiteral("RADIO 0.1-30MHz: ");
        case 9:
            return QStringLiteral("WIRE 30-3000MHz: ");
        default:
            return QString();
    }
}

QString CMemoryImage::RecordName(const QByteArray& header)
{
    return QString::fromLatin1(NameBytes(header));
}

MEMORY_FREQ_RANGE CMemoryImage::NameRange(const QByteArray& header)
{
    const QByteArray name = NameBytes(header);
    auto at = [&name](int i) { return i < name.size() ? name[i] : '\0'; };
    QByteArray low;
    QByteArray high;
    bool dash = false;
    for (int pos = 0; pos < kNameSize; ++pos)
    {
        const char c = at(pos);
        if (c == '\0')
            break;
        if (c == ' ')
        {
            // A single space before position 19 starts the next token; two spaces, or a space late in
            // the name, end it.
            if (pos >= 19 || at(pos + 1) == ' ')
                break;
            low.clear();
            high.clear();
            dash = false;
            continue;
        }
        if (c == '-')
            dash = true;
        else
            (dash ? high : low).append(c);
    }
    MEMORY_FREQ_RANGE range;
    if (dash)
    {
        range.lowMHz = RangeValue(low);
        range.highMHz = RangeValue(high);
    }
    return range;
}

bool CMemoryImage::BandHz(const QByteArray& header, double& bandHz)
{
    const CMemoryReader h(header);
    if (h.U8(kModeByte) == 1)
        return false;
    if (h.U8(kBandFlag) != 0)
    {
        // Units of 256 Hz: a full 32-bit count is above 4 GHz, so the product needs 64 bits.
        bandHz = static_cast<double>(static_cast<quint64>(h.U32(kBand)) * 256u);
        return true;
    }
    const int setting = h.U8(kInputSetting);
    const int code = h.U8(kSpanCode);
    if (setting == 0 && h.U8(kLevelSelector) == 3)
    {
        bandHz = kConverterBandHz;
        return true;
    }
    if (setting == 0 && code < static_cast<int>(kWideSpanHz.size()))
    {
        bandHz = kWideSpanHz[static_cast<size_t>(code)];
        return true;
    }
    const int type = h.U8(kInputType);
    if (type >= kInputTypes || code >= kSpanCodes)
        return false;
    int row = SpanMap()[static_cast<size_t>(type)][static_cast<size_t>(code)];
    if (row >= kFirstRowZeroValue)
        row = 0;
    if (row >= kSpanRows)
        return false;
    bandHz = setting == 2 ? kSecondSpanHz[static_cast<size_t>(row)] : kSpanHz[static_cast<size_t>(row)];
    return true;
}

bool CMemoryImage::LevelToDbm(const QByteArray& header, double raw, double& dbm)
{
    const CMemoryReader h(header);
    int column = h.U8(kModeByte);
    if (h.U8(kColumn3FlagA) != 0 || h.U8(kColumn3FlagB) != 0 || h.U8(kLevelSelector) == 3)
        column = 3;
    else if (h.U8(kLevelSelector) == 2)
        column = h.U8(kSelectorHigh) != 0 ? 5 : 4;
    const int setting = h.U8(kInputSetting);
    if (column >= kGainColumns || setting >= kGainRows)
        return false;

    double base = h.U8(kLevelOffset) + kGain[setting][column];
    if (h.U8(kFiveDbLess) != 0)
        base -= 5.0;
    double v = raw / 10.0 + base;
    double step = 0.0;
    if (setting == 2)
    {
        if (!Step(kStepEDb, h.U8(kStepE), step))
            return false;
        v -= step;
    }
    if (setting == 0 || setting == 1)
    {
        if (!Step(kStepADb, h.U8(kStepA), step))
            return false;
        v -= step;
        if (!Step(kStepBDb, h.U8(kStepB), step))
            return false;
        v -= step;
    }
    if (h.U8(kConverter) != 0)
    {
        if (!Step(kStepCDb, h.U8(kStepC), step))
            return false;
        v -= step;
        if (!Step(kStepDDb, h.U8(kStepD), step))
            return false;
        v -= step;
        v -= 3.0;
    }
    dbm = v;
    return true;
}

QByteArray CMemoryImage::Header(const QByteArray& image, qint64 offset)
{
    return CMemoryReader(image).Bytes(offset, kHeaderSize);
}

qint64 CMemoryImage::SpectrogramOffset(const MEMORY_DIRECTORY& dir, int index)
{
    return dir.spectrogramOffset + static_cast<qint64>(CMemoryDirectory::kSpectrogramRecordSize) * index;
}

qint64 CMemoryImage::AnalysisOffset(const MEMORY_DIRECTORY& dir, int unit)
{
    return dir.analysisOffset + static_cast<qint64>(CMemoryDirectory::kAnalysisUnitSize) * unit;
}

std::vector<MEMORY_RECORD_ITEM> CMemoryImage::Spectrograms(const QByteArray& image,
                                                           const MEMORY_DIRECTORY& dir)
{
    const CMemoryReader reader(image);
    std::vector<MEMORY_RECORD_ITEM> items;
    for (int i = 0; i < dir.spectrogramCount; ++i)
    {
        const qint64 offset = SpectrogramOffset(dir, i);
        if (reader.U8(offset + kTag) != kLiveTag)
            continue;
        const QByteArray header = Header(image, offset);
        items.push_back({i, offset, InputCaption(reader.U8(offset + kInputType)) + RecordName(header)});
    }
    return items;
}

std::vector<MEMORY_RECORD_ITEM> CMemoryImage::Analyses(const QByteArray& image, const MEMORY_DIRECTORY& dir,
                                                       const QString& manualText)
{
    std::vector<MEMORY_RECORD_ITEM> items;
    if (dir.analysisOffset == 0)
        return items;
    const CMemoryReader reader(image);
    const qint64 manual = AnalysisOffset(dir, 0);
    if (reader.U8(9) != 0 && reader.U8(manual + kTag) == kLiveTag)
        items.push_back({0, manual, manualText});
    for (int j = 0; j < dir.analysisCount; ++j)
    {
        const qint64 offset = AnalysisOffset(dir, j + 1);
        if (reader.U8(offset + kTag) == kLiveTag)
            items.push_back({j + 1, offset, RecordName(Header(image, offset))});
    }
    return items;
}

QByteArray CMemoryImage::ListingHeader(const QByteArray& image, const MEMORY_DIRECTORY& dir)
{
    const std::vector<MEMORY_RECORD_ITEM> analyses = Analyses(image, dir, QString());
    if (!analyses.empty())
        return Header(image, analyses.back().offset);
    const std::vector<MEMORY_RECORD_ITEM> spectrograms = Spectrograms(image, dir);
    if (!spectrograms.empty())
        return Header(image, spectrograms.front().offset);
    return QByteArray();
}

std::vector<short> CMemoryImage::RecordSamples(const QByteArray& image, qint64 offset)
{
    const CMemoryReader reader(image);
    std::vector<short> samples(kRecordSamples);
    for (int i = 0; i < kRecordSamples; ++i)
        samples[static_cast<size_t>(i)] = reader.I16(offset + kHeaderSize + 2 * i);
    return samples;
}

std::vector<short> CMemoryImage::PatternSamples(const QByteArray& image, const MEMORY_DIRECTORY& dir)
{
    std::vector<short> samples;
    if (dir.patternOffset == 0)
        return samples;
    const qint64 first = static_cast<qint64>(dir.patternOffset) + kHeaderSize;
    if (first >= image.size())
        return samples;
    const CMemoryReader reader(image);
    samples.resize(static_cast<size_t>((image.size() - first) / 2));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = reader.I16(first + 2 * static_cast<qint64>(i));
    return samples;
}

QByteArray CMemoryImage::SignalTable(const QByteArray& image, const MEMORY_DIRECTORY& dir, int unit)
{
    return CMemoryReader(image).Bytes(SignalTableOffset(dir, unit), kSignalTableSize);
}

int CMemoryImage::EntriesInImage(const QByteArray& image, const MEMORY_DIRECTORY& dir, int unit)
{
    const qint64 inside = image.size() - SignalTableOffset(dir, unit);
    if (inside <= 0)
        return 0;
    return static_cast<int>(std::min<qint64>(kSignalEntries, inside / kSignalEntrySize));
}

std::vector<MEMORY_SIGNAL_ITEM> CMemoryImage::Signals(const QByteArray& table, int entryCount, bool manual)
{
    const CMemoryReader reader(table);
    std::vector<MEMORY_SIGNAL_ITEM> items;
    const int count = std::clamp(entryCount, 0, kSignalEntries);
    for (int i = 0; i < count; ++i)
    {
        const qint64 at = static_cast<qint64>(kSignalEntrySize) * i;
        const int flags = reader.U8(at + kEntryFlags);
        if ((flags & 0x0F) != 5)
            continue;
        MEMORY_SIGNAL_ITEM item;
        item.index = i;
        item.flags = flags;
        item.green = (flags & 0x20) != 0;
        item.red = (flags & 0x10) != 0;
        item.freqMHz = reader.U32(at + kEntryFreq) / 1000000.0;
        const int level = reader.I16(at + kEntryLevel);
        item.levelDbm = level / 10.0;
        item.excessDbm = manual ? -1.0 : (level - reader.I16(at + kEntryReference)) / 10.0;
        const int row = reader.U8(at + kEntrySpanRow);
        if (row < kSpanRows)
        {
            const int bins = std::max(1, reader.U8(at + kEntryLastBin) - reader.U8(at + kEntryFirstBin));
            item.bandwidthMHz =
                bins * static_cast<double>(kSpanHz[static_cast<size_t>(row)]) / 256.0 / 1000000.0;
            item.bandText = item.bandwidthMHz < 0.1   ? QStringLiteral("NARROW")
                            : item.bandwidthMHz > 1.0 ? QStringLiteral("EXT.WIDE")
                                                      : QStringLiteral("WIDE");
        }
        items.push_back(item);
    }
    return items;
}

bool CMemoryImage::DeleteRecord(QByteArray& image, qint64 offset)
{
    if (!CMemoryReader(image).Contains(offset + kTag, 1))
        return false;
    image[static_cast<int>(offset + kTag)] = static_cast<char>(kDeletedTag);
    return true;
}

bool CMemoryImage::FlagSignalDeleted(QByteArray& table, int index)
{
    const qint64 at = static_cast<qint64>(kSignalEntrySize) * index + kEntryFlags;
    if (index < 0 || index >= kSignalEntries || !CMemoryReader(table).Contains(at, 1))
        return false;
    table[static_cast<int>(at)] =
        static_cast<char>(static_cast<uint8_t>(table[static_cast<int>(at)]) | kDeletedFlag);
    return true;
}

bool CMemoryImage::WriteSignalTable(QByteArray& image, qint64 offset, const QByteArray& table)
{
    if (table.size() != kSignalTableSize || !CMemoryReader(image).Contains(offset, kSignalTableSize))
        return false;
    std::copy(table.begin(), table.end(), image.begin() + static_cast<int>(offset));
    return true;
}

#include "waterfallpage.h"

#include <QDebug>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
void PutInt64(char* out, qint64 value)
{
    qToLittleEndian<qint64>(value, out);
}

void PutDouble(char* out, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint64>(bits, out);
}

double GetDouble(const char* in)
{
    const quint64 bits = qFromLittleEndian<quint64>(in);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
}  // namespace

WaterfallPage::WaterfallPage() = default;

WaterfallPage::~WaterfallPage()
{
    CloseFile();
}

bool WaterfallPage::SetFile(const QString& name)
{
    offsets.clear();
    lastMappedTime = 0;
    writePosition = kFirstRecordOffset;
    CloseFile();
    m_fileName = name;
    if (name.isEmpty())
        return true;
    m_file = std::make_unique<QFile>(name);
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Truncate))
    {
        qDebug() << "Waterfall buffer file cannot be opened:" << name << m_file->errorString();
        m_file.reset();
        return false;
    }
    m_created = true;
    return true;
}

void WaterfallPage::CloseFile()
{
    offsets.clear();
    lastMappedTime = 0;
    if (!m_file)
        return;
    m_file->close();
    // Only a file this page created (and truncated) is ours to delete.
    if (m_created)
        QFile::remove(m_file->fileName());
    m_file.reset();
    m_created = false;
}

qint64 WaterfallPage::FileSize() const
{
    return m_file ? m_file->size() : 0;
}

bool WaterfallPage::WriteRecord(qint64 offset, const WaterfallLine& line)
{
    const qint64 size = RecordSize(static_cast<int>(line.levels.size()));
    std::vector<char> record(static_cast<size_t>(size));
    record[0] = 'T';
    PutInt64(record.data() + 1, line.timeMs);
    record[9] = 'F';
    for (size_t i = 0; i < line.levels.size(); ++i)
        PutDouble(record.data() + 10 + 8 * i, line.levels[i]);
    if (!m_file->seek(offset) || m_file->write(record.data(), size) != size || !m_file->flush())
    {
        qDebug() << "Waterfall buffer file write failed, spilling stops:" << m_fileName
                 << m_file->errorString();
        CloseFile();
        return false;
    }
    return true;
}

bool WaterfallPage::WriteLine(const WaterfallLine& line)
{
    if (!m_file)
        return false;
    const qint64 offset = writePosition;
    if (!WriteRecord(offset, line))
        return false;
    if (line.timeMs != lastMappedTime)
    {
        offsets[line.timeMs] = offset;
        lastMappedTime = line.timeMs;
    }
    writePosition += RecordSize(static_cast<int>(line.levels.size()));
    return true;
}

bool WaterfallPage::RewriteLine(const WaterfallLine& line)
{
    if (!m_file)
        return false;
    const auto it = offsets.constFind(line.timeMs);
    if (it == offsets.constEnd())
        return false;
    return WriteRecord(it.value(), line);
}

qint64 WaterfallPage::FindOffset(qint64 timeMs) const
{
    if (offsets.isEmpty())
        return -1;
    // The nearest key is the first key at or after timeMs or the one before it; on a tie the
    // earlier (smaller) key wins.
    auto after = offsets.lowerBound(timeMs);
    auto best = offsets.constEnd();
    quint64 bestDiff = std::numeric_limits<quint64>::max();
    if (after != offsets.constBegin())
    {
        auto before = std::prev(after);
        bestDiff = static_cast<quint64>(timeMs) - static_cast<quint64>(before.key());
        best = before;
    }
    if (after != offsets.constEnd())
    {
        const quint64 diff = static_cast<quint64>(after.key()) - static_cast<quint64>(timeMs);
        if (diff < bestDiff)
        {
            bestDiff = diff;
            best = after;
        }
    }
    if (best == offsets.constEnd() || bestDiff >= 1001)
        return -1;
    return best.value();
}

int WaterfallPage::ReadRecordsBack(QIODevice& device, qint64 offset, int count, int maxRecords,
                                   WaterfallLineList& lines)
{
    if (count <= 0 || maxRecords <= 0 || offset < kFirstRecordOffset)
        return 0;
    const qint64 size = RecordSize(count);
    // Records lie on a grid from the first offset; anything else is not one of ours.
    if ((offset - kFirstRecordOffset) % size != 0)
        return 0;
    std::vector<char> record(static_cast<size_t>(size));
    int read = 0;
    qint64 previousTime = 0;
    for (qint64 position = offset; position >= kFirstRecordOffset && read < maxRecords; position -= size)
    {
        if (!device.seek(position) || device.read(record.data(), size) != size)
            break;
        if (record[0] != 'T' || record[9] != 'F')
            break;
        const qint64 timeMs = qFromLittleEndian<qint64>(record.data() + 1);
        if (read > 0 && timeMs >= previousTime)
            break;
        auto line = std::make_shared<WaterfallLine>();
        line->timeMs = timeMs;
        line->levels.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            line->levels[static_cast<size_t>(i)] = GetDouble(record.data() + 10 + 8 * static_cast<qint64>(i));
        lines.append(line);
        previousTime = timeMs;
        ++read;
    }
    return read;
}

int WaterfallPage::ReadBack(qint64 offset, int maxRecords, WaterfallLineList& out)
{
    if (!m_file)
        return 0;
    return ReadRecordsBack(*m_file, offset, count, maxRecords, out);
}

void WaterfallPage::Clear()
{
    lines.clear();
    rows.clear();
    newest.reset();
    offsets.clear();
    count = 0;
    lastMappedTime = 0;
    writePosition = kFirstRecordOffset;
}

#include "waterfallpage.h"

#include <QDebug>
#include <QtEndian>

#include <algorithm>
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

#if Q_BYTE_ORDER != Q_LITTLE_ENDIAN
double GetDouble(const char* in)
{
    const quint64 bits = qFromLittleEndian<quint64>(in);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
#endif
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
    // Unbuffered: every record is flushed as it is written anyway, and reading back takes only the
    // frame of a record whose line is still in memory, which a read-ahead buffer would only copy.
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
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
    ForgetKnownRecords();
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
    // Whatever line stood for this record does no longer.
    if (KnownRecord* slot = KnownSlot(offset); slot && slot->offset == offset)
        *slot = KnownRecord();
    const qint64 size = RecordSize(static_cast<int>(line.levels.size()));
    // One record's room, kept: a line is written at every data tick.
    std::vector<char>& record = m_record;
    record.resize(static_cast<size_t>(size));
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

bool WaterfallPage::WriteLine(const WaterfallLinePtr& line)
{
    const qint64 offset = writePosition;
    if (!line || !WriteLine(*line))
        return false;
    Remember(offset, line);
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

bool WaterfallPage::RewriteLine(const WaterfallLinePtr& line)
{
    if (!line || !m_file)
        return false;
    const qint64 offset = offsets.value(line->timeMs, -1);
    if (!RewriteLine(*line))
        return false;
    Remember(offset, line);
    return true;
}

void WaterfallPage::SetKnownRecords(int records)
{
    const size_t size = static_cast<size_t>(std::clamp(records, 0, 65536));
    if (m_known.size() != size)
        m_known.assign(size, KnownRecord());
}

WaterfallPage::KnownRecord* WaterfallPage::KnownSlot(qint64 offset)
{
    if (m_known.empty() || count <= 0 || offset < kFirstRecordOffset)
        return nullptr;
    const qint64 record = (offset - kFirstRecordOffset) / RecordSize(count);
    return &m_known[static_cast<size_t>(record % static_cast<qint64>(m_known.size()))];
}

void WaterfallPage::Remember(qint64 offset, const WaterfallLinePtr& line)
{
    if (!m_file || static_cast<int>(line->levels.size()) != count)
        return;
    if (KnownRecord* slot = KnownSlot(offset))
    {
        slot->offset = offset;
        slot->content = line->content;
        slot->line = line;
    }
}

void WaterfallPage::ForgetKnownRecords()
{
    std::fill(m_known.begin(), m_known.end(), KnownRecord());
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
    return ReadBackFrom(device, offset, count, maxRecords, lines, nullptr);
}

int WaterfallPage::ReadBack(qint64 offset, int maxRecords, WaterfallLineList& out)
{
    if (!m_file)
        return 0;
    return ReadBackFrom(*m_file, offset, count, maxRecords, out, this);
}

int WaterfallPage::ReadBackFrom(QIODevice& device, qint64 offset, int count, int maxRecords,
                                WaterfallLineList& lines, WaterfallPage* known)
{
    if (count <= 0 || maxRecords <= 0 || offset < kFirstRecordOffset)
        return 0;
    const qint64 size = RecordSize(count);
    // Records lie on a grid from the first offset; anything else is not one of ours.
    if ((offset - kFirstRecordOffset) % size != 0)
        return 0;
    const qint64 levelBytes = size - 10;
    const qint64 end = device.size();
#if Q_BYTE_ORDER != Q_LITTLE_ENDIAN
    std::vector<char> record(static_cast<size_t>(levelBytes));
#endif
    int read = 0;
    qint64 previousTime = 0;
    for (qint64 position = offset; position >= kFirstRecordOffset && read < maxRecords; position -= size)
    {
        char frame[10];
        if (position + size > end || !device.seek(position) || device.read(frame, 10) != 10)
            break;
        if (frame[0] != 'T' || frame[9] != 'F')
            break;
        const qint64 timeMs = qFromLittleEndian<qint64>(frame + 1);
        if (read > 0 && timeMs >= previousTime)
            break;
        WaterfallLinePtr line;
        if (KnownRecord* slot = known ? known->KnownSlot(position) : nullptr;
            slot && slot->offset == position)
        {
            line = slot->line.lock();
            if (line && (line->content != slot->content || line->timeMs != timeMs ||
                         line->levels.size() != static_cast<size_t>(count)))
                line.reset();
        }
        if (!line)
        {
            line = std::make_shared<WaterfallLine>();
            line->timeMs = timeMs;
            line->levels.resize(static_cast<size_t>(count));
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
            // The file's byte order is the machine's: the levels are read in place.
            if (device.read(reinterpret_cast<char*>(line->levels.data()), levelBytes) != levelBytes)
                break;
#else
            if (device.read(record.data(), levelBytes) != levelBytes)
                break;
            for (int i = 0; i < count; ++i)
                line->levels[static_cast<size_t>(i)] = GetDouble(record.data() + 8 * static_cast<qint64>(i));
#endif
            if (known)
                known->Remember(position, line);
        }
        lines.append(line);
        previousTime = timeMs;
        ++read;
    }
    return read;
}

void WaterfallPage::Clear()
{
    ForgetKnownRecords();
    lines.clear();
    rows.clear();
    newest.reset();
    offsets.clear();
    count = 0;
    lastMappedTime = 0;
    writePosition = kFirstRecordOffset;
}

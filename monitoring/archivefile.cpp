#include "archivefile.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "isignalsarchive.h"

void (*CArchiveFile::s_pBeforeCommit)(QSaveFile& file) = nullptr;

namespace
{
const QString kTop = QStringLiteral("SignalsArchive");
const QString kGroups = QStringLiteral("UserGroups");
const QString kGroup = QStringLiteral("UserGroup");
const QString kEntries = QStringLiteral("SignalEntries");
const QString kEntry = QStringLiteral("SignalEntry");
const QString kIndex = QStringLiteral("Index");
const QString kGroupIndex = QStringLiteral("GroupIndex");

void AddProblem(QString* error, const QString& text)
{
    if (!error)
        return;
    if (!error->isEmpty())
        error->append(QLatin1Char('\n'));
    error->append(text);
}

// One group or entry element as read: its attributes by name. Every value is an attribute and the
// elements have no text.
struct Element
{
    std::vector<std::pair<QString, QString>> attributes;

    const QString* Find(const QString& name) const
    {
        for (const auto& attribute : attributes)
        {
            if (attribute.first == name)
                return &attribute.second;
        }
        return nullptr;
    }
    // A missing attribute reads as empty.
    QString Value(const QString& name) const
    {
        const QString* value = Find(name);
        return value ? *value : QString();
    }
    std::wstring Text(const QString& name) const { return Value(name).toStdWString(); }
    // A missing attribute reads as 0; anything else must be a decimal int.
    bool Int(const QString& name, int* value) const
    {
        *value = 0;
        const QString* text = Find(name);
        if (!text)
            return true;
        bool ok = false;
        *value = text->toInt(&ok);
        return ok;
    }
};

// What the loader takes from the document: the top element's name and the elements of its lists.
struct Contents
{
    QString top;
    std::vector<Element> groups;
    std::vector<Element> entries;
};

// Reads the whole document before anything goes into the archive, so that a file broken near its end
// loads nothing. The stream reader does not recurse per level of nesting, as a DOM parse does: however
// deep a damaged file nests, it cannot overflow the stack and end the program at start. Elements are matched
// by their names as written (no namespaces), the lists by name, their elements whatever their names; deeper
// content is not read.
bool Parse(QIODevice* device, Contents* document, QString* error)
{
    QXmlStreamReader reader(device);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    std::vector<Element>* list = nullptr;  // the list being read, if any
    while (!reader.atEnd())
    {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement)
        {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        if (depth == 1)
        {
            document->top = reader.qualifiedName().toString();
        }
        else if (depth == 2)
        {
            const QStringRef name = reader.qualifiedName();
            list = document->top != kTop ? nullptr
                   : name == kGroups     ? &document->groups
                   : name == kEntries    ? &document->entries
                                         : nullptr;
        }
        else if (depth == 3 && list)
        {
            Element element;
            const QXmlStreamAttributes attributes = reader.attributes();
            element.attributes.reserve(static_cast<size_t>(attributes.size()));
            for (const QXmlStreamAttribute& attribute : attributes)
                element.attributes.emplace_back(attribute.qualifiedName().toString(),
                                                attribute.value().toString());
            list->push_back(std::move(element));
        }
    }
    if (reader.hasError())
    {
        *error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
        return false;
    }
    return true;
}

struct Item
{
    int id;
    const Element* element;
};

// The elements of a list in the order the archive takes them: it accepts ids only rising, and a
// hand-edited file may hold them in any order. An id of -1 asks the archive for the next free one, so
// those come last and take no id a numbered element holds. An element whose id is not a number is
// skipped and reported: read as 0 it would take another element's id.
std::vector<Item> Items(const std::vector<Element>& list, const QString& what, QString* error, bool* partial)
{
    std::vector<Item> out;
    out.reserve(list.size());
    for (const Element& element : list)
    {
        int id = 0;
        if (element.Int(kIndex, &id))
        {
            out.push_back({id, &element});
            continue;
        }
        *partial = true;
        AddProblem(error,
                   QStringLiteral("%1 \"%2\": Index is not a number").arg(what, element.Value(kIndex)));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Item& a, const Item& b)
                     { return std::make_pair(a.id == -1, a.id) < std::make_pair(b.id == -1, b.id); });
    return out;
}

// XML cannot hold control characters other than tab, line feed and carriage return, lone surrogates,
// U+FFFE or U+FFFF; the stream writer would give up mid-document. They reach the archive from a
// hand-edited file (as character references) or a pasted comment, and are saved as U+FFFD.
QString Writable(const QString& text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i)
    {
        const ushort c = out.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size() && QChar::isLowSurrogate(out.at(i + 1).unicode()))
        {
            ++i;
            continue;
        }
        if ((c < 0x20 && c != 0x9 && c != 0xA && c != 0xD) || QChar::isSurrogate(c) || c == 0xFFFE ||
            c == 0xFFFF)
            out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

void WriteText(QXmlStreamWriter& writer, const QString& name, const std::wstring& value)
{
    writer.writeAttribute(name, Writable(QString::fromStdWString(value)));
}

void WriteInt(QXmlStreamWriter& writer, const QString& name, qlonglong value)
{
    writer.writeAttribute(name, QString::number(value));
}

// Measured values are kept exactly: 17 significant digits read back to the same double.
void WriteDouble(QXmlStreamWriter& writer, const QString& name, double value)
{
    writer.writeAttribute(name, QString::number(value, 'g', 17));
}

// The document as the program has always written it: no declaration, one space per level, every value
// an attribute, attributes in a fixed order. Throws what the archive throws (a recording it does not
// list).
QByteArray ArchiveText(ISignalsArchive& archive)
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    archive.GetSignalsOfGroup(entries, -1);

    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartElement(kTop);
    writer.writeStartElement(kGroups);
    for (const ARCHIVE_GROUP& group : archive.GetUserGroups())
    {
        writer.writeEmptyElement(kGroup);
        WriteInt(writer, kIndex, group.id);
        WriteText(writer, QStringLiteral("Name"), group.name);
    }
    writer.writeEndElement();
    writer.writeStartElement(kEntries);
    for (const ARCHIVE_SIGNAL_ENTRY& entry : entries)
    {
        writer.writeEmptyElement(kEntry);
        WriteInt(writer, kIndex, entry.Index);
        WriteInt(writer, kGroupIndex, entry.GroupIndex);
        WriteInt(writer, QStringLiteral("Timestamp"), static_cast<qlonglong>(entry.Timestamp));
        WriteDouble(writer, QStringLiteral("FreqBegin"), entry.FreqBegin);
        WriteDouble(writer, QStringLiteral("FreqEnd"), entry.FreqEnd);
        WriteDouble(writer, QStringLiteral("FreqPeak"), entry.FreqPeak);
        WriteDouble(writer, QStringLiteral("Level"), entry.Level);
        WriteDouble(writer, QStringLiteral("Excess"), entry.Excess);
        WriteText(writer, QStringLiteral("Comment"), entry.Comment);
        WriteText(writer, QStringLiteral("RangeImageFile"), entry.RangeImageFile);
        WriteText(writer, QStringLiteral("DdcImageFile"), entry.DdcImageFile);
        WriteText(writer, QStringLiteral("DemodImageFile"), entry.DemodImageFile);
        WriteText(writer, QStringLiteral("SignalRecordingFile"),
                  entry.SignalRecordingNo == -1 ? std::wstring()
                                                : archive.FindRecordingNo(entry.SignalRecordingNo));
        WriteText(writer, QStringLiteral("SoundRecordingFile"), entry.SoundRecordingFile);
        WriteInt(writer, QStringLiteral("Channel"), entry.Channel);
        WriteInt(writer, QStringLiteral("Source"), entry.Source);
    }
    writer.writeEndElement();
    writer.writeEndElement();
    if (writer.hasError())
        throw std::runtime_error("the archive text could not be formed");
    // The writer's formatting opens with a line break and ends without one.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    bytes.append('\n');
    return bytes;
}

std::filesystem::path FsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Keeps the file at `path` as it is now under the name `keep`: a hard link, so no bytes are copied and
// the old file stays whole when the save replaces the name; a copy where the file system has no links.
// The save file replaces the target of a symbolic link, so that target is what is kept.
bool KeepCurrent(const QString& path, const QString& keep)
{
    QFile::remove(keep);  // left behind by an interrupted save
    const QString current = QFileInfo(path).canonicalFilePath();
    if (current.isEmpty())
        return false;
    std::error_code error;
    std::filesystem::create_hard_link(FsPath(current), FsPath(keep), error);
    return !error || QFile::copy(current, keep);
}

bool SameBytes(const QString& a, const QString& b)
{
    QFile first(a);
    QFile second(b);
    return first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly) &&
           first.size() == second.size() && first.readAll() == second.readAll();
}
}  // namespace

CArchiveFile::LoadResult CArchiveFile::Load(ISignalsArchive& archive, const QString& path, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
    {
        AddProblem(error, file.errorString());
        return LoadResult::Unreadable;
    }
    Contents document;
    QString parseError;
    if (!Parse(&file, &document, &parseError))
    {
        AddProblem(error, parseError);
        return LoadResult::Unreadable;
    }
    // Another program's document is no archive, however its lists are named: taking nothing from it
    // and holding the saves keeps it from being replaced by an empty archive.
    if (document.top != kTop)
    {
        AddProblem(error, QStringLiteral("not a signals archive: <%1>").arg(document.top));
        return LoadResult::Unreadable;
    }

    bool partial = false;
    for (const Item& item : Items(document.groups, QStringLiteral("group"), error, &partial))
    {
        try
        {
            archive.AddUserGroup(item.id, item.element->Text(QStringLiteral("Name")));
        }
        catch (const std::exception& ex)
        {
            partial = true;
            AddProblem(error, QStringLiteral("group %1: %2").arg(item.id).arg(QString::fromUtf8(ex.what())));
        }
    }

    // The last entry id the archive holds, which every further one must exceed.
    std::vector<ARCHIVE_SIGNAL_ENTRY> present;
    archive.GetSignalsOfGroup(present, -1);
    bool anyEntry = !present.empty();
    int lastId = anyEntry ? present.back().Index : 0;
    present.clear();

    for (const Item& item : Items(document.entries, QStringLiteral("entry"), error, &partial))
    {
        const Element& e = *item.element;
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.Index = item.id;
        if (!e.Int(kGroupIndex, &entry.GroupIndex))
        {
            // Read as 0 it would move the entry to "New Signals".
            partial = true;
            AddProblem(error, QStringLiteral("entry %1: GroupIndex \"%2\" is not a number")
                                  .arg(entry.Index)
                                  .arg(e.Value(kGroupIndex)));
            continue;
        }
        // Refused here, before the entry's recording is counted: a use counted for an entry that never
        // loaded would keep the recording file after its last real entry was deleted.
        QString refusal;
        if (entry.GroupIndex == -1)
            refusal = QStringLiteral("no group index");
        else if (entry.Index != -1 && anyEntry && entry.Index <= lastId)
            refusal = QStringLiteral("non-unique id");
        if (!refusal.isEmpty())
        {
            partial = true;
            AddProblem(error, QStringLiteral("entry %1: %2").arg(entry.Index).arg(refusal));
            continue;
        }
        entry.Timestamp = e.Value(QStringLiteral("Timestamp")).toLongLong();
        entry.FreqBegin = e.Value(QStringLiteral("FreqBegin")).toDouble();
        entry.FreqEnd = e.Value(QStringLiteral("FreqEnd")).toDouble();
        entry.FreqPeak = e.Value(QStringLiteral("FreqPeak")).toDouble();
        entry.Level = e.Value(QStringLiteral("Level")).toDouble();
        entry.Excess = e.Value(QStringLiteral("Excess")).toDouble();
        entry.Comment = e.Text(QStringLiteral("Comment"));
        entry.RangeImageFile = e.Text(QStringLiteral("RangeImageFile"));
        entry.DdcImageFile = e.Text(QStringLiteral("DdcImageFile"));
        entry.DemodImageFile = e.Text(QStringLiteral("DemodImageFile"));
        entry.SoundRecordingFile = e.Text(QStringLiteral("SoundRecordingFile"));
        entry.Channel = e.Value(QStringLiteral("Channel")).toInt();
        entry.Source = e.Value(QStringLiteral("Source")).toInt();
        try
        {
            entry.SignalRecordingNo = archive.AddRecording(e.Text(QStringLiteral("SignalRecordingFile")));
            lastId = archive.AddSignal(entry);
            anyEntry = true;
        }
        catch (const std::exception& ex)
        {
            partial = true;
            AddProblem(error,
                       QStringLiteral("entry %1: %2").arg(entry.Index).arg(QString::fromUtf8(ex.what())));
        }
    }
    return partial ? LoadResult::Partial : LoadResult::Complete;
}

bool CArchiveFile::Save(ISignalsArchive& archive, const QString& path, QString* error)
{
    QByteArray bytes;
    try
    {
        bytes = ArchiveText(archive);
    }
    catch (const std::exception& ex)
    {
        AddProblem(error, QString::fromUtf8(ex.what()));
        return false;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    {
        AddProblem(error, file.errorString());
        return false;
    }
    if (s_pBeforeCommit)
        s_pBeforeCommit(file);
    // The file being replaced stays as "<path>.bak": taken aside under a temporary name before the
    // commit (afterwards it is gone), and put in place only once the new file is.
    const QString backup = path + QStringLiteral(".bak");
    const QString pending = backup + QStringLiteral("-new");
    const bool replacing = QFileInfo::exists(path);
    const bool kept = replacing && KeepCurrent(path, pending);
    if (replacing && !kept)
        qWarning() << "The signals archive being replaced could not be kept as" << backup;
    if (!file.commit())
    {
        if (kept)
            QFile::remove(pending);
        AddProblem(error, file.errorString());
        return false;
    }
    if (kept)
    {
        std::error_code renameError;
        std::filesystem::rename(FsPath(pending), FsPath(backup), renameError);
        if (renameError)
        {
            QFile::remove(pending);
            qWarning() << "The previous signals archive could not be kept as" << backup << ":"
                       << QString::fromStdString(renameError.message());
        }
    }
    return true;
}

QString CArchiveFile::SetAside(const QString& path)
{
    const QString name = path + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString copy = name;
    for (int n = 2; QFileInfo::exists(copy); ++n)
    {
        // The same file set aside a moment ago (the window built twice within a second).
        if (SameBytes(path, copy))
            return copy;
        if (n > 99)
            return QString();
        copy = name + QStringLiteral("-%1").arg(n);
    }
    if (!QFile::copy(path, copy))
        return QString();
    return copy;
}

#include "archivefile.h"

#include <QDateTime>
#include <QDomDocument>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <exception>
#include <vector>

#include "isignalsarchive.h"

namespace
{
const QString kTop = QStringLiteral("SignalsArchive");
const QString kGroups = QStringLiteral("UserGroups");
const QString kGroup = QStringLiteral("UserGroup");
const QString kEntries = QStringLiteral("SignalEntries");
const QString kEntry = QStringLiteral("SignalEntry");

QString Number(double value)
{
    return QString::number(value, 'g', 17);
}

std::wstring Text(const QDomElement& element, const QString& name)
{
    return element.attribute(name).toStdWString();
}

// The named child, or the child element at `position` as older readers took it.
QDomElement Section(const QDomElement& top, const QString& name, int position)
{
    QDomElement named = top.firstChildElement(name);
    if (!named.isNull())
        return named;
    QDomElement child = top.firstChildElement();
    for (int i = 0; i < position && !child.isNull(); ++i)
        child = child.nextSiblingElement();
    return child;
}

std::vector<QDomElement> Children(const QDomElement& parent)
{
    std::vector<QDomElement> out;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        out.push_back(e);
    // The archive accepts ids only in rising order; a file edited by hand may hold them in any order.
    std::stable_sort(out.begin(), out.end(),
                     [](const QDomElement& a, const QDomElement& b) {
                         return a.attribute(QStringLiteral("Index")).toInt() <
                                b.attribute(QStringLiteral("Index")).toInt();
                     });
    return out;
}

void AddProblem(QString* error, const QString& text)
{
    if (!error)
        return;
    if (!error->isEmpty())
        error->append(QLatin1Char('\n'));
    error->append(text);
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
    QDomDocument document;
    QString parseError;
    int line = 0;
    if (!document.setContent(&file, &parseError, &line))
    {
        AddProblem(error, QStringLiteral("line %1: %2").arg(line).arg(parseError));
        return LoadResult::Unreadable;
    }
    const QDomElement top = document.documentElement();
    if (top.tagName() != kTop)
    {
        AddProblem(error, QStringLiteral("not a signals archive: <%1>").arg(top.tagName()));
        return LoadResult::Unreadable;
    }

    bool partial = false;
    for (const QDomElement& e : Children(Section(top, kGroups, 0)))
    {
        try
        {
            archive.AddUserGroup(e.attribute(QStringLiteral("Index")).toInt(),
                                 Text(e, QStringLiteral("Name")));
        }
        catch (const std::exception& ex)
        {
            partial = true;
            AddProblem(error,
                       QStringLiteral("group %1: %2").arg(e.attribute(QStringLiteral("Index")), ex.what()));
        }
    }
    for (const QDomElement& e : Children(Section(top, kEntries, 1)))
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.Index = e.attribute(QStringLiteral("Index")).toInt();
        entry.GroupIndex = e.attribute(QStringLiteral("GroupIndex")).toInt();
        entry.Timestamp = e.attribute(QStringLiteral("Timestamp")).toLongLong();
        entry.FreqBegin = e.attribute(QStringLiteral("FreqBegin")).toDouble();
        entry.FreqEnd = e.attribute(QStringLiteral("FreqEnd")).toDouble();
        entry.FreqPeak = e.attribute(QStringLiteral("FreqPeak")).toDouble();
        entry.Level = e.attribute(QStringLiteral("Level")).toDouble();
        entry.Excess = e.attribute(QStringLiteral("Excess")).toDouble();
        entry.Comment = Text(e, QStringLiteral("Comment"));
        entry.RangeImageFile = Text(e, QStringLiteral("RangeImageFile"));
        entry.DdcImageFile = Text(e, QStringLiteral("DdcImageFile"));
        entry.DemodImageFile = Text(e, QStringLiteral("DemodImageFile"));
        entry.SoundRecordingFile = Text(e, QStringLiteral("SoundRecordingFile"));
        entry.Channel = e.attribute(QStringLiteral("Channel")).toInt();
        entry.Source = e.attribute(QStringLiteral("Source")).toInt();
        try
        {
            entry.SignalRecordingNo = archive.AddRecording(Text(e, QStringLiteral("SignalRecordingFile")));
            archive.AddSignal(entry);
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
    QDomDocument document;
    QDomElement top = document.createElement(kTop);
    document.appendChild(top);
    QDomElement groups = document.createElement(kGroups);
    top.appendChild(groups);
    QDomElement entries = document.createElement(kEntries);
    top.appendChild(entries);
    try
    {
        for (const ARCHIVE_GROUP& group : archive.GetUserGroups())
        {
            QDomElement e = document.createElement(kGroup);
            e.setAttribute(QStringLiteral("Index"), group.id);
            e.setAttribute(QStringLiteral("Name"), QString::fromStdWString(group.name));
            groups.appendChild(e);
        }
        std::vector<ARCHIVE_SIGNAL_ENTRY> all;
        archive.GetSignalsOfGroup(all, -1);
        for (const ARCHIVE_SIGNAL_ENTRY& entry : all)
        {
            QDomElement e = document.createElement(kEntry);
            e.setAttribute(QStringLiteral("Index"), entry.Index);
            e.setAttribute(QStringLiteral("GroupIndex"), entry.GroupIndex);
            e.setAttribute(QStringLiteral("Timestamp"),
                           QString::number(static_cast<qlonglong>(entry.Timestamp)));
            e.setAttribute(QStringLiteral("FreqBegin"), Number(entry.FreqBegin));
            e.setAttribute(QStringLiteral("FreqEnd"), Number(entry.FreqEnd));
            e.setAttribute(QStringLiteral("FreqPeak"), Number(entry.FreqPeak));
            e.setAttribute(QStringLiteral("Level"), Number(entry.Level));
            e.setAttribute(QStringLiteral("Excess"), Number(entry.Excess));
            e.setAttribute(QStringLiteral("Comment"), QString::fromStdWString(entry.Comment));
            e.setAttribute(QStringLiteral("RangeImageFile"), QString::fromStdWString(entry.RangeImageFile));
            e.setAttribute(QStringLiteral("DdcImageFile"), QString::fromStdWString(entry.DdcImageFile));
            e.setAttribute(QStringLiteral("DemodImageFile"), QString::fromStdWString(entry.DemodImageFile));
            e.setAttribute(QStringLiteral("SignalRecordingFile"),
                           entry.SignalRecordingNo == -1
                               ? QString()
                               : QString::fromStdWString(archive.FindRecordingNo(entry.SignalRecordingNo)));
            e.setAttribute(QStringLiteral("SoundRecordingFile"),
                           QString::fromStdWString(entry.SoundRecordingFile));
            e.setAttribute(QStringLiteral("Channel"), entry.Channel);
            e.setAttribute(QStringLiteral("Source"), entry.Source);
            entries.appendChild(e);
        }
    }
    catch (const std::exception& ex)
    {
        AddProblem(error, QString::fromUtf8(ex.what()));
        return false;
    }

    QSaveFile file(path);
    const QByteArray bytes = document.toString(1).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    {
        AddProblem(error, file.errorString());
        return false;
    }
    return true;
}

QString CArchiveFile::SetAside(const QString& path)
{
    const QString copy = path + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (QFile::exists(copy) || !QFile::copy(path, copy))
        return QString();
    return copy;
}

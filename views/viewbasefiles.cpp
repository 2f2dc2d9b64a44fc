// Pane data files, archive images and archive entries of the view base.

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QSaveFile>

#include <exception>
#include <stdexcept>

#include "devicethread.h"
#include "globals.h"
#include "igraphic.h"
#include "isignalsarchive.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "prompt.h"
#include "recorderwindow.h"
#include "vectorgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

namespace
{
// Pane files were first written by Qt 5.12; its stream format keeps them readable.
constexpr QDataStream::Version kPaneFileVersion = QDataStream::Qt_5_12;

[[noreturn]] void Fail(const QString& text)
{
    throw std::runtime_error(text.toUtf8().toStdString());
}

// The part of an archive image's tag that names the pane's kind: waterfall, oscillogram (the vector
// pane is one) or spectrum (any other pane).
QString PaneKindTag(IGraphic* pane)
{
    if (dynamic_cast<CQWaterfallGraphic*>(pane) != nullptr)
        return QStringLiteral("wd");
    if (dynamic_cast<CQOscillogramGraphic*>(pane) != nullptr)
        return QStringLiteral("od");
    return QStringLiteral("sd");
}

const QString kPathsGroup = QStringLiteral("FilePaths");

// The folder part of a chosen file, where the next dialog starts.
QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

const CViewBase::PaneFileType* FindType(const std::vector<CViewBase::PaneFileType>& table, IGraphic* pane)
{
    if (pane == nullptr)
        return nullptr;
    for (const CViewBase::PaneFileType& type : table)
    {
        if (type.matches(pane))
            return &type;
    }
    return nullptr;
}
}  // namespace

void CViewBase::WritePaneFile(QIODevice* device, const QString& tag, IGraphic* pane, int kind)
{
    QDataStream stream(device);
    stream.setVersion(kPaneFileVersion);
    stream << tag;
    if (kind == 0)
    {
        pane->Save(stream);
    }
    else if (kind == 1)
    {
        if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane))
            osc->SaveShownData(stream);
    }
    else if (kind == 2)
    {
        if (auto* vector = dynamic_cast<CQVectorGraphic*>(pane))
            vector->SaveInputData(stream);
    }
    if (stream.status() != QDataStream::Ok)
        Fail(tr("Could not write the file!"));
}

void CViewBase::ReadPaneFile(QIODevice* device, const QString& tag, IGraphic* pane, int kind)
{
    QDataStream stream(device);
    stream.setVersion(kPaneFileVersion);
    // The tag is read code unit by code unit: a damaged length field must not make the stream
    // allocate a string of gigabytes before the comparison fails.
    quint32 length = 0;
    stream >> length;
    bool same = stream.status() == QDataStream::Ok && length == static_cast<quint32>(tag.size()) * 2;
    for (int k = 0; same && k < tag.size(); ++k)
    {
        quint16 unit = 0;
        stream >> unit;
        same = stream.status() == QDataStream::Ok && unit == tag.at(k).unicode();
    }
    if (!same)
        Fail(tr("Wrong file type!"));

    if (kind == 0)
    {
        pane->Load(stream);
    }
    else if (kind == 2)
    {
        auto* vector = dynamic_cast<CQVectorGraphic*>(pane);
        if (vector == nullptr)
            Fail(tr("Wrong file type!"));
        vector->LoadData(stream);
    }
    // The painters read into copies and change nothing unless the whole payload is sound.
    if (stream.status() != QDataStream::Ok)
        Fail(tr("The file is damaged and was not loaded!"));
}

void CViewBase::SavePaneData(QString path, QString tag, IGraphic* pane, int kind)
{
    if (pane == nullptr || path.isEmpty())
        return;
    // Written aside and renamed at the end: a failed save keeps the file that was there.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(tr("Could not write the file!"));
    WritePaneFile(&file, tag, pane, kind);
    if (!file.commit())
        Fail(tr("Could not write the file!"));
}

void CViewBase::LoadPaneData(QString path, QString tag, IGraphic* pane, int kind)
{
    if (pane == nullptr || path.isEmpty())
        return;
    QFile file(path);
    // A file that cannot be read has no tag to match.
    if (!file.open(QIODevice::ReadOnly))
        Fail(tr("Wrong file type!"));
    ReadPaneFile(&file, tag, pane, kind);
    m_bLoadedData = true;
}

bool CViewBase::ShowArchiveImage(const QString& file, const QString& type)
{
    if (m_Shown.isEmpty() || m_Shown.first() == nullptr)
        return false;
    if (!file.isEmpty())
    {
        try
        {
            // The main window shows the pane the tag names; an image of another pane kind would be
            // read as the wrong payload.
            if (type.mid(1) != PaneKindTag(m_Shown.first()))
                Fail(tr("Wrong file type!"));
            LoadPaneData(file, type, m_Shown.first(), 0);
        }
        catch (const std::exception& e)
        {
            Prompt().Warning(this, QApplication::applicationName(), QString::fromUtf8(e.what()));
            return false;
        }
    }
    repaint();
    return true;
}

QString CViewBase::NewArchiveImageName(const QString& folder, const QString& tag, const QDateTime& now)
{
    // Two images of one millisecond would share a name; the later one moves on to the next free
    // millisecond. The stamp stays in front, so the type after the first "_" is still the tag.
    constexpr int kMaxTries = 1000;
    QDateTime stamp = now;
    QString name;
    for (int k = 0; k < kMaxTries; ++k)
    {
        name = folder + QLatin1Char('/') + QLocale::c().toString(stamp, QStringLiteral("yyyyMMddhhmmsszzz")) +
               QLatin1Char('_') + tag + QStringLiteral(".img");
        if (!QFileInfo::exists(name))
            break;
        stamp = stamp.addMSecs(1);
    }
    return name;
}

void CViewBase::AddEntryToArchive(bool writeImage, int view, const SIGNAL_RECORDING_PARAMS& signal,
                                  const SOUND_RECORDING_PARAMS& sound, int group, QString comment,
                                  double freqBegin, double freqEnd, double freqPeak, double level,
                                  double excess, int source)
{
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    if (pane == nullptr || archive == nullptr)
    {
        Prompt().Warning(this, QApplication::applicationName(), tr("Could not add entry to archive!"),
                         QMessageBox::Ok);
        return;
    }
    QString tag;
    if (view >= 0 && view <= 2)
        tag = QLatin1Char("rdm"[view]) + PaneKindTag(pane);
    const QDateTime now = QDateTime::currentDateTime();

    QString image;
    if (writeImage && !tag.isEmpty())
    {
        const QString folder = QString::fromStdWString(archive->GetFolder());
        image = NewArchiveImageName(folder, tag, now);
        try
        {
            // Without an archive folder the name would point at the file system's root.
            if (folder.isEmpty())
                Fail(tr("No archive folder is set."));
            SavePaneData(image, tag, pane, 0);
        }
        catch (const std::exception& e)
        {
            // The operator's entry is still filed, without an image that does not exist.
            Prompt().Warning(
                this, QApplication::applicationName(),
                tr("Could not save the archive image!") + QLatin1Char(' ') + QString::fromUtf8(e.what()));
            image.clear();
        }
    }

    // The entry names a recording only when its recorder window took it (it is busy afterwards): a
    // refused start (no room, no file) has reported itself and made no file. Without the window
    // nothing can start.
    auto start = [&](CRecorderWindow* recorder, const QString& path, double from, double to, int stopSeconds,
                     const QString& missing)
    {
        if (recorder == nullptr)
        {
            Prompt().Warning(this, QApplication::applicationName(), missing);
            return false;
        }
        recorder->StartRecording(path, from, to, stopSeconds);
        return recorder->IsBusy();
    };
    const bool signalRecording =
        signal.bRecord && start(m_pSignalRecorderWindow, signal.strPath, pane->GetXFrom(), pane->GetXTo(),
                                signal.nStopSeconds, tr("The signal recording was not started!"));
    const bool soundRecording =
        sound.bRecord && start(m_pSoundRecorderWindow, sound.strPath, 0.0, 0.0, sound.nStopSeconds,
                               tr("The sound recording was not started!"));

    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Index = -1;
    entry.GroupIndex = group;
    entry.Timestamp = now.toSecsSinceEpoch();
    entry.FreqBegin = freqBegin;
    entry.FreqEnd = freqEnd;
    entry.FreqPeak = freqPeak;
    entry.Level = level;
    entry.Excess = excess;
    entry.Comment = comment.toStdWString();
    entry.Channel = g_DeviceThread.GetChannelType();
    entry.Source = source;
    if (!image.isEmpty())
    {
        if (tag.startsWith(QLatin1Char('r')))
            entry.RangeImageFile = image.toStdWString();
        else if (tag.startsWith(QLatin1Char('d')))
            entry.DdcImageFile = image.toStdWString();
        else if (tag.startsWith(QLatin1Char('m')))
            entry.DemodImageFile = image.toStdWString();
    }
    try
    {
        if (signalRecording)
            entry.SignalRecordingNo = archive->AddRecording(signal.strPath.toStdWString());
        if (soundRecording)
            entry.SoundRecordingFile = sound.strPath.toStdWString();
        archive->AddSignal(entry);
    }
    catch (const std::exception& e)
    {
        // Refused (an unknown group, a taken id): no entry names the image, so it goes too.
        if (!image.isEmpty())
            QFile::remove(image);
        Prompt().Critical(this, QApplication::applicationName(),
                          tr("Failed to add an entry to the archive!") + QLatin1Char(' ') +
                              QString::fromLocal8Bit(e.what()));
        return;
    }
    emit saveArchive();
}

bool CViewBase::ChoosePaneFile(const std::vector<PaneFileType>& table, const QString& folderKey,
                               const QString& caption, bool save, IGraphic** pane, const PaneFileType** type,
                               QString* path)
{
    *pane = GetGraphicAtPoint(m_PressPoint);
    *type = FindType(table, *pane);
    if (*type == nullptr)
        return false;
    const QString folder = g_Parameters.GetString(kPathsGroup, folderKey, QString());
    *path = save ? Prompt().GetSaveFileName(this, caption, folder, (*type)->filter)
                 : Prompt().GetOpenFileName(this, caption, folder, (*type)->filter);
    return !path->isEmpty();
}

bool CViewBase::SavePressedPane(const std::vector<PaneFileType>& table, const QString& folderKey,
                                const QString& caption, const QString& failure)
{
    IGraphic* pane = nullptr;
    const PaneFileType* type = nullptr;
    QString path;
    if (!ChoosePaneFile(table, folderKey, caption, true, &pane, &type, &path))
        return false;
    try
    {
        SavePaneData(path, type->tag, pane, type->kind);
    }
    catch (const std::exception& e)
    {
        Prompt().Warning(this, QApplication::applicationName(), failure + QString::fromUtf8(e.what()),
                         QMessageBox::Ok);
        return false;
    }
    g_Parameters.SetString(kPathsGroup, folderKey, FolderOf(path));
    return true;
}

bool CViewBase::LoadPressedPane(const std::vector<PaneFileType>& table, const QString& folderKey,
                                const QString& caption, const QString& failure)
{
    IGraphic* pane = nullptr;
    const PaneFileType* type = nullptr;
    QString path;
    if (!ChoosePaneFile(table, folderKey, caption, false, &pane, &type, &path))
        return false;
    try
    {
        // Validated whole before the pane changes; a refused file leaves everything as it was.
        LoadPaneData(path, type->tag, pane, type->kind);
        // Loaded data are held against the live data until the operator picks another operation.
        pane->SetDataOperation(1);
        m_bLoadedData = true;
    }
    catch (const std::exception& e)
    {
        Prompt().Warning(this, QApplication::applicationName(), failure + QString::fromUtf8(e.what()),
                         QMessageBox::Ok);
        return false;
    }
    g_Parameters.SetString(kPathsGroup, folderKey, FolderOf(path));
    update();
    return true;
}

QAction* CViewBase::AddCheckableAction(QMenu* menu, const QString& text, bool checked)
{
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void CViewBase::SetPressedDataOperation(int operation)
{
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    if (pane == nullptr)
        return;
    try
    {
        pane->SetDataOperation(operation);
        m_bLoadedData = operation != 0;
    }
    catch (const std::exception&)
    {
        // The painter refused the operation; the pane keeps showing what it showed.
    }
    update();
}

void CViewBase::CancelPressedDataOperation()
{
    SetPressedDataOperation(0);
}

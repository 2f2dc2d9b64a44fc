// The archive window's operations on groups and entries, its context menus and its web-page report.
// Each operation that reaches the library catches what the library throws, reports it and skips its
// save: the file catches up at the next change, show or exit.

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

#include <memory>

#include "archivewindow.h"
#include "htmlreport.h"
#include "isignalrecorder.h"
#include "isignalsarchive.h"
#include "parameters.h"
#include "prompt.h"
#include "recorderwindow.h"
#include "ui_archivewindow.h"

namespace
{
QString AppName()
{
    return QCoreApplication::applicationName();
}

int ItemValue(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toInt();
}

bool Confirmed(QWidget* parent, const QString& question)
{
    return Prompt().Question(parent, AppName(), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}
}  // namespace

void CArchiveWindow::OnAddGroupButton()
{
    if (!m_pArchive)
        return;
    bool ok = false;
    const QString name =
        Prompt().GetText(this, AppName(), tr("New group name:"), QLineEdit::Normal, QString(), &ok);
    if (!ok || name.isEmpty())
        return;
    try
    {
        const int id = m_pArchive->AddUserGroup(-1, name.toStdWString());
        auto* item = new QTreeWidgetItem(m_ui->m_pGroupsTree->topLevelItem(2), {name});
        item->setData(0, Qt::UserRole, id);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(ex);
        return;
    }
    SaveArchive();
    emit groupsChanged();
}

void CArchiveWindow::OnRenameGroupButton()
{
    QTreeWidgetItem* item = CurrentUserGroup();
    if (item == nullptr || !m_pArchive)
        return;
    try
    {
        ARCHIVE_GROUP group = m_pArchive->GetGroup(ItemValue(item));
        bool ok = false;
        const QString name =
            Prompt().GetText(this, AppName(), tr("New group name:"), QLineEdit::Normal, item->text(0), &ok);
        if (!ok || name.isEmpty())
            return;
        group.name = name.toStdWString();
        m_pArchive->RenameUserGroup(group);
        item->setText(0, name);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to rename group!"), ex);
        return;
    }
    SaveArchive();
    emit groupsChanged();
}

void CArchiveWindow::OnDeleteGroupButton()
{
    QTreeWidgetItem* item = CurrentUserGroup();
    if (item == nullptr || !m_pArchive)
        return;
    if (!Confirmed(this, tr("Are you sure you want to delete '") + item->text(0) + QStringLiteral("'?")))
        return;
    const int id = ItemValue(item);
    try
    {
        m_pArchive->RemoveUserGroup(id);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to delete group!"), ex);
        return;
    }
    delete item;
    // The list may hold rows of the entries that went with the group: it is built again, for "All
    // Signals" when it showed the deleted group.
    const int shown = m_nShownGroup == id ? kAllSignals : m_nShownGroup;
    if (!SelectGroup(shown))
        SelectGroup(kAllSignals);
    FillContentTree(ItemValue(m_ui->m_pGroupsTree->currentItem()));
    SaveArchive();
    emit groupsChanged();
}

void CArchiveWindow::OnOptionsButton()
{
    // The archive has no options; the slot stays for the menus that may offer it.
}

void CArchiveWindow::OnGotoFreqButton()
{
    try
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        if (CurrentEntry(&entry))
            emit changeChannel(entry.Channel, entry.FreqPeak / 1000000.0, false);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to change DDC frequency!"), ex);
    }
}

void CArchiveWindow::OnGotoTimeButton()
{
    try
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        // Only an entry with a recording has a time to replay from.
        if (!CurrentEntry(&entry) || entry.SignalRecordingNo == -1)
            return;
        const QString path = QString::fromStdWString(m_pArchive->FindRecordingNo(entry.SignalRecordingNo));
        emit gotoTime(entry.Channel, static_cast<time_t>(entry.Timestamp), entry.FreqPeak, path);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(ex);
    }
}

void CArchiveWindow::OnViewSignalRecordingButton()
{
    try
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        if (!CurrentEntry(&entry) || entry.SignalRecordingNo == -1)
            return;
        const QString path = QString::fromStdWString(m_pArchive->FindRecordingNo(entry.SignalRecordingNo));
        // Checking a file closes what the recorder has open: a recording running now (from a view or
        // the monitoring) would lose its trailer and with it its length.
        if (!m_pRecorder || !m_pSignalRecorderWindow || m_pRecorder->IsRecording())
        {
            Prompt().Warning(this, AppName(), tr("Unable to play back file!"));
            return;
        }
        // A playback that runs is stopped the way its window stops it, clock and status included.
        if (m_pRecorder->IsPlaying())
            m_pSignalRecorderWindow->OnStopButton();
        RECORDING_FILE_INFO info;
        if (!m_pRecorder->CheckRecordingFile(path.toStdWString(), info))
        {
            Prompt().Warning(this, AppName(), tr("Unable to play back file!"));
            return;
        }
        m_pRecorder->SetStopped();
        emit changeChannel(entry.Channel, 0.0, false);
        m_pSignalRecorderWindow->StartPlayback(path, static_cast<int>(info.duration));
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed view a recording!"), ex);
        if (m_pRecorder)
            m_pRecorder->SetIdle();
    }
}

void CArchiveWindow::OnPlaySoundRecordingButton()
{
    try
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        if (CurrentEntry(&entry) && !entry.SoundRecordingFile.empty() && m_pSoundRecorderWindow)
            m_pSoundRecorderWindow->StartPlayback(QString::fromStdWString(entry.SoundRecordingFile), 0);
    }
    catch (const std::exception& ex)
    {
        ReportFailure(ex);
    }
}

void CArchiveWindow::OnViewImageButton()
{
    try
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        if (!CurrentEntry(&entry))
            return;
        emit changeChannel(entry.Channel, 0.0, false);
        for (const std::wstring* image : {&entry.RangeImageFile, &entry.DdcImageFile, &entry.DemodImageFile})
        {
            if (!image->empty())
            {
                emit loadImage(QString::fromStdWString(*image));
                break;
            }
        }
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to view an image!"), ex);
    }
}

void CArchiveWindow::OnSetCommentButton()
{
    if (!m_pArchive)
        return;
    bool ok = false;
    const QString comment =
        Prompt().GetText(this, AppName(), tr("Set comment"), QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    try
    {
        for (QTreeWidgetItem* row : m_ui->m_pContentTree->selectedItems())
        {
            const int id = ItemValue(row);
            m_pArchive->GetSignal(id);
            m_pArchive->SetSignalComment(id, comment.toStdWString());
            row->setText(6, comment);
        }
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to set comment!"), ex);
        return;
    }
    SaveArchive();
}

void CArchiveWindow::OnDeleteButton()
{
    if (!m_pArchive || !Confirmed(this, tr("Are you sure you want to delete selected entries?")))
        return;
    try
    {
        for (QTreeWidgetItem* row : m_ui->m_pContentTree->selectedItems())
        {
            m_pArchive->DeleteSignal(ItemValue(row));
            delete row;
        }
    }
    catch (const std::exception& ex)
    {
        ShowCount();
        ReportFailure(tr("Failed to delete items!"), ex);
        return;
    }
    ShowCount();
    SaveArchive();
}

void CArchiveWindow::OnDeleteAllButton()
{
    if (!m_pArchive || !Confirmed(this, tr("Are you sure you want to delete all shown entries?")))
        return;
    QTreeWidget* list = m_ui->m_pContentTree;
    try
    {
        while (QTreeWidgetItem* row = list->topLevelItem(0))
        {
            m_pArchive->DeleteSignal(ItemValue(row));
            delete row;
        }
    }
    catch (const std::exception& ex)
    {
        ShowCount();
        ReportFailure(tr("Failed to delete an item!"), ex);
        return;
    }
    ShowCount();
    SaveArchive();
}

void CArchiveWindow::OnMoveToGroup()
{
    const auto* action = qobject_cast<const QAction*>(sender());
    if (action == nullptr || !m_pArchive)
        return;
    const int group = action->data().toInt();
    // A list that shows every entry, or the target group, still holds the moved entries.
    const bool stays = m_nShownGroup == kAllSignals || m_nShownGroup == group;
    try
    {
        for (QTreeWidgetItem* row : m_ui->m_pContentTree->selectedItems())
        {
            const int id = ItemValue(row);
            m_pArchive->GetSignal(id);
            m_pArchive->SetSignalGroup(id, group);
            if (stays)
                row->setText(1, GroupName(group));
            else
                delete row;
        }
    }
    catch (const std::exception& ex)
    {
        ShowCount();
        ReportFailure(tr("Failed to move to the other group!"), ex);
        return;
    }
    ShowCount();
    SaveArchive();
}

void CArchiveWindow::OnGroupsTreeClicked(QTreeWidgetItem* item, int /*column*/)
{
    if (item != nullptr)
        FillContentTree(ItemValue(item));
}

void CArchiveWindow::OnGroupsTreeCurrentItemChanged(QTreeWidgetItem* /*current*/,
                                                    QTreeWidgetItem* /*previous*/)
{
    // Moving through the groups with the keys only moves: a click chooses the group shown.
}

void CArchiveWindow::OnContentTreeClicked(QTreeWidgetItem* /*item*/, int /*column*/)
{
    // A click only selects; the menu acts on the selection.
}

void CArchiveWindow::OnContentTreeCurrentItemChanged(QTreeWidgetItem* /*current*/,
                                                     QTreeWidgetItem* /*previous*/)
{
    // What the views show of the previous entry is no longer the entry in focus.
    emit closeImages();
}

void CArchiveWindow::OnGroupsContextMenu(const QPoint& /*pos*/)
{
    std::unique_ptr<QMenu> menu(CreateGroupsMenu());
    if (menu)
        menu->exec(QCursor::pos());
}

void CArchiveWindow::OnContentContextMenu(const QPoint& /*pos*/)
{
    std::unique_ptr<QMenu> menu(CreateContentMenu());
    if (menu)
        menu->exec(QCursor::pos());
}

void CArchiveWindow::OnSaveButton()
{
    const QString section = QStringLiteral("FilePaths");
    const QString key = QStringLiteral("ArchiveSave");
    const QString path = Prompt().GetSaveFileName(this, tr("Save Archive As Web page"),
                                                  g_Parameters.GetString(section, key, QString()),
                                                  tr("Web pages (*.htm *.html)"));
    if (path.isEmpty())
        return;

    // The page is the list as shown: its header, then its rows in their current order.
    const QTreeWidget* list = m_ui->m_pContentTree;
    CHtmlReport report(tr("Signals Archive"));
    QStringList cells;
    for (int column = 0; column < kColumns; ++column)
        cells << list->headerItem()->text(column);
    report.AddRow(cells);
    for (int i = 0; i < list->topLevelItemCount(); ++i)
    {
        cells.clear();
        for (int column = 0; column < kColumns; ++column)
            cells << list->topLevelItem(i)->text(column);
        report.AddRow(cells);
    }
    if (!report.Save(path))
    {
        Prompt().Warning(this, AppName(), tr("Error saving the archive! "));
        return;
    }
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    g_Parameters.SetString(section, key, slash >= 0 ? path.left(slash) : QString());
}

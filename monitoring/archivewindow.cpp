#include "archivewindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>

#include <vector>

#include "archivefile.h"
#include "devicethread.h"
#include "doubletreewidgetitem.h"
#include "globals.h"
#include "isignalsarchive.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_archivewindow.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("ArchiveWindow");
const QString kGroupKey = QStringLiteral("Group");
const QString kSplitterKey = QStringLiteral("SplitterState");

QString ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}

QString AppName()
{
    return QCoreApplication::applicationName();
}

QString LevelText(double level)
{
    return level == -1.0 ? QStringLiteral("n/a") : CUtils::FormatValue(level, CUtils::KindLevel, 4);
}

int ItemValue(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toInt();
}
}  // namespace

CArchiveWindow::CArchiveWindow(QWidget* parent, ISignalsArchive* archive, const QString& archiveFile,
                               ISignalRecorder* recorder)
    : CQDockWindow(QStringLiteral("ArchiveWindow1"), parent),
      m_ui(std::make_unique<Ui::CArchiveWindow>()),
      m_pArchive(archive ? archive : g_DeviceThread.m_pArchive),
      m_pRecorder(recorder ? recorder : g_DeviceThread.m_pRecorder),
      m_strArchiveFile(archiveFile.isEmpty()
                           ? QStandardPaths::writableLocation(QStandardPaths::DataLocation) +
                                 QStringLiteral("/archive.xml")
                           : archiveFile)
{
    m_ui->setupUi(this);
    m_ui->m_pSplitter->setStyleSheet(
        QStringLiteral("QSplitter::handle { border: 0px;  background-color: rgb(76, 76, 88) }"));
    RestoreSettings();

    LoadArchive();
    const int group = g_Parameters.GetInt(kSection, kGroupKey, 0);
    SelectGroup(group);
    FillContentTree(group);
    m_ui->m_pContentTree->sortByColumn(0, Qt::AscendingOrder);

    QTreeWidget* groups = m_ui->m_pGroupsTree;
    QTreeWidget* content = m_ui->m_pContentTree;
    connect(groups, &QTreeWidget::itemClicked, this, &CArchiveWindow::OnGroupsTreeClicked);
    connect(groups, &QTreeWidget::currentItemChanged, this, &CArchiveWindow::OnGroupsTreeCurrentItemChanged);
    connect(groups, &QWidget::customContextMenuRequested, this, &CArchiveWindow::OnGroupsContextMenu);
    connect(content, &QTreeWidget::itemClicked, this, &CArchiveWindow::OnContentTreeClicked);
    connect(content, &QTreeWidget::currentItemChanged, this,
            &CArchiveWindow::OnContentTreeCurrentItemChanged);
    connect(content, &QWidget::customContextMenuRequested, this, &CArchiveWindow::OnContentContextMenu);
    connect(m_ui->m_pSaveButton, &QPushButton::clicked, this, &CArchiveWindow::OnSaveButton);
}

CArchiveWindow::~CArchiveWindow()
{
    StoreSettings();
    SaveUnlessHeld();
}

void CArchiveWindow::RestoreSettings()
{
    if (!g_Parameters.HasKey(kSection, ColumnKey(0)))
    {
        for (int column = 0; column < kColumns; ++column)
            g_Parameters.SetInt(kSection, ColumnKey(column), 120);
        g_Parameters.SetInt(kSection, kGroupKey, kAllSignals);
    }
    const QByteArray state =
        QByteArray::fromHex(g_Parameters.GetString(kSection, kSplitterKey, QString()).toLatin1());
    if (!m_ui->m_pSplitter->restoreState(state))
    {
        const int w = width();
        m_ui->m_pSplitter->setSizes({w / 3, 2 * w / 3});
    }
    for (int column = 0; column < kColumns; ++column)
        m_ui->m_pContentTree->setColumnWidth(
            column, std::max(g_Parameters.GetInt(kSection, ColumnKey(column), 0), kMinColumnWidth));
}

void CArchiveWindow::StoreSettings()
{
    for (int column = 0; column < kColumns; ++column)
        g_Parameters.SetInt(kSection, ColumnKey(column), m_ui->m_pContentTree->columnWidth(column));
    g_Parameters.SetString(kSection, kSplitterKey,
                           QString::fromLatin1(m_ui->m_pSplitter->saveState().toHex()));
    if (const QTreeWidgetItem* current = m_ui->m_pGroupsTree->currentItem())
        g_Parameters.SetInt(kSection, kGroupKey, ItemValue(current));
}

QString CArchiveWindow::SourceName(int source)
{
    switch (source)
    {
        case 0:
            return tr("Normal mode");
        case 1:
            return tr("Analysis mode");
        case 2:
            return tr("Monitoring mode");
        case 3:
            return tr("Pulse detect mode");
        case 4:
            return tr("Device memory mode");
        default:
            return QString();
    }
}

void CArchiveWindow::LoadArchive()
{
    if (!m_pArchive)
    {
        FillGroupsTree();
        return;
    }
    try
    {
        // The predefined groups are the program's, not the file's; a library archive that already has
        // them (a second window over the same archive) keeps its own.
        if (m_pArchive->GetPredefinedGroups().empty())
        {
            m_pArchive->AddPredefinedGroup(0, tr("New Signals").toStdWString());
            m_pArchive->AddPredefinedGroup(1, tr("Legal Signals").toStdWString());
            m_pArchive->AddPredefinedGroup(2, tr("Dangerous Signals").toStdWString());
            m_pArchive->AddPredefinedGroup(3, tr("Suspicious Signals").toStdWString());
        }
    }
    catch (const std::exception& ex)
    {
        Prompt().Critical(this, AppName(), tr("Failed to load the archive!") + QString::fromUtf8(ex.what()));
    }

    QString error;
    const CArchiveFile::LoadResult result = CArchiveFile::Load(*m_pArchive, m_strArchiveFile, &error);
    if (result == CArchiveFile::LoadResult::Partial || result == CArchiveFile::LoadResult::Unreadable)
    {
        // What did not load is still in the file: keep a copy, and leave the file alone until the
        // operator changes the archive.
        m_bSaveHeld = true;
        m_strSetAside = CArchiveFile::SetAside(m_strArchiveFile);
        QString text = tr("Failed to load the archive!") + QLatin1Char(' ') + error;
        if (!m_strSetAside.isEmpty())
            text += QLatin1Char('\n') +
                    tr("The file was copied to %1.").arg(QDir::toNativeSeparators(m_strSetAside));
        Prompt().Critical(this, AppName(), text);
    }
    // The tree shows whatever loaded, also after a failure.
    FillGroupsTree();
}

void CArchiveWindow::FillGroupsTree()
{
    QTreeWidget* tree = m_ui->m_pGroupsTree;
    QTreeWidgetItem* all = tree->topLevelItem(0);
    QTreeWidgetItem* predefined = tree->topLevelItem(1);
    QTreeWidgetItem* user = tree->topLevelItem(2);
    all->setData(0, Qt::UserRole, kAllSignals);
    predefined->setData(0, Qt::UserRole, kPredefinedGroups);
    user->setData(0, Qt::UserRole, kUserGroups);
    try
    {
        qDeleteAll(predefined->takeChildren());
        qDeleteAll(user->takeChildren());
        if (m_pArchive)
        {
            for (const ARCHIVE_GROUP& group : m_pArchive->GetPredefinedGroups())
            {
                auto* item = new QTreeWidgetItem(predefined, {QString::fromStdWString(group.name)});
                item->setData(0, Qt::UserRole, group.id);
            }
            for (const ARCHIVE_GROUP& group : m_pArchive->GetUserGroups())
            {
                auto* item = new QTreeWidgetItem(user, {QString::fromStdWString(group.name)});
                item->setData(0, Qt::UserRole, group.id);
            }
        }
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to fill the tree of groups!"), ex);
    }
    tree->expandAll();
}

bool CArchiveWindow::SelectGroup(int group)
{
    QTreeWidget* tree = m_ui->m_pGroupsTree;
    QTreeWidgetItem* all = tree->topLevelItem(0);
    if (group == kAllSignals)
    {
        tree->setCurrentItem(all);
        return true;
    }
    // The folders carry 0 and 3 as well: a stored value names the group item, never a folder.
    for (int top = 1; top < tree->topLevelItemCount(); ++top)
    {
        QTreeWidgetItem* folder = tree->topLevelItem(top);
        for (int i = 0; i < folder->childCount(); ++i)
        {
            if (ItemValue(folder->child(i)) == group)
            {
                tree->setCurrentItem(folder->child(i));
                return true;
            }
        }
    }
    return false;
}

QString CArchiveWindow::GroupName(int group)
{
    try
    {
        return QString::fromStdWString(m_pArchive->GetGroup(group).name);
    }
    catch (const std::out_of_range&)
    {
        // An unknown group id hides nothing: the entry shows with the id it carries.
        return QStringLiteral("#%1").arg(group);
    }
}

void CArchiveWindow::FillContentTree(int group)
{
    QTreeWidget* list = m_ui->m_pContentTree;
    list->clear();
    m_nShownGroup = group;
    if (!m_pArchive)
        return;
    // Rows go in unsorted and are sorted once, by the column the operator chose.
    list->setSortingEnabled(false);
    try
    {
        std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
        m_pArchive->GetSignalsOfGroup(entries, group);
        const QString yes = tr("Yes");
        for (const ARCHIVE_SIGNAL_ENTRY& entry : entries)
        {
            auto* item = new CQDoubleTreeWidgetItem();
            item->setText(0, QDateTime::fromSecsSinceEpoch(entry.Timestamp)
                                 .toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
            item->setData(0, Qt::UserRole, entry.Index);
            item->setText(1, GroupName(entry.GroupIndex));
            item->setText(2, CUtils::FormatValue(entry.FreqPeak / 1000000.0, CUtils::KindFrequency, 4));
            item->setData(2, Qt::UserRole, entry.FreqPeak);
            item->setData(3, Qt::UserRole, entry.FreqEnd - entry.FreqBegin);
            item->setText(4, LevelText(entry.Level));
            item->setData(4, Qt::UserRole, entry.Level);
            item->setText(5, LevelText(entry.Excess));
            item->setData(5, Qt::UserRole, entry.Excess);
            item->setText(6, QString::fromStdWString(entry.Comment));
            item->setText(7, entry.RangeImageFile.empty() ? QString() : yes);
            item->setText(8, entry.DdcImageFile.empty() ? QString() : yes);
            item->setText(9, entry.DemodImageFile.empty() ? QString() : yes);
            item->setText(10, entry.SignalRecordingNo == -1 ? QString() : yes);
            item->setText(11, entry.SoundRecordingFile.empty() ? QString() : yes);
            item->setText(12, SourceName(entry.Source));
            for (int column : {2, 3, 4, 7, 8, 9, 10})
                item->setTextAlignment(column, Qt::AlignLeft);
            list->addTopLevelItem(item);
        }
        ShowCount();
    }
    catch (const std::exception& ex)
    {
        ReportFailure(tr("Failed to fill the list!"), ex);
    }
    list->setSortingEnabled(true);
}

void CArchiveWindow::ShowCount()
{
    m_ui->m_pCountLabel->setText(tr("%1 signals").arg(m_ui->m_pContentTree->topLevelItemCount()));
}

void CArchiveWindow::ReportFailure(const QString& message, const std::exception& ex)
{
    Prompt().Critical(this, AppName(), message + QLatin1Char(' ') + QString::fromUtf8(ex.what()));
}

void CArchiveWindow::ReportFailure(const std::exception& ex)
{
    Prompt().Critical(this, AppName(), QString::fromUtf8(ex.what()));
}

bool CArchiveWindow::SaveArchive()
{
    if (!m_pArchive)
        return false;
    QString error;
    if (!CArchiveFile::Save(*m_pArchive, m_strArchiveFile, &error))
    {
        Prompt().Critical(this, AppName(), tr("Failed to save the archive!") + QLatin1Char(' ') + error);
        return false;
    }
    m_bSaveHeld = false;
    return true;
}

void CArchiveWindow::SaveUnlessHeld()
{
    if (m_bSaveHeld || !m_pArchive)
        return;
    QString error;
    if (!CArchiveFile::Save(*m_pArchive, m_strArchiveFile, &error))
        qWarning() << "The signals archive could not be written:" << error;
}

void CArchiveWindow::setVisible(bool visible)
{
    if (visible)
    {
        if (QTreeWidgetItem* current = m_ui->m_pGroupsTree->currentItem())
            FillContentTree(ItemValue(current));
        SaveUnlessHeld();
    }
    CQDockWindow::setVisible(visible);
}

void CArchiveWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form puts its own "0 signals" back; the list still holds its rows.
        m_ui->retranslateUi(this);
        ShowCount();
        return;
    }
    CQDockWindow::changeEvent(event);
}

QMenu* CArchiveWindow::CreateGroupsMenu()
{
    QTreeWidget* tree = m_ui->m_pGroupsTree;
    if (tree->currentItem() == nullptr)
        return nullptr;
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add Group..."), this, &CArchiveWindow::OnAddGroupButton);
    if (CurrentUserGroup() != nullptr)
    {
        menu->addAction(tr("Rename Group..."), this, &CArchiveWindow::OnRenameGroupButton);
        menu->addAction(tr("Delete Group..."), this, &CArchiveWindow::OnDeleteGroupButton);
    }
    menu->addSeparator();
    menu->addAction(tr("Collapse All"), tree, &QTreeWidget::collapseAll);
    menu->addAction(tr("Expand All"), tree, &QTreeWidget::expandAll);
    return menu;
}

QMenu* CArchiveWindow::CreateContentMenu()
{
    ARCHIVE_SIGNAL_ENTRY entry;
    try
    {
        if (!m_pArchive || !CurrentEntry(&entry))
            return nullptr;
    }
    catch (const std::exception&)
    {
        // The row outlived its entry: there is nothing to act on.
        return nullptr;
    }
    auto* menu = new QMenu(this);
    if (m_ui->m_pContentTree->selectedItems().size() == 1)
    {
        menu->addAction(tr("Go To This Frequency..."), this, &CArchiveWindow::OnGotoFreqButton);
        if (entry.SignalRecordingNo != -1)
            menu->addAction(tr("View Signal Recording..."), this,
                            &CArchiveWindow::OnViewSignalRecordingButton);
        if (!entry.SoundRecordingFile.empty())
            menu->addAction(tr("Play Sound Recording..."), this, &CArchiveWindow::OnPlaySoundRecordingButton);
        if (!entry.RangeImageFile.empty() || !entry.DdcImageFile.empty() || !entry.DemodImageFile.empty())
            menu->addAction(tr("View Image..."), this, &CArchiveWindow::OnViewImageButton);
    }
    menu->addAction(tr("Set Comment..."), this, &CArchiveWindow::OnSetCommentButton);
    menu->addAction(tr("Delete..."), this, &CArchiveWindow::OnDeleteButton);
    menu->addAction(tr("Delete All..."), this, &CArchiveWindow::OnDeleteAllButton);
    menu->addSeparator();
    if (const QTreeWidgetItem* current = m_ui->m_pGroupsTree->currentItem())
    {
        const int currentGroup = ItemValue(current);
        QMenu* move = menu->addMenu(tr("Move To Group"));
        auto addGroups = [&](const std::vector<ARCHIVE_GROUP>& groups)
        {
            for (const ARCHIVE_GROUP& group : groups)
            {
                if (group.id == currentGroup)
                    continue;
                QAction* action = move->addAction(QString::fromStdWString(group.name), this,
                                                  &CArchiveWindow::OnMoveToGroup);
                action->setData(group.id);
            }
        };
        addGroups(m_pArchive->GetPredefinedGroups());
        if (!m_pArchive->GetUserGroups().empty())
        {
            move->addSeparator();
            addGroups(m_pArchive->GetUserGroups());
        }
    }
    return menu;
}

QTreeWidgetItem* CArchiveWindow::CurrentUserGroup() const
{
    QTreeWidgetItem* current = m_ui->m_pGroupsTree->currentItem();
    if (current == nullptr || current->parent() != m_ui->m_pGroupsTree->topLevelItem(2) ||
        ItemValue(current) <= kUserGroups)
        return nullptr;
    return current;
}

bool CArchiveWindow::CurrentEntry(ARCHIVE_SIGNAL_ENTRY* entry)
{
    const QTreeWidgetItem* row = m_ui->m_pContentTree->currentItem();
    if (row == nullptr || !m_pArchive)
        return false;
    *entry = m_pArchive->GetSignal(ItemValue(row));
    return true;
}

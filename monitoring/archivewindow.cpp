#include "archivewindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

#include "archivefile.h"
#include "devicethread.h"
#include "globals.h"
#include "isignalsarchive.h"
#include "prompt.h"
#include "utils.h"

namespace
{
QString AppName()
{
    return QCoreApplication::applicationName();
}

QTreeWidgetItem* GroupItem(const QString& name, int id)
{
    auto* item = new QTreeWidgetItem(QStringList(name));
    item->setData(0, Qt::UserRole, id);
    return item;
}

QString LevelText(double level)
{
    return level == -1.0 ? QStringLiteral("n/a") : CUtils::FormatValue(level, 0, 4);
}
}  // namespace

CArchiveWindow::CArchiveWindow(QWidget* parent, ISignalsArchive* archive, const QString& archiveFile)
    : CQDockWindow(QStringLiteral("ArchiveWindow1"), parent),
      m_pArchive(archive ? archive : g_DeviceThread.m_pArchive),
      m_strArchiveFile(archiveFile.isEmpty()
                           ? QStandardPaths::writableLocation(QStandardPaths::DataLocation) +
                                 QStringLiteral("/archive.xml")
                           : archiveFile)
{
    setWindowTitle(tr("Signals Archive"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_pSplitter = new QSplitter(Qt::Horizontal, content);
    m_pSplitter->setStyleSheet(
        QStringLiteral("QSplitter::handle { border: 0px;  background-color: rgb(76, 76, 88) }"));
    auto* left = new QWidget(m_pSplitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(new QLabel(tr("Signal Groups"), left));
    m_pGroupsTree = new QTreeWidget(left);
    m_pGroupsTree->setHeaderLabels({tr("Name")});
    leftLayout->addWidget(m_pGroupsTree);
    auto* right = new QWidget(m_pSplitter);
    auto* rightLayout = new QVBoxLayout(right);
    auto* rightTop = new QHBoxLayout();
    rightTop->addWidget(new QLabel(tr("Signals in selected group"), right));
    m_pCountLabel = new QLabel(tr("0 signals"), right);
    m_pCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rightTop->addWidget(m_pCountLabel);
    rightLayout->addLayout(rightTop);
    m_pContentTree = new QTreeWidget(right);
    m_pContentTree->setHeaderLabels({tr("Date"), tr("Group"), tr("Frequency"), QString(), tr("Level"),
                                     tr("Excess"), tr("Comment"), tr("Range Image"), tr("IF Image"),
                                     tr("Demod Image"), tr("Signal Recording"), tr("Sound Recording"),
                                     tr("Source")});
    m_pContentTree->setRootIsDecorated(false);
    m_pContentTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rightLayout->addWidget(m_pContentTree);
    layout->addWidget(m_pSplitter);
    setWidget(content);

    // A click on a group shows its entries.
    connect(m_pGroupsTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { FillList(item->data(0, Qt::UserRole).toInt()); });

    LoadArchive();
}

CArchiveWindow::~CArchiveWindow()
{
    SaveUnlessHeld();
}

void CArchiveWindow::LoadArchive()
{
    if (!m_pArchive)
        return;
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
    m_pGroupsTree->clear();
    QTreeWidgetItem* all = GroupItem(tr("All Signals"), kAllSignals);
    QTreeWidgetItem* predefined = GroupItem(tr("Predefined Groups"), kPredefinedGroups);
    QTreeWidgetItem* user = GroupItem(tr("User Groups"), kUserGroups);
    m_pGroupsTree->addTopLevelItems({all, predefined, user});
    if (m_pArchive)
    {
        for (const ARCHIVE_GROUP& group : m_pArchive->GetPredefinedGroups())
            predefined->addChild(GroupItem(QString::fromStdWString(group.name), group.id));
        for (const ARCHIVE_GROUP& group : m_pArchive->GetUserGroups())
            user->addChild(GroupItem(QString::fromStdWString(group.name), group.id));
    }
    m_pGroupsTree->expandAll();
    m_pGroupsTree->setCurrentItem(all);
}

void CArchiveWindow::FillList(int groupId)
{
    m_pContentTree->clear();
    if (!m_pArchive)
        return;
    try
    {
        std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
        m_pArchive->GetSignalsOfGroup(entries, groupId);
        for (const ARCHIVE_SIGNAL_ENTRY& entry : entries)
        {
            auto* item = new QTreeWidgetItem();
            item->setText(0, QDateTime::fromSecsSinceEpoch(entry.Timestamp)
                                 .toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
            item->setData(0, Qt::UserRole, entry.Index);
            QString group;
            try
            {
                group = QString::fromStdWString(m_pArchive->GetGroup(entry.GroupIndex).name);
            }
            catch (const std::out_of_range&)
            {
                // An unknown group id hides nothing: the entry shows with the id it carries.
                group = QStringLiteral("#%1").arg(entry.GroupIndex);
            }
            item->setText(1, group);
            item->setText(2, CUtils::FormatValue(entry.FreqPeak / 1000000.0, 2, 4));
            item->setText(4, LevelText(entry.Level));
            item->setText(5, LevelText(entry.Excess));
            item->setText(6, QString::fromStdWString(entry.Comment));
            const QString yes = tr("Yes");
            item->setText(7, entry.RangeImageFile.empty() ? QString() : yes);
            item->setText(8, entry.DdcImageFile.empty() ? QString() : yes);
            item->setText(9, entry.DemodImageFile.empty() ? QString() : yes);
            item->setText(10, entry.SignalRecordingNo == -1 ? QString() : yes);
            item->setText(11, entry.SoundRecordingFile.empty() ? QString() : yes);
            m_pContentTree->addTopLevelItem(item);
        }
        m_pCountLabel->setText(tr("%1 signals").arg(m_pContentTree->topLevelItemCount()));
    }
    catch (const std::exception& ex)
    {
        Prompt().Critical(this, AppName(),
                          tr("Failed to fill the list!") + QLatin1Char(' ') + QString::fromUtf8(ex.what()));
    }
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
        if (QTreeWidgetItem* current = m_pGroupsTree->currentItem())
            FillList(current->data(0, Qt::UserRole).toInt());
        SaveUnlessHeld();
    }
    CQDockWindow::setVisible(visible);
}

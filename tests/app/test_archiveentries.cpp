// The whole path of an archive entry in demo mode, in-process with the real library: the band view's
// "Add to Archive..." opens the new-entry dialog, files the entry with its pane image in the archive
// folder and starts the sound recorder; the archive window then lists the entry and shows its image.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "archivewindow.h"
#include "ddcview.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "igraphic.h"
#include "isignalsarchive.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "soundrecorderwindow.h"
#include "ui_archivewindow.h"
#include "ui_newsignalentrydialog.h"
#include "veltrano.h"

namespace
{
class CArchiveMainWindow : public Veltrano
{
public:
    CArchiveMainWindow() : Veltrano(0, QString()) {}
    using Veltrano::ui;
};

QAction* FindAction(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

TEST(ArchiveEntryDemoTest, TheBandViewFilesAnEntryWithItsImageAndItsSound)
{
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();
    QTemporaryDir dir;
    // The device loop sets the archive folder from the settings whenever it initialises, which may
    // come after the switch to demo mode: the settings name the test's folder too.
    g_Parameters.SetString(QStringLiteral("Preferences"), QStringLiteral("ArchiveFolder"), dir.path());
    auto window = std::make_unique<CArchiveMainWindow>();
    window->show();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you want to switch to DEMO mode?"));
        window->OnFileDemoModeMenu();
    }
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    archive->SetFolder(dir.path().toStdWString());
    // A band narrow enough for its sound to be recorded.
    window->OnDeviceBandwidthChanged(8);
    QTest::qWait(600);

    CDdcView* view = window->ui.m_pDdcGraphView;
    const QPoint point = view->GetGraphicAt(0)->GetPlotRect().center();
    QTest::mousePress(view, Qt::RightButton, {}, point);
    QTest::mouseRelease(view, Qt::RightButton, {}, point);
    std::unique_ptr<QMenu> menu(view->CreateContextMenu(point));
    ASSERT_TRUE(menu);
    QAction* add = FindAction(menu.get(), QStringLiteral("Add to Archive..."));
    ASSERT_NE(add, nullptr);

    std::vector<ARCHIVE_SIGNAL_ENTRY> before;
    archive->GetSignalsOfGroup(before, -1);
    const QString sound = dir.filePath(QStringLiteral("tone.rec"));
    {
        CScriptedPrompt prompt;
        prompt
            .RunDialog(
                [](QDialog& dialog)
                {
                    auto& form = static_cast<CNewSignalEntryDialog&>(dialog).Form();
                    EXPECT_EQ(form.m_pImageCombo->currentText(), QStringLiteral("IF"));
                    form.m_pGroupCombo->setCurrentIndex(1);
                    form.m_pCommentEdit->setText(QStringLiteral("demo tone"));
                    form.m_pImageCheck->setChecked(true);
                    form.m_pSoundRecordingBrowseButton->click();
                    form.buttonBox->button(QDialogButtonBox::Ok)->click();
                    return dialog.result();
                },
                QStringLiteral("Add Signal to Archive"))
            .AnswerSaveFile(sound, QStringLiteral("Save Recording As"));
        add->trigger();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    menu.reset();

    std::vector<ARCHIVE_SIGNAL_ENTRY> after;
    archive->GetSignalsOfGroup(after, -1);
    ASSERT_EQ(after.size(), before.size() + 1);
    const ARCHIVE_SIGNAL_ENTRY& entry = after.back();
    EXPECT_EQ(entry.GroupIndex, 1);
    EXPECT_EQ(entry.Comment, L"demo tone");
    EXPECT_EQ(entry.Source, 0);
    const QFileInfo image(QString::fromStdWString(entry.DdcImageFile));
    EXPECT_TRUE(image.isFile());
    EXPECT_EQ(image.absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(image.fileName().endsWith(QStringLiteral("_dsd.img"))) << image.fileName().toStdString();
    EXPECT_EQ(QString::fromStdWString(entry.SoundRecordingFile), sound);

    auto* recorder = window->findChild<CSoundRecorderWindow*>();
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(recorder->GetStatus(), QStringLiteral("Recording sound"));
    EXPECT_TRUE(QFileInfo(sound).isFile());
    QTest::qWait(300);
    recorder->OnStopButton();

    // The archive window lists the entry in its group and sends its image to the band view.
    auto* archiveWindow = window->findChild<CArchiveWindow*>();
    ASSERT_NE(archiveWindow, nullptr);
    window->OnArchiveButton();
    ASSERT_TRUE(archiveWindow->isVisible());
    QTreeWidget* list = archiveWindow->Form().m_pContentTree;
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == entry.Index)
            row = list->topLevelItem(i);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(1), QStringLiteral("Legal Signals"));
    EXPECT_EQ(row->text(6), QStringLiteral("demo tone"));
    EXPECT_EQ(row->text(8), QStringLiteral("Yes"));
    EXPECT_EQ(row->text(11), QStringLiteral("Yes"));
    list->setCurrentItem(row);
    {
        CScriptedPrompt prompt;  // nothing is asked
        archiveWindow->OnViewImageButton();
    }
    EXPECT_TRUE(view->IsLoadedData());

    EXPECT_TRUE(window->close());
    window.reset();
    g_DeviceThread.Stop();
}
}  // namespace

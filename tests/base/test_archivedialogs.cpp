// The new-entry dialog and the from-archive dialog over a real library archive: the group ids behind
// their rows, the recording answers, and what cancelling leaves.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "fromarchivedialog.h"
#include "isignalsarchive.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "ui_fromarchivedialog.h"
#include "ui_newsignalentrydialog.h"

namespace
{
class ArchiveDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_archive = m_core.Archive();
        for (int id = 0; id < 4; ++id)
            m_archive->AddPredefinedGroup(id, std::wstring(L"Group ") + wchar_t(L'0' + id));
    }
    // User groups 4 and 6: 5 was removed, so the sixth row is group 6.
    void AddUserGroupsWithAGap()
    {
        m_archive->AddUserGroup(-1, L"Four");
        m_archive->AddUserGroup(-1, L"Five");
        m_archive->AddUserGroup(-1, L"Six");
        m_archive->RemoveUserGroup(5);
    }
    static QString SoundFolder()
    {
        return QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
            .value("NewSignalEntryDialog/SoundFolder", "unset")
            .toString();
    }

    CPrivateCore m_core;
    ISignalsArchive* m_archive = nullptr;
};

TEST_F(ArchiveDialogsTest, RowsGiveTheIdsOfTheirGroups)
{
    AddUserGroupsWithAGap();
    CNewSignalEntryDialog entry(0, nullptr, m_archive);
    QComboBox* groups = entry.Form().m_pGroupCombo;
    ASSERT_EQ(groups->count(), 6);
    EXPECT_EQ(groups->currentIndex(), 0);
    EXPECT_EQ(groups->itemText(5), QStringLiteral("Six"));
    groups->setCurrentIndex(5);
    entry.Form().m_pCommentEdit->setText(QStringLiteral("  as typed "));
    entry.accept();
    EXPECT_EQ(entry.result(), QDialog::Accepted);
    EXPECT_EQ(entry.m_nGroup, 6);
    EXPECT_EQ(entry.m_strComment, QStringLiteral("  as typed "));

    CFromArchiveDialog from(nullptr, m_archive);
    ASSERT_EQ(from.Form().m_pGroupsCombo->count(), 6);
    from.Form().m_pGroupsCombo->setCurrentIndex(5);
    from.Form().m_pIncreaseCheck->setChecked(true);
    from.Form().m_pOkButton->click();
    EXPECT_EQ(from.result(), QDialog::Accepted);
    EXPECT_EQ(from.m_nGroup, 6);
    EXPECT_TRUE(from.m_bIncrease);
}

TEST_F(ArchiveDialogsTest, FromArchiveListsThePredefinedGroupsAndCancelGivesNothing)
{
    CFromArchiveDialog dialog(nullptr, m_archive);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add From Archive"));
    EXPECT_EQ(dialog.size(), QSize(265, 138));
    ASSERT_EQ(dialog.Form().m_pGroupsCombo->count(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(dialog.Form().m_pGroupsCombo->itemText(row), QStringLiteral("Group %1").arg(row));
    dialog.Form().m_pGroupsCombo->setCurrentIndex(2);
    dialog.Form().m_pIncreaseCheck->setChecked(true);
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [](QDialog& running)
        {
            static_cast<CFromArchiveDialog&>(running).Form().m_pCancelButton->click();
            return running.result();
        });
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Rejected);
    EXPECT_EQ(dialog.m_nGroup, -1);
    EXPECT_FALSE(dialog.m_bIncrease);
}

TEST_F(ArchiveDialogsTest, TheStopTimeCountsInTheChosenUnit)
{
    struct Case
    {
        int value;
        int unit;
        bool stop;
        int seconds;
    } cases[] = {{5, 1, true, 300}, {1, 2, true, 3600}, {7, 0, true, 7}, {9, 2, false, 0}, {0, 1, true, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value * 10 + c.unit);
        CNewSignalEntryDialog dialog(1, nullptr, m_archive);
        dialog.Form().m_pStopSoundRecordCombo->setCurrentIndex(c.unit);
        dialog.Form().m_pStopSoundRecordSpin->setValue(c.value);
        dialog.Form().m_pStopSoundRecordCheck->setChecked(c.stop);
        dialog.accept();
        EXPECT_EQ(dialog.m_SoundRecording.nStopSeconds, c.seconds);
        EXPECT_FALSE(dialog.m_SoundRecording.bRecord);
        EXPECT_FALSE(dialog.m_SignalRecording.bRecord);
    }

    // Turning the spin ticks the stop box; unticking it afterwards holds.
    CNewSignalEntryDialog dialog(1, nullptr, m_archive);
    QCheckBox* stop = dialog.Form().m_pStopSoundRecordCheck;
    EXPECT_FALSE(stop->isChecked());
    dialog.Form().m_pStopSoundRecordSpin->stepUp();
    EXPECT_TRUE(stop->isChecked());
    stop->setChecked(false);
    dialog.accept();
    EXPECT_EQ(dialog.m_SoundRecording.nStopSeconds, 0);
}

TEST_F(ArchiveDialogsTest, ThePaneDecidesWhatIsAsked)
{
    CNewSignalEntryDialog none(-1, nullptr, m_archive);
    none.show();
    EXPECT_EQ(none.windowTitle(), QStringLiteral("Add Signal to Archive"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             none.Form().m_pImageCheck, none.Form().m_pImageCombo, none.Form().m_pSoundRecordingCheck,
             none.Form().m_pSoundRecordingBrowseButton, none.Form().m_pTimeAvailableLabel,
             none.Form().m_pSignalRecordingCheck})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(none.Form().m_pGroupCombo->isVisible());
    EXPECT_TRUE(none.Form().m_pCommentEdit->isVisible());
    none.accept();
    EXPECT_FALSE(none.m_bImage);
    EXPECT_EQ(none.m_nPane, 0);
    EXPECT_FALSE(none.m_SoundRecording.bRecord);

    CNewSignalEntryDialog demod(2, nullptr, m_archive);
    demod.show();
    EXPECT_EQ(demod.Form().m_pImageCombo->currentText(), QStringLiteral("Demodulation"));
    EXPECT_FALSE(demod.Form().m_pImageCombo->isEnabled());
    EXPECT_TRUE(demod.Form().m_pSoundRecordingCheck->isVisible());
    EXPECT_TRUE(demod.Form().m_pTimeAvailableLabel->isVisible());
    EXPECT_FALSE(demod.Form().m_pSignalRecordingCheck->isVisible());
    EXPECT_FALSE(demod.Form().m_pSignalRecordingBrowseButton->isVisible());
    demod.Form().m_pImageCheck->setChecked(true);
    demod.accept();
    EXPECT_TRUE(demod.m_bImage);
    EXPECT_EQ(demod.m_nPane, 2);
}

TEST_F(ArchiveDialogsTest, ASoundRecordingNeedsAPathFromTheFileDialog)
{
    QTemporaryDir dir;
    CNewSignalEntryDialog dialog(1, nullptr, m_archive);
    auto& form = dialog.Form();

    // Ticked by hand without a path: OK says so and the dialog stays open.
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [&](QDialog& running)
        {
            form.m_pSoundRecordingCheck->setChecked(true);
            form.buttonBox->button(QDialogButtonBox::Ok)->click();
            EXPECT_TRUE(running.isVisible());
            return int(QDialog::Rejected);
        });
    prompt.Answer(QMessageBox::Ok, QStringLiteral("You should specify the path for the sound recording!"));
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Rejected);
    EXPECT_EQ(prompt.Asked().back().icon, QMessageBox::Critical);

    // Cancel in the file dialog changes nothing; it opens in the documents folder at first.
    form.m_pSoundRecordingCheck->setChecked(false);
    prompt.AnswerSaveFile(QString(), QStringLiteral("Save Recording As"));
    form.m_pSoundRecordingBrowseButton->click();
    EXPECT_EQ(prompt.Asked().back().initial,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(prompt.Asked().back().text, QStringLiteral("Recording files (*.rec)"));
    EXPECT_FALSE(form.m_pSoundRecordingCheck->isChecked());
    EXPECT_TRUE(form.m_pSoundRecordingPathEdit->text().isEmpty());
    EXPECT_EQ(SoundFolder(), QStringLiteral("unset"));

    // A chosen file: its path, the box ticked, its folder remembered for the next time.
    const QString path = dir.filePath("sound.rec");
    prompt.AnswerSaveFile(path);
    form.m_pSoundRecordingBrowseButton->click();
    EXPECT_TRUE(form.m_pSoundRecordingCheck->isChecked());
    EXPECT_EQ(form.m_pSoundRecordingPathEdit->text(), path);
    EXPECT_TRUE(form.m_pSoundRecordingPathEdit->isReadOnly());
    EXPECT_EQ(SoundFolder(), dir.path() + QLatin1Char('/'));
    dialog.accept();
    EXPECT_TRUE(dialog.m_SoundRecording.bRecord);
    EXPECT_EQ(dialog.m_SoundRecording.strPath, path);

    CNewSignalEntryDialog next(1, nullptr, m_archive);
    prompt.AnswerSaveFile(QString());
    next.Form().m_pSoundRecordingBrowseButton->click();
    EXPECT_EQ(prompt.Asked().back().initial, dir.path() + QLatin1Char('/'));
}
}  // namespace

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "inputrangedialog.h"
#include "parameters.h"
#include "scriptedprompt.h"

namespace
{
// The form's widgets, as the operator meets them.
struct Form
{
    explicit Form(CInputRangeDialog& dialog)
        : firstEdit(dialog.findChild<QLineEdit*>("m_pFirstEdit")),
          secondEdit(dialog.findChild<QLineEdit*>("m_pSecondEdit")),
          firstCombo(dialog.findChild<QComboBox*>("m_pFirstCombo")),
          secondCombo(dialog.findChild<QComboBox*>("m_pSecondCombo")),
          secondLabel(dialog.findChild<QLabel*>("m_pSecondLabel")),
          ok(dialog.findChild<QPushButton*>("m_pOkButton")),
          cancel(dialog.findChild<QPushButton*>("m_pCancelButton"))
    {
    }

    // What a click on a unit in the combo's list does.
    static void ChooseUnit(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Replaces the field's text by typing, as the operator does.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }

    QLineEdit* firstEdit;
    QLineEdit* secondEdit;
    QComboBox* firstCombo;
    QComboBox* secondCombo;
    QLabel* secondLabel;
    QPushButton* ok;
    QPushButton* cancel;
};

// A frequency range question with the units the views use: MHz and kHz.
void SetUpFrequencyRange(CInputRangeDialog& dialog, double from, double to)
{
    dialog.SetTexts("Frequency Range Input", "From:", "To:");
    dialog.AddUnit("MHz", 1.0);
    dialog.AddUnit("kHz", 1000.0);
    dialog.SetFirstValue(from, 2);
    dialog.SetSecondValue(to, 2);
}

QString StoredUnit(const QString& key)
{
    return g_Parameters.GetString(CInputRangeDialog::SettingsSection(), key, "<none>");
}

TEST(InputRangeDialog, ShowsValuesInTheChosenUnitAndReadsTypedTextBack)
{
    CInputRangeDialog dialog("ConversionRange");
    SetUpFrequencyRange(dialog, 100.0, 0.125);
    Form form(dialog);
    EXPECT_EQ(form.firstEdit->text(), "100.00");
    EXPECT_EQ(form.secondEdit->text(), "0.13");

    Form::ChooseUnit(form.firstCombo, 1);
    EXPECT_EQ(form.firstEdit->text(), "100000.00");
    EXPECT_DOUBLE_EQ(dialog.GetFirstValue(), 100.0) << "a unit change never changes the value";

    Form::Type(form.firstEdit, "2500");
    EXPECT_DOUBLE_EQ(dialog.GetFirstValue(), 2.5);
    Form::ChooseUnit(form.firstCombo, 0);
    EXPECT_EQ(form.firstEdit->text(), "2.50");

    // The rows keep their own units and values.
    Form::ChooseUnit(form.secondCombo, 1);
    EXPECT_EQ(form.secondEdit->text(), "125.00");
    Form::Type(form.secondEdit, "7.5");
    EXPECT_DOUBLE_EQ(dialog.GetSecondValue(), 0.0075);
    EXPECT_DOUBLE_EQ(dialog.GetFirstValue(), 2.5);
}

TEST(InputRangeDialog, TextThatIsNoFiniteNumberCountsAsZero)
{
    CInputRangeDialog dialog("BadTextRange");
    SetUpFrequencyRange(dialog, 10.0, 20.0);
    Form form(dialog);
    const char* texts[] = {"abc", "", "inf", "-inf", "nan", "1e400", "12,5"};
    for (const char* text : texts)
    {
        Form::Type(form.firstEdit, "3");
        ASSERT_DOUBLE_EQ(dialog.GetFirstValue(), 3.0);
        Form::Type(form.firstEdit, text);
        EXPECT_EQ(dialog.GetFirstValue(), 0.0) << text;
    }
}

TEST(InputRangeDialog, OkRemembersBothUnitsUnderTheDialogName)
{
    {
        CInputRangeDialog dialog("RememberedRange");
        SetUpFrequencyRange(dialog, 1.5, 2.0);
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& d)
            {
                Form form(static_cast<CInputRangeDialog&>(d));
                Form::ChooseUnit(form.firstCombo, 1);
                form.ok->click();
                return int(QDialog::Rejected);
            },
            "RememberedRange");
        ASSERT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
    }
    EXPECT_EQ(StoredUnit("RememberedRange1"), "1.000000");
    EXPECT_EQ(StoredUnit("RememberedRange2"), "0.000000");

    // The next question of the same name starts in the remembered units; the value is unchanged.
    CInputRangeDialog again("RememberedRange");
    SetUpFrequencyRange(again, 1.5, 2.0);
    Form form(again);
    EXPECT_EQ(form.firstCombo->currentIndex(), 1);
    EXPECT_EQ(form.firstEdit->text(), "1500.00");
    EXPECT_EQ(form.secondCombo->currentIndex(), 0);
    EXPECT_EQ(form.secondEdit->text(), "2.00");
    EXPECT_DOUBLE_EQ(again.GetFirstValue(), 1.5);

    // Another dialog name has its own memory.
    CInputRangeDialog other("OtherRange");
    SetUpFrequencyRange(other, 1.5, 2.0);
    EXPECT_EQ(Form(other).firstCombo->currentIndex(), 0);
}

TEST(InputRangeDialog, CancelStoresNothingAndKeepsWhatWasTyped)
{
    CInputRangeDialog dialog("CancelledRange");
    SetUpFrequencyRange(dialog, 1.0, 2.0);
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [](QDialog& d)
        {
            Form form(static_cast<CInputRangeDialog&>(d));
            Form::ChooseUnit(form.firstCombo, 1);
            Form::Type(form.firstEdit, "250");
            form.cancel->click();
            return int(QDialog::Accepted);
        });
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Rejected);
    EXPECT_EQ(StoredUnit("CancelledRange1"), "<none>");
    EXPECT_EQ(StoredUnit("CancelledRange2"), "<none>");
    EXPECT_DOUBLE_EQ(dialog.GetFirstValue(), 0.25);
}

TEST(InputRangeDialog, OneValueDialogHidesTheSecondRowButStoresBothUnits)
{
    CInputRangeDialog dialog("SingleLevel");
    dialog.SetTexts("Set Trigger Level", "Trigger level:", "");
    dialog.AddUnit("dBm", 1.0);
    dialog.SetFirstValue(-42.0, 1);
    Form form(dialog);
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [&form](QDialog& d)
        {
            EXPECT_EQ(d.windowTitle(), "Set Trigger Level");
            EXPECT_FALSE(form.secondLabel->isVisible());
            EXPECT_FALSE(form.secondEdit->isVisible());
            EXPECT_FALSE(form.secondCombo->isVisible());
            EXPECT_TRUE(form.firstEdit->isVisible());
            EXPECT_FALSE(form.firstCombo->isEnabled()) << "a single unit leaves nothing to choose";
            EXPECT_EQ(form.firstEdit->selectedText(), "-42.0") << "typing replaces the whole value";
            // Enter accepts: OK is the default button.
            QTest::keyClick(form.firstEdit, Qt::Key_Return);
            return int(QDialog::Rejected);
        });
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
    EXPECT_EQ(StoredUnit("SingleLevel1"), "0.000000");
    EXPECT_EQ(StoredUnit("SingleLevel2"), "0.000000");
}

TEST(InputRangeDialog, ComboWithTwoUnitsIsEnabledWhileRunning)
{
    CInputRangeDialog dialog("TwoUnitCombos");
    SetUpFrequencyRange(dialog, 1.0, 2.0);
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [](QDialog& d)
        {
            Form form(static_cast<CInputRangeDialog&>(d));
            EXPECT_TRUE(form.firstCombo->isEnabled());
            EXPECT_TRUE(form.secondCombo->isEnabled());
            EXPECT_TRUE(form.secondEdit->isVisible());
            return int(QDialog::Rejected);
        });
    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Rejected);
}

TEST(InputRangeDialog, StoredUnitThatNoLongerExistsFallsBackToTheFirst)
{
    const char* stored[] = {"2", "7.9", "-1", "1e300", "nan", "junk"};
    for (const char* text : stored)
    {
        g_Parameters.SetString(CInputRangeDialog::SettingsSection(), "HandEdited1", text);
        CInputRangeDialog dialog("HandEdited");
        SetUpFrequencyRange(dialog, 3.0, 4.0);
        Form form(dialog);
        EXPECT_EQ(form.firstCombo->currentIndex(), 0) << text;
        EXPECT_EQ(form.firstEdit->text(), "3.00") << text;
    }
    // A stored index of an existing unit is taken, truncated.
    g_Parameters.SetString(CInputRangeDialog::SettingsSection(), "HandEdited1", "1.7");
    CInputRangeDialog dialog("HandEdited");
    SetUpFrequencyRange(dialog, 3.0, 4.0);
    EXPECT_EQ(Form(dialog).firstEdit->text(), "3000.00");
}

TEST(InputRangeDialog, WithoutUnitsValuesStayInBaseUnits)
{
    CInputRangeDialog dialog("NoUnits");
    dialog.SetTexts("Tune", "Frequency:", "");
    dialog.SetFirstValue(12.5, 3);
    Form form(dialog);
    EXPECT_EQ(form.firstEdit->text(), "12.500");
    Form::Type(form.firstEdit, "7.25");
    EXPECT_DOUBLE_EQ(dialog.GetFirstValue(), 7.25);
}
}  // namespace

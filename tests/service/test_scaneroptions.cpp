// The scanning-receiver options dialog: which model it shows, what Reset and Save Values do to the
// receiver's model table, and what OK stores in the settings.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

#include "scanerfixture.h"
#include "scaneroptionsdialog.h"
#include "scanerwindow.h"
#include "ui_scaneroptionsdialog.h"
#include "ui_scanerwindow.h"

namespace
{
class ScanerOptionsTest : public ScanerTest
{
protected:
    void SetUp() override
    {
        ScanerTest::SetUp();
        scaner->ResetModels();
    }

    // Name, speed, min, max, IF, IF bandwidth, step, setup time, relative amplitude.
    static std::vector<QString> Fields(const CScanerOptionsDialog& dialog)
    {
        const Ui::CScanerOptionsDialogClass& f = dialog.Form();
        return {f.m_pNameEdit->text(),     f.m_pSpeedCombo->currentText(), f.m_pFreqMinEdit->text(),
                f.m_pFreqMaxEdit->text(),  f.m_pFreqIFEdit->text(),        f.m_pIFBandEdit->text(),
                f.m_pFreqStepEdit->text(), f.m_pFreqPllEdit->text(),       f.m_pAmplEdit->text()};
    }

    static std::vector<QRadioButton*> Radios(const CScanerOptionsDialog& dialog)
    {
        const Ui::CScanerOptionsDialogClass& f = dialog.Form();
        return {f.m_pIcR8500Radio, f.m_pAr5000Radio,  f.m_pAr8600Radio,  f.m_pAr3000ARadio,
                f.m_pCustom1Radio, f.m_pCustom2Radio, f.m_pCustom3Radio, f.m_pCustom4Radio};
    }

    static QString StoredName(int index)
    {
        return g_Parameters.GetString(Group(index), QStringLiteral("Name"), QStringLiteral("<none>"));
    }
};

TEST_F(ScanerOptionsTest, FormHasEveryControl)
{
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ScanerChannel Options"));
    const char* const names[] = {
        "m_pIcR8500Radio", "m_pAr5000Radio",  "m_pAr8600Radio",  "m_pAr3000ARadio", "m_pCustom1Radio",
        "m_pCustom2Radio", "m_pCustom3Radio", "m_pCustom4Radio", "m_pResetButton",  "groupBox",
        "label",           "label_2",         "label_3",         "label_4",         "label_5",
        "label_6",         "label_7",         "label_8",         "label_9",         "m_pNameEdit",
        "m_pSpeedCombo",   "m_pFreqMinEdit",  "m_pFreqMaxEdit",  "m_pFreqIFEdit",   "m_pIFBandEdit",
        "m_pFreqStepEdit", "m_pFreqPllEdit",  "m_pAmplEdit",     "m_pSaveButton",   "groupBox_2",
        "checkBox",        "pushButton_3",    "pushButton_6",    "m_pOkButton"};
    for (const char* name : names)
        EXPECT_NE(dialog.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    const Ui::CScanerOptionsDialogClass& form = dialog.Form();
    EXPECT_FALSE(form.m_pFreqStepEdit->isEnabled());
    EXPECT_FALSE(form.groupBox_2->isEnabled());
    ASSERT_EQ(form.m_pSpeedCombo->count(), 4);
    EXPECT_EQ(form.m_pSpeedCombo->itemText(0), QStringLiteral("38.2 Kbps"));
    EXPECT_EQ(form.m_pSpeedCombo->itemText(3), QStringLiteral("4.8 Kbps"));
    // The radio buttons exclude one another.
    form.m_pAr5000Radio->click();
    form.m_pCustom4Radio->click();
    EXPECT_FALSE(form.m_pAr5000Radio->isChecked());
}

TEST_F(ScanerOptionsTest, StoredIndexChoosesTheModelShown)
{
    SetIndex(3);
    {
        CScanerOptionsDialog dialog(nullptr, scaner.get());
        EXPECT_TRUE(dialog.Form().m_pAr3000ARadio->isChecked());
        EXPECT_EQ(dialog.GetModelIndex(), 3);
        const std::vector<QString> expected = {"AR-3000A", "9.6 Kbps", "0.005", "2600", "10.7",
                                               "10",       "5",        "64",    "20"};
        EXPECT_EQ(Fields(dialog), expected);
    }
    for (int index : {9, -1})
    {
        SCOPED_TRACE(index);
        SetIndex(index);
        CScanerOptionsDialog dialog(nullptr, scaner.get());
        for (QRadioButton* radio : Radios(dialog))
            EXPECT_FALSE(radio->isChecked()) << radio->objectName().toStdString();
        EXPECT_TRUE(dialog.Form().m_pNameEdit->text().isEmpty());
        EXPECT_TRUE(dialog.Form().m_pFreqMinEdit->text().isEmpty());
        EXPECT_EQ(dialog.GetModelIndex(), index);
    }
}

TEST_F(ScanerOptionsTest, EveryRadioShowsItsModel)
{
    // Each model gets a name of its own, so a radio showing another model's fields is caught.
    for (int index = 0; index < IScaner::kModelCount; ++index)
    {
        SCANER_MODEL model = scaner->Model(index);
        model.Name += L" #" + std::to_wstring(index);
        model.FreqMax = 1000.0 + index;
        ASSERT_TRUE(scaner->SetModel(index, &model));
    }
    SetIndex(7);
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    const std::vector<QRadioButton*> radios = Radios(dialog);
    // IC-R8500 last: it must switch even though it is the first.
    for (int index : {1, 2, 3, 4, 5, 6, 7, 0})
    {
        SCOPED_TRACE(index);
        radios[static_cast<size_t>(index)]->click();
        EXPECT_EQ(dialog.GetModelIndex(), index);
        EXPECT_EQ(dialog.Form().m_pNameEdit->text(), QString::fromStdWString(scaner->Model(index).Name));
        EXPECT_EQ(dialog.Form().m_pFreqMaxEdit->text(), QString::number(1000 + index));
    }
}

TEST_F(ScanerOptionsTest, ResetShowsTheFactoryModelAndStoresNothing)
{
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    const Ui::CScanerOptionsDialogClass& form = dialog.Form();
    form.m_pNameEdit->setText(QStringLiteral("Mine"));
    form.m_pFreqMinEdit->setText(QStringLiteral("7"));
    form.m_pSpeedCombo->setCurrentIndex(0);
    form.m_pSaveButton->click();
    ASSERT_EQ(scaner->Model(0).Name, L"Mine");

    form.m_pResetButton->click();
    const std::vector<QString> expected = {"IC-R8500", "9.6 Kbps", "0.1", "2000", "10.7",
                                           "10",       "5",        "64",  "19.5"};
    EXPECT_EQ(Fields(dialog), expected);
    EXPECT_EQ(scaner->Model(0).Name, L"IC-R8500");
    EXPECT_EQ(StoredName(0), QString());
}

TEST_F(ScanerOptionsTest, SaveValuesPutsTheFieldsIntoTheTableOnly)
{
    SetIndex(4);
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    const Ui::CScanerOptionsDialogClass& form = dialog.Form();
    form.m_pNameEdit->setText(QStringLiteral("Bench"));
    form.m_pSpeedCombo->setCurrentIndex(3);
    form.m_pFreqMinEdit->setText(QStringLiteral("x"));  // no number: 0
    form.m_pFreqMaxEdit->setText(QStringLiteral("1234.5"));
    form.m_pFreqIFEdit->setText(QStringLiteral("21.4"));
    form.m_pIFBandEdit->setText(QStringLiteral("0.25"));
    form.m_pAmplEdit->setText(QStringLiteral("-3"));
    // The step field is disabled for the operator but saved all the same.
    form.m_pFreqStepEdit->setText(QStringLiteral("12.5"));
    struct Pll
    {
        const char* text;
        int saved;
    } const plls[] = {{"63.9", 63},
                      {"-7.9", -7},
                      {"abc", 0},
                      {"1e12", 0},
                      {"-1e12", 0},
                      {"nan", 0},
                      {"2147483647", 2147483647}};
    for (const Pll& pll : plls)
    {
        SCOPED_TRACE(pll.text);
        form.m_pFreqPllEdit->setText(QString::fromLatin1(pll.text));
        form.m_pSaveButton->click();
        const SCANER_MODEL model = scaner->Model(4);
        EXPECT_EQ(model.TimePLL, pll.saved);
        EXPECT_EQ(model.Name, L"Bench");
        EXPECT_EQ(model.Speed, 3);
        EXPECT_EQ(model.FreqMin, 0.0);
        EXPECT_EQ(model.FreqMax, 1234.5);
        EXPECT_EQ(model.FreqIF, 21.4);
        EXPECT_EQ(model.FreqBW, 0.25);
        EXPECT_EQ(model.FreqStep, 12.5);
        EXPECT_EQ(model.Ampl, -3.0);
    }
    EXPECT_EQ(StoredName(4), QString());
    EXPECT_EQ(StoredIndex(), 4);

    // Text that names no finite number is no frequency either: the dial's clamp would turn it into
    // the frequency it sends.
    form.m_pFreqMinEdit->setText(QStringLiteral("nan"));
    form.m_pFreqMaxEdit->setText(QStringLiteral("inf"));
    form.m_pSaveButton->click();
    EXPECT_EQ(scaner->Model(4).FreqMin, 0.0);
    EXPECT_EQ(scaner->Model(4).FreqMax, 0.0);
}

TEST_F(ScanerOptionsTest, OkStoresWhatTheTableHoldsForTheChosenModel)
{
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    const Ui::CScanerOptionsDialogClass& form = dialog.Form();
    // Saved for Custom2, then Custom3 chosen: only Custom3 is stored.
    form.m_pCustom2Radio->click();
    form.m_pFreqIFEdit->setText(QStringLiteral("45"));
    form.m_pSaveButton->click();
    form.m_pCustom3Radio->click();
    // An edit not saved with "Save Values" is not stored.
    form.m_pFreqMaxEdit->setText(QStringLiteral("9999"));
    form.m_pOkButton->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredIndex(), 6);
    EXPECT_EQ(StoredName(5), QString());
    const QString group = Group(6);
    EXPECT_EQ(StoredName(6), QStringLiteral("Custom3"));
    EXPECT_EQ(g_Parameters.GetInt(group, QStringLiteral("Speed"), -1), 2);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("FreqMin"), -1.0), 0.005);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("FreqMax"), -1.0), 2600.0);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("FreqIF"), -1.0), 10.7);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("FreqBW"), -1.0), 10.0);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("FreqStep"), -1.0), 5.0);
    EXPECT_EQ(g_Parameters.GetInt(group, QStringLiteral("TimePLL"), -1), 64);
    EXPECT_EQ(g_Parameters.GetDouble(group, QStringLiteral("Ampl"), -1.0), 20.0);
    // Custom2's change lives on in the table for this run.
    EXPECT_EQ(scaner->Model(5).FreqIF, 45.0);
}

TEST_F(ScanerOptionsTest, StoredIndexOutsideTheModelsSavesNothingAndOkKeepsIt)
{
    SetIndex(9);
    CScanerOptionsDialog dialog(nullptr, scaner.get());
    dialog.Form().m_pNameEdit->setText(QStringLiteral("Lost"));
    dialog.Form().m_pSaveButton->click();
    for (int index = 0; index < IScaner::kModelCount; ++index)
        EXPECT_NE(scaner->Model(index).Name, L"Lost");
    dialog.Form().m_pOkButton->click();
    EXPECT_EQ(StoredIndex(), 9);
    for (int index = 0; index < IScaner::kModelCount; ++index)
        EXPECT_EQ(StoredName(index), QString()) << index;
}

TEST_F(ScanerOptionsTest, AModelStoredWithOkIsTheWindowsAtTheNextStart)
{
    {
        CScanerOptionsDialog dialog(nullptr, scaner.get());
        dialog.Form().m_pAr8600Radio->click();
        dialog.Form().m_pFreqIFEdit->setText(QStringLiteral("70"));
        dialog.Form().m_pSaveButton->click();
        dialog.Form().m_pOkButton->click();
    }
    scaner->ResetModels();
    CScanerWindow window(nullptr, scaner.get());
    EXPECT_EQ(window.GetModelIndex(), 2);
    EXPECT_EQ(scaner->Model(2).FreqIF, 70.0);
    EXPECT_EQ(window.Form().m_pTunerModelLabel->text(), QStringLiteral("AR-8600"));
}
}  // namespace

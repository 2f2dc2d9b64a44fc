// The analysis options dialog between the settings document and the library's analysis: what it shows
// for the stored values in each mode, what one Apply pushes and stores, and that the values it does not
// offer go through unchanged.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>

#include <functional>
#include <map>
#include <vector>

#include "analysisoptionsdialog.h"
#include "kelthar.h"
#include "parameters.h"
#include "recordinganalysis.h"
#include "scriptedprompt.h"
#include "ui_analysisoptionsdialog.h"

namespace
{
const QString kSection = QStringLiteral("Analysis");

// The stored values as a freshly reset settings document holds them.
void StoreResetValues()
{
    g_Parameters.SetInt(kSection, QStringLiteral("TypeSquelch"), 1);
    g_Parameters.SetDouble(kSection, QStringLiteral("SquelchValue1"), -50.0);
    g_Parameters.SetDouble(kSection, QStringLiteral("SquelchValue2"), 12.0);
    g_Parameters.SetInt(kSection, QStringLiteral("AverValue"), 5000);
    g_Parameters.SetInt(kSection, QStringLiteral("ShowAveraging"), 1);
    g_Parameters.SetInt(kSection, QStringLiteral("DoMerge"), 1);
    g_Parameters.SetInt(kSection, QStringLiteral("UseHysteresis"), 1);
    g_Parameters.SetDouble(kSection, QStringLiteral("Hysteresis"), 10.0);
}

// Runs the dialog through the prompt facade; `operate` works the form while it is open.
void RunOpen(CAnalysisOptionsDialog& dialog,
             const std::function<void(Ui::CAnalysisOptionsDialogClass&)>& operate)
{
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [&](QDialog&)
        {
            operate(dialog.Form());
            return int(QDialog::Rejected);  // closed by its title bar
        },
        QStringLiteral("Analysis Options"));
    Prompt().Exec(dialog);
    EXPECT_EQ(prompt.Pending(), 0u);
}
}  // namespace

TEST(AnalysisOptionsDialog, ApplyPushesAndStoresWhatTheFormHolds)
{
    struct Case
    {
        const char* name;
        int mode;
        std::map<QString, QVariant> stored;  // over the reset values; an invalid value removes the key
        std::function<void(Ui::CAnalysisOptionsDialogClass&)> edit;
        CRecordingAnalysis::Call sent;
        int storedType;
        double storedValue1;
        double storedHysteresis;
    };
    const auto none = [](Ui::CAnalysisOptionsDialogClass&) {};
    const Case cases[] = {
        {"mode 1 offers the average only",
         1,
         {{"TypeSquelch", 0}},
         none,
         {1, -50.0, 12.0, 5000, 10.0, true, 0},
         1,
         -50.0,
         10.0},
        {"mode 0 shows an unknown type as the average",
         0,
         {{"TypeSquelch", 5}},
         none,
         {1, -50.0, 12.0, 5000, 10.0, true, 0},
         1,
         -50.0,
         10.0},
        {"mode 0 absolute level",
         0,
         {{"TypeSquelch", 0}},
         [](Ui::CAnalysisOptionsDialogClass& ui) { ui.m_pSquelchEdit1->setText(QStringLiteral("-63.5")); },
         {0, -63.5, 12.0, 5000, 10.0, true, 0},
         0,
         -63.5,
         10.0},
        {"a threshold that is no number",
         0,
         {{"TypeSquelch", 0}},
         [](Ui::CAnalysisOptionsDialogClass& ui) { ui.m_pSquelchEdit1->setText(QStringLiteral("abc")); },
         {0, 0.0, 12.0, 5000, 10.0, true, 0},
         0,
         0.0,
         10.0},
        {"nan, inf and a coefficient in another notation count as no number",
         0,
         {{"TypeSquelch", 0}},
         [](Ui::CAnalysisOptionsDialogClass& ui)
         {
             ui.m_pSquelchEdit1->setText(QStringLiteral("nan"));
             ui.m_pSquelchEdit2->setText(QStringLiteral("inf"));
             ui.m_pHysteresisEdit->setText(QStringLiteral("-inf"));
             ui.m_pAverEdit->setText(QStringLiteral("1e3"));
         },
         {0, 0.0, 0.0, 0, 0.0, true, 0},
         0,
         0.0,
         0.0},
        {"no hysteresis sends 0 and keeps the stored value",
         0,
         {{"UseHysteresis", 0}, {"DoMerge", 0}},
         none,
         {1, -50.0, 12.0, 5000, 0.0, false, 0},
         1,
         -50.0,
         10.0},
        {"missing keys read as 0",
         0,
         {{"TypeSquelch", QVariant()}, {"AverValue", QVariant()}},
         none,
         {0, -50.0, 12.0, 0, 10.0, true, 0},
         0,
         -50.0,
         10.0},
        {"the region comes from the known ranges' key",
         0,
         {{"KnownFreqRanges2/Country", 3}},
         none,
         {1, -50.0, 12.0, 5000, 10.0, true, 3},
         1,
         -50.0,
         10.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        StoreResetValues();
        QSettings(g_Parameters.FilePath(), QSettings::IniFormat).remove(QStringLiteral("KnownFreqRanges2"));
        for (const auto& [key, value] : c.stored)
        {
            if (key.contains(QLatin1Char('/')))
                QSettings(g_Parameters.FilePath(), QSettings::IniFormat).setValue(key, value);
            else if (value.isValid())
                g_Parameters.SetInt(kSection, key, value.toInt());
            else
                g_Parameters.SetString(kSection, key, QString());
        }

        CRecordingAnalysis analysis;
        CAnalysisOptionsDialog dialog(c.mode, nullptr, &analysis);
        QSignalSpy applied(&dialog, &CAnalysisOptionsDialog::applyPressed);
        RunOpen(
            dialog,
            [&](Ui::CAnalysisOptionsDialogClass& ui)
            {
                // Only the threshold group and Apply are offered, in mode 1 without the absolute level.
                EXPECT_EQ(ui.m_pSquelchRadio1->isHidden(), c.mode != 0);
                EXPECT_EQ(ui.m_pSquelchEdit1->isHidden(), c.mode != 0);
                EXPECT_EQ(ui.label_2->isHidden(), c.mode != 0);
                EXPECT_FALSE(ui.m_pSquelchRadio2->isHidden());
                EXPECT_FALSE(ui.m_pAverEdit->isHidden());
                for (const QWidget* hidden :
                     {static_cast<QWidget*>(ui.m_pThresCheck), static_cast<QWidget*>(ui.m_pHysteresisCheck),
                      static_cast<QWidget*>(ui.m_pHysteresisEdit), static_cast<QWidget*>(ui.m_pDoMergeCheck)})
                    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
                EXPECT_EQ(ui.m_pSquelchRadio2->isChecked(), c.sent.type == 1);
                EXPECT_EQ(ui.m_pSquelchRadio1->isChecked(), c.sent.type == 0 && c.mode == 0);
                c.edit(ui);
                ui.m_pApplyButton->click();
            });

        ASSERT_EQ(analysis.m_calls.size(), 1u);
        const CRecordingAnalysis::Call& sent = analysis.m_calls[0];
        EXPECT_EQ(sent.type, c.sent.type);
        EXPECT_DOUBLE_EQ(sent.value1, c.sent.value1);
        EXPECT_DOUBLE_EQ(sent.value2, c.sent.value2);
        EXPECT_EQ(sent.averaging, c.sent.averaging);
        EXPECT_DOUBLE_EQ(sent.hysteresis, c.sent.hysteresis);
        EXPECT_EQ(sent.merge, c.sent.merge);
        EXPECT_EQ(sent.region, c.sent.region);
        EXPECT_EQ(applied.count(), 1);

        EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("TypeSquelch"), -1), c.storedType);
        EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(kSection, QStringLiteral("SquelchValue1"), 1.0),
                         c.storedValue1);
        EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(kSection, QStringLiteral("Hysteresis"), 1.0),
                         c.storedHysteresis);
        EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("AverValue"), -1), c.sent.averaging);
        EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("DoMerge"), -1), c.sent.merge ? 1 : 0);
        // The threshold line is not offered: its stored switch goes back as it was.
        EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("ShowAveraging"), -1), 1);
        // The dialog never writes the region.
        EXPECT_EQ(QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                      .value(QStringLiteral("KnownFreqRanges2/Country"), -1)
                      .toInt(),
                  c.stored.count("KnownFreqRanges2/Country") ? c.sent.region : -1);
    }
}

TEST(AnalysisOptionsDialog, EveryApplyPushesStoresAndSignalsAndClosingWithoutOneChangesNothing)
{
    StoreResetValues();
    CRecordingAnalysis analysis;
    CAnalysisOptionsDialog dialog(0, nullptr, &analysis);
    QSignalSpy applied(&dialog, &CAnalysisOptionsDialog::applyPressed);
    std::vector<double> storedAfterEach;
    RunOpen(dialog,
            [&](Ui::CAnalysisOptionsDialogClass& ui)
            {
                for (const char* text : {"9", "15.25"})
                {
                    ui.m_pSquelchEdit2->setText(QLatin1String(text));
                    ui.m_pApplyButton->click();
                    storedAfterEach.push_back(
                        g_Parameters.GetDouble(kSection, QStringLiteral("SquelchValue2"), 0.0));
                }
            });
    ASSERT_EQ(analysis.m_calls.size(), 2u);
    EXPECT_DOUBLE_EQ(analysis.m_calls[0].value2, 9.0);
    EXPECT_DOUBLE_EQ(analysis.m_calls[1].value2, 15.25);
    EXPECT_EQ(storedAfterEach, (std::vector<double>{9.0, 15.25}));
    EXPECT_EQ(applied.count(), 2);

    // A second run loads the stored values again; closing it without Apply pushes and stores nothing.
    RunOpen(dialog,
            [&](Ui::CAnalysisOptionsDialogClass& ui)
            {
                EXPECT_EQ(ui.m_pSquelchEdit2->text(), QStringLiteral("15.25"));
                EXPECT_EQ(ui.m_pSquelchEdit1->text(), QStringLiteral("-50"));
                EXPECT_EQ(ui.m_pAverEdit->text(), QStringLiteral("5000"));
                ui.m_pSquelchEdit2->setText(QStringLiteral("40"));
            });
    EXPECT_EQ(analysis.m_calls.size(), 2u);
    EXPECT_EQ(applied.count(), 2);
    EXPECT_DOUBLE_EQ(g_Parameters.GetDouble(kSection, QStringLiteral("SquelchValue2"), 0.0), 15.25);
}

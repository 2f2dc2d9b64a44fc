#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "measurementswindow.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "selectmeasurementsdialog.h"
#include "utils.h"

// Readable failure messages for the table's texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace
{
QTableWidget* Table(CMeasurementsWindow& window)
{
    return window.findChild<QTableWidget*>("m_pTableView");
}

// The table as the operator reads it: one "title|value" text per row.
QStringList Rows(CMeasurementsWindow& window)
{
    QTableWidget* table = Table(window);
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
    {
        const QTableWidgetItem* title = table->item(r, 0);
        const QTableWidgetItem* value = table->item(r, 1);
        rows << (title ? title->text() : "<no cell>") + "|" + (value ? value->text() : "<no cell>");
    }
    return rows;
}

// Every row of every list shown again, so that one test's choice does not reach the next.
void ShowAllRows()
{
    CMeasurementsWindow window("ResetMeasuresWindow");
    for (int l = 0; l < CMeasurementsWindow::ListCount; ++l)
    {
        MeasurementList& list = window.GetList(l);
        for (int i = 0; i < list.Count(); ++i)
            list.SetVisible(i, true);
    }
}

TEST(MeasurementsWindow, WithoutStoredChoicesEveryRowOfEveryListIsShown)
{
    // Nothing stored in this process yet: the rows come from the lists' definitions alone.
    ASSERT_FALSE(g_Parameters.HasSection(MeasurementList::SettingsSection()));
    CMeasurementsWindow window("RangeMeasuresWindow");
    EXPECT_EQ(window.GetCurrentList(), CMeasurementsWindow::SpectrumList);
    EXPECT_EQ(Rows(window),
              QStringList({"Frequency measurements:|", "    Max frequency|", "    Max freq. level|",
                           "Level measurements:|", "    Integral level|", "Cursor measurements:|",
                           "    Max cursor freq.|", "    Max cursor level|", "    Cursor integral level|"}));
    EXPECT_EQ(window.height(), 9 * 20 + 75);
    EXPECT_EQ(Table(window)->rowHeight(0), 20);

    const int expectedRows[] = {9, 4, 17, 8};
    for (int l = 0; l < CMeasurementsWindow::ListCount; ++l)
    {
        window.SetCurrentList(l);
        EXPECT_EQ(Table(window)->rowCount(), expectedRows[l]) << "list " << l;
        EXPECT_EQ(window.height(), expectedRows[l] * 20 + 75) << "list " << l;
    }
    // The same id carries different titles in different lists.
    window.SetCurrentList(CMeasurementsWindow::SpectrumIqList);
    EXPECT_EQ(Rows(window)[8], "    Mean level I|");
    window.SetCurrentList(CMeasurementsWindow::OscIqList);
    EXPECT_EQ(Rows(window)[3], "Disp. level I|");
}

TEST(MeasurementsWindow, ValuesAreFormattedPerListAndUnknownIdsChangeNothing)
{
    CMeasurementsWindow window("DdcMeasuresWindow");
    window.SetMeasurementValue("FreqLevelMax", -42.26, 0, 1);
    window.SetMeasurementValue("FreqMax", 0.5, 2, 4);
    window.SetMeasurementValue("LevelRms", 1.0, 3, 3);  // not a spectrum row
    EXPECT_EQ(Rows(window)[2], "    Max freq. level|") << "the table waits for its refresh";
    window.UpdateTable();
    const QStringList spectrum = Rows(window);
    EXPECT_EQ(spectrum[1], "    Max frequency|500.0 kHz");
    EXPECT_EQ(spectrum[2], "    Max freq. level|-42.3 dBm");
    for (const QString& row : spectrum)
        EXPECT_FALSE(row.endsWith(" V")) << row.toStdString();

    window.SetCurrentList(CMeasurementsWindow::OscList);
    EXPECT_EQ(Rows(window), QStringList({"RMS level|", "Peak-peak level|", "Max level|", "Disp. level|"}))
        << "the oscillogram list keeps its own values";
    window.SetMeasurementValue("LevelPkPk", 0.002, 3, 3);
    window.UpdateTable();
    EXPECT_EQ(Rows(window)[1], "Peak-peak level|2.00 mV");

    window.SetCurrentList(CMeasurementsWindow::SpectrumList);
    EXPECT_EQ(Rows(window)[2], "    Max freq. level|-42.3 dBm") << "switching back shows the last values";
    window.ClearMeasurementValue("FreqLevelMax");
    window.UpdateTable();
    EXPECT_EQ(Rows(window)[2], "    Max freq. level|");
}

TEST(MeasurementsWindow, SelectionDialogHidesRowsAndTheChoiceIsSharedByLaterWindows)
{
    ShowAllRows();
    CMeasurementsWindow window("DemodMeasuresWindow");
    window.SetMeasurementValue("FreqMax", 1.5, 2, 5);
    QStringList offered;
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [&offered](QDialog& d)
        {
            auto* tree = d.findChild<QTreeWidget*>("m_pTreeWidget");
            for (int t = 0; t < tree->topLevelItemCount(); ++t)
            {
                QTreeWidgetItem* item = tree->topLevelItem(t);
                offered << item->text(0);
                EXPECT_EQ(item->checkState(0), Qt::Checked);
                // Hide the first heading and the cursor noise row.
                if (t == 0 || t == 8)
                    item->setCheckState(0, Qt::Unchecked);
            }
            d.findChild<QPushButton*>("m_pCloseButton")->click();
            return int(QDialog::Rejected);
        });
    window.findChild<QPushButton*>("m_pSelectButton")->click();

    EXPECT_EQ(offered.size(), 9);
    EXPECT_EQ(Rows(window),
              QStringList({"    Max frequency|" + CUtils::FormatValue(1.5, 2, 5), "    Max freq. level|",
                           "Level measurements:|", "    Integral level|", "Cursor measurements:|",
                           "    Max cursor freq.|", "    Max cursor level|"}))
        << "a hidden heading hides its own row only";
    EXPECT_EQ(window.height(), 7 * 20 + 75);
    EXPECT_EQ(g_Parameters.GetInt("Measurements", "SpectrumSep1Visible", -1), 0);
    EXPECT_EQ(g_Parameters.GetInt("Measurements", "SpectrumLevelIntegralCursorVisible", -1), 0);
    EXPECT_EQ(g_Parameters.GetInt("Measurements", "SpectrumFreqMaxVisible", -1), 1);

    // Another view's window built later reads the same keys; the I/Q list's rows are its own.
    CMeasurementsWindow later("RangeMeasuresWindow");
    EXPECT_EQ(Table(later)->rowCount(), 7);
    later.SetCurrentList(CMeasurementsWindow::SpectrumIqList);
    EXPECT_EQ(Table(later)->rowCount(), 17);
    ShowAllRows();
}

TEST(MeasurementsWindow, ClosingTheSelectionByItsCloseBoxKeepsTheOldChoice)
{
    ShowAllRows();
    CMeasurementsWindow window("RangeMeasuresWindow");
    window.SetCurrentList(CMeasurementsWindow::OscList);
    CScriptedPrompt prompt;
    prompt.RunDialog(
        [](QDialog& d)
        {
            auto* tree = d.findChild<QTreeWidget*>("m_pTreeWidget");
            for (int t = 0; t < tree->topLevelItemCount(); ++t)
                tree->topLevelItem(t)->setCheckState(0, Qt::Unchecked);
            d.reject();
            return int(QDialog::Rejected);
        });
    window.OnSelectButton();
    EXPECT_EQ(Table(window)->rowCount(), 4);
    EXPECT_EQ(g_Parameters.GetInt("Measurements", "OscillatorLevelRmsVisible", 1), 1);
}

TEST(MeasurementsWindow, NoRowShownLeavesTheFrameOnly)
{
    ShowAllRows();
    CMeasurementsWindow window("RangeMeasuresWindow");
    MeasurementList& osc = window.GetList(CMeasurementsWindow::OscIqList);
    for (int i = 0; i < osc.Count(); ++i)
        osc.SetVisible(i, false);
    window.SetCurrentList(CMeasurementsWindow::OscIqList);
    EXPECT_EQ(Table(window)->rowCount(), 0);
    EXPECT_EQ(window.height(), 75);
    ShowAllRows();
}

TEST(MeasurementsWindow, ColumnsShareTheWidthTwoToOne)
{
    CMeasurementsWindow window("RangeMeasuresWindow");
    window.resize(340, window.height());
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.width(), 340);
    EXPECT_EQ(Table(window)->columnWidth(0), 200);
}

TEST(MeasurementsWindow, LanguageChangeRestoresTheFormTexts)
{
    CMeasurementsWindow window("BandMeasuresWindow");
    window.setWindowTitle("Band Measurements");
    Table(window)->horizontalHeaderItem(0)->setText("x");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), "Measurements");
    EXPECT_EQ(Table(window)->horizontalHeaderItem(0)->text(), "Measurement");
    EXPECT_EQ(Table(window)->horizontalHeaderItem(1)->text(), "Value");
    EXPECT_EQ(window.findChild<QPushButton*>("m_pSelectButton")->text(), "Select...");
}

TEST(MeasurementList, AddKeepsTheFirstRowOfAnIdAndReadsItsStoredChoice)
{
    g_Parameters.SetInt("Measurements", "ProbeHiddenVisible", 0);
    g_Parameters.SetInt("Measurements", "ProbeShownVisible", 7);
    MeasurementList list;
    list.SetPrefix("Probe");
    EXPECT_TRUE(list.Add("Hidden", "Hidden row", ""));
    EXPECT_TRUE(list.Add("Shown", "Shown row", "v"));
    EXPECT_TRUE(list.Add("Fresh", "Fresh row", ""));
    EXPECT_FALSE(list.Add("Shown", "Second title", "w"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.VisibleCount(), 2);
    EXPECT_FALSE(list.IsVisible(0));
    EXPECT_EQ(list.GetTitle(1), "Shown row");
    EXPECT_EQ(list.GetValue(1), "v");
    EXPECT_FALSE(list.SetValue("Missing", "x"));
    EXPECT_TRUE(list.SetValue("Fresh", "x"));
    EXPECT_EQ(list.GetValue(2), "x");
    EXPECT_EQ(list.IndexOf("Fresh"), 2);
    EXPECT_EQ(list.IndexOf("Missing"), -1);
    // Indexes that are no row read as empty and hidden.
    EXPECT_EQ(list.GetTitle(3), "");
    EXPECT_FALSE(list.IsVisible(-1));
}
}  // namespace

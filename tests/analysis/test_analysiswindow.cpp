// The full-range analysis window over the library's result list: the rows it shows and their order,
// what the operator's actions write into the library's list and send on, the web-page report, the two
// dialogs it opens, and its form.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>
#include <stdexcept>
#include <vector>

#include "analysislegenddialog.h"
#include "analysisoptionsdialog.h"
#include "analysiswindow.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "htmlreport.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "ui_analysislegenddialog.h"
#include "ui_analysisoptionsdialog.h"
#include "ui_newsignalentrydialog.h"

namespace
{
ANALYSIS_RESULT_ITEM Result(int status, double peak, double start, double end, double level = -50.0,
                            double excess = 6.0, const wchar_t* ident = L"")
{
    ANALYSIS_RESULT_ITEM item;
    item.status = status;
    item.peakFreq = peak;
    item.startFreq = start;
    item.endFreq = end;
    item.level = level;
    item.excess = excess;
    item.ident = ident;
    return item;
}

// Each test runs in its own process on a fresh settings document and a fresh library core; the
// results are written straight into the library's list, as a finished analysis leaves them.
class AnalysisWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        m_window = std::make_unique<CAnalysisWindow>(nullptr);
        m_window->m_dUpperLimit = 6000.0;
    }

    static std::vector<ANALYSIS_RESULT_ITEM>& Library() { return g_DeviceThread.m_pAnalysis->GetResults(); }
    QTreeWidget* Tree() const { return m_window->Form().m_pTreeWidget; }
    void Show(const std::vector<ANALYSIS_RESULT_ITEM>& results)
    {
        Library() = results;
        m_window->FillTree();
    }
    // The library indexes of the rows, top to bottom.
    std::vector<int> RowIndexes() const
    {
        std::vector<int> indexes;
        for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
            indexes.push_back(Tree()->topLevelItem(i)->data(3, Qt::UserRole).toInt());
        return indexes;
    }
    QTreeWidgetItem* RowOf(int libraryIndex) const
    {
        for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
            if (Tree()->topLevelItem(i)->data(3, Qt::UserRole).toInt() == libraryIndex)
                return Tree()->topLevelItem(i);
        return nullptr;
    }
    // Makes these rows the selection, the first of them the current row.
    void Select(const std::vector<int>& libraryIndexes)
    {
        const QSignalBlocker quiet(Tree());
        Tree()->clearSelection();
        Tree()->setCurrentItem(RowOf(libraryIndexes.front()), 0, QItemSelectionModel::NoUpdate);
        for (int index : libraryIndexes)
            RowOf(index)->setSelected(true);
    }
    static QStringList MenuTexts(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    std::unique_ptr<CAnalysisWindow> m_window;
};

// Three signals in a library order that differs from every column's order.
std::vector<ANALYSIS_RESULT_ITEM> ThreeSignals()
{
    return {Result(0, 20.0, 19.0, 21.0, -40.0, 3.5, L"b"), Result(2, 100.0, 99.0, 101.0, -70.0, 30.0, L"c"),
            Result(3, 3.0, 2.5, 3.5, -5.0, 12.0, L"a")};
}
}  // namespace

TEST_F(AnalysisWindowTest, FormsCarryEveryObjectNameAndTheirSetUp)
{
    struct Named
    {
        const char* name;
        const char* className;
    };
    const Named windowWidgets[] = {
        {"m_pAnalyzeButton", "QPushButton"}, {"m_pOptionsButton", "QPushButton"},
        {"m_pSaveButton", "QPushButton"},    {"m_pClearButton", "QPushButton"},
        {"m_pLegendButton", "QPushButton"},  {"m_pTreeWidget", "QTreeWidget"},
    };
    EXPECT_EQ(m_window->objectName(), QStringLiteral("AnalysisWindow"));
    EXPECT_TRUE(m_window->isFloating());
    EXPECT_EQ(m_window->allowedAreas(), Qt::NoDockWidgetArea);
    for (const Named& w : windowWidgets)
    {
        const QWidget* found = m_window->findChild<QWidget*>(QLatin1String(w.name));
        ASSERT_NE(found, nullptr) << w.name;
        EXPECT_STREQ(found->metaObject()->className(), w.className);
        // Arial everywhere but on Clear.
        EXPECT_EQ(found->font().family() == QStringLiteral("Arial"),
                  QLatin1String(w.name) != "m_pClearButton")
            << w.name;
    }
    const QStringList texts = {
        m_window->Form().m_pAnalyzeButton->text(), m_window->Form().m_pOptionsButton->text(),
        m_window->Form().m_pSaveButton->text(), m_window->Form().m_pClearButton->text(),
        m_window->Form().m_pLegendButton->text()};
    EXPECT_EQ(texts, (QStringList{"Analyze", "Options...", "Save As HTML...", "Clear", "Legend..."}));

    const QTreeWidget* tree = Tree();
    EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(tree->showDropIndicator());
    EXPECT_EQ(tree->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(tree->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(tree->rootIsDecorated());
    EXPECT_FALSE(tree->itemsExpandable());
    EXPECT_FALSE(tree->expandsOnDoubleClick());
    EXPECT_TRUE(tree->isAnimated());
    EXPECT_TRUE(tree->isSortingEnabled());
    EXPECT_EQ(tree->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(tree->styleSheet(),
              QStringLiteral("QTreeWidget { background: rgb(200,200,200); color: black }"));
    ASSERT_EQ(tree->columnCount(), 4);
    const QTreeWidgetItem* header = tree->headerItem();
    EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2), header->text(3)}),
              (QStringList{"Frequency", "Level", "Excess", "Ident"}));
    // The last column stretches to the view's edge.
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(tree->columnWidth(column), 100) << column;

    CAnalysisOptionsDialog options(0);
    EXPECT_EQ(options.objectName(), QStringLiteral("CAnalysisOptionsDialogClass"));
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Analysis Options"));
    EXPECT_EQ(options.size(), QSize(540, 202));
    const Named optionWidgets[] = {
        {"groupBox", "QGroupBox"},
        {"m_pSquelchRadio1", "QRadioButton"},
        {"m_pSquelchEdit1", "QLineEdit"},
        {"label_2", "QLabel"},
        {"m_pSquelchRadio2", "QRadioButton"},
        {"m_pSquelchEdit2", "QLineEdit"},
        {"label", "QLabel"},
        {"m_pAverEdit", "QLineEdit"},
        {"m_pHysteresisCheck", "QCheckBox"},
        {"m_pHysteresisEdit", "QLineEdit"},
        {"m_pDoMergeCheck", "QCheckBox"},
        {"m_pThresCheck", "QCheckBox"},
        {"m_pApplyButton", "QPushButton"},
    };
    for (const Named& w : optionWidgets)
    {
        const QWidget* found = options.findChild<QWidget*>(QLatin1String(w.name));
        ASSERT_NE(found, nullptr) << w.name;
        EXPECT_STREQ(found->metaObject()->className(), w.className);
        if (QLatin1String(w.className) == "QLineEdit")
        {
            EXPECT_EQ(found->maximumWidth(), 50) << w.name;
        }
    }
    EXPECT_EQ(options.Form().groupBox->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(options.Form().label->text(), QStringLiteral("dB, with coefficient of averaging"));

    CAnalysisLegendDialog legend;
    EXPECT_EQ(legend.objectName(), QStringLiteral("CAnalysisLegendDialogClass"));
    EXPECT_EQ(legend.windowTitle(), QStringLiteral("Legend"));
    EXPECT_EQ(legend.size(), QSize(400, 133));
    const struct
    {
        const char* frame;
        const char* label;
        const char* text;
    } rows[] = {
        {"m_pUnchangedFrame", "label", "- signals, which did not changed since last analysis"},
        {"m_pNewFrame", "label_2", "- signals, which did not present in the last analysis"},
        {"m_pDeleteFrame", "label_3", "- signals, which does not present int the new analysis"},
    };
    for (const auto& row : rows)
    {
        const auto* frame = legend.findChild<QFrame*>(QLatin1String(row.frame));
        ASSERT_NE(frame, nullptr) << row.frame;
        EXPECT_EQ(frame->width(), 26);
        EXPECT_EQ(frame->frameShape(), QFrame::StyledPanel);
        EXPECT_EQ(frame->frameShadow(), QFrame::Raised);
        const auto* label = legend.findChild<QLabel*>(QLatin1String(row.label));
        ASSERT_NE(label, nullptr) << row.label;
        EXPECT_EQ(label->text(), QLatin1String(row.text));
        EXPECT_EQ(label->font().family(), QStringLiteral("Arial"));
    }
    ASSERT_NE(legend.findChild<QPushButton*>(QStringLiteral("m_pCloseButton")), nullptr);
    EXPECT_EQ(legend.Form().m_pCloseButton->text(), QStringLiteral("Close"));
}

TEST_F(AnalysisWindowTest, RowsSortByTheirNumbersAndARefillAlwaysAscends)
{
    Show(ThreeSignals());
    // Frequency by value, not by text ("100.0 MHz" would come before "20.0 MHz").
    EXPECT_EQ(RowIndexes(), (std::vector<int>{2, 0, 1}));
    EXPECT_DOUBLE_EQ(RowOf(1)->data(2, Qt::UserRole).toDouble(), 30.0);

    struct Case
    {
        int column;
        std::vector<int> ascending;
    };
    const Case cases[] = {{1, {1, 0, 2}}, {2, {0, 2, 1}}, {3, {0, 1, 2}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.column);
        Tree()->sortByColumn(c.column, Qt::AscendingOrder);
        EXPECT_EQ(RowIndexes(), c.ascending);
        // The operator turns the column round; the next refill shows it ascending again.
        Tree()->sortByColumn(c.column, Qt::DescendingOrder);
        EXPECT_EQ(RowIndexes(), std::vector<int>(c.ascending.rbegin(), c.ascending.rend()));
        m_window->FillTree();
        EXPECT_EQ(RowIndexes(), c.ascending);
        EXPECT_EQ(Tree()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    }
}

TEST_F(AnalysisWindowTest, DeletingAsksAndMarksTheResultsInTheLibrarysList)
{
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes})
    {
        SCOPED_TRACE(answer == QMessageBox::Yes ? "Yes" : "No");
        Show(ThreeSignals());
        Select({0, 2});
        QSignalSpy finished(m_window.get(), &CAnalysisWindow::analysisFinished);
        {
            CScriptedPrompt prompt;
            prompt.Answer(answer, QStringLiteral("Do you really want to delete selected items?"));
            m_window->OnDeleteRecordMenu();
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Question);
            EXPECT_EQ(prompt.Asked()[0].buttons, QMessageBox::Yes | QMessageBox::No);
        }
        const bool yes = answer == QMessageBox::Yes;
        EXPECT_EQ(Library()[0].status, yes ? 255 : 0);
        EXPECT_EQ(Library()[1].status, 2);
        EXPECT_EQ(Library()[2].status, yes ? 255 : 3);
        EXPECT_EQ(RowIndexes(), (yes ? std::vector<int>{1} : std::vector<int>{2, 0, 1}));
        ASSERT_EQ(finished.count(), yes ? 1 : 0);
        if (yes)
        {
            const auto sent = finished.at(0).at(0).value<std::vector<ANALYSIS_RESULT_ITEM>>();
            ASSERT_EQ(sent.size(), 3u);
            EXPECT_EQ(sent[0].status, 255);
            EXPECT_EQ(sent[2].status, 255);
        }
    }
}

TEST_F(AnalysisWindowTest, TheContextMenuOffersHarmonicsForOneRowOnly)
{
    Show(ThreeSignals());
    Tree()->clearSelection();
    Tree()->setCurrentItem(nullptr);
    EXPECT_EQ(std::unique_ptr<QMenu>(m_window->CreateContextMenu()), nullptr) << "no current row";

    Select({0});
    std::unique_ptr<QMenu> menu(m_window->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuTexts(menu.get()), (QStringList{"Add to Archive...", "Delete Record", "-",
                                                  "Goto 2nd Harmonic", "Goto 3rd Harmonic"}));
    QSignalSpy tune(m_window.get(), &CAnalysisWindow::freqChange);
    menu->actions().at(3)->trigger();
    menu->actions().at(4)->trigger();
    ASSERT_EQ(tune.count(), 2);
    EXPECT_DOUBLE_EQ(tune.at(0).at(0).toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(tune.at(1).at(0).toDouble(), 60.0);
    EXPECT_DOUBLE_EQ(tune.at(0).at(1).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(tune.at(1).at(1).toDouble(), 0.0);

    Select({0, 1, 2});
    menu.reset(m_window->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuTexts(menu.get()), (QStringList{"Add to Archive...", "Delete Record"}));
}

TEST_F(AnalysisWindowTest, SelectedRowsGoToTheArchiveInHertz)
{
    Show(ThreeSignals());
    Select({1, 0, 2});
    QSignalSpy entries(m_window.get(), &CAnalysisWindow::addArchiveEntry);
    {
        CScriptedPrompt prompt;
        prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); },
                         QStringLiteral("Add Signal to Archive"));
        m_window->OnAddToArchive();
    }
    EXPECT_EQ(entries.count(), 0) << "a cancelled dialog files nothing";

    int group = -2;
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&group](QDialog& dialog)
            {
                auto& entry = static_cast<CNewSignalEntryDialog&>(dialog);
                // Group and comment only: the image and recording choices are not offered.
                EXPECT_TRUE(entry.Form().m_pImageCheck->isHidden());
                EXPECT_EQ(dialog.parent(), nullptr);
                entry.Form().m_pCommentEdit->setText(QStringLiteral("seen at noon"));
                entry.accept();
                group = entry.m_nGroup;
                return dialog.result();
            },
            QStringLiteral("Add Signal to Archive"));
        m_window->OnAddToArchive();
    }
    ASSERT_EQ(entries.count(), 3);
    const std::vector<ANALYSIS_RESULT_ITEM> library = ThreeSignals();
    const int order[] = {1, 0, 2};
    for (int i = 0; i < 3; ++i)
    {
        const ANALYSIS_RESULT_ITEM& r = library[static_cast<size_t>(order[i])];
        const QList<QVariant>& e = entries.at(i);
        EXPECT_EQ(e.at(0).toInt(), group);
        EXPECT_EQ(e.at(1).toString(), QStringLiteral("seen at noon"));
        EXPECT_DOUBLE_EQ(e.at(2).toDouble(), r.startFreq * 1e6);
        EXPECT_DOUBLE_EQ(e.at(3).toDouble(), r.endFreq * 1e6);
        EXPECT_DOUBLE_EQ(e.at(4).toDouble(), r.peakFreq * 1e6);
        EXPECT_DOUBLE_EQ(e.at(5).toDouble(), r.level);
        EXPECT_DOUBLE_EQ(e.at(6).toDouble(), r.excess);
        EXPECT_EQ(e.at(7).toInt(), 1);
        EXPECT_EQ(e.at(8).toInt(), -1);
    }
}

// A new analysis rebuilds the library's list at once; the rows wait for the next poll. Until then the
// rows past the new list's end stand for nothing.
TEST_F(AnalysisWindowTest, RowsOfALongerListActOnlyOnWhatTheListStillHolds)
{
    Show(ThreeSignals());
    Library().resize(1);
    QSignalSpy tune(m_window.get(), &CAnalysisWindow::freqChange);
    QSignalSpy entries(m_window.get(), &CAnalysisWindow::addArchiveEntry);
    QSignalSpy finished(m_window.get(), &CAnalysisWindow::analysisFinished);

    Select({2});
    EXPECT_EQ(std::unique_ptr<QMenu>(m_window->CreateContextMenu()), nullptr);
    m_window->OnGoto2ndHarmMenu();
    m_window->OnGoto3rdHarmMenu();
    EXPECT_EQ(tune.count(), 0);
    Select({0});
    EXPECT_NE(std::unique_ptr<QMenu>(m_window->CreateContextMenu()), nullptr);
    m_window->OnGoto3rdHarmMenu();
    ASSERT_EQ(tune.count(), 1);
    EXPECT_DOUBLE_EQ(tune.at(0).at(0).toDouble(), 60.0);

    Select({1, 0, 2});
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                dialog.accept();
                return dialog.result();
            });
        m_window->OnAddToArchive();
    }
    ASSERT_EQ(entries.count(), 1);
    EXPECT_DOUBLE_EQ(entries.at(0).at(4).toDouble(), 20.0e6);

    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        m_window->OnDeleteRecordMenu();
    }
    ASSERT_EQ(Library().size(), 1u);
    EXPECT_EQ(Library()[0].status, 255);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<std::vector<ANALYSIS_RESULT_ITEM>>().size(), 1u);
}

TEST_F(AnalysisWindowTest, ACommentReplacesTheIdentInTheLibrarysList)
{
    Show(ThreeSignals());
    Select({1});
    QSignalSpy finished(m_window.get(), &CAnalysisWindow::analysisFinished);
    {
        CScriptedPrompt prompt;
        prompt.CancelText(QStringLiteral("Comment:"));
        m_window->OnAddCommentMenu();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Set Comment"));
        EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("c"));
    }
    EXPECT_EQ(Library()[1].ident, L"c");
    {
        CScriptedPrompt prompt;
        prompt.AnswerText(QStringLiteral("radar"), QStringLiteral("Comment:"));
        m_window->OnAddCommentMenu();
    }
    EXPECT_EQ(Library()[1].ident, L"radar");
    ASSERT_NE(RowOf(1), nullptr);
    EXPECT_EQ(RowOf(1)->text(3), QStringLiteral("radar"));
    EXPECT_EQ(finished.count(), 0);
}

namespace
{
// A library whose result list cannot be had.
class CFailingAnalysis : public IAnalysis
{
public:
    void SetGarmConv(IGarmConv*) override {}
    void AddSpectrum(const std::vector<double>&, int) override {}
    void Start(const std::vector<double>&, const std::vector<ARCHIVE_SIGNAL_ENTRY>&, bool,
               const std::vector<double>&) override
    {
    }
    bool IsFinished() override { return true; }
    std::vector<ANALYSIS_RESULT_ITEM>& GetResults() override { throw std::runtime_error("results are gone"); }
    void SetParameters(int, double, double, int, double, bool, int) override {}
    const std::vector<double>& GetAverage(int*) override { return m_average; }
    void ClearResults() override {}

private:
    std::vector<double> m_average;
};
}  // namespace

TEST_F(AnalysisWindowTest, AFailedRefillSaysWhatTheLibraryReported)
{
    CFailingAnalysis failing;
    CAnalysisWindow window(nullptr, nullptr, &failing);
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok);
    window.FillTree();
    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Failed to fill the list of results! results are gone"));
    EXPECT_EQ(prompt.Asked()[0].title, QCoreApplication::applicationName());
    EXPECT_EQ(window.Form().m_pTreeWidget->topLevelItemCount(), 0);
}

TEST_F(AnalysisWindowTest, TheReportIsTheKnownPageForPlainTextAndEscapesEverythingElse)
{
    QTemporaryDir dir;
    const std::vector<ANALYSIS_RESULT_ITEM> results = {
        Result(0, 433.92, 433.9, 433.95, -61.5, 14.5, L"ISM"),
        Result(2, 100.0, 99.0, 101.0, -40.0, 22.0, L""),
        Result(3, 2400.0, 2399.0, 2401.0, -70.0, 3.0, L"<&\x0416"),
    };
    Show(results);
    Tree()->sortByColumn(2, Qt::AscendingOrder);  // the report keeps the order shown
    const QString path = dir.filePath(QStringLiteral("results.htm"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path, QStringLiteral("Web pages (*.htm *.html)"));
        m_window->OnSaveButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Save Results As Web page"));
        EXPECT_EQ(prompt.Asked()[0].initial, QString());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "<html>\r\n<head>\r\n<title>Detected frequencies</title>\r\n</head>\r\n<h1>Detected "
        "frequencies</h1>\r\n"
        "<table border=1 cellspacing=0><TR><TD align=middle>Freq</TD><TD align=middle>Level</TD>"
        "<TD align=middle>Excess</TD><TD align=middle>Ident</TD></TR>\r\n"
        "<TR><TD align=middle bgcolor=#6464ff>2400.0 MHz</TD><TD align=middle>-70.0 dBm</TD>"
        "<TD align=middle>3.0 dBm</TD><TD align=middle>&lt;&amp;&#1046;</TD></TR>\r\n"
        "<TR><TD align=middle bgcolor=#c8c8c8>433.92 MHz</TD><TD align=middle>-61.5 dBm</TD>"
        "<TD align=middle>14.5 dBm</TD><TD align=middle>ISM</TD></TR>\r\n"
        "<TR><TD align=middle bgcolor=#ff0000>100.00 MHz</TD><TD align=middle>-40.0 dBm</TD>"
        "<TD align=middle>22.0 dBm</TD><TD align=middle></TD></TR>\r\n"
        "</table></html>";
    EXPECT_EQ(file.readAll().toStdString(), expected.toStdString());
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("AnalysisSave"), QString()),
              dir.path());
}

TEST_F(AnalysisWindowTest, TheReportsFolderIsKeptOnlyWhenThePageWasWritten)
{
    QTemporaryDir dir;
    Show(ThreeSignals());
    const QString stored = QStringLiteral("/kept/folder");
    struct Case
    {
        const char* name;
        QString answer;
        bool failure;
        bool breaksOff;  // the write stops short, as on a full disk
        QString folder;
    };
    const Case cases[] = {
        {"cancelled", QString(), false, false, stored},
        {"cannot be opened", dir.filePath(QStringLiteral("missing/results.html")), true, false, stored},
        {"breaks off", dir.filePath(QStringLiteral("full.html")), true, true, stored},
        {"written", dir.filePath(QStringLiteral("results.html")), false, false, dir.path()},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_Parameters.SetString(QStringLiteral("FilePaths"), QStringLiteral("AnalysisSave"), stored);
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(c.answer);
        if (c.failure)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed open the file for writing!"));
        if (c.breaksOff)
            CHtmlReport::s_pBeforeCommit = [](QSaveFile& file) { file.cancelWriting(); };
        m_window->OnSaveButton();
        CHtmlReport::s_pBeforeCommit = nullptr;
        EXPECT_EQ(prompt.Asked()[0].initial, stored);
        EXPECT_EQ(prompt.Asked().size(), c.failure ? 2u : 1u);
        if (c.failure)
        {
            EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Critical);
        }
        EXPECT_EQ(
            g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("AnalysisSave"), QString()),
            c.folder);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.folder == stored ? 0 : 1);
    }
}

TEST_F(AnalysisWindowTest, TheOptionsAndLegendDialogsRunFromTheirButtons)
{
    Show(ThreeSignals());
    QSignalSpy threshold(m_window.get(), &CAnalysisWindow::thresholdVisibilityChanged);
    for (int show : {1, 0})
    {
        SCOPED_TRACE(show);
        g_Parameters.SetInt(QStringLiteral("Analysis"), QStringLiteral("ShowAveraging"), show);
        g_Parameters.SetDouble(QStringLiteral("Analysis"), QStringLiteral("SquelchValue2"), 12.0);
        Library() = {Result(2, 100.0, 99.0, 101.0)};
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                auto& options = static_cast<CAnalysisOptionsDialog&>(dialog);
                // Mode 0, no parent.
                EXPECT_FALSE(options.Form().m_pSquelchRadio1->isHidden());
                EXPECT_EQ(dialog.parent(), nullptr);
                options.Form().m_pSquelchEdit2->setText(QStringLiteral("17"));
                options.Form().m_pApplyButton->click();
                return int(QDialog::Rejected);
            },
            QStringLiteral("Analysis Options"));
        m_window->Form().m_pOptionsButton->click();
        ASSERT_EQ(threshold.count(), 1);
        EXPECT_EQ(threshold.takeFirst().at(0).toBool(), show == 1);
        EXPECT_DOUBLE_EQ(
            g_Parameters.GetDouble(QStringLiteral("Analysis"), QStringLiteral("SquelchValue2"), 0.0), 17.0);
        // Apply refills the list from the library.
        EXPECT_EQ(RowIndexes(), std::vector<int>{0});
    }

    CScriptedPrompt prompt;
    prompt.RunDialog(
        [](QDialog& dialog)
        {
            auto& legend = static_cast<CAnalysisLegendDialog&>(dialog);
            EXPECT_EQ(legend.Form().m_pUnchangedFrame->styleSheet(),
                      QStringLiteral("QFrame { background: #c8c8c8}"));
            EXPECT_EQ(legend.Form().m_pNewFrame->styleSheet(),
                      QStringLiteral("QFrame { background: #ff0000}"));
            EXPECT_EQ(legend.Form().m_pDeleteFrame->styleSheet(),
                      QStringLiteral("QFrame { background: #6464ff}"));
            legend.Form().m_pCloseButton->click();
            EXPECT_FALSE(dialog.isVisible());
            return int(QDialog::Rejected);
        },
        QStringLiteral("Legend"));
    m_window->Form().m_pLegendButton->click();
    EXPECT_EQ(prompt.Pending(), 0u);
}

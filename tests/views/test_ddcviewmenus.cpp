// The band view's context menu per pane and the commands behind it: pane data files through the file
// dialogs, the data operations on the pane under the last press, the waterfall's spectrum switch and
// the harmonics; and the order of the view's own slots, which the main window connects by name.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QFile>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "ddcview.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "spectrumgraphic.h"
#include "tempdir.h"
#include "testdevice.h"
#include "vectorgraphic.h"
#include "viewchecks.h"
#include "viewinput.h"

namespace
{
// Channel type 1 tunes the band receiver itself; types 0 and 3 follow the synthesizer.
class DdcMenusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { PrepareTestDevice({61.44e6, 61.44e6}); }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DdcMenusEnvironment);

const QStringList kMenuTail = ViewMenuTail();

class DdcMenusTest : public CViewMenusTest<CDdcView>
{
protected:
    std::unique_ptr<QMenu> MenuAt(QPoint pos)
    {
        PressAt(pos);
        return std::unique_ptr<QMenu>(m_view.CreateContextMenu(pos));
    }
    std::unique_ptr<QMenu> MenuOn(const char* pane) { return MenuAt(PlotCenter(m_view, pane)); }
};

TEST_F(DdcMenusTest, EachPaneGetsItsOwnMenu)
{
    const QStringList oscHead = {"[x] Enable autoscale", "( ) Enable trigger", "Set trigger level here",
                                 "( ) Enable Delta Cursor"};
    struct Case
    {
        int mode;
        const char* pane;
        QStringList head;
    };
    const Case cases[] = {
        {0, "Spec", {"( ) Enable Delta Cursor"}},
        {1, "Waterfall", {"( ) Show Spectrum", "( ) Enable Delta Cursor"}},
        // Shown together, the waterfall's switch is ticked; the spectrum above has none.
        {2, "Waterfall", {"[x] Show Spectrum", "( ) Enable Delta Cursor"}},
        {2, "Spec", {"( ) Enable Delta Cursor"}},
        {3, "Osc", oscHead},
        // The vector pane has neither a trigger nor a delta cursor.
        {4, "Vec", {"[x] Enable autoscale"}},
    };
    for (const Case& c : cases)
    {
        Show(c.mode);
        std::unique_ptr<QMenu> menu = MenuOn(c.pane);
        ASSERT_NE(menu, nullptr) << c.pane;
        EXPECT_EQ(Entries(menu.get()), c.head + kMenuTail) << c.mode << " " << c.pane;
        EXPECT_EQ(FindAction(menu.get(), "Difference: data-signal"), nullptr) << c.pane;
        // Without loaded data there is no operation to choose or cancel.
        EXPECT_FALSE(SubMenu(menu.get())->isEnabled()) << c.pane;
        EXPECT_FALSE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled()) << c.pane;
    }
}

// With loaded data the operations can be chosen on the spectrum and the waterfall only; cancelling
// is offered on every pane. The tick follows the operation of the pane under the press.
TEST_F(DdcMenusTest, LoadedDataEnableTheOperationsOfSpectrumPanes)
{
    struct Case
    {
        int mode;
        const char* pane;
        bool operations;
    };
    const Case cases[] = {
        {0, "Spec", true},      {1, "Waterfall", true}, {2, "Spec", true},
        {2, "Waterfall", true}, {3, "Osc", false},      {4, "Vec", false},
    };
    for (const Case& c : cases)
    {
        Show(c.mode);
        PressOn(c.pane);
        m_view.OnDataOpCombination();
        ASSERT_TRUE(m_view.IsLoadedData()) << c.pane;
        std::unique_ptr<QMenu> menu = MenuOn(c.pane);
        EXPECT_EQ(SubMenu(menu.get())->isEnabled(), c.operations) << c.mode << " " << c.pane;
        EXPECT_TRUE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled()) << c.pane;
        EXPECT_EQ(Entries(SubMenu(menu.get())->menu()),
                  (QStringList{"( ) Pause", "[x] Combination", "( ) Difference: signal-data"}))
            << c.pane;
        m_view.OnCancelOp();
    }

    // Operation 3 has no entry, so nothing is ticked; the tick is the pressed pane's, not the view's.
    Show(2);
    PressOn("Spec");
    m_view.OnDataOpDataSignal();
    std::unique_ptr<QMenu> menu = MenuOn("Spec");
    EXPECT_EQ(Entries(SubMenu(menu.get())->menu()),
              (QStringList{"( ) Pause", "( ) Combination", "( ) Difference: signal-data"}));
    PressOn("Waterfall");
    m_view.OnDataOpSignalData();
    menu = MenuOn("Spec");
    EXPECT_EQ(Entries(SubMenu(menu.get())->menu()),
              (QStringList{"( ) Pause", "( ) Combination", "( ) Difference: signal-data"}));
    menu = MenuOn("Waterfall");
    EXPECT_EQ(Entries(SubMenu(menu.get())->menu()),
              (QStringList{"( ) Pause", "( ) Combination", "[x] Difference: signal-data"}));
}

TEST_F(DdcMenusTest, NoPaneNoMenu)
{
    Show(2);
    ASSERT_EQ(m_view.GetGraphicAtPoint(NoPanePoint()), nullptr);
    EXPECT_EQ(m_view.CreateContextMenu(NoPanePoint()), nullptr);
    CDdcView empty;
    empty.resize(kWidth, kHeight);
    EXPECT_EQ(empty.CreateContextMenu(QPoint(kWidth / 2, kHeight / 2)), nullptr);

    const QRect plot = Pane("Spec")->GetPlotRect();
    // No pane, an axis band (the axis's own), then the plot: only the plot opens the menu.
    const SShownMenus shown = ContextMenusAt(
        &m_view, {NoPanePoint(), QPoint(plot.center().x(), plot.bottom() + 10), plot.center()});
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.last, QStringList{"( ) Enable Delta Cursor"} + kMenuTail);
}

TEST_F(DdcMenusTest, EntriesReachTheSlots)
{
    g_Parameters.SetInt("DdcOptions", "WaterfallSpectrum", 0);
    Show(1);
    std::unique_ptr<QMenu> menu = MenuOn("Waterfall");
    FindAction(menu.get(), "Show Spectrum")->trigger();
    EXPECT_EQ(m_view.GetPaneMode(), 2);
    EXPECT_EQ(g_Parameters.GetInt("DdcOptions", "WaterfallSpectrum", -1), 1);

    Show(0);
    PressOn("Spec");
    m_view.OnDataOpCombination();
    menu = MenuOn("Spec");
    FindAction(menu.get(), "Pause")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 1);
    menu = MenuOn("Spec");
    FindAction(menu.get(), "Difference: signal-data")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 4);
    menu = MenuOn("Spec");
    FindAction(menu.get(), "Cancel Data Operation")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 0);
    EXPECT_FALSE(m_view.IsLoadedData());
    menu = MenuOn("Spec");
    FindAction(menu.get(), "Enable Delta Cursor")->trigger();
    EXPECT_TRUE(m_view.IsDeltaCursorOn());

    Show(3);
    menu = MenuOn("Osc");
    FindAction(menu.get(), "Enable trigger")->trigger();
    EXPECT_TRUE(m_view.IsTriggerEnabled());
    menu = MenuOn("Osc");
    EXPECT_TRUE(FindAction(menu.get(), "Enable trigger")->isChecked());
    // The trigger needs a still scale, so it switched auto-scale off.
    EXPECT_FALSE(FindAction(menu.get(), "Enable autoscale")->isChecked());

    Show(4);
    auto* vec = dynamic_cast<CQVectorGraphic*>(Pane("Vec"));
    ASSERT_TRUE(vec->IsAutoScale());
    menu = MenuOn("Vec");
    FindAction(menu.get(), "Enable autoscale")->trigger();
    EXPECT_FALSE(vec->IsAutoScale());

    // The file entries open the dialogs of the pane's own file type.
    menu = MenuOn("Vec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("Data files (*.dvd)"));
        prompt.AnswerOpenFile(QString(), QStringLiteral("Data files (*.dvd)"));
        FindAction(menu.get(), "Save Data...")->trigger();
        FindAction(menu.get(), "Load Data...")->trigger();
    }
}

TEST_F(DdcMenusTest, DataOperationsActOnThePaneAtThePressPoint)
{
    Show(2);
    CheckDataOperationsAtPressPoint<CDdcView>(m_view,
                                              {{&CDdcView::OnDataOpPause, 1},
                                               {&CDdcView::OnDataOpCombination, 2},
                                               {&CDdcView::OnDataOpDataSignal, 3},
                                               {&CDdcView::OnDataOpSignalData, 4}},
                                              NoPanePoint());

    // A view that shows nothing has no pane to act on.
    CDdcView empty;
    empty.resize(kWidth, kHeight);
    Click(&empty, QPoint(10, 10), Qt::RightButton);
    empty.OnDataOpPause();
    EXPECT_FALSE(empty.IsLoadedData());
    for (const char* name : {"Spec", "Waterfall", "Osc", "Vec"})
        EXPECT_EQ(empty.GetGraphic(name)->GetDataOperation(), 0) << name;
}

TEST_F(DdcMenusTest, ShowSpectrumSwitchesTheWaterfallLayout)
{
    CheckShowSpectrumSwitch(
        m_view, [this](int mode) { Show(mode); }, QStringLiteral("DdcOptions"));
}

TEST_F(DdcMenusTest, HarmonicsMultiplyTheTuneFrequency)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    struct Case
    {
        void (CDdcView::*slot)();
        double expectedHz;
    };
    const Case cases[] = {
        {&CDdcView::OnAddToArchiveGoto2Harmonic, 200e6},
        {&CDdcView::OnAddToArchiveGoto3Harmonic, 300e6},
    };
    for (const Case& c : cases)
    {
        bits->SetTuneFreqAndBandwidth(100e6, 0);
        ASSERT_DOUBLE_EQ(bits->GetTuneFreq(), 100e6);
        (m_view.*c.slot)();
        EXPECT_DOUBLE_EQ(bits->GetTuneFreq(), c.expectedHz);
    }
    // Repeated, the factor applies to the frequency reached.
    m_view.OnAddToArchiveGoto2Harmonic();
    EXPECT_DOUBLE_EQ(bits->GetTuneFreq(), 600e6);
}

// The main window and the options window connect these by their signatures, and the class's own slots
// keep the order in which the view's interface lists them.
TEST(DdcViewSlots, OwnSlotsInDeclarationOrder)
{
    const QMetaObject& meta = CDdcView::staticMetaObject;
    QStringList names;
    for (int m = meta.methodOffset(); m < meta.methodCount(); ++m)
    {
        const QMetaMethod method = meta.method(m);
        if (method.methodType() == QMetaMethod::Slot)
            names << QString::fromLatin1(method.methodSignature());
    }
    EXPECT_EQ(names,
              (QStringList{"SetFftCorr(bool)", "OnLoadData()", "OnSaveData()", "OnDataOpPause()",
                           "OnDataOpCombination()", "OnDataOpSignalData()", "OnDataOpDataSignal()",
                           "OnAddToArchiveGoto2Harmonic()", "OnAddToArchiveGoto3Harmonic()", "OnCancelOp()",
                           "OnWaterfallSpectrum()", "OnSeparateVector()", "OnVectorShowLines(bool)",
                           "OnVectorShowSamples(int)", "OnCombineOsc(int)"}));
}

class DdcFilesTest : public DdcMenusTest
{
protected:
    QString Dir() const { return QString::fromStdString(m_dir.Path()); }
    QString Path(const QString& name) const { return Dir() + "/" + name; }
    static QString Folder() { return g_Parameters.GetString("FilePaths", "SaveDdcData", "<none>"); }
    static void SetFolder(const QString& folder)
    {
        g_Parameters.SetString("FilePaths", "SaveDdcData", folder);
    }

    // Saves the pane under the last press of `view` as `path`, through the dialog.
    static void Save(CDdcView& view, const QString& path)
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path);
        view.OnSaveData();
    }

    CTempDir m_dir;
};

// One row per pane: the mode showing it, its file type, and what the file must bring back.
struct PaneFile
{
    int mode;
    const char* pane;
    const char* tag;
};
const PaneFile kPaneFiles[] = {
    {1, "Waterfall", "dwd"},
    {0, "Spec", "dsd"},
    {4, "Vec", "dvd"},
    {3, "Osc", "dod"},
};

QString Filter(const PaneFile& file)
{
    return QStringLiteral("Data files (*.%1)").arg(QLatin1String(file.tag));
}

TEST_F(DdcFilesTest, EachPaneSavesItsFileAndLoadsItBackHeld)
{
    const std::vector<double> spectrum = {-70.0, -40.0, -65.0, -80.0};
    const std::vector<double> i = {0.5, -0.25, 0.125};
    const std::vector<double> q = {-0.5, 0.75, 0.0};
    for (const PaneFile& f : kPaneFiles)
    {
        SCOPED_TRACE(f.pane);
        SetFolder("/start");
        Show(f.mode);
        m_view.SetSpectrumData(spectrum);
        m_view.SetOscData(i, q);
        const QString path = Path(QStringLiteral("saved.") + f.tag);
        PressOn(f.pane);
        {
            CScriptedPrompt prompt;
            prompt.AnswerSaveFile(path);
            m_view.OnSaveData();
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Save data"));
            EXPECT_EQ(prompt.Asked()[0].text, Filter(f));
            EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("/start"));
        }
        EXPECT_EQ(Folder(), Dir());

        // The file opens with its tag as a string of the stream format the files were first written in.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QDataStream stream(&file);
        stream.setVersion(QDataStream::Qt_5_12);
        QString tag;
        stream >> tag;
        EXPECT_EQ(tag, QLatin1String(f.tag));

        CDdcView other;
        Prepare(other, f.mode);
        PressOn(other, f.pane);
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(path);
            other.OnLoadData();
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Open saved data"));
            EXPECT_EQ(prompt.Asked()[0].text, Filter(f));
            EXPECT_EQ(prompt.Asked()[0].initial, Dir());
        }
        IGraphic* loaded = other.GetGraphic(f.pane);
        EXPECT_EQ(loaded->GetDataOperation(), 1);
        EXPECT_TRUE(other.IsLoadedData());
        EXPECT_EQ(Folder(), Dir());

        const QString pane = QLatin1String(f.pane);
        if (pane == "Waterfall")
        {
            // A waterfall's file is its tag alone.
            EXPECT_TRUE(stream.atEnd());
        }
        else if (pane == "Spec")
        {
            EXPECT_EQ(PaneTrace(loaded, 2), spectrum);
        }
        else
        {
            // Both sample panes come back as the held I and Q traces, shown at once.
            EXPECT_EQ(PaneTrace(loaded, 1), i);
            EXPECT_EQ(PaneTrace(loaded, 3), q);
            auto* osc = dynamic_cast<CQOscillogramGraphic*>(loaded);
            EXPECT_TRUE(osc->GetTrace(1).visible);
            EXPECT_TRUE(osc->GetTrace(3).visible);
        }
    }
}

// The vector pane's file carries the I/Q block the pane was given: its six window values, then the
// input I and Q traces, which a loading vector pane holds as its traces 1 and 3.
TEST_F(DdcFilesTest, TheVectorFileCarriesTheInputBlock)
{
    Show(4);
    const std::vector<double> i = {0.5, -0.25, 0.125, 0.0};
    const std::vector<double> q = {-0.5, 0.75, 0.0, 0.25};
    m_view.SetOscData(i, q);
    auto* vec = dynamic_cast<CQVectorGraphic*>(Pane("Vec"));
    ASSERT_EQ(PaneTrace(Pane("Vec"), 0), i);
    PressOn("Vec");
    Save(m_view, Path("block.dvd"));

    QFile file(Path("block.dvd"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QDataStream stream(&file);
    stream.setVersion(QDataStream::Qt_5_12);
    QString tag;
    double window[6] = {};
    stream >> tag;
    for (double& value : window)
        stream >> value;
    std::vector<std::vector<double>> traces(2);
    for (std::vector<double>& trace : traces)
    {
        qint32 count = 0;
        stream >> count;
        ASSERT_GE(count, 0);
        trace.resize(static_cast<size_t>(count));
        for (double& value : trace)
            stream >> value;
    }
    ASSERT_EQ(stream.status(), QDataStream::Ok);
    EXPECT_TRUE(stream.atEnd());
    EXPECT_EQ(tag, QStringLiteral("dvd"));
    EXPECT_EQ(traces[0], i);
    EXPECT_EQ(traces[1], q);
    EXPECT_DOUBLE_EQ(window[2], vec->GetXFrom());
    EXPECT_DOUBLE_EQ(window[3], vec->GetXTo());

    CDdcView other;
    Prepare(other, 4);
    PressOn(other, "Vec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(Path("block.dvd"));
        other.OnLoadData();
    }
    IGraphic* loaded = other.GetGraphic("Vec");
    EXPECT_EQ(PaneTrace(loaded, 1), i);
    EXPECT_EQ(PaneTrace(loaded, 3), q);
    // Held: the input traces are emptied, and the next live block is dropped in favour of the held one.
    other.SetOscData({0.9, 0.9}, {0.9, 0.9});
    EXPECT_TRUE(PaneTrace(loaded, 0).empty());
    EXPECT_TRUE(PaneTrace(loaded, 2).empty());
    EXPECT_EQ(PaneTrace(loaded, 1), i);
    EXPECT_EQ(loaded->GetDataOperation(), 1);

    // The held block saves again whole: the same file as the live one.
    Save(other, Path("again.dvd"));
    QFile again(Path("again.dvd"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    file.seek(0);
    EXPECT_EQ(again.readAll(), file.readAll());
}

TEST_F(DdcFilesTest, CancelledDialogsChangeNothing)
{
    for (const PaneFile& f : kPaneFiles)
    {
        SCOPED_TRACE(f.pane);
        SetFolder("/kept");
        Show(f.mode);
        PressOn(f.pane);
        {
            CScriptedPrompt prompt;
            prompt.AnswerSaveFile(QString(), Filter(f));
            prompt.AnswerOpenFile(QString(), Filter(f));
            m_view.OnSaveData();
            m_view.OnLoadData();
            ASSERT_EQ(prompt.Asked().size(), 2u);
            EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("/kept"));
            EXPECT_EQ(prompt.Asked()[1].initial, QStringLiteral("/kept"));
        }
        EXPECT_EQ(Folder(), QStringLiteral("/kept"));
        EXPECT_FALSE(m_view.IsLoadedData());
        EXPECT_EQ(Pane(f.pane)->GetDataOperation(), 0);
    }
}

TEST_F(DdcFilesTest, NoPaneAtThePressPointAsksNothing)
{
    SetFolder("/kept");
    Show(2);
    PressAt(NoPanePoint());
    CDdcView empty;
    empty.resize(kWidth, kHeight);
    Click(&empty, QPoint(kWidth / 2, kHeight / 2), Qt::RightButton);
    {
        // Unscripted, any dialog would fail the test.
        CScriptedPrompt prompt;
        m_view.OnSaveData();
        m_view.OnLoadData();
        empty.OnSaveData();
        empty.OnLoadData();
        EXPECT_TRUE(prompt.Asked().empty());
    }
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
    EXPECT_FALSE(m_view.IsLoadedData());
    EXPECT_FALSE(empty.IsLoadedData());
}

// A file of another pane is refused with its reason and leaves the pane, its operation, the
// loaded-data flag and the folder as they were.
TEST_F(DdcFilesTest, AFileOfAnotherPaneIsRefusedAndChangesNothing)
{
    Show(3);
    m_view.SetOscData({0.1, 0.2}, {0.3, 0.4});
    PressOn("Osc");
    Save(m_view, Path("samples.dod"));
    Show(0);
    m_view.SetSpectrumData({-50.0, -60.0});
    PressOn("Spec");
    Save(m_view, Path("sweep.dsd"));
    ASSERT_TRUE(QFile::exists(Path("samples.dod")));
    ASSERT_TRUE(QFile::exists(Path("sweep.dsd")));

    struct Case
    {
        int mode;
        const char* pane;
        const char* file;
        int live;
        int held;
    };
    // The vector pane reads its own payload kind: a spectrum file must not reach it either.
    const Case cases[] = {
        {0, "Spec", "samples.dod", 1, 2}, {4, "Vec", "sweep.dsd", 0, 1}, {3, "Osc", "sweep.dsd", 0, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file);
        Show(c.mode);
        m_view.SetSpectrumData({-50.0, -60.0});
        m_view.SetOscData({0.5, 0.6}, {0.7, 0.8});
        PressOn(c.pane);
        m_view.OnDataOpCombination();
        IGraphic* pane = Pane(c.pane);
        const std::vector<double> live = PaneTrace(pane, c.live);
        const std::vector<double> held = PaneTrace(pane, c.held);
        ASSERT_FALSE(live.empty());
        SetFolder("/kept");
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(Path(c.file));
            prompt.Answer(QMessageBox::Ok);
            m_view.OnLoadData();
            ASSERT_EQ(prompt.Asked().size(), 2u);
            const CScriptedPrompt::Record& warning = prompt.Asked()[1];
            EXPECT_EQ(warning.icon, QMessageBox::Warning);
            EXPECT_EQ(warning.title, QApplication::applicationName());
            EXPECT_TRUE(warning.text.startsWith("Unexpected error occurred:")) << warning.text.toStdString();
            EXPECT_TRUE(warning.text.contains("Wrong file type!")) << warning.text.toStdString();
        }
        EXPECT_EQ(pane->GetDataOperation(), 2);
        EXPECT_TRUE(m_view.IsLoadedData());
        EXPECT_EQ(PaneTrace(pane, c.live), live);
        EXPECT_EQ(PaneTrace(pane, c.held), held);
        EXPECT_EQ(Folder(), QStringLiteral("/kept"));
        m_view.OnCancelOp();
    }
}

TEST_F(DdcFilesTest, ASaveThatCannotBeWrittenIsReported)
{
    SetFolder("/kept");
    PressOn("Spec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("missing/sub/sweep.dsd"));
        prompt.Answer(QMessageBox::Ok);
        m_view.OnSaveData();
        ASSERT_EQ(prompt.Asked().size(), 2u);
        const CScriptedPrompt::Record& warning = prompt.Asked()[1];
        EXPECT_EQ(warning.icon, QMessageBox::Warning);
        EXPECT_EQ(warning.title, QApplication::applicationName());
        EXPECT_TRUE(warning.text.startsWith("Unexpected error occurred!")) << warning.text.toStdString();
    }
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
    EXPECT_FALSE(QFile::exists(Path("missing/sub/sweep.dsd")));
}
}  // namespace

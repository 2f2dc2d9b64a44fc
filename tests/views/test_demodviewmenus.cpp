// The demodulation view's context menu, its commands (pane data files through the file dialogs, the data
// operations on the pane under the last press, the waterfall's spectrum switch), its wheel over the
// oscillogram's middle level cell and its corner mark; and the order of its own slots.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMetaMethod>

#include <memory>
#include <vector>

#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "spectrumgraphic.h"
#include "tempdir.h"
#include "testdevice.h"
#include "viewchecks.h"
#include "viewinput.h"

namespace
{
class DemodMenusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { PrepareTestDevice({61.44e6, 61.44e6}); }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DemodMenusEnvironment);

const QStringList kMenuTail = QStringList{"( ) Enable Delta Cursor"} + ViewMenuTail();

class DemodMenusTest : public CViewMenusTest<CDemodView>
{
protected:
    std::unique_ptr<QMenu> MenuOn(const char* pane)
    {
        PressOn(pane);
        return std::unique_ptr<QMenu>(m_view.CreateContextMenu());
    }
};

TEST_F(DemodMenusTest, TheMenuFollowsTheLowerPane)
{
    const QStringList oscHead = {"[x] Enable autoscale", "( ) Enable trigger", "Set trigger level here"};
    struct Case
    {
        int mode;
        const char* pressed;
        QStringList head;
    };
    // Shown together, the waterfall below decides the entries, wherever the press was.
    const Case cases[] = {
        {0, "Spec", {}},
        {1, "Waterfall", {"( ) Show Spectrum"}},
        {2, "Waterfall", {"[x] Show Spectrum"}},
        {2, "Spec", {"[x] Show Spectrum"}},
        {3, "Osc", oscHead},
    };
    for (const Case& c : cases)
    {
        Show(c.mode);
        std::unique_ptr<QMenu> menu = MenuOn(c.pressed);
        ASSERT_NE(menu, nullptr) << c.pressed;
        EXPECT_EQ(Entries(menu.get()), c.head + kMenuTail) << c.mode << " " << c.pressed;
        EXPECT_FALSE(SubMenu(menu.get())->isEnabled()) << c.mode;
        EXPECT_FALSE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled()) << c.mode;
    }

    // Loaded data enable the operations on every pane, the oscillogram's too; the tick is the lower
    // pane's operation.
    for (const Case& c : cases)
    {
        Show(c.mode);
        PressOn(c.pressed);
        m_view.OnDataOpCombination();
        std::unique_ptr<QMenu> menu = MenuOn(c.pressed);
        EXPECT_TRUE(SubMenu(menu.get())->isEnabled()) << c.mode;
        EXPECT_TRUE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled()) << c.mode;
        const bool lowerPressed = m_view.GetGraphicAt(m_view.GetShownCount() - 1) == Pane(c.pressed);
        EXPECT_EQ(FindAction(SubMenu(menu.get())->menu(), "Combination")->isChecked(), lowerPressed)
            << c.mode << " " << c.pressed;
        m_view.OnCancelOp();
    }

    // A view that shows no pane offers none.
    CDemodView empty;
    EXPECT_EQ(empty.CreateContextMenu(), nullptr);
}

TEST_F(DemodMenusTest, OnlyAPlotOpensTheMenu)
{
    // An axis band is the axis's own; the plot opens the menu.
    const QRect plot = Pane("Spec")->GetPlotRect();
    const SShownMenus shown =
        ContextMenusAt(&m_view, {QPoint(plot.center().x(), plot.bottom() + 10), plot.center()});
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.last, kMenuTail);
}

TEST_F(DemodMenusTest, EntriesReachTheSlots)
{
    g_Parameters.SetInt("DemodOptions", "WaterfallSpectrum", 0);
    Show(1);
    std::unique_ptr<QMenu> menu = MenuOn("Waterfall");
    FindAction(menu.get(), "Show Spectrum")->trigger();
    EXPECT_EQ(m_view.GetPaneMode(), 2);
    EXPECT_EQ(g_Parameters.GetInt("DemodOptions", "WaterfallSpectrum", -1), 1);

    Show(0);
    PressOn("Spec");
    m_view.OnDataOpCombination();
    struct Step
    {
        const char* entry;
        int operation;
    };
    for (const Step& step : {Step{"Pause", 1}, Step{"Difference: signal-data", 4}, Step{"Combination", 2},
                             Step{"Cancel Data Operation", 0}})
    {
        menu = MenuOn("Spec");
        FindAction(menu.get(), step.entry)->trigger();
        EXPECT_EQ(Pane("Spec")->GetDataOperation(), step.operation) << step.entry;
    }
    EXPECT_FALSE(m_view.IsLoadedData());
    menu = MenuOn("Spec");
    FindAction(menu.get(), "Enable Delta Cursor")->trigger();
    EXPECT_TRUE(m_view.IsDeltaCursorOn());

    Show(3);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(Pane("Osc"));
    menu = MenuOn("Osc");
    FindAction(menu.get(), "Enable trigger")->trigger();
    EXPECT_TRUE(m_view.IsTriggerEnabled());
    menu = MenuOn("Osc");
    EXPECT_TRUE(FindAction(menu.get(), "Enable trigger")->isChecked());
    osc->SetAutoScale(true, false);
    menu = MenuOn("Osc");
    FindAction(menu.get(), "Enable autoscale")->trigger();
    EXPECT_FALSE(osc->IsAutoScale());

    // The file entries open the dialogs of the pane's own file type.
    menu = MenuOn("Osc");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("Data files (*.mod)"));
        prompt.AnswerOpenFile(QString(), QStringLiteral("Data files (*.mod)"));
        FindAction(menu.get(), "Save Data...")->trigger();
        FindAction(menu.get(), "Load Data...")->trigger();
    }
}

TEST_F(DemodMenusTest, DataOperationsActOnThePaneAtThePressPoint)
{
    Show(2);
    CheckDataOperationsAtPressPoint<CDemodView>(m_view,
                                                {{&CDemodView::OnDataOpPause, 1},
                                                 {&CDemodView::OnDataOpCombination, 2},
                                                 {&CDemodView::OnDataOpSignalData, 4}},
                                                NoPanePoint());
}

TEST_F(DemodMenusTest, ShowSpectrumSwitchesTheWaterfallLayout)
{
    CheckShowSpectrumSwitch(
        m_view, [this](int mode) { Show(mode); }, QStringLiteral("DemodOptions"));
}

// The main window and the options window connect these by their signatures; the class's own slots keep
// the order in which the view's interface lists them.
TEST(DemodViewSlots, OwnSlotsInDeclarationOrder)
{
    const QMetaObject& meta = CDemodView::staticMetaObject;
    QStringList names;
    for (int m = meta.methodOffset(); m < meta.methodCount(); ++m)
    {
        const QMetaMethod method = meta.method(m);
        if (method.methodType() == QMetaMethod::Slot)
            names << QString::fromLatin1(method.methodSignature());
    }
    EXPECT_EQ(names, (QStringList{"OnLoadData()", "OnSaveData()", "OnWaterfallSpectrum()",
                                  "OnCombineOsc(int)", "OnDataOpPause()", "OnDataOpCombination()",
                                  "OnDataOpSignalData()", "OnAddToArchive()", "OnCancelOp()"}));
}

TEST_F(DemodMenusTest, DmdInTheCornerOfTheLowerPane)
{
    const QRgb white = qRgb(255, 255, 255);
    Show(2);
    QImage image = m_view.grab().toImage();
    EXPECT_GT(CountPixels(image, AxisCorner(Pane("Waterfall")), white), 0);
    EXPECT_EQ(CountPixels(image, AxisCorner(Pane("Spec")), white), 0);
    Show(3);
    image = m_view.grab().toImage();
    EXPECT_GT(CountPixels(image, AxisCorner(Pane("Osc")), white), 0);
}

TEST_F(DemodMenusTest, TheWheelMovesBothTracesInTheMiddleCellAndNothingOffThePanes)
{
    Show(3);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(Pane("Osc"));
    ASSERT_FALSE(osc->IsYFixed());
    const double step = 120 * 10 * osc->GetYPerPixel() / 25.0;
    Wheel(&m_view, osc->GetYLabelRect(1).center(), 120);
    EXPECT_NEAR(osc->GetTraceOffset(0), step, 1e-12);
    EXPECT_NEAR(osc->GetTraceOffset(1), step, 1e-12);
    EXPECT_FALSE(osc->IsAutoScale());

    // Elsewhere in the pane trace 1 stays where it is.
    for (int i = 0; i < 2; ++i)
        osc->MoveTrace(i, -osc->GetTraceOffset(i));
    Wheel(&m_view, osc->GetYLabelRect(2).center(), 120);
    Wheel(&m_view, osc->GetPlotRect().center(), 120);
    EXPECT_EQ(osc->GetTraceOffset(1), 0.0);

    // Over no pane not even the base zooms.
    Show(2);
    IGraphic* spec = Pane("Spec");
    const double quarter = (spec->GetXMax() - spec->GetXMin()) / 4;
    m_view.SetXWindow(spec->GetXMin() + quarter, spec->GetXMax() - quarter);
    const double from = spec->GetXFrom();
    const double to = spec->GetXTo();
    Wheel(&m_view, NoPanePoint(), 120);
    EXPECT_EQ(spec->GetXFrom(), from);
    EXPECT_EQ(spec->GetXTo(), to);
    {
        // Zooming above the waterfall resets it, which the view asks about once.
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, "The waterfall will be reset. Do you want to continue?");
        Wheel(&m_view, spec->GetPlotRect().center(), 120);
    }
    EXPECT_NE(spec->GetXTo() - spec->GetXFrom(), to - from) << "a notch over the plot zooms";
}

class DemodFilesTest : public DemodMenusTest
{
protected:
    QString Dir() const { return QString::fromStdString(m_dir.Path()); }
    QString Path(const QString& name) const { return Dir() + "/" + name; }
    static QString Folder() { return g_Parameters.GetString("FilePaths", "SaveDemodData", "<none>"); }
    static void SetFolder(const QString& folder)
    {
        g_Parameters.SetString("FilePaths", "SaveDemodData", folder);
    }

    CTempDir m_dir;
};

// The spectrum and the oscillogram save their traces and load them back held; the waterfall keeps no
// traces, so it is never saved, but a waterfall file is loaded into it.
TEST_F(DemodFilesTest, EachPaneSavesAndLoadsItsOwnFile)
{
    const std::vector<double> spectrum = {-70.0, -40.0, -65.0, -80.0};
    const std::vector<double> samples = {0.5, -0.25, 0.125};
    struct Case
    {
        int mode;
        const char* pane;
        const char* tag;
        int held;
        std::vector<double> data;
    };
    const Case cases[] = {{0, "Spec", "msd", 2, spectrum}, {3, "Osc", "mod", 1, samples}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pane);
        const QString filter = QStringLiteral("Data files (*.%1)").arg(QLatin1String(c.tag));
        SetFolder("/start");
        Show(c.mode);
        m_view.SetSpectrumTraceData(spectrum);
        m_view.SetOscData(samples);
        const QString path = Path(QStringLiteral("saved.") + c.tag);
        PressOn(c.pane);
        {
            CScriptedPrompt prompt;
            prompt.AnswerSaveFile(path);
            m_view.OnSaveData();
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Save data"));
            EXPECT_EQ(prompt.Asked()[0].text, filter);
            EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("/start"));
        }
        EXPECT_EQ(Folder(), Dir());

        CDemodView other;
        Prepare(other, c.mode);
        PressOn(other, c.pane);
        {
            CScriptedPrompt prompt;
            prompt.AnswerOpenFile(path);
            other.OnLoadData();
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Open saved data"));
            EXPECT_EQ(prompt.Asked()[0].text, filter);
            EXPECT_EQ(prompt.Asked()[0].initial, Dir());
        }
        IGraphic* loaded = other.GetGraphic(c.pane);
        EXPECT_EQ(loaded->GetDataOperation(), 1);
        EXPECT_TRUE(other.IsLoadedData());
        EXPECT_EQ(PaneTrace(loaded, c.held), c.data);
    }

    Show(1);
    PressOn("Waterfall");
    {
        // Unscripted, a save dialog would fail the test.
        CScriptedPrompt prompt;
        m_view.OnSaveData();
        EXPECT_TRUE(prompt.Asked().empty());
    }
    const QString waterfallFile = Path("history.mwd");
    m_view.SavePaneData(waterfallFile, "mwd", Pane("Waterfall"), 0);
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(waterfallFile, QStringLiteral("Data files (*.mwd)"));
        m_view.OnLoadData();
    }
    EXPECT_EQ(Pane("Waterfall")->GetDataOperation(), 1);
    EXPECT_TRUE(m_view.IsLoadedData());
}

TEST_F(DemodFilesTest, CancelledDialogsChangeNothing)
{
    SetFolder("/kept");
    Show(3);
    PressOn("Osc");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("Data files (*.mod)"));
        prompt.AnswerOpenFile(QString(), QStringLiteral("Data files (*.mod)"));
        m_view.OnSaveData();
        m_view.OnLoadData();
        ASSERT_EQ(prompt.Asked().size(), 2u);
        EXPECT_EQ(prompt.Asked()[1].initial, QStringLiteral("/kept"));
    }
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
    EXPECT_FALSE(m_view.IsLoadedData());
    EXPECT_EQ(Pane("Osc")->GetDataOperation(), 0);
}

// A file of another pane is refused with its reason; the pane stays live and the folder as it was.
TEST_F(DemodFilesTest, AFileOfAnotherPaneIsRefusedAndThePaneStaysLive)
{
    Show(3);
    m_view.SetOscData({0.1, 0.2});
    PressOn("Osc");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("samples.mod"));
        m_view.OnSaveData();
    }
    ASSERT_TRUE(QFile::exists(Path("samples.mod")));

    Show(0);
    m_view.SetSpectrumTraceData({-50.0, -60.0});
    PressOn("Spec");
    SetFolder("/kept");
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(Path("samples.mod"));
        prompt.Answer(QMessageBox::Ok);
        m_view.OnLoadData();
        ASSERT_EQ(prompt.Asked().size(), 2u);
        const CScriptedPrompt::Record& warning = prompt.Asked()[1];
        EXPECT_EQ(warning.icon, QMessageBox::Warning);
        EXPECT_EQ(warning.title, QApplication::applicationName());
        EXPECT_TRUE(warning.text.startsWith("Unexpected error occurred!")) << warning.text.toStdString();
        EXPECT_TRUE(warning.text.contains("Wrong file type!")) << warning.text.toStdString();
    }
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 0);
    EXPECT_FALSE(m_view.IsLoadedData());
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
    // Live: the next spectrum is shown.
    m_view.SetSpectrumTraceData({-30.0, -35.0});
    EXPECT_EQ(PaneTrace(Pane("Spec"), 1), (std::vector<double>{-30.0, -35.0}));
}
}  // namespace

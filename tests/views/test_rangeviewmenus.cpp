// The full-range view's context menu per pane, click-to-tune, the gates in front of the mouse while the
// converter band shifts the frequencies, its pane data files through the file dialogs, and the archive
// entries (with their recordings) filed from its menu.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

#include "archiveentryfactory.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "isignalsarchive.h"
#include "multiplerangesspectrumgraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "rangeview.h"
#include "recorderwindow.h"
#include "recordingrecorder.h"
#include "scriptedprompt.h"
#include "spectrumgraphic.h"
#include "tempdir.h"
#include "testdevice.h"
#include "viewchecks.h"
#include "viewinput.h"

namespace
{
class RangeMenusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        PrepareTestDevice({61.44e6});
        g_DeviceThread.GetChannel(0)->SetUpperLimit(6000.0);
    }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new RangeMenusEnvironment);

// The range view at a fixed size, painted once so that its panes know their pixel scale, with the
// spectrum window at 100 .. 500 MHz.
class RangeMenusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view.resize(640, 420);
        Show(0);
    }
    void TearDown() override
    {
        g_FreqOffset = 0.0;
        g_DeviceThread.m_pAdf->SetEnabled(false);
        g_DeviceThread.m_FreqTable.clear();
        CArchiveEntryFactory::SetQuestion({});
    }

    void Show(int mode)
    {
        m_view.SetPaneMode(mode);
        m_view.SetXWindow(100.0, 500.0);
        m_view.grab();
    }
    std::unique_ptr<QMenu> MenuAt(QPoint pos)
    {
        Send(&m_view, QEvent::MouseButtonPress, pos, Qt::RightButton, Qt::RightButton);
        Send(&m_view, QEvent::MouseButtonRelease, pos, Qt::RightButton, Qt::NoButton);
        return std::unique_ptr<QMenu>(m_view.CreateContextMenu());
    }
    IGraphic* Pane(const char* name) { return m_view.GetGraphic(QLatin1String(name)); }
    QPoint PlotCenter(const char* name) { return Pane(name)->GetPlotRect().center(); }

    CRangeView m_view;
};

TEST_F(RangeMenusTest, EachPaneGetsItsOwnMenu)
{
    const QStringList common = {"( ) Enable Delta Cursor"};
    const QStringList tail = ViewMenuTail();
    struct Case
    {
        int mode;
        QStringList head;
    };
    const Case cases[] = {
        {0, {"( ) Enable Delta Cursor", "Set Max Freq As Band Window Center"}},
        // The menu is the last shown pane's: the waterfall below the spectrum, ticked as shown together.
        {2, {"[x] Show Spectrum", "( ) Enable Delta Cursor"}},
        {1, {"( ) Show Spectrum", "( ) Enable Delta Cursor"}},
        {3,
         {"[x] Enable autoscale", "( ) Enable trigger", "Set trigger level here", "( ) Enable Delta Cursor"}},
        {4, {"( ) Enable Delta Cursor", "Set Max Freq As Band Window Center"}},
        {5, {"( ) Enable Delta Cursor"}},
    };
    for (const Case& c : cases)
    {
        Show(c.mode);
        std::unique_ptr<QMenu> menu(m_view.CreateContextMenu());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Entries(menu.get()), c.head + tail) << c.mode;
        // Without loaded data there is no operation to choose or cancel.
        EXPECT_FALSE(FindAction(menu.get(), "Pause")->parentWidget()->isEnabled()) << c.mode;
        EXPECT_FALSE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled()) << c.mode;
    }
}

// The menu runs over the plot; an axis band belongs to the axis and offers none.
TEST_F(RangeMenusTest, TheMenuOpensOverThePlotOnly)
{
    const QRect plot = Pane("Spec")->GetPlotRect();
    const SShownMenus shown =
        ContextMenusAt(&m_view, {QPoint(plot.center().x(), plot.bottom() + 10), plot.center()});
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.last.contains("Set Max Freq As Band Window Center"));
}

TEST_F(RangeMenusTest, EntriesActOnTheView)
{
    // "Show Spectrum" in the stacked mode leaves the waterfall alone.
    Show(2);
    std::unique_ptr<QMenu> menu = MenuAt(PlotCenter("Waterfall"));
    FindAction(menu.get(), "Show Spectrum")->trigger();
    EXPECT_EQ(m_view.GetPaneMode(), 1);
    EXPECT_EQ(m_view.GetShownCount(), 1);

    // The data operations go to the pane under the press and tick in the next menu.
    Show(0);
    menu = MenuAt(PlotCenter("Spec"));
    FindAction(menu.get(), "Combination")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 2);
    EXPECT_TRUE(m_view.IsLoadedData());
    menu = MenuAt(PlotCenter("Spec"));
    EXPECT_TRUE(FindAction(menu.get(), "Combination")->isChecked());
    EXPECT_FALSE(FindAction(menu.get(), "Pause")->isChecked());
    EXPECT_TRUE(FindAction(menu.get(), "Pause")->parentWidget()->isEnabled());
    EXPECT_TRUE(FindAction(menu.get(), "Cancel Data Operation")->isEnabled());
    FindAction(menu.get(), "Difference: signal-data")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 4);
    menu = MenuAt(PlotCenter("Spec"));
    FindAction(menu.get(), "Cancel Data Operation")->trigger();
    EXPECT_EQ(Pane("Spec")->GetDataOperation(), 0);
    EXPECT_FALSE(m_view.IsLoadedData());

    // The delta cursor and the trigger are switched from the menu and show their state in the next.
    menu = MenuAt(PlotCenter("Spec"));
    FindAction(menu.get(), "Enable Delta Cursor")->trigger();
    EXPECT_TRUE(m_view.IsDeltaCursorOn());
    Show(3);
    menu = MenuAt(PlotCenter("Osc"));
    FindAction(menu.get(), "Enable trigger")->trigger();
    EXPECT_TRUE(m_view.IsTriggerEnabled());
    menu = MenuAt(PlotCenter("Osc"));
    EXPECT_TRUE(FindAction(menu.get(), "Enable Delta Cursor")->isChecked());
    EXPECT_TRUE(FindAction(menu.get(), "Enable trigger")->isChecked());

    // Once the pulse detector was shown its trigger is no longer the operator's to switch.
    m_view.m_bPulseMode = true;
    menu = MenuAt(PlotCenter("Osc"));
    EXPECT_EQ(FindAction(menu.get(), "Enable trigger"), nullptr);
    EXPECT_NE(FindAction(menu.get(), "Set trigger level here"), nullptr);
}

TEST_F(RangeMenusTest, AClickTunesToTheFrequencyUnderIt)
{
    QSignalSpy tunes(&m_view, &CViewBase::changeDdcFreq);
    IGraphic* spec = Pane("Spec");
    const QRect plot = spec->GetPlotRect();
    ASSERT_GT(plot.width(), 100);
    const double mhzPerPixel = 400.0 / plot.width();

    const int columns[] = {0, 57, plot.width() / 2, plot.width() - 1};
    for (int px : columns)
    {
        Click(&m_view, QPoint(plot.left() + px, plot.center().y()));
        ASSERT_EQ(tunes.count(), 1) << px;
        EXPECT_NEAR(tunes.takeFirst().at(0).toDouble(), 100.0 + px * mhzPerPixel, 1e-9) << px;
    }

    // With a frequency table the columns spread over its entries.
    std::vector<double> table(static_cast<size_t>(plot.width()));
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = 2000.0 + 0.25 * static_cast<double>(i);
    g_DeviceThread.m_FreqTable = table;
    Click(&m_view, QPoint(plot.left() + 80, plot.center().y()));
    ASSERT_EQ(tunes.count(), 1);
    EXPECT_DOUBLE_EQ(tunes.takeFirst().at(0).toDouble(), 2020.0);
    g_DeviceThread.m_FreqTable.clear();

    // None of these tunes: a drag, the right button, tuning not allowed, another pane.
    Drag(&m_view, plot.center(), plot.center() + QPoint(30, 0));
    Click(&m_view, plot.center(), Qt::RightButton);
    m_view.m_bTuningEnabled = false;
    Click(&m_view, plot.center());
    m_view.m_bTuningEnabled = true;
    for (int mode : {1, 3, 4})
    {
        Show(mode);
        Click(&m_view, m_view.GetGraphicAt(0)->GetPlotRect().center());
    }
    EXPECT_EQ(tunes.count(), 0);
}

TEST_F(RangeMenusTest, TheSpectrumMaximumTunesOnlyWhileTuningIsAllowed)
{
    // A spectrum whose maximum lies at point 3 of a table that knows each point's frequency.
    g_DeviceThread.m_FreqTable = {430.0, 431.0, 432.0, 433.92, 434.0};
    m_view.UpdateMeasurements({}, {}, {-100.0, -90.0, -80.0, -20.0, -95.0});
    QSignalSpy tunes(&m_view, &CViewBase::changeDdcFreq);
    std::unique_ptr<QMenu> menu = MenuAt(PlotCenter("Spec"));
    FindAction(menu.get(), "Set Max Freq As Band Window Center")->trigger();
    ASSERT_EQ(tunes.count(), 1);
    EXPECT_DOUBLE_EQ(tunes.takeFirst().at(0).toDouble(), 433.92);
    m_view.m_bTuningEnabled = false;
    m_view.OnMaxFreqToDdc();
    EXPECT_EQ(tunes.count(), 0);
}

TEST_F(RangeMenusTest, TheConverterBandStopsMovesAndTheWheelButNotClicks)
{
    Show(4);
    auto* multi = dynamic_cast<CQMultipleRangesSpectrumGraphic*>(Pane("MultiSpec"));
    ASSERT_NE(multi, nullptr);
    Show(0);
    IGraphic* spec = Pane("Spec");
    const QRect plot = spec->GetPlotRect();
    // A zoomed plot pans with a drag; the wheel zooms around the pointer.
    const QPoint a = plot.center();
    const QPoint b = a + QPoint(-40, 0);

    g_FreqOffset = 6000.0;
    Drag(&m_view, a, b);
    Wheel(&m_view, a, 120);
    EXPECT_DOUBLE_EQ(spec->GetXFrom(), 100.0);
    EXPECT_DOUBLE_EQ(spec->GetXTo(), 500.0);
    // Clicks still tune, at the shifted frequency, and the menu is still there.
    QSignalSpy tunes(&m_view, &CViewBase::changeDdcFreq);
    Click(&m_view, QPoint(plot.left(), a.y()));
    ASSERT_EQ(tunes.count(), 1);
    EXPECT_NEAR(tunes.takeFirst().at(0).toDouble(), 6100.0, 1e-9);
    EXPECT_NE(MenuAt(a), nullptr);
    Show(4);
    const QPoint hover = multi->GetPlotRect().center();
    Send(&m_view, QEvent::MouseMove, hover, Qt::NoButton, Qt::NoButton);
    EXPECT_NE(multi->GetHoverPoint(), hover);

    // Without the offset the same gestures take effect.
    g_FreqOffset = 0.0;
    Send(&m_view, QEvent::MouseMove, hover, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(multi->GetHoverPoint(), hover);
    Show(0);
    Drag(&m_view, a, b);
    EXPECT_GT(spec->GetXFrom(), 100.0);
    const double width = spec->GetXTo() - spec->GetXFrom();
    Wheel(&m_view, a, 120);
    EXPECT_GT(spec->GetXTo() - spec->GetXFrom(), width);
}

// While the synthesizer sweeps the visible window, a paused spectrum keeps its window: the sweep
// would otherwise move away from the data on screen.
TEST_F(RangeMenusTest, APausedSweepIsNotZoomed)
{
    IGraphic* spec = Pane("Spec");
    const QPoint pos = spec->GetPlotRect().center();
    g_DeviceThread.m_pAdf->SetEnabled(true);
    m_view.SetPauseState(1);
    Wheel(&m_view, pos, 120);
    EXPECT_DOUBLE_EQ(spec->GetXFrom(), 100.0);
    EXPECT_DOUBLE_EQ(spec->GetXTo(), 500.0);
    m_view.SetPauseState(0);
    Wheel(&m_view, pos, 120);
    EXPECT_GT(spec->GetXTo() - spec->GetXFrom(), 400.0);
    g_DeviceThread.m_pAdf->SetEnabled(false);
}

class RangeFilesTest : public RangeMenusTest
{
protected:
    QString Path(const char* name) const { return QString::fromStdString(m_dir.Path()) + "/" + name; }
    QString Folder() const { return g_Parameters.GetString("FilePaths", "SaveRangeData", "<none>"); }
    void PressOn(const char* pane) { Click(&m_view, PlotCenter(pane), Qt::RightButton); }

    CTempDir m_dir;
};

TEST_F(RangeFilesTest, SavedSpectrumLoadsBackAndIsHeld)
{
    auto* spec = dynamic_cast<CQSpectrumGraphic*>(Pane("Spec"));
    spec->SetData(1, {-70.0, -40.0, -65.0, -80.0});
    PressOn("Spec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("sweep.rsd"), QStringLiteral("(*.rsd)"));
        m_view.OnSaveData();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Save data"));
    }
    EXPECT_EQ(Folder(), QString::fromStdString(m_dir.Path()));

    CRangeView other;
    other.resize(640, 420);
    other.SetPaneMode(0);
    other.grab();
    Click(&other, other.GetGraphic("Spec")->GetPlotRect().center(), Qt::RightButton);
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(Path("sweep.rsd"), QStringLiteral("(*.rsd)"));
        other.OnLoadData();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Open saved data"));
        EXPECT_EQ(prompt.Asked()[0].initial, QString::fromStdString(m_dir.Path()));
    }
    auto* loaded = dynamic_cast<CQSpectrumGraphic*>(other.GetGraphic("Spec"));
    ASSERT_NE(loaded->GetData(2), nullptr);
    EXPECT_EQ(*loaded->GetData(2), (std::vector<double>{-70.0, -40.0, -65.0, -80.0}));
    EXPECT_EQ(loaded->GetDataOperation(), 1);
    EXPECT_TRUE(other.IsLoadedData());
}

TEST_F(RangeFilesTest, DialogsByPaneAndCancelling)
{
    g_Parameters.SetString("FilePaths", "SaveRangeData", "/kept");
    Show(1);
    PressOn("Waterfall");
    {
        // A waterfall is not saved: no dialog at all. It can be loaded from its own file type.
        CScriptedPrompt prompt;
        m_view.OnSaveData();
        prompt.AnswerOpenFile(QString(), QStringLiteral("Data files (*.rwd)"));
        m_view.OnLoadData();
        EXPECT_EQ(prompt.Asked().size(), 1u);
    }
    Show(3);
    PressOn("Osc");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("Data files (*.rod)"));
        prompt.AnswerOpenFile(QString(), QStringLiteral("Data files (*.rod)"));
        m_view.OnSaveData();
        m_view.OnLoadData();
    }
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
    EXPECT_FALSE(m_view.IsLoadedData());
}

TEST_F(RangeFilesTest, AFileOfAnotherPaneIsRefusedAndChangesNothing)
{
    Show(3);
    PressOn("Osc");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("samples.rod"));
        m_view.OnSaveData();
    }
    ASSERT_TRUE(QFile::exists(Path("samples.rod")));
    g_Parameters.SetString("FilePaths", "SaveRangeData", "/kept");

    Show(0);
    auto* spec = dynamic_cast<CQSpectrumGraphic*>(Pane("Spec"));
    spec->SetData(1, {-50.0, -60.0});
    PressOn("Spec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(Path("samples.rod"), QStringLiteral("(*.rsd)"));
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Unexpected error occurred!"));
        m_view.OnLoadData();
        ASSERT_EQ(prompt.Asked().size(), 2u);
        EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Warning);
        EXPECT_EQ(prompt.Asked()[1].title, QApplication::applicationName());
        // The operator is told why.
        EXPECT_TRUE(prompt.Asked()[1].text.contains("Wrong file type!"))
            << prompt.Asked()[1].text.toStdString();
    }
    EXPECT_EQ(spec->GetDataOperation(), 0);
    EXPECT_FALSE(m_view.IsLoadedData());
    EXPECT_EQ(*spec->GetData(1), (std::vector<double>{-50.0, -60.0}));
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));

    // A save that cannot be written is reported the same way and stores no folder.
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("missing/sub/sweep.rsd"));
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Unexpected error occurred!"));
        m_view.OnSaveData();
    }
    EXPECT_EQ(Folder(), QStringLiteral("/kept"));
}

TEST_F(RangeFilesTest, AddToArchiveFilesTheBandWithItsRecording)
{
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    ASSERT_NE(archive, nullptr);
    const std::wstring savedFolder = archive->GetFolder();
    archive->SetFolder(QString::fromStdString(m_dir.Path()).toStdWString());
    CRecordingRecorder signalRecorder;
    m_view.m_pSignalRecorderWindow = &signalRecorder;
    QSignalSpy saves(&m_view, &CViewBase::saveArchive);
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    archive->GetSignalsOfGroup(entries, -1);
    const size_t before = entries.size();

    int askedPane = -1;
    CArchiveEntryFactory::SetQuestion(
        [&](int pane, ARCHIVE_ENTRY_REQUEST* request)
        {
            askedPane = pane;
            request->strComment = QStringLiteral("wide carrier");
            request->bImage = true;
            request->m_SignalRecording.bRecord = true;
            request->m_SignalRecording.nStopSeconds = 30;
            request->m_SignalRecording.strPath = Path("carrier.rec");
            return true;
        });
    std::unique_ptr<QMenu> menu = MenuAt(PlotCenter("Spec"));
    FindAction(menu.get(), "Add to Archive...")->trigger();

    EXPECT_EQ(askedPane, 0);
    ASSERT_EQ(signalRecorder.calls.size(), 1u);
    EXPECT_EQ(signalRecorder.calls[0].path, Path("carrier.rec"));
    EXPECT_DOUBLE_EQ(signalRecorder.calls[0].from, 100.0);
    EXPECT_DOUBLE_EQ(signalRecorder.calls[0].to, 500.0);
    EXPECT_EQ(signalRecorder.calls[0].stopSeconds, 30);

    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const double tuneHz = bits->GetTuneFreq();
    const double rateHz = bits->GetSampleRate(-1);
    entries.clear();
    archive->GetSignalsOfGroup(entries, -1);
    ASSERT_EQ(entries.size(), before + 1);
    const ARCHIVE_SIGNAL_ENTRY& entry = entries.back();
    EXPECT_EQ(entry.Comment, L"wide carrier");
    EXPECT_DOUBLE_EQ(entry.FreqBegin, tuneHz - rateHz / 2);
    EXPECT_DOUBLE_EQ(entry.FreqEnd, tuneHz + rateHz / 2);
    EXPECT_DOUBLE_EQ(entry.FreqPeak, tuneHz);
    EXPECT_DOUBLE_EQ(entry.Level, -1.0);
    EXPECT_GE(entry.SignalRecordingNo, 0);
    // The full-range pane's image goes with it, named by the range spectrum's tag.
    EXPECT_TRUE(QString::fromStdWString(entry.RangeImageFile).endsWith("_rsd.img"));
    EXPECT_TRUE(QFile::exists(QString::fromStdWString(entry.RangeImageFile)));
    EXPECT_EQ(saves.count(), 1);

    // Declined, nothing is filed or recorded.
    CArchiveEntryFactory::SetQuestion([](int, ARCHIVE_ENTRY_REQUEST*) { return false; });
    m_view.OnAddToArchive();
    entries.clear();
    archive->GetSignalsOfGroup(entries, -1);
    EXPECT_EQ(entries.size(), before + 1);
    EXPECT_EQ(signalRecorder.calls.size(), 1u);
    m_view.m_pSignalRecorderWindow = nullptr;
    archive->SetFolder(savedFolder);
}
}  // namespace

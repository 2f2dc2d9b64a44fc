// The view spine on a small view with "Spec", "Waterfall" and "Osc": pane layouts and the window
// copy between stacked panes, the axis broadcast, the data entry points by pane name, the pause
// state, and the context-menu helpers.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include "testview.h"

namespace
{
// Every pane gets the same roomy limits so that the windows the tests ask for are accepted.
void SetLimits(IGraphic* pane)
{
    pane->SetXLimits(0.0, 1000.0, 1000.0);
    pane->SetYLimits(-150.0, 50.0);
}

struct Windows
{
    double xFrom, xTo, yFrom, yTo;
    bool operator==(const Windows& o) const
    {
        return xFrom == o.xFrom && xTo == o.xTo && yFrom == o.yFrom && yTo == o.yTo;
    }
};

Windows WindowsOf(IGraphic* pane)
{
    return {pane->GetXFrom(), pane->GetXTo(), pane->GetYFrom(), pane->GetYTo()};
}

class ViewBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetLimits(view.m_spec);
        SetLimits(view.m_waterfall);
        SetLimits(view.m_osc);
    }

    CTestView view;
};

TEST_F(ViewBaseTest, TwoPanesSplitTheHeightAndTheLowerTakesTheUppersWindows)
{
    view.m_spec->SetXWindow(100.0, 300.0);
    view.m_spec->SetYWindow(-120.0, -20.0);
    view.m_waterfall->SetXWindow(0.0, 1000.0);

    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));

    // 301 rows: two panes of 150, the last row belongs to neither.
    EXPECT_EQ(view.m_spec->GetRect(), QRect(0, 0, 400, 150));
    EXPECT_EQ(view.m_waterfall->GetRect(), QRect(0, 150, 400, 150));
    EXPECT_EQ(view.GetGraphicAtPoint(QPoint(10, 149)), view.m_spec);
    EXPECT_EQ(view.GetGraphicAtPoint(QPoint(10, 150)), view.m_waterfall);
    EXPECT_EQ(view.GetGraphicAtPoint(QPoint(10, 300)), nullptr);

    EXPECT_TRUE((WindowsOf(view.m_waterfall) == Windows{100.0, 300.0, -120.0, -20.0}));
    EXPECT_FALSE(view.m_spec->IsXScrollBarShown());
    EXPECT_TRUE(view.m_waterfall->IsXScrollBarShown());

    EXPECT_EQ(view.GetShownCount(), 2);
    EXPECT_EQ(view.GetGraphicAt(0), view.m_spec);
    EXPECT_EQ(view.GetGraphicAt(1), view.m_waterfall);
    EXPECT_EQ(view.GetGraphicAt(2), nullptr);
}

TEST_F(ViewBaseTest, OnePaneTakesTheWholeViewAndReplacesTheLayout)
{
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
    view.ShowPane(QStringLiteral("Osc"));

    EXPECT_EQ(view.GetShownCount(), 1);
    EXPECT_EQ(view.GetGraphicAt(0), view.m_osc);
    EXPECT_EQ(view.m_osc->GetRect(), QRect(0, 0, 400, 301));
    EXPECT_TRUE(view.m_osc->IsXScrollBarShown());
    EXPECT_EQ(view.GetGraphicAtPoint(QPoint(10, 10)), view.m_osc);
}

TEST_F(ViewBaseTest, UnknownPaneNamesLeaveTheLayoutAlone)
{
    view.ShowPane(QStringLiteral("Spec"));
    view.ShowPane(QStringLiteral("Vec"));
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("MultiWaterfall"));
    EXPECT_EQ(view.GetShownCount(), 1);
    EXPECT_EQ(view.GetGraphicAt(0), view.m_spec);
    EXPECT_EQ(view.GetGraphic(QStringLiteral("Vec")), nullptr);
    // A lookup never registers the name.
    EXPECT_EQ(view.GetGraphic(QStringLiteral("Vec")), nullptr);
}

TEST_F(ViewBaseTest, ChangingTheLayoutLeavesLoadedDataFirst)
{
    view.m_bLoadedData = true;
    view.ShowPane(QStringLiteral("Spec"));
    EXPECT_EQ(view.m_cancels, 1);
    EXPECT_FALSE(view.m_bLoadedData);
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
    EXPECT_EQ(view.m_cancels, 1);
}

// Each broadcast must give the shown pane exactly what the same call gives a twin pane directly,
// and leave the hidden panes as they were.
TEST_F(ViewBaseTest, BroadcastsReachOnlyShownPanes)
{
    struct Case
    {
        const char* name;
        std::function<void(CViewBase&)> onView;
        std::function<void(IGraphic*)> onPane;
    };
    const std::vector<Case> cases = {
        {"SetXLimits", [](CViewBase& v) { v.SetXLimits(10.0, 900.0, 800.0); },
         [](IGraphic* g) { g->SetXLimits(10.0, 900.0, 800.0); }},
        {"SetFixedXRange", [](CViewBase& v) { v.SetFixedXRange(5.0, 50.0); },
         [](IGraphic* g) { g->SetFixedXRange(5.0, 50.0); }},
        {"SetXFrom", [](CViewBase& v) { v.SetXFrom(200.0); }, [](IGraphic* g) { g->SetXFrom(200.0); }},
        {"SetXTo", [](CViewBase& v) { v.SetXTo(600.0); }, [](IGraphic* g) { g->SetXTo(600.0); }},
        {"SetXWindow", [](CViewBase& v) { v.SetXWindow(250.0, 500.0); },
         [](IGraphic* g) { g->SetXWindow(250.0, 500.0); }},
        {"ScrollX", [](CViewBase& v) { v.ScrollX(-100.0); }, [](IGraphic* g) { g->ScrollX(-100.0); }},
        {"SetYLimits", [](CViewBase& v) { v.SetYLimits(-100.0, 0.0); },
         [](IGraphic* g) { g->SetYLimits(-100.0, 0.0); }},
        {"SetFixedYRange", [](CViewBase& v) { v.SetFixedYRange(-90.0, -10.0); },
         [](IGraphic* g) { g->SetFixedYRange(-90.0, -10.0); }},
        {"SetYWindow", [](CViewBase& v) { v.SetYWindow(-130.0, -60.0); },
         [](IGraphic* g) { g->SetYWindow(-130.0, -60.0); }},
        {"SetYFrom", [](CViewBase& v) { v.SetYFrom(-125.0); }, [](IGraphic* g) { g->SetYFrom(-125.0); }},
        {"SetYTo", [](CViewBase& v) { v.SetYTo(-5.0); }, [](IGraphic* g) { g->SetYTo(-5.0); }},
        {"ScrollY", [](CViewBase& v) { v.ScrollY(-7.0); }, [](IGraphic* g) { g->ScrollY(-7.0); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestView v;
        CQSpectrumGraphic twin;
        for (IGraphic* g : {static_cast<IGraphic*>(v.m_spec), static_cast<IGraphic*>(v.m_waterfall),
                            static_cast<IGraphic*>(&twin)})
        {
            SetLimits(g);
            g->SetXWindow(300.0, 700.0);
            g->SetYWindow(-110.0, -30.0);
        }
        v.ShowPane(QStringLiteral("Spec"));
        twin.SetRect(v.m_spec->GetRect());
        const Windows hiddenBefore = WindowsOf(v.m_waterfall);
        const Windows shownBefore = WindowsOf(v.m_spec);

        c.onView(v);
        c.onPane(&twin);

        EXPECT_TRUE(WindowsOf(v.m_spec) == WindowsOf(&twin));
        EXPECT_FALSE(WindowsOf(v.m_spec) == shownBefore) << "the case does not change the pane";
        EXPECT_TRUE(WindowsOf(v.m_waterfall) == hiddenBefore);
    }
}

TEST_F(ViewBaseTest, ABroadcastWithNoShownPaneChangesNothing)
{
    view.m_spec->SetXWindow(300.0, 700.0);
    view.SetXWindow(100.0, 200.0);
    view.SetYWindow(-100.0, -50.0);
    view.SetPauseState(1);
    EXPECT_EQ(view.m_spec->GetXFrom(), 300.0);
    EXPECT_EQ(view.m_spec->GetPauseState(), 0);
}

TEST_F(ViewBaseTest, PauseStateGoesToShownPanesAndIsReadFromTheFirst)
{
    EXPECT_EQ(view.GetPauseState(), 0) << "no pane shown yet";
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
    view.SetPauseState(1);
    EXPECT_EQ(view.m_spec->GetPauseState(), 1);
    EXPECT_EQ(view.m_waterfall->GetPauseState(), 1);
    EXPECT_EQ(view.m_osc->GetPauseState(), 0);
    EXPECT_EQ(view.GetPauseState(), 1);
    view.m_spec->SetPauseState(2);
    EXPECT_EQ(view.GetPauseState(), 2);
}

TEST_F(ViewBaseTest, DataReachesThePaneOfItsName)
{
    const std::vector<double> levels = {-90.0, -80.0, -70.0, -60.0};
    view.SetSpectrumTraceData(levels);
    ASSERT_NE(view.m_spec->GetData(1), nullptr);
    EXPECT_EQ(*view.m_spec->GetData(1), levels);

    view.SetOscData({0.1, 0.2, 0.3});
    EXPECT_EQ(*view.m_osc->GetData(0), (std::vector<double>{0.1, 0.2, 0.3}));

    // No "Vec" pane: the I and Q samples fill the oscillogram's traces 0 and 2 only.
    view.m_osc->SetTraceCount(4);
    view.SetOscIQData({1.0, 2.0}, {3.0, 4.0});
    EXPECT_EQ(*view.m_osc->GetData(0), (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(*view.m_osc->GetData(2), (std::vector<double>{3.0, 4.0}));
    EXPECT_TRUE(view.m_osc->GetData(1)->empty());

    view.AddWaterfallLine(levels);
    EXPECT_GT(view.m_waterfall->LivePage().count, 0);
    EXPECT_EQ(view.m_waterfall->LoadedPage().count, 0);
    EXPECT_FALSE(view.m_waterfall->IsShowingLoadedData());
    view.AddWaterfallLineAt(1700000000000, levels);
    EXPECT_GT(view.m_waterfall->LoadedPage().count, 0);
    EXPECT_TRUE(view.m_waterfall->IsShowingLoadedData());
}

TEST_F(ViewBaseTest, APausedPaneDropsTheData)
{
    view.ShowPane(QStringLiteral("Spec"));
    view.SetSpectrumTraceData({1.0, 2.0});
    view.SetPauseState(1);
    view.SetSpectrumTraceData({5.0, 6.0});
    EXPECT_EQ(*view.m_spec->GetData(1), (std::vector<double>{1.0, 2.0}));
    // A single step takes one block, then holds again.
    view.SetPauseState(2);
    view.SetSpectrumTraceData({7.0, 8.0});
    view.SetSpectrumTraceData({9.0, 10.0});
    EXPECT_EQ(*view.m_spec->GetData(1), (std::vector<double>{7.0, 8.0}));
    EXPECT_EQ(view.GetPauseState(), 1);
}

TEST(ViewBaseWithoutPanes, DataForMissingPanesIsANoOp)
{
    CTestView view(false, false);
    const std::vector<double> levels = {-90.0, -80.0};
    view.SetSpectrumTraceData(levels);
    view.SetMultiRangeData(0, levels);
    view.SetOscData(levels);
    view.SetOscIQData(levels, levels);
    view.AddWaterfallLine(levels);
    view.AddWaterfallLineAt(1700000000000, levels);
    view.ClearWaterfall();
    view.ResetWaterfallTime();
    view.SetWaterfallBuffer(true, QStringLiteral("/nonexistent/x.rwb"));
    view.SetEnvelope(true);
    EXPECT_TRUE(view.m_spec->GetData(1)->empty());
    EXPECT_TRUE(view.m_osc->GetData(0)->empty());
    EXPECT_EQ(view.m_waterfall->LivePage().count, 0);
    EXPECT_FALSE(view.m_spec->m_envelope);
    EXPECT_EQ(view.GetPauseState(), 0);
    EXPECT_EQ(view.GetGraphicAt(0), nullptr);
    EXPECT_EQ(view.GetGraphicAtPoint(QPoint(1, 1)), nullptr);
    EXPECT_TRUE(view.GetInfoText().isEmpty());
}

TEST_F(ViewBaseTest, ResetAxesRunsTheResetsInOrderUnlessLoadedDataIsShown)
{
    view.m_bLoadedData = true;
    view.ResetAxes();
    EXPECT_TRUE(view.m_resets.isEmpty());

    view.m_bLoadedData = false;
    view.ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
    view.m_spec->SetYWindow(-100.0, -40.0);
    view.ResetAxes();
    EXPECT_EQ(view.m_resets, QStringLiteral("SX OX SY OY "));
    // The waterfall's colour scale follows the spectrum's level window.
    EXPECT_EQ(view.m_waterfall->GetYFrom(), -100.0);
    EXPECT_EQ(view.m_waterfall->GetYTo(), -40.0);
}

TEST_F(ViewBaseTest, SyncPanesOnlyForSpectrumAboveWaterfall)
{
    view.m_osc->SetYWindow(-1.0, 1.0);
    view.m_waterfall->SetYWindow(-150.0, 50.0);
    view.ShowTwoPanes(QStringLiteral("Osc"), QStringLiteral("Waterfall"));
    view.m_osc->SetYWindow(-2.0, 2.0);
    view.SyncPanes();
    EXPECT_EQ(view.m_waterfall->GetYFrom(), -1.0);
}

TEST_F(ViewBaseTest, WaterfallBufferCaption)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("live.rwb"));

    view.SetWaterfallBuffer(true, QString());
    EXPECT_TRUE(view.GetInfoText().isEmpty());
    EXPECT_FALSE(view.m_waterfall->HasBufferFile());

    // The path may come in the platform's own form; the file lands where it names.
    view.SetWaterfallBuffer(true, QDir::toNativeSeparators(path));
    EXPECT_EQ(view.GetInfoText(), QStringLiteral("Recording waterfall"));
    EXPECT_TRUE(view.m_waterfall->HasBufferFile());
    EXPECT_TRUE(QFileInfo::exists(path));

    view.SetWaterfallBuffer(false, path);
    EXPECT_TRUE(view.GetInfoText().isEmpty());
    EXPECT_FALSE(view.m_waterfall->HasBufferFile());

    // A file that cannot be created must not be announced as recording.
    view.SetWaterfallBuffer(true, dir.filePath(QStringLiteral("missing/folder/live.rwb")));
    EXPECT_TRUE(view.GetInfoText().isEmpty());
}

TEST_F(ViewBaseTest, CloseLoadedDataCancelsClearsTheCaptionAndShowsLiveLines)
{
    view.AddWaterfallLineAt(1700000000000, {1.0, 2.0});
    ASSERT_TRUE(view.m_waterfall->IsShowingLoadedData());
    view.SetInfoText(QStringLiteral("Playback"), true);
    view.m_bLoadedData = true;

    view.CloseLoadedData();

    EXPECT_EQ(view.m_cancels, 1);
    EXPECT_FALSE(view.m_bLoadedData);
    EXPECT_TRUE(view.GetInfoText().isEmpty());
    EXPECT_FALSE(view.m_waterfall->IsShowingLoadedData());
}

TEST_F(ViewBaseTest, ApplyAxisSettingsAppliesAllFourAndMarksTheAxesInitialised)
{
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_oscXApplied, 1);
    EXPECT_EQ(view.m_spec->GetXFrom(), 0.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 100.0);
    EXPECT_EQ(view.m_spec->GetYFrom(), -110.0);
    EXPECT_EQ(view.m_spec->GetYTo(), -40.0);
}

TEST_F(ViewBaseTest, EnvelopeReachesTheSpectrum)
{
    view.SetEnvelope(true);
    EXPECT_TRUE(view.m_spec->m_envelope);
    view.SetEnvelope(false);
    EXPECT_FALSE(view.m_spec->m_envelope);
}

TEST_F(ViewBaseTest, ContextMenuIsAcceptedOnAnAxisBandOnly)
{
    view.ShowPane(QStringLiteral("Spec"));
    const QRect plot = view.m_spec->GetPlotRect();
    ASSERT_TRUE(plot.isValid());

    QContextMenuEvent inPlot(QContextMenuEvent::Mouse, plot.center());
    inPlot.accept();
    QApplication::sendEvent(&view, &inPlot);
    EXPECT_FALSE(inPlot.isAccepted());

    const QPoint onXBand(plot.center().x(), plot.bottom() + 5);
    ASSERT_FALSE(view.m_spec->IsInPlot(onXBand));
    QContextMenuEvent onBand(QContextMenuEvent::Mouse, onXBand);
    onBand.ignore();
    QApplication::sendEvent(&view, &onBand);
    EXPECT_TRUE(onBand.isAccepted());
}

TEST_F(ViewBaseTest, DeltaCursorTogglesAndAnchorsAtThePressPoint)
{
    view.m_PressPoint = QPoint(120, 40);
    view.OnEnableDeltaCursor();
    EXPECT_TRUE(view.IsDeltaCursorOn());
    EXPECT_EQ(view.m_DeltaAnchor, QPoint(120, 40));
    view.m_PressPoint = QPoint(7, 8);
    view.OnEnableDeltaCursor();
    EXPECT_FALSE(view.IsDeltaCursorOn());
}

// A view that records the X start it is given, as the range view extends SetXFrom.
class CRecordingView : public CTestView
{
public:
    void SetXFrom(double value) override
    {
        m_xFromCalls.push_back(value);
        CTestView::SetXFrom(value);
    }
    std::vector<double> m_xFromCalls;
};

TEST(ViewBaseMenus, MenuValuesGoThroughTheVirtualSetters)
{
    CRecordingView view;
    SetLimits(view.m_spec);
    view.ShowPane(QStringLiteral("Spec"));

    QAction xMin(QStringLiteral("120"));
    xMin.setData(120.5);
    QObject::connect(&xMin, &QAction::triggered, &view, &CViewBase::OnXMinMenuValueSelected);
    xMin.trigger();
    EXPECT_EQ(view.m_xFromCalls, std::vector<double>{120.5});
    EXPECT_EQ(view.m_spec->GetXFrom(), 120.5);

    QAction yMax(QStringLiteral("-20"));
    yMax.setData(QStringLiteral("-20.25"));
    QObject::connect(&yMax, &QAction::triggered, &view, &CViewBase::OnYMaxMenuValueSelected);
    yMax.trigger();
    EXPECT_EQ(view.m_spec->GetYTo(), -20.25);

    // Called directly, with no action behind it, nothing happens.
    view.OnXMinMenuValueSelected();
    EXPECT_EQ(view.m_xFromCalls.size(), 1u);
}

TEST(ViewBaseSlots, CancelAndArchiveSlotsReachTheDerivedView)
{
    CTestView view;
    view.m_bLoadedData = true;
    ASSERT_TRUE(QMetaObject::invokeMethod(&view, "OnCancelOp"));
    ASSERT_TRUE(QMetaObject::invokeMethod(&view, "OnAddToArchive"));
    EXPECT_EQ(view.m_cancels, 1);
    EXPECT_FALSE(view.m_bLoadedData);
    EXPECT_EQ(view.m_archiveRequests, 1);
}

TEST(ViewBaseState, InitialValues)
{
    CTestView view;
    EXPECT_TRUE(view.hasMouseTracking());
    EXPECT_EQ(view.GetAxisBandColor(), QColor(17, 17, 27));
    EXPECT_EQ(view.GetDeltaCursorColor(), QColor(Qt::lightGray));
    EXPECT_EQ(view.GetPositionLinesColor(), QColor(Qt::lightGray));
    EXPECT_EQ(view.GetTriggerLevel(), 10.0);
    EXPECT_FALSE(view.IsTriggerEnabled());
    EXPECT_FALSE(view.IsDeltaCursorOn());
    EXPECT_TRUE(view.CanZoomWhilePaused());
}
}  // namespace

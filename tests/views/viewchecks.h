#pragma once

// Checks the band and demodulation view tests share: a pane's trace and pixels, the data operations
// on the pane under the last press, and the waterfall's spectrum switch.

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <QStringList>

#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "spectrumgraphic.h"
#include "viewinput.h"

// Trace i of an oscillogram or spectrum pane; empty for any other pane or trace.
inline std::vector<double> PaneTrace(IGraphic* pane, int i)
{
    const std::vector<double>* data = nullptr;
    if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane))
        data = osc->GetData(i);
    else if (auto* spec = dynamic_cast<CQSpectrumGraphic*>(pane))
        data = spec->GetData(i);
    return data != nullptr ? *data : std::vector<double>{};
}

// Pixels of exactly `colour` in `rect` of an image.
inline int CountPixels(const QImage& image, const QRect& rect, QRgb colour)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff) ? 1 : 0;
    return n;
}

// The cell where a pane's two axis bands meet, which carries the view's mark.
inline QRect AxisCorner(IGraphic* pane)
{
    return QRect(pane->GetYAxisRect().left(), pane->GetXAxisRect().top(), pane->GetYAxisRect().width(),
                 pane->GetXAxisRect().height());
}

// A data-operation slot of a view and the operation it sets.
template <class View>
struct DataOperationSlot
{
    void (View::*slot)();
    int operation;
};

// `view` shows "Spec" above "Waterfall" and `noPane` lies in neither. Each slot sets its operation
// on the pane at the last press (a right click) and shows loaded data; with no pane there, neither
// the slots nor cancelling change anything; the lower pane gets its own.
template <class View>
void CheckDataOperationsAtPressPoint(View& view, const std::vector<DataOperationSlot<View>>& operations,
                                     QPoint noPane)
{
    ASSERT_EQ(view.GetGraphicAtPoint(noPane), nullptr);
    IGraphic* spec = view.GetGraphic(QStringLiteral("Spec"));
    IGraphic* waterfall = view.GetGraphic(QStringLiteral("Waterfall"));
    auto pressOn = [&view](IGraphic* pane) { Click(&view, pane->GetPlotRect().center(), Qt::RightButton); };
    for (const DataOperationSlot<View>& c : operations)
    {
        pressOn(spec);
        (view.*c.slot)();
        EXPECT_EQ(spec->GetDataOperation(), c.operation);
        EXPECT_EQ(waterfall->GetDataOperation(), 0) << c.operation;
        EXPECT_TRUE(view.IsLoadedData()) << c.operation;

        Click(&view, noPane, Qt::RightButton);
        for (const DataOperationSlot<View>& other : operations)
            (view.*other.slot)();
        view.OnCancelOp();
        EXPECT_EQ(spec->GetDataOperation(), c.operation);
        EXPECT_EQ(waterfall->GetDataOperation(), 0) << c.operation;
        EXPECT_TRUE(view.IsLoadedData()) << c.operation;

        pressOn(spec);
        view.OnCancelOp();
        EXPECT_EQ(spec->GetDataOperation(), 0) << c.operation;
        EXPECT_FALSE(view.IsLoadedData()) << c.operation;
    }
    pressOn(waterfall);
    view.OnDataOpPause();
    EXPECT_EQ(waterfall->GetDataOperation(), 1);
    EXPECT_EQ(spec->GetDataOperation(), 0);
    view.OnCancelOp();
    EXPECT_EQ(waterfall->GetDataOperation(), 0);
}

// "Show Spectrum" goes from the waterfall alone (mode 1) to the spectrum above it (mode 2) and from
// any other mode to the waterfall alone, storing the choice as `group`/"WaterfallSpectrum" and
// switching the trigger off. `show` puts the view into a mode.
template <class View, class Show>
void CheckShowSpectrumSwitch(View& view, Show show, const QString& group)
{
    struct Case
    {
        int from;
        int to;
        int stored;
    };
    const Case cases[] = {{1, 2, 1}, {2, 1, 0}, {0, 1, 0}, {3, 1, 0}};
    IGraphic* waterfall = view.GetGraphic(QStringLiteral("Waterfall"));
    for (const Case& c : cases)
    {
        show(c.from);
        g_Parameters.SetInt(group, QStringLiteral("WaterfallSpectrum"), 7);
        view.EnableTrigger(true, false);
        view.OnWaterfallSpectrum();
        EXPECT_EQ(g_Parameters.GetInt(group, QStringLiteral("WaterfallSpectrum"), -1), c.stored) << c.from;
        EXPECT_EQ(view.GetPaneMode(), c.to) << c.from;
        EXPECT_FALSE(view.IsTriggerEnabled()) << c.from;
        ASSERT_EQ(view.GetShownCount(), c.to == 2 ? 2 : 1) << c.from;
        if (c.to == 2)
        {
            EXPECT_EQ(view.GetGraphicAt(0), view.GetGraphic(QStringLiteral("Spec"))) << c.from;
        }
        EXPECT_EQ(view.GetGraphicAt(view.GetShownCount() - 1), waterfall) << c.from;
    }
}

// The "Data Operation" sub-menu's own action.
inline QAction* SubMenu(const QMenu* menu)
{
    return FindAction(menu, QStringLiteral("Data Operation"));
}

// The entries every range, band and demodulation pane menu ends with.
inline QStringList ViewMenuTail()
{
    return {"-",
            "View measurements...",
            "-",
            "Add to Archive...",
            "Export as Text...",
            "Export as Image...",
            "-",
            "Save Data...",
            "Load Data...",
            "Data Operation {( ) Pause, ( ) Combination, ( ) Difference: signal-data}",
            "Cancel Data Operation"};
}

// A band or demodulation view at a fixed size on channel type 0 with its first band, painted once so
// that its panes know their rectangles. The height is odd: with two panes stacked its last row
// belongs to neither.
template <class View>
class CViewMenusTest : public ::testing::Test
{
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 501;

    void SetUp() override
    {
        ResetDevice();
        Prepare(m_view, 0);
    }
    void TearDown() override { ResetDevice(); }
    static void ResetDevice()
    {
        g_DeviceThread.SetChannelType(0);
        g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(100e6, 0);
    }

    static void Prepare(View& view, int mode)
    {
        view.resize(kWidth, kHeight);
        Show(view, mode);
    }
    static void Show(View& view, int mode)
    {
        view.SetPaneMode(mode);
        view.ApplyAxisSettings();
        view.grab();
    }
    void Show(int mode) { Show(m_view, mode); }

    static QPoint PlotCenter(View& view, const char* pane)
    {
        return view.GetGraphic(QLatin1String(pane))->GetPlotRect().center();
    }
    // A right click sets the press point the commands act on.
    static void PressOn(View& view, const char* pane)
    {
        Click(&view, PlotCenter(view, pane), Qt::RightButton);
    }
    void PressOn(const char* pane) { PressOn(m_view, pane); }
    void PressAt(QPoint pos) { Click(&m_view, pos, Qt::RightButton); }
    IGraphic* Pane(const char* name) { return m_view.GetGraphic(QLatin1String(name)); }
    // Inside the view but in no pane; only while two panes are stacked.
    static QPoint NoPanePoint() { return QPoint(kWidth / 2, kHeight - 1); }

    View m_view;
};

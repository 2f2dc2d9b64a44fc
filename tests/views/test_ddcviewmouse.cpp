// The band view's own painting and mouse: the tune label and its digit boxes, tuning by the wheel over
// a digit, by the tuning dialog and by dragging the whole-band spectrum, the I and Q traces moved
// apart in the oscillogram's middle Y cell, and the marks drawn over the panes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <vector>

#include "ddcview.h"
#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "oscillogramgraphic.h"
#include "scriptedprompt.h"
#include "testdevice.h"
#include "utils.h"
#include "viewchecks.h"
#include "viewinput.h"

namespace
{
constexpr double kChannelStart = -40.0;

// Channel types 0 .. 6 up to 6000 MHz, starting low enough that a band around a tune frequency below
// 1 MHz lies inside the channel.
class DdcMouseEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        PrepareTestDevice({61.44e6, 61.44e6, 61.44e6, 61.44e6, 61.44e6, 61.44e6, 61.44e6});
        for (int type = 0; type < 7; ++type)
        {
            IChannel* channel = g_DeviceThread.m_pControlBits->GetChannel(type);
            channel->SetStartFreq(kChannelStart);
            channel->SetUpperLimit(6000.0);
        }
    }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DdcMouseEnvironment);

// Frequencies asked for through changeDdcFreq, in MHz.
std::vector<double> Asked(const QSignalSpy& spy)
{
    std::vector<double> values;
    for (const QList<QVariant>& call : spy)
        values.push_back(call.at(0).toDouble());
    return values;
}

class DdcMouseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_FreqOffset = 0.0;
        g_DeviceThread.SetChannelType(1);
        Tune(433.92e6);
        m_view.resize(800, 500);
        Show(0);
    }
    void TearDown() override
    {
        g_FreqOffset = 0.0;
        g_DeviceThread.SetChannelType(0);
        g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(100e6, 0);
    }

    static void Tune(double hz) { g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(hz, 1); }
    static double TuneMHz() { return g_DeviceThread.m_pControlBits->GetTuneFreq() / 1e6; }

    void Show(int mode)
    {
        m_view.SetPaneMode(mode);
        m_view.ApplyAxisSettings();
        m_image = m_view.grab().toImage();
    }
    IGraphic* Pane(const char* name) { return m_view.GetGraphic(QLatin1String(name)); }
    // Where the label's number is centred on the first pane.
    QPoint LabelCentre()
    {
        const QRect plot = m_view.GetGraphicAt(0)->GetPlotRect();
        return QPoint(plot.center().x(), plot.top() + 30);
    }

    CDdcView m_view;
    QImage m_image;
};

TEST_F(DdcMouseTest, LabelTextByFrequency)
{
    struct Case
    {
        double mhz;
        const char* text;
    };
    const Case cases[] = {{433.92, "433.92000 MHz"},
                          {1.0, "1000.00 kHz"},
                          {1.000001, "1.00000 MHz"},
                          {0.5, "500.00 kHz"},
                          {6000.0, "6000.00000 MHz"}};
    for (const Case& c : cases)
        EXPECT_EQ(CDdcView::TuneLabelText(c.mhz), QLatin1String(c.text)) << c.mhz;
}

TEST_F(DdcMouseTest, TheWheelOverADigitTurnsThatDigit)
{
    struct Case
    {
        double tuneHz;
        int boxes;
        int digit;
        int delta;
        double asked;  // MHz
    };
    const Case cases[] = {
        // "433.92000": one notch turns the digit under the pointer, carries included.
        {433.92e6, 8, 1, 120, 443.92},
        {433.92e6, 8, 3, 120, 434.02},
        {433.92e6, 8, 7, 120, 433.92001},
        {433.92e6, 8, 0, -120, 333.92},
        {433.92e6, 8, 2, 240, 435.92},
        {433.92e6, 8, 4, 1200, 433.92 + 0.1},
        // Less than a notch asks for the same frequency.
        {433.92e6, 8, 3, 60, 433.92},
        // "500.00 kHz": the digits are kHz.
        {0.5e6, 5, 3, 120, 0.5001},
        {0.5e6, 5, 0, 120, 0.6},
        {0.5e6, 5, 4, -120, 0.49999},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.tuneHz << " digit " << c.digit << " delta " << c.delta);
        Tune(c.tuneHz);
        Show(0);
        const QVector<QRect> boxes = m_view.GetDigitBoxes();
        ASSERT_EQ(boxes.size(), c.boxes);
        for (int i = 1; i < boxes.size(); ++i)
            EXPECT_GT(boxes[i].left(), boxes[i - 1].left()) << "digits are boxed in reading order";
        EXPECT_TRUE(m_view.GetTuneLabelBox().contains(boxes.first().center()));

        QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
        Wheel(&m_view, boxes[c.digit].center(), c.delta);
        const std::vector<double> asked = Asked(spy);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NEAR(asked[0], c.asked, 1e-9);
        EXPECT_NEAR(TuneMHz(), c.tuneHz / 1e6, 1e-9) << "the view never tunes the device itself";
    }
}

TEST_F(DdcMouseTest, TheWheelOverTheBoxButNotADigitDoesNothing)
{
    const QRect box = m_view.GetTuneLabelBox();
    ASSERT_FALSE(box.isNull());
    IGraphic* spec = Pane("Spec");
    const double from = spec->GetXFrom();
    const double to = spec->GetXTo();
    QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
    Wheel(&m_view, QPoint(box.left() + 2, box.center().y()), 120);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(spec->GetXFrom(), from) << "no zoom under the label";
    EXPECT_EQ(spec->GetXTo(), to);
}

TEST_F(DdcMouseTest, NoLabelOnTheUntunedChannelOrOverLoadedData)
{
    // Type 4 and loaded data show no label: a view that never drew one has no box and no digits.
    struct Case
    {
        int type;
        bool loaded;
    };
    for (const Case c : {Case{4, false}, Case{1, true}})
    {
        SCOPED_TRACE(c.type);
        g_DeviceThread.SetChannelType(c.type);
        CDdcView view;
        view.resize(800, 500);
        view.SetPaneMode(0);
        view.ApplyAxisSettings();
        if (c.loaded)
        {
            // A pane held as loaded data.
            Send(&view, QEvent::MouseButtonPress, view.GetGraphicAt(0)->GetPlotRect().center(),
                 Qt::RightButton, Qt::RightButton);
            view.OnDataOpPause();
            ASSERT_TRUE(view.IsLoadedData());
        }
        view.grab();
        EXPECT_TRUE(view.GetTuneLabelBox().isNull());
        EXPECT_TRUE(view.GetDigitBoxes().isEmpty());
    }
}

TEST_F(DdcMouseTest, OnTheConverterBandTheLabelOnlyShowsTheNumber)
{
    g_FreqOffset = 6000.0;
    CDdcView view;
    view.resize(800, 500);
    view.SetPaneMode(0);
    view.ApplyAxisSettings();
    view.grab();
    EXPECT_TRUE(view.GetTuneLabelBox().isNull());
    EXPECT_TRUE(view.GetDigitBoxes().isEmpty());

    const QRect plot = view.GetGraphicAt(0)->GetPlotRect();
    const QPoint number(plot.center().x(), plot.top() + 30);
    CScriptedPrompt prompt;  // any dialog would fail the test
    QSignalSpy spy(&view, &CViewBase::changeDdcFreq);
    Click(&view, number);
    Wheel(&view, number, 120);
    EXPECT_TRUE(prompt.Asked().empty());
    EXPECT_EQ(spy.count(), 0);
}

// Types into the dialog's field and presses OK; records what the dialog showed.
struct DialogSeen
{
    QString title;
    QString shown;
    QStringList units;
};

CScriptedPrompt::DialogAction TypeFrequency(const QString& text, DialogSeen* seen = nullptr, bool ok = true)
{
    return [=](QDialog& dialog)
    {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"));
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("m_pFirstCombo"));
        auto* press = dialog.findChild<QPushButton*>(ok ? QStringLiteral("m_pOkButton")
                                                        : QStringLiteral("m_pCancelButton"));
        if (edit == nullptr || combo == nullptr || press == nullptr)
        {
            ADD_FAILURE() << "the dialog lacks its fields";
            return 0;
        }
        if (seen != nullptr)
        {
            seen->title = dialog.windowTitle();
            seen->shown = edit->text();
            seen->units.clear();
            for (int i = 0; i < combo->count(); ++i)
                seen->units << combo->itemText(i);
        }
        edit->selectAll();
        QTest::keyClicks(edit, text);
        press->click();
        return dialog.result();
    };
}

TEST_F(DdcMouseTest, TheTuningDialogAsksAgainUntilTheFrequencyIsInRange)
{
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    channel->SetStartFreq(30.0);
    const QString range = QStringLiteral("Frequency must be within the range (%1 - %2)!")
                              .arg(CUtils::FormatValue(30.0, 2, 4), CUtils::FormatValue(6000.0, 2, 4));
    DialogSeen first;
    DialogSeen second;
    DialogSeen third;
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeFrequency(QStringLiteral("0"), &first), QStringLiteral("ChangeBandFrequency"))
        .Answer(QMessageBox::Ok, range)
        .RunDialog(TypeFrequency(QStringLiteral("7000"), &second))
        .Answer(QMessageBox::Ok, range)
        .RunDialog(TypeFrequency(QStringLiteral("145.5"), &third));
    QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
    Click(&m_view, m_view.GetTuneLabelBox().center());
    channel->SetStartFreq(kChannelStart);

    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_EQ(first.title, QStringLiteral("Change Tune Frequency"));
    EXPECT_EQ(first.shown, QStringLiteral("433.92000"));
    EXPECT_EQ(second.shown, QStringLiteral("30.00000")) << "a value below the range reopens at its start";
    EXPECT_EQ(third.shown, QStringLiteral("6000.00000")) << "above it, at its end";
    EXPECT_EQ(Asked(spy), std::vector<double>{145.5});
    EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Warning);
    EXPECT_EQ(prompt.Asked()[1].title, QApplication::applicationName());
}

TEST_F(DdcMouseTest, TheTuningDialogOffersTheChannelsUnits)
{
    struct Case
    {
        int type;
        QStringList units;
    };
    const Case cases[] = {{0, {"MHz"}}, {3, {"MHz"}}, {1, {"MHz", "kHz"}}, {2, {"MHz", "kHz"}}, {6, {"kHz"}},
                          {4, {}},      {5, {}}};
    const QPoint label = m_view.GetTuneLabelBox().center();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        // The box drawn on type 1 stays where it was.
        g_DeviceThread.SetChannelType(c.type);
        DialogSeen seen;
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeFrequency(QString(), &seen, false));
        QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
        Click(&m_view, label);
        EXPECT_EQ(seen.units, c.units);
        EXPECT_EQ(spy.count(), 0) << "cancelled";
    }
}

TEST_F(DdcMouseTest, NoDialogWhileTuningIsOffOrAwayFromTheLabel)
{
    CScriptedPrompt prompt;  // any dialog would fail the test
    m_view.m_bTuningEnabled = false;
    Click(&m_view, m_view.GetTuneLabelBox().center());
    m_view.m_bTuningEnabled = true;
    Click(&m_view, Pane("Spec")->GetPlotRect().bottomLeft() + QPoint(5, -5));
    EXPECT_TRUE(prompt.Asked().empty());
}

TEST_F(DdcMouseTest, DraggingTheWholeBandRetunesZoomedItPans)
{
    IGraphic* spec = Pane("Spec");
    spec->SetXWindow(spec->GetXMin(), spec->GetXMax());
    const QPoint from = spec->GetPlotRect().center() + QPoint(0, 60);
    const double perPixel = spec->GetXPerPixel();
    ASSERT_GT(perPixel, 0.0);
    {
        QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
        Drag(&m_view, from, from + QPoint(10, 0), false);
        EXPECT_EQ(m_view.cursor().shape(), Qt::SplitHCursor);
        const std::vector<double> asked = Asked(spy);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NEAR(asked[0], 433.92 - 10 * perPixel, 1e-9) << "the band follows the pointer";
        // The next step is measured from where the last one ended.
        Send(&m_view, QEvent::MouseMove, from + QPoint(4, 0), Qt::NoButton, Qt::LeftButton);
        ASSERT_EQ(spy.count(), 2);
        EXPECT_NEAR(spy.at(1).at(0).toDouble(), 433.92 + 6 * perPixel, 1e-9);
        Send(&m_view, QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
    }

    // Outside the drag region the base handler pans a zoomed spectrum and nothing is retuned.
    struct Case
    {
        const char* why;
        bool zoomed;
        bool tuning;
    };
    for (const Case c : {Case{"zoomed", true, true}, Case{"tuning off", false, false}})
    {
        SCOPED_TRACE(c.why);
        const double min = spec->GetXMin();
        const double max = spec->GetXMax();
        if (c.zoomed)
            m_view.SetXWindow(min + (max - min) / 4, max - (max - min) / 4);
        else
            m_view.SetXWindow(min, max);
        m_view.m_bTuningEnabled = c.tuning;
        const double xFrom = spec->GetXFrom();
        const double step = spec->GetXPerPixel();
        QSignalSpy spy(&m_view, &CViewBase::changeDdcFreq);
        Drag(&m_view, from, from + QPoint(10, 0));
        EXPECT_EQ(spy.count(), 0);
        if (c.zoomed)
        {
            EXPECT_NEAR(spec->GetXFrom(), xFrom - 10 * step, 1e-9) << "the content follows the pointer";
        }
        m_view.m_bTuningEnabled = true;
    }
}

TEST_F(DdcMouseTest, TheMiddleYCellMovesTheIOrTheQPair)
{
    Show(3);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(Pane("Osc"));
    ASSERT_NE(osc, nullptr);
    const QRect cell = osc->GetYLabelRect(1);
    ASSERT_FALSE(osc->IsYFixed());
    const double perPixel = osc->GetYPerPixel();
    auto offsets = [osc]
    {
        return std::vector<double>{osc->GetTraceOffset(0), osc->GetTraceOffset(1), osc->GetTraceOffset(2),
                                   osc->GetTraceOffset(3)};
    };
    auto reset = [osc]
    {
        for (int i = 0; i < 4; ++i)
            osc->MoveTrace(i, -osc->GetTraceOffset(i));
    };
    const QPoint upper(cell.center().x(), cell.center().y() - cell.height() / 4);
    const QPoint lower(cell.center().x(), cell.center().y() + cell.height() / 4);

    // Dragged up by 10 pixels: the pair of the half pressed moves, the other stays.
    const double dy = 10 * perPixel;
    Drag(&m_view, upper, upper - QPoint(0, 10));
    std::vector<double> moved = offsets();
    EXPECT_NEAR(moved[0], dy, 1e-12);
    EXPECT_NEAR(moved[1], dy, 1e-12);
    EXPECT_NEAR(moved[2], 0.0, 1e-12);
    EXPECT_NEAR(moved[3], 0.0, 1e-12);
    EXPECT_FALSE(osc->IsAutoScale());

    reset();
    Drag(&m_view, lower, lower - QPoint(0, 10));
    moved = offsets();
    EXPECT_NEAR(moved[0], 0.0, 1e-12);
    EXPECT_NEAR(moved[1], 0.0, 1e-12);
    EXPECT_NEAR(moved[2], dy, 1e-12);
    EXPECT_NEAR(moved[3], dy, 1e-12);

    // The wheel likewise, by a tenth of a notch's pixels per 25.
    const double step = 120 * 10 * perPixel / 25.0;
    reset();
    Wheel(&m_view, upper, 120);
    moved = offsets();
    EXPECT_NEAR(moved[0], step, 1e-12);
    EXPECT_NEAR(moved[1], step, 1e-12);
    EXPECT_NEAR(moved[2], 0.0, 1e-12);
    reset();
    Wheel(&m_view, lower, 120);
    moved = offsets();
    EXPECT_NEAR(moved[0], 0.0, 1e-12);
    EXPECT_NEAR(moved[1], 0.0, 1e-12);
    EXPECT_NEAR(moved[2], step, 1e-12);
    EXPECT_NEAR(moved[3], step, 1e-12);
}

TEST_F(DdcMouseTest, MarksOverThePanes)
{
    // "BND" in the corner left of the X axis band.
    EXPECT_GT(CountPixels(m_image, AxisCorner(Pane("Spec")), qRgb(255, 255, 255)), 0);

    // The label's box and digits in green over the plot.
    EXPECT_GT(CountPixels(m_image, m_view.GetTuneLabelBox(), qRgb(0, 255, 0)), 20);

    // The dashed guide through the middle Y cell of an oscillogram, only while the pointer is in it.
    Show(3);
    const QRect cell = Pane("Osc")->GetYLabelRect(1);
    const QRect row(cell.left(), cell.center().y(), cell.width(), 1);
    const QRgb grey = qRgb(127, 127, 127);
    QCursor::setPos(m_view.mapToGlobal(cell.center() - QPoint(0, 5)));
    const int inside = CountPixels(m_view.grab().toImage(), row, grey);
    QCursor::setPos(m_view.mapToGlobal(Pane("Osc")->GetPlotRect().center()));
    const int outside = CountPixels(m_view.grab().toImage(), row, grey);
    EXPECT_GT(inside, outside + cell.width() / 4);
}

TEST_F(DdcMouseTest, WithoutABandTheHandlersThrowNothing)
{
    // An empty band list: every band lookup of the device throws.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    std::vector<DDC_BAND_ITEM> bands;
    while (bits->GetDdcBandCount() > 0)
    {
        bands.push_back(bits->GetDdcBand(0));
        bits->RemoveDdcBand(0);
    }
    const QPoint centre = Pane("Spec")->GetPlotRect().center();
    EXPECT_NO_THROW(m_view.grab());
    EXPECT_NO_THROW(Wheel(&m_view, centre, 120));
    EXPECT_NO_THROW(Drag(&m_view, centre, centre + QPoint(10, 0)));
    EXPECT_NO_THROW(m_view.SetPaneMode(3));
    EXPECT_NO_THROW(m_view.grab());
    for (size_t i = 0; i < bands.size(); ++i)
        bits->InsertDdcBand(static_cast<int>(i), bands[i]);
}
}  // namespace

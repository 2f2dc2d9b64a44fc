// The counters timer: the internals window's rows, the USB error label in the status bar, and the
// converter band the spectrum dialog and the options window ask for.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>

#include <vector>

#include "iadf4350.h"
#include "idlacontrol.h"
#include "igraphic.h"
#include "internalswindow.h"
#include "optionswindow.h"
#include "scriptedcore.h"
#include "spectrumdialog.h"
#include "tickwindow.h"

namespace
{
// A core whose counters are the test's.
class CCountingCore : public CScriptedCore
{
public:
    KELTHAR_COUNTERS counters;
    KELTHAR_COUNTERS2 counters2;
    int maxDdc = 0;
    int lostDdc = 0;

    const KELTHAR_COUNTERS* GetCounters() override { return &counters; }
    const KELTHAR_COUNTERS2* GetCounters2() override { return &counters2; }
    void TakeDdcSampleCounters(int* max, int* lost) override
    {
        *max = maxDdc;
        *lost = lostDdc;
    }
};

class CountersTest : public TickWindowTest
{
protected:
    void SetUp() override
    {
        TickWindowTest::SetUp();
        m_savedCore = dev.m_pKelthar;
        dev.m_pKelthar = &core;
    }

    void TearDown() override
    {
        dev.m_pKelthar = m_savedCore;
        TickWindowTest::TearDown();
    }

    QString Cell(int row, int column)
    {
        QTableWidgetItem* item = Dock<CInternalsWindow>()->m_pTableWidget->item(row, column);
        return item ? item->text() : QString();
    }

    // The status bar's USB error label: the only label there that ever says so.
    QLabel* UsbLabel()
    {
        for (QLabel* label : window->statusBar()->findChildren<QLabel*>())
            if (label->text().startsWith(QStringLiteral("USB errors")))
                return label;
        return nullptr;
    }

    CCountingCore core;

private:
    IKelthar* m_savedCore = nullptr;
};

TEST_F(CountersTest, InternalsRowsShowTheCountersTheSampleEdgesAndTheDeviceState)
{
    core.counters = {1, 2, 3, 0, 3};
    core.counters2.bytes[0] = 7;
    core.counters2.bytes[2] = 255;
    core.maxDdc = 40;
    core.lostDdc = 5;
    dev.m_RangeI = {0.5, -1.25, 2.0, 3.0, 99.0, 4.0, 5.0, 6.0, 7.125};
    dev.m_DdcI = {std::vector<double>(8, 1.0)};
    dev.m_DdcQ.clear();

    // A hidden window is not filled.
    window->OnCountersTimer();
    EXPECT_TRUE(Cell(0, 1).isEmpty());

    Dock<CInternalsWindow>()->show();
    window->OnCountersTimer();
    struct Row
    {
        int row;
        const char* name;
        QString value;
    };
    QString addData;
    for (int b = 0; b < 30; ++b)
        addData += b == 0 ? "007 " : b == 2 ? "255 " : "000 ";
    const Row rows[] = {
        {0, "Raw data arrived", "1"},
        {1, "Range data arrived", "2"},
        {2, "DDC data arrived", "3"},
        {3, "Range samples", "0.5000 -1.2500 2.0000 3.0000 ... 4.0000 5.0000 6.0000 7.1250"},
        {6, "USB errors", "0"},
        {7, "USB code errors", "3"},
        {8, "Max DDC samples", "40"},
        {9, "Lost DDC samples", "5"},
        {10, "GroupBlock", QString::number(dev.m_pAdf->GetGroupBlocks())},
        {11, "ADF Freq", QString::number(dev.m_pAdf->GetFreqDdcInt())},
        {12, "ADF Start", QString::number(dev.m_pAdf->GetFreqStartInt())},
        {13, "ADF Size", QString::number(dev.m_pAdf->GetSize())},
        {14, "DLA Volt", QString::number(static_cast<double>(dev.m_pDla->GetVoltage()), 'g', 6)},
        {15, "Add data", addData},
    };
    for (const Row& r : rows)
    {
        EXPECT_EQ(Cell(r.row, 0), QString::fromLatin1(r.name)) << r.row;
        EXPECT_EQ(Cell(r.row, 1), r.value) << r.row;
    }
    // Blocks of eight samples or fewer, and missing blocks, leave their rows alone.
    EXPECT_TRUE(Cell(4, 1).isEmpty());
    EXPECT_TRUE(Cell(5, 1).isEmpty());

    dev.m_DdcI = {{1.0, 2.0, 3.0, 4.0, 0.0, 5.0, 6.0, 7.0, 8.0}};
    dev.m_DdcQ = {{-1.0, -2.0, -3.0, -4.0, 0.0, -5.0, -6.0, -7.0, -8.0}};
    window->OnCountersTimer();
    EXPECT_EQ(Cell(4, 1), "1.0000 2.0000 3.0000 4.0000 ... 5.0000 6.0000 7.0000 8.0000");
    EXPECT_EQ(Cell(5, 1), "-1.0000 -2.0000 -3.0000 -4.0000 ... -5.0000 -6.0000 -7.0000 -8.0000");

    // While the device loop holds the buffers the sample rows keep what they showed; the counters
    // go on.
    const QString shown = Cell(3, 1);
    dev.m_RangeI.assign(20, 9.0);
    core.counters.rawBlocks = 11;
    g_DataMutex.lock();
    window->OnCountersTimer();
    g_DataMutex.unlock();
    EXPECT_EQ(Cell(3, 1), shown);
    EXPECT_EQ(Cell(0, 1), "11");
}

TEST_F(CountersTest, StatusBarLabelShowsUsbErrorsWhileThereAreAny)
{
    struct Case
    {
        int usbErrors;
        int codeErrors;
        bool shown;
        const char* text;
    };
    const Case cases[] = {
        {0, 3, true, "USB errors: 0"},
        {4, 0, true, "USB errors: 4"},
        {0, 0, false, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.usbErrors) + " USB errors, " + std::to_string(c.codeErrors) +
                     " code errors");
        core.counters.usbErrors = c.usbErrors;
        core.counters.usbCodeErrors = c.codeErrors;
        window->OnCountersTimer();
        QLabel* label = UsbLabel();
        if (!c.shown)
        {
            EXPECT_TRUE(label == nullptr || !label->isVisible());
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->text(), QString::fromLatin1(c.text));
    }
}

TEST_F(CountersTest, SpectrumDialogAppliesItsBandOnce)
{
    auto* dialog = Dock<CSpectrumDialog>();
    ASSERT_NE(dialog, nullptr);
    IGraphic* spec = range->GetGraphic(QStringLiteral("Spec"));
    ASSERT_NE(spec, nullptr);
    IControlBits* bits = dev.m_pControlBits;
    auto lmx = [bits]
    {
        LMX2595_STRUCT value;
        bits->GetLMX2595_Struct(&value);
        return std::vector<int>{value.count, value.lmx1, value.lmx2};
    };

    dialog->show();
    struct Case
    {
        int bandMode;
        int start;
        int end;
        std::vector<int> expectedLmx;
    };
    const Case cases[] = {
        {1, 12000, 14000, {2, 0, 3}},
        {0, 100, 2100, {1, 0, 3}},
        {0, 600, 1100, {1, 0, 12}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("band mode " + std::to_string(c.bandMode));
        dialog->m_nBandMode = c.bandMode;
        (c.bandMode == 1 ? dialog->m_nF1_Start : dialog->m_nF0_Start) = c.start;
        (c.bandMode == 1 ? dialog->m_nF1_End : dialog->m_nF0_End) = c.end;
        dialog->m_nApply = 1;
        window->OnCountersTimer();
        EXPECT_EQ(dialog->m_nApply, 0);
        EXPECT_DOUBLE_EQ(spec->GetXFrom(), c.start);
        EXPECT_DOUBLE_EQ(spec->GetXTo(), c.end);
        EXPECT_EQ(lmx(), c.expectedLmx);

        // Applied once: the next tick leaves a changed setting alone.
        bits->SetLMX2595_Struct(9, 9);
        window->OnCountersTimer();
        EXPECT_EQ(lmx(), (std::vector<int>{9, 0, 9}));
    }

    // An empty band still moves the view, but leaves the converter as it was.
    dialog->m_nBandMode = 0;
    dialog->m_nF0_Start = 500;
    dialog->m_nF0_End = 500;
    dialog->m_nApply = 1;
    bits->SetLMX2595_Struct(5, 7);
    window->OnCountersTimer();
    EXPECT_EQ(dialog->m_nApply, 0);
    EXPECT_EQ(lmx(), (std::vector<int>{5, 0, 7}));

    // A hidden dialog applies nothing.
    dialog->hide();
    dialog->m_nF0_End = 900;
    dialog->m_nApply = 1;
    bits->SetLMX2595_Struct(5, 7);
    window->OnCountersTimer();
    EXPECT_EQ(dialog->m_nApply, 1);
}

TEST_F(CountersTest, OptionsWindowBandChoiceMovesTheSpectrumToThatBand)
{
    auto* dialog = Dock<CSpectrumDialog>();
    auto* options = Dock<COptionsWindow>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(options, nullptr);
    IGraphic* spec = range->GetGraphic(QStringLiteral("Spec"));
    ASSERT_NE(spec, nullptr);
    dialog->m_nF0_Start = 1000;
    dialog->m_nF0_End = 3000;
    dialog->m_nF1_Start = 7000;
    dialog->m_nF1_End = 9000;
    struct Case
    {
        int lmxMode;
        double from;
        double to;
    };
    for (const Case& c : {Case{1, 1000, 3000}, Case{2, 7000, 9000}})
    {
        options->m_nLmxMode = c.lmxMode;
        window->OnCountersTimer();
        EXPECT_EQ(options->m_nLmxMode, 0);
        EXPECT_DOUBLE_EQ(spec->GetXFrom(), c.from);
        EXPECT_DOUBLE_EQ(spec->GetXTo(), c.to);
    }
    // Once applied, the view is the operator's again.
    spec->SetXFrom(1500);
    window->OnCountersTimer();
    EXPECT_DOUBLE_EQ(spec->GetXFrom(), 1500);

    // The operator's band checks ask for the same on the next tick: "12-12.5 GHz" the second window,
    // "6-6.5 GHz" the first. Switching the band off asks for nothing, and the view stays the operator's.
    struct Band
    {
        const char* check;
        double from;
        double to;
    };
    for (const Band& b : {Band{"m_pLMX_Check_1", 7000, 9000}, Band{"m_pLMX_Check_4", 1000, 3000}})
    {
        auto* check = options->findChild<QCheckBox*>(QLatin1String(b.check));
        ASSERT_NE(check, nullptr) << b.check;
        spec->SetXFrom(1500);
        check->click();
        window->OnCountersTimer();
        EXPECT_EQ(options->m_nLmxMode, 0) << b.check;
        EXPECT_DOUBLE_EQ(spec->GetXFrom(), b.from) << b.check;
        EXPECT_DOUBLE_EQ(spec->GetXTo(), b.to) << b.check;
    }
    options->findChild<QCheckBox*>(QStringLiteral("m_pLMX_Check_4"))->click();
    EXPECT_EQ(options->m_nLmxMode, 0);
    EXPECT_DOUBLE_EQ(g_FreqOffset.load(), 0.0);
    spec->SetXFrom(1500);
    spec->SetXTo(2500);
    window->OnCountersTimer();
    EXPECT_DOUBLE_EQ(spec->GetXFrom(), 1500);
    EXPECT_DOUBLE_EQ(spec->GetXTo(), 2500);
}
}  // namespace

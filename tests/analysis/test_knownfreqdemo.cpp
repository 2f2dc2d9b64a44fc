// The known-frequency windows in demo mode, in-process with the real library and the main window:
// "Frequency Ranges" shown by its button owns the antenna switch and hands its checked Europe ranges
// to the device, whose list the range view names on its axis; the regional window's "Select mobile"
// fills the multi-range panes through the main window.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "demowindow.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "multirangesgraphicbase.h"
#include "rangeview.h"
#include "veltrano.h"

TEST(KnownFreqDemoTest, RangesWindowsDriveTheDeviceAndTheMultiRangePanes)
{
    auto window = StartDemoWindow();
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());

    // "Frequency Ranges" by its "Ranges" button: the antenna controls are marked not available.
    auto* ranges = window->findChild<CKnownFreqRanges2Window*>();
    ASSERT_NE(ranges, nullptr);
    auto* button = window->findChild<QPushButton*>(QStringLiteral("m_pKnownRanges2Button"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Ranges"));
    button->click();
    ASSERT_TRUE(ranges->isVisible());
    auto* antenna = window->findChild<QLabel*>(QStringLiteral("m_pLabelAntenna"));
    ASSERT_NE(antenna, nullptr);
    EXPECT_FALSE(antenna->isHidden());
    EXPECT_EQ(antenna->text(), QStringLiteral("Not available"));

    // Checking two Europe rows hands exactly them to the device list the range view labels.
    QTreeWidget* tree = ranges->Form().m_pTreeWidget;
    ASSERT_EQ(tree->topLevelItemCount(), 24);
    for (int row : {0, 1})
    {
        tree->topLevelItem(row)->setCheckState(0, Qt::Checked);
        ranges->OnTreeItemClicked(tree->topLevelItem(row), 0);
    }
    std::vector<KNOWN_RANGE_ITEM> known = g_DeviceThread.m_pControlBits->GetKnownRanges();
    ASSERT_EQ(known.size(), 2u);
    EXPECT_EQ(known[0].name, "B1-2100-3G mobile");
    EXPECT_EQ(known[1].name, "B1-2100-3G base");
    button->click();
    EXPECT_FALSE(ranges->isVisible());
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 0);

    // The regional window's "Select mobile" reaches the multi-range panes through the main window.
    auto* regional = window->findChild<CKnownFreqRangesWindow*>();
    ASSERT_NE(regional, nullptr);
    window->OnRangesButton();
    ASSERT_TRUE(regional->isVisible());
    ASSERT_EQ(regional->Form().m_pTreeWidget->topLevelItemCount(), 15);
    regional->Form().m_pMobileButton->click();
    auto* view = window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
    ASSERT_NE(view, nullptr);
    auto* multi = dynamic_cast<CQMultiRangesGraphicBase*>(view->GetGraphic(QStringLiteral("MultiSpec")));
    ASSERT_NE(multi, nullptr);
    ASSERT_EQ(multi->GetRangeCount(), 6);
    EXPECT_EQ(multi->GetRange(0).name, QStringLiteral("CDMA 450 mobile"));
    EXPECT_EQ(multi->GetRange(5).name, QStringLiteral("4G LTE-2600 mobile"));
    EXPECT_EQ(g_DeviceThread.m_pKnownFreq1->GetSelectedRanges(), (std::vector<int>{0, 2, 4, 6, 10, 12}));
    window->OnRangesButton();
}

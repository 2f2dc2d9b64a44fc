// The generator window's power switch as the main window's transmitter button uses it.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>

#include "generatorcore.h"
#include "zantigo.h"

namespace
{
constexpr int kPowerSent = 207;
constexpr int kRfStep = 208;
constexpr int kLfStep = 209;

TEST(Zantigo, PowerFollowsTheWindowsVisibility)
{
    QMainWindow main;
    CGeneratorCore core;
    main.show();
    Zantigo window(&main, &core);
    window.m_pRfPowerCombo->setCurrentIndex(18);  // step 19: 0 dBm

    // The button's order: power on while hidden sends nothing, the shown window sends the block.
    window.SetPowerOn(true);
    EXPECT_TRUE(core.sent.empty());
    window.setVisible(true);
    window.SetPowerOn(true);
    ASSERT_EQ(core.sent.size(), 1u);
    EXPECT_EQ(core.sent[0][0], 1);
    EXPECT_EQ(core.sent[0][kRfStep], 19);
    EXPECT_EQ(core.sent[0][kPowerSent], 19);
    EXPECT_NE(core.sent[0][kLfStep], 0);
    EXPECT_EQ(window.m_pStatusLabel->text(), QStringLiteral("Status: Connection is OK"));

    // Unchanged block: nothing goes out on the next tick.
    window.OnTimer();
    EXPECT_EQ(core.sent.size(), 1u);

    // Power off reaches the core before the window is hidden; the chosen step is kept.
    window.SetPowerOn(false);
    window.setVisible(false);
    window.SetPowerOn(false);
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1][kPowerSent], 0);
    EXPECT_EQ(core.sent[1][kLfStep], 0);
    EXPECT_EQ(core.sent[1][kRfStep], 19);
}

TEST(Zantigo, AFailedSendIsRetriedOnTheNextTick)
{
    CGeneratorCore core;
    core.sendResult = false;
    Zantigo window(nullptr, &core);
    window.setVisible(true);
    window.SetPowerOn(true);
    ASSERT_EQ(core.sent.size(), 1u);
    EXPECT_EQ(window.m_pStatusLabel->text(), QStringLiteral("Status: Connection is ERROR"));
    core.sendResult = true;
    window.OnTimer();
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1], core.sent[0]);
    EXPECT_EQ(window.m_pStatusLabel->text(), QStringLiteral("Status: Connection is OK"));
}

TEST(Zantigo, ClosingSendsPowerOffWhileStillVisible)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    window.setVisible(true);
    window.SetPowerOn(true);
    window.close();
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1][kPowerSent], 0);
    EXPECT_FALSE(window.m_pPowerCheckBox->isChecked());
}
}  // namespace

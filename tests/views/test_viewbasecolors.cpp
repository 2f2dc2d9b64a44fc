// The custom colours of group "Colors" reaching the panes' pens and brushes and the view's cursor
// colours.

#include <gtest/gtest.h>

#include <QColor>

#include <vector>

#include "parameters.h"
#include "testview.h"
#include "vectorgraphic.h"

namespace
{
const QString kColors = QStringLiteral("Colors");

void SetColor(const char* key, unsigned onSwitch, unsigned rgb)
{
    g_Parameters.SetUInt(kColors, QLatin1String(key), onSwitch);
    g_Parameters.SetUInt(kColors, QLatin1String(key) + QStringLiteral("Color"), rgb);
}

void ClearColors()
{
    for (const char* key : {"CustomBackground", "CustomSpectrum", "CustomOsc1", "CustomOsc2",
                            "CustomDeltaCursor", "CustomPositionLines"})
        SetColor(key, 0, 0);
}

class ViewBaseColorsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearColors();
        view.m_osc->SetTraceCount(4);
    }
    void TearDown() override { ClearColors(); }

    CTestView view;
};

TEST_F(ViewBaseColorsTest, DefaultsWithoutCustomColours)
{
    view.ApplyColors();
    EXPECT_EQ(view.m_spec->m_background.color(), QColor(Qt::black));
    EXPECT_EQ(view.m_osc->GetBackground().color(), QColor(Qt::black));
    EXPECT_EQ(view.m_spec->GetTrace(1).pen.color(), QColor(Qt::cyan));
    EXPECT_EQ(view.m_spec->GetTrace(1).fillPen.color(), QColor(Qt::cyan).darker(150));
    EXPECT_EQ(view.m_spec->GetTrace(2).pen.color(), QColor(Qt::green));
    EXPECT_EQ(view.m_spec->GetTrace(2).fillPen.color(), QColor(Qt::green).darker(150));
    EXPECT_EQ(view.m_osc->GetTrace(0).pen.color(), QColor(Qt::green));
    EXPECT_EQ(view.m_osc->GetTrace(2).pen.color(), QColor(Qt::blue));
    EXPECT_EQ(view.GetDeltaCursorColor(), QColor(Qt::lightGray));
    EXPECT_EQ(view.GetPositionLinesColor(), QColor(Qt::lightGray));
}

TEST_F(ViewBaseColorsTest, EachKeyReachesItsPen)
{
    SetColor("CustomBackground", 1, 0x102030);
    SetColor("CustomSpectrum", 1, 0xff0000);
    SetColor("CustomOsc1", 1, 0x00ff80);
    SetColor("CustomOsc2", 1, 0x8000ff);
    SetColor("CustomDeltaCursor", 1, 0x123456);
    SetColor("CustomPositionLines", 1, 0x654321);

    view.ApplyColors();

    // Registered panes change whether shown or not.
    EXPECT_EQ(view.m_spec->m_background.color(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(view.m_spec->m_background.style(), Qt::SolidPattern);
    EXPECT_EQ(view.m_waterfall->m_background.color(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(view.m_osc->GetBackground().color(), QColor(0x10, 0x20, 0x30));
    // A red trace 1 with a dark red fill; trace 2 stays green.
    EXPECT_EQ(view.m_spec->GetTrace(1).pen.color(), QColor(255, 0, 0));
    EXPECT_EQ(view.m_spec->GetTrace(1).fillPen.color(), QColor(170, 0, 0));
    EXPECT_EQ(view.m_spec->GetTrace(2).pen.color(), QColor(Qt::green));
    EXPECT_EQ(view.m_osc->GetTrace(0).pen.color(), QColor(0x00, 0xff, 0x80));
    EXPECT_EQ(view.m_osc->GetTrace(2).pen.color(), QColor(0x80, 0x00, 0xff));
    EXPECT_EQ(view.GetDeltaCursorColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(view.GetPositionLinesColor(), QColor(0x65, 0x43, 0x21));
}

TEST_F(ViewBaseColorsTest, OnlySwitchValueOneCounts)
{
    for (unsigned onSwitch : {0u, 2u, 255u})
    {
        SCOPED_TRACE(onSwitch);
        SetColor("CustomSpectrum", onSwitch, 0xff0000);
        SetColor("CustomDeltaCursor", onSwitch, 0xff0000);
        view.ApplyColors();
        EXPECT_EQ(view.m_spec->GetTrace(1).pen.color(), QColor(Qt::cyan));
        EXPECT_EQ(view.GetDeltaCursorColor(), QColor(Qt::lightGray));
    }
}

TEST_F(ViewBaseColorsTest, AnAlphaByteIsIgnored)
{
    SetColor("CustomSpectrum", 1, 0x40ff0000u);
    view.ApplyColors();
    const QColor c = view.m_spec->GetTrace(1).pen.color();
    EXPECT_EQ(c, QColor(255, 0, 0));
    EXPECT_EQ(c.alpha(), 255);
}

TEST_F(ViewBaseColorsTest, AVectorPaneTakesTheOscillogramColours)
{
    CQVectorGraphic vec;
    vec.SetTraceCount(4);
    view.AddGraphic(QStringLiteral("Vec"), &vec);
    SetColor("CustomOsc1", 1, 0x00ff80);
    SetColor("CustomOsc2", 1, 0x8000ff);
    view.ApplyColors();
    EXPECT_EQ(vec.GetTrace(0).pen.color(), QColor(0x00, 0xff, 0x80));
    EXPECT_EQ(vec.GetTrace(2).pen.color(), QColor(0x80, 0x00, 0xff));
}

TEST(ViewBaseColors, WithoutPanesTheCursorColoursStayDefault)
{
    SetColor("CustomDeltaCursor", 1, 0xff0000);
    CTestView view(false, false);
    view.ApplyColors();
    EXPECT_EQ(view.GetDeltaCursorColor(), QColor(Qt::lightGray));
    ClearColors();
}
}  // namespace

// The video window: its form, the two levels it writes to the engine, the status after a language
// change, and the picture it shows from the engine's frame.

#include <gtest/gtest.h>

#include <QEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <vector>

#include "fakevideoengine.h"
#include "ui_videowindow.h"
#include "videowidget.h"
#include "videowindow.h"

namespace
{
// A frame of the test's choosing whose levels and sync state the window can change and the test read.
class CLevelVideoEngine : public CFakeVideoEngine
{
public:
    using CFakeVideoEngine::CFakeVideoEngine;

    void SetDarkLevel(int percent) override { dark = percent; }
    int GetDarkLevel() override { return dark; }
    void SetBrightLevel(int percent) override { bright = percent; }
    int GetBrightLevel() override { return bright; }
    int32_t GetSyncState() override { return sync; }

    int dark = 10;
    int bright = 70;
    int32_t sync = 0;
};

TEST(VideoWindow, FormHasEveryControl)
{
    CLevelVideoEngine engine(0, 0);
    CVideoWindow window(nullptr, &engine);
    EXPECT_EQ(window.objectName(), QStringLiteral("VideoTVWindow"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Video Window"));
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);

    struct Control
    {
        const char* name;
        const char* kind;
        const char* text;  // nullptr: no text to check
    } const controls[] = {
        {"widget", "QWidget", nullptr},
        {"m_pVideoWidget", "CQVideoWidget", nullptr},
        {"groupBox", "QGroupBox", nullptr},
        {"label_2", "QLabel", "Dark Level:"},
        {"m_pDarkLevelSlider", "QSlider", nullptr},
        {"m_pDarkLevelLabel", "QLabel", "10%"},
        {"label_3", "QLabel", "Bright Level:"},
        {"m_pBrightLevelSlider", "QSlider", nullptr},
        {"m_pBrightLevelLabel", "QLabel", "70%"},
        {"label_4", "QLabel", "Resolution:"},
        {"m_pResLabel", "QLabel", ""},
        {"label_5", "QLabel", "H-SYNC:"},
        {"m_pHSYNCLabel", "QLabel", ""},
        {"label_6", "QLabel", "V-SYNC:"},
        {"m_pVSYNCLabel", "QLabel", ""},
    };
    for (const Control& c : controls)
    {
        SCOPED_TRACE(c.name);
        QWidget* child = window.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(child->inherits(c.kind));
        if (c.text)
        {
            EXPECT_EQ(static_cast<QLabel*>(child)->text(), QString::fromLatin1(c.text));
        }
    }
    const Ui::CVideoWindow& form = window.Form();
    EXPECT_EQ(form.groupBox->title(), QStringLiteral("Options"));
    for (QSlider* slider : {form.m_pDarkLevelSlider, form.m_pBrightLevelSlider})
    {
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 100);
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    }
    // The engine's levels replace the form's 10 and 50.
    EXPECT_EQ(form.m_pDarkLevelSlider->value(), 10);
    EXPECT_EQ(form.m_pBrightLevelSlider->value(), 70);
}

TEST(VideoWindow, SlidersSetTheEngineLevelsAndTheirLabels)
{
    CLevelVideoEngine engine(0, 0);
    engine.dark = 25;
    engine.bright = 90;
    CVideoWindow window(nullptr, &engine);
    const Ui::CVideoWindow& form = window.Form();
    EXPECT_EQ(form.m_pDarkLevelLabel->text(), QStringLiteral("25%"));
    EXPECT_EQ(form.m_pBrightLevelLabel->text(), QStringLiteral("90%"));
    for (int value : {0, 37, 100})
    {
        SCOPED_TRACE(value);
        form.m_pDarkLevelSlider->setValue(value);
        form.m_pBrightLevelSlider->setValue(100 - value);
        EXPECT_EQ(engine.dark, value);
        EXPECT_EQ(engine.bright, 100 - value);
        EXPECT_EQ(form.m_pDarkLevelLabel->text(), QStringLiteral("%1%").arg(value));
        EXPECT_EQ(form.m_pBrightLevelLabel->text(), QStringLiteral("%1%").arg(100 - value));
    }
    // The trigger level has no control and changes nothing.
    window.OnTriggerLevelValueChanged(55);
    EXPECT_EQ(engine.dark, 100);
    EXPECT_EQ(engine.bright, 0);
}

TEST(VideoWindow, LanguageChangeShowsTheFormsLevelsAndAnEmptyStatus)
{
    CLevelVideoEngine engine(256, 300);
    engine.sync = 3;
    CVideoWindow window(nullptr, &engine);
    const Ui::CVideoWindow& form = window.Form();
    form.m_pDarkLevelSlider->setValue(33);
    window.UpdateStatus();
    ASSERT_EQ(form.m_pResLabel->text(), QStringLiteral("256x300"));
    ASSERT_EQ(form.m_pVSYNCLabel->text(), QStringLiteral("YES"));

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(form.m_pDarkLevelLabel->text(), QStringLiteral("10%"));
    EXPECT_EQ(form.m_pBrightLevelLabel->text(), QStringLiteral("50%"));
    EXPECT_TRUE(form.m_pResLabel->text().isEmpty());
    EXPECT_TRUE(form.m_pHSYNCLabel->text().isEmpty());
    EXPECT_TRUE(form.m_pVSYNCLabel->text().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Video Window"));
    // Neither the sliders nor the engine follow the labels.
    EXPECT_EQ(form.m_pDarkLevelSlider->value(), 33);
    EXPECT_EQ(engine.dark, 33);
    EXPECT_EQ(engine.bright, 70);

    // The next slider move and status update bring the real values back.
    form.m_pBrightLevelSlider->setValue(60);
    window.UpdateStatus();
    EXPECT_EQ(form.m_pBrightLevelLabel->text(), QStringLiteral("60%"));
    EXPECT_EQ(form.m_pResLabel->text(), QStringLiteral("256x300"));
}

TEST(VideoWindow, StatusUpdatePaintsTheEnginesFrameAtOnce)
{
    // A 4 x 3 frame: the engine's 0 is white, 255 black.
    const std::vector<int> values = {0, 255, 128, 64, 200, 10, 90, 160, 30, 220, 5, 250};
    CLevelVideoEngine engine(4, 3, values);
    CVideoWindow window(nullptr, &engine);
    CQVideoWidget* widget = window.Form().m_pVideoWidget;
    window.resize(406, 390);  // the form's size
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    engine.m_reads = 0;

    // Painted within the call, not merely scheduled.
    window.UpdateStatus();
    EXPECT_EQ(engine.m_reads, 12);
    EXPECT_EQ(window.Form().m_pResLabel->text(), QStringLiteral("4x3"));

    // Three lines at 4:3 fill the widget's height with square frame pixels.
    const QImage image = widget->grab().toImage();
    const int cell = image.height() / 3;
    ASSERT_GE(cell, 10);
    ASSERT_GE(image.width(), 4 * cell);
    for (int i = 0; i < 12; ++i)
    {
        const int x = cell * (i % 4) + cell / 2;
        const int y = cell * (i / 4) + cell / 2;
        const int grey = 255 - values[static_cast<size_t>(i)];
        EXPECT_EQ(image.pixel(x, y), qRgb(grey, grey, grey)) << "frame pixel " << i;
    }
}

TEST(VideoWindow, NoLinesShowsZeroByZeroAndPaintsNothing)
{
    CLevelVideoEngine engine(0, 0);
    CVideoWindow window(nullptr, &engine);
    window.show();
    window.UpdateStatus();
    EXPECT_EQ(window.Form().m_pResLabel->text(), QStringLiteral("0x0"));
    EXPECT_EQ(window.Form().m_pHSYNCLabel->text(), QStringLiteral("NO"));
    EXPECT_EQ(window.Form().m_pVSYNCLabel->text(), QStringLiteral("NO"));
    EXPECT_EQ(engine.m_reads, 0);
}
}  // namespace

// The service windows the main window creates: each builds offscreen with its settings name and title,
// and the operations the main window calls do what it relies on.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>

#include <functional>
#include <memory>

#include "internalswindow.h"
#include "ivideoengine.h"
#include "memorywindow.h"
#include "scanerfixture.h"
#include "scanerwindow.h"
#include "ui_scanerwindow.h"
#include "ui_videowindow.h"
#include "videowindow.h"
#include "zantigo.h"

namespace
{
TEST(ServiceWindows, BuildWithSettingsNameAndTitle)
{
    QMainWindow main;
    struct Case
    {
        std::function<CQDockWindow*(QWidget*)> make;
        const char* settingsName;
        const char* title;
    } cases[] = {
        {[](QWidget* p) { return new CInternalsWindow(p); }, "InternalsWindow", "Internals"},
        {[](QWidget* p) { return new CMemoryWindow(p); }, "MemoryWindow", "Internal Memory of the Morvik"},
        {[](QWidget* p) { return new CScanerWindow(p); }, "ScanerWindow", "ScanerChannel Tuner"},
        {[](QWidget* p) { return new CVideoWindow(p); }, "VideoTVWindow", "Video Window"},
        {[](QWidget* p) { return new Zantigo(p); }, "ZantigoWindow", "Generator"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.settingsName);
        std::unique_ptr<CQDockWindow> window(c.make(&main));
        EXPECT_EQ(window->GetSettingsName(), QString::fromLatin1(c.settingsName));
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.title));
        EXPECT_FALSE(window->isVisible());
    }
}

TEST(ScanerWindow, OnlyFixedModeReportsARealFrequency)
{
    CScanerWindow window;
    QSignalSpy spy(&window, &CScanerWindow::freqChanged);
    window.SetFrequency(145.5);
    EXPECT_EQ(spy.count(), 0);

    window.OnFixedFreqButton();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_DOUBLE_EQ(spy.at(0).at(0).toDouble(), 145.5);
    EXPECT_EQ(spy.at(0).at(1).toInt(), window.GetModelIndex());

    window.OnNoControlButton();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_DOUBLE_EQ(spy.at(1).at(0).toDouble(), -1.0);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 0);
}

TEST(ScanerWindow, TypedFrequencyKeepsItsPrecisionAndGarbageKeepsTheLastValue)
{
    CPrivateCore core;
    std::unique_ptr<IScaner> real(core.Get<IScaner>(14));
    ASSERT_NE(real, nullptr);
    CRecordingScaner scaner(real.get());
    CScanerWindow window(nullptr, &scaner);
    window.Form().m_pFreqEdit->setText(QStringLiteral("145.575"));
    window.OnFreqEdit();
    EXPECT_DOUBLE_EQ(window.GetFrequency(), 145.575);
    EXPECT_EQ(scaner.frequencies.back(), 145.575);
    EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("145.6 MHz"));
    const size_t sent = scaner.frequencies.size();
    window.Form().m_pFreqEdit->setText(QStringLiteral("abc"));
    window.OnFreqEdit();
    EXPECT_DOUBLE_EQ(window.GetFrequency(), 145.575);
    // Nothing reaches the receiver, and the edit shows the frequency in force again.
    EXPECT_EQ(scaner.frequencies.size(), sent);
    EXPECT_EQ(window.Form().m_pFreqEdit->text(), QStringLiteral("145.6 MHz"));
    // Leaving the edit with the shown text keeps the typed precision.
    window.OnFreqEdit();
    EXPECT_DOUBLE_EQ(window.GetFrequency(), 145.575);
    EXPECT_EQ(scaner.frequencies.back(), 145.575);
}

// A video engine whose picture size and sync state the test sets.
class CFakeVideoEngine : public IVideoEngine
{
public:
    int width = 0;
    int height = 0;
    int32_t sync = 0;
    int dark = 10;
    int bright = 70;
    void Enable(bool) override {}
    bool IsEnabled() override { return true; }
    void SetDarkLevel(int percent) override { dark = percent; }
    int GetDarkLevel() override { return dark; }
    void SetBrightLevel(int percent) override { bright = percent; }
    int GetBrightLevel() override { return bright; }
    const double* Update() override { return m_status; }
    int32_t GetSyncState() override { return sync; }
    int GetWidth() override { return width; }
    int GetHeight() override { return height; }
    int GetLine(int, int) override { return 0; }
    void ProcessSample(double) override {}

private:
    double m_status[kStatusCount] = {};
};

TEST(VideoWindow, UpdateStatusShowsResolutionAndSync)
{
    CFakeVideoEngine engine;
    CVideoWindow window(nullptr, &engine);
    // The engine's own levels replace the form's.
    EXPECT_EQ(window.Form().m_pBrightLevelLabel->text(), QStringLiteral("70%"));
    EXPECT_EQ(window.Form().m_pDarkLevelLabel->text(), QStringLiteral("10%"));

    struct Case
    {
        int32_t sync;
        const char* hsync;
        const char* vsync;
    } cases[] = {{0, "NO", "NO"}, {1, "YES", "NO"}, {2, "NO", "NO"}, {3, "YES", "YES"}};
    engine.width = 256;
    engine.height = 300;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sync);
        engine.sync = c.sync;
        window.UpdateStatus();
        EXPECT_EQ(window.Form().m_pResLabel->text(), QStringLiteral("256x300"));
        EXPECT_EQ(window.Form().m_pHSYNCLabel->text(), QString::fromLatin1(c.hsync));
        EXPECT_EQ(window.Form().m_pVSYNCLabel->text(), QString::fromLatin1(c.vsync));
    }
    engine.width = 0;
    engine.height = 0;
    window.UpdateStatus();
    EXPECT_EQ(window.Form().m_pResLabel->text(), QStringLiteral("0x0"));

    window.Form().m_pDarkLevelSlider->setValue(0);
    EXPECT_EQ(engine.dark, 0);
    EXPECT_EQ(window.Form().m_pDarkLevelLabel->text(), QStringLiteral("0%"));
}
}  // namespace

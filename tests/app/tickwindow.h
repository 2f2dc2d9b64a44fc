#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "devicethread.h"
#include "dockwindow.h"
#include "fftoptions.h"
#include "globals.h"
#include "icontrolbits.h"
#include "recordingviews.h"
#include "veltrano.h"

// The main window with its three pane views replaced by recording ones, for driving the data tick
// and the counters by hand: the device thread is stopped, so nothing changes the buffers meanwhile.
class CTickWindow : public Veltrano
{
public:
    CTickWindow() : Veltrano(0, QString()) {}
    using Veltrano::ui;
};

class TickWindowTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void SetUp() override
    {
        g_DeviceThread.SetDemoMode(false);
        window = std::make_unique<CTickWindow>();
        dev.Stop();
        // Every input type gets a channel, so that any type can be selected.
        IControlBits* bits = dev.m_pControlBits;
        bits->ClearChannels();
        for (int type = 0; type <= 6; ++type)
            bits->AddChannel(type, L"T", L"Type", 61e6);
        ASSERT_TRUE(dev.SetChannelType(0));
        window->show();
        // Docks restore their own visibility; each test shows what it needs. Hiding a hidden dock is
        // not a no-op for all of them, so only shown ones are hidden.
        for (CQDockWindow* dock : window->findChildren<CQDockWindow*>())
            if (dock->isVisible())
                dock->hide();

        Ui::VeltranoClass& ui = window->ui;
        m_savedRange = ui.m_pRangeGraphView;
        m_savedDdc = ui.m_pDdcGraphView;
        m_savedDemod = ui.m_pDemodGraphView;
        range = new CRecordingRangeView(log, window.get());
        ddc = new CRecordingDdcView(log, window.get());
        demod = new CRecordingDemodView(log, window.get());
        ui.m_pRangeGraphView = range;
        ui.m_pDdcGraphView = ddc;
        ui.m_pDemodGraphView = demod;
    }

    void TearDown() override
    {
        if (window)
        {
            window->ui.m_pRangeGraphView = m_savedRange;
            window->ui.m_pDdcGraphView = m_savedDdc;
            window->ui.m_pDemodGraphView = m_savedDemod;
        }
        window.reset();
        g_DeviceThread.SetDemoMode(false);
    }

    template <typename T>
    T* Dock(const char* name = nullptr)
    {
        T* dock = name ? window->findChild<T*>(QString::fromLatin1(name)) : window->findChild<T*>();
        EXPECT_NE(dock, nullptr);
        return dock;
    }

    CDeviceThread& dev = g_DeviceThread;
    std::unique_ptr<CTickWindow> window;
    CCallLog log;
    CRecordingRangeView* range = nullptr;
    CRecordingDdcView* ddc = nullptr;
    CRecordingDemodView* demod = nullptr;

private:
    CRangeView* m_savedRange = nullptr;
    CDdcView* m_savedDdc = nullptr;
    CDemodView* m_savedDemod = nullptr;
};

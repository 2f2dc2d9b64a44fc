#pragma once

#include <gtest/gtest.h>

#include <QToolBox>

#include <memory>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "icontrolbits.h"
#include "optionswindow.h"

// Each test runs in its own process on a fresh settings document and a fresh library core.
class OptionsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        // The channels exist once the correction tables are loaded, as at program start.
        g_DeviceThread.LoadCorrections();
    }

    void Build() { m_window = std::make_unique<COptionsWindow>(); }

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = m_window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QToolBox* ToolBox() const { return Child<QToolBox>("m_pOptionsToolBox"); }

    // Gives the input types up to `type` a channel each, so that any of them can be selected.
    static void AddChannelsUpTo(int type)
    {
        IControlBits* bits = g_DeviceThread.m_pControlBits;
        while (bits->GetChannelCount() <= type)
            bits->AddChannel(bits->GetChannelCount(), L"T", L"Type", 61e6);
    }

    std::unique_ptr<COptionsWindow> m_window;
};

// Selects an input type the library has a channel for, or skips the test.
#define REQUIRE_CHANNEL_TYPE(type)                                       \
    if (!g_DeviceThread.SetChannelType(type))                            \
    {                                                                    \
        GTEST_SKIP() << "the library has no channel of type " << (type); \
    }

#pragma once

// The main window in-process in demo mode, as an operator reaches it: built and shown as the program
// starts it, then File > "Demo Mode" with its question answered Yes. Header-only, since whoever includes
// the main window's header needs its generated form, which only the test binaries see.

#include <QAction>
#include <QMessageBox>
#include <QString>
#include <QTest>

#include <memory>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "isimplegraphic.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "veltrano.h"

// The library's corrections and the FFT lists are loaded first, as the program's start does. Settings
// a test wants the window to find go into the document before this call.
inline std::unique_ptr<Veltrano> StartDemoWindow()
{
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();
    auto window = std::make_unique<Veltrano>(0, QString());
    window->show();
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you want to switch to DEMO mode?"));
    window->findChild<QAction*>(QStringLiteral("m_pFileDemoModeAction"))->trigger();
    return window;
}

// The range view of the window once its spectrum shows demo data; null when none came in time.
inline CRangeView* WaitForRangeSpectrum(Veltrano& window, int timeoutMs = 3000)
{
    auto* view = window.findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
    if (!view)
        return nullptr;
    auto* spec = dynamic_cast<ISimpleGraphic*>(view->GetGraphic(QStringLiteral("Spec")));
    if (!spec)
        return nullptr;
    const bool shown = QTest::qWaitFor(
        [spec]
        {
            const std::vector<double>* data = spec->GetData(1);
            return data && !data->empty();
        },
        timeoutMs);
    return shown ? view : nullptr;
}

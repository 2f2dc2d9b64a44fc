#pragma once

#include <memory>

#include "dockwindow.h"

class IVideoEngine;

namespace Ui
{
class CVideoWindow;
}

// The picture decoded from the demodulated signal, with the engine's dark and bright levels and its
// synchronisation state. The main window calls UpdateStatus whenever the demodulator pane has new
// data while this window is visible.
class CVideoWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // The engine is the device thread's unless one is given. Not owned.
    explicit CVideoWindow(QWidget* parent = nullptr, IVideoEngine* engine = nullptr);
    ~CVideoWindow() override;

    // Resolution ("width x lines") and the two sync labels from the engine, then an immediate repaint
    // of the picture.
    void UpdateStatus();

    const Ui::CVideoWindow& Form() const { return *m_ui; }

public slots:
    // The picture has no trigger level to set: no control is connected to it.
    void OnTriggerLevelValueChanged(int percent);
    void OnDarkLevelValueChanged(int percent);
    void OnBrightLevelValueChanged(int percent);

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CVideoWindow> m_ui;
    IVideoEngine* m_pEngine;
};

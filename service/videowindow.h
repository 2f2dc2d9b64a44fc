#pragma once

#include "dockwindow.h"

class IVideoEngine;
class QLabel;
class QSlider;
class QWidget;

// The picture decoded from the demodulated signal, with the engine's dark and bright levels and its
// synchronisation state. The main window calls UpdateStatus whenever the demodulator pane has new
// data while this window is visible.
class CVideoWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CVideoWindow(QWidget* parent = nullptr, IVideoEngine* engine = nullptr);
    ~CVideoWindow() override;

    // Resolution ("width x lines") and the two sync labels from the engine, then an immediate repaint
    // of the picture.
    void UpdateStatus();

    QLabel* m_pResLabel = nullptr;
    QLabel* m_pHSYNCLabel = nullptr;
    QLabel* m_pVSYNCLabel = nullptr;
    QLabel* m_pDarkLevelLabel = nullptr;
    QLabel* m_pBrightLevelLabel = nullptr;
    QSlider* m_pDarkLevelSlider = nullptr;
    QSlider* m_pBrightLevelSlider = nullptr;
    QWidget* m_pVideoWidget = nullptr;

public slots:
    void OnDarkLevelChanged(int percent);
    void OnBrightLevelChanged(int percent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    IVideoEngine* m_pEngine;
    QLabel* m_pDarkCaption = nullptr;
    QLabel* m_pBrightCaption = nullptr;
    QLabel* m_pResCaption = nullptr;
    QLabel* m_pHSyncCaption = nullptr;
    QLabel* m_pVSyncCaption = nullptr;
};

#pragma once

#include <QWidget>

class IVideoEngine;
class QPainter;
class QPaintEvent;

// The picture of the video window: the video engine's current frame as grey levels (the engine's 0
// is white), drawn from the top-left corner at 4:3 scaled to the widget's height. repaint() redraws
// it from the engine at once.
class CQVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CQVideoWidget(QWidget* parent = nullptr);

    // The engine to read; while none is set, the device thread's. Not owned.
    void SetEngine(IVideoEngine* engine);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Black with "Error" in the middle: the picture could not be made.
    void PaintError(QPainter& painter);

    IVideoEngine* m_pEngine = nullptr;
};

#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <vector>

class IAdf4350;
class IDemoSignal;
class IVideoEngine;

// Progress of the main window's hidden three-digit key sequence that shows the debug overlay:
// 0 nothing matched, 1 and 2 the digits matched so far. A new overlay starts it afresh.
extern int g_DebugKeyState;

// A developer's overlay: frameless, half transparent, above the other windows. It shows the device
// thread's cycle counters, the pause flag and the synthesizer snapshot in g_DebugValues. The left
// button drags it (the position is kept in "DebugWindow/Pos" of settings.ini); the right button
// freezes or unfreezes the snapshot. Nothing is drawn before the first snapshot.
class CDebugWindow : public QWidget
{
    Q_OBJECT

public:
    // One text line of the overlay with the y of its baseline.
    struct Line
    {
        int y;
        QString text;
    };

    explicit CDebugWindow(QWidget* parent = nullptr);

    // Called by the main window's data tick after new data reached the views: unless paused, takes a
    // new snapshot of the video status, the synthesizer and the demo signal into g_DebugValues;
    // repaints either way so the counters stay live.
    void Refresh(IAdf4350* adf, IDemoSignal* demo, IVideoEngine* video = nullptr);

    // The lines as painted now; none before the first snapshot.
    static std::vector<Line> Lines();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_dragOffset;
};

#include "videowidget.h"

#include <QImage>
#include <QPainter>

#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "ivideoengine.h"

CQVideoWidget::CQVideoWidget(QWidget* parent) : QWidget(parent)
{
}

void CQVideoWidget::SetEngine(IVideoEngine* engine)
{
    m_pEngine = engine;
}

void CQVideoWidget::paintEvent(QPaintEvent*)
{
    IVideoEngine* engine = m_pEngine != nullptr ? m_pEngine : g_DeviceThread.m_pVideoEngine;
    QPainter painter(this);
    if (engine == nullptr)
    {
        PaintError(painter);
        return;
    }

    const int columns = engine->GetWidth();
    const int rows = engine->GetHeight();
    // An empty frame is no fault: the engine has not found a line yet.
    if (columns <= 0 || rows <= 0)
        return;
    QImage image(columns, rows, QImage::Format_RGB32);
    if (image.isNull())  // a frame size no image can hold
    {
        PaintError(painter);
        return;
    }
    for (int row = 0; row < rows; ++row)
    {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < columns; ++column)
        {
            // The low byte of 255 - value, in unsigned arithmetic: any int the engine returns maps
            // into 0..255 (C++ % keeps the sign, and 255 - INT_MIN would overflow).
            const unsigned grey = (255u - static_cast<unsigned>(engine->GetLine(column, row))) & 0xFFu;
            line[column] = qRgb(static_cast<int>(grey), static_cast<int>(grey), static_cast<int>(grey));
        }
    }
    // 4:3 at the frame's line count, then scaled to the widget's height.
    const double pictureWidth = std::trunc(rows * 4.0 / 3.0);
    const int targetWidth = static_cast<int>(pictureWidth * height() / rows);
    painter.drawImage(QRect(0, 0, targetWidth, height()), image);
}

void CQVideoWidget::PaintError(QPainter& painter)
{
    painter.fillRect(rect(), Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, tr("Error"));
}

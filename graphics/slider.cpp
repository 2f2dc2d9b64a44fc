#include "slider.h"

#include <QMouseEvent>

CSlider::CSlider(QWidget* parent) : QSlider(parent)
{
}

void CSlider::mousePressEvent(QMouseEvent* event)
{
    QSlider::mousePressEvent(event);
}

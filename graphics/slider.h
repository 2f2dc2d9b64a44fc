#pragma once

#include <QSlider>
#include <QString>

class QMouseEvent;

// The sliders of the antenna dialog: a plain QSlider carrying two texts for the dialog that places
// it; the slider itself never reads them.
class CSlider : public QSlider
{
    Q_OBJECT

public:
    explicit CSlider(QWidget* parent = nullptr);

    QString m_strText1;
    QString m_strText2;

protected:
    // Handed to QSlider unchanged, so a click behaves as on any slider.
    void mousePressEvent(QMouseEvent* event) override;
};

#pragma once

#include <QLabel>

class QPainter;
class QPaintEvent;

// The picture of the spectrum dialog: the synthesizer sweep condensed into kLmxPanoramaSize bins,
// the current array as green bars with the second array as a red line over them. When the current
// array starts with one of three front-end record signatures instead of levels, the two arrays are
// printed as that record's text lines.
//
// Levels are stored with an offset of 130 dB; the scale runs from the floor level at the bottom line
// (GetScaleHeight) up GetPixelsPerDb pixels per dB, clamped at the top edge. The dialog labels its
// scale from the three getters.
class CLabel2 : public QLabel
{
    Q_OBJECT

public:
    explicit CLabel2(QWidget* parent = nullptr);

    // The arrays (kLmxPanoramaSize doubles each) stay owned by the caller, which must keep them
    // alive and unchanged while the label may paint; the label takes no lock. With either pointer
    // null only the label itself is drawn.
    void SetArrays(const double* current, const double* second);

    int GetScaleHeight() const { return m_nScaleHeight; }
    int GetFloorLevel() const { return m_nFloorLevel; }
    int GetPixelsPerDb() const { return m_nPixelsPerDb; }

    // The bar top row of a stored level: the floor (and below, NaN, -inf) on the bottom line, clamped
    // to row 0 at the top (+inf and huge levels included).
    int LevelToRow(double level) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // True when the current array carried a record signature and was printed.
    bool PaintRecord(QPainter& painter) const;
    void PaintLevels(QPainter& painter) const;

    int m_nScaleHeight = 520;
    int m_nFloorLevel = 0;
    int m_nPixelsPerDb = 4;
    const double* m_pCurrent = nullptr;
    const double* m_pSecond = nullptr;
};

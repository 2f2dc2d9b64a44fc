#pragma once

#include <QMap>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

#include "analysisspectrumbase.h"
#include "iknownfreqdetect.h"
#include "pixelcolumn.h"

class QPainter;

// The detections of the known-frequency detector, labelled with their channel numbers. Detections
// are kept per range key: -1 is the single-range spectrum, 0 and up the ranges of the multi-range
// spectrum.
class CKnownFreqSpectrum : public CAnalysisSpectrumBase
{
public:
    CKnownFreqSpectrum();
    ~CKnownFreqSpectrum() override;

    // Replaces the detections kept under the key.
    void SetItems(int key, const std::vector<KNOWN_FREQ_DETECTION>& items);
    const std::vector<KNOWN_FREQ_DETECTION>* GetItems(int key) const;

    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }

    // The first detection of the key (list order) whose [start, end) holds a point of the column,
    // scanning the points upwards; -1 when none. A key without a list gets an empty one.
    int FindItem(int key, const PixelColumn& column);
    // FindItem of every column at once; -1 everywhere when the key has no list.
    void FindColumnItems(int key, const std::vector<PixelColumn>& columns, std::vector<int>& out);

    // Draws the channel-number label of the detection found in the column when its centre lies
    // there. otherNumbering shows the channel in E-GSM numbering.
    void PaintLabel(QPainter* painter, int key, int x, double yMin, double yMax, const QRect& plot,
                    const PixelColumn& column, bool otherNumbering);
    // Same, with the detection already found (itemIndex from FindColumnItems; -1 draws nothing).
    void PaintItemLabel(QPainter* painter, int key, int itemIndex, int x, double yMin, double yMax,
                        const QRect& plot, const PixelColumn& column, bool otherNumbering);

    // E-GSM number of a 200 kHz channel of the GSM 900 rows (880.0 to 915.0 MHz, numbered from 0):
    // channel c, whose lower edge is 880.0 + 0.2 c MHz, gets the E-GSM number whose carrier sits on
    // that edge: 1 to 49 become 975 to 1023, 50 to 174 become 0 to 124. Channel 0 (880.0 MHz) has
    // no E-GSM number, and neither has anything outside 0..174: those are shown unchanged.
    static int ToEgsm(int channel);

private:
    QMap<int, std::vector<KNOWN_FREQ_DETECTION>> m_items;
    bool m_shown = false;
    std::vector<std::pair<int, int>> m_spans;
};

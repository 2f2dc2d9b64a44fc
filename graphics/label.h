#pragma once

#include <QLabel>

#include <vector>

class QPaintEvent;

// A label that shows a window of 16-bit samples as green bars in a red frame. The device-memory window
// places several in its form and feeds them from the memory image; it reads the range back after
// each SetData to label the bars.
class CLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CLabel(QWidget* parent = nullptr);

    // Builds the trace from samples (byteCount bytes, so byteCount / 2 samples; only those are read).
    // wide: 599 points, each the highest of a block of 256 samples; otherwise 256 points, one per
    // sample. A point without any sample is kNoSample. The caller repaints. A null samples pointer
    // leaves the label blank, as before the first data.
    void SetData(bool wide, const short* samples, int byteCount);

    int GetMinimum() const { return m_nMinimum; }
    int GetMaximum() const { return m_nMaximum; }
    // The level of the full bar height: the maximum, but at least 600 above the minimum.
    int GetTop() const { return m_nTop; }
    const std::vector<int>& GetTrace() const { return m_Trace; }

    static constexpr int kWidePoints = 599;
    static constexpr int kNarrowPoints = 256;
    static constexpr int kSamplesPerWidePoint = 256;
    static constexpr int kNoSample = -10000;
    static constexpr int kMinimumSpan = 600;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // As for an empty trace, until the first SetData.
    int m_nMinimum = 10000;
    int m_nMaximum = -10000;
    int m_nTop = 10000 + kMinimumSpan;
    std::vector<int> m_Trace;
    // The samples are read only inside SetData; painting needs to know only that some were given.
    bool m_bHasData = false;
};

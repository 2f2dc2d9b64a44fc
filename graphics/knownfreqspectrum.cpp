#include "knownfreqspectrum.h"

#include <QPainter>

CKnownFreqSpectrum::CKnownFreqSpectrum() = default;

CKnownFreqSpectrum::~CKnownFreqSpectrum() = default;

void CKnownFreqSpectrum::SetItems(int key, const std::vector<KNOWN_FREQ_DETECTION>& items)
{
    m_items[key] = items;
}

const std::vector<KNOWN_FREQ_DETECTION>* CKnownFreqSpectrum::GetItems(int key) const
{
    const auto it = m_items.constFind(key);
    return it == m_items.constEnd() ? nullptr : &it.value();
}

int CKnownFreqSpectrum::FindItem(int key, const PixelColumn& column)
{
    const std::vector<KNOWN_FREQ_DETECTION>& items = m_items[key];
    for (int p = column.firstIndex; p <= column.lastIndex; ++p)
    {
        for (size_t k = 0; k < items.size(); ++k)
        {
            if (items[k].startIndex <= p && p < items[k].endIndex)
                return static_cast<int>(k);
        }
        if (p == column.lastIndex)
            break;
    }
    return -1;
}

void CKnownFreqSpectrum::FindColumnItems(int key, const std::vector<PixelColumn>& columns,
                                         std::vector<int>& out)
{
    const auto it = m_items.constFind(key);
    if (it == m_items.constEnd())
    {
        out.assign(columns.size(), -1);
        return;
    }
    m_spans.clear();
    // Detections end before their end index; one that ends where it starts covers nothing.
    for (const KNOWN_FREQ_DETECTION& d : it.value())
    {
        if (d.endIndex > d.startIndex)
            m_spans.emplace_back(d.startIndex, d.endIndex - 1);
        else
            m_spans.emplace_back(1, 0);
    }
    CAnalysisSpectrumBase::FindColumnItems(m_spans, columns, out);
}

void CKnownFreqSpectrum::PaintLabel(QPainter* painter, int key, int x, double yMin, double yMax,
                                    const QRect& plot, const PixelColumn& column, bool otherNumbering)
{
    if (!m_items.contains(key))
        return;
    PaintItemLabel(painter, key, FindItem(key, column), x, yMin, yMax, plot, column, otherNumbering);
}

void CKnownFreqSpectrum::PaintItemLabel(QPainter* painter, int key, int itemIndex, int x, double yMin,
                                        double yMax, const QRect& plot, const PixelColumn& column,
                                        bool otherNumbering)
{
    const auto it = m_items.constFind(key);
    if (itemIndex < 0 || it == m_items.constEnd() || static_cast<size_t>(itemIndex) >= it.value().size())
        return;
    const KNOWN_FREQ_DETECTION& d = it.value()[static_cast<size_t>(itemIndex)];
    if (d.peakIndex < column.firstIndex || d.peakIndex > column.lastIndex)
        return;
    int row = 0;
    if (!LevelToRow(d.level, yMin, yMax, plot, row))
        return;
    const int channel = otherNumbering ? ToEgsm(d.channel) : d.channel;
    DrawLabel(painter, plot.left(), plot.right(), x, row - 30, QString::number(channel));
}

int CKnownFreqSpectrum::ToEgsm(int channel)
{
    if (channel >= 1 && channel <= 49)
        return channel + 974;
    if (channel >= 50 && channel <= 174)
        return channel - 50;
    return channel;
}

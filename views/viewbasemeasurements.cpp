// The view's automatic measurements (spectrum peak and noise level, the span between the delta
// cursor's ends, the oscillogram's levels) and the level window fitted to the noise. Sample 0 of every
// vector is left out: the transforms put their DC term or block header there.

#include <QCursor>

#include <algorithm>
#include <cmath>
#include <limits>

#include "igraphic.h"
#include "isimplegraphicex.h"
#include "measurementswindow.h"
#include "utils.h"
#include "viewbase.h"

namespace
{
// Noise level = mean of the samples below mean + this margin, in the samples' unit (dB): the strong
// carriers above it do not lift the estimate.
constexpr double kNoiseMarginDb = 6.0;
// The level window of the auto fit is at least this tall, dB.
constexpr double kMinFitSpanDb = 10.0;
// Peak-to-peak over this is the RMS of a sine.
constexpr double kPkPkPerRms = 2.828;
constexpr int kLevelPrecision = 1;
constexpr int kVoltagePrecision = 3;

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Sets a level in the window, or clears it when there is no finite value to show.
void SetOrClear(CMeasurementsWindow* window, const QString& id, double value, int kind, int precision)
{
    if (std::isfinite(value))
        window->SetMeasurementValue(id, value, kind, precision);
    else
        window->ClearMeasurementValue(id);
}

struct Swing
{
    double min;
    double max;
};

// Smallest and largest sample from index 1 on; false when there is none.
bool FindSwing(const std::vector<double>& v, Swing* swing)
{
    if (v.size() < 2)
        return false;
    const auto [lo, hi] = std::minmax_element(v.begin() + 1, v.end());
    swing->min = *lo;
    swing->max = *hi;
    return true;
}

void SetSwing(CMeasurementsWindow* window, const std::vector<double>& v, const QString& suffix)
{
    const QString names[] = {QStringLiteral("LevelRms"), QStringLiteral("LevelPkPk"),
                             QStringLiteral("LevelMax"), QStringLiteral("LevelDisp")};
    Swing swing{};
    if (!FindSwing(v, &swing))
    {
        for (const QString& name : names)
            window->ClearMeasurementValue(name + suffix);
        return;
    }
    const double pkPk = swing.max - swing.min;
    const double values[] = {pkPk / kPkPkPerRms, pkPk, swing.max, (swing.min + swing.max) * 0.5};
    for (int k = 0; k < 4; ++k)
        window->SetMeasurementValue(names[k] + suffix, values[k], CUtils::KindVoltage, kVoltagePrecision);
}
}  // namespace

void CViewBase::UpdateMeasurements(const std::vector<double>& i, const std::vector<double>& q,
                                   const std::vector<double>& spectrum)
{
    UpdateSpectrumMeasurements(spectrum);
    UpdateCursorMeasurements(spectrum);
    UpdateOscMeasurements(i, q);
}

void CViewBase::CalcNoiseLevel(const std::vector<double>& v, double* level, bool belowMean, int first,
                               int last)
{
    // An empty range has no level: NaN, which every caller tests before showing or applying it.
    const int size = static_cast<int>(v.size());
    first = std::max(first, 1);
    if (last == -1 || last > size)
        last = size;
    if (first >= last)
    {
        *level = kNoValue;
        return;
    }

    double sum = 0.0;
    for (int k = first; k < last; ++k)
        sum += v[k];
    const double mean = sum / (last - first);
    if (!belowMean)
    {
        *level = mean;
        return;
    }

    const double threshold = mean + kNoiseMarginDb;
    double belowSum = 0.0;
    int belowCount = 0;
    for (int k = first; k < last; ++k)
    {
        if (v[k] < threshold)
        {
            belowSum += v[k];
            ++belowCount;
        }
    }
    // No sample below the threshold happens only with non-finite samples.
    *level = belowCount > 0 ? belowSum / belowCount : kNoValue;
}

void CViewBase::FindMinMax(const std::vector<double>& v, double* min, int* minIndex, double* max,
                           int* maxIndex, int first, int last)
{
    const int size = static_cast<int>(v.size());
    first = std::max(first, 1);
    if (last == -1 || last > size)
        last = size;
    int lo = -1;
    int hi = -1;
    // As for the spectrum's peak, the later of equal extremes wins.
    for (int k = first; k < last; ++k)
    {
        if (lo < 0 || v[k] <= v[lo])
            lo = k;
        if (hi < 0 || v[k] >= v[hi])
            hi = k;
    }
    if (minIndex)
        *minIndex = lo;
    if (maxIndex)
        *maxIndex = hi;
    if (lo >= 0 && min)
        *min = v[lo];
    if (hi >= 0 && max)
        *max = v[hi];
}

void CViewBase::UpdateSpectrumMeasurements(const std::vector<double>& spectrum)
{
    // Sample 0 is skipped, so a peak needs two samples.
    if (spectrum.size() < 2 || m_Shown.isEmpty())
        return;
    const int precision = m_Shown.first()->GetXPrecision();

    int maxIndex = 1;
    for (int k = 2; k < static_cast<int>(spectrum.size()); ++k)
    {
        if (spectrum[k] >= spectrum[maxIndex])
            maxIndex = k;
    }
    m_dMaxFreq = IndexToX(maxIndex);
    double noise = kNoValue;
    CalcNoiseLevel(spectrum, &noise, true, -1, -1);

    CMeasurementsWindow* window = m_pMeasurementsWindow;
    if (!window)
        return;
    window->SetMeasurementValue(QStringLiteral("FreqMax"), m_dMaxFreq, CUtils::KindFrequency, precision);
    SetOrClear(window, QStringLiteral("FreqLevelMax"), spectrum[maxIndex], CUtils::KindLevel,
               kLevelPrecision);
    SetOrClear(window, QStringLiteral("LevelIntegral"), noise, CUtils::KindLevel, kLevelPrecision);
    window->UpdateTable();
}

void CViewBase::UpdateCursorMeasurements(const std::vector<double>& spectrum)
{
    CMeasurementsWindow* window = m_pMeasurementsWindow;
    if (spectrum.empty() || m_Shown.isEmpty() || !window)
        return;
    IGraphic* pane = m_Shown.first();
    const int precision = pane->GetXPrecision();

    const QString freqId = QStringLiteral("FreqCursorMax");
    const QString levelId = QStringLiteral("FreqLevelCursorMax");
    const QString noiseId = QStringLiteral("LevelIntegralCursor");

    bool haveSpan = false;
    int lo = 0;
    int hi = 0;
    if (m_bDeltaCursor)
    {
        // The span runs from the anchor to where the pointer is now, mapped through the pane's window.
        const QRect plot = pane->GetPlotRect();
        const double xFrom = pane->GetXFrom();
        const double xPerPixel = pane->GetXPerPixel();
        const int a = XToIndex(xFrom + (m_DeltaAnchor.x() - plot.left()) * xPerPixel);
        const int b = XToIndex(xFrom + (mapFromGlobal(QCursor::pos()).x() - plot.left()) * xPerPixel);
        lo = std::min(a, b);
        hi = std::max(a, b);
        const int size = static_cast<int>(spectrum.size());
        haveSpan = lo < hi && lo < size && hi < size;
    }

    if (!haveSpan)
    {
        window->ClearMeasurementValue(freqId);
        window->ClearMeasurementValue(levelId);
        window->ClearMeasurementValue(noiseId);
        window->UpdateTable();
        return;
    }

    double min = 0.0;
    double max = 0.0;
    int minIndex = -1;
    int maxIndex = -1;
    FindMinMax(spectrum, &min, &minIndex, &max, &maxIndex, lo, hi);
    if (maxIndex >= 0)
    {
        window->SetMeasurementValue(freqId, IndexToX(maxIndex), CUtils::KindFrequency, precision);
        SetOrClear(window, levelId, max, CUtils::KindLevel, kLevelPrecision);
    }
    else
    {
        // A span that holds only sample 0 has no maximum; an old one would be misleading.
        window->ClearMeasurementValue(freqId);
        window->ClearMeasurementValue(levelId);
    }
    double noise = kNoValue;
    CalcNoiseLevel(spectrum, &noise, true, lo, hi);
    SetOrClear(window, noiseId, noise, CUtils::KindLevel, kLevelPrecision);
    window->UpdateTable();
}

void CViewBase::UpdateOscMeasurements(const std::vector<double>& i, const std::vector<double>& q)
{
    CMeasurementsWindow* window = m_pMeasurementsWindow;
    if (i.empty() || m_Shown.isEmpty() || !window)
        return;
    if (q.empty())
    {
        SetSwing(window, i, QString());
        window->UpdateTable();
        return;
    }
    SetSwing(window, i, QStringLiteral("I"));
    SetSwing(window, q, QStringLiteral("Q"));
    window->UpdateTable();
}

void CViewBase::AutoFit()
{
    if (m_bLoadedData)
        return;
    auto* spec = dynamic_cast<ISimpleGraphicEx*>(GetGraphic(QStringLiteral("Spec")));
    if (!spec || spec->GetTraceCount() < 2)
        return;
    const std::vector<double>* levels = spec->GetData(1);
    if (!levels || levels->size() < 2)
        return;

    const double top = *std::max_element(levels->begin() + 1, levels->end());
    double noise = kNoValue;
    CalcNoiseLevel(*levels, &noise, true, -1, -1);
    if (!std::isfinite(noise) || !std::isfinite(top))
        return;
    if (top - noise > kMinFitSpanDb)
        SetYWindow(noise, top);
    else
        SetYWindow(noise, noise + kMinFitSpanDb);
    SyncPanes();
}

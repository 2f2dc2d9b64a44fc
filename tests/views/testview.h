#pragma once

#include <QString>

#include "oscillogramgraphic.h"
#include "spectrumgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

// The view's panes, with the one frame flag the view sets but no interface reports.
template <class Pane>
class CProbe : public Pane
{
public:
    bool IsXScrollBarShown() const { return this->m_showXScrollBar; }
};

// The smallest complete view: a "Spec", a "Waterfall" and an "Osc" pane, registered but not shown,
// with the view hooks kept simple and observable. The axis hooks store and read the groups
// "TestSpectrum" and "TestOscilloscope" with channel keys (band keys when `bandKeys` is set), as a
// derived view does with its own groups. X of index i is i × kXStep.
class CTestView : public CViewBase
{
public:
    static constexpr double kXStep = 0.5;

    // Without `registerPanes` the panes exist but the view knows none of them.
    explicit CTestView(bool bandKeys = false, bool registerPanes = true) : m_bandKeys(bandKeys)
    {
        if (registerPanes)
        {
            AddGraphic(QStringLiteral("Spec"), m_spec);
            AddGraphic(QStringLiteral("Waterfall"), m_waterfall);
            AddGraphic(QStringLiteral("Osc"), m_osc);
        }
        resize(400, 301);
    }

    ~CTestView() override
    {
        delete m_osc;
        delete m_waterfall;
        delete m_spec;
    }

    CTestView(const CTestView&) = delete;
    CTestView& operator=(const CTestView&) = delete;

    // The stored windows, written the way a derived view saves them.
    void SaveAxisSettings()
    {
        WriteAxisValue(QStringLiteral("TestSpectrum"), QStringLiteral("StartXValue"), m_spec->GetXFrom(),
                       m_bandKeys);
        WriteAxisValue(QStringLiteral("TestSpectrum"), QStringLiteral("EndXValue"), m_spec->GetXTo(),
                       m_bandKeys);
        WriteAxisValue(QStringLiteral("TestSpectrum"), QStringLiteral("StartYValue"), m_spec->GetYFrom(),
                       m_bandKeys);
        WriteAxisValue(QStringLiteral("TestSpectrum"), QStringLiteral("EndYValue"), m_spec->GetYTo(),
                       m_bandKeys);
        WriteTriggerLevel(QStringLiteral("TestOscilloscope"), GetTriggerLevel(), m_bandKeys);
    }

    void ApplySpectrumXRange() override
    {
        m_spec->SetXWindow(Read("TestSpectrum", "StartXValue", 0.0),
                           Read("TestSpectrum", "EndXValue", 100.0));
    }
    void ApplySpectrumYRange() override
    {
        m_spec->SetYWindow(Read("TestSpectrum", "StartYValue", -110.0),
                           Read("TestSpectrum", "EndYValue", -40.0));
    }
    void ApplyOscXRange() override { ++m_oscXApplied; }
    void ApplyOscYRange() override
    {
        SetTriggerLevel(ReadTriggerLevel(QStringLiteral("TestOscilloscope"), m_bandKeys));
    }
    void ResetSpectrumXRange() override { m_resets += QStringLiteral("SX "); }
    void ResetOscXRange() override { m_resets += QStringLiteral("OX "); }
    void ResetSpectrumYRange() override { m_resets += QStringLiteral("SY "); }
    void ResetOscYRange() override { m_resets += QStringLiteral("OY "); }
    void FitLevelToNoise() override { ++m_fits; }
    double IndexToX(int index) override { return index * kXStep; }
    int XToIndex(double x) override { return static_cast<int>(x / kXStep); }
    void OnAddToArchive() override { ++m_archiveRequests; }
    void OnCancelOp() override
    {
        m_bLoadedData = false;
        ++m_cancels;
    }

    // Protected state the tests set or read.
    using CViewBase::m_bDeltaCursor;
    using CViewBase::m_bLoadedData;
    using CViewBase::m_DeltaAnchor;
    using CViewBase::m_dMaxFreq;
    using CViewBase::m_PressPoint;

    CProbe<CQSpectrumGraphic>* m_spec = new CProbe<CQSpectrumGraphic>;
    CProbe<CQWaterfallGraphic>* m_waterfall = new CProbe<CQWaterfallGraphic>;
    CProbe<CQOscillogramGraphic>* m_osc = new CProbe<CQOscillogramGraphic>;

    bool m_bandKeys = false;
    int m_oscXApplied = 0;
    int m_fits = 0;
    int m_archiveRequests = 0;
    int m_cancels = 0;
    QString m_resets;

private:
    double Read(const char* group, const char* key, double defaultValue)
    {
        return ReadAxisValue(QLatin1String(group), QLatin1String(key), defaultValue, m_bandKeys, true);
    }
};

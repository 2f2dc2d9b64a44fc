// A view's automatic measurements as the operator reads them in its measurements window: spectrum
// peak and noise level, the span between the delta cursor's ends, the oscillogram's levels; and the
// level window fitted to the noise.

#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QTableWidget>

#include <cmath>
#include <vector>

#include "measurementswindow.h"
#include "testview.h"
#include "utils.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace
{
class MeasurementsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.m_spec->SetXLimits(0.0, 20.0, 20.0);
        view.m_spec->SetYLimits(-150.0, 50.0);
        view.ShowPane(QStringLiteral("Spec"));
        view.m_pMeasurementsWindow = &window;
    }

    // The value cell of the row titled `title` (leading blanks ignored) in the window's table.
    QString Cell(const QString& title)
    {
        auto* table = window.findChild<QTableWidget*>("m_pTableView");
        for (int r = 0; r < table->rowCount(); ++r)
        {
            if (table->item(r, 0)->text().trimmed() == title)
                return table->item(r, 1)->text();
        }
        ADD_FAILURE() << "no row " << title.toStdString();
        return QString();
    }

    QString Frequency(double freqMHz)
    {
        return CUtils::FormatValue(freqMHz, 2, view.m_spec->GetXPrecision());
    }

    CMeasurementsWindow window{"TestMeasuresWindow"};
    CTestView view;
};

std::vector<double> Flat(size_t n, double level)
{
    return std::vector<double>(n, level);
}

TEST_F(MeasurementsTest, SpectrumPeakTakesTheLaterOfEqualMaximaAndSkipsSampleZero)
{
    std::vector<double> spectrum = Flat(11, -80.0);
    spectrum[0] = 10.0;  // the DC term is never a peak
    spectrum[3] = -20.0;
    spectrum[7] = -20.0;
    view.UpdateMeasurements({}, {}, spectrum);

    EXPECT_DOUBLE_EQ(view.m_dMaxFreq, 3.5);
    EXPECT_EQ(Cell("Max frequency"), Frequency(3.5));
    EXPECT_EQ(Cell("Max freq. level"), "-20.0 dBm");
    // Samples 1 to 10: mean -68, so both peaks lie above mean + 6 and only the floor counts.
    EXPECT_EQ(Cell("Integral level"), "-80.0 dBm");
}

TEST_F(MeasurementsTest, NoiseLevelOfTheWholeSpectrum)
{
    struct Case
    {
        const char* what;
        std::vector<double> spectrum;
        const char* expected;
    };
    std::vector<double> carriers = Flat(1001, -100.0);
    for (size_t k = 500; k < 510; ++k)
        carriers[k] = -20.0;
    std::vector<double> equal = Flat(11, -73.0);
    equal[0] = 40.0;
    const Case cases[] = {
        {"ten equal values", equal, "-73.0 dBm"},
        {"1000 at -100 and 10 carriers at -20", carriers, "-100.0 dBm"},
    };
    for (const Case& c : cases)
    {
        view.UpdateSpectrumMeasurements(c.spectrum);
        EXPECT_EQ(Cell("Integral level"), c.expected) << c.what;
    }
}

TEST_F(MeasurementsTest, NoiseEstimateOverRanges)
{
    std::vector<double> v = Flat(1001, -100.0);
    for (size_t k = 1; k <= 10; ++k)
        v[k] = -20.0;
    struct Case
    {
        bool belowMean;
        int first;
        int last;
        double expected;
    };
    const Case cases[] = {
        {false, -1, -1, (990 * -100.0 + 10 * -20.0) / 1000},  // the plain mean of samples 1 to 1000
        {true, -1, -1, -100.0},
        {true, 0, 11, -20.0},       // first is raised to 1; all samples lie below mean + 6
        {false, 5, 15, -52.0},      // six carriers, four floor samples
        {true, 900, 5000, -100.0},  // an end past the data stops at the data
        {false, 1000, -1, -100.0},  // the last sample alone
    };
    for (const Case& c : cases)
    {
        double level = 0.0;
        view.CalcNoiseLevel(v, &level, c.belowMean, c.first, c.last);
        EXPECT_NEAR(level, c.expected, 1e-9) << c.first << ".." << c.last << " belowMean " << c.belowMean;
    }

    // An empty range has no level at all, rather than a number made up of a division by zero.
    struct Empty
    {
        std::vector<double> v;
        int first;
        int last;
    };
    const Empty empty[] = {{v, 5, 5}, {v, 7, 3}, {v, 1001, -1}, {{1.0}, -1, -1}, {{}, -1, -1}};
    for (const Empty& c : empty)
    {
        for (bool belowMean : {false, true})
        {
            double level = 0.0;
            view.CalcNoiseLevel(c.v, &level, belowMean, c.first, c.last);
            EXPECT_FALSE(std::isfinite(level)) << c.first << ".." << c.last << " of " << c.v.size();
        }
    }
}

TEST_F(MeasurementsTest, MinMaxSkipsSampleZeroAndReportsAnEmptyRange)
{
    const std::vector<double> v = {-200.0, 3.0, -1.0, 5.0, -1.0, 5.0, 0.0};
    double min = 0.0;
    double max = 0.0;
    int minIndex = 0;
    int maxIndex = 0;
    view.FindMinMax(v, &min, &minIndex, &max, &maxIndex, 0, -1);
    EXPECT_EQ(min, -1.0);
    EXPECT_EQ(max, 5.0);
    EXPECT_EQ(minIndex, 4);
    EXPECT_EQ(maxIndex, 5);

    view.FindMinMax(v, &min, &minIndex, &max, &maxIndex, 1, 3);
    EXPECT_EQ(minIndex, 2);
    EXPECT_EQ(maxIndex, 1);
    EXPECT_EQ(max, 3.0);

    view.FindMinMax(v, &min, &minIndex, &max, &maxIndex, 0, 1);
    EXPECT_EQ(minIndex, -1);
    EXPECT_EQ(maxIndex, -1);
}

TEST_F(MeasurementsTest, ShortOrMissingInputLeavesTheTableAlone)
{
    view.UpdateSpectrumMeasurements(Flat(11, -50.0));
    ASSERT_EQ(Cell("Integral level"), "-50.0 dBm");
    view.UpdateMeasurements({}, {}, {});
    view.UpdateMeasurements({}, {}, {7.0});
    EXPECT_EQ(Cell("Integral level"), "-50.0 dBm");
    EXPECT_EQ(Cell("Max freq. level"), "-50.0 dBm");

    // Nothing is computed while the view shows no pane, and a view without a window is no fault.
    CTestView bare;
    bare.m_pMeasurementsWindow = &window;
    bare.UpdateMeasurements({0.0, 1.0}, {0.0, 1.0}, Flat(11, -90.0));
    EXPECT_EQ(Cell("Integral level"), "-50.0 dBm");
    view.m_pMeasurementsWindow = nullptr;
    view.UpdateMeasurements({0.0, 1.0}, {}, Flat(11, -90.0));
    EXPECT_DOUBLE_EQ(view.m_dMaxFreq, 5.0) << "the peak frequency is kept without a window too";
}

TEST_F(MeasurementsTest, NonFiniteSpectrumShowsNoLevel)
{
    view.UpdateSpectrumMeasurements(Flat(11, -50.0));
    view.UpdateSpectrumMeasurements(Flat(11, std::nan("")));
    EXPECT_EQ(Cell("Integral level"), "");
    EXPECT_EQ(Cell("Max freq. level"), "");
}

// The delta cursor: the span runs from the anchor to the pointer, both mapped through the first pane.
class CursorMeasurementsTest : public MeasurementsTest
{
protected:
    void SetUp() override
    {
        MeasurementsTest::SetUp();
        // The pane learns its pixel scale when it is painted.
        QImage image(view.size(), QImage::Format_ARGB32);
        QPainter painter(&image);
        view.m_spec->Paint(&painter, 0);
        ASSERT_GT(view.m_spec->GetXPerPixel(), 0.0);

        spectrum = Flat(41, -100.0);
        spectrum[12] = -30.0;
        spectrum[25] = -20.0;
        view.m_bDeltaCursor = true;
        window.SetMeasurementValue("FreqCursorMax", 1.0, 2, 3);
        window.SetMeasurementValue("FreqLevelCursorMax", -1.0, 0, 1);
        window.SetMeasurementValue("LevelIntegralCursor", -1.0, 0, 1);
    }

    // The middle of index i's bin, in view pixels.
    int PixelOf(int index)
    {
        const double x = (index + 0.5) * CTestView::kXStep;
        return view.m_spec->GetPlotRect().left() + static_cast<int>(x / view.m_spec->GetXPerPixel());
    }

    void Measure(int anchorX, int pointerX)
    {
        view.m_DeltaAnchor = QPoint(anchorX, 50);
        QCursor::setPos(view.mapToGlobal(QPoint(pointerX, 60)));
        view.UpdateMeasurements({}, {}, spectrum);
    }

    std::vector<double> spectrum;
};

TEST_F(CursorMeasurementsTest, SpanBetweenTheEndsInEitherOrder)
{
    for (bool reversed : {false, true})
    {
        const int a = PixelOf(5);
        const int b = PixelOf(20);
        Measure(reversed ? b : a, reversed ? a : b);
        // Bins 5 to 19: the carrier at 12 is in, the one at 25 is not.
        EXPECT_EQ(Cell("Max cursor freq."), Frequency(6.0)) << reversed;
        EXPECT_EQ(Cell("Max cursor level"), "-30.0 dBm") << reversed;
        EXPECT_EQ(Cell("Cursor integral level"), "-100.0 dBm") << reversed;
    }
}

TEST_F(CursorMeasurementsTest, SpansWithoutWidthOrBeyondTheSpectrumClearTheCursorRows)
{
    struct Case
    {
        const char* what;
        bool cursorOn;
        int anchorIndex;
        int pointerIndex;
    };
    const Case cases[] = {
        {"both ends on one bin", true, 12, 12},
        {"an end past the spectrum", true, 30, 45},
        {"cursor off", false, 5, 20},
    };
    for (const Case& c : cases)
    {
        Measure(PixelOf(5), PixelOf(20));
        ASSERT_EQ(Cell("Max cursor level"), "-30.0 dBm");
        view.m_bDeltaCursor = c.cursorOn;
        Measure(PixelOf(c.anchorIndex), PixelOf(c.pointerIndex));
        EXPECT_EQ(Cell("Max cursor freq."), "") << c.what;
        EXPECT_EQ(Cell("Max cursor level"), "") << c.what;
        EXPECT_EQ(Cell("Cursor integral level"), "") << c.what;
        view.m_bDeltaCursor = true;
    }
}

TEST_F(MeasurementsTest, OscillogramLevelsOfOneChannel)
{
    window.SetCurrentList(CMeasurementsWindow::OscList);
    // Sample 0 is left out: its 5 V would be the maximum otherwise.
    view.UpdateMeasurements({5.0, -1.0, -0.5, 0.0, 0.5, 1.0}, {}, {});
    EXPECT_EQ(Cell("Peak-peak level"), "2.00 V");
    EXPECT_EQ(Cell("RMS level"), "707 mV");
    EXPECT_EQ(Cell("Max level"), "1000 mV");
    EXPECT_EQ(Cell("Disp. level"), CUtils::FormatValue(0.0, 3, 3));
}

TEST_F(MeasurementsTest, OscillogramLevelsOfIAndQ)
{
    window.SetCurrentList(CMeasurementsWindow::OscIqList);
    view.UpdateMeasurements({5.0, -1.0, 1.0, 0.0}, {-9.0, -0.2, 0.6, 0.1}, {});
    EXPECT_EQ(Cell("Peak-peak level I"), "2.00 V");
    EXPECT_EQ(Cell("RMS Level I"), "707 mV");
    EXPECT_EQ(Cell("Max level I"), "1000 mV");
    EXPECT_EQ(Cell("Peak-peak level Q"), "800 mV");
    EXPECT_EQ(Cell("RMS Level Q"), "283 mV");
    EXPECT_EQ(Cell("Max level Q"), "600 mV");
    EXPECT_EQ(Cell("Disp. level Q"), "200 mV");

    // A Q block without samples past the first shows no Q levels rather than stale ones.
    view.UpdateMeasurements({0.0, -1.0, 1.0}, {3.0}, {});
    EXPECT_EQ(Cell("Max level Q"), "");
    EXPECT_EQ(Cell("Max level I"), "1000 mV");
}

TEST_F(MeasurementsTest, AutoFitPutsTheLevelWindowOnTheNoiseAtLeastTenDbTall)
{
    struct Case
    {
        const char* what;
        double carrier;
        double yFrom;
        double yTo;
    };
    const Case cases[] = {
        {"flat spectrum", -90.0, -90.0, -80.0},
        {"carrier exactly 10 dB up", -80.0, -90.0, -80.0},
        {"carrier inside the noise margin", -85.0, -89.95, -79.95},
        {"strong carrier", -30.0, -90.0, -30.0},
    };
    for (const Case& c : cases)
    {
        view.m_spec->SetYWindow(-150.0, 50.0);
        std::vector<double> levels = Flat(101, -90.0);
        levels[0] = 20.0;
        levels[40] = c.carrier;
        view.m_spec->SetData(1, levels);
        view.AutoFit();
        EXPECT_NEAR(view.m_spec->GetYFrom(), c.yFrom, 1e-9) << c.what;
        EXPECT_NEAR(view.m_spec->GetYTo(), c.yTo, 1e-9) << c.what;
    }
}

TEST_F(MeasurementsTest, AutoFitChangesNothingWithoutLiveLevels)
{
    view.m_spec->SetYWindow(-120.0, -20.0);
    view.m_spec->SetData(1, Flat(101, -90.0));
    view.m_bLoadedData = true;
    view.AutoFit();
    EXPECT_EQ(view.m_spec->GetYFrom(), -120.0) << "loaded data keep their window";
    view.m_bLoadedData = false;

    for (const std::vector<double>& levels : {std::vector<double>{-90.0}, Flat(5, std::nan(""))})
    {
        view.m_spec->ClearData(1);
        view.m_spec->SetData(1, levels);
        view.AutoFit();
        EXPECT_EQ(view.m_spec->GetYFrom(), -120.0);
        EXPECT_EQ(view.m_spec->GetYTo(), -20.0);
    }

    CTestView noPanes(false, false);
    noPanes.AutoFit();  // no "Spec" to fit
}
}  // namespace

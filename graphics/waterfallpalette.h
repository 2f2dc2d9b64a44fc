#pragma once

#include <QRgb>

#include <array>
#include <cstddef>

// The waterfall's palette: a level in the window [yFrom, yTo] as one of 1024 opaque colours, blue -
// cyan - green - yellow - red. Levels outside the window are clamped; NaN and an empty window give
// the lowest step. An object serves many levels of one window at once: the division of the step
// formula is the costly part, and a multiplication by the reciprocal differs from it by a few units
// in the last place, which changes the truncated step only when the quotient lies within a hair of
// a whole step; those levels, and every window a reciprocal cannot serve, take the division itself,
// so that every level gets exactly the step of the formula.
class CWaterfallPalette
{
public:
    CWaterfallPalette(double yFrom, double yTo);

    // The step (0 to 1023) and the colour of one level, by the formula.
    static int Step(double level, double yFrom, double yTo);
    static QRgb Colour(double level, double yFrom, double yTo);

    // The same for this object's window.
    int Step(double level) const;
    // The colours of n levels, two at a time where both lie well inside the window.
    void Colour(const double* levels, QRgb* colours, size_t n) const;

private:
    static const std::array<QRgb, 1024>& Table();

    static constexpr double kMargin = 1e-9;  // far above the few units in the last place of a quotient

    double m_yFrom;
    double m_yTo;
    double m_lo;
    double m_hi;
    double m_reciprocal;
    bool m_fast;
    int m_loStep;
    int m_hiStep;
};

#pragma once

// The program's converter between the points of the last range spectrum and frequencies. The
// analysis, monitoring and known-frequency objects call it back, on the GUI thread only, to put
// frequencies and switch numbers on the points they find.
class IGarmConv
{
public:
    // Frequency of a spectrum point, MHz.
    virtual double IndexToFreq(int index) = 0;
    // Switch number of a spectrum point (the calculator's per-point integer table); results found
    // under different switch numbers are never merged.
    virtual int GetValue(int index) = 0;
    // Nearest spectrum point of a frequency in MHz.
    virtual int FreqToIndex(double freqMHz) = 0;
    virtual ~IGarmConv() = default;
};

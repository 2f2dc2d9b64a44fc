#pragma once

#include <vector>

// Hold and averaging of successive spectra, bin by bin, in dB (the mean is taken over dB values).
// Kinds: instant (the last spectrum), mean of the last `depth` spectra, peak hold (never falls), none
// (the result stays where it is) and peak with decay (a new maximum is taken at once, otherwise the mean
// of the last `depth` spectra). A separate maximum hold lets the caller fold several spectra into one
// before it is averaged. History rows exist only for the kinds that read them, `depth` rows each.
class CSpectrumAverager
{
public:
    enum Kind
    {
        kInstant = 0,
        kMean = 1,
        kPeak = 2,
        kNone = 3,
        kPeakDecay = 4,
    };
    enum HoldMode
    {
        kHoldOff = 0,
        // Restart the hold with this spectrum, or fold it in; either way the averaging is left alone.
        kHoldRestart = 1,
        kHoldAccumulate = 2,
        // Fold the spectrum in and average the hold in its place.
        kHoldUse = 3,
    };
    static constexpr int kMaxDepth = 64;
    static constexpr double kFloorDb = -170.0;

    CSpectrumAverager();

    // Number of bins; result, hold and history become kFloorDb.
    void SetSize(int bins);
    int Size() const { return m_bins; }
    // Takes a new kind and depth (1..kMaxDepth; kinds that keep no history ignore it). clearHistory puts
    // result, hold and every history row back to kFloorDb and restarts the history; otherwise they are
    // kept, rows that the new depth adds start at kFloorDb.
    void Reset(int kind, int depth, bool clearHistory);
    void SetHoldMode(int mode) { m_holdMode = mode; }
    int GetHoldMode() const { return m_holdMode; }

    // Takes one spectrum of Size() values. Returns whether it reached the averaging, which it does not
    // in hold modes restart and accumulate.
    bool Add(const double* levelsDb);

    const std::vector<double>& Result() const { return m_result; }
    const std::vector<double>& Hold() const { return m_hold; }
    int GetKind() const { return m_kind; }
    int GetDepth() const { return m_depth; }
    int HistoryRows() const { return static_cast<int>(m_history.size()); }

private:
    static bool KeepsHistory(int kind) { return kind == kMean || kind == kPeakDecay; }
    // Sum of the history rows for every bin, row 0 first, into m_sum.
    void SumHistory();
    // The per-bin sums are kept running (a new row in, the row it replaces out), so a spectrum costs two
    // rows of memory traffic instead of the whole history. Each Add sums a slice of the bins anew from
    // the rows, so rounding never builds up over more than `depth` spectra.
    void ReplaceRow(const double* levelsDb);
    void RefreshSumSlice();

    int m_bins = 0;
    int m_kind = kNone;
    int m_depth = 1;
    int m_holdMode = kHoldOff;
    int m_writeRow = 0;
    // First bin of the next slice that RefreshSumSlice sums anew.
    int m_refreshBin = 0;
    std::vector<double> m_result;
    std::vector<double> m_hold;
    std::vector<std::vector<double>> m_history;
    std::vector<double> m_sum;
};

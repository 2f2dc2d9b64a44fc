#include "rangefftbase.h"

#include <algorithm>

#include "adf4350.h"
#include "iadf4350.h"
#include "icontrolbits.h"
#include "knownrangelayout.h"

namespace
{
// The control state's synthesizer id.
constexpr int kAdfInterface = 1;

// Spectra of this many points are laid out over the known ranges.
constexpr int kLayoutPoints = 32768;

IAdf4350* AdfOf(IControlBits* controlBits)
{
    void* adf = nullptr;
    if (controlBits == nullptr || !controlBits->GetInterface(kAdfInterface, &adf))
    {
        return nullptr;
    }
    return static_cast<IAdf4350*>(adf);
}
}  // namespace

CRangeFftBase::CRangeFftBase(IControlBits* controlBits) : CCommonFft(controlBits)
{
}

void CRangeFftBase::Calculate(const std::vector<double>& i, const std::vector<double>& q)
{
    if (!m_enabled)
    {
        return;
    }
    ApplyOwnPendingReset();
    RunRangeStage(m_engine, m_settings, m_pending, i, q);
}

int CRangeFftBase::GetGroupBlocks() const
{
    IAdf4350* adf = AdfOf(m_controlBits);
    return adf != nullptr ? adf->GetGroupBlocks() : 0;
}

void CRangeFftBase::RunRangeStage(CCfft& engine, const Settings& settings, int& pending,
                                  const std::vector<double>& i, const std::vector<double>& q)
{
    if (!m_enabled)
    {
        return;
    }
    ApplyPendingReset(engine, settings, pending);
    // A new scan range may have changed the block length of a long scan: the window follows it.
    if (auto* adf = dynamic_cast<CAdf4350*>(AdfOf(m_controlBits)); adf != nullptr && adf->IsFetchFlag())
    {
        engine.Reset(false);
    }

    std::vector<KNOWN_RANGE_ITEM> knownRanges;
    if (m_controlBits != nullptr && m_controlBits->GetKnownRangeCount() > 0)
    {
        knownRanges = m_controlBits->GetKnownRanges();
    }
    const bool layout = !knownRanges.empty() && engine.GetResultSize() == kLayoutPoints;
    const int stepLength = layout ? CKnownRangeLayout::BlockLength(knownRanges, engine.GetFftSize()) : 0;
    engine.SetKnownRangesMode(!knownRanges.empty());
    engine.SetKnownRangeBlockLength(stepLength);

    const int n = engine.GetFftSize();
    const int m = static_cast<int>(std::min(i.size(), q.size()));
    CCfft::Outcome outcome = CCfft::Outcome::kSkipped;
    if (m == n)
    {
        engine.SetHoldMode(0);
        outcome = engine.Transform(i, q);
    }
    else
    {
        outcome = TransformSweep(engine, i, q, m);
    }

    if (outcome == CCfft::Outcome::kKnownRanges)
    {
        const bool laidOut =
            layout &&
            CKnownRangeLayout::Build(knownRanges, stepLength, engine.GetResult(), engine.GetPublishedRow(),
                                     engine.GetFreqTable(), engine.GetIntTable(), &m_knownRangePositions);
        if (!laidOut)
        {
            // Ranges of no width (or too many steps for one capture) leave nothing to lay out: the
            // spectrum is published as it came, with no point frequencies.
            engine.GetPublishedRow() = engine.GetResult();
            engine.GetFreqTable().assign(static_cast<size_t>(engine.GetResultSize()), 0.0);
            engine.GetIntTable().assign(static_cast<size_t>(engine.GetResultSize()), 0);
            m_knownRangePositions.clear();
        }
    }
    engine.SetKnownRangesMode(false);
    engine.SetKnownRangeBlockLength(0);
}

CCfft::Outcome CRangeFftBase::TransformSweep(CCfft& engine, const std::vector<double>& i,
                                             const std::vector<double>& q, int m)
{
    const int n = engine.GetFftSize();
    // At least one piece, and never more than the transform has points.
    int log2Pieces = std::clamp(GetGroupBlocks(), 0, 30);
    while (log2Pieces > 0 && (n >> log2Pieces) == 0)
    {
        --log2Pieces;
    }
    const int pieces = 1 << log2Pieces;
    const int pieceLength = m / pieces;
    const int blockPoints = n / pieces;
    if (pieceLength <= 0)
    {
        return CCfft::Outcome::kSkipped;
    }
    m_blockI.resize(static_cast<size_t>(n));
    m_blockQ.resize(static_cast<size_t>(n));

    CCfft::Outcome outcome = CCfft::Outcome::kSkipped;
    for (int t = 0; t < pieceLength; t += blockPoints)
    {
        // Piece j gives its points t .. t + B - 1 to block positions j B ..; past the end of a piece
        // the block is zero.
        const int taken = std::min(blockPoints, pieceLength - t);
        for (int j = 0; j < pieces; ++j)
        {
            const size_t from = static_cast<size_t>(j) * pieceLength + t;
            const size_t to = static_cast<size_t>(j) * blockPoints;
            std::copy_n(i.begin() + from, taken, m_blockI.begin() + to);
            std::copy_n(q.begin() + from, taken, m_blockQ.begin() + to);
            std::fill_n(m_blockI.begin() + to + taken, blockPoints - taken, 0.0);
            std::fill_n(m_blockQ.begin() + to + taken, blockPoints - taken, 0.0);
        }
        const bool first = t == 0;
        const bool last = t + blockPoints >= pieceLength;
        // The hold restarts with the first block, takes the maximum of the following ones and stands for
        // the spectrum at the last; a single block is its own maximum.
        int holdMode = CSpectrumAverager::kHoldAccumulate;
        if (first && last)
        {
            holdMode = CSpectrumAverager::kHoldOff;
        }
        else if (first)
        {
            holdMode = CSpectrumAverager::kHoldRestart;
        }
        else if (last)
        {
            holdMode = CSpectrumAverager::kHoldUse;
        }
        engine.SetHoldMode(holdMode);
        outcome = engine.Transform(m_blockI, m_blockQ);
    }
    engine.SetHoldMode(CSpectrumAverager::kHoldOff);
    return outcome;
}

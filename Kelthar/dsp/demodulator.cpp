#include "demodulator.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kTwoPi = 6.283185307179586476925286766559;
}  // namespace

std::atomic<bool> CDemodulator::s_negateNext{false};

void CDemodulator::Reset()
{
    *this = CDemodulator();
}

double CDemodulator::Demodulate(int type, double i, double q)
{
    switch (type)
    {
        case kDirect:
            return i;
        case kAm:
            return Am(i, q);
        case kFm:
            return Fm(i, q);
        case kSumAlternating:
            return SumAlternating(i, q);
        case kDifference:
            return i - q;
        default:
            return 0.0;
    }
}

double CDemodulator::Am(double i, double q)
{
    const double magnitude = std::sqrt(i * i + q * q);
    m_amAverage += (magnitude - m_amAverage) / kAmAverageSamples;
    return magnitude - m_amAverage;
}

double CDemodulator::Fm(double i, double q)
{
    // Mix the sample down by the oscillator: sample x conj(phasor).
    m_oscillator[0] = std::cos(m_phase);
    m_oscillator[1] = std::sin(m_phase);
    m_mixed[0] = i * m_oscillator[0] + q * m_oscillator[1];
    m_mixed[1] = q * m_oscillator[0] - i * m_oscillator[1];
    if (m_mixed[0] == 0.0 && m_mixed[1] == 0.0)
        m_mixed[0] = 1e-12;

    const double error = std::atan2(m_mixed[1], m_mixed[0]);
    m_integrator = std::clamp(m_integrator + error * kIntegralGain, m_integratorMin, m_integratorMax);
    m_phase = std::fmod(m_phase + m_integrator + error * kProportionalGain, kTwoPi);
    if (m_phase < 0.0)
        m_phase += kTwoPi;

    m_fmAverage = 0.99 * m_fmAverage + 0.01 * m_integrator;
    return (m_integrator - m_fmAverage) * kOutputScale * kAudioGain;
}

double CDemodulator::SumAlternating(double i, double q)
{
    // The first sample keeps its sign, the second is negated, and so on.
    const bool negate = s_negateNext.load(std::memory_order_relaxed);
    s_negateNext.store(!negate, std::memory_order_relaxed);
    return negate ? -(i + q) : i + q;
}

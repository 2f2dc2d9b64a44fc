#pragma once

#include <atomic>
#include <cstdint>

// The demodulator of the DDC stream: one audio value per I/Q sample, by demodulation type. Values are
// raw 24-bit sample units. The core creates one on Connect (and on the first demo block), frees it on
// Disconnect, and feeds it on the device thread.
//
// FM is a phase-locked loop: the loop integrator settles on the tone's phase step per sample (radians),
// and the audio is that step, less a slow running average, scaled. So a tone above the DDC centre gives
// positive audio while its frequency rises, and negative while it falls.
class CDemodulator
{
public:
    enum Type
    {
        kDirect = 0,
        kAm = 1,
        kFm = 2,
        kSumAlternating = 3,
        kDifference = 4
    };

    // Loop constants of the FM demodulator.
    static constexpr double kProportionalGain = 0.9424777960769379;
    static constexpr double kIntegralGain = 0.22206609902451055;
    static constexpr double kIntegratorLimit = 1000.0;
    static constexpr double kOutputScale = 0.2864788975654116;
    static constexpr double kAudioGain = 10000.0;
    // The AM average follows the magnitude with this time constant, in samples.
    static constexpr double kAmAverageSamples = 65.0;

    CDemodulator() = default;

    // Back to the creation values.
    void Reset();

    // Audio value of one sample; 0 for an unknown type.
    double Demodulate(int type, double i, double q);

    double GetPhase() const { return m_phase; }
    double GetIntegrator() const { return m_integrator; }
    double GetFmAverage() const { return m_fmAverage; }
    double GetAmAverage() const { return m_amAverage; }

private:
    double Am(double i, double q);
    double Fm(double i, double q);
    double SumAlternating(double i, double q);

    // Oscillator phase in radians, kept in [0, 2 pi).
    double m_phase = 0.0;
    double m_integrator = 0.0;
    double m_integratorMin = -kIntegratorLimit;
    double m_integratorMax = kIntegratorLimit;
    // DC average of the FM output.
    double m_fmAverage = 0.0;
    double m_amAverage = 0.0;
    // The oscillator phasor and the mixed sample of the last FM step.
    double m_oscillator[2] = {0.0, 0.0};
    double m_mixed[2] = {0.0, 0.0};

    // Type 3 flips its sign on every second sample across the whole process, not per core.
    static std::atomic<bool> s_negateNext;
};

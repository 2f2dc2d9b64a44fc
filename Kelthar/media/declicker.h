#pragma once

#include <cstdint>
#include <vector>

#include "ideclicker.h"

// Cleans blocks of demodulated samples: clicks (short bursts far above the running mean power) are
// replaced by a straight line, then an optional denoise stage, then an optional 7-point median filter.
// Process runs the stages by their own switches; the enabled switch is for the caller to consult.
class CDeclicker : public IDeclicker
{
public:
    static constexpr int32_t kWindow = 2049;
    static constexpr int32_t kLongestClick = 20;
    static constexpr int32_t kThresholdFactor = 200;

    void Reset() override {}
    void SetEnabled(bool on) override { m_enabled = on; }
    void SetDeclick(bool on) override { m_declick = on; }
    void SetDenoise(bool on) override { m_denoise = on; }
    void SetMf(bool on) override { m_mf = on; }
    bool GetEnabled() override { return m_enabled; }
    bool GetDeclick() override { return m_declick; }
    bool GetDenoise() override { return m_denoise; }
    bool GetMf() override { return m_mf; }
    void Process(const std::vector<double>& in, std::vector<double>& out) override;

    // The averaging window in samples: 2049 until the first declicked block rounds it up to a power of
    // two.
    int32_t Window() const { return m_window; }

private:
    void Declick(std::vector<double>& samples);
    static void Median7(std::vector<double>& samples);

    bool m_enabled = false;
    bool m_declick = false;
    bool m_denoise = false;
    bool m_mf = false;
    int32_t m_window = kWindow;
    int32_t m_longestClick = kLongestClick;
    int32_t m_thresholdFactor = kThresholdFactor;
};

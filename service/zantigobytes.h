#pragma once

// Offsets in the generator's parameter block, shared by the window's files. Rows indexed by band or
// selection are addressed on the byte image (see generatorparams.h for the overlaps they rely on).

#include <cstddef>

#include "generatorparams.h"

namespace ZantigoBytes
{
constexpr int kLeadByte = offsetof(GENERATOR_PARAMS, leadByte);
constexpr int kPulseFirstByte = offsetof(GENERATOR_PARAMS, timeOnSeconds);
constexpr int kTimeOnSecondsByte = offsetof(GENERATOR_PARAMS, timeOnSeconds);
constexpr int kTimeOnHundredthsByte = offsetof(GENERATOR_PARAMS, timeOnHundredths);
constexpr int kTimeOnTenThousandthsByte = offsetof(GENERATOR_PARAMS, timeOnTenThousandths);
constexpr int kTimeOffMinutesByte = offsetof(GENERATOR_PARAMS, timeOffMinutes);
constexpr int kTimeOffSecondsByte = offsetof(GENERATOR_PARAMS, timeOffSeconds);
constexpr int kTimeOffHundredthsByte = offsetof(GENERATOR_PARAMS, timeOffHundredths);
constexpr int kTimeOffTenThousandthsByte = offsetof(GENERATOR_PARAMS, timeOffTenThousandths);
constexpr int kHeaderEnd = offsetof(GENERATOR_PARAMS, carrierFreq);
constexpr int kCarrierByte = offsetof(GENERATOR_PARAMS, carrierFreq);
constexpr int kModulationByte = offsetof(GENERATOR_PARAMS, modulationIndex);
constexpr int kModulationRow = 19;
constexpr int kDeviationByte = offsetof(GENERATOR_PARAMS, deviationIndex);
constexpr int kFreqBandByte = offsetof(GENERATOR_PARAMS, freqBandIndex);
constexpr int kChannelsByte = offsetof(GENERATOR_PARAMS, channelCountIndex);
constexpr int kPointsByte = offsetof(GENERATOR_PARAMS, pointsIndex);
constexpr int kCarrierTypeByte = offsetof(GENERATOR_PARAMS, carrierType);
constexpr int kRatioByte = offsetof(GENERATOR_PARAMS, ratioIndex);
constexpr int kOctaveByte = offsetof(GENERATOR_PARAMS, octaveIndex);
constexpr int kThirdOctaveByte = offsetof(GENERATOR_PARAMS, thirdOctaveIndex);
constexpr int kBandByte = offsetof(GENERATOR_PARAMS, band);
constexpr int kSelectionByte = offsetof(GENERATOR_PARAMS, selection);
constexpr int kPowerSentByte = offsetof(GENERATOR_PARAMS, powerLevel);
constexpr int kRfStepByte = offsetof(GENERATOR_PARAMS, rfPowerStep);
constexpr int kLfStepByte = offsetof(GENERATOR_PARAMS, lfPowerStep);
constexpr int kSmsDurationByte = offsetof(GENERATOR_PARAMS, smsDurationIndex);
constexpr int kSmsCounterByte = offsetof(GENERATOR_PARAMS, smsCounter);
constexpr int kIqByte = offsetof(GENERATOR_PARAMS, iqFlag);
constexpr int kInvertIqByte = offsetof(GENERATOR_PARAMS, swapIqFlag);
constexpr int kBwMaxByte = offsetof(GENERATOR_PARAMS, fixedRateFlag);
constexpr int kRateByte = offsetof(GENERATOR_PARAMS, sampleRateHz);

// Bands with controls of their own.
constexpr int kStandardBand = 1;
constexpr int kOctaveBand = 2;
constexpr int kShfBand = 6;
}  // namespace ZantigoBytes

#pragma once

#include <cstddef>
#include <cstdint>

// The signal generator's 224-byte parameter block. The generator window builds it, stores it (settings
// and signal lists carry it as 224 numbers) and hands it to IKelthar::SendGeneratorParams as raw bytes;
// the core keeps a copy and derives the transmitted waveform from it. Multi-byte fields are
// little-endian in the byte image, so code that moves the block between bytes and this record does so
// field by field.
//
// Bands are 0..6 and a mode selection ("sel") is 0..19. Two per-selection rows are 19 bytes wide while
// sel runs to 19, so the last selection of a row shares its byte with the next field: modulationIndex of
// (band b, sel 19) is (band b + 1, sel 0), band 6 sel 19 is deviationIndex, and pointsIndex of sel 19 is
// carrierType. The window and the core both rely on these overlaps, so code that indexes by selection
// works on the byte image (offset 40 + 19 x band + sel, offset 176 + sel), not on the arrays below.
struct GENERATOR_PARAMS
{
    uint8_t leadByte = 0;  // 0: always 1 from the window
    uint8_t reserved1[3] = {};
    // Pulse timing. The core takes (hundredths x 100 + ten-thousandths) x 100, the time in microseconds,
    // as the tone and pause lengths of the burst waveforms; the window forces seconds and minutes to 0.
    uint8_t timeOnSeconds = 0;          // 4
    uint8_t timeOnHundredths = 0;       // 5
    uint8_t timeOnTenThousandths = 0;   // 6
    uint8_t timeOffMinutes = 0;         // 7
    uint8_t timeOffSeconds = 0;         // 8
    uint8_t timeOffHundredths = 0;      // 9
    uint8_t timeOffTenThousandths = 0;  // 10
    uint8_t reserved2 = 0;              // 11
    // Carrier frequency per band: kHz for bands 0 and 1 (the transmit LO is this x 1000 Hz), Hz for the
    // others.
    uint32_t carrierFreq[7] = {};  // 12
    // Modulation-frequency index, 19 x band + sel; the core reads it as the waveform's sub-setting.
    uint8_t modulationIndex[133] = {};  // 40
    uint8_t deviationIndex = 0;         // 173: the core's length exponent of the sweeping tones
    uint8_t freqBandIndex = 0;          // 174: "20 MHz" 0, "60 MHz" 1; the core's variant of hopping
    uint8_t channelCountIndex = 0;      // 175
    uint8_t pointsIndex[19] = {};       // 176 + sel: the core's alphabet exponent of symbol waveforms
    uint8_t carrierType = 0;            // 195: 0 carrier, 1 octave, 2 third-octave frequency
    uint8_t ratioIndex = 0;             // 196
    uint8_t octaveIndex = 0;            // 197
    uint8_t thirdOctaveIndex = 0;       // 198
    uint8_t band = 0;                   // 199: current band, 0..6
    uint8_t selection[7] = {};          // 200 + band: waveform type 0..19 last chosen in that band
    // Output level actually sent: 0 off, 1..6 digital amplitude steps, above 6 transmitter gain steps of
    // 6 dB. Equals rfPowerStep while the window's power is on.
    uint8_t powerLevel = 0;        // 207
    uint8_t rfPowerStep = 0;       // 208: 1..20, step s is 6 x s - 114 dBm
    uint8_t lfPowerStep = 0;       // 209
    uint8_t smsDurationIndex = 0;  // 210
    uint8_t smsCounter = 0;        // 211
    uint8_t iqFlag = 0;            // 212: clear sends the I value on both channels
    uint8_t swapIqFlag = 0;        // 213: with iqFlag, I goes to the second channel
    uint8_t fixedRateFlag = 0;     // 214: transmit at 60,000,000 Hz
    uint8_t reserved3 = 0;         // 215
    uint32_t sampleRateHz = 0;     // 216: transmit sampling rate; the core replaces it in its copy
    uint16_t amplitudeCode = 0;    // 220: written by the core from the level; 0 parks the LO
    uint8_t reserved4[2] = {};     // 222
};
static_assert(sizeof(GENERATOR_PARAMS) == 224, "the generator block is 224 bytes");
static_assert(offsetof(GENERATOR_PARAMS, carrierFreq) == 12, "carrier frequencies start at byte 12");
static_assert(offsetof(GENERATOR_PARAMS, modulationIndex) == 40, "modulation rows start at byte 40");
static_assert(offsetof(GENERATOR_PARAMS, deviationIndex) == 173, "deviation index is byte 173");
static_assert(offsetof(GENERATOR_PARAMS, pointsIndex) == 176, "points indexes start at byte 176");
static_assert(offsetof(GENERATOR_PARAMS, carrierType) == 195, "carrier type is byte 195");
static_assert(offsetof(GENERATOR_PARAMS, band) == 199, "band is byte 199");
static_assert(offsetof(GENERATOR_PARAMS, selection) == 200, "selections start at byte 200");
static_assert(offsetof(GENERATOR_PARAMS, powerLevel) == 207, "output level is byte 207");
static_assert(offsetof(GENERATOR_PARAMS, iqFlag) == 212, "IQ flag is byte 212");
static_assert(offsetof(GENERATOR_PARAMS, sampleRateHz) == 216, "sample rate is bytes 216..219");
static_assert(offsetof(GENERATOR_PARAMS, amplitudeCode) == 220, "amplitude code is bytes 220..221");

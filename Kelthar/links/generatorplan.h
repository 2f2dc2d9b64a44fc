#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What one generator block asks of the transmitter: the waveform and its constants, the buffer size and
// the stream settings, all read from the 224-byte block image and checked before anything is sent.
struct WAVEFORM_PARAMS
{
    int preset = 0;
    // 0 to 19.
    int type = 0;
    // The preset's sub-setting of this type (the modulation-frequency index of the window).
    int subSetting = 0;
    // Samples of the cyclic transmit buffer: one period of the whole waveform.
    size_t bufferSamples = 0;
    // Tone period in samples (L), where the type has one.
    int64_t length = 0;
    // Samples between changes, or the tone part of a burst (P).
    int64_t parameter = 0;
    // Two more constants of the type: the alternating periods of type 3, the exponent range of the
    // hopping types, the symbol length R and the alphabet size M of the symbol types.
    int64_t further1 = 0;
    int64_t further2 = 0;
    // The sweeping tone's starting exponent (type 2).
    int startExponent = 0;
    // The transmit sampling rate the type sets in the block, or 0 when it keeps the block's.
    uint32_t typeRateHz = 0;
    // The preset's output frequency in kHz.
    uint32_t outputFreqKHz = 0;
    bool quadrature = false;
    bool swap = false;
    bool fixedRate = false;
};

// Reads a generator block. Every field the transmitter uses is checked: the preset index, the waveform
// type, its sub-setting, the exponents that go into shifts and the type-4 variant, and the buffer size
// is bounded, so that a block from a damaged signal list is refused instead of indexing past the block
// or allocating gigabytes.
class CGeneratorPlan
{
public:
    static constexpr size_t kBlockBytes = 224;
    static constexpr int kPresets = 7;
    static constexpr int kTypes = 20;
    // Byte offsets in the block image.
    static constexpr size_t kSwapAt = 213;
    static constexpr size_t kRateAt = 216;
    static constexpr size_t kAmplitudeAt = 220;
    static constexpr size_t kLevelAt = 207;
    static constexpr size_t kPresetAt = 199;
    static constexpr size_t kTypeAt = 200;
    // The longest burst the window can describe (99.99 ms on plus 99.99 ms off) needs about 123 million
    // samples; no block may ask for more than this.
    static constexpr size_t kMaxBufferSamples = size_t{1} << 27;
    // The largest alphabet exponent taken by the symbol types (M up to 65536).
    static constexpr int kMaxAlphabetExponent = 15;

    // The transmitter's gain and the samples' amplitude code for an output level index.
    struct Level
    {
        int64_t gainDb = -89;
        uint16_t amplitude = 0;
        bool powerDown = true;
    };
    static Level LevelFor(int levelIndex);

    // Fills params from a block of kBlockBytes; false, with the reason, when a field is out of range.
    static bool Read(const uint8_t* block, WAVEFORM_PARAMS& params, std::string* reason);
};

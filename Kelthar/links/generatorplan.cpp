#include "generatorplan.h"

namespace
{
constexpr size_t kMegaSamples = 1048576;
constexpr size_t kTwoMegaSamples = 2097152;
// A burst's lengths in microseconds become samples at this many microseconds a sample.
constexpr double kMicrosecondsPerSample = 0.0163;

uint32_t U32At(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

bool Refuse(std::string* reason, const std::string& text)
{
    if (reason)
        *reason = text;
    return false;
}

// Sampling rates of 1, 2, 4, 8, 16 or 32 MHz by sub-setting.
uint32_t SymbolRateHz(int subSetting)
{
    return 1000000u << subSetting;
}
}  // namespace

CGeneratorPlan::Level CGeneratorPlan::LevelFor(int levelIndex)
{
    Level level;
    level.powerDown = false;
    if (levelIndex > 6)
    {
        // 6 dB steps up from the transmitter's lowest gain, truncated towards zero.
        level.gainDb = static_cast<int64_t>((levelIndex - 6) * 6 - 89.75);
        level.amplitude = 2047;
    }
    else if (levelIndex >= 1)
    {
        level.gainDb = -89;
        level.amplitude = static_cast<uint16_t>((2048 >> (6 - levelIndex)) - 1);
    }
    else
    {
        level.gainDb = -89;
        level.amplitude = 0;
        level.powerDown = true;
    }
    if (level.gainDb > 0)
        level.gainDb = 0;
    return level;
}

bool CGeneratorPlan::Read(const uint8_t* block, WAVEFORM_PARAMS& params, std::string* reason)
{
    if (block == nullptr)
        return Refuse(reason, "no block");
    WAVEFORM_PARAMS p;
    p.preset = block[kPresetAt];
    if (p.preset >= kPresets)
        return Refuse(reason, "preset index " + std::to_string(p.preset));
    p.type = block[kTypeAt + p.preset];
    if (p.type >= kTypes)
        return Refuse(reason, "waveform type " + std::to_string(p.type));
    p.subSetting = block[40 + 19 * p.preset + p.type];
    p.outputFreqKHz = U32At(block + 12 + 4 * p.preset);
    p.quadrature = block[212] != 0;
    p.swap = block[kSwapAt] != 0;
    p.fixedRate = block[214] != 0;
    p.bufferSamples = kMegaSamples;

    const int s = p.subSetting;
    const int lengthExponent = block[173];
    auto subSettingBelow = [&](int count) { return s < count; };
    auto badSubSetting = [&] { return Refuse(reason, "sub-setting " + std::to_string(s)); };
    auto alphabet = [&](size_t at, int64_t& m)
    {
        if (block[at] > kMaxAlphabetExponent)
            return false;
        m = int64_t{2} << block[at];
        return true;
    };

    switch (p.type)
    {
        case 0:
            p.length = kMegaSamples;
            p.typeRateHz = 200000;
            break;
        case 1:
        case 2:
        {
            static constexpr int64_t kSteps[] = {2048, 512, 128};
            if (!subSettingBelow(3))
                return badSubSetting();
            p.parameter = kSteps[s];
            p.length = 2048;
            if (p.type == 2)
            {
                if (lengthExponent > 10)
                    return Refuse(reason, "length exponent " + std::to_string(lengthExponent));
                p.startExponent = 10 - lengthExponent;
                p.length = int64_t{1} << p.startExponent;
                p.typeRateHz = 200000;
            }
            break;
        }
        case 3:
            if (lengthExponent > 4)
                return Refuse(reason, "length exponent " + std::to_string(lengthExponent));
            p.length = 1024;
            p.parameter = 65536;
            p.further1 = int64_t{16} << (4 - lengthExponent);
            p.further2 = 1024;
            break;
        case 4:
        {
            static constexpr int64_t kHops[] = {122700, 61350, 18405, 6135};
            const int variant = block[174];
            if (variant > 1)
                return Refuse(reason, "hopping variant " + std::to_string(variant));
            if (!subSettingBelow(4))
                return badSubSetting();
            p.bufferSamples = kTwoMegaSamples;
            p.length = variant == 0 ? 10 : 8;
            p.parameter = kHops[s];
            p.further1 = variant == 0 ? 3 : 1;
            p.further2 = p.length;
            p.typeRateHz = variant == 0 ? 13300000 : 40000000;
            break;
        }
        case 5:
        case 6:
        {
            const int64_t onUs = (block[5] * 100 + block[6]) * 100;
            const int64_t offUs = (block[9] * 100 + block[10]) * 100;
            p.bufferSamples = static_cast<size_t>((onUs + offUs) / kMicrosecondsPerSample);
            if (p.bufferSamples == 0)
                return Refuse(reason, "empty burst");
            p.length = 1024;
            p.parameter = static_cast<int64_t>(onUs / kMicrosecondsPerSample);
            if (p.type == 5)
            {
                if (!subSettingBelow(6))
                    return badSubSetting();
                p.typeRateHz = SymbolRateHz(s);
            }
            break;
        }
        case 8:
        case 9:
            p.bufferSamples = 282822;
            p.length = 1024;
            p.parameter = 34355;
            break;
        case 13:
            p.bufferSamples = 613496;
            p.length = 1024;
            p.parameter = 23312;
            break;
        case 16:
            p.bufferSamples = kTwoMegaSamples;
            p.length = 8;
            p.parameter = 38343;
            p.further1 = 1;
            p.further2 = 8;
            break;
        case 17:
        case 18:
        case 19:
            if (!subSettingBelow(6))
                return badSubSetting();
            p.further1 = int64_t{p.type == 18 ? 1 : 4} << (5 - s);
            if (p.type == 19)
            {
                // Its alphabet is carried in the block but the multi-carrier symbol does not use it.
                break;
            }
            if (!alphabet(176 + p.type, p.further2))
                return Refuse(reason, "alphabet exponent " + std::to_string(block[176 + p.type]));
            p.typeRateHz = SymbolRateHz(s);
            break;
        default:
            // 7 (silence) and the noise types.
            break;
    }
    if (p.bufferSamples > kMaxBufferSamples)
        return Refuse(reason, "buffer of " + std::to_string(p.bufferSamples) + " samples");
    params = p;
    return true;
}

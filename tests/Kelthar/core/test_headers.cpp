#include <gtest/gtest.h>

#include <type_traits>

#include "kelthar.h"

// The program deletes what the library hands out through interface pointers, and the library's objects
// are reached only through these abstract classes: a missing virtual destructor or a concrete
// interface is a fault that compiles silently.
namespace
{
template <typename... T>
struct TypeList
{
    static constexpr int kSize = sizeof...(T);
};

using Interfaces = TypeList<IFPGAInterface, IKelthar, IControlBits, IChannel, IAdf4350, IMultiAdf4350,
                            ISkyControl, IDlaControl, IAcousticControl, ICommonFft, ICalcFft, ICalcMultiFft,
                            IAnalysis, IKnownFreqDetect, IGsmAnalysis, IMonitoring, IPulseDetect,
                            INoiseQuality, ISignalsArchive, ITemplates, ISignalRecorder, ISoundEngine,
                            IDeclicker, IDdcWavWriter, IVideoEngine, IScaner, IDemoSignal, IGarmConv>;

template <typename... T>
constexpr bool AllHaveVirtualDestructors(TypeList<T...>*)
{
    return (std::has_virtual_destructor_v<T> && ...);
}

template <typename... T>
constexpr int CountAbstract(TypeList<T...>*)
{
    return (int(std::is_abstract_v<T>) + ...);
}
}  // namespace

TEST(PublicHeaders, EveryInterfaceIsAbstractAndDeletableThroughItself)
{
    static_assert(AllHaveVirtualDestructors(static_cast<Interfaces*>(nullptr)));
    // IFPGAInterface alone is concrete: its GetInterface has a body that refuses every id.
    EXPECT_EQ(CountAbstract(static_cast<Interfaces*>(nullptr)), Interfaces::kSize - 1);

    IFPGAInterface plain;
    int sentinel = 0;
    void* out = &sentinel;
    EXPECT_FALSE(plain.GetInterface(0, &out));
    EXPECT_EQ(out, &sentinel);
}

TEST(PublicHeaders, FixedSizeBlocksHaveTheirWireSizes)
{
    EXPECT_EQ(sizeof(GENERATOR_PARAMS), 224u);
    EXPECT_EQ(sizeof(KELTHAR_COUNTERS), 20u);
    EXPECT_EQ(sizeof(KELTHAR_COUNTERS2), 30u);
    // A known-frequency range is a band-plan row with more fields after it.
    EXPECT_TRUE((std::is_base_of_v<FREQ_BAND_ITEM, KNOWN_FREQ_RANGE>));
}

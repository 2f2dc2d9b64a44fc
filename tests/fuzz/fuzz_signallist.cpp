// Hands arbitrary bytes to the generator's signal-list reader and its block validator and checks what
// they promise: no crash; a refused file yields no signal at all; every accepted block has a band 0..6,
// selections 0..19 and carrier-type and octave indexes inside their tables, so the window can index
// with them; and what was accepted is written and read back to the same list, the second writing
// byte-identical to the first.

#include <QByteArray>
#include <QVector>

#include <cstdint>
#include <cstdlib>

#include "generatorsignallist.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

using List = CGeneratorSignalList;

// The ranges restated from the block layout rather than taken from the validator under test.
void CheckBlock(const List::Block& block)
{
    Check(block[199] <= 6);
    for (int band = 0; band < 7; ++band)
        Check(block[static_cast<size_t>(200 + band)] <= 19);
    Check(block[195] <= 2);
    Check(block[197] <= 12);
    Check(block[198] <= 35);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));

    // The validator on the input taken as a raw block.
    if (size >= static_cast<size_t>(List::kBlockSize))
    {
        List::Block raw{};
        std::copy(data, data + List::kBlockSize, raw.begin());
        if (List::IsValidBlock(raw.data()))
            CheckBlock(raw);
    }

    QVector<List::Signal> signalList;
    signalList.append(List::Signal{});
    const List::Error error = List::Read(input, &signalList);
    if (error != List::Error::None)
    {
        Check(signalList.isEmpty());
        return 0;
    }
    for (const List::Signal& signal : signalList)
        CheckBlock(signal.block);

    const QByteArray written = List::Write(signalList);
    QVector<List::Signal> reread;
    Check(List::Read(written, &reread) == List::Error::None);
    Check(reread == signalList);
    Check(List::Write(reread) == written);
    return 0;
}

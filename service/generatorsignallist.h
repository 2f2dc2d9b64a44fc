#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

#include "zantigobytes.h"

// The generator's named signals as they travel outside the program: signal-list files and the 224
// numbers of a stored block. Pure data (no widgets), so the reader can be fuzzed on its own.
//
// A signal-list file is XML in UTF-8 without a declaration:
//
//   <Zantigo_Signal_List>
//    <Item title="Car Remote 433MHz" data="1,0,0,0,0,0,10,..."/>
//   </Zantigo_Signal_List>
//
// "data" holds the 224 block bytes in decimal, byte 0 first, joined by "," without spaces.
//
// Every block that comes from outside (a list item, a stored slot) passes IsValidBlock before the
// window uses it: the band, the per-band selections and the carrier-type and octave indexes address
// the block's rows and the window's tables, so a value out of range would read or write past them.
class CGeneratorSignalList
{
public:
    static constexpr int kBlockSize = static_cast<int>(sizeof(GENERATOR_PARAMS));
    static constexpr int kBandCount = 7;
    static constexpr int kSelectionCount = 20;
    static constexpr int kCarrierTypeCount = 3;
    static constexpr int kOctaveCount = 13;
    static constexpr int kThirdOctaveCount = 36;

    // A list file above this size is not read: it bounds what a hostile file can make the reader hold.
    // A list the program writes takes at most about 900 bytes per signal plus its title, so this leaves
    // room for tens of thousands of signals. The number of signals needs no cap of its own: each one
    // takes at least 450 bytes of the file.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    static constexpr const char* kRootName = "Zantigo_Signal_List";
    static constexpr const char* kItemName = "Item";

    using Block = std::array<uint8_t, kBlockSize>;

    struct Signal
    {
        QString title;
        Block block{};

        bool operator==(const Signal& other) const { return title == other.title && block == other.block; }
    };

    enum class Error
    {
        None,
        File,     // the file cannot be opened or read, or is above kMaxFileSize
        Content,  // not XML, or its first node is not the element Zantigo_Signal_List
        Data      // an item whose data is not 224 numbers, or whose block fails IsValidBlock
    };

    // Band 0..6, each band's selection 0..19, carrier type 0..2, octave 0..12, third-octave 0..35. The
    // other list indexes are not checked: the window shows an index past its list's end as item 0.
    static bool IsValidBlock(const uint8_t* block);

    // One stored number as a block byte: decimal, 0 when it is not a number, its low 8 bits kept.
    static uint8_t ByteOf(const QString& number);

    // The whole list from the bytes of a file, or an error and an empty list. An error anywhere
    // refuses all of it: callers replace what they hold only on success.
    static Error Read(const QByteArray& bytes, QVector<Signal>* signalList);
    // Read on the file at `path`.
    static Error ReadFile(const QString& path, QVector<Signal>* signalList);

    // The file's bytes for `signalList`; an empty list gives the bare root element.
    static QByteArray Write(const QVector<Signal>& signalList);

    // The "data" text of a block and back; false when `data` does not split into exactly 224 parts.
    static QString DataText(const Block& block);
    static bool ParseData(const QString& data, Block* block);
};

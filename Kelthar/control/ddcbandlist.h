#pragma once

#include <vector>

#include "icontrolbits.h"

// One list of DDC bandwidths, in the order the operator sees them (widest first in the defaults), with
// the editing operations the options window uses. The control-bits object keeps three.
class CDdcBandList
{
public:
    // The list of the radio, wired and optical channels: "60 MHz" down to "15 KHz", all bypassing the
    // FIR stage, followed by one empty entry.
    static CDdcBandList MakeWideList();
    // The list of the wired-line and acoustic channels, "20 KHz" down to "1 KHz", on the built-in FIR.
    static CDdcBandList MakeLineList();
    // A further list, "210 KHz" down to "5 KHz", that no channel selects.
    static CDdcBandList MakeSpareList();

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    bool Contains(int index) const { return index >= 0 && index < Count(); }

    // False for an index outside the list; otherwise every field of that entry is replaced.
    bool Set(int index, const DDC_BAND_ITEM& item);
    // False for a negative index; an index beyond the end appends.
    bool Insert(int index, const DDC_BAND_ITEM& item);
    // False for an index outside the list; later entries move down.
    bool Remove(int index);
    // Throws std::out_of_range "Bandwidth" for an index outside the list.
    const DDC_BAND_ITEM& Get(int index) const;
    // The entry, or null for an index outside the list.
    DDC_BAND_ITEM* Find(int index);
    const DDC_BAND_ITEM* Find(int index) const;

    // Decimation of an entry: its coefficient, doubled when the FIR stage (which halves the rate once
    // more) is in use.
    static int Decimation(const DDC_BAND_ITEM& item);
    // The divisor a rate computation uses: the decimation, with anything below 1 taken as 1 so that an
    // empty entry (coefficient 0) never divides by zero.
    static int RateDivisor(int decimation) { return decimation < 1 ? 1 : decimation; }

private:
    std::vector<DDC_BAND_ITEM> m_items;
};

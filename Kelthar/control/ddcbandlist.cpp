#include "ddcbandlist.h"

#include <algorithm>
#include <stdexcept>

namespace
{
struct BandRow
{
    const wchar_t* name;
    uint16_t deciCoeff;
    uint8_t outputScaling;
    uint16_t tapCount;
    int32_t bypassFir;
};

DDC_BAND_ITEM BuiltInFirBand(const BandRow& row)
{
    DDC_BAND_ITEM item;
    item.Name = row.name;
    item.DeciCoeff = row.deciCoeff;
    item.OutputScaling = row.outputScaling;
    item.TapCount = row.tapCount;
    item.CorrectAmpl = 1.0;
    item.BypassFir = row.bypassFir;
    item.DefaultFir = 1;
    return item;
}
}  // namespace

CDdcBandList CDdcBandList::MakeWideList()
{
    static const struct
    {
        const wchar_t* name;
        uint16_t deciCoeff;
    } kRows[] = {
        {L"60 MHz", 1},    {L"30 MHz", 2},    {L"15 MHz", 4},    {L"7.5 MHz", 8},   {L"3.75 MHz", 16},
        {L"1.9 MHz", 32},  {L"950 KHz", 65},  {L"470 KHz", 130}, {L"230 KHz", 260}, {L"120 KHz", 521},
        {L"60 KHz", 1033}, {L"30 KHz", 2103}, {L"15 KHz", 4066},
    };
    CDdcBandList list;
    for (const auto& row : kRows)
    {
        DDC_BAND_ITEM item;
        item.Name = row.name;
        item.DeciCoeff = row.deciCoeff;
        item.CorrectAmpl = 1.0;
        item.BypassFir = 1;
        list.m_items.push_back(item);
    }
    // The options window and the stored settings count fourteen entries; the last is left empty.
    list.m_items.emplace_back();
    return list;
}

CDdcBandList CDdcBandList::MakeLineList()
{
    static const BandRow kRows[] = {
        {L"20 KHz", 12, 50, 256, 1}, {L"8 KHz", 32, 61, 256, 1}, {L"4 KHz", 64, 69, 256, 1},
        {L"2 KHz", 64, 69, 32, 0},   {L"1 KHz", 128, 77, 64, 0},
    };
    CDdcBandList list;
    for (const auto& row : kRows)
        list.m_items.push_back(BuiltInFirBand(row));
    return list;
}

CDdcBandList CDdcBandList::MakeSpareList()
{
    static const BandRow kRows[] = {
        {L"210 KHz", 12, 50, 256, 1}, {L"80 KHz", 32, 61, 256, 1}, {L"20 KHz", 64, 69, 32, 0},
        {L"10 KHz", 128, 77, 64, 0},  {L"5 KHz", 256, 85, 128, 0},
    };
    CDdcBandList list;
    for (const auto& row : kRows)
        list.m_items.push_back(BuiltInFirBand(row));
    return list;
}

bool CDdcBandList::Set(int index, const DDC_BAND_ITEM& item)
{
    if (!Contains(index))
        return false;
    m_items[index] = item;
    return true;
}

bool CDdcBandList::Insert(int index, const DDC_BAND_ITEM& item)
{
    if (index < 0)
        return false;
    // A copy first: the item may be an entry of this very list, which the insertion moves.
    DDC_BAND_ITEM copy = item;
    m_items.insert(m_items.begin() + std::min(index, Count()), std::move(copy));
    return true;
}

bool CDdcBandList::Remove(int index)
{
    if (!Contains(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

const DDC_BAND_ITEM& CDdcBandList::Get(int index) const
{
    if (!Contains(index))
        throw std::out_of_range("Bandwidth");
    return m_items[index];
}

DDC_BAND_ITEM* CDdcBandList::Find(int index)
{
    return Contains(index) ? &m_items[index] : nullptr;
}

const DDC_BAND_ITEM* CDdcBandList::Find(int index) const
{
    return Contains(index) ? &m_items[index] : nullptr;
}

int CDdcBandList::Decimation(const DDC_BAND_ITEM& item)
{
    return item.BypassFir != 0 ? item.DeciCoeff : item.DeciCoeff * 2;
}

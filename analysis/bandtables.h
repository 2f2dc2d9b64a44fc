#pragma once

#include <array>
#include <cstdint>

#include "freqbanditem.h"

// The band plans the known-frequency windows offer as default ranges. Built before main and never
// changed afterwards; every user walks a table from row 0 to its last row.
//
// Table A: the numbered mobile bands (uplink "mobile" and downlink "base" halves), the TDD bands, DECT
// and the ISM bands, each row tagged with its world regions (bit n = region n). The library's analysis
// keeps the same 42 rows.
extern const std::array<FREQ_BAND_ITEM, 42> BandTableA;
// Table B: the defaults of the regional window's first region; no region bits.
extern const std::array<FREQ_BAND_ITEM, 15> BandTableB;
// Table C: the defaults of the regional window's second region; no region bits.
extern const std::array<FREQ_BAND_ITEM, 13> BandTableC;

// The first row of table A in `region` (0 to 4) whose edges, taken in single precision, hold `mhz`
// with both edges inclusive; -1 when none does.
int FindBandTableARow(float mhz, int region);

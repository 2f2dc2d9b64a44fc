#pragma once

#include <vector>

#include "freqbanditem.h"

// The library's own band plan: 42 rows, in a fixed order that the analysis searches front to back.
const std::vector<FREQ_BAND_ITEM>& LibraryBandTable();

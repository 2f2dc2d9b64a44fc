#pragma once

#include <mutex>

#include "platformexport.h"

namespace kplatform
{
// The one lock around the sound output, shared by every core and the program. Recursive because the
// sound path re-enters it from its own calls, as the system mutex it replaces allowed.
KPLATFORM_API std::recursive_mutex& SoundOutputLock();
}  // namespace kplatform

#include "soundlock.h"

namespace kplatform
{
std::recursive_mutex& SoundOutputLock()
{
    // Never destroyed: the audio thread may still take the lock while static objects die at exit.
    static std::recursive_mutex* const lock = new std::recursive_mutex;
    return *lock;
}
}  // namespace kplatform

#include "silentfrontend.h"

#include "frontendlink.h"

int CSilentFrontEnd::Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel,
                         int attenuatorCode, bool force)
{
    (void)filterCode;
    (void)amplifierCode;
    (void)antennaInput;
    (void)attenuatorLevel;
    (void)attenuatorCode;
    (void)force;
    return Result();
}

int CSilentFrontEnd::LoadSynthesizer(int index)
{
    (void)index;
    return Result();
}

int CSilentFrontEnd::Switch(int commutator)
{
    (void)commutator;
    return Result();
}

int CSilentFrontEnd::Result()
{
    return CFrontEndLink::Instance().GetStatus() != CFrontEndLink::kOperational ? kRefused : kNoReply;
}

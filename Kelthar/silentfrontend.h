#pragma once

#include "frontendcommands.h"

// The front-end commands of a core whose unit cannot be commanded: nothing is sent, so a command is
// never acknowledged. While the front-end status is not 0 each command is refused (kRefused); otherwise
// it reports kNoReply, because nothing reached the unit and nothing came back. It shows no message and
// leaves the status alone: judging the unit lost is for an implementation that has talked to it.
class CSilentFrontEnd : public IFrontEndCommands
{
public:
    int Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel, int attenuatorCode,
            bool force) override;
    int LoadSynthesizer(int index) override;
    int Switch(int commutator) override;

private:
    static int Result();
};

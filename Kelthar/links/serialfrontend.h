#pragma once

#include <string>

#include "frontendcommands.h"
#include "frontendlatch.h"

class CFrontEndLink;

// The front-end commands as text lines typed into the unit's interpreter over the process-wide serial
// port: "Set([filter,switches,level])" answered by 529, "SetLMX(buf0)" or "SetLMX2(bufN)" answered by
// 831, and the input switches, whose echo alone has a known length. A reply without its marker means
// the unit is gone: the operator is told to restart, and the front-end status refuses every later
// command of the process.
class CSerialFrontEnd : public IFrontEndCommands
{
public:
    // The latch is the owning core's record of what it sent last; both must outlive this object.
    CSerialFrontEnd(CFrontEndLink& link, FRONTEND_LATCH& latch) : m_link(link), m_latch(latch) {}

    int Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel, int attenuatorCode,
            bool force) override;
    int LoadSynthesizer(int index) override;
    int Switch(int commutator) override;

private:
    // Drains the port, writes the line and returns what came back within the time-out.
    std::string Exchange(const std::string& line, int maxReplyBytes);
    // Shows the lost-unit message and refuses every later command.
    int Lost();

    CFrontEndLink& m_link;
    FRONTEND_LATCH& m_latch;
};

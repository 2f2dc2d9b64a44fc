#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "frontendcommands.h"

// Front-end commands that reach no unit: each call the core makes is written down as one line of text,
// "Set(filter,amplifier,antenna,level,attenuator)" (with ",force" when forced), "sw(commutator)" or
// "LMX(index)", and answered with a chosen result. While the front-end status is not 0 the call is
// refused and nothing is written down, as with the real unit. For tests and benchmarks.
class CRecordingFrontEnd : public IFrontEndCommands
{
public:
    using Sink = std::function<void(const std::string&)>;

    // Lines also go to the sink, when there is one, so a test can interleave them with other records.
    explicit CRecordingFrontEnd(Sink sink = nullptr) : m_sink(std::move(sink)) {}

    int Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel, int attenuatorCode,
            bool force) override;
    int LoadSynthesizer(int index) override;
    int Switch(int commutator) override;

    // What every accepted call returns (kAccepted unless set).
    void SetResult(int result) { m_result = result; }
    const std::vector<std::string>& Commands() const { return m_commands; }
    void Clear() { m_commands.clear(); }

private:
    int Record(const std::string& line);

    Sink m_sink;
    int m_result = kAccepted;
    std::vector<std::string> m_commands;
};

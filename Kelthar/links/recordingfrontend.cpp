#include "recordingfrontend.h"

#include "frontendlink.h"

int CRecordingFrontEnd::Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel,
                            int attenuatorCode, bool force)
{
    return Record("Set(" + std::to_string(filterCode) + "," + std::to_string(amplifierCode) + "," +
                  std::to_string(antennaInput) + "," + std::to_string(attenuatorLevel) + "," +
                  std::to_string(attenuatorCode) + (force ? ",force)" : ")"));
}

int CRecordingFrontEnd::LoadSynthesizer(int index)
{
    return Record("LMX(" + std::to_string(index) + ")");
}

int CRecordingFrontEnd::Switch(int commutator)
{
    return Record("sw(" + std::to_string(commutator) + ")");
}

int CRecordingFrontEnd::Record(const std::string& line)
{
    if (CFrontEndLink::Instance().GetStatus() != CFrontEndLink::kOperational)
        return kRefused;
    m_commands.push_back(line);
    if (m_sink)
        m_sink(line);
    return m_result;
}

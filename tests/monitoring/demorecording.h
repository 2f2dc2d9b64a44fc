#pragma once

// A signal recording made as the program makes one in demo mode: a core of its own in demo mode
// records the demo blocks it acquires, each at the time it is handed, `stepMs` apart. Header-only, for
// the tests and the replay benchmark.

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "icontrolbits.h"
#include "ikelthar.h"
#include "isignalrecorder.h"
#include "kelthar.h"

// The number of blocks written, or -1 when the recording could not be made.
// A bandwidth index of -1 keeps the core's own; another one is filed with the tune frequency given.
inline int WriteDemoRecording(const QString& path, int blocks, int64_t firstTimeMs, int64_t stepMs,
                              double freqBegin = 100.0, double freqEnd = 200.0, double tuneHz = 0.0,
                              int bandwidthIndex = -1)
{
    IKelthar* raw = nullptr;
    if (!FPGAQueryInterface(&raw) || !raw)
        return -1;
    std::unique_ptr<IKelthar> core(raw);
    void* out = nullptr;
    if (!core->GetInterface(12, &out) || !out)
        return -1;
    auto* recorder = static_cast<ISignalRecorder*>(out);
    // The tuning and band the blocks are filed with are those of an initialised device.
    if (!core->GetInterface(0, &out) || !out)
        return -1;
    auto* bits = static_cast<IControlBits*>(out);
    bits->Reset();
    bits->Init();
    if (bandwidthIndex >= 0)
        bits->SetTuneFreqAndBandwidth(tuneHz, bandwidthIndex);
    core->SetDemoMode(true);
    if (!recorder->StartRecording(path.toStdWString(), firstTimeMs, freqBegin, freqEnd, false))
        return -1;
    std::vector<uint8_t> block;
    int written = 0;
    for (int i = 0; i < blocks; ++i)
    {
        int bytes = 0;
        if (core->ReadData(block, static_cast<uint64_t>(firstTimeMs + i * stepMs), &bytes))
            ++written;
    }
    recorder->StopRecording(firstTimeMs + blocks * stepMs);
    return written;
}

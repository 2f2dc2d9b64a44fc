#pragma once

#include <QString>

#include <vector>

#include "recorderwindow.h"

// Records what a view asks of a recorder window. It is busy after a start, as a real window that took
// the recording, unless `refuse` makes it turn the start down as a window without room would.
class CRecordingRecorder : public CRecorderWindow
{
public:
    void StartRecording(const QString& path, double freqBegin, double freqEnd, int stopSeconds) override
    {
        calls.push_back({path, freqBegin, freqEnd, stopSeconds});
        m_busy = !refuse;
    }
    void StartPlayback(const QString&, int) override {}
    void Stop() override { m_busy = false; }
    bool IsFinished() override { return !m_busy; }
    bool IsBusy() override { return m_busy; }

    struct Call
    {
        QString path;
        double from;
        double to;
        int stopSeconds;
    };
    std::vector<Call> calls;
    bool refuse = false;

private:
    bool m_busy = false;
};

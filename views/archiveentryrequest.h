#pragma once

#include <QString>

// A recording that goes with a new archive entry. When bRecord is false nothing is recorded and the
// other two fields carry no meaning.
struct SIGNAL_RECORDING_PARAMS
{
    bool bRecord = false;
    int nStopSeconds = 0;  // stop after this many seconds; 0 = no limit
    QString strPath;       // file to record to, as chosen in the file dialog
};

struct SOUND_RECORDING_PARAMS
{
    bool bRecord = false;
    int nStopSeconds = 0;
    QString strPath;
};

// The operator's answers for a new archive entry, as the new-entry dialog collects them.
struct ARCHIVE_ENTRY_REQUEST
{
    int nGroup = 0;       // archive group id
    QString strComment;   // as typed
    bool bImage = false;  // the pane's image goes with the entry
    int nPane = 0;        // 0 full range, 1 band (DDC), 2 demodulation
    SIGNAL_RECORDING_PARAMS m_SignalRecording;
    SOUND_RECORDING_PARAMS m_SoundRecording;
};

#pragma once

#include <QString>

#include "recordingparams.h"

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

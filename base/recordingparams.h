#pragma once

#include <QString>

// A recording that goes with a new archive entry, as the new-entry dialog asks for it and the recorder
// windows take it (the path first, the stop time last). When bRecord is false nothing is recorded and
// the other two fields carry no meaning.
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

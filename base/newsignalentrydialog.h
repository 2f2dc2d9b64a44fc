#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "recordingparams.h"

class ISignalsArchive;

namespace Ui
{
class CNewSignalEntryDialog;
}

// "Add Signal to Archive": the group and comment of a new archive entry and, when a signal view asks
// (nPane 0 range, 1 band, 2 demodulation), whether the pane's image goes with it and whether the
// demodulated sound is recorded. nPane -1 asks for group and comment only. The dialog only collects
// the answers; the caller files the entry and starts the recorders.
class CNewSignalEntryDialog : public QDialog
{
    Q_OBJECT

public:
    // `archive` lists the groups; the device thread's archive when null.
    CNewSignalEntryDialog(int nPane, QWidget* parent, ISignalsArchive* archive = nullptr);
    ~CNewSignalEntryDialog() override;

    // Filled by accept.
    int m_nGroup = 0;  // the group id behind the chosen row (ids have gaps once groups are removed)
    QString m_strComment;
    bool m_bImage = false;
    int m_nPane = 0;
    SIGNAL_RECORDING_PARAMS m_SignalRecording;  // the dialog never asks for one
    SOUND_RECORDING_PARAMS m_SoundRecording;

    // The stop time of a sound recording: the spin value in the unit of the unit combo's row
    // (seconds, minutes, hours).
    static int StopSeconds(int value, int unitRow);

    Ui::CNewSignalEntryDialog& Form() { return *m_ui; }

public slots:
    void accept() override;
    void OnSoundRecordingBrowseButton();
    void OnStopSoundRecordSpin();

private:
    std::unique_ptr<Ui::CNewSignalEntryDialog> m_ui;
};

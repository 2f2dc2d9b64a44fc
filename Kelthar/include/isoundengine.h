#pragma once

#include <string>

#include "ifpgainterface.h"

// Plays the demodulated audio on a sound card with a fixed gain or an automatic gain control, records
// what it plays into a WAV file and plays WAV files back. GetInterface with id 17 gives its IDeclicker.
class ISoundEngine : public IFPGAInterface
{
public:
    // rate is the demodulated stream's rate in Hz: each output frame takes two samples of it, so the
    // card runs at rate / 2. Device -1 or rate 0 fails.
    virtual bool Open(int deviceId, int rate) = 0;
    // Switches the output on.
    virtual void ResetBuffers() = 0;
    // Switches the output off; the device stays open.
    virtual void Close() = 0;
    // One demodulated sample, divided by the gain and played on both channels.
    virtual void PlaySample(double sample) = 0;
    virtual void StartRecording(const std::wstring& path) = 0;
    virtual void StopRecording() = 0;
    // Opens a PCM WAV file and reopens the output at the file's rate; false for anything else.
    virtual bool OpenPlayback(const std::wstring& path) = 0;
    // Closes the file and reopens the output at the rate in force before playback.
    virtual void StopPlayback() = 0;
    // Plays one second of the file, decoded by its own format; false at the end of the file.
    virtual bool PlayNextBlock() = 0;
    // Seconds.
    virtual int GetPlaybackLength() = 0;
    virtual void SetRangeSoundOn(bool on) = 0;
    virtual bool IsRangeSoundOn() = 0;
    virtual void SetUseAgc(bool on) = 0;
    // Fixed gain while the AGC is off: level 0..100, 100 the loudest.
    virtual void SetSoundLevel(int level) = 0;
    // The automatic gain mapped onto the level scale, for display.
    virtual int GetAgcLevel() = 0;
    virtual bool IsOutputOn() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsRecording() = 0;
};

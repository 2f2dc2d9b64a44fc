#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ifpgainterface.h"

// First counters block of the core. The program shows the five values in its internals window and
// raises the USB label when either error count is above 0. Connect clears the block and nothing in the
// library counts into it, so all five read 0.
struct KELTHAR_COUNTERS
{
    int32_t rawBlocks = 0;
    int32_t rangeBlocks = 0;
    int32_t ddcBlocks = 0;
    int32_t usbErrors = 0;
    int32_t usbCodeErrors = 0;
};
static_assert(sizeof(KELTHAR_COUNTERS) == 20, "the program reads five 32-bit counters");

// Second counters block: 30 bytes of device status that the internals window prints as "Add data".
// Zero from construction; the library never writes it.
struct KELTHAR_COUNTERS2
{
    uint8_t bytes[30] = {};
};
static_assert(sizeof(KELTHAR_COUNTERS2) == 30, "the program reads 30 bytes");

// The device core, made by FPGAQueryInterface and deleted by the caller. It keeps the device state
// (0 idle, 1 initialise, 2 settle, 3 running), reads one acquisition block per step and turns it into
// sweep samples and DDC/audio chunks, runs demo mode and the signal generator, and hands out every
// other library object through GetInterface:
//   members (never freed by the caller): 0 IControlBits, 9 INoiseQuality, 10 ISoundEngine,
//     11 IVideoEngine, 12 ISignalRecorder, 13 ISignalsArchive, 21 IDdcWavWriter, 22 ITemplates,
//     24 IDemoSignal;
//   new objects owned by the caller: 5 range, 6 DDC and 7 demodulator ICalcFft, 8 IAnalysis, 14 IScaner,
//     15 IGsmAnalysis, 16 IMonitoring, 18 IPulseDetect, 19 IKnownFreqDetect, 23 ICalcMultiFft;
//   every other id, 1-4, 17 and 20 included, is refused and leaves *out untouched.
// The acquisition block is the sweep part (S = 131072 bytes, or 4 x FHSS block size x refill count while
// FHSS capture is on) of little-endian int16 I/Q pairs, followed by the DDC part of signed 24-bit I/Q
// pairs from byte S on. Frequencies handed to the SDR are Hz.
class IKelthar : public IFPGAInterface
{
public:
    ~IKelthar() override = default;

    // The name and the two values are only stored (the program passes its device name, 2 and 65536).
    // Starts the SDR link when it is down and sets the device state to 3. False when the SDR cannot be
    // reached; the state then stays 1 so that the program keeps trying.
    virtual bool Connect(const std::string& name, int valueA, int valueB) = 0;
    virtual void Disconnect() = 0;
    virtual int GetState() = 0;
    // Setting 3 also purges the board connection.
    virtual void SetState(int state) = 0;
    // block: 224 bytes laid out as GENERATOR_PARAMS, or null to re-send the copy the core kept from the
    // last call. False when there is no SDR link.
    virtual bool SendGeneratorParams(const uint8_t* block) = 0;
    // Off mutes the transmitter; either way the new gain reaches the SDR with the next
    // SendGeneratorParams.
    virtual bool SetGeneratorOn(bool on) = 0;
    // time: milliseconds since the epoch (a playing recording is paced against it). byteCount receives
    // the raw bytes taken from the SDR. The block is resized to the layout above, demo blocks included.
    // False when nothing was acquired: no SDR link, a failed front-end unit, or a recording not yet due.
    virtual bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) = 0;
    // Mask bits: 1 FHSS capture, 2 DDC off, 4 sweep off; set sets them, otherwise they are cleared.
    virtual void SetFlags(bool set, uint32_t mask) = 0;
    // 0..8: FHSS block size and refill count, used while FHSS capture is on.
    virtual void SetFhssMode(int mode) = 0;
    // One command/reply exchange with the board. frameOffset 0 asks the core to find the reply frame
    // (at byte 8 or 10) and receives where it was found.
    virtual bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) = 0;
    // 63448 bytes shifted left by the control-bits packet size code.
    virtual uint32_t GetBlockLength() = 0;
    // The sweep part as raw samples: I and Q per sample while the synthesizer scans, otherwise I and Q
    // interleaved in out1.
    virtual bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                              std::vector<double>& out2) = 0;
    // The DDC part: one inner vector of 4096 values per outer entry for I, Q and the demodulated audio.
    // False when no complete chunk was made; the outputs then keep what they held.
    virtual bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                              std::vector<std::vector<double>>& q,
                              std::vector<std::vector<double>>& audio) = 0;
    // Oscilloscope scale factors of the current channel: range samples, DDC I/Q, audio.
    virtual double GetChannelOscCorr0() = 0;
    virtual double GetChannelOscCorr1() = 0;
    virtual double GetChannelOscCorr2() = 0;
    virtual bool IsDemoMode() = 0;
    virtual void SetDemoMode(bool on) = 0;
    // Stored only; nothing in the library reads the request back.
    virtual void RequestRange(double value1, double value2, double value3, int code) = 0;
    // Raised by a FIR reload: the next block read is dropped and the flag cleared by the caller.
    virtual bool IsSkipPending() = 0;
    virtual void SetSkipPending(bool pending) = 0;
    // Always 32768 and 4096 points.
    virtual int GetRangeFftSize() = 0;
    virtual int GetDdcFftSize() = 0;
    // 0 no overload; the views show 1 as overload and 2 as attenuator engaged.
    virtual int GetOverloadState() = 0;
    virtual const KELTHAR_COUNTERS* GetCounters() = 0;
    // Writes the maximum and the lost DDC sample counts and clears both.
    virtual void TakeDdcSampleCounters(int* max, int* lost) = 0;
    // True while probe identification is ignored or demo mode runs.
    virtual bool IsProbeCheckOff() = 0;
    virtual void SetIgnoreProbeIdent(bool ignore) = 0;
    // Process-wide: true once any core has connected; nothing clears it.
    virtual bool IsConnected() = 0;
    // Process-wide probe status bytes; Connect zeroes them and nothing else writes them.
    virtual uint8_t GetProbeStatus() = 0;
    virtual uint8_t GetProbeStatus2() = 0;
    virtual const KELTHAR_COUNTERS2* GetCounters2() = 0;
};

#pragma once

// The commands the data path gives the front-end unit while it sweeps: the latch of filter, amplifier,
// antenna input and attenuator ("Set"), the input commutator ("sw") and a load of the microwave
// synthesizer. The core owns one implementation; the serial one speaks to the unit's interpreter, and a
// recording one stands in for tests and benchmarks. Every implementation refuses every command while
// the process-wide front-end status is not 0.
class IFrontEndCommands
{
public:
    // Results of every command.
    static constexpr int kAccepted = 0;
    static constexpr int kNothingToSend = 1;
    static constexpr int kNoReply = 2;
    static constexpr int kRefused = 3;

    // Amplifier and attenuator codes of the latch.
    static constexpr int kAmplifierOn = 4;
    static constexpr int kAmplifierOff = 5;
    static constexpr int kAttenuatorOn = 8;
    static constexpr int kAttenuatorOff = 9;

    virtual ~IFrontEndCommands() = default;

    // filterCode 0..7; antennaInput 0..3, -1 keeping the last input and anything above 3 counting as 0;
    // attenuatorLevel in dB. Only what differs from the last latch sent goes out, unless force is set
    // (nothing to send gives kNothingToSend).
    virtual int Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel,
                    int attenuatorCode, bool force) = 0;
    // index: see HasSynthesizerCommand.
    virtual int LoadSynthesizer(int index) = 0;
    // commutator -1 all inputs off, 0 all on, 1..4 that input alone; other values switch all off.
    virtual int Switch(int commutator) = 0;

    // The synthesizer has a command for index 0 or 1 (the start-up setting), 55, and 70 to 200 in steps
    // of 5 (the output frequency in units of 100 MHz); no other index may be sent.
    static bool HasSynthesizerCommand(int index)
    {
        return index == 0 || index == 1 || index == 55 || (index >= 70 && index <= 200 && index % 5 == 0);
    }
};

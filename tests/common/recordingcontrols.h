#pragma once

// Stand-ins for the library's front-end controls, core, sound engine and declicker that pass every call
// on to the real library object and note the setters the options window uses, in order, in one shared
// log: "Sky.SetGainIndex 2", "Dla.SetPins 2 7", "Core.SetFlags 0 2", "Sound.SetSoundLevel 60".
// Installed into the device thread for as long as they live, so the window talks to them exactly as
// to the library.

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "devicethread.h"
#include "forwardingcore.h"
#include "globals.h"
#include "iacousticcontrol.h"
#include "ideclicker.h"
#include "idlacontrol.h"
#include "ikelthar.h"
#include "iskycontrol.h"
#include "isoundengine.h"

class CCallLog
{
public:
    template <typename... Args>
    void Add(const char* call, Args... args)
    {
        std::ostringstream line;
        line << call;
        ((line << ' ' << static_cast<long long>(args)), ...);
        m_calls.push_back(line.str());
    }
    const std::vector<std::string>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<std::string> m_calls;
};

class CRecordingSky : public ISkyControl
{
public:
    CRecordingSky(ISkyControl* real, CCallLog& log) : m_real(real), m_log(log) {}

    void SetAttenuator(uint8_t attenuatorDb) override
    {
        m_log.Add("Sky.SetAttenuator", attenuatorDb);
        m_real->SetAttenuator(attenuatorDb);
    }
    void SetAttSwitch(uint8_t on) override
    {
        m_log.Add("Sky.SetAttSwitch", on);
        m_real->SetAttSwitch(on);
    }
    void SetAmplSwitch(uint8_t on) override
    {
        m_log.Add("Sky.SetAmplSwitch", on);
        m_real->SetAmplSwitch(on);
    }
    void SetFilter(uint8_t filter) override
    {
        m_log.Add("Sky.SetFilter", filter);
        m_real->SetFilter(filter);
    }
    void SetCommutator(uint8_t commutator) override
    {
        m_log.Add("Sky.SetCommutator", commutator);
        m_real->SetCommutator(commutator);
    }
    void SetCommutatorLevel(const int levels[3]) override
    {
        m_log.Add("Sky.SetCommutatorLevel", levels[0], levels[1], levels[2]);
        m_real->SetCommutatorLevel(levels);
    }
    void SetGainIndex(int index) override
    {
        m_log.Add("Sky.SetGainIndex", index);
        m_real->SetGainIndex(index);
    }
    void SetLMX(uint8_t lmx) override
    {
        m_log.Add("Sky.SetLMX", lmx);
        m_real->SetLMX(lmx);
    }

    void SetAuxByte(uint8_t value) override { m_real->SetAuxByte(value); }
    void SetStrob(uint8_t strob) override { m_real->SetStrob(strob); }
    void SetAmpl(uint8_t ampl) override { m_real->SetAmpl(ampl); }
    void SetGain(uint8_t gain) override { m_real->SetGain(gain); }
    void SetFreq(uint8_t freq) override { m_real->SetFreq(freq); }
    void SetStep(uint8_t step) override { m_real->SetStep(step); }
    void SetStepStrob(uint8_t stepStrob) override { m_real->SetStepStrob(stepStrob); }
    void SetValue28(uint8_t value) override { m_real->SetValue28(value); }
    bool StepAttenuatorUp() override { return m_real->StepAttenuatorUp(); }
    void StepAttenuatorDown() override { m_real->StepAttenuatorDown(); }
    uint8_t GetLMX() override { return m_real->GetLMX(); }
    // The address is text, not a number for the log: the last one given is kept instead.
    void SetUri(const std::string& uri) override
    {
        lastUri = uri;
        m_real->SetUri(uri);
    }
    uint8_t GetAuxByte() override { return m_real->GetAuxByte(); }
    uint8_t GetStrob() override { return m_real->GetStrob(); }
    uint8_t GetAmpl() override { return m_real->GetAmpl(); }
    uint8_t GetGain() override { return m_real->GetGain(); }
    uint8_t GetFreq() override { return m_real->GetFreq(); }
    uint8_t GetStep() override { return m_real->GetStep(); }
    uint8_t GetStepStrob() override { return m_real->GetStepStrob(); }
    uint8_t GetValue28() override { return m_real->GetValue28(); }
    uint8_t GetAttenuator() override { return m_real->GetAttenuator(); }
    uint8_t GetAttSwitch() override { return m_real->GetAttSwitch(); }
    uint8_t GetAmplSwitch() override { return m_real->GetAmplSwitch(); }
    uint8_t GetFilter() override { return m_real->GetFilter(); }
    uint8_t GetCommutator() override { return m_real->GetCommutator(); }
    int* GetCommutatorLevel() override { return m_real->GetCommutatorLevel(); }
    int GetGainIndex() override { return m_real->GetGainIndex(); }
    int GetGainDb() override { return m_real->GetGainDb(); }
    int GetGainScale() override { return m_real->GetGainScale(); }

    std::optional<std::string> lastUri;

private:
    ISkyControl* m_real;
    CCallLog& m_log;
};

class CRecordingDla : public IDlaControl
{
public:
    CRecordingDla(IDlaControl* real, CCallLog& log) : m_real(real), m_log(log) {}

    void SetComm(int comm) override
    {
        m_log.Add("Dla.SetComm", comm);
        m_real->SetComm(comm);
    }
    void SetPins(uint8_t first, uint8_t second) override
    {
        m_log.Add("Dla.SetPins", first, second);
        m_real->SetPins(first, second);
    }
    void SetGain(int gain) override
    {
        m_log.Add("Dla.SetGain", gain);
        m_real->SetGain(gain);
    }

    uint8_t GetComm() override { return m_real->GetComm(); }
    void SetGainRow(int row) override { m_real->SetGainRow(row); }
    int GetGain() override { return m_real->GetGain(); }
    int GetGainRow() override { return m_real->GetGainRow(); }
    int GetGainDb() override { return m_real->GetGainDb(); }
    int GetGainScale() override { return m_real->GetGainScale(); }
    float GetVoltage() override { return m_real->GetVoltage(); }
    void SetDebugMode(bool on) override { m_real->SetDebugMode(on); }

private:
    IDlaControl* m_real;
    CCallLog& m_log;
};

class CRecordingAcoustic : public IAcousticControl
{
public:
    CRecordingAcoustic(IAcousticControl* real, CCallLog& log) : m_real(real), m_log(log) {}

    void SetGain(int gain) override
    {
        m_log.Add("Acoustic.SetGain", gain);
        m_real->SetGain(gain);
    }

    int GetGain() override { return m_real->GetGain(); }
    void SetGainIndex(int index) override { m_real->SetGainIndex(index); }
    int GetGainIndex() override { return m_real->GetGainIndex(); }
    int GetGainDb() override { return m_real->GetGainDb(); }
    int GetGainScale() override { return m_real->GetGainScale(); }

private:
    IAcousticControl* m_real;
    CCallLog& m_log;
};

class CRecordingCore : public CForwardingCore
{
public:
    CRecordingCore(IKelthar* real, CCallLog& log) : CForwardingCore(real), m_log(log) {}

    void SetFlags(bool set, uint32_t mask) override
    {
        m_log.Add("Core.SetFlags", set, mask);
        m_real->SetFlags(set, mask);
    }
    void SetFhssMode(int mode) override
    {
        m_log.Add("Core.SetFhssMode", mode);
        m_real->SetFhssMode(mode);
    }

private:
    CCallLog& m_log;
};

class CRecordingSound : public ISoundEngine
{
public:
    CRecordingSound(ISoundEngine* real, CCallLog& log) : m_real(real), m_log(log) {}

    void SetUseAgc(bool on) override
    {
        m_log.Add("Sound.SetUseAgc", on);
        m_real->SetUseAgc(on);
    }
    void SetSoundLevel(int level) override
    {
        m_log.Add("Sound.SetSoundLevel", level);
        m_real->SetSoundLevel(level);
    }
    // The level the automatic gain has reached depends on the sound played; a test may name it.
    int GetAgcLevel() override { return agcLevel ? *agcLevel : m_real->GetAgcLevel(); }

    bool GetInterface(int id, void** out) override { return m_real->GetInterface(id, out); }
    bool Open(int deviceId, int rate) override { return m_real->Open(deviceId, rate); }
    void ResetBuffers() override { m_real->ResetBuffers(); }
    void Close() override { m_real->Close(); }
    void PlaySample(double sample) override { m_real->PlaySample(sample); }
    void StartRecording(const std::wstring& path) override { m_real->StartRecording(path); }
    void StopRecording() override { m_real->StopRecording(); }
    bool OpenPlayback(const std::wstring& path) override { return m_real->OpenPlayback(path); }
    void StopPlayback() override { m_real->StopPlayback(); }
    bool PlayNextBlock() override { return m_real->PlayNextBlock(); }
    int GetPlaybackLength() override { return m_real->GetPlaybackLength(); }
    void SetRangeSoundOn(bool on) override { m_real->SetRangeSoundOn(on); }
    bool IsRangeSoundOn() override { return m_real->IsRangeSoundOn(); }
    bool IsOutputOn() override { return m_real->IsOutputOn(); }
    bool IsPlaying() override { return m_real->IsPlaying(); }
    bool IsRecording() override { return m_real->IsRecording(); }

    std::optional<int> agcLevel;

private:
    ISoundEngine* m_real;
    CCallLog& m_log;
};

class CRecordingDeclicker : public IDeclicker
{
public:
    CRecordingDeclicker(IDeclicker* real, CCallLog& log) : m_real(real), m_log(log) {}

    void SetEnabled(bool on) override
    {
        m_log.Add("Declicker.SetEnabled", on);
        m_real->SetEnabled(on);
    }
    void SetDeclick(bool on) override
    {
        m_log.Add("Declicker.SetDeclick", on);
        m_real->SetDeclick(on);
    }
    void SetDenoise(bool on) override
    {
        m_log.Add("Declicker.SetDenoise", on);
        m_real->SetDenoise(on);
    }
    void SetMf(bool on) override
    {
        m_log.Add("Declicker.SetMf", on);
        m_real->SetMf(on);
    }

    void Reset() override { m_real->Reset(); }
    bool GetEnabled() override { return m_real->GetEnabled(); }
    bool GetDeclick() override { return m_real->GetDeclick(); }
    bool GetDenoise() override { return m_real->GetDenoise(); }
    bool GetMf() override { return m_real->GetMf(); }
    void Process(const std::vector<double>& in, std::vector<double>& out) override
    {
        m_real->Process(in, out);
    }

private:
    IDeclicker* m_real;
    CCallLog& m_log;
};

// Puts the recorders in the device thread's place for as long as it lives.
class CRecordedControls
{
public:
    CRecordedControls()
        : m_sky(g_DeviceThread.m_pSky, log),
          m_dla(g_DeviceThread.m_pDla, log),
          m_acoustic(g_DeviceThread.m_pAcoustic, log),
          m_core(g_DeviceThread.m_pKelthar, log),
          sound(g_DeviceThread.m_pSoundEngine, log),
          m_declicker(g_DeviceThread.m_pDeclicker, log)
    {
        g_DeviceThread.m_pSky = &m_sky;
        g_DeviceThread.m_pDla = &m_dla;
        g_DeviceThread.m_pAcoustic = &m_acoustic;
        g_DeviceThread.m_pKelthar = &m_core;
        g_DeviceThread.m_pSoundEngine = &sound;
        g_DeviceThread.m_pDeclicker = &m_declicker;
    }
    ~CRecordedControls()
    {
        g_DeviceThread.m_pSky = m_realSky;
        g_DeviceThread.m_pDla = m_realDla;
        g_DeviceThread.m_pAcoustic = m_realAcoustic;
        g_DeviceThread.m_pKelthar = m_realCore;
        g_DeviceThread.m_pSoundEngine = m_realSound;
        g_DeviceThread.m_pDeclicker = m_realDeclicker;
    }
    CRecordedControls(const CRecordedControls&) = delete;
    CRecordedControls& operator=(const CRecordedControls&) = delete;

    CCallLog log;

    // The last address the library was given, if any.
    const std::optional<std::string>& SkyUri() const { return m_sky.lastUri; }

private:
    ISkyControl* m_realSky = g_DeviceThread.m_pSky;
    IDlaControl* m_realDla = g_DeviceThread.m_pDla;
    IAcousticControl* m_realAcoustic = g_DeviceThread.m_pAcoustic;
    IKelthar* m_realCore = g_DeviceThread.m_pKelthar;
    ISoundEngine* m_realSound = g_DeviceThread.m_pSoundEngine;
    IDeclicker* m_realDeclicker = g_DeviceThread.m_pDeclicker;
    CRecordingSky m_sky;
    CRecordingDla m_dla;
    CRecordingAcoustic m_acoustic;
    CRecordingCore m_core;

public:
    CRecordingSound sound;

private:
    CRecordingDeclicker m_declicker;
};

#pragma once

// What the internals window's tests need around the process's real device thread: the library's
// sub-objects they read back, a recording wired-line control, scratch data and temporary folders, and a
// snapshot of every device value the tests change, so each test leaves the process as it found it.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "icontrolbits.h"
#include "idlacontrol.h"
#include "ikelthar.h"
#include "iskycontrol.h"
#include "tempdir.h"

inline IAdf4350* Adf()
{
    return g_DeviceThread.m_pAdf;
}

inline ISkyControl* Sky()
{
    void* out = nullptr;
    EXPECT_TRUE(g_DeviceThread.m_pControlBits->GetInterface(2, &out));
    return static_cast<ISkyControl*>(out);
}

// A wired-line control that records the debug mode it is given; the library's has no getter for it.
class CRecordingDla : public IDlaControl
{
public:
    std::vector<bool> debugModes;

    void SetComm(int) override {}
    uint8_t GetComm() override { return 0; }
    void SetPins(uint8_t, uint8_t) override {}
    void SetGain(int) override {}
    void SetGainRow(int) override {}
    int GetGain() override { return 0; }
    int GetGainRow() override { return 0; }
    int GetGainDb() override { return 0; }
    int GetGainScale() override { return 0; }
    float GetVoltage() override { return 0.0f; }
    void SetDebugMode(bool on) override { debugModes.push_back(on); }
};

// Points the per-user data folder (the default correction files) and the temporary folder (the
// oscilloscope table's spare copy) at scratch folders for as long as it lives.
class CScratchFolders
{
public:
    CScratchFolders() : m_data(QString::fromStdString(m_dir.File("data"))), m_temp(m_dir.File("tmp"))
    {
        QDir().mkpath(QString::fromStdString(m_temp));
        Replace("XDG_DATA_HOME", m_data.toStdString(), &m_oldData);
        Replace("TMPDIR", m_temp, &m_oldTemp);
    }
    ~CScratchFolders()
    {
        Put("XDG_DATA_HOME", m_oldData);
        Put("TMPDIR", m_oldTemp);
    }
    CScratchFolders(const CScratchFolders&) = delete;
    CScratchFolders& operator=(const CScratchFolders&) = delete;

    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }

private:
    static void Replace(const char* name, const std::string& value, std::optional<std::string>* old)
    {
        if (const char* current = std::getenv(name))
            *old = current;
        setenv(name, value.c_str(), 1);
    }
    static void Put(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    CTempDir m_dir;
    QString m_data;
    std::string m_temp;
    std::optional<std::string> m_oldData;
    std::optional<std::string> m_oldTemp;
};

// Everything of the library and the device thread these tests change, put back afterwards.
struct CDeviceState
{
    struct AdfRow
    {
        double ampl;
        uint16_t frac;
        uint16_t garm;
    };
    std::array<AdfRow, 9> adfRows{};
    std::array<uint8_t, 6> sky{};
    uint8_t gainPwm = 0;
    uint8_t scanSpeed = 0;
    int packetCode = 0;
    int delayMs = 0;
    QString deviceName;
    std::array<bool, 6> adfSwitches{};
    int channels = 0;

    void Capture()
    {
        for (int i = 0; i < 9; ++i)
            adfRows[static_cast<size_t>(i)] = {Adf()->GetCorrAmpl(i), Adf()->GetShiftFrac(i),
                                               Adf()->GetShiftGarm(i)};
        ISkyControl* s = Sky();
        sky = {s->GetStrob(), s->GetAmpl(), s->GetGain(), s->GetFreq(), s->GetStep(), s->GetStepStrob()};
        gainPwm = g_DeviceThread.m_pControlBits->GetGainPwm();
        scanSpeed = Adf()->GetScanSpeed();
        packetCode = g_DeviceThread.m_pControlBits->GetPacketSizeCode();
        delayMs = g_DeviceThread.m_nExtraDelayMs;
        deviceName = g_DeviceThread.GetDeviceName();
        adfSwitches = {Adf()->IsEnabled(),        Adf()->IsQuasiIQ(), Adf()->IsQuasiIQDiff(),
                       Adf()->IsHalfBandEnable(), Adf()->IsOnlyDdc(), Adf()->IsWithoutDdc()};
        channels = g_DeviceThread.GetChannelCount();
    }

    void Restore() const
    {
        // The channels first: loading them loads the synthesizer rows of a default file too.
        if (channels == 0)
            g_DeviceThread.m_pControlBits->ClearChannels();
        else
            g_DeviceThread.LoadCorrections();
        for (int i = 0; i < 9; ++i)
        {
            const AdfRow& row = adfRows[static_cast<size_t>(i)];
            Adf()->SetCorrAmpl(i, row.ampl);
            Adf()->SetShiftFrac(i, row.frac);
            Adf()->SetShiftGarm(i, row.garm);
        }
        ISkyControl* s = Sky();
        s->SetAmpl(sky[1]);
        s->SetGain(sky[2]);
        s->SetFreq(sky[3]);
        s->SetStep(sky[4]);
        s->SetStepStrob(sky[5]);
        s->SetStrob(sky[0]);  // last: the other setters raise it
        g_DeviceThread.m_pControlBits->SetGainPwm(gainPwm);
        Adf()->SetScanSpeed(scanSpeed);
        g_DeviceThread.m_pControlBits->SetPacketSizeCode(packetCode);
        g_DeviceThread.m_nExtraDelayMs = delayMs;
        g_DeviceThread.SetDeviceName(deviceName);
        Adf()->SetEnabled(adfSwitches[0]);
        Adf()->SetQuasiIQ(adfSwitches[1]);
        Adf()->SetQuasiIQDiff(adfSwitches[2]);
        Adf()->SetHalfBandEnable(adfSwitches[3]);
        Adf()->SetOnlyDdc(adfSwitches[4]);
        Adf()->SetWithoutDdc(adfSwitches[5]);
        // Nothing reads the override back alone; it is off in a fresh library.
        g_DeviceThread.m_pKelthar->SetIgnoreProbeIdent(false);
    }
};

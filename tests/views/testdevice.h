#pragma once

#include <string>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"

// A test process reads no correction tables, so the device's control bits start without channels
// and without DDC bands. This gives it channel types 0 .. N - 1 (with the base rates given) and, when
// it has none, two bands of the first list: "1 MHz" (decimation 32) and "250 kHz" (decimation 64).
// It leaves type 0 current, tuned to 100 MHz with the first band.
template <size_t N>
void PrepareTestDevice(const double (&rates)[N])
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    for (int type = bits->GetChannelCount(); type < static_cast<int>(N); ++type)
    {
        IChannel* channel = bits->AddChannel(type, L"C", L"Channel", rates[type]);
        channel->SetStartFreq(40.0);
        channel->SetStopFreq(6000.0);
    }
    g_DeviceThread.SetChannelType(0);
    if (bits->GetDdcBandCount() == 0)
    {
        DDC_BAND_ITEM wide;
        wide.Name = L"1 MHz";
        wide.DeciCoeff = 32;
        DDC_BAND_ITEM narrow;
        narrow.Name = L"250 kHz";
        narrow.DeciCoeff = 64;
        bits->InsertDdcBand(0, wide);
        bits->InsertDdcBand(1, narrow);
    }
    bits->SetTuneFreqAndBandwidth(100e6, 0);
}

#pragma once

#include <QMutex>
#include <QProcess>

#include <atomic>
#include <cstdint>

class CAppTranslator;
class CDeviceThread;
class CFftOptions;
class CParameters;
class IDemoSignal;

// The program's process-wide objects, all defined in globals.cpp so that their order of static
// construction is fixed: the data mutex first, the device thread after the settings document (it is
// stopped before the document saves itself at exit).

// Guards the device thread's sample buffers: the loop locks it, the GUI's fetch only try-locks it.
extern QMutex g_DataMutex;
// The sibling program, started from the main window.
extern QProcess g_SiblingProcess;
extern CDeviceThread g_DeviceThread;
extern CFftOptions g_FftOptions;
extern CAppTranslator g_Translator;

// Frequency offset of the external converter band chosen in the options window, MHz; 0 when none.
// Written on the GUI thread, read by the device thread's spectrum fetch.
extern std::atomic<double> g_FreqOffset;
// Coarse panorama of the microwave converter sweep: levels plus 130 dB, one per slot.
constexpr int kLmxPanoramaSize = 1008;
extern double g_LmxPanorama[kLmxPanoramaSize];
// Zeroed beside the panorama by the main window's converter buttons; nothing writes it otherwise.
extern double g_LmxPanorama2[kLmxPanoramaSize];

// Debug overlay: blocks processed and demodulation steps done by the device thread.
extern std::atomic<int32_t> g_Cycle1Count;
extern std::atomic<int32_t> g_Cycle2Count;
extern bool g_DebugPause;

// Snapshot of the synthesizer and scan values taken at every data tick for the debug overlay.
struct DEBUG_VALUES
{
    // The video engine's refreshed status block (kept whole: an address does not fit 32 bits).
    const double* videoStatus = nullptr;
    void* demoParams = nullptr;
    double adfEnabled = 0.0;
    double maxFreq = 0.0;
    double minFreq = 0.0;
    double startFreq = 0.0;
    double stopFreq = 0.0;
    double freqStartInt = 0.0;
    double freqDdcInt = 0.0;
    double ddcFreq = 0.0;
    double freqOnGarm = 0.0;
    double shiftFrac = 0.0;
    double size = 0.0;
    double blockSize = 0.0;
    double groupBlocks = 0.0;
    double numberGarms = 0.0;
    double shiftGarm = 0.0;
    double lpfFilter = 0.0;
    double scanSpeed = 0.0;
};
extern DEBUG_VALUES g_DebugValues;

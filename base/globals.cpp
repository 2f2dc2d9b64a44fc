#include "globals.h"

#include "apptranslator.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "parameters.h"

// Static construction runs in the order of definition within this file, and destruction in reverse:
// the device thread stops (and its core dies) before the settings document writes itself, and the
// data mutex outlives everything that locks it.
QMutex g_DataMutex;
QProcess g_SiblingProcess;
CParameters g_Parameters;
CDeviceThread g_DeviceThread;
CFftOptions g_FftOptions;
CAppTranslator g_Translator;

std::atomic<double> g_FreqOffset{0.0};
double g_LmxPanorama[kLmxPanoramaSize] = {};
double g_LmxPanorama2[kLmxPanoramaSize] = {};

std::atomic<int32_t> g_Cycle1Count{0};
std::atomic<int32_t> g_Cycle2Count{0};
bool g_DebugPause = false;
DEBUG_VALUES g_DebugValues;

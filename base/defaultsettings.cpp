// The factory state of the settings document. Sections and keys are written in a fixed order, so a
// freshly reset document always lists them the same way. A few values come from the device as it is at
// the moment of the reset: the span of each input channel and the acoustic and DLA front-end gains.

#include <QColor>
#include <QStandardPaths>
#include <QStringList>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

namespace
{
// Trace and oscilloscope axes per channel, in the order the views read them.
struct AXIS_DEFAULTS
{
    const char* section;
    double startX;
    double endX;
    double startY;
    double endY;
};

// The range spectrum's X span is the channel's own and is written separately.
const AXIS_DEFAULTS kPaneAxes[] = {
    {"DdcSpectrum", 0.0, 0.0, -110.0, -40.0},       {"DemodSpectrum", 0.0, 0.0, -120.0, -40.0},
    {"RangeOscilloscope", 0.0, 0.0, -0.01, 0.01},   {"DdcOscilloscope", 0.0, 0.013, -10.0, 10.0},
    {"DemodOscilloscope", 0.0, 0.013, -10.0, 10.0},
};

struct COLOR_DEFAULT
{
    const char* key;
    Qt::GlobalColor color;
};

const char* const kColorSwitches[] = {
    "CustomBackground", "CustomSpectrum",  "CustomOsc1",        "CustomOsc2",          "CustomVector",
    "CustomMainCursor", "CustomBandwidth", "CustomDeltaCursor", "CustomPositionLines", "CustomThresholdLine",
};

const COLOR_DEFAULT kColors[] = {
    {"CustomBackgroundColor", Qt::darkGray}, {"CustomSpectrumColor", Qt::red},
    {"CustomOsc1Color", Qt::yellow},         {"CustomOsc2Color", Qt::yellow},
    {"CustomVectorColor", Qt::yellow},       {"CustomMainCursorColor", Qt::white},
    {"CustomBandwidthColor", Qt::magenta},   {"CustomDeltaCursorColor", Qt::green},
    {"CustomPositionLinesColor", Qt::green}, {"CustomThresholdLineColor", Qt::white},
};

QString S(const char* text)
{
    return QString::fromLatin1(text);
}
}  // namespace

void CParameters::WriteDefaultValues()
{
    const QString mainWindow = S("MainWindow");
    SetInt(mainWindow, S("Maximized"), 1);
    SetInt(mainWindow, S("Left"), 0);
    SetInt(mainWindow, S("Top"), 0);
    SetInt(mainWindow, S("Width"), 1024);
    SetInt(mainWindow, S("Height"), 768);
    // The three toolbox keys have no reader; they are kept so that a reset file looks as it always has.
    SetInt(mainWindow, S("RecorderToolBoxPos"), -1);
    SetInt(mainWindow, S("OptionsToolBoxPos"), -1);
    SetInt(mainWindow, S("OptionsToolBoxFloat"), 1);
    SetString(mainWindow, S("HorizSplitterState"), QString());
    SetString(mainWindow, S("VerticalSplitterState"), QString());

    // Fixed prefixes, not those of the channel types: "Lf" belongs to no type and is never read.
    const QString device = S("Device");
    SetDouble(device, S("HfDdcFreq"), 100.0);
    SetDouble(device, S("LfDdcFreq"), 40.0);
    SetDouble(device, S("WlDdcFreq"), 5.0);
    SetDouble(device, S("IrDdcFreq"), 0.5);
    SetDouble(device, S("AcDdcFreq"), 0.03);
    SetInt(device, S("HfBandwidth"), 0);
    SetInt(device, S("LfBandwidth"), 6);
    SetInt(device, S("WlBandwidth"), 6);
    SetInt(device, S("IrBandwidth"), 0);
    SetInt(device, S("AcBandwidth"), 0);
    SetInt(device, S("Demodulation"), 1);
    SetInt(device, S("Channel"), 0);
    SetInt(device, S("DemodSoundEnabled"), 0);

    const int channelCount = g_DeviceThread.GetChannelCount();
    for (int i = 0; i < channelCount; ++i)
    {
        const QString prefix = g_DeviceThread.GetChannelPrefix(i);
        const QString range = S("RangeSpectrum");
        SetDouble(range, prefix + S("StartXValue"), g_DeviceThread.GetMinFreq(i));
        SetDouble(range, prefix + S("EndXValue"), g_DeviceThread.GetMaxFreq(i));
        SetDouble(range, prefix + S("StartYValue"), -110.0);
        SetDouble(range, prefix + S("EndYValue"), -40.0);
        for (const AXIS_DEFAULTS& axes : kPaneAxes)
        {
            const QString section = S(axes.section);
            SetDouble(section, prefix + S("StartXValue"), axes.startX);
            SetDouble(section, prefix + S("EndXValue"), axes.endX);
            SetDouble(section, prefix + S("StartYValue"), axes.startY);
            SetDouble(section, prefix + S("EndYValue"), axes.endY);
        }
        for (const char* section : {"RangeOscilloscope", "DdcOscilloscope", "DemodOscilloscope"})
            SetDouble(S(section), prefix + S("TriggerLevel"), 10.0);
        SetInt(S("DdcOptions"), prefix + S("VectorLines"), 0);
        SetInt(S("DdcOptions"), prefix + S("SamplesIndex"), 4);
    }

    SetInt(S("Options"), S("Page"), 0);

    const QString rangeOptions = S("RangeOptions");
    SetInt(rangeOptions, S("SpecAverMode"), 3);  // "x8"
    SetInt(rangeOptions, S("SpecWindow"), 6);    // "Hanning"
    SetInt(rangeOptions, S("RadioGain"), 6);
    SetInt(rangeOptions, S("AcousticGain"), g_DeviceThread.m_pAcoustic->GetGain());
    SetInt(rangeOptions, S("DlaGain"), g_DeviceThread.m_pDla->GetGain());
    SetInt(rangeOptions, S("DlaComm"), g_DeviceThread.m_pDla->GetComm());
    SetInt(rangeOptions, S("WaterfallSpectrum"), 1);
    SetInt(rangeOptions, S("RadioAtt"), 0);
    SetInt(rangeOptions, S("RadioCom1Slider"), 28);
    SetInt(rangeOptions, S("RadioCom2Slider"), 80);
    SetInt(rangeOptions, S("RadioCom3Slider"), 200);
    SetInt(rangeOptions, S("RadioAttSw"), 1);
    SetInt(rangeOptions, S("RadioCom"), 1);

    const QString ddcOptions = S("DdcOptions");
    const QString demodOptions = S("DemodOptions");
    SetInt(ddcOptions, S("WaterfallSpectrum"), 1);
    SetInt(demodOptions, S("WaterfallSpectrum"), 1);
    SetInt(rangeOptions, S("SpecEnvelope"), 0);
    SetInt(ddcOptions, S("SpecEnvelope"), 0);
    SetInt(demodOptions, S("SpecEnvelope"), 0);
    SetInt(ddcOptions, S("SpecAverMode"), 3);
    SetInt(ddcOptions, S("SpecWindow"), 6);
    SetInt(demodOptions, S("SpecAverMode"), 3);
    SetInt(demodOptions, S("SpecWindow"), 6);
    SetInt(demodOptions, S("SoundUseAgc"), 1);
    SetDouble(demodOptions, S("SoundAgcLevel"), 60.0);

    const QString colors = S("Colors");
    for (const char* key : kColorSwitches)
        SetInt(colors, S(key), 0);
    for (const COLOR_DEFAULT& color : kColors)
        SetUInt(colors, S(color.key), QColor(color.color).rgb());

    // The archive starts in the program's data folder, where the settings file lives.
    SetString(S("Preferences"), S("ArchiveFolder"),
              QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));

    const QString analysis = S("Analysis");
    SetInt(analysis, S("ShowAveraging"), 1);
    SetInt(analysis, S("TypeSquelch"), 1);
    SetDouble(analysis, S("SquelchValue1"), -50.0);
    SetDouble(analysis, S("SquelchValue2"), 12.0);
    SetInt(analysis, S("AverValue"), 5000);
    SetInt(analysis, S("ShowLegal"), 1);
    SetInt(analysis, S("ShowIllegal"), 1);
    SetInt(analysis, S("DoMerge"), 1);
    SetInt(analysis, S("UseHysteresis"), 1);
    SetDouble(analysis, S("Hysteresis"), 10.0);

    SetDouble(S("ScanerWindow"), S("FixedFreq"), 1.0);
}

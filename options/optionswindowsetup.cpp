// The options window's page reload and the slots of its controls.

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDial>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBox>

#include <algorithm>

#include "alsaaudiooutput.h"
#include "antennadialog.h"
#include "devicethread.h"
#include "dlan1n2inputdialog.h"
#include "fftoptions.h"
#include "globals.h"
#include "optionswindow.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_antennadialog.h"

namespace
{
const QString kRangeOptions = QStringLiteral("RangeOptions");
const QString kDdcOptions = QStringLiteral("DdcOptions");
const QString kDemodOptions = QStringLiteral("DemodOptions");
const QString kDevice = QStringLiteral("Device");
const QString kWaterfallWriteBuffer = QStringLiteral("WaterfallWriteBuffer");
const QString kWaterfallBufferPath = QStringLiteral("WaterfallBufferPath");
// Each page's section, by page number.
const QString kSections[] = {kRangeOptions, kDdcOptions, kDemodOptions};

constexpr int kAgcRefreshMs = 100;
constexpr int kMaxAttenuatorIndex = 15;
constexpr int kMaxBandwidthIndex = 10;
constexpr int kMaxSoundLevel = 100;
// The connector entry that asks for a pin pair; the pair itself is used as connector 5.
constexpr int kDlaSelectIndex = 4;
constexpr int kDlaPinPairIndex = 5;
// The core's flag bits behind the three FHSS checks.
constexpr uint32_t kFhssCaptureMask = 1;
constexpr uint32_t kDdcOffMask = 2;
constexpr uint32_t kSweepOffMask = 4;

int TextToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int Flag(const QString& section, const QString& key)
{
    return g_Parameters.GetInt(section, key, 0) != 0 ? 1 : 0;
}
}  // namespace

void COptionsWindow::SetupOptionsWindow(int page, int antennaMode)
{
    qDebug().noquote() << "SetupOptionsWindow";
    // A reload may run inside another one's slot (a language change during a dialog): keep the outer flag.
    const bool wasReloading = m_bReloading;
    m_bReloading = true;
    switch (page)
    {
        case RangePage:
            SetupRangePage(antennaMode);
            break;
        case BandPage:
            SetupBandPage();
            break;
        case DemodPage:
            SetupDemodPage();
            break;
        default:
            break;
    }
    m_bReloading = wasReloading;
}

void COptionsWindow::FillDisplayCombos(int page)
{
    const SpectrumGroup group = Spectrum(page);
    const QString& section = kSections[page];
    // The refill reports index -1, which the slots ignore, and then its first entry; setting the
    // stored index pushes that.
    g_FftOptions.FillAveragingCombo(group.averCombo);
    group.averCombo->setCurrentIndex(g_Parameters.GetInt(section, QStringLiteral("SpecAverMode"), 0));
    g_FftOptions.FillWindowCombo(group.windowCombo);
    group.windowCombo->setCurrentIndex(g_Parameters.GetInt(section, QStringLiteral("SpecWindow"), 0));
}

void COptionsWindow::LoadWaterfallGroup(int page)
{
    const WaterfallGroup group = Waterfall(page);
    const QString& section = kSections[page];
    group.spectrumCheck->setChecked(Flag(section, QStringLiteral("WaterfallSpectrum")) != 0);
    group.writeToBufferCheck->setChecked(Flag(section, kWaterfallWriteBuffer) != 0);
    group.bufferPathEdit->setText(g_Parameters.GetString(section, kWaterfallBufferPath, QString()));
}

void COptionsWindow::SetupRangePage(int antennaMode)
{
    const int type = g_DeviceThread.GetChannelType();
    if (antennaMode == 0)
        ui.m_pRangeWaterfallGroupBox->hide();

    FillDisplayCombos(RangePage);
    ui.m_pRangeSpecEnvelopeCheck->setChecked(Flag(kRangeOptions, QStringLiteral("SpecEnvelope")) != 0);
    emit rangeEnvelopeChanged(ui.m_pRangeSpecEnvelopeCheck->isChecked());

    // A combo left without a current item (a stored index beyond its entries) pushes nothing.
    const bool acoustic = type == 6;
    ui.m_pRangeAcousticGroupBox->setVisible(acoustic);
    if (acoustic)
    {
        ui.m_pRangeAcousticGainCombo->setCurrentIndex(
            g_Parameters.GetInt(kRangeOptions, QStringLiteral("AcousticGain"), 0));
        if (ui.m_pRangeAcousticGainCombo->currentIndex() >= 0)
            g_DeviceThread.m_pAcoustic->SetGain(ui.m_pRangeAcousticGainCombo->currentIndex());
    }

    // The radio gain group is never left shown, nor any of its three lists; the gain is pushed all
    // the same.
    const bool radio = type == 0 || type == 3;
    if (radio)
    {
        ui.m_pRangeRadioGroupBox->show();
        ui.m_pRangeRadioGainCombo->hide();
        ui.m_pRangeRadioGainComboVersion4->hide();
        ui.m_pRangeRadioGainComboVersion6->hide();
    }
    ui.m_pRangeRadioGroupBox->hide();
    if (radio)
    {
        // The combo's slot sends item + 1; the reload sends the item itself and comes last.
        ui.m_pRangeRadioGainComboVersion6->setCurrentIndex(
            g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioGain"), 0));
        if (ui.m_pRangeRadioGainComboVersion6->currentIndex() >= 0)
            g_DeviceThread.m_pSky->SetGainIndex(ui.m_pRangeRadioGainComboVersion6->currentIndex());
    }

    const bool wired = type == 1 || type == 2 || type == 5;
    ui.m_pRangeWiredGroupBox->setVisible(wired);
    if (wired)
    {
        ui.m_pRangeWiredGainCombo->setCurrentIndex(
            g_Parameters.GetInt(kRangeOptions, QStringLiteral("WiredGain"), 0));
        if (ui.m_pRangeWiredGainCombo->currentIndex() >= 0)
            g_DeviceThread.m_pSky->SetGainIndex(ui.m_pRangeWiredGainCombo->currentIndex());
    }

    const bool connector = type == 2 || type == 4;
    ui.m_pRangeCommGroupBox->setVisible(connector);
    ui.m_pRangeDlaGroupBox->setVisible(type == 4);
    if (connector)
    {
        ui.m_pRangeDlaGainCombo->setCurrentIndex(
            g_Parameters.GetInt(kRangeOptions, QStringLiteral("DlaGain"), 0));
        ui.m_pRangeDlaCommCombo->setCurrentIndex(
            g_Parameters.GetInt(kRangeOptions, QStringLiteral("DlaComm"), 0));
        if (ui.m_pRangeDlaGainCombo->currentIndex() >= 0)
            g_DeviceThread.m_pDla->SetGain(ui.m_pRangeDlaGainCombo->currentIndex());
        if (ui.m_pRangeDlaCommCombo->currentIndex() >= 0)
            g_DeviceThread.m_pDla->SetComm(ui.m_pRangeDlaCommCombo->currentIndex());
    }

    LoadWaterfallGroup(RangePage);

    if (radio)
    {
        // The attenuator byte takes 0..15 dB; a hand-edited value outside is limited, not wrapped.
        const int att = std::clamp(g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioAtt"), 0), 0,
                                   kMaxAttenuatorIndex);
        ui.m_pRangeRadioAttCombo->setCurrentIndex(att);
        g_DeviceThread.m_pSky->SetAttenuator(static_cast<uint8_t>(att));
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAtt"), att);
        ui.m_pRangeAttGroupBox->show();

        const int ampl = Flag(kRangeOptions, QStringLiteral("RadioAmplSw"));
        ui.m_pRangeRadioAmplSwCheck->setChecked(ampl != 0);
        g_DeviceThread.m_pSky->SetAmplSwitch(static_cast<uint8_t>(ampl));
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAmplSw"), ampl);
        const int attSwitch = Flag(kRangeOptions, QStringLiteral("RadioAttSw"));
        ui.m_pRangeRadioAttSwCheck->setChecked(attSwitch != 0);
        g_DeviceThread.m_pSky->SetAttSwitch(static_cast<uint8_t>(attSwitch));
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAttSw"), attSwitch);

        // The stored filter is not used: every reload starts on the widest one.
        ui.m_pRangeRadioFilterCombo->setCurrentIndex(0);
        g_DeviceThread.m_pSky->SetFilter(0);
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioFilter"), 0);

        if (antennaMode != 0)
            SetupAntenna(antennaMode);

        // The stored mode and flags are pushed and written back as the operator's choices would be; a
        // stored mode beyond the list leaves the combo without an item, and nothing is sent then.
        ui.m_pFHSSCombo->setCurrentIndex(g_Parameters.GetInt(kRangeOptions, QStringLiteral("FHSS_mode"), 0));
        OnFHSSCombo(ui.m_pFHSSCombo->currentIndex());
        const bool capture = Flag(kRangeOptions, QStringLiteral("FHSS0")) != 0;
        ui.m_pRangeFHSSCheck_0->setChecked(capture);
        OnRangeFHSSCheck_0(capture);
        const bool ddcOff = Flag(kRangeOptions, QStringLiteral("FHSS1")) != 0;
        ui.m_pRangeFHSSCheck_1->setChecked(ddcOff);
        OnRangeFHSSCheck_1(ddcOff);
        const bool sweepOff = Flag(kRangeOptions, QStringLiteral("FHSS2")) != 0;
        ui.m_pRangeFHSSCheck_2->setChecked(sweepOff);
        OnRangeFHSSCheck_2(sweepOff);
    }
    else
    {
        ui.m_pRangeAttGroupBox->hide();
    }

    const bool on = ui.m_pRangeWaterfallWriteToBufferCheck->checkState() == Qt::Checked;
    const QString path = ui.m_pRangeWaterfallBufferPathEdit->text();
    emit rangeWaterfallBuffer(on, path);
    g_Parameters.SetInt(kRangeOptions, kWaterfallWriteBuffer, on ? 1 : 0);
    g_Parameters.SetString(kRangeOptions, kWaterfallBufferPath, path);
}

void COptionsWindow::SetupAntenna(int antennaMode)
{
    ui.m_pRangeRadioComCombo->hide();
    if (antennaMode == 2)
    {
        // Another window owns the antenna switch while it is open; nothing is pushed.
        ui.m_pLabelAntenna->show();
        ui.m_pManualSwitchRadio->hide();
        ui.m_pAutoSwitchRadio->hide();
        ui.m_pAutoSwitchButton->hide();
        for (QPushButton* button : CommButtons())
            button->hide();
        return;
    }
    ui.m_pLabelAntenna->hide();
    ui.m_pManualSwitchRadio->show();
    ui.m_pAutoSwitchRadio->show();
    ui.m_pAutoSwitchButton->show();
    // The ANT1 button is shown for a stored value outside 0..4, so that is the antenna used.
    int com = g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom"), 0);
    if (com < 0 || com > 4)
        com = 1;
    if (com == 0)
    {
        ui.m_pManualSwitchRadio->setChecked(false);
        ui.m_pAutoSwitchRadio->setChecked(true);
        ui.m_pComm1Button->setChecked(true);
        for (QPushButton* button : CommButtons())
            button->hide();
    }
    else
    {
        ui.m_pManualSwitchRadio->setChecked(true);
        ui.m_pAutoSwitchRadio->setChecked(false);
        const auto buttons = CommButtons();
        for (int i = 0; i < 4; ++i)
        {
            buttons[i]->show();
            buttons[i]->setChecked(i + 1 == com);
        }
    }
    OnRangeRadioComCombo(com);
    const int levels[3] = {g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom1Slider"), 0),
                           g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom2Slider"), 0),
                           g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom3Slider"), 0)};
    OnRangeRadioComSlider(levels);
}

void COptionsWindow::OnRangeRadioComCombo(int value)
{
    if (value < 0)
        return;
    g_DeviceThread.m_pSky->SetCommutator(static_cast<uint8_t>(value));
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom"), value);
}

void COptionsWindow::OnRangeRadioComSlider(const int levels[3])
{
    g_DeviceThread.m_pSky->SetCommutatorLevel(levels);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom1Slider"), levels[0]);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom2Slider"), levels[1]);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom3Slider"), levels[2]);
}

void COptionsWindow::OnAutoSwitchButton()
{
    CAntennaDialog dialog(nullptr);
    Ui::CAntennaDialogClass& form = dialog.Form();
    // A stored point below a slider's minimum is raised to it by the slider.
    form.m_pComm1Slider->setValue(g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom1Slider"), 0));
    form.m_pComm2Slider->setValue(g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom2Slider"), 0));
    form.m_pComm3Slider->setValue(g_Parameters.GetInt(kRangeOptions, QStringLiteral("RadioCom3Slider"), 0));
    Prompt().Exec(dialog);
    // The dialog has no way to discard its sliders: OK and the window's close button both apply them.
    const int levels[3] = {form.m_pComm1Slider->value(), form.m_pComm2Slider->value(),
                           form.m_pComm3Slider->value()};
    OnRangeRadioComSlider(levels);
}

void COptionsWindow::OnManualSwitchRadio()
{
    OnCommButton(1);
    for (QPushButton* button : CommButtons())
        button->show();
}

void COptionsWindow::OnAutoSwitchRadio()
{
    g_DeviceThread.m_pSky->SetCommutator(0);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom"), 0);
    // The buttons keep their states for the next manual choice.
    for (QPushButton* button : CommButtons())
        button->hide();
}

void COptionsWindow::OnCommButton(int antenna)
{
    g_DeviceThread.m_pSky->SetCommutator(static_cast<uint8_t>(antenna));
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioCom"), antenna);
    const auto buttons = CommButtons();
    for (int i = 0; i < 4; ++i)
        buttons[i]->setChecked(i + 1 == antenna);
}

void COptionsWindow::OnComm1Button()
{
    OnCommButton(1);
}

void COptionsWindow::OnComm2Button()
{
    OnCommButton(2);
}

void COptionsWindow::OnComm3Button()
{
    OnCommButton(3);
}

void COptionsWindow::OnComm4Button()
{
    OnCommButton(4);
}

void COptionsWindow::SetupBandPage()
{
    const QString prefix = Prefix();
    // The bandwidth table editor is not offered; the table is the device's own.
    ui.m_pBandGroupBox->hide();
    ui.m_pDdcVectorLinesCheck->setChecked(Flag(kDdcOptions, prefix + QStringLiteral("VectorLines")) != 0);
    ui.m_pDdcVectorSamplesComboBox->setCurrentIndex(
        g_Parameters.GetInt(kDdcOptions, prefix + QStringLiteral("SamplesIndex"), 0));
    ui.m_pDdcWaterfallGroupBox->hide();
    FillDisplayCombos(BandPage);

    IControlBits* controlBits = g_DeviceThread.m_pControlBits;
    ui.m_pDdcBandNameCombo->clear();
    const int bandCount = controlBits ? controlBits->GetDdcBandCount() : 0;
    for (int i = 0; i < bandCount; ++i)
        ui.m_pDdcBandNameCombo->addItem(QString::fromStdWString(controlBits->GetDdcBand(i).Name));
    UpdateRemoveBandButton();

    // The selection stays off the table's last, empty built-in entry.
    const QString bandwidthKey = prefix + QStringLiteral("Bandwidth");
    if (g_Parameters.GetInt(kDevice, bandwidthKey, 0) > kMaxBandwidthIndex)
        g_Parameters.SetInt(kDevice, bandwidthKey, kMaxBandwidthIndex);
    ui.m_pDdcBandNameCombo->setCurrentIndex(g_Parameters.GetInt(kDevice, bandwidthKey, 0));

    ui.m_pDdcCombineOscEdit->setText(
        QString::number(g_Parameters.GetInt(kDdcOptions, prefix + QStringLiteral("CombineOsc"), 1)));
    LoadWaterfallGroup(BandPage);
    ui.m_pDdcSpecEnvelopeCheck->setChecked(Flag(kDdcOptions, QStringLiteral("SpecEnvelope")) != 0);
    emit ddcEnvelopeChanged(ui.m_pDdcSpecEnvelopeCheck->isChecked());

    const int type = g_DeviceThread.GetChannelType();
    ui.m_pDdcScanningGroupBox->setVisible(type == 0 || type == 3);
}

void COptionsWindow::FillAudioDevices()
{
    if (ui.m_pDemodAudioDeviceCombo->count() > 0)
        return;
    ui.m_pDemodAudioDeviceCombo->clear();
    // The sound engine opens its device by an index into the same list.
    for (const std::string& name : kplatform::CAlsaAudioOutput::DeviceNames())
        ui.m_pDemodAudioDeviceCombo->addItem(QString::fromStdString(name));
}

void COptionsWindow::SetupDemodPage()
{
    const QString prefix = Prefix();
    ui.m_pDemodWaterfallGroupBox->hide();
    FillDisplayCombos(DemodPage);

    // The device list is built once per run; filling and selecting are not an operator's choice.
    FillAudioDevices();
    ui.m_pDemodAudioDeviceCombo->setCurrentIndex(
        g_Parameters.GetInt(kDemodOptions, QStringLiteral("AudioDevice"), 0));

    ISoundEngine* sound = g_DeviceThread.m_pSoundEngine;
    const bool agc = Flag(kDemodOptions, QStringLiteral("SoundUseAgc")) != 0;
    ui.m_pDemodUseAgcCheck->setChecked(agc);
    sound->SetUseAgc(agc);
    ui.m_pDemodSoundLevelEdit->setEnabled(!agc);
    ui.m_pDemodSoundLevelDial->setEnabled(!agc);
    if (agc)
    {
        m_Timer.start(kAgcRefreshMs);
    }
    else
    {
        m_Timer.stop();
        ApplySoundLevel(TextToInt(ui.m_pDemodSoundLevelEdit->text()));
    }
    // Stored with six decimals: read as a number and cut to its integer part.
    ApplySoundLevel(
        static_cast<int>(g_Parameters.GetDouble(kDemodOptions, QStringLiteral("SoundAgcLevel"), 0.0)));

    ui.m_pDemodCombineOscEdit->setText(
        QString::number(g_Parameters.GetInt(kDemodOptions, prefix + QStringLiteral("CombineOsc"), 1)));
    ui.m_pDemodSpecEnvelopeCheck->setChecked(Flag(kDemodOptions, QStringLiteral("SpecEnvelope")) != 0);
    emit demodEnvelopeChanged(ui.m_pDemodSpecEnvelopeCheck->isChecked());
    LoadWaterfallGroup(DemodPage);
}

void COptionsWindow::ApplySoundLevel(int level)
{
    // Beyond 0..100 the engine's gain formula leaves its range: the level is limited and shown so.
    const int clamped = std::clamp(level, 0, kMaxSoundLevel);
    ui.m_pDemodSoundLevelDial->setValue(clamped);
    ui.m_pDemodSoundLevelEdit->setText(QString::number(clamped));
    g_DeviceThread.m_pSoundEngine->SetSoundLevel(clamped);
}

void COptionsWindow::OnTimer()
{
    ui.m_pDemodSoundLevelEdit->setText(QString::number(g_DeviceThread.m_pSoundEngine->GetAgcLevel()));
}

void COptionsWindow::OnTimer2()
{
    m_bSettled = 1;
    m_Timer2.stop();
}

void COptionsWindow::OnRangeFftAverChanged()
{
    const int index = ui.m_pRangeSpecAverCombo->currentIndex();
    if (index < 0)
        return;
    g_DeviceThread.m_pRangeFft1->SetAveraging(index);
    // A reload's refill lands on the first mode before the stored one is read: storing that would
    // replace the operator's choice with it.
    if (m_bSettled && !m_bReloading)
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecAverMode"), index);
}

void COptionsWindow::OnRangeFftWindowChanged()
{
    if (ui.m_pRangeSpecWindowCombo->currentIndex() >= 0)
        g_DeviceThread.m_pRangeFft1->SetWindow(ui.m_pRangeSpecWindowCombo->currentIndex());
}

void COptionsWindow::OnRangeSpecEnvelope(bool on)
{
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecEnvelope"), on ? 1 : 0);
    emit rangeEnvelopeChanged(on);
}

void COptionsWindow::OnRangeWaterfallSpectrum(bool on)
{
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("WaterfallSpectrum"), on ? 1 : 0);
    emit rangeWaterfallChanged();
}

void COptionsWindow::OnWaterfallWriteToBuffer(int page, bool on)
{
    const QString path = Waterfall(page).bufferPathEdit->text();
    if (page == RangePage)
        emit rangeWaterfallBuffer(on, path);
    else if (page == BandPage)
        emit ddcWaterfallBuffer(on, path);
    else
        emit demodWaterfallBuffer(on, path);
    g_Parameters.SetInt(kSections[page], kWaterfallWriteBuffer, on ? 1 : 0);
    g_Parameters.SetString(kSections[page], kWaterfallBufferPath, path);
}

void COptionsWindow::BrowseWaterfallBuffer(int page)
{
    const QString filters[] = {tr("Buffer files (*.rwb)"), tr("Buffer files (*.dwb)"),
                               tr("Buffer files (*.mwb)")};
    const WaterfallGroup group = Waterfall(page);
    QString chosen = Prompt().GetSaveFileName(this, tr("Save Waterfall Buffer As"),
                                              group.bufferPathEdit->text(), filters[page]);
    if (chosen.isEmpty())
        return;
    // The range buffer path is kept in the platform's own form (its readers convert it back); the
    // other two pages keep the dialog's answer as it is.
    if (page == RangePage)
        chosen = QDir::toNativeSeparators(chosen);
    group.bufferPathEdit->setText(chosen);
    group.writeToBufferCheck->setChecked(true);
    OnWaterfallWriteToBuffer(page, true);
}

void COptionsWindow::OnRangeWaterfallWriteToBufferCheck(bool on)
{
    OnWaterfallWriteToBuffer(RangePage, on);
}

void COptionsWindow::OnRangeWaterfallBrowseButton()
{
    BrowseWaterfallBuffer(RangePage);
}

void COptionsWindow::OnRangeRadioGainCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pSky->SetGainIndex(index + 1);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioGain"), index);
}

void COptionsWindow::OnRangeWiredGainCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pSky->SetGainIndex(index);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("WiredGain"), index);
}

void COptionsWindow::OnRangeAcousticGainCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pAcoustic->SetGain(index);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("AcousticGain"), index);
}

void COptionsWindow::OnRangeDlaCommCombo(int index)
{
    if (index < 0)
        return;
    if (index == kDlaSelectIndex)
    {
        // Only the operator is asked for pins; a stored "Select" (which the window never writes) is
        // the pin pair as it stands. The combo's change to the pair comes back here and stores it.
        if (m_bReloading)
        {
            ui.m_pRangeDlaCommCombo->setCurrentIndex(kDlaPinPairIndex);
            return;
        }
        CDlaN1N2InputDialog dialog(nullptr);
        const bool accepted = Prompt().Exec(dialog) == QDialog::Accepted;
        if (accepted)
            g_DeviceThread.m_pDla->SetPins(static_cast<uint8_t>(dialog.m_n1stPin),
                                           static_cast<uint8_t>(dialog.m_n2ndPin));
        g_DeviceThread.m_pDla->SetComm(kDlaPinPairIndex);
        ui.m_pRangeDlaCommCombo->setCurrentIndex(kDlaPinPairIndex);
        // A cancelled dialog has no pins to show: the entry keeps naming the pair in use.
        if (accepted)
            ui.m_pRangeDlaCommCombo->setItemText(
                kDlaPinPairIndex, QStringLiteral("%1-%2").arg(dialog.m_n1stPin).arg(dialog.m_n2ndPin));
        g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaComm"), kDlaPinPairIndex);
        return;
    }
    g_DeviceThread.m_pDla->SetComm(index);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaComm"), index);
}

void COptionsWindow::OnRangeDlaGainCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pDla->SetGain(index);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaGain"), index);
}

void COptionsWindow::OnRangeRadioAttCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pSky->SetAttenuator(static_cast<uint8_t>(index));
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAtt"), index);
}

void COptionsWindow::OnRangeRadioAttSwCheck(bool on)
{
    g_DeviceThread.m_pSky->SetAttSwitch(on ? 1 : 0);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAttSw"), on ? 1 : 0);
}

void COptionsWindow::OnRangeRadioAmplSwCheck(bool on)
{
    g_DeviceThread.m_pSky->SetAmplSwitch(on ? 1 : 0);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioAmplSw"), on ? 1 : 0);
}

void COptionsWindow::OnRangeRadioFilterCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pSky->SetFilter(static_cast<uint8_t>(index));
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioFilter"), index);
}

void COptionsWindow::OnRangeFHSSCheck_0(bool on)
{
    g_DeviceThread.m_pKelthar->SetFlags(on, kFhssCaptureMask);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS0"), on ? 1 : 0);
    // Without FHSS capture the band spectrum is not left switched off.
    if (!on)
    {
        ui.m_pRangeFHSSCheck_1->setChecked(false);
        OnRangeFHSSCheck_1(false);
    }
}

void COptionsWindow::OnRangeFHSSCheck_1(bool on)
{
    g_DeviceThread.m_pKelthar->SetFlags(on, kDdcOffMask);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS1"), on ? 1 : 0);
}

void COptionsWindow::OnRangeFHSSCheck_2(bool on)
{
    g_DeviceThread.m_pKelthar->SetFlags(on, kSweepOffMask);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS2"), on ? 1 : 0);
}

void COptionsWindow::OnFHSSCombo(int index)
{
    if (index < 0)
        return;
    g_DeviceThread.m_pKelthar->SetFhssMode(index);
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("FHSS_mode"), index);
}

void COptionsWindow::ShowScanTuneStep()
{
    ui.m_pTuneNumberEdit->setText(QString::number(g_DeviceThread.m_pAdf->GetScanTuneStep()));
}

void COptionsWindow::OnScanningTuneBackButton()
{
    g_DeviceThread.m_pAdf->PrevScanTuneStep();
    ShowScanTuneStep();
}

void COptionsWindow::OnScanningTuneOffButton()
{
    g_DeviceThread.m_pAdf->NextScanTuneStep();
    ShowScanTuneStep();
}

void COptionsWindow::OnDdcFftAverChanged()
{
    if (ui.m_pDdcSpecAverCombo->currentIndex() >= 0)
        g_DeviceThread.m_pDdcFft1->SetAveraging(ui.m_pDdcSpecAverCombo->currentIndex());
}

void COptionsWindow::OnDdcFftWindowChanged()
{
    if (ui.m_pDdcSpecWindowCombo->currentIndex() >= 0)
        g_DeviceThread.m_pDdcFft1->SetWindow(ui.m_pDdcSpecWindowCombo->currentIndex());
}

void COptionsWindow::OnDdcSpecEnvelope(bool on)
{
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("SpecEnvelope"), on ? 1 : 0);
    emit ddcEnvelopeChanged(on);
}

void COptionsWindow::OnDdcWaterfallSpectrum(bool on)
{
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("WaterfallSpectrum"), on ? 1 : 0);
    emit ddcWaterfallChanged();
}

void COptionsWindow::OnDdcWaterfallWriteToBufferCheck(bool on)
{
    OnWaterfallWriteToBuffer(BandPage, on);
}

void COptionsWindow::OnDdcWaterfallBrowseButton()
{
    BrowseWaterfallBuffer(BandPage);
}

void COptionsWindow::OnDdcCombineOscEdited(const QString& text)
{
    emit ddcCombineOsc(TextToInt(text));
}

void COptionsWindow::OnDdcVectorLinesCheck(bool on)
{
    emit vectorShowLines(on);
}

void COptionsWindow::OnDdcVectorSamplesComboBox(const QString& text)
{
    emit vectorShowSamples(TextToInt(text));
}

void COptionsWindow::OnDdcBandwidthChanged(int index)
{
    emit ddcBandChanged(index);
}

void COptionsWindow::OnDemodFftAverChanged()
{
    if (ui.m_pDemodSpecAverCombo->currentIndex() >= 0)
        g_DeviceThread.m_pDemodFft1->SetAveraging(ui.m_pDemodSpecAverCombo->currentIndex());
}

void COptionsWindow::OnDemodFftWindowChanged()
{
    if (ui.m_pDemodSpecWindowCombo->currentIndex() >= 0)
        g_DeviceThread.m_pDemodFft1->SetWindow(ui.m_pDemodSpecWindowCombo->currentIndex());
}

void COptionsWindow::OnDemodSpecEnvelope(bool on)
{
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SpecEnvelope"), on ? 1 : 0);
    emit demodEnvelopeChanged(on);
}

void COptionsWindow::OnDemodWaterfallSpectrum(bool on)
{
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("WaterfallSpectrum"), on ? 1 : 0);
    emit demodWaterfallChanged();
}

void COptionsWindow::OnDemodWaterfallWriteToBufferCheck(bool on)
{
    OnWaterfallWriteToBuffer(DemodPage, on);
}

void COptionsWindow::OnDemodWaterfallBrowseButton()
{
    BrowseWaterfallBuffer(DemodPage);
}

void COptionsWindow::OnDemodCombineOscEdited(const QString& text)
{
    emit demodCombineOsc(TextToInt(text));
}

void COptionsWindow::OnDemodAudioDeviceChanged()
{
    // The main window reopens the sound output on the stored device: store an operator's choice
    // first. The reload's own fill and selection store nothing (it would overwrite the stored index).
    if (!m_bReloading && ui.m_pDemodAudioDeviceCombo->currentIndex() >= 0)
        g_Parameters.SetInt(kDemodOptions, QStringLiteral("AudioDevice"),
                            ui.m_pDemodAudioDeviceCombo->currentIndex());
    emit ddcBandChanged(ui.m_pDdcBandNameCombo->currentIndex());
}

void COptionsWindow::OnDemodUseAgcCheck(bool on)
{
    g_DeviceThread.m_pSoundEngine->SetUseAgc(on);
    ui.m_pDemodSoundLevelEdit->setEnabled(!on);
    ui.m_pDemodSoundLevelDial->setEnabled(!on);
    if (on)
    {
        m_Timer.start(kAgcRefreshMs);
        return;
    }
    m_Timer.stop();
    ApplySoundLevel(TextToInt(ui.m_pDemodSoundLevelEdit->text()));
}

void COptionsWindow::OnDemodSoundLevelEdit()
{
    ApplySoundLevel(TextToInt(ui.m_pDemodSoundLevelEdit->text()));
}

void COptionsWindow::OnDemodSoundLevelDial(int level)
{
    ui.m_pDemodSoundLevelEdit->setText(QString::number(level));
    g_DeviceThread.m_pSoundEngine->SetSoundLevel(level);
}

void COptionsWindow::OnDemodDeclickerEnableCheck(bool on)
{
    if (g_DeviceThread.m_pDeclicker)
        g_DeviceThread.m_pDeclicker->SetEnabled(on);
}

void COptionsWindow::OnDemodDeclickerCheck(bool on)
{
    if (g_DeviceThread.m_pDeclicker)
        g_DeviceThread.m_pDeclicker->SetDeclick(on);
}

void COptionsWindow::OnDemodDenoiserCheck(bool on)
{
    if (g_DeviceThread.m_pDeclicker)
        g_DeviceThread.m_pDeclicker->SetDenoise(on);
}

void COptionsWindow::OnDemodMfCheck(bool on)
{
    if (g_DeviceThread.m_pDeclicker)
        g_DeviceThread.m_pDeclicker->SetMf(on);
}

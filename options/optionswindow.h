#pragma once

#include <QString>
#include <QTimer>

#include <array>

#include "docktoolboxwindow.h"
#include "ui_optionswindow.h"

struct DDC_BAND_ITEM;

// The options dock: a tool box with the display and input settings of the range sweep (page 0), the
// DDC band (page 1) and the demodulator (page 2). It pushes the operator's choices to the device
// library through the device thread, keeps them in the settings document, and tells the main window
// and the views by signals what to redraw or reopen. Per-channel keys carry the channel type's prefix
// ("Hf", "Wl", ...).
class COptionsWindow : public CQDockToolboxWindow
{
    Q_OBJECT

    // The widgets; the base reaches the tool box through this form's pointer to it.
    Ui::COptionsWindowClass ui{};

public:
    enum Page
    {
        RangePage = 0,
        BandPage = 1,
        DemodPage = 2,
    };

    explicit COptionsWindow(QWidget* parent = nullptr);
    // Stores the state that only the window knows (page, window functions, vector, sound, combine).
    ~COptionsWindow() override;

    // Brings one page in line with the settings document and the current channel and pushes it to
    // the device. antennaMode (range page): 0 leaves the antenna controls, 1 the antenna switch is
    // available, 2 another window owns it. Any other page does nothing.
    void SetupOptionsWindow(int page, int antennaMode);
    // Shows or hides the dock; a page of 0..2 is then made current, any other keeps the stored one.
    void ShowPage(bool visible, int page);
    void SetPageEnabled(int page, bool enabled);
    void SetRangeGroupsVisible(bool spectrum, bool waterfall);
    void SetDdcGroupsVisible(bool spectrum, bool waterfall, bool osc, bool vector);
    void SetDemodGroupsVisible(bool spectrum, bool waterfall, bool osc);
    // The sample count shown by an entry of the vector samples list; 0 for an index without entry.
    int GetVectorSamples(int index) const;
    QString GetRangeWaterfallBufferPath() const;
    void SetRangeWaterfallTimeText(const QString& text);
    void SetRangeAveragingEnabled(bool enabled);
    // Back to the first averaging mode (which reaches the range transform through its slot).
    void ResetRangeAveraging();
    void SetDdcBandIndex(int index);
    // Makes entry `index` of the device's bandwidth table the current bandwidth and reloads its FIR
    // data; a failed load is shown to the operator.
    void ApplyBandwidth(int index);
    // Writes the device's whole bandwidth table, and the selected index, into the settings document.
    void StoreBandwidthTable();
    void StoreBandwidthIndex(int index);
    // Converter band choice: sends the device value and sets g_FreqOffset and m_nLmxMode.
    void SetLMX(int code);

    void setVisible(bool visible) override;

    // Pending converter-band notice for the main window's counters timer: 0 none, 1 or 2 the kind of
    // band chosen. The timer applies it and writes 0 back.
    int m_nLmxMode = 0;

signals:
    void bandwidthsChanged();
    void rangeWaterfallChanged();
    void rangeWaterfallBuffer(bool on, const QString& path);
    void ddcWaterfallChanged();
    void ddcWaterfallBuffer(bool on, const QString& path);
    void demodWaterfallChanged();
    void demodWaterfallBuffer(bool on, const QString& path);
    void ddcBandChanged(int index);
    void ddcCombineOsc(int count);
    void demodCombineOsc(int count);
    void vectorShowLines(bool lines);
    void vectorShowSamples(int samples);
    void rangeEnvelopeChanged(bool on);
    void ddcEnvelopeChanged(bool on);
    void demodEnvelopeChanged(bool on);

public slots:
    void OnTimer();
    void OnTimer2();
    void OnRangeFftAverChanged();
    void OnRangeFftWindowChanged();
    void OnRangeSpecEnvelope(bool on);
    void OnRangeWaterfallSpectrum(bool on);
    void OnRangeWaterfallWriteToBufferCheck(bool on);
    void OnRangeWaterfallBrowseButton();
    void OnRangeRadioGainCombo(int index);
    void OnRangeWiredGainCombo(int index);
    void OnRangeAcousticGainCombo(int index);
    void OnRangeDlaCommCombo(int index);
    void OnRangeDlaGainCombo(int index);
    void OnRangeRadioAttCombo(int index);
    void OnRangeRadioAttSwCheck(bool on);
    void OnRangeRadioAmplSwCheck(bool on);
    void OnRangeRadioFilterCombo(int index);
    // FHSS capture, DDC off and sweep off: bits 1, 2 and 4 of the core's flags.
    void OnRangeFHSSCheck_0(bool on);
    void OnRangeFHSSCheck_1(bool on);
    void OnRangeFHSSCheck_2(bool on);
    void OnFHSSCombo(int index);
    void OnManualSwitchRadio();
    void OnAutoSwitchRadio();
    void OnComm1Button();
    void OnComm2Button();
    void OnComm3Button();
    void OnComm4Button();
    // "SET": the switching points of the automatic antenna choice, applied however the dialog ends.
    void OnAutoSwitchButton();
    // Antenna 1..4, or 0 for switching by frequency.
    void OnRangeRadioComCombo(int value);
    void OnDdcFftAverChanged();
    void OnDdcFftWindowChanged();
    void OnDdcSpecEnvelope(bool on);
    void OnDdcWaterfallSpectrum(bool on);
    void OnDdcWaterfallWriteToBufferCheck(bool on);
    void OnDdcWaterfallBrowseButton();
    void OnDdcCombineOscEdited(const QString& text);
    void OnDdcVectorLinesCheck(bool on);
    void OnDdcVectorSamplesComboBox(const QString& text);
    void OnScanningTuneOffButton();
    void OnScanningTuneBackButton();
    void OnDdcBandwidthChanged(int index);
    // The bandwidth table editor: entry `index` shown in the fields, and its four buttons and the FIR
    // file choice.
    void OnDdcBandsCombo(int index);
    void OnDdcOpenFirButton();
    void OnDdcApplyButton();
    void OnDdcUpdateButton();
    void OnDdcInsertButton();
    void OnDdcRemoveButton();
    void OnDemodFftAverChanged();
    void OnDemodFftWindowChanged();
    void OnDemodSpecEnvelope(bool on);
    void OnDemodWaterfallSpectrum(bool on);
    void OnDemodWaterfallWriteToBufferCheck(bool on);
    void OnDemodWaterfallBrowseButton();
    void OnDemodCombineOscEdited(const QString& text);
    void OnDemodAudioDeviceChanged();
    void OnDemodUseAgcCheck(bool on);
    void OnDemodSoundLevelEdit();
    void OnDemodSoundLevelDial(int level);
    // The sound engine's declicker switches, passed on as given. No control of the window is wired
    // to them: the declicker group stays hidden.
    void OnDemodDeclickerEnableCheck(bool on);
    void OnDemodDeclickerCheck(bool on);
    void OnDemodDenoiserCheck(bool on);
    void OnDemodMfCheck(bool on);
    // Every converter band check: only the clicked one may stay checked.
    void OnLmxCheckClicked();
    // The converter's fixed settings 1, 2 and 3, sent as they are; the band checks, the pending
    // notice and the frequency offset stay as they were. The fourth button has no action.
    void OnLMX_Button_0();
    void OnLMX_Button_1();
    void OnLMX_Button_2();
    void OnLMX_Button_3();

public:
    // The three switching points of the automatic antenna choice, in units of 25 MHz.
    void OnRangeRadioComSlider(const int levels[3]);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The controls of one page's waterfall group that the reload and the buffer slots share.
    struct WaterfallGroup
    {
        QCheckBox* spectrumCheck;
        QCheckBox* writeToBufferCheck;
        QLineEdit* bufferPathEdit;
    };
    // The two lists of one page's spectrum group.
    struct SpectrumGroup
    {
        QComboBox* averCombo;
        QComboBox* windowCombo;
    };

    SpectrumGroup Spectrum(int page) const;
    WaterfallGroup Waterfall(int page) const;
    std::array<QPushButton*, 4> CommButtons() const;
    void Connect();

    void SetupRangePage(int antennaMode);
    void SetupAntenna(int antennaMode);
    void OnCommButton(int antenna);
    void SetupBandPage();
    void SetupDemodPage();
    void FillDisplayCombos(int page);
    void LoadWaterfallGroup(int page);
    void OnWaterfallWriteToBuffer(int page, bool on);
    // Runs the save dialog with the buffer filter of a page; a cancelled dialog changes nothing.
    void BrowseWaterfallBuffer(int page);
    void FillAudioDevices();
    void ApplySoundLevel(int level);
    QString Prefix() const;
    // Shows the tune step the scan uses now.
    void ShowScanTuneStep();

    // Puts the stored bandwidth rows of the current channel type into the device's table.
    void LoadBandwidthTable();
    // The entry the editor's fields describe; false (after a warning) when it cannot be used.
    bool BandFromControls(DDC_BAND_ITEM* band);
    // Apply without its question: false when the fields were refused.
    bool ApplyBandFromControls();
    // A table of one entry keeps it: the last bandwidth cannot be removed.
    void UpdateRemoveBandButton();

    // 0 until the settle timer first fires: until then a range averaging change is not stored.
    int m_bSettled = 0;
    // Set while a reload puts the stored values into the controls: the slots their changes run then
    // know that no operator chose them.
    bool m_bReloading = false;
    // AGC level display, 100 ms while the sound AGC is on.
    QTimer m_Timer;
    // Settle timer, once, 3000 ms after construction.
    QTimer m_Timer2;
};

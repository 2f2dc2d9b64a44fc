#pragma once

#include <QTimer>

#include <cstdint>
#include <memory>

#include "dockwindow.h"
#include "generatorparams.h"

class IKelthar;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QEvent;
class QLabel;
class QRadioButton;

namespace Ui
{
class ZantigoClass;
}

// The signal generator: the operator picks a band, a modulation mode in it, the carrier and the power;
// the window keeps all of it in the transmitter's 224-byte parameter block and, once a second while it
// is visible, sends the block to the core when some byte changed. The current block and the operator's
// named signals are kept in the settings file and exchanged as signal-list files. The main window's
// transmitter button switches the output with the window's visibility through SetPowerOn.
class Zantigo : public CQDockWindow
{
    Q_OBJECT

public:
    static constexpr int kBlockSize = static_cast<int>(sizeof(GENERATOR_PARAMS));
    static constexpr int kBandCount = 7;
    static constexpr int kSelectionCount = 20;
    static constexpr int kRfPowerSteps = 20;

    // `core` receives the blocks; the device thread's core when null.
    explicit Zantigo(QWidget* parent = nullptr, IKelthar* core = nullptr);
    // Stores the current settings.
    ~Zantigo() override;

    // Checks or unchecks "Turn ON Power" and runs the tick at once, so a visible window sends the new
    // power state without waiting for the next second.
    void SetPowerOn(bool on);

    // Rebuilds the working block from the controls; true when it differs from the copy sent last (the
    // copy then takes it).
    bool BuildParamBlock();
    // Refills the RF power list and restores the power controls from bytes 207 and 208.
    void UpdatePowerLabel();

    // -1 factory reset, 0 the current settings and the user list, k >= 1 user signal k into the window.
    void LoadSettings(int n);
    // 0 the current settings, k >= 1 the block as user signal k; both rewrite the title list.
    void SaveSettings(int n);
    // Copies stored user signal `from` to slot `to`; nothing when either is 0.
    void SaveUserPreset(int from, int to);

    const uint8_t* GetBlock() const { return m_Block; }
    uint8_t* GetBlock() { return m_Block; }

public slots:
    void OnTimer();
    void OnTimerPulse();
    void OnButton0();
    void OnButton1();
    void OnButton2();
    void OnButton3();
    void OnButton4();
    void OnButton5();
    void OnButton6();
    void OnSmsButton();
    void OnRadio0();
    void OnRadio1();
    void OnRadio2();
    void OnRadio21();
    void OnRadio3();
    void OnRadio4();
    void OnRadio5();
    void OnRadio6();
    void OnRadio7();
    void OnRadio8();
    void OnRadio9();
    void OnRadio10();
    void OnRadio11();
    void OnRadio12();
    void OnRadio13();
    void OnRadio14();
    void OnRadio15();
    void OnRadio16();
    void OnRadio17();
    void OnRadio18();
    void OnDownButton();
    void OnUpButton();
    void OnFreqStepValueChanged(int value);
    void OnDefaultButton();
    void OnAboutButton();
    void OnUserAddButton();
    void OnUserSaveButton();
    void OnUserDeleteButton();
    void OnUserSaveListButton();
    void OnUserLoadListButton();
    void OnUserCombo(int index);

protected:
    // The wheel over the carrier spin box steps it the other way round (see the definition).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The window's controls as each band and mode shows them.
    void HideModeControls();
    void UpdateModulationControls();
    void UpdateFrequencySpin();
    void UpdateStepLabel();
    void RestoreModulationSelection();
    // Shows band `band` as its button does.
    void SelectBand(int band);
    // The mode radio button of selection `sel` (0..19); null outside.
    QRadioButton* RadioOf(int sel) const;
    // The factory block into the working block (bytes the factory leaves alone keep their values).
    void MakeFactoryBlock();
    // Puts the working block into the controls, then its band and selection, as loading does.
    void ShowBlock();

    IKelthar* m_pCore;
    uint8_t m_Block[sizeof(GENERATOR_PARAMS)] = {};
    uint8_t m_SentBlock[sizeof(GENERATOR_PARAMS)] = {};
    std::unique_ptr<Ui::ZantigoClass> m_ui;
    QTimer m_Timer;
    QTimer m_PulseTimer;
    int m_nPulseCounter = 0;
};

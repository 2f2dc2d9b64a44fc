#pragma once

#include <QTimer>

#include "dockwindow.h"
#include "generatorparams.h"

class IKelthar;
class QCheckBox;
class QComboBox;
class QLabel;

// The signal generator: the window keeps the transmitter's 224-byte parameter block and, once a second
// while it is visible, sends it to the core when some byte changed. The main window's transmitter
// button switches the output with the window's visibility through SetPowerOn.
class Zantigo : public CQDockWindow
{
    Q_OBJECT

public:
    static constexpr int kBlockSize = static_cast<int>(sizeof(GENERATOR_PARAMS));
    static constexpr int kRfPowerSteps = 20;

    // `core` receives the blocks; the device thread's core when null.
    explicit Zantigo(QWidget* parent = nullptr, IKelthar* core = nullptr);
    ~Zantigo() override;

    // Checks or unchecks "Turn ON Power" and runs the tick at once, so a visible window sends the new
    // power state without waiting for the next second.
    void SetPowerOn(bool on);

    // Rebuilds the working block from the controls; true when it differs from the copy sent last (the
    // copy then takes it).
    bool BuildParamBlock();

    const uint8_t* GetBlock() const { return m_Block; }

    QCheckBox* m_pPowerCheckBox = nullptr;
    QComboBox* m_pRfPowerCombo = nullptr;
    QLabel* m_pStatusLabel = nullptr;

public slots:
    void OnTimer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    IKelthar* m_pCore;
    uint8_t m_Block[sizeof(GENERATOR_PARAMS)] = {};
    uint8_t m_SentBlock[sizeof(GENERATOR_PARAMS)] = {};
    QTimer m_Timer;
};

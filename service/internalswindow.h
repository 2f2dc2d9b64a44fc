#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "dockwindow.h"

class IDlaControl;
class ISkyControl;
class QKeyEvent;
class QLineEdit;
class QTableWidget;

namespace Ui
{
class CInternalsWindowClass;
}

// The engineering window "Internals": low-level device settings the operator's windows do not show
// (synthesizer switches and scan speed, the front-end bytes, the device thread's cycle delay and device
// name, gain PWM, clock divider, packet size, probe identification), the three calibration tables, and
// the information rows the main window's counters timer writes while the window is visible. Every
// control acts at once on the library or the device thread, or emits a signal to the main window; the
// window keeps no settings of its own beyond its dock state ("InternalsWindow").
class CInternalsWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // Longest cycle delay accepted, ms: the device loop sleeps that long on every pass and the program
    // waits for the loop at exit.
    static constexpr int kMaxCycleDelayMs = 10000;

    // dla: the wired-line control whose debug mode follows the window's visibility; by default the
    // control-bits object's. The library reports no debug mode back, so tests hand in a recording one.
    explicit CInternalsWindow(QWidget* parent = nullptr, IDlaControl* dla = nullptr);
    ~CInternalsWindow() override;

    // Grows the information table to row + 1 rows when needed and sets the row's two cells.
    void SetInfoRow(int row, const QString& parameter, const QString& value);

    // The information table of the form, which the main window's counters fill.
    QTableWidget* m_pTableWidget = nullptr;

signals:
    void showOscButton(bool visible);
    void useDdcFftCorr(bool on);
    void clkDivCntChanged(int count);

public slots:
    void OnDelayEdit();
    void OnDevNameEdit();
    void OnShowOscBtnCheck(bool checked);
    void OnUseDdcFftCorrCheck(bool checked);
    void OnPackSizeCombo(int index);
    void OnAlterChannelCheck(bool checked);
    void OnClkDivEdit();
    void OnIgnoreIdentCheck(bool checked);
    void OnEnableAdf4350Check(bool checked);
    void OnQuasiIQCheck(bool checked);
    void OnQuasiIQDiffCheck(bool checked);
    void OnOnHalfBandEnableCheck(bool checked);
    void OnOnlyDdcCheck(bool checked);
    void OnWithoutDdcCheck(bool checked);
    void OnScanSpeedEdit();
    void OnRestoreAdfButton();
    void OnSaveAdfButton();
    void OnImpAdfButton();
    void OnExpAdfButton();
    void OnRestoreOscButton();
    void OnSaveOscButton();
    void OnImpOscButton();
    void OnExpOscButton();
    void OnRestoreDbmButton();
    void OnSaveDbmButton();
    void OnImpDbmButton();
    void OnExpDbmButton();
    void OnSkyStrobEdit();
    void OnSkyAmplEdit();
    void OnSkyGainEdit();
    void OnSkyFreqEdit();
    void OnSkyStepEdit();
    void OnSkyStepStrobEdit();
    void OnGainPwmEdit();
    void OnVisibilityChanged(bool visible);
    void OnTestButton();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Table
    {
        Dbm,
        Osc,
        Adf
    };

    // What Apply does with a cell: leaves it, takes it as a double, or takes it as a 16-bit shift.
    enum class CellKind
    {
        Ignored,
        Value,
        Shift
    };

    struct CellValue
    {
        int row;
        int column;
        double value;
    };

    void FillDbmTable();
    void FillOscTable();
    void FillAdfTable();
    // False, with nothing written to the device, when a changed cell holds no acceptable value.
    bool ApplyDbmTable();
    bool ApplyOscTable();
    bool ApplyAdfTable();

    // Writes a cell and remembers the text, so Apply can tell the cells the operator changed.
    static void SetFilledCell(QTableWidget* table, int row, int column, const QString& text);
    // The cells of `table` whose text changed since the last fill and that `kindOf` does not ignore;
    // nothing, after a warning naming the first bad cell, when one of them holds no acceptable value.
    std::optional<std::vector<CellValue>> ChangedCells(QTableWidget* table,
                                                       const std::function<CellKind(int, int)>& kindOf);

    void Fill(Table table);
    bool Apply(Table table);
    void Import(Table table);
    void Export(Table table);
    void Save(Table table);
    void WarnWriteFailed();

    // Sends the edit's text to a byte register when it is a whole number 0..255, else marks the edit.
    void SendByte(QLineEdit* edit, const std::function<void(uint8_t)>& setter);
    static void MarkRefused(QLineEdit* edit, bool refused);

    std::unique_ptr<Ui::CInternalsWindowClass> m_ui;
    // Members of the library's control-bits object, never freed here.
    ISkyControl* m_pSkyControl = nullptr;
    IDlaControl* m_pDlaControl = nullptr;
};

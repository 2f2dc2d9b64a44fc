#pragma once

#include <QString>

#include "dockwindow.h"

class QLineEdit;
class QTableWidget;
class QToolBox;

// The engineering window: the information rows the main window refreshes, the device thread's cycle
// delay and device name, and the import, export and save of the correction tables.
class CInternalsWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // Longest cycle delay accepted, ms: the device loop sleeps that long on every pass and the program
    // waits for the loop at exit.
    static constexpr int kMaxCycleDelayMs = 10000;

    explicit CInternalsWindow(QWidget* parent = nullptr);
    ~CInternalsWindow() override;

    // Grows the information table to row + 1 rows when needed and sets the row's two cells.
    void SetInfoRow(int row, const QString& name, const QString& value);

    QToolBox* m_pToolBox = nullptr;
    QTableWidget* m_pTableWidget = nullptr;
    QLineEdit* m_pDelayEdit = nullptr;
    QLineEdit* m_pDevNameEdit = nullptr;
    QLineEdit* m_pClkDivEdit = nullptr;

signals:
    void showOscButton(bool visible);
    void useDdcFftCorr(bool on);
    void clkDivCntChanged(int count);

public slots:
    void OnDelayEdit();
    void OnDevNameEdit();
    void OnClkDivEdit();
    void OnShowOscBtnCheck(bool checked);
    void OnUseDdcFftCorrCheck(bool checked);
    void OnImpDbmButton();
    void OnImpOscButton();
    void OnImpAdfButton();
    void OnExpDbmButton();
    void OnExpOscButton();
    void OnExpAdfButton();
    void OnSaveDbmButton();
    void OnSaveOscButton();
    void OnSaveAdfButton();

private:
    enum class Table
    {
        Dbm,
        Osc,
        Adf
    };
    void Import(Table table);
    void Export(Table table);
    void Save(Table table);
    void WarnWriteFailed();

    QWidget* BuildInformationPage();
    QWidget* BuildCorrectionsPage();
    QWidget* BuildOtherPage();
};

#pragma once

#include <QDialog>

#include <memory>

class IScaner;

namespace Ui
{
class CScanerOptionsDialogClass;
}

// The eight scanning-receiver models: the operator picks one, edits it in the receiver's model table
// ("Save Values"), restores the factory table ("Reset") and with OK stores the chosen model and its
// values in the settings. There is no Cancel: closing the frame keeps the table's changes for this run
// and stores nothing.
class CScanerOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // The receiver is the device thread's unless one is given. Not owned.
    explicit CScanerOptionsDialog(QWidget* parent = nullptr, IScaner* scaner = nullptr);
    ~CScanerOptionsDialog() override;

    // Fills the fields from the receiver's model `index`; leaves them as they are when there is none.
    void ShowModel(int index);

    int GetModelIndex() const { return m_nModelIndex; }
    const Ui::CScanerOptionsDialogClass& Form() const { return *m_ui; }

public slots:
    void OnIcR8500Radio();
    void OnAr5000Radio();
    void OnAr8600Radio();
    void OnAr3000ARadio();
    void OnCustom1Radio();
    void OnCustom2Radio();
    void OnCustom3Radio();
    void OnCustom4Radio();
    void OnResetButton();
    void OnSaveButton();
    void OnOkButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    void SelectModel(int index);

    std::unique_ptr<Ui::CScanerOptionsDialogClass> m_ui;
    IScaner* m_pScaner;
    int m_nModelIndex = 0;
};

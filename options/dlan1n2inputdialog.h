#pragma once

#include <QDialog>

#include <memory>

namespace Ui
{
class CDlaN1N2InputDialogClass;
}

// "Pins Input": the two pin numbers (1..8) that the wired-line input connects when the operator picks
// "Select" as its connector. The numbers are taken only by OK; they are not compared, so both may be
// equal.
class CDlaN1N2InputDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CDlaN1N2InputDialog(QWidget* parent = nullptr);
    ~CDlaN1N2InputDialog() override;

    Ui::CDlaN1N2InputDialogClass& Form() { return *m_ui; }

    // Set by OK; 0 until then.
    int m_n1stPin = 0;
    int m_n2ndPin = 0;

public slots:
    void OnOkButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CDlaN1N2InputDialogClass> m_ui;
};

#pragma once

#include <QDialog>

#include <memory>

namespace Ui
{
class CSelectMeasurementsDialogClass;
}
class MeasurementList;

// A check list of the rows of one measurements list: the operator chooses which rows the window
// shows. "Close" stores the check states in the list (and so in the settings); closing the window
// by its close box keeps the old choice.
class CSelectMeasurementsDialog : public QDialog
{
    Q_OBJECT

public:
    // The list must outlive the dialog.
    explicit CSelectMeasurementsDialog(MeasurementList* list, QWidget* parent = nullptr);
    ~CSelectMeasurementsDialog() override;

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::CSelectMeasurementsDialogClass> m_ui;
    MeasurementList* m_pList;
};

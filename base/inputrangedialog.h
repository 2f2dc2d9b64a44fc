#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

#include <memory>

class QComboBox;
class QLineEdit;

namespace Ui
{
class CInputRangeDialogClass;
}

// The small modal question for one value or a pair of values (the start and end of a range), each
// typed in a unit chosen from a combo box beside it. Callers hand it the values in base units and a
// list of units with their multipliers (shown = base × multiplier) and read base units back after
// the dialog was accepted; they check the values themselves.
//
//   CInputRangeDialog dialog("FrequencyRangeInput");
//   dialog.SetTexts(tr("Frequency Range Input"), tr("From:"), tr("To:"));
//   dialog.AddUnit(tr("MHz"), 1.0);
//   dialog.AddUnit(tr("kHz"), 1000.0);
//   dialog.SetFirstValue(from, 2);
//   dialog.SetSecondValue(to, 2);
//   if (Prompt().Exec(dialog) == QDialog::Accepted)
//       Use(dialog.GetFirstValue(), dialog.GetSecondValue());
//
// The unit last accepted for each row is remembered in the settings section "InputRangeDialog" under
// the dialog's name followed by "1" or "2", so it does not change with the interface language.
class CInputRangeDialog : public QDialog
{
    Q_OBJECT

public:
    // `name` identifies the dialog in the settings (and is its object name), e.g. "SetTriggerLevel".
    explicit CInputRangeDialog(const QString& name, QWidget* parent = nullptr);
    ~CInputRangeDialog() override;

    // An empty second label makes it a one-value dialog: the second row is hidden.
    void SetTexts(const QString& title, const QString& firstLabel, const QString& secondLabel);
    // Appends a unit to both combos; the value is shown multiplied by `multiplier`.
    void AddUnit(const QString& name, double multiplier);
    // Shows `value` (base units) with `decimals` decimals in the row's remembered unit.
    void SetFirstValue(double value, int decimals);
    void SetSecondValue(double value, int decimals);
    double GetFirstValue() const { return m_firstValue; }
    double GetSecondValue() const { return m_secondValue; }

    // Selects the first field's text so typing replaces it and disables a combo with a single unit,
    // then runs the dialog. Run it through the prompt facade.
    int exec() override;

    // The settings section and key under which a row's unit is remembered (row 1 or 2).
    static QString SettingsSection();
    QString UnitKey(int row) const;

private slots:
    void OnFirstEditTextEdited(const QString& text);
    void OnSecondEditTextEdited(const QString& text);
    void OnFirstComboActivated(int index);
    void OnSecondComboActivated(int index);
    void OnOkButtonClicked();
    void OnCancelButtonClicked();

private:
    struct Row
    {
        QLineEdit* edit;
        QComboBox* combo;
        double* value;
        int* decimals;
    };

    Row GetRow(int row);
    void SetValue(int row, double value, int decimals);
    void ShowValue(int row, int unitIndex);
    void TakeTypedText(int row, const QString& text);
    // The multiplier of unit `index`; 1.0 (base units) when there is no such unit.
    double Multiplier(int index) const;
    // The remembered unit of a row, or 0 when none is stored or the stored one no longer exists.
    int StoredUnitIndex(int row) const;

    std::unique_ptr<Ui::CInputRangeDialogClass> m_ui;
    QString m_name;
    double m_firstValue = 0.0;
    double m_secondValue = 0.0;
    int m_firstDecimals = 0;
    int m_secondDecimals = 0;
    QVector<double> m_multipliers;
};

#pragma once

#include <QDialog>

#include <memory>

class ISignalsArchive;

namespace Ui
{
class CFromArchiveDialog;
}

// "Add From Archive": picks the archive group whose entries become ranges of a template, and whether
// the ranges are widened. The caller reads the group's entries itself.
class CFromArchiveDialog : public QDialog
{
    Q_OBJECT

public:
    // `archive` lists the groups; the device thread's archive when null.
    explicit CFromArchiveDialog(QWidget* parent = nullptr, ISignalsArchive* archive = nullptr);
    ~CFromArchiveDialog() override;

    int m_nGroup = -1;  // id of the chosen group; -1 until OK
    bool m_bIncrease = false;

    Ui::CFromArchiveDialog& Form() { return *m_ui; }

public slots:
    void OnOkButton();

private:
    std::unique_ptr<Ui::CFromArchiveDialog> m_ui;
};

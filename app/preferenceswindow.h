#pragma once

#include <QDialog>
#include <QString>

#include "ui_preferenceswindow.h"

class QEvent;

// The modal preferences dialog of the Tools menu: the views' custom colours, the signals archive's
// folder and how the SDR is reached. It keeps nothing of its own: it shows what the settings
// document and the library hold and writes every change straight back there. A chosen colour is
// stored at once; the colour switches, the SDR address and the folder on Apply.
class CPreferencesWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CPreferencesWindow(QWidget* parent = nullptr);

    // The swatch style sheet for colour key `key` of group "Colors" (unsigned ARGB, 0 when missing).
    static QString GetColorStyleSheet(const QString& key);

    Ui::CPreferencesWindowClass ui;

signals:
    // Apply was pressed: the views should read group "Colors" again.
    void colorsChanged();

public slots:
    void OnApplyButton();
    // Shared by the nine Choose buttons: the sender's name says which element it is for.
    void OnChooseButton();
    void OnBrowseButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    // The form's USB text carries a placeholder for the address the device initialisation uses.
    void ShowDefaultAddress();
};

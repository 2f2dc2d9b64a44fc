#pragma once

#include <QColor>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Everything that waits for the operator goes through here: message boxes and questions, file,
// folder, text and colour dialogs, and the modal run of the program's own dialogs. The program answers
// with Qt's dialogs; tests install a scripted answerer, so no test ever blocks in a modal loop.
//
//   if (Prompt().Question(this, title, tr("Delete?"), QMessageBox::Yes | QMessageBox::No) ==
//   QMessageBox::Yes)
//
// The arguments mirror the Qt static functions they stand for. Prompts are asked on the GUI thread.
class IPrompt
{
public:
    virtual ~IPrompt() = default;

    // A message box; the button pressed, or the escape button's value when it was closed.
    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                                const QString& text, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;

    // File and folder choosers: an empty text (or list) when the operator cancels.
    virtual QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder) = 0;

    // A line of text; *ok (when given) tells whether the dialog was accepted.
    virtual QString GetText(QWidget* parent, const QString& title, const QString& label,
                            QLineEdit::EchoMode mode, const QString& text, bool* ok) = 0;

    // The standard colour dialog: an invalid colour when the operator cancels.
    virtual QColor GetColor(const QColor& initial, QWidget* parent, const QString& title) = 0;

    // Runs a dialog of the program modally (its exec()) and returns its result code.
    virtual int Exec(QDialog& dialog) = 0;

    QMessageBox::StandardButton Information(
        QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton Warning(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton Critical(QWidget* parent, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton Question(QWidget* parent, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Yes |
                                                                                QMessageBox::No,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
};

// The answerer in use: Qt's dialogs unless another one was installed.
IPrompt& Prompt();
// Makes `prompt` the answerer (nullptr: Qt's dialogs again) and returns the previous one, or nullptr
// when that was Qt's. The caller keeps ownership.
IPrompt* InstallPrompt(IPrompt* prompt);

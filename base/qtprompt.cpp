#include "qtprompt.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>

QMessageBox::StandardButton CQtPrompt::Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton)
{
    switch (icon)
    {
        case QMessageBox::Question:
            return QMessageBox::question(parent, title, text, buttons, defaultButton);
        case QMessageBox::Warning:
            return QMessageBox::warning(parent, title, text, buttons, defaultButton);
        case QMessageBox::Critical:
            return QMessageBox::critical(parent, title, text, buttons, defaultButton);
        case QMessageBox::Information:
        case QMessageBox::NoIcon:
            break;
    }
    return QMessageBox::information(parent, title, text, buttons, defaultButton);
}

QString CQtPrompt::GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString CQtPrompt::GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

QString CQtPrompt::GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

QString CQtPrompt::GetText(QWidget* parent, const QString& title, const QString& label,
                           QLineEdit::EchoMode mode, const QString& text, bool* ok)
{
    return QInputDialog::getText(parent, title, label, mode, text, ok);
}

QColor CQtPrompt::GetColor(const QColor& initial, QWidget* parent, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title);
}

int CQtPrompt::Exec(QDialog& dialog)
{
    return dialog.exec();
}

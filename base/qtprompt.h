#pragma once

#include "prompt.h"

// The operator answers: each prompt is the Qt dialog it stands for.
class CQtPrompt : public IPrompt
{
public:
    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder) override;
    QString GetText(QWidget* parent, const QString& title, const QString& label, QLineEdit::EchoMode mode,
                    const QString& text, bool* ok) override;
    QColor GetColor(const QColor& initial, QWidget* parent, const QString& title) override;
    int Exec(QDialog& dialog) override;
};

#include "prompt.h"

#include "qtprompt.h"

namespace
{
IPrompt* g_installedPrompt = nullptr;
}  // namespace

QMessageBox::StandardButton IPrompt::Information(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return Message(parent, QMessageBox::Information, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IPrompt::Warning(QWidget* parent, const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    return Message(parent, QMessageBox::Warning, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IPrompt::Critical(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    return Message(parent, QMessageBox::Critical, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IPrompt::Question(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    return Message(parent, QMessageBox::Question, title, text, buttons, defaultButton);
}

IPrompt& Prompt()
{
    static CQtPrompt qtPrompt;
    return g_installedPrompt ? *g_installedPrompt : qtPrompt;
}

IPrompt* InstallPrompt(IPrompt* prompt)
{
    IPrompt* previous = g_installedPrompt;
    g_installedPrompt = prompt;
    return previous;
}

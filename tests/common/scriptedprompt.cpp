#include "scriptedprompt.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <utility>

CScriptedPrompt::CScriptedPrompt() : m_previous(InstallPrompt(this))
{
}

CScriptedPrompt::~CScriptedPrompt()
{
    InstallPrompt(m_previous);
    for (const Step& step : m_steps)
        ADD_FAILURE() << "scripted " << KindName(step.kind) << " prompt"
                      << (step.expectedText.isEmpty() ? std::string()
                                                      : " \"" + step.expectedText.toStdString() + "\"")
                      << " was never asked";
}

const char* CScriptedPrompt::KindName(Kind kind)
{
    switch (kind)
    {
        case Kind::Message:
            return "message";
        case Kind::OpenFile:
            return "open-file";
        case Kind::SaveFile:
            return "save-file";
        case Kind::Directory:
            return "folder";
        case Kind::Text:
            return "text";
        case Kind::Color:
            return "colour";
        case Kind::Dialog:
            return "dialog";
    }
    return "?";
}

CScriptedPrompt& CScriptedPrompt::Add(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

CScriptedPrompt& CScriptedPrompt::Answer(QMessageBox::StandardButton button, const QString& expectedText)
{
    Step step(Kind::Message, expectedText);
    step.button = button;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::AnswerOpenFile(const QString& path, const QString& expectedText)
{
    Step step(Kind::OpenFile, expectedText);
    step.text = path;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::AnswerSaveFile(const QString& path, const QString& expectedText)
{
    Step step(Kind::SaveFile, expectedText);
    step.text = path;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::AnswerDirectory(const QString& path, const QString& expectedText)
{
    Step step(Kind::Directory, expectedText);
    step.text = path;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::AnswerText(const QString& text, const QString& expectedText)
{
    Step step(Kind::Text, expectedText);
    step.text = text;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::CancelText(const QString& expectedText)
{
    Step step(Kind::Text, expectedText);
    step.accepted = false;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::AnswerColor(const QColor& color, const QString& expectedText)
{
    Step step(Kind::Color, expectedText);
    step.color = color;
    return Add(std::move(step));
}

CScriptedPrompt& CScriptedPrompt::RunDialog(DialogAction action, const QString& expectedText)
{
    Step step(Kind::Dialog, expectedText);
    step.action = std::move(action);
    return Add(std::move(step));
}

bool CScriptedPrompt::Take(Step* step)
{
    const Record& asked = m_asked.back();
    const std::string what = std::string(KindName(asked.kind)) + " prompt \"" + asked.title.toStdString() +
                             "\" / \"" + asked.text.toStdString() + "\"";
    if (m_steps.empty())
    {
        ADD_FAILURE() << "unscripted " << what;
        return false;
    }
    Step& next = m_steps.front();
    if (next.kind != asked.kind)
    {
        ADD_FAILURE() << "the script expected a " << KindName(next.kind) << " prompt, got the " << what;
        return false;
    }
    if (!next.expectedText.isEmpty() && !asked.text.contains(next.expectedText) &&
        !asked.title.contains(next.expectedText))
    {
        ADD_FAILURE() << "the script expected a " << KindName(next.kind) << " prompt with \""
                      << next.expectedText.toStdString() << "\", got the " << what;
        return false;
    }
    *step = std::move(next);
    m_steps.pop_front();
    return true;
}

QMessageBox::StandardButton CScriptedPrompt::Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                                     const QString& text,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton)
{
    m_asked.push_back({Kind::Message, icon, title, text, QString(), buttons});
    Step step;
    if (!Take(&step))
        return QMessageBox::NoButton;
    EXPECT_TRUE(buttons.testFlag(step.button))
        << "the scripted answer is not one of the buttons of \"" << text.toStdString() << "\"";
    return step.button;
}

QString CScriptedPrompt::GetOpenFileName(QWidget*, const QString& caption, const QString& folder,
                                         const QString& filter)
{
    m_asked.push_back({Kind::OpenFile, QMessageBox::NoIcon, caption, filter, folder, {}});
    Step step;
    return Take(&step) ? step.text : QString();
}

QString CScriptedPrompt::GetSaveFileName(QWidget*, const QString& caption, const QString& folder,
                                         const QString& filter)
{
    m_asked.push_back({Kind::SaveFile, QMessageBox::NoIcon, caption, filter, folder, {}});
    Step step;
    return Take(&step) ? step.text : QString();
}

QString CScriptedPrompt::GetExistingDirectory(QWidget*, const QString& caption, const QString& folder)
{
    m_asked.push_back({Kind::Directory, QMessageBox::NoIcon, caption, QString(), folder, {}});
    Step step;
    return Take(&step) ? step.text : QString();
}

QString CScriptedPrompt::GetText(QWidget*, const QString& title, const QString& label, QLineEdit::EchoMode,
                                 const QString& text, bool* ok)
{
    m_asked.push_back({Kind::Text, QMessageBox::NoIcon, title, label, text, {}});
    Step step;
    const bool taken = Take(&step);
    if (ok)
        *ok = taken && step.accepted;
    return taken && step.accepted ? step.text : QString();
}

QColor CScriptedPrompt::GetColor(const QColor& initial, QWidget*, const QString& title)
{
    m_asked.push_back(
        {Kind::Color, QMessageBox::NoIcon, title, QString(), initial.name(QColor::HexArgb), {}});
    Step step;
    return Take(&step) ? step.color : QColor();
}

int CScriptedPrompt::Exec(QDialog& dialog)
{
    m_asked.push_back(
        {Kind::Dialog, QMessageBox::NoIcon, dialog.windowTitle(), dialog.objectName(), QString(), {}});
    Step step;
    if (!Take(&step))
        return QDialog::Rejected;

    // Called from inside the dialog's own modal loop, once it is running.
    QPointer<QDialog> running(&dialog);
    QTimer::singleShot(0, &dialog,
                       [running, action = std::move(step.action)]()
                       {
                           const int result = action ? action(*running) : int(QDialog::Rejected);
                           if (running && running->isVisible())
                               running->done(result);
                       });
    return dialog.exec();
}

#pragma once

#include <QColor>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

#include "prompt.h"

// Answers the program's prompts from a script for as long as it lives: it installs itself on
// construction and puts the previous answerer back on destruction. Steps are consumed in order and
// each must meet a prompt of its kind; a prompt nobody scripted, a prompt of another kind, or a step
// left over at the end fails the running test. Every prompt asked is recorded.
//
//   CScriptedPrompt prompt;
//   prompt.Answer(QMessageBox::Yes, "reset all settings").AnswerSaveFile(dir.File("a.ini"));
//   window.OnDefaultParameters();
//   EXPECT_EQ(prompt.Asked().size(), 1u);
//
// A dialog run through Exec really runs its modal loop; the scripted action is called from inside it
// (fill the fields, press a button) and its result closes the dialog if the action left it open.
class CScriptedPrompt : public IPrompt
{
public:
    enum class Kind
    {
        Message,
        OpenFile,
        SaveFile,
        Directory,
        Text,
        Color,
        Dialog
    };

    // One prompt as it was asked.
    struct Record
    {
        Kind kind;
        QMessageBox::Icon icon = QMessageBox::NoIcon;  // message boxes
        QString title;                                 // title or caption
        QString text;                                  // message text, input label, file filter, dialog name
        QString initial;                               // start folder, initial text, initial colour
        QMessageBox::StandardButtons buttons;          // message boxes
    };

    using DialogAction = std::function<int(QDialog&)>;

    CScriptedPrompt();
    ~CScriptedPrompt() override;
    CScriptedPrompt(const CScriptedPrompt&) = delete;
    CScriptedPrompt& operator=(const CScriptedPrompt&) = delete;

    // Each step may name a text that the prompt's text (or label, or caption) must contain.
    CScriptedPrompt& Answer(QMessageBox::StandardButton button, const QString& expectedText = QString());
    // An empty path cancels the dialog.
    CScriptedPrompt& AnswerOpenFile(const QString& path, const QString& expectedText = QString());
    CScriptedPrompt& AnswerSaveFile(const QString& path, const QString& expectedText = QString());
    CScriptedPrompt& AnswerDirectory(const QString& path, const QString& expectedText = QString());
    CScriptedPrompt& AnswerText(const QString& text, const QString& expectedText = QString());
    CScriptedPrompt& CancelText(const QString& expectedText = QString());
    // An invalid colour cancels the dialog.
    CScriptedPrompt& AnswerColor(const QColor& color, const QString& expectedText = QString());
    CScriptedPrompt& RunDialog(DialogAction action, const QString& expectedText = QString());

    const std::vector<Record>& Asked() const { return m_asked; }
    size_t Pending() const { return m_steps.size(); }

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

    static const char* KindName(Kind kind);

private:
    struct Step
    {
        Step() = default;
        Step(Kind k, const QString& expected) : kind(k), expectedText(expected) {}

        Kind kind = Kind::Message;
        QString expectedText;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString text;
        bool accepted = true;
        QColor color;
        DialogAction action;
    };

    CScriptedPrompt& Add(Step step);
    // The next step when it fits the prompt just recorded; otherwise the test fails and nothing is
    // returned, and the caller answers as if the operator had cancelled.
    bool Take(Step* step);

    std::deque<Step> m_steps;
    std::vector<Record> m_asked;
    IPrompt* m_previous = nullptr;
};

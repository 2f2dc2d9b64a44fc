#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QLatin1String>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>

#include "scriptedprompt.h"

// One run of the range input dialog: the two texts typed over what its fields held, then `button`
// pressed. What the dialog showed first (its title, its two fields) goes where asked; the run answers
// the dialog's result.
inline CScriptedPrompt::DialogAction TypeRange(const QString& first, const QString& second,
                                               QString* title = nullptr, const char* button = "m_pOkButton",
                                               QString* shownFirst = nullptr, QString* shownSecond = nullptr)
{
    return [=](QDialog& dialog)
    {
        auto* firstEdit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"));
        auto* secondEdit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pSecondEdit"));
        auto* press = dialog.findChild<QPushButton*>(QLatin1String(button));
        if (firstEdit == nullptr || secondEdit == nullptr || press == nullptr)
        {
            ADD_FAILURE() << "the range dialog lacks its fields";
            return int(QDialog::Rejected);
        }
        if (title != nullptr)
            *title = dialog.windowTitle();
        if (shownFirst != nullptr)
            *shownFirst = firstEdit->text();
        if (shownSecond != nullptr)
            *shownSecond = secondEdit->text();
        firstEdit->selectAll();
        QTest::keyClicks(firstEdit, first);
        secondEdit->selectAll();
        QTest::keyClicks(secondEdit, second);
        press->click();
        return dialog.result();
    };
}

#include "usermanualwindow.h"

#include <QEvent>
#include <QFile>
#include <QTextCursor>

#include "parameters.h"

namespace
{
const QString kSection = QStringLiteral("UserManual");
const QString kTextPos = QStringLiteral("TextPos");
}  // namespace

CUserManualWindow::CUserManualWindow(QWidget* parent)
    : CQDockWindow(QStringLiteral("UserManualWindow"), parent)
{
    ui.setupUi(this);
    connect(ui.m_pSearchEdit, &QLineEdit::textEdited, this, &CUserManualWindow::OnSearchNext);
    connect(ui.m_pNextButton, &QPushButton::clicked, this, [this] { OnSearchNext(); });
    connect(ui.m_pPrevButton, &QPushButton::clicked, this, &CUserManualWindow::OnSearchPrev);
    setStyleSheet(QStringLiteral("QTextBrowser { background: white; color: black; }"));
    LoadManual();
}

CUserManualWindow::~CUserManualWindow()
{
    try
    {
        g_Parameters.SetInt(kSection, kTextPos, ui.m_pTextBrowser->textCursor().anchor());
    }
    catch (...)
    {
        // The position is a convenience; losing it must not take the program down at exit.
    }
}

void CUserManualWindow::LoadManual()
{
    // The path is translated, so each language names its own manual. The translations key on the
    // backslash form; here it stands for the resource separator.
    QString path = tr(":\\MorvikManual_en.html");
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        ui.m_pTextBrowser->setText(tr("Help file wasn't found!"));
        return;
    }
    ui.m_pTextBrowser->setText(QString::fromUtf8(file.readAll()));
    file.close();

    // A position stored with a longer manual ends at the last character of this one.
    const int last = ui.m_pTextBrowser->document()->characterCount() - 1;
    const int position = qBound(0, g_Parameters.GetInt(kSection, kTextPos, 0), last);
    QTextCursor cursor = ui.m_pTextBrowser->textCursor();
    cursor.setPosition(position);
    ui.m_pTextBrowser->setTextCursor(cursor);
}

void CUserManualWindow::OnSearchNext(const QString& text)
{
    const QString needle = text.isEmpty() ? ui.m_pSearchEdit->text() : text;
    if (needle.isEmpty())
        return;
    const QString plainText = ui.m_pTextBrowser->toPlainText().toLower();
    const int from = ui.m_pTextBrowser->textCursor().anchor() + 1;
    const int found = plainText.indexOf(needle.toLower(), from);
    if (found >= 0)
        SelectFrom(plainText, found);
}

void CUserManualWindow::OnSearchPrev()
{
    const QString needle = ui.m_pSearchEdit->text();
    if (needle.isEmpty())
        return;
    const QString plainText = ui.m_pTextBrowser->toPlainText().toLower();
    const int anchor = ui.m_pTextBrowser->textCursor().anchor();
    const int found = plainText.lastIndexOf(needle.toLower(), anchor == 0 ? 0 : anchor - 1);
    if (found >= 0)
        SelectFrom(plainText, found);
}

void CUserManualWindow::SelectFrom(const QString& plainText, int position)
{
    QTextCursor cursor = ui.m_pTextBrowser->textCursor();
    cursor.setPosition(position);
    // The whole word that starts with the match, up to the next blank.
    const int end = plainText.indexOf(QLatin1Char(' '), position);
    if (end >= 0)
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    ui.m_pTextBrowser->setTextCursor(cursor);
    ui.m_pTextBrowser->ensureCursorVisible();
}

void CUserManualWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        LoadManual();
    }
    CQDockWindow::changeEvent(event);
}

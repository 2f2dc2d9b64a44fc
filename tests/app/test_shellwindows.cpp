#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTranslator>

#include <memory>

#include "aboutwindow.h"
#include "noconnectionwindow.h"
#include "parameters.h"
#include "progressdialog.h"
#include "splashwindow.h"
#include "tempdir.h"
#include "usermanualwindow.h"

namespace
{
// The name and version every shell window shows come from the settings document's start-up.
TEST(ShellWindows, ApplicationNameAndVersion)
{
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Delvane Veltrano"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("1.0.26"));
}

TEST(ShellWindows, AboutBoxReplacesItsPlaceholders)
{
    CAboutWindow about;
    EXPECT_EQ(about.ui.m_pTitleLabel->text(), QStringLiteral("Delvane Veltrano"));
    EXPECT_EQ(about.ui.m_pVersionLabel->text(), QStringLiteral("Version 1.0.26"));
    EXPECT_EQ(about.ui.m_pTitleLabel->font().pointSize(), 26);
    EXPECT_TRUE(about.ui.m_pTitleLabel->font().bold());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));

    about.show();
    about.ui.m_pCloseButton->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(ShellWindows, SplashIsCentredWithTruncatedHalves)
{
    const struct
    {
        QRect desktop;
        QSize size;
        QPoint expected;
    } cases[] = {
        {QRect(0, 0, 1920, 1080), QSize(242, 78),
         QPoint(838, 500)},  // QRect centre of even sizes rounds down
        {QRect(0, 0, 801, 601), QSize(243, 79), QPoint(279, 261)},
        {QRect(-1280, 0, 3200, 1200), QSize(242, 78), QPoint(198, 560)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSplashWindow::CentredPosition(c.desktop, c.size), c.expected) << c.desktop.width();

    CSplashWindow splash;
    EXPECT_EQ(splash.ui.label->text(), QStringLiteral("Starting up, please wait..."));
    EXPECT_EQ(splash.size(), QSize(242, 78));
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_EQ(splash.pos(), CSplashWindow::CentredPosition(desktop, splash.size()));
}

TEST(ShellWindows, ProgressDialogStartsAtTheFormValuesUntilUsed)
{
    CProgressDialog progress;
    EXPECT_EQ(progress.ui.m_pLabel->text(), QStringLiteral("TextLabel"));
    EXPECT_EQ(progress.ui.m_pProgressBar->value(), 24);
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Delvane Veltrano"));

    progress.SetText(QStringLiteral("Loading data"));
    progress.SetValue(100);
    EXPECT_EQ(progress.ui.m_pLabel->text(), QStringLiteral("Loading data"));
    EXPECT_EQ(progress.ui.m_pProgressBar->value(), 100);
}

TEST(ShellWindows, NoConnectionWindowSignalsHidesAndRetitlesOnLanguageChange)
{
    CNoConnectionWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Delvane Veltrano"));
    EXPECT_EQ(window.ui.m_pIconLabel->pixmap(Qt::ReturnByValue).size(), QSize(32, 32));

    QSignalSpy demo(&window, &CNoConnectionWindow::switchToDemo);
    QSignalSpy wait(&window, &CNoConnectionWindow::keepWaiting);
    window.show();
    window.ui.m_pSwitchDemoButton->click();
    EXPECT_EQ(demo.count(), 1);
    EXPECT_EQ(wait.count(), 0);
    EXPECT_FALSE(window.isVisible());
    window.show();
    window.ui.m_pKeepWaitingButton->click();
    EXPECT_EQ(demo.count(), 1);
    EXPECT_EQ(wait.count(), 1);
    EXPECT_FALSE(window.isVisible());

    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &languageChange);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Veltrano"));
}

// Stands in for a language's translation of the manual's resource path: the manual is then read
// from a file of the test.
class CManualPathTranslator : public QTranslator
{
public:
    explicit CManualPathTranslator(const QString& path) : m_path(path) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(context, "CUserManualWindow") == 0 && qstrcmp(sourceText, ":\\MorvikManual_en.html") == 0)
            return m_path;
        return QString();
    }

private:
    QString m_path;
};

class UserManualWindow : public testing::Test
{
protected:
    QString WriteManual(const char* name, const QByteArray& html)
    {
        const QString path = QString::fromStdString(m_dir.File(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
        return path;
    }

    // The manual shown is the one the installed translator names.
    void UseManual(const QString& path)
    {
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
        m_translator = std::make_unique<CManualPathTranslator>(path);
        QCoreApplication::installTranslator(m_translator.get());
    }

    void TearDown() override
    {
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
    }

    static QString Selected(const CUserManualWindow& window)
    {
        return window.ui.m_pTextBrowser->textCursor().selectedText();
    }
    static int Anchor(const CUserManualWindow& window)
    {
        return window.ui.m_pTextBrowser->textCursor().anchor();
    }
    static void SetCursor(CUserManualWindow& window, int position)
    {
        QTextCursor cursor = window.ui.m_pTextBrowser->textCursor();
        cursor.setPosition(position);
        window.ui.m_pTextBrowser->setTextCursor(cursor);
    }

    CTempDir m_dir;
    std::unique_ptr<CManualPathTranslator> m_translator;
};

TEST_F(UserManualWindow, MissingManualLeavesASearchableNotice)
{
    UseManual(QString::fromStdString(m_dir.File("absent.html")));
    CUserManualWindow window;
    EXPECT_EQ(window.GetSettingsName(), QStringLiteral("UserManualWindow"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("User Manual"));
    EXPECT_EQ(window.ui.m_pTextBrowser->toPlainText(), QStringLiteral("Help file wasn't found!"));

    window.ui.m_pSearchEdit->setText(QStringLiteral("FILE"));
    window.ui.m_pNextButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("file"));
}

TEST_F(UserManualWindow, SearchSelectsTheWordThatStartsWithTheMatch)
{
    UseManual(
        WriteManual("manual.html", "<html><body><p>Spectrum abcd and ABCxyz then abc</p></body></html>"));
    CUserManualWindow window;
    ASSERT_EQ(window.ui.m_pTextBrowser->toPlainText(), QStringLiteral("Spectrum abcd and ABCxyz then abc"));
    SetCursor(window, 0);

    // Next with an empty box does nothing.
    window.ui.m_pNextButton->click();
    EXPECT_EQ(Anchor(window), 0);
    EXPECT_TRUE(Selected(window).isEmpty());

    // Typing searches on each edit, ignoring case, from one character after the current match.
    window.ui.m_pSearchEdit->setText(QStringLiteral("Abc"));
    emit window.ui.m_pSearchEdit->textEdited(QStringLiteral("Abc"));
    EXPECT_EQ(Selected(window), QStringLiteral("abcd"));
    window.ui.m_pNextButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("ABCxyz"));

    // The last word has no blank after it: only the cursor moves to the match.
    window.ui.m_pNextButton->click();
    EXPECT_EQ(Anchor(window), 30);
    EXPECT_TRUE(Selected(window).isEmpty());
    // No wrap-around.
    window.ui.m_pNextButton->click();
    EXPECT_EQ(Anchor(window), 30);

    window.ui.m_pPrevButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("ABCxyz"));
    window.ui.m_pPrevButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("abcd"));
    window.ui.m_pPrevButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("abcd")) << "nothing before the first match";
}

TEST_F(UserManualWindow, PreviousAtTheStartSearchesFromPositionZero)
{
    UseManual(WriteManual("manual.html", "<p>scan the band</p>"));
    CUserManualWindow window;
    SetCursor(window, 0);
    window.ui.m_pSearchEdit->setText(QStringLiteral("sc"));
    window.ui.m_pPrevButton->click();
    EXPECT_EQ(Selected(window), QStringLiteral("scan"));
    EXPECT_EQ(Anchor(window), 0);

    // Previous with an empty box does nothing.
    SetCursor(window, 9);
    window.ui.m_pSearchEdit->clear();
    window.ui.m_pPrevButton->click();
    EXPECT_EQ(Anchor(window), 9);
}

TEST_F(UserManualWindow, ReadingPositionSurvivesARestartAndALanguageChange)
{
    UseManual(
        WriteManual("manual_en.html", "<p>The first paragraph of the manual.</p><p>The second one.</p>"));
    {
        CUserManualWindow window;
        SetCursor(window, 40);
    }
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("UserManual"), QStringLiteral("TextPos"), -1), 40);

    CUserManualWindow window;
    EXPECT_EQ(window.ui.m_pTextBrowser->textCursor().position(), 40);

    // Another language loads its own manual and goes back to the stored position, not the current one.
    SetCursor(window, 12);
    UseManual(
        WriteManual("manual_ru.html", "<p>Other language, a manual long enough to hold position forty.</p>"));
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &languageChange);
    EXPECT_TRUE(window.ui.m_pTextBrowser->toPlainText().startsWith(QStringLiteral("Other language")));
    EXPECT_EQ(window.ui.m_pTextBrowser->textCursor().position(), 40);

    // A stored position past the end of a shorter manual ends up at its last character.
    g_Parameters.SetInt(QStringLiteral("UserManual"), QStringLiteral("TextPos"), 5000);
    UseManual(WriteManual("short.html", "<p>Short.</p>"));
    QCoreApplication::sendEvent(&window, &languageChange);
    EXPECT_EQ(window.ui.m_pTextBrowser->textCursor().position(), 6);
}
}  // namespace

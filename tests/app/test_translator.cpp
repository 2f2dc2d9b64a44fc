#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>

#include "apptranslator.h"
#include "fftoptions.h"
#include "parameters.h"
#include "utils.h"

namespace
{
QString StoredLanguage()
{
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    return settings.value("Global/Language").toString();
}

// One text of Qt's own catalogue and a few of the program's.
QString QtYes()
{
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

QString PeakName()
{
    CFftOptions options;
    options.Init();
    return options.GetAveragingName(7);
}
}  // namespace

TEST(Translator, LoadingALanguageInstallsItsTranslatorsAndRemembersIt)
{
    const struct
    {
        const char* language;
        const char* stored;
        const char* yes;
        const char* peak;
        const char* time;
    } cases[] = {
        {"ru_RU", "ru", "&Да", "Пик", "250 мс"},
        // No embedded files for English: both translators are empty, the source texts show.
        {"en", "en", "&Yes", "Peak", "250 ms"},
        {"ru", "ru", "&Да", "Пик", "250 мс"},
        {"de_DE", "de", "&Yes", "Peak", "250 ms"},
    };

    // One translator object across the rows, as at run time: each load replaces what the last one
    // installed.
    CAppTranslator translator;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.language);
        translator.Load(QString::fromUtf8(c.language), false);
        EXPECT_EQ(translator.GetLanguage(), c.stored);
        EXPECT_EQ(StoredLanguage(), c.stored);
        EXPECT_EQ(QtYes(), QString::fromUtf8(c.yes));
        EXPECT_EQ(PeakName(), QString::fromUtf8(c.peak));
        EXPECT_EQ(CUtils::FormatValue(0.25, CUtils::KindTime, 3), QString::fromUtf8(c.time));
    }
}

TEST(Translator, ChoosingALanguageFromTheMenuTakesEffectAtTheNextStart)
{
    {
        CAppTranslator running;
        running.Load("ru_RU", false);
        ASSERT_EQ(QtYes(), QString::fromUtf8("&Да"));

        running.Load("en_US", true);
        EXPECT_EQ(StoredLanguage(), "en");
        EXPECT_EQ(QtYes(), QString::fromUtf8("&Да"));
        EXPECT_EQ(PeakName(), QString::fromUtf8("Пик"));
    }

    CAppTranslator nextStart;
    nextStart.Load(StoredLanguage(), false);
    EXPECT_EQ(QtYes(), "&Yes");
    EXPECT_EQ(PeakName(), "Peak");
}

TEST(Translator, StoringOnlyInstallsNothing)
{
    CAppTranslator translator;
    translator.Load("ru_RU", true);
    EXPECT_EQ(translator.GetLanguage(), "ru");
    EXPECT_EQ(StoredLanguage(), "ru");
    EXPECT_TRUE(translator.GetQtTranslator().isEmpty());
    EXPECT_TRUE(translator.GetProgramTranslator().isEmpty());
    EXPECT_EQ(QtYes(), "&Yes");
}

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QXmlStreamReader>

#include <algorithm>
#include <string>
#include <vector>

#include "apptranslator.h"
#include "fftoptions.h"
#include "parameters.h"
#include "utils.h"
#include "veltrano.h"

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

// One message of the translation source, as lupdate writes it.
struct SCatalogueMessage
{
    QString context;
    QString source;
    QString comment;
    QString state;             // the translation's type attribute: empty when finished
    QStringList translations;  // one text, or one per plural form
    bool numerus = false;
};

// The translation source in the source tree.
QString RussianCatalogueSource()
{
    return QStringLiteral(VELTRANO_RESOURCES_DIR "/translations/veltrano_ru.ts");
}

// The text of the current element. lupdate writes characters that XML cannot carry, such as the
// carriage return of a "\r\n" line end, as <byte value="xd"/>.
QString ReadText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd())
    {
        xml.readNext();
        if (xml.isCharacters() && depth == 1)
            text += xml.text();
        else if (xml.isStartElement())
        {
            ++depth;
            if (xml.name() == QLatin1String("byte"))
            {
                const QString value = xml.attributes().value("value").toString();
                const bool hex = value.startsWith('x');
                text += QChar(value.mid(hex ? 1 : 0).toUShort(nullptr, hex ? 16 : 10));
            }
        }
        else if (xml.isEndElement())
            --depth;
    }
    return text;
}

std::vector<SCatalogueMessage> ReadCatalogue(const QString& path, QString& error)
{
    std::vector<SCatalogueMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        error = "cannot open " + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd())
    {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
        {
            context = xml.readElementText();
            continue;
        }
        if (xml.name() != QLatin1String("message"))
            continue;
        SCatalogueMessage message;
        message.context = context;
        message.numerus = xml.attributes().value("numerus") == QLatin1String("yes");
        while (xml.readNextStartElement())
        {
            if (xml.name() == QLatin1String("source"))
                message.source = ReadText(xml);
            else if (xml.name() == QLatin1String("comment"))
                message.comment = ReadText(xml);
            else if (xml.name() == QLatin1String("translation"))
            {
                message.state = xml.attributes().value("type").toString();
                if (message.numerus)
                {
                    while (xml.readNextStartElement())
                        message.translations << ReadText(xml);
                }
                else
                    message.translations << ReadText(xml);
            }
            else
                xml.skipCurrentElement();
        }
        messages.push_back(message);
    }
    if (xml.hasError())
        error = QString("%1 at line %2").arg(xml.errorString()).arg(xml.lineNumber());
    return messages;
}

std::string Placeholders(const QString& text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression("%(\\d+|n)").globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(0);
    std::sort(found.begin(), found.end());
    return found.join(' ').toStdString();
}

bool HasEdgeSpace(const QString& text, bool atEnd)
{
    return !text.isEmpty() && (atEnd ? text.back() : text.front()).isSpace();
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

// Every text of the program reaches the Russian screen translated and still fit for its use: nothing
// left unfinished, every %1 still there to be filled, line breaks, tabs and accelerators kept, and the
// catalogue compiled into the program is the one in the source tree.
TEST(Translator, EveryRussianTextIsFinishedAndKeepsWhatTheProgramFillsIn)
{
    QString error;
    const std::vector<SCatalogueMessage> messages = ReadCatalogue(RussianCatalogueSource(), error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_GT(messages.size(), 100u);

    CAppTranslator translator;
    translator.Load("ru_RU", false);
    for (const SCatalogueMessage& m : messages)
    {
        SCOPED_TRACE((m.context + " / " + m.source).toStdString());
        EXPECT_TRUE(m.state.isEmpty()) << m.state.toStdString();
        ASSERT_FALSE(m.translations.isEmpty());
        for (const QString& text : m.translations)
        {
            EXPECT_FALSE(text.isEmpty());
            EXPECT_EQ(Placeholders(text), Placeholders(m.source)) << text.toStdString();
            for (const QChar kept : {QChar('\r'), QChar('\n'), QChar('\t'), QChar('&')})
                EXPECT_EQ(text.count(kept), m.source.count(kept)) << text.toStdString();
            EXPECT_EQ(HasEdgeSpace(text, false), HasEdgeSpace(m.source, false)) << text.toStdString();
            EXPECT_EQ(HasEdgeSpace(text, true), HasEdgeSpace(m.source, true)) << text.toStdString();
        }
        const QByteArray context = m.context.toUtf8();
        const QByteArray source = m.source.toUtf8();
        const QByteArray comment = m.comment.toUtf8();
        const QString shown = QCoreApplication::translate(context.constData(), source.constData(),
                                                          m.comment.isEmpty() ? nullptr : comment.constData(),
                                                          m.numerus ? 1 : -1);
        EXPECT_EQ(shown.toStdString(), m.translations.front().toStdString());
    }
}

// Texts whose Russian form the program reads back or builds on, not only shows.
TEST(Translator, RussianTextsThatTheProgramInterpretsStillWork)
{
    CAppTranslator translator;
    translator.Load("ru_RU", false);

    // The manual window opens the file this path names: without the mapping the Russian manual never loads.
    EXPECT_EQ(QCoreApplication::translate("CUserManualWindow", ":\\MorvikManual_en.html"),
              QString(":\\MorvikManual_ru.html"));
    // Each language entry names its language in that language, whichever catalogue is installed.
    EXPECT_EQ(QCoreApplication::translate("VeltranoClass", "Русский"), QString::fromUtf8("Русский"));
    EXPECT_EQ(QCoreApplication::translate("VeltranoClass", "English"), QString("English"));

    // The recording time is a date-time pattern whose unquoted "d" is replaced by the whole days: the
    // translated pattern must keep exactly that field, so days beyond a month still count up.
    const struct
    {
        quint64 seconds;
        const char* text;
    } cases[] = {
        {0, "Доступное время записи: 0 дн. 00:00:00"},
        {86400 + 3600 + 60 + 1, "Доступное время записи: 1 дн. 01:01:01"},
        {40 * 86400 + 23 * 3600 + 59 * 60 + 59, "Доступное время записи: 40 дн. 23:59:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Veltrano::FormatRecordingTime(c.seconds * 1600000), QString::fromUtf8(c.text)) << c.seconds;
    // The monitoring task dialog fills the same pattern in its own context.
    EXPECT_EQ(
        QCoreApplication::translate("CMonitoringTaskDialog", "'Recording time available: 'd 'days' hh:mm:ss"),
        QCoreApplication::translate("Veltrano", "'Recording time available: 'd 'days' hh:mm:ss"));

    // The band pane's tuning label is split at its first blank into the digits the wheel tunes and
    // the unit: the number must stay first, followed by one blank.
    for (const char* unit : {"%1 kHz", "%1 MHz"})
    {
        const QString label = QCoreApplication::translate("CDdcView", unit).arg(QStringLiteral("12.500"));
        EXPECT_EQ(label.section(QLatin1Char(' '), 0, 0), QStringLiteral("12.500")) << label.toStdString();
        EXPECT_NE(label.section(QLatin1Char(' '), 1), QString::fromLatin1(unit).section(QLatin1Char(' '), 1));
    }
    // List items the options window parses back as numbers keep their digits.
    for (const char* samples : {"256", "512", "1024", "2048", "4096"})
        EXPECT_EQ(QCoreApplication::translate("COptionsWindowClass", samples), QString::fromLatin1(samples));
}

// A few texts of the embedded catalogue as the Russian screen shows them, one of each kind: a form's
// title and button, a menu entry, a message box with its placeholder filled, list items and a label.
TEST(Translator, EmbeddedCatalogueGivesTheRussianTexts)
{
    CAppTranslator translator;
    translator.Load("ru_RU", false);
    const struct
    {
        const char* context;
        const char* source;
        const char* argument;  // fills %1 when given
        const char* russian;
    } cases[] = {
        {"CPreferencesWindowClass", "Preferences", nullptr, "Настройки"},
        {"CPreferencesWindowClass", "Apply", nullptr, "Применить"},
        {"VeltranoClass", "Preferences...", nullptr, "Настройки..."},
        {"CMonitoringLogWindow", "You've got an event in the sector %1 !!!", "3",
         "Обнаружено событие в секторе 3!!!"},
        {"CPulseLogWindow", "%1 events filtered", "12", "Событий (фильтр): 12"},
        {"COptionsWindowClass", "5 MHz", nullptr, "5 МГц"},
        {"COptionsWindowClass", "17 GHz", nullptr, "17 ГГц"},
        {"CUserManualWindowClass", "User Manual", nullptr, "Руководство пользователя"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.source);
        QString shown = QCoreApplication::translate(c.context, c.source);
        if (c.argument)
            shown = shown.arg(QLatin1String(c.argument));
        EXPECT_EQ(shown.toStdString(), c.russian);
    }

    // Without the catalogue the same texts are the English ones.
    translator.Load("en", false);
    for (const auto& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source), QLatin1String(c.source));
}

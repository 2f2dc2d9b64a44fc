// The two manuals the program carries: which one the manual window shows in each language, that both
// are well-formed documents with the same outline, and that search walks a real text.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <vector>

#include "apptranslator.h"
#include "parameters.h"
#include "usermanualwindow.h"

namespace
{
const QString kEnglish = QStringLiteral(":/MorvikManual_en.html");
const QString kRussian = QStringLiteral(":/MorvikManual_ru.html");

QString Resource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The plain text the manual window shows for a manual, as its browser renders it.
QString PlainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// The headings of a rendered manual: level and text, in order.
std::vector<std::pair<int, QString>> Headings(const QTextDocument& document)
{
    std::vector<std::pair<int, QString>> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (const int level = block.blockFormat().headingLevel(); level > 0)
            headings.emplace_back(level, block.text());
    return headings;
}

// The text of the last second-level heading at or before a position.
QString SectionAt(const QTextDocument& document, int position)
{
    for (QTextBlock block = document.findBlock(position); block.isValid(); block = block.previous())
        if (block.blockFormat().headingLevel() == 2)
            return block.text();
    return QString();
}

class UserManuals : public testing::Test
{
protected:
    void SetUp() override
    {
        // Each window starts at the top of its manual.
        g_Parameters.SetInt(QStringLiteral("UserManual"), QStringLiteral("TextPos"), 0);
    }
};

// Both manuals exist, parse as well-formed documents, declare their language and say the same thing
// under the same outline: the same headings at the same levels, in the same order.
TEST_F(UserManuals, BothManualsAreWellFormedWithTheSameOutline)
{
    std::map<QString, std::vector<std::pair<int, QString>>> outlines;
    for (const auto& [path, language] : {std::pair{kEnglish, "en"}, std::pair{kRussian, "ru"}})
    {
        SCOPED_TRACE(path.toStdString());
        const QString html = Resource(path);
        ASSERT_FALSE(html.isEmpty());

        QXmlStreamReader xml(html);
        QString htmlLanguage;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("html"))
                htmlLanguage = xml.attributes().value(QStringLiteral("lang")).toString();
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
        EXPECT_EQ(htmlLanguage, QLatin1String(language));

        QTextDocument document;
        document.setHtml(html);
        outlines[path] = Headings(document);
        ASSERT_FALSE(outlines[path].empty());
        EXPECT_EQ(outlines[path].front().first, 1) << "the title comes first";
        EXPECT_GE(std::count_if(outlines[path].begin(), outlines[path].end(),
                                [](const auto& heading) { return heading.first == 2; }),
                  8);
        for (const auto& heading : outlines[path])
            EXPECT_FALSE(heading.second.trimmed().isEmpty());
    }

    const auto& english = outlines[kEnglish];
    const auto& russian = outlines[kRussian];
    ASSERT_EQ(english.size(), russian.size());
    for (size_t i = 0; i < english.size(); ++i)
    {
        SCOPED_TRACE(english[i].second.toStdString());
        EXPECT_EQ(english[i].first, russian[i].first);
        // A Russian heading is written in Russian, not left in English.
        EXPECT_TRUE(russian[i].second.contains(QRegularExpression(QStringLiteral("[\u0400-\u04FF]"))))
            << russian[i].second.toStdString();
    }
}

// Without a translator the window shows the embedded English manual, and Next walks a word that
// recurs through the manual section after section, never backwards, ending at its last match.
TEST_F(UserManuals, EnglishManualLoadsAndNextWalksItSectionBySection)
{
    CUserManualWindow window;
    QTextDocument* document = window.ui.m_pTextBrowser->document();
    const QString shown = window.ui.m_pTextBrowser->toPlainText();
    ASSERT_NE(shown, QStringLiteral("Help file wasn't found!"));
    EXPECT_EQ(shown, PlainText(Resource(kEnglish)));

    const QString word = QStringLiteral("spectrum");
    const int total = shown.toLower().count(word);
    ASSERT_GE(total, 5);

    window.ui.m_pSearchEdit->setText(QStringLiteral("Spectrum"));
    std::vector<int> anchors;
    QStringList sections;
    for (int step = 0; step < total + 1; ++step)
    {
        window.ui.m_pNextButton->click();
        const int anchor = window.ui.m_pTextBrowser->textCursor().anchor();
        if (!anchors.empty() && anchor == anchors.back())
            break;
        ASSERT_EQ(shown.mid(anchor, word.size()).toLower(), word);
        anchors.push_back(anchor);
        const QString section = SectionAt(*document, anchor);
        if (sections.isEmpty() || sections.back() != section)
            sections << section;
    }
    EXPECT_TRUE(std::is_sorted(anchors.begin(), anchors.end()));
    EXPECT_EQ(anchors.size(), size_t(shown.toLower().mid(1).count(word)))
        << "every match after the first character is visited once";
    // Sections are entered one after another and none comes back.
    EXPECT_GE(sections.size(), 3);
    EXPECT_EQ(sections.removeDuplicates(), 0) << sections.join(" | ").toStdString();

    // Previous walks back over the same matches.
    window.ui.m_pPrevButton->click();
    EXPECT_EQ(window.ui.m_pTextBrowser->textCursor().anchor(), anchors[anchors.size() - 2]);
}

// With the Russian catalogue installed the translated path names the Russian manual.
TEST_F(UserManuals, RussianCatalogueShowsTheRussianManual)
{
    CAppTranslator translator;
    translator.Load(QStringLiteral("ru_RU"), false);
    CUserManualWindow window;
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Руководство пользователя"));
    EXPECT_EQ(window.ui.m_pTextBrowser->toPlainText(), PlainText(Resource(kRussian)));

    // Search ignores case in Cyrillic too.
    const QString shown = window.ui.m_pTextBrowser->toPlainText();
    const QString word = QString::fromUtf8("спектр");
    ASSERT_GE(shown.toLower().count(word), 2);
    window.ui.m_pSearchEdit->setText(QString::fromUtf8("СПЕКТР"));
    window.ui.m_pNextButton->click();
    const int anchor = window.ui.m_pTextBrowser->textCursor().anchor();
    EXPECT_EQ(anchor, shown.toLower().indexOf(word, 1));

    translator.Load(QStringLiteral("en"), false);
}
}  // namespace

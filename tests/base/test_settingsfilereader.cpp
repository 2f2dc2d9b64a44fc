#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QSettings>
#include <QTextCodec>

#include <functional>

#include "settingsfilereader.h"
#include "tempdir.h"

namespace
{
using Reader = CSettingsFileReader;
using Verdict = Reader::Verdict;

const char* VerdictName(Verdict verdict)
{
    switch (verdict)
    {
        case Verdict::Empty:
            return "empty";
        case Verdict::Damaged:
            return "damaged";
        case Verdict::Document:
            return "document";
    }
    return "?";
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The array as the loader read it through QSettings before it read the file's bytes itself: the size
// bounded by the file's length, then every entry through the settings object. Every file of a call
// must be new to the process, as QSettings keeps what it read of a path.
Reader::Array ReadThroughQSettings(const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    const int size = settings.value("configuration_xml/size").toInt();
    if (size == 0)
        return {Verdict::Empty, {}};
    if (size < 0 || size > QFileInfo(path).size() / Reader::kMinBytesPerEntry)
        return {Verdict::Damaged, {}};
    QByteArray bytes(size, '\0');
    settings.beginReadArray("configuration_xml");
    for (int i = 0; i < size; ++i)
    {
        settings.setArrayIndex(i);
        bytes[i] = static_cast<char>(settings.value("b").toInt());
    }
    settings.endArray();
    return {Verdict::Document, bytes};
}

// The final verdict on the QSettings read: the array parsed, under our root, and a document that reads
// back as itself once saved.
Verdict FinalVerdict(const Reader::Array& array)
{
    if (array.verdict != Verdict::Document)
        return array.verdict;
    QDomDocument document;
    if (!document.setContent(array.bytes, false) || document.documentElement().tagName() != Reader::kRootName)
        return Verdict::Damaged;
    QDomDocument reloaded;
    const QByteArray saved = document.toByteArray(1);
    return reloaded.setContent(saved, false) && reloaded.toByteArray(1) == saved ? Verdict::Document
                                                                                 : Verdict::Damaged;
}

// Writes the document as the loader's save does: the array replaced whole, entry by entry.
void WriteArray(QSettings& settings, const QByteArray& document)
{
    settings.remove("configuration_xml");
    settings.beginWriteArray("configuration_xml", document.size());
    for (int i = 0; i < document.size(); ++i)
    {
        settings.setArrayIndex(i);
        settings.setValue("b", static_cast<int>(static_cast<signed char>(document[i])));
    }
    settings.endArray();
}

QByteArray EveryByte()
{
    QByteArray bytes = "<Veltrano><Raw Value=\"";
    for (int c = 0; c < 256; ++c)
        bytes.append(static_cast<char>(c));
    return bytes + "\"/></Veltrano>\n";
}

class SettingsFileReaderTest : public testing::Test
{
protected:
    QString NewPath() { return QString::fromStdString(m_dir.File(std::to_string(++m_files) + ".ini")); }

    // The reader on the file's bytes against the QSettings read of the same file.
    void ExpectSameAsQSettings(const QString& path)
    {
        const QByteArray file = ReadBytes(path);
        const Reader::Array expected = ReadThroughQSettings(path);
        const Reader::Array array = Reader::ReadArray(file);
        EXPECT_STREQ(VerdictName(array.verdict), VerdictName(expected.verdict))
            << file.left(2000).constData();
        EXPECT_EQ(array.bytes, expected.bytes);
        const Reader::Result result = Reader::Read(file);
        EXPECT_STREQ(VerdictName(result.verdict), VerdictName(FinalVerdict(expected)));
        EXPECT_EQ(result.document.isNull(), result.verdict != Verdict::Document);
    }

    CTempDir m_dir;
    int m_files = 0;
};

TEST_F(SettingsFileReaderTest, FilesWrittenByQSettingsReadAsQSettingsReadsThem)
{
    const QByteArray plain = "<Veltrano>\n <Device>\n  <Channel Value=\"3\"/>\n </Device>\n</Veltrano>\n";
    struct Case
    {
        const char* name;
        QByteArray document;  // empty: no array is written
        std::function<void(QSettings&)> otherKeys;
        const char* codec;  // nullptr: the default Latin-1 file
    };
    const auto none = [](QSettings&) {};
    const auto program = [](QSettings& s)
    {
        s.setValue("Global/Language", "ru_RU");
        s.setValue("Parameters/DefaultCode", 65476558);
        s.setValue("Parameters/LoadFile", "");
        s.setValue("Parameters/SaveFile", "");
    };
    const auto awkward = [](QSettings& s)
    {
        s.setValue("Parameters/SaveFile", QString::fromUtf8("/home/op/Мои файлы/a, b; \"c\"=d\\e.ini"));
        s.setValue("Parameters/LoadFile", "  blanks around  ");
        s.setValue("DebugWindow/Pos", QPoint(10, 20));
        s.setValue("DebugWindow/Names", QStringList{"a", "b,c", "@at", ""});
        s.setValue("DebugWindow/Raw", QByteArray("\0[configuration_xml]\nsize=1\n", 29));
        s.setValue("DebugWindow/Text", "line\n[configuration_xml]\nsize=1\r\n;x");
        s.setValue("DebugWindow/Quote", "\"");
        s.setValue("key without section", 1);
        s.setValue("general/Language", "en");
        s.setValue("configuration_xml_old/size", 5);
        s.setValue("configuration_xmk/1/b", 60);
        s.setValue("Configuration/size", 7);
        s.setValue(QString::fromUtf8("Раздел/ключ %/\\"), QString::fromUtf8("значение"));
    };
    const Case cases[] = {
        {"document alone", plain, none, nullptr},
        {"as the program writes it", plain, program, nullptr},
        {"every byte value", EveryByte(), program, nullptr},
        {"non-ASCII text",
         QString::fromUtf8("<Veltrano><T Value=\"Окно 日本 \xF0\x9F\x98\x80\"/></Veltrano>").toUtf8(),
         program, nullptr},
        {"awkward neighbours", plain, awkward, nullptr},
        {"awkward neighbours, UTF-8 file", plain, awkward, "UTF-8"},
        {"a thousand entries and more", "<Veltrano>" + QByteArray(1200, ' ') + "</Veltrano>", program,
         nullptr},
        {"one entry", "<", program, nullptr},
        {"not XML", "plain text, not a document", program, nullptr},
        {"another root", "<Other/>", program, nullptr},
        {"no array", QByteArray(), awkward, nullptr},
        {"nothing at all", QByteArray(), none, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString path = NewPath();
        {
            QSettings settings(path, QSettings::IniFormat);
            if (c.codec)
                settings.setIniCodec(c.codec);
            c.otherKeys(settings);
            if (!c.document.isEmpty())
                WriteArray(settings, c.document);
            settings.sync();
            ASSERT_EQ(settings.status(), QSettings::NoError);
        }
        ExpectSameAsQSettings(path);
        const Reader::Array array = Reader::ReadArray(ReadBytes(path));
        EXPECT_EQ(array.bytes, c.document) << "the array holds the document that was written";
    }
}

TEST_F(SettingsFileReaderTest, AShorterDocumentWrittenOverALongerOneReadsAsTheShorterOne)
{
    // The save replaces an array in place, with the other keys of the file kept where they were.
    const QString path = NewPath();
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue("Parameters/DefaultCode", 65476558);
        WriteArray(settings, "<Veltrano><Long Value=\"" + QByteArray(300, 'x') + "\"/></Veltrano>");
        settings.setValue("Zeta/After", 1);
    }
    const QByteArray shorter = "<Veltrano/>\n";
    {
        QSettings settings(path, QSettings::IniFormat);
        WriteArray(settings, shorter);
    }
    const Reader::Array array = Reader::ReadArray(ReadBytes(path));
    EXPECT_EQ(array.verdict, Verdict::Document);
    EXPECT_EQ(array.bytes, shorter);
    ExpectSameAsQSettings(path);
}

// Files as a hand or another tool may leave them. Where the array sits where QSettings puts it, the
// reader gives what QSettings gives, whatever the spelling of the values and the lines.
TEST_F(SettingsFileReaderTest, HandEditedFilesWithTheArrayInItsSectionReadAsQSettingsReadsThem)
{
    const QByteArray head = "[Parameters]\nDefaultCode=65476558\n";
    const struct
    {
        const char* name;
        QByteArray text;
        Verdict array;
    } cases[] = {
        {"entries in number order",
         head + "[configuration_xml]\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n", Verdict::Document},
        {"Windows line ends", "[configuration_xml]\r\n1\\b=60\r\n2\\b=86\r\n3\\b=47\r\n4\\b=62\r\nsize=4\r\n",
         Verdict::Document},
        {"old Mac line ends", "[configuration_xml]\r1\\b=60\r2\\b=86\r3\\b=47\r4\\b=62\rsize=4\r",
         Verdict::Document},
        {"blanks, tabs and comments",
         "  ; a comment\n[ configuration_xml ] trailing\n\t1\\b = 60 ; why\n2\\b\t=\t86\n;3\\b=0\n3\\b=47\n"
         "4\\b=62\nsize = 4\n",
         Verdict::Document},
        {"values spelled otherwise",
         "[configuration_xml]\n1\\b=\"60\"\n2\\b=\\x38\\x36\n3\\b=\\064\\067\n4\\b=@ByteArray(62)\n"
         "size=@String(4)\n",
         Verdict::Document},

        {"values out of a byte's range",
         "[configuration_xml]\n1\\b=316\n2\\b=-170\n3\\b=4294967343\n4\\b=62\n"
         "size=4\n",
         Verdict::Document},
        {"values that are no numbers",
         "[configuration_xml]\n1\\b=60\n2\\b=V\n3\\b=47, 48\n4\\b=@Invalid()\nsize=4\n", Verdict::Document},
        {"a missing entry", "[configuration_xml]\n1\\b=60\n2\\b=86\n4\\b=62\nsize=4\n", Verdict::Document},
        {"entries beyond the size and entry 0",
         "[configuration_xml]\n0\\b=1\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\n5\\b=1\nsize=4\n",
         Verdict::Document},
        {"a later line wins",
         "[configuration_xml]\n1\\b=1\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=9\nsize=4\n",
         Verdict::Document},
        {"the section twice",
         "[configuration_xml]\n1\\b=60\n2\\b=86\n[Other]\nk=v\n[configuration_xml]\n"
         "3\\b=47\n4\\b=62\nsize=4\n",
         Verdict::Document},
        {"escaped header and keys",
         "[configuration%5Fxml]\n%31\\b=60\n%U0032\\b=86\n3%5Cb=47\n4\\b=62\nsize=4\n", Verdict::Document},
        {"a byte order mark", "\xEF\xBB\xBF[configuration_xml]\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n",
         Verdict::Document},
        {"a quote that spans lines",
         "[Other]\nk=\"open\n[configuration_xml]\nsize=4\n\"\n[configuration_xml]\n"
         "1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n",
         Verdict::Document},
        {"an escaped line break",
         "[configuration_xml]\n1\\b=60\\\n2\\b=86\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n", Verdict::Document},
        {"a header without its bracket", "[configuration_xml\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n",
         Verdict::Document},
        {"lines without '='", "[configuration_xml]\n1\\b\njunk\n1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\nsize=4\n",
         Verdict::Document},
        {"no size", "[configuration_xml]\n1\\b=60\n", Verdict::Empty},
        {"size zero", "[configuration_xml]\n1\\b=60\nsize=0\n", Verdict::Empty},
        {"size no number", "[configuration_xml]\n1\\b=60\nsize=four\n", Verdict::Empty},
        {"negative size", "[configuration_xml]\n1\\b=60\nsize=-5\n", Verdict::Damaged},
        {"size beyond the file", "[configuration_xml]\n1\\b=60\nsize=99999999\n", Verdict::Damaged},
        {"[General] is not the array's", "[General]\nsize=4\n[configuration_xml]\n1\\b=60\nsize=0\n",
         Verdict::Empty},
        {"nothing but text", "just some words\nand more\n", Verdict::Empty},
        {"binary bytes", QByteArray("\0\x01\xFF\xFE=[]\"\\;", 11), Verdict::Empty},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString path = NewPath();
        WriteBytes(path, c.text);
        ExpectSameAsQSettings(path);
        EXPECT_STREQ(VerdictName(Reader::ReadArray(c.text).verdict), VerdictName(c.array));
    }
}

// The array as QSettings never writes it. Keys outside its section: QSettings would read some of them,
// or let them hide the array from its look-ups, depending on what was looked up before. Values in
// QDataStream form: QSettings decodes them trusting their counts, and a damaged one ends the process.
// Judged damaged, the file is kept aside by the loader rather than read one way or the other.
TEST_F(SettingsFileReaderTest, AnArrayLaidOutAsQSettingsNeverWritesItIsDamaged)
{
    const QByteArray entries = "1\\b=60\n2\\b=86\n3\\b=47\n4\\b=62\n";
    const struct
    {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"keys before any section",
         "configuration_xml\\size=4\n[configuration_xml]\n" + entries + "size=4\n"},
        {"keys under [General]",
         "[General]\nconfiguration_xml\\1\\b=60\n[configuration_xml]\n" + entries + "size=4\n"},
        {"a section below the array",
         "[configuration_xml]\n" + entries + "size=4\n[configuration_xml\\1]\nb=60\n"},
        {"the section in other case",
         "[Configuration_XML]\nsize=4\n[configuration_xml]\n" + entries + "size=4\n"},
        {"the size in other case", "[configuration_xml]\n" + entries + "Size=4\n"},
        {"an entry with a leading zero", "[configuration_xml]\n" + entries + "01\\b=60\nsize=4\n"},
        {"an entry with a doubled slash", "[configuration_xml]\n" + entries + "1\\\\b=60\nsize=4\n"},
        {"a key ending in slashes", "[configuration_xml]\n" + entries + "size\\\\=4\n"},
        {"the section ending in a slash", "[configuration_xml\\]\n" + entries + "size=4\n"},
        // QSettings writes numbers as text; it would decode these, trusting the counts in them.
        {"an entry in QDataStream form", "[configuration_xml]\n" + entries +
                                             "1\\b=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0<)\n"
                                             "size=4\n"},
        {"the size in QDataStream form",
         "[configuration_xml]\n" + entries + "size=@DateTime(\\0\\0\\0\\x2)\n"},
        {"another key of the section in QDataStream form",
         "[configuration_xml]\n" + entries + "note=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0<)\nsize=4\n"},
        {"an entry in a list in QDataStream form",
         "[configuration_xml]\n" + entries + "2\\b=1, @Variant()\nsize=4\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Reader::ReadArray(c.text).verdict, Verdict::Damaged);
        const Reader::Result result = Reader::Read(c.text);
        EXPECT_EQ(result.verdict, Verdict::Damaged);
        EXPECT_TRUE(result.document.isNull());
    }
}

// The fuzz corpus holds the files that once mattered to the settings loader.
TEST_F(SettingsFileReaderTest, TheFuzzCorpusReadsAsQSettingsReadsIt)
{
    const QDir corpus(SETTINGS_CORPUS);
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << SETTINGS_CORPUS;
    // Files that QSettings cannot read without ending the process; the reader keeps them aside.
    const QStringList stopQSettings = {"variant-value-huge-list.ini"};
    for (const QString& name : files)
    {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadBytes(corpus.filePath(name));
        if (stopQSettings.contains(name))
        {
            EXPECT_EQ(Reader::Read(bytes).verdict, Verdict::Damaged);
            continue;
        }
        const QString path = NewPath();
        WriteBytes(path, bytes);
        ExpectSameAsQSettings(path);
    }
    for (const QString& name : stopQSettings)
        EXPECT_TRUE(files.contains(name)) << name.toStdString();
}

TEST(SettingsFileReader, AStoredDocumentIsTakenWithItsRootAndNothingElse)
{
    const struct
    {
        const char* name;
        QByteArray document;
        Verdict verdict;
    } cases[] = {
        {"our root", "<Veltrano>\n <A>\n  <B Value=\"1\"/>\n </A>\n</Veltrano>\n", Verdict::Document},
        {"declaration, comment, entity",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE Veltrano [<!ENTITY e \"x\">]>\n<!-- c -->\n<Veltrano "
         "a=\"&e;\"/>",
         Verdict::Document},
        {"another root", "<veltrano/>", Verdict::Damaged},
        {"truncated", "<Veltrano><A>", Verdict::Damaged},
        {"two roots", "<Veltrano/><Veltrano/>", Verdict::Damaged},
        // Saved, the instruction gets a line break after it, which the text takes in at the next load.
        {"an instruction before text", "<Veltrano><?pi x?>text<A/></Veltrano>", Verdict::Damaged},
        {"an instruction before an element", "<Veltrano>\n <?pi x?>\n <A/>\n</Veltrano>\n",
         Verdict::Document},
        {"text after a comment", "<Veltrano><!-- c -->text<A/></Veltrano>", Verdict::Document},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        QByteArray text = "[configuration_xml]\n";
        for (int i = 0; i < c.document.size(); ++i)
            text += QByteArray::number(i + 1) +
                    "\\b=" + QByteArray::number(static_cast<signed char>(c.document[i])) + "\n";
        text += "size=" + QByteArray::number(c.document.size()) + "\n";
        const Reader::Result result = Reader::Read(text);
        EXPECT_EQ(result.verdict, c.verdict);
        if (c.verdict != Verdict::Document)
            continue;
        QDomDocument expected;
        ASSERT_TRUE(expected.setContent(c.document, false));
        EXPECT_EQ(result.document.toByteArray(1), expected.toByteArray(1));
    }
}
}  // namespace

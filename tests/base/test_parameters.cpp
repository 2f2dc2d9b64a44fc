#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <atomic>
#include <thread>

#include "messagecapture.h"
#include "parameters.h"
#include "tempdir.h"

namespace
{
QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A settings file as the program writes it, spelled out by hand: 1-based entries, one signed byte each.
QByteArray StoredFileText(const QByteArray& document, int code, const QByteArray& extraLines = QByteArray())
{
    QByteArray text = "[Parameters]\nDefaultCode=" + QByteArray::number(code) + "\n" + extraLines + "\n";
    text += "[configuration_xml]\n";
    for (int i = 0; i < document.size(); ++i)
        text += QByteArray::number(i + 1) +
                "\\b=" + QByteArray::number(static_cast<signed char>(document[i])) + "\n";
    text += "size=" + QByteArray::number(document.size()) + "\n";
    return text;
}

// The document stored in a settings file, decoded as the file format says (not through the class).
QByteArray StoredDocument(const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    const int size = settings.beginReadArray("configuration_xml");
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
    {
        settings.setArrayIndex(i);
        const int value = settings.value("b").toInt();
        EXPECT_TRUE(value >= -128 && value <= 127) << "entry " << i << " holds " << value;
        bytes.append(static_cast<char>(value));
    }
    settings.endArray();
    return bytes;
}

QVariant IniValue(const QString& path, const QString& key)
{
    return QSettings(path, QSettings::IniFormat).value(key);
}

void SetIniValue(const QString& path, const QString& key, const QVariant& value)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    ASSERT_EQ(settings.status(), QSettings::NoError);
}

QStringList ChildNames(const QDomNode& node)
{
    QStringList names;
    for (QDomElement e = node.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.tagName();
    return names;
}

const QByteArray kEmptyDocument = "<Veltrano/>\n";

// The factory document, as a reset on a scratch file writes it.
QByteArray DefaultDocument()
{
    static const QByteArray document = []
    {
        CTempDir dir;
        CParameters parameters(QString::fromStdString(dir.File("settings.ini")));
        parameters.SetDefaults();
        return parameters.toByteArray(1);
    }();
    return document;
}

class ParametersTest : public testing::Test
{
protected:
    // Every file of a test lives in a folder of its own: QSettings caches files per path and process.
    QString Path(const QString& name = "settings.ini") const
    {
        return QString::fromStdString(m_dir.Path()) + "/" + name;
    }

    CTempDir m_dir;
};

TEST_F(ParametersTest, FirstStartInAnEmptyFolderWritesTheCodeAndTheDocument)
{
    const QString path = Path("fresh/settings.ini");
    {
        CParameters parameters(path);
        EXPECT_FALSE(parameters.IsLoaded());
        parameters.Load();
        EXPECT_TRUE(parameters.IsLoaded());
        EXPECT_EQ(parameters.GetInt("MainWindow", "Width", 0), 1024);
    }
    const QByteArray text = ReadBytes(path);
    EXPECT_TRUE(text.contains("DefaultCode=65476558")) << text.constData();
    EXPECT_TRUE(text.contains("[configuration_xml]")) << text.constData();
    EXPECT_TRUE(text.contains("size=" + QByteArray::number(DefaultDocument().size()))) << text.constData();
    EXPECT_EQ(IniValue(path, "Parameters/LoadFile").toString(), "");
    EXPECT_EQ(IniValue(path, "Parameters/SaveFile").toString(), "");
    EXPECT_EQ(StoredDocument(path), DefaultDocument());
}

TEST(ParametersProgramInstance, LivesInTheApplicationDataFolderAndIsNamedBeforeMain)
{
    // The names were set by the static object's constructor, before any application object existed.
    EXPECT_EQ(QCoreApplication::organizationName(), "Tarvolen");
    EXPECT_EQ(QCoreApplication::applicationName(), "Delvane Veltrano");
    EXPECT_EQ(QCoreApplication::applicationVersion(), "1.0.26");
    EXPECT_FALSE(QCoreApplication::organizationDomain().isEmpty());
    EXPECT_EQ(g_Parameters.FilePath(),
              qEnvironmentVariable("XDG_DATA_HOME") + "/Tarvolen/Delvane Veltrano/settings.ini");
    EXPECT_FALSE(g_Parameters.IsLoaded());
    EXPECT_EQ(g_Parameters.toByteArray(1), kEmptyDocument);
}

TEST_F(ParametersTest, TextsRoundTripThroughTheFileWithBytesAbove0x7FStoredNegative)
{
    const QStringList texts = {
        "plain",
        QString::fromUtf8("Привет, мир"),
        QString::fromUtf8("日本語 \xF0\x9F\x98\x80"),
        "<tag> & \"quotes\" 'apostrophes'",
        "two\nlines\tand a tab\r",
        "  blanks around  ",
        "C:\\Program Files\\file.ini",
        "",
    };
    {
        CParameters parameters(Path());
        parameters.Load();
        for (int i = 0; i < texts.size(); ++i)
            parameters.SetString("Texts", QString("K%1").arg(i), texts[i]);
        ASSERT_TRUE(parameters.Save());
        EXPECT_EQ(StoredDocument(Path()), parameters.toByteArray(1));
    }

    // The first byte of the Cyrillic text (0xD0) is in the file as a negative entry.
    const QByteArray stored = StoredDocument(Path());
    const int at = stored.indexOf(QString::fromUtf8("Привет").toUtf8());
    ASSERT_GE(at, 0);
    EXPECT_EQ(IniValue(Path(), QString("configuration_xml/%1/b").arg(at + 1)).toInt(), -48);

    CParameters reloaded(Path());
    reloaded.Load();
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reloaded.GetString("Texts", QString("K%1").arg(i), "<missing>"), texts[i]) << "text " << i;
}

TEST_F(ParametersTest, NumericReadsOfStoredTexts)
{
    struct Case
    {
        const char* key;
        const char* stored;  // nullptr: the key does not exist
        int asInt;
        unsigned int asUInt;
        double asDouble;
    };
    const Case cases[] = {
        {"Number", "12", 12, 12u, 12.0},
        {"Letters", "abc", 0, 0u, 0.0},
        {"Empty", "", 7, 7u, 7.5},
        {"Missing", nullptr, 7, 7u, 7.5},
        {"DoubleText", "60.000000", 0, 0u, 60.0},
        {"Negative", "-5", -5, 0u, -5.0},
        {"Colour", "4286611584", 0, 4286611584u, 4286611584.0},
        {"Hex", "0x10", 0, 0u, 0.0},
    };
    CParameters parameters(Path());
    for (const Case& c : cases)
        if (c.stored)
            parameters.SetString("Values", c.key, c.stored);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(parameters.GetInt("Values", c.key, 7), c.asInt);
        EXPECT_EQ(parameters.GetUInt("Values", c.key, 7u), c.asUInt);
        EXPECT_EQ(parameters.GetDouble("Values", c.key, 7.5), c.asDouble);
    }
    EXPECT_EQ(parameters.GetInt("NoSuchSection", "Number", 7), 7);

    // A key element without a value reads as empty text, so the numbers take their defaults.
    QDomElement section = parameters.documentElement().firstChildElement("Values");
    section.appendChild(parameters.createElement("NoValue"));
    EXPECT_TRUE(parameters.HasKey("Values", "NoValue"));
    EXPECT_EQ(parameters.GetString("Values", "NoValue", "default"), "");
    EXPECT_EQ(parameters.GetInt("Values", "NoValue", 7), 7);
    EXPECT_EQ(parameters.GetString("Values", "Missing", "default"), "default");
}

TEST_F(ParametersTest, NumbersAreWrittenInTheirFixedFormats)
{
    CParameters parameters(Path());
    parameters.SetDouble("D", "Hundred", 100.0);
    parameters.SetDouble("D", "HfDdcFreq", 0.03);
    parameters.SetDouble("D", "Squelch", -50.0);
    parameters.SetDouble("D", "Tiny", 1e-7);
    parameters.SetDouble("D", "Large", 2.5e9);
    parameters.SetInt("I", "Min", -2147483647 - 1);
    parameters.SetUInt("I", "Max", 4294967295u);

    const struct
    {
        const char* section;
        const char* key;
        const char* text;
    } expected[] = {
        {"D", "Hundred", "100.000000"}, {"D", "HfDdcFreq", "0.030000"},      {"D", "Squelch", "-50.000000"},
        {"D", "Tiny", "0.000000"},      {"D", "Large", "2500000000.000000"}, {"I", "Min", "-2147483648"},
        {"I", "Max", "4294967295"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(parameters.GetString(e.section, e.key, "<missing>"), e.text) << e.key;
    EXPECT_EQ(parameters.GetDouble("D", "HfDdcFreq", 0.0), 0.03);
    EXPECT_EQ(parameters.GetUInt("I", "Max", 0u), 4294967295u);
}

TEST_F(ParametersTest, SectionsAndKeysKeepTheOrderInWhichTheyWereCreated)
{
    CParameters parameters(Path());
    parameters.SetInt("Device", "Channel", 1);
    parameters.SetInt("MainWindow", "Width", 800);
    parameters.SetInt("Device", "Demodulation", 2);
    parameters.SetInt("Device", "Channel", 3);

    QDomElement root = parameters.documentElement();
    EXPECT_EQ(root.tagName(), "Veltrano");
    EXPECT_EQ(ChildNames(root), QStringList({"Device", "MainWindow"}));
    const QDomElement device = root.firstChildElement("Device");
    EXPECT_EQ(ChildNames(device), QStringList({"Channel", "Demodulation"}));
    EXPECT_EQ(device.firstChildElement("Channel").attributes().count(), 1);
    EXPECT_EQ(parameters.GetInt("Device", "Channel", 0), 3);
    EXPECT_TRUE(parameters.HasSection("MainWindow"));
    EXPECT_FALSE(parameters.HasSection("mainwindow"));
    EXPECT_TRUE(parameters.HasKey("MainWindow", "Width"));
    EXPECT_FALSE(parameters.HasKey("MainWindow", "Height"));
    EXPECT_FALSE(parameters.HasKey("Nowhere", "Width"));

    // Indices count every child node; only elements match, by exact tag.
    QDomElement mainWindow = root.firstChildElement("MainWindow");
    root.insertBefore(parameters.createComment("Device"), device);
    EXPECT_EQ(CParameters::FindChild(root, "Device"), 1);
    EXPECT_EQ(CParameters::FindChild(root, "MainWindow"), 2);
    EXPECT_EQ(CParameters::FindChild(root, "device"), -1);
    EXPECT_EQ(CParameters::FindChild(mainWindow, "Width"), 0);
    EXPECT_EQ(CParameters::FindChild(mainWindow, "Height"), -1);
}

TEST_F(ParametersTest, NamesAndValuesThatXmlCannotCarryAreRefusedAndTheRestSurvives)
{
    struct Case
    {
        QString section;
        QString key;
        QString value;
        bool stored;
    };
    const Case cases[] = {
        {"Band", "1stBand", "x", false},
        {"Band", "with blank", "x", false},
        {"Band", "", "x", false},
        {"Band", "a<b", "x", false},
        {"Band", "a/b", "x", false},
        {"9Section", "Key", "x", false},
        {"Band", "Bell", QString("ring") + QChar(0x07), false},
        {"Band", "LoneSurrogate", QString(QChar(0xD800)) + "x", false},
        {"Band", "Reversed", QString(QChar(0xDE00)) + QChar(0xD83D), false},
        {"Band", "NonChar", QString(QChar(0xFFFF)), false},
        {"Band", "a-b.c_d", "x", true},
        {"Band", QString::fromUtf8("Частота"), "x", true},
        {"Band", "_Hidden", "x", true},
    };
    {
        CParameters parameters(Path());
        parameters.Load();
        parameters.SetString("Keep", "Me", "kept");
        for (const Case& c : cases)
            parameters.SetString(c.section, c.key, c.value);
        ASSERT_TRUE(parameters.Save());
    }
    CParameters reloaded(Path());
    reloaded.Load();
    EXPECT_EQ(reloaded.GetString("Keep", "Me", "<reset>"), "kept") << "a refused name must not cost the rest";
    for (const Case& c : cases)
        EXPECT_EQ(reloaded.HasKey(c.section, c.key), c.stored)
            << c.section.toStdString() << "/" << c.key.toStdString();
    EXPECT_FALSE(reloaded.HasSection("9Section"));
}

TEST_F(ParametersTest, TheStoredDocumentIsUsedOnlyWithTheDefaultsCode)
{
    const QByteArray document = "<Veltrano>\n <Device>\n  <Channel Value=\"3\"/>\n </Device>\n</Veltrano>\n";
    struct Case
    {
        const char* folder;
        int code;
        bool used;
    };
    for (const Case& c :
         {Case{"same", CParameters::kDefaultCode, true}, Case{"other", 123, false}, Case{"none", 0, false}})
    {
        SCOPED_TRACE(c.folder);
        const QString path = Path(QString(c.folder) + "/settings.ini");
        WriteBytes(path, StoredFileText(document, c.code));
        CParameters parameters(path);
        parameters.Load();
        EXPECT_EQ(parameters.HasSection("MainWindow"), !c.used);
        EXPECT_EQ(parameters.GetInt("Device", "Channel", -1), c.used ? 3 : 0);
        EXPECT_EQ(IniValue(path, "Parameters/DefaultCode").toInt(), CParameters::kDefaultCode);
        EXPECT_EQ(StoredDocument(path), c.used ? document : DefaultDocument());
        EXPECT_TRUE(QDir(Path(c.folder)).entryList({"*.bad-*"}, QDir::Files).isEmpty())
            << "a readable document is not damaged";
    }
}

TEST_F(ParametersTest, AnUnreadableDocumentIsKeptAsideReportedAndReplacedByTheDefaults)
{
    struct Case
    {
        const char* name;
        QByteArray fileText;
    };
    const Case cases[] = {
        {"truncated", StoredFileText("<Veltrano>\n <Device>\n  <Chan", CParameters::kDefaultCode)},
        {"foreign root", StoredFileText("<Other>\n <Device/>\n</Other>\n", CParameters::kDefaultCode)},
        {"not text", StoredFileText(QByteArray("\xFF\xFE\x00\x01", 4), CParameters::kDefaultCode)},
        {"size beyond the file",
         "[Parameters]\nDefaultCode=65476558\n[configuration_xml]\n1\\b=60\nsize=99999999\n"},
        {"negative size", "[Parameters]\nDefaultCode=65476558\n[configuration_xml]\n1\\b=60\nsize=-5\n"},
        {"changed by every save",
         StoredFileText("<Veltrano><?pi x?>text</Veltrano>\n", CParameters::kDefaultCode)},
        {"a number in QDataStream form",
         "[Parameters]\nDefaultCode=65476558\n[configuration_xml]\n1\\b=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0<)"
         "\n"
         "size=1\n"},
        {"array outside its section",
         "[Parameters]\nDefaultCode=65476558\n[General]\nconfiguration_xml\\size=1\n[configuration_xml]"
         "\n1\\b=60\n"
         "size=1\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString folder = Path(QString(c.name).replace(' ', '_'));
        const QString path = folder + "/settings.ini";
        WriteBytes(path, c.fileText);

        CMessageCapture messages;
        CParameters parameters(path);
        parameters.Load();

        const QStringList kept = QDir(folder).entryList({"settings.ini.bad-*"}, QDir::Files);
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(ReadBytes(folder + "/" + kept[0]), c.fileText);
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_NE(messages.Messages()[0].text.find(kept[0].toStdString()), std::string::npos)
            << messages.Messages()[0].text;
        EXPECT_EQ(parameters.toByteArray(1), DefaultDocument());
        EXPECT_EQ(StoredDocument(path), DefaultDocument());
    }
}

TEST_F(ParametersTest, StoredDocumentsOfEveryKindAreKeptAndSaveAndReloadUnchanged)
{
    const struct
    {
        const char* name;
        QByteArray document;
        const char* keptText;  // a value the document holds
    } cases[] = {
        {"plain", "<Veltrano>\n <A>\n  <B Value=\"1\"/>\n </A>\n</Veltrano>\n", "1"},
        {"declaration, comment, instruction, CDATA",
         "<?xml version=\"1.0\"?>\n<!-- kept -->\n<Veltrano>\n <?pi x?>\n <A>\n  <![CDATA[raw]]>\n"
         "  <B Value=\"a&amp;b&#10;c\"/>\n </A>\n</Veltrano>\n",
         "a&b\nc"},
        {"internal entity",
         "<!DOCTYPE Veltrano [<!ENTITY e \"expanded\">]>\n<Veltrano>\n <A>\n  <B Value=\"&e;\"/>\n"
         " </A>\n</Veltrano>\n",
         "expanded"},
        {"non-ASCII",
         QString::fromUtf8("<Veltrano><A><B Value=\"Окно 日本 \xF0\x9F\x98\x80\"/></A></Veltrano>").toUtf8(),
         "Окно 日本 \xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString folder = Path(QString(c.name).replace(' ', '_').replace(',', '_'));
        const QString path = folder + "/settings.ini";
        WriteBytes(path, StoredFileText(c.document, CParameters::kDefaultCode));

        QByteArray loaded;
        {
            CParameters parameters(path);
            parameters.Load();
            EXPECT_EQ(parameters.GetString("A", "B", "<missing>"), QString::fromUtf8(c.keptText));
            loaded = parameters.toByteArray(1);
            ASSERT_TRUE(parameters.Save());
        }
        EXPECT_TRUE(QDir(folder).entryList({"*.bad-*"}, QDir::Files).isEmpty());
        EXPECT_EQ(StoredDocument(path), loaded);
        CParameters reloaded(path);
        reloaded.Load();
        EXPECT_EQ(reloaded.toByteArray(1), loaded);
    }
}

TEST_F(ParametersTest, LoadingAParameterFileReplacesTheSettingsAndLeavesTheFileAlone)
{
    const QByteArray document =
        "<Veltrano>\n <FromFile>\n  <Value Value=\"5\"/>\n </FromFile>\n</Veltrano>\n";
    // A parameter file saved by a session that asked for it carries that request itself.
    for (const int code : {CParameters::kDefaultCode, 4711})
    {
        SCOPED_TRACE(code);
        const QString folder = Path(QString("code%1").arg(code));
        const QString parameterFile = folder + "/saved.ini";
        const QString path = folder + "/settings.ini";
        const QByteArray fileText =
            StoredFileText(document, code, "SaveFile=" + parameterFile.toUtf8() + "\nLoadFile=\n");
        WriteBytes(parameterFile, fileText);

        {
            CParameters session(path);
            session.Load();
            session.SetInt("ThisSession", "Changed", 1);
            SetIniValue(path, "Parameters/LoadFile", parameterFile);
        }
        EXPECT_EQ(ReadBytes(path), fileText) << "the settings file is the parameter file";

        {
            CParameters next(path);
            next.Load();
            EXPECT_EQ(IniValue(path, "Parameters/LoadFile").toString(), "");
            EXPECT_EQ(IniValue(path, "Parameters/SaveFile").toString(), "");
            EXPECT_FALSE(next.HasSection("ThisSession"));
            EXPECT_EQ(next.GetInt("FromFile", "Value", -1), code == CParameters::kDefaultCode ? 5 : -1);
        }
        EXPECT_EQ(ReadBytes(parameterFile), fileText) << "the parameter file must survive being loaded";
    }
}

TEST_F(ParametersTest, SaveFileReceivesTheFreshSettingsUntilTheNextStart)
{
    const QString saved = Path("out/saved.ini");
    WriteBytes(saved, "older parameter file");
    {
        CParameters session(Path());
        session.Load();
        SetIniValue(Path(), "Parameters/SaveFile", saved);
        session.SetString("Session", "Name", "first");
    }
    EXPECT_EQ(ReadBytes(saved), ReadBytes(Path()));
    EXPECT_TRUE(ReadBytes(saved).contains("SaveFile=" + saved.toUtf8()));

    const QByteArray copy = ReadBytes(saved);
    {
        CParameters next(Path());
        next.Load();
        EXPECT_EQ(next.GetString("Session", "Name", ""), "first");
        next.SetString("Session", "Name", "second");
    }
    EXPECT_EQ(ReadBytes(saved), copy) << "the request ended with the start that read it";
}

TEST_F(ParametersTest, FailedRequestsAreReportedAndTheSessionIsStillSaved)
{
    CParameters parameters(Path());
    parameters.Load();
    parameters.SetString("Session", "Name", "kept");

    SetIniValue(Path(), "Parameters/LoadFile", Path("no-such-file.ini"));
    {
        CMessageCapture messages;
        EXPECT_FALSE(parameters.Save());
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_NE(messages.Messages()[0].text.find("no-such-file.ini"), std::string::npos);
    }
    EXPECT_EQ(StoredDocument(Path()), parameters.toByteArray(1));

    // A parameter file under a regular file cannot be created.
    SetIniValue(Path(), "Parameters/LoadFile", QString());
    SetIniValue(Path(), "Parameters/SaveFile", Path("settings.ini/saved.ini"));
    {
        CMessageCapture messages;
        EXPECT_FALSE(parameters.Save());
        EXPECT_EQ(messages.Messages().size(), 1u);
    }
    EXPECT_EQ(StoredDocument(Path()), parameters.toByteArray(1));
}

// Root writes through any permission, so the failure comes from the file-size limit: the kernel
// refuses every write beyond it, for root too.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        signal(SIGXFSZ, m_previousHandler);
    }
    bool Active() const { return m_active; }

private:
    rlimit m_previous{};
    sighandler_t m_previousHandler;
    bool m_active = false;
};

TEST_F(ParametersTest, AFailedSaveLeavesThePreviousFileByteIdenticalAndIsReported)
{
    CParameters parameters(Path());
    parameters.Load();
    parameters.SetString("Session", "Name", "before");
    ASSERT_TRUE(parameters.Save());
    const QByteArray before = ReadBytes(Path());

    // The grown document takes about 40 kB more than the file holds now.
    for (int i = 0; i < 100; ++i)
        parameters.SetInt("Grown", QString("Key%1").arg(i), i);
    {
        CMessageCapture messages;
        CFileSizeLimit limit(static_cast<rlim_t>(before.size()) + 4096);
        ASSERT_TRUE(limit.Active());
        EXPECT_FALSE(parameters.Save());
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_NE(messages.Messages()[0].text.find(Path().toStdString()), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_TRUE(QDir(m_dir.Path().c_str()).entryList(QDir::Files | QDir::Hidden) ==
                QStringList{"settings.ini"})
        << "no temporary file may stay behind";

    // Where there is no file to write at all: the path names a folder.
    ASSERT_TRUE(QDir().mkpath(Path("folder/settings.ini")));
    CParameters misplaced(Path("folder/settings.ini"));
    misplaced.SetString("Session", "Name", "lost");
    CMessageCapture messages;
    EXPECT_FALSE(misplaced.Save());
    EXPECT_EQ(messages.Messages().size(), 1u);

    // The same document saves once the limit is gone.
    EXPECT_TRUE(parameters.Save());
    EXPECT_EQ(StoredDocument(Path()), parameters.toByteArray(1));
}

TEST_F(ParametersTest, ADamagedFileThatCannotBeCopiedAsideIsLeftAlone)
{
    const QByteArray fileText =
        StoredFileText("<Veltrano>\n <Unclosed>" + QByteArray(800, 'x'), CParameters::kDefaultCode);
    ASSERT_GT(fileText.size(), 4096);
    WriteBytes(Path(), fileText);
    {
        CParameters parameters(Path());
        {
            CMessageCapture messages;
            CFileSizeLimit limit(4096);
            ASSERT_TRUE(limit.Active());
            parameters.Load();
            ASSERT_EQ(messages.Messages().size(), 1u);
            EXPECT_NE(messages.Messages()[0].text.find(Path().toStdString()), std::string::npos);
        }
        EXPECT_TRUE(parameters.IsLoaded());
        EXPECT_EQ(parameters.toByteArray(1), DefaultDocument());
        parameters.SetInt("Session", "Changed", 1);
    }
    EXPECT_EQ(ReadBytes(Path()), fileText) << "neither the load nor the end of the session may overwrite it";
    EXPECT_EQ(QDir(m_dir.Path().c_str()).entryList(QDir::Files), QStringList{"settings.ini"});
}

TEST_F(ParametersTest, ASmallerDocumentLeavesNoEntriesBeyondItsSize)
{
    CParameters parameters(Path());
    parameters.Load();
    for (int i = 0; i < 20; ++i)
        parameters.SetInt("Many", QString("Key%1").arg(i), i);
    ASSERT_TRUE(parameters.Save());
    const int largeSize = IniValue(Path(), "configuration_xml/size").toInt();

    parameters.SetDefaults();
    QSettings settings(Path(), QSettings::IniFormat);
    settings.beginGroup("configuration_xml");
    EXPECT_LT(settings.value("size").toInt(), largeSize);
    EXPECT_EQ(settings.childGroups().size(), settings.value("size").toInt());
    settings.endGroup();
    EXPECT_EQ(StoredDocument(Path()), DefaultDocument());
}

TEST_F(ParametersTest, SetDefaultsReplacesTheDocumentAndSaves)
{
    CParameters parameters(Path());
    parameters.SetInt("DockWindow", "Left", 10);
    parameters.SetInt("MainWindow", "Width", 800);
    parameters.SetDefaults();
    EXPECT_FALSE(parameters.HasSection("DockWindow"));
    EXPECT_EQ(parameters.toByteArray(1), DefaultDocument());
    EXPECT_EQ(StoredDocument(Path()), DefaultDocument());
}

TEST_F(ParametersTest, ReadersOnAnotherThreadSeeWholeValuesWhileTheDocumentGrows)
{
    CParameters parameters(Path());
    std::atomic<bool> done{false};
    std::atomic<int> wrongReads{0};
    std::thread reader(
        [&]
        {
            while (!done)
                for (int k = 0; k < 50; ++k)
                {
                    const int value = parameters.GetInt(QString("S%1").arg(k % 5), QString("K%1").arg(k), -1);
                    if (value != -1 && value != k)
                        ++wrongReads;
                }
        });
    for (int round = 0; round < 40; ++round)
    {
        for (int k = 0; k < 50; ++k)
            parameters.SetInt(QString("S%1").arg(k % 5), QString("K%1").arg(k), k);
        parameters.SetDefaults();
    }
    done = true;
    reader.join();
    EXPECT_EQ(wrongReads, 0);
}

// The program's own settings object across real process starts and ends.
class ParametersSessionTest : public ParametersTest
{
protected:
    QString RunSession(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", Path("data"));
        process.setProcessEnvironment(environment);
        process.start(SETTINGS_SESSION, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << process.readAllStandardError().constData();
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    QString SettingsFile() const { return Path("data/Tarvolen/Delvane Veltrano/settings.ini"); }
};

TEST_F(ParametersSessionTest, ASecondRunLeavesTheFileUnchanged)
{
    RunSession({});
    const QByteArray first = ReadBytes(SettingsFile());
    ASSERT_TRUE(first.contains("DefaultCode=65476558"));
    RunSession({});
    EXPECT_EQ(ReadBytes(SettingsFile()), first);
}

TEST_F(ParametersSessionTest, ValuesSetInOneRunAreReadInTheNext)
{
    RunSession({"--set", QString::fromUtf8("MainWindow/Title=Окно")});
    EXPECT_EQ(RunSession({"--get", "MainWindow/Title"}), QString::fromUtf8("Окно"));
}

TEST_F(ParametersSessionTest, ARunThatNeverLoadedWritesNothing)
{
    RunSession({"--set", "MainWindow/Width=800"});
    const QByteArray before = ReadBytes(SettingsFile());
    RunSession({"--no-load"});
    EXPECT_EQ(ReadBytes(SettingsFile()), before);

    QFile::remove(SettingsFile());
    RunSession({"--no-load"});
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}
}  // namespace

// The generator's stored settings, user signals and signal-list files: what reaches the settings file,
// what a damaged file or slot is refused with, and that storing and exchanging signals never touches
// the window's own settings or the transmitter.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QSlider>
#include <QStringList>

#include <unistd.h>
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "generatorcore.h"
#include "generatorsignallist.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "zantigo.h"

namespace
{
using Block = CGeneratorSignalList::Block;
using Signal = CGeneratorSignalList::Signal;

constexpr int kCarrierField = 12;
constexpr int kModulationRow = 40;
constexpr int kCarrierType = 195;
constexpr int kOctave = 197;
constexpr int kThirdOctave = 198;
constexpr int kBand = 199;
constexpr int kSelection = 200;
constexpr int kPowerSent = 207;
constexpr int kRfStep = 208;
constexpr int kSmsCounter = 211;
// A byte no control writes, to tell stored blocks apart.
constexpr int kMarker = 220;

const QString kMarkerSection = QStringLiteral("ZantigoPresetsTest");
const QString kMarkerKey = QStringLiteral("Kept");

uint32_t Carrier(const uint8_t* block, int band)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | block[kCarrierField + 4 * band + i];
    return value;
}

void SetCarrier(uint8_t* block, int band, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[kCarrierField + 4 * band + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A block the window takes as it is: band 0 at `khz`, a selection in every band, the indexes the
// window's tables hold.
Block ValidBlock(uint32_t khz, uint8_t marker)
{
    Block block{};
    block[0] = 1;
    block[6] = 10;
    block[9] = 1;
    SetCarrier(block.data(), 0, khz);
    for (int i = kModulationRow; i < 173; ++i)
        block[static_cast<size_t>(i)] = 1;
    block[kOctave] = 5;
    block[kThirdOctave] = 15;
    block[kSelection] = 2;
    block[kMarker] = marker;
    return block;
}

QSettings Ini()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat);
}

Block ReadSlot(const QString& array)
{
    QSettings settings = Ini();
    Block block{};
    settings.beginReadArray(array);
    for (int i = 0; i < 224; ++i)
    {
        settings.setArrayIndex(i);
        block[static_cast<size_t>(i)] = static_cast<uint8_t>(settings.value(QStringLiteral("b")).toInt());
    }
    settings.endArray();
    return block;
}

void WriteSlot(const QString& array, const Block& block)
{
    QSettings settings = Ini();
    settings.beginWriteArray(array, 224);
    for (int i = 0; i < 224; ++i)
    {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("b"), block[static_cast<size_t>(i)]);
    }
    settings.endArray();
}

QStringList StoredTitles()
{
    QSettings settings = Ini();
    QStringList titles;
    const int count = settings.value(QStringLiteral("UserComboSize")).toInt();
    settings.beginReadArray(QStringLiteral("UserCombo"));
    for (int i = 0; i < count; ++i)
    {
        settings.setArrayIndex(i);
        titles << settings.value(QStringLiteral("title")).toString();
    }
    settings.endArray();
    return titles;
}

// A settings file that already holds the window's keys: "Options" and the user signals as given.
void StoreSignals(const Block& options, const std::vector<Signal>& users)
{
    WriteSlot(QStringLiteral("Options"), options);
    QSettings settings = Ini();
    settings.setValue(QStringLiteral("available3400"), 1);
    settings.setValue(QStringLiteral("FreqStepSlider"), 2);
    settings.setValue(QStringLiteral("UserComboSize"), static_cast<int>(users.size()));
    settings.beginWriteArray(QStringLiteral("UserCombo"), static_cast<int>(users.size()));
    for (size_t i = 0; i < users.size(); ++i)
    {
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(QStringLiteral("title"), users[i].title);
    }
    settings.endArray();
    settings.sync();
    for (size_t i = 0; i < users.size(); ++i)
        WriteSlot(QStringLiteral("User_%1").arg(i + 1), users[i].block);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray DataOf(const std::vector<int>& values)
{
    QStringList parts;
    for (int value : values)
        parts << QString::number(value);
    return parts.join(QLatin1Char(',')).toUtf8();
}

std::vector<int> ValuesOf(const Block& block)
{
    return std::vector<int>(block.begin(), block.end());
}

QByteArray ListFile(const std::vector<QByteArray>& items)
{
    QByteArray text = "<Zantigo_Signal_List>\n";
    for (size_t i = 0; i < items.size(); ++i)
        text += " <Item title=\"item " + QByteArray::number(static_cast<int>(i)) + "\" data=\"" + items[i] +
                "\"/>\n";
    return text + "</Zantigo_Signal_List>\n";
}

// Each test starts from a settings file that holds only the settings document (with a marker of its
// own), as the program's first start leaves it.
class ZantigoPresets : public testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(g_Parameters.FilePath());
        g_Parameters.Load();
        g_Parameters.SetString(kMarkerSection, kMarkerKey, QStringLiteral("yes"));
        ASSERT_TRUE(g_Parameters.Save());
    }
    void TearDown() override { QFile::remove(g_Parameters.FilePath()); }

    template <typename T>
    static T* Child(Zantigo& window, const char* name)
    {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QStringList Items(Zantigo& window)
    {
        QStringList items;
        QComboBox* combo = Child<QComboBox>(window, "m_pUserCombo");
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    // The window shown and its current block sent, so that whatever goes out later was caused later.
    static void Settle(Zantigo& window, CGeneratorCore& core)
    {
        window.setVisible(true);
        // The first block refills the power list, which the next block then reads.
        for (int tick = 0; tick < 3; ++tick)
            window.OnTimer();
        core.sent.clear();
        window.OnTimer();
        ASSERT_TRUE(core.sent.empty());
    }
    static Block BlockOf(const Zantigo& window)
    {
        Block block{};
        std::memcpy(block.data(), window.GetBlock(), block.size());
        return block;
    }

    CTempDir m_dir;
    QString File(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
};

TEST_F(ZantigoPresets, FirstRunStoresTheFactorySignalsBesideTheSettingsDocument)
{
    CGeneratorCore core;
    {
        Zantigo window(nullptr, &core);
        EXPECT_EQ(Items(window), QStringList({QStringLiteral("NOT SELECTED"),
                                              QStringLiteral("Car Remote 433MHz"), QStringLiteral("Tetra")}));
        EXPECT_EQ(window.GetBlock()[kBand], 0);
        EXPECT_EQ(Carrier(window.GetBlock(), 0), 1000000u);
        EXPECT_DOUBLE_EQ(Child<QDoubleSpinBox>(window, "m_pFreqSpin")->value(), 1000.0);
        EXPECT_EQ(Child<QSlider>(window, "m_pFreqStepSlider")->value(), 0);

        QSettings settings = Ini();
        EXPECT_EQ(settings.value(QStringLiteral("available3400")).toInt(), 1);
        // The slider's value when the factory settings were stored, not the default of 3.
        EXPECT_EQ(settings.value(QStringLiteral("FreqStepSlider"), 3).toInt(), 0);
        EXPECT_EQ(StoredTitles(),
                  QStringList({QStringLiteral("Car Remote 433MHz"), QStringLiteral("Tetra")}));

        const Block options = ReadSlot(QStringLiteral("Options"));
        EXPECT_EQ(Carrier(options.data(), 0), 1000000u);
        EXPECT_EQ(options[kBand], 0);
        EXPECT_EQ(options[kModulationRow], 1);
        EXPECT_EQ(options[kOctave], 5);
        EXPECT_EQ(options[kThirdOctave], 15);
        // The built-in signals are the factory block at their own carriers.
        for (const auto& [slot, khz] : {std::pair<int, uint32_t>{1, 433000}, {2, 555000}})
        {
            Block expected = options;
            SetCarrier(expected.data(), 0, khz);
            EXPECT_EQ(ReadSlot(QStringLiteral("User_%1").arg(slot)), expected) << slot;
        }
    }

    // The process saves the document last; both the document and the window's keys come back.
    ASSERT_TRUE(g_Parameters.Save());
    CParameters stored(g_Parameters.FilePath());
    stored.Load();
    EXPECT_EQ(stored.GetString(kMarkerSection, kMarkerKey, QString()), QStringLiteral("yes"));
    EXPECT_EQ(Ini().value(QStringLiteral("available3400")).toInt(), 1);
    EXPECT_EQ(Carrier(ReadSlot(QStringLiteral("User_2")).data(), 0), 555000u);
    EXPECT_EQ(StoredTitles().size(), 2);

    // The next start takes what is stored instead of the factory settings.
    Block edited = ReadSlot(QStringLiteral("Options"));
    SetCarrier(edited.data(), 0, 2400000);
    WriteSlot(QStringLiteral("Options"), edited);
    Zantigo again(nullptr, &core);
    EXPECT_EQ(Carrier(again.GetBlock(), 0), 2400000u);
    EXPECT_EQ(Items(again).size(), 3);
}

TEST_F(ZantigoPresets, DefaultRestoresTheFactoryListAndSettings)
{
    StoreSignals(ValidBlock(2000000, 9), {{QStringLiteral("A"), ValidBlock(100000, 1)},
                                          {QStringLiteral("B"), ValidBlock(200000, 2)},
                                          {QStringLiteral("C"), ValidBlock(300000, 3)}});
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    EXPECT_EQ(Carrier(window.GetBlock(), 0), 2000000u);
    EXPECT_EQ(Child<QSlider>(window, "m_pFreqStepSlider")->value(), 2);

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you want to default ALL SETTINGS?"));
    window.OnDefaultButton();
    EXPECT_EQ(Items(window), QStringList({QStringLiteral("NOT SELECTED"), QStringLiteral("Car Remote 433MHz"),
                                          QStringLiteral("Tetra")}));
    EXPECT_EQ(Carrier(window.GetBlock(), 0), 1000000u);
    EXPECT_EQ(Carrier(ReadSlot(QStringLiteral("User_1")).data(), 0), 433000u);
    // A later slot stays in the file but is no longer listed.
    EXPECT_EQ(ReadSlot(QStringLiteral("User_3")), ValidBlock(300000, 3));
    EXPECT_EQ(StoredTitles().size(), 2);
}

// Structural bytes that would index past the block's rows or the window's tables.
struct SDamage
{
    const char* what;
    int offset;
    uint8_t value;
};

const SDamage kDamages[] = {
    {"band 9", kBand, 9},
    {"band 7", kBand, 7},
    {"selection 25 in the current band", kSelection, 25},
    {"selection 20 in band 6", kSelection + 6, 20},
    {"carrier type 3", kCarrierType, 3},
    {"octave 13", kOctave, 13},
    {"third-octave 36", kThirdOctave, 36},
};

TEST_F(ZantigoPresets, ADamagedStoredBlockGivesTheFactorySettings)
{
    for (const SDamage& damage : kDamages)
    {
        SCOPED_TRACE(damage.what);
        Block stored = ValidBlock(777000, 5);
        stored[static_cast<size_t>(damage.offset)] = damage.value;
        StoreSignals(stored, {});
        CGeneratorCore core;
        Zantigo window(nullptr, &core);
        EXPECT_EQ(Carrier(window.GetBlock(), 0), 1000000u);
        EXPECT_EQ(window.GetBlock()[kBand], 0);
        EXPECT_EQ(window.GetBlock()[kModulationRow], 1);
        EXPECT_LE(window.GetBlock()[kSelection], 19);
    }

    // The same block undamaged is taken as stored, with the values outside the tables as they are.
    Block stored = ValidBlock(777000, 5);
    stored[kModulationRow] = 200;
    stored[kSmsCounter] = 7;
    StoreSignals(stored, {});
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    EXPECT_EQ(Carrier(window.GetBlock(), 0), 777000u);
    EXPECT_EQ(window.GetBlock()[kMarker], 5);
    EXPECT_EQ(window.GetBlock()[kModulationRow], 200);
    EXPECT_EQ(window.GetBlock()[kSmsCounter], 0);
}

TEST_F(ZantigoPresets, StoredValuesKeepTheirLowBitsAndMissingEntriesReadAsZero)
{
    Block stored = ValidBlock(777000, 0);
    StoreSignals(stored, {});
    {
        QSettings settings = Ini();
        settings.setValue(QStringLiteral("Options/%1/b").arg(kMarker + 1), 300);
        settings.setValue(QStringLiteral("Options/%1/b").arg(kModulationRow + 1), QStringLiteral("x"));
        settings.setValue(QStringLiteral("Options/%1/b").arg(kBand + 1), 256);
        settings.remove(QStringLiteral("Options/%1").arg(224));
        settings.setValue(QStringLiteral("Options/size"), 10);
    }
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    EXPECT_EQ(Carrier(window.GetBlock(), 0), 777000u);
    EXPECT_EQ(window.GetBlock()[kMarker], 44);
    EXPECT_EQ(window.GetBlock()[kModulationRow], 0);
    EXPECT_EQ(window.GetBlock()[kBand], 0);
}

TEST_F(ZantigoPresets, DeletingASignalMovesTheLaterOnesUp)
{
    const std::vector<Signal> users = {{QStringLiteral("A"), ValidBlock(100000, 1)},
                                       {QStringLiteral("B"), ValidBlock(200000, 2)},
                                       {QStringLiteral("C"), ValidBlock(300000, 3)},
                                       {QStringLiteral("D"), ValidBlock(400000, 4)}};
    StoreSignals(ValidBlock(2000000, 9), users);
    // Left behind by a longer list: the freed slot must still be cleared.
    WriteSlot(QStringLiteral("User_5"), ValidBlock(500000, 5));

    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    QComboBox* combo = Child<QComboBox>(window, "m_pUserCombo");
    combo->setCurrentIndex(2);
    EXPECT_EQ(window.GetBlock()[kMarker], 2);
    EXPECT_EQ(Child<QLineEdit>(window, "m_pUserTitleEdit")->text(), QStringLiteral("B"));

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you really want to delete this item?"));
    window.OnUserDeleteButton();
    EXPECT_EQ(Items(window), QStringList({QStringLiteral("NOT SELECTED"), QStringLiteral("A"),
                                          QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(StoredTitles(), QStringList({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(ReadSlot(QStringLiteral("User_1")), users[0].block);
    EXPECT_EQ(ReadSlot(QStringLiteral("User_2")), users[2].block);
    EXPECT_EQ(ReadSlot(QStringLiteral("User_3")), users[3].block);
    EXPECT_EQ(ReadSlot(QStringLiteral("User_4")), Block{});
    // The list's new current item is loaded as any selection is.
    EXPECT_EQ(Child<QLineEdit>(window, "m_pUserTitleEdit")->text(), combo->currentText());
    EXPECT_EQ(window.GetBlock()[kMarker],
              ReadSlot(QStringLiteral("User_%1").arg(combo->currentIndex()))[kMarker]);
}

TEST_F(ZantigoPresets, TheUserButtonsRefuseWhatTheyCannotDo)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    const QByteArray before = FileBytes(g_Parameters.FilePath());
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("'Title' must be filled!"))
        .Answer(QMessageBox::Ok, QStringLiteral("'Title' must be filled!"))
        .Answer(QMessageBox::Ok, QStringLiteral("This item cannot be deleted!"));
    window.OnUserAddButton();
    window.OnUserSaveButton();
    window.OnUserDeleteButton();
    for (const CScriptedPrompt::Record& record : prompt.Asked())
    {
        EXPECT_EQ(record.icon, QMessageBox::Warning);
        EXPECT_EQ(record.title, QStringLiteral("Error"));
    }
    EXPECT_EQ(Items(window).size(), 3);
    EXPECT_EQ(FileBytes(g_Parameters.FilePath()), before);
}

TEST_F(ZantigoPresets, AddAndSaveChangesStoreTheWindowsSettings)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    window.GetBlock()[kMarker] = 42;
    Child<QLineEdit>(window, "m_pUserTitleEdit")->setText(QStringLiteral("Mine"));
    window.OnUserAddButton();
    QComboBox* combo = Child<QComboBox>(window, "m_pUserCombo");
    EXPECT_EQ(combo->currentIndex(), 3);
    EXPECT_EQ(StoredTitles().last(), QStringLiteral("Mine"));
    EXPECT_EQ(ReadSlot(QStringLiteral("User_3"))[kMarker], 42);

    combo->setCurrentIndex(1);
    window.GetBlock()[kMarker] = 43;
    Child<QLineEdit>(window, "m_pUserTitleEdit")->setText(QStringLiteral("Renamed"));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::No, QStringLiteral("Do you really want to save changes?"))
        .Answer(QMessageBox::Yes, QStringLiteral("Do you really want to save changes?"));
    window.OnUserSaveButton();
    EXPECT_EQ(ReadSlot(QStringLiteral("User_1"))[kMarker], 0);
    window.OnUserSaveButton();
    EXPECT_EQ(ReadSlot(QStringLiteral("User_1"))[kMarker], 43);
    EXPECT_EQ(StoredTitles(),
              QStringList({QStringLiteral("Renamed"), QStringLiteral("Tetra"), QStringLiteral("Mine")}));
}

TEST_F(ZantigoPresets, ADamagedUserSignalIsReportedAndNotLoaded)
{
    Block damaged = ValidBlock(300000, 3);
    damaged[kSelection] = 25;
    StoreSignals(ValidBlock(2000000, 9),
                 {{QStringLiteral("A"), ValidBlock(100000, 1)}, {QStringLiteral("Bad"), damaged}});
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    Settle(window, core);
    const Block before = BlockOf(window);
    const QByteArray ini = FileBytes(g_Parameters.FilePath());

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("File data error!"));
    Child<QComboBox>(window, "m_pUserCombo")->setCurrentIndex(2);
    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(BlockOf(window), before);
    window.OnTimer();
    EXPECT_TRUE(core.sent.empty());
    EXPECT_EQ(FileBytes(g_Parameters.FilePath()), ini);

    // A sound signal still loads afterwards.
    Child<QComboBox>(window, "m_pUserCombo")->setCurrentIndex(1);
    EXPECT_EQ(window.GetBlock()[kMarker], 1);
}

TEST_F(ZantigoPresets, ASignalListRoundTripsWithoutTouchingTheWindow)
{
    Block powered = ValidBlock(100000, 1);
    powered[kPowerSent] = 12;
    powered[kRfStep] = 12;
    const std::vector<Signal> users = {{QStringLiteral("Powered"), powered},
                                       {QStringLiteral("Quotes \" & <tags> ü"), ValidBlock(200000, 2)},
                                       {QString(), ValidBlock(300000, 3)}};
    StoreSignals(ValidBlock(2000000, 9), users);
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    Settle(window, core);
    const Block before = BlockOf(window);
    QCheckBox* power = Child<QCheckBox>(window, "m_pPowerCheckBox");
    const bool poweredBefore = power->isChecked();

    const QString path = File("list.xml");
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(path, QStringLiteral("Save Signal List  As"));
    window.OnUserSaveListButton();
    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Signal List files (*.xml)"));
    const QByteArray written = FileBytes(path);
    EXPECT_TRUE(written.startsWith("<Zantigo_Signal_List>\n <Item ")) << written.left(60).constData();
    EXPECT_EQ(BlockOf(window), before);
    EXPECT_EQ(power->isChecked(), poweredBefore);
    window.OnTimer();
    EXPECT_TRUE(core.sent.empty());

    // Another list replaces the stored one, then the saved file brings the first back.
    WriteFile(File("other.xml"), ListFile({DataOf(ValuesOf(ValidBlock(900000, 7)))}));
    prompt.Answer(QMessageBox::Yes, QStringLiteral("Do you really want to load another list of signals?"))
        .AnswerOpenFile(File("other.xml"), QStringLiteral("Load Signal List"));
    window.OnUserLoadListButton();
    EXPECT_EQ(Items(window), QStringList({QStringLiteral("NOT SELECTED"), QStringLiteral("item 0")}));
    EXPECT_EQ(ReadSlot(QStringLiteral("User_1"))[kMarker], 7);

    prompt.Answer(QMessageBox::Yes).AnswerOpenFile(path);
    window.OnUserLoadListButton();
    QStringList titles;
    for (size_t i = 0; i < users.size(); ++i)
    {
        titles << users[i].title;
        EXPECT_EQ(ReadSlot(QStringLiteral("User_%1").arg(i + 1)), users[i].block) << i;
    }
    EXPECT_EQ(StoredTitles(), titles);
    EXPECT_EQ(Items(window), QStringList(QStringLiteral("NOT SELECTED")) + titles);
    EXPECT_EQ(Child<QComboBox>(window, "m_pUserCombo")->currentIndex(), 0);
    EXPECT_EQ(BlockOf(window), before);
    EXPECT_EQ(power->isChecked(), poweredBefore);
    window.OnTimer();
    EXPECT_TRUE(core.sent.empty());

    // Saving the same signals again gives the same file.
    const QString again = File("again.xml");
    prompt.AnswerSaveFile(again);
    window.OnUserSaveListButton();
    EXPECT_EQ(FileBytes(again), written);
    EXPECT_EQ(prompt.Pending(), 0u);
}

TEST_F(ZantigoPresets, ARefusedSignalListChangesNothing)
{
    StoreSignals(ValidBlock(2000000, 9), {{QStringLiteral("A"), ValidBlock(100000, 1)},
                                          {QStringLiteral("B"), ValidBlock(200000, 2)}});
    const std::vector<int> good = ValuesOf(ValidBlock(900000, 7));
    std::vector<int> short223(good.begin(), good.end() - 1);
    std::vector<int> long225 = good;
    long225.push_back(0);
    std::vector<int> band9 = good;
    band9[kBand] = 9;
    std::vector<int> sel25 = good;
    sel25[kSelection + 3] = 25;
    std::vector<int> band265 = good;
    band265[kBand] = 265;  // low bits 9

    const struct
    {
        const char* what;
        QByteArray file;
        const char* message;
    } cases[] = {
        {"223 numbers", ListFile({DataOf(good), DataOf(short223)}), "File data error!"},
        {"225 numbers", ListFile({DataOf(good), DataOf(long225)}), "File data error!"},
        {"a trailing comma", ListFile({DataOf(good) + ","}), "File data error!"},
        {"band 9", ListFile({DataOf(good), DataOf(band9)}), "File data error!"},
        {"band 265", ListFile({DataOf(band265)}), "File data error!"},
        {"selection 25", ListFile({DataOf(sel25), DataOf(good)}), "File data error!"},
        {"no data", "<Zantigo_Signal_List><Item title=\"t\"/></Zantigo_Signal_List>", "File data error!"},
        {"a comment first", "<!-- signals -->\n" + ListFile({DataOf(good)}), "File content error!"},
        {"a declaration first", "<?xml version=\"1.0\"?>\n" + ListFile({DataOf(good)}),
         "File content error!"},
        {"another root", "<Signal_List/>", "File content error!"},
        {"a broken document", ListFile({DataOf(good)}).left(60), "File content error!"},
        {"an empty file", QByteArray(), "File content error!"},
    };

    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    Settle(window, core);
    const Block before = BlockOf(window);
    const QStringList items = Items(window);
    const QByteArray ini = FileBytes(g_Parameters.FilePath());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const QString path = File("bad.xml");
        WriteFile(path, c.file);
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes)
            .AnswerOpenFile(path)
            .Answer(QMessageBox::Ok, QLatin1String(c.message));
        window.OnUserLoadListButton();
        ASSERT_EQ(prompt.Asked().size(), 3u);
        EXPECT_EQ(prompt.Asked()[2].icon, QMessageBox::Critical);
        EXPECT_EQ(prompt.Asked()[2].title, QStringLiteral("Error"));
        EXPECT_EQ(prompt.Asked()[2].text, QLatin1String(c.message));
        EXPECT_EQ(Items(window), items);
        EXPECT_EQ(FileBytes(g_Parameters.FilePath()), ini);
        EXPECT_EQ(BlockOf(window), before);
        window.OnTimer();
        EXPECT_TRUE(core.sent.empty());
    }

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes)
        .AnswerOpenFile(File("missing.xml"))
        .Answer(QMessageBox::Ok, QStringLiteral("File error!"));
    window.OnUserLoadListButton();
    // Declining or cancelling stops before anything is read.
    prompt.Answer(QMessageBox::No).Answer(QMessageBox::Yes).AnswerOpenFile(QString());
    window.OnUserLoadListButton();
    window.OnUserLoadListButton();
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_EQ(FileBytes(g_Parameters.FilePath()), ini);
}

TEST_F(ZantigoPresets, ListValuesKeepTheirLowBits)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    QList<QByteArray> parts;
    for (int value : ValuesOf(ValidBlock(900000, 0)))
        parts << QByteArray::number(value);
    parts[kMarker] = "300";
    parts[kModulationRow] = "x";
    parts[kModulationRow + 1] = "-1";
    parts[kBand] = "256";
    const QString path = File("values.xml");
    WriteFile(path, ListFile({parts.join(',')}));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Yes).AnswerOpenFile(path);
    window.OnUserLoadListButton();
    const Block stored = ReadSlot(QStringLiteral("User_1"));
    EXPECT_EQ(stored[kMarker], 44);
    EXPECT_EQ(stored[kModulationRow], 0);
    EXPECT_EQ(stored[kModulationRow + 1], 255);
    EXPECT_EQ(stored[kBand], 0);
    EXPECT_EQ(Carrier(stored.data(), 0), 900000u);
}

TEST_F(ZantigoPresets, AnEmptyListIsABareRoot)
{
    StoreSignals(ValidBlock(2000000, 9), {});
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    ASSERT_EQ(Items(window), QStringList(QStringLiteral("NOT SELECTED")));
    const QString path = File("empty.xml");
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(path);
    window.OnUserSaveListButton();
    const QByteArray written = FileBytes(path);
    EXPECT_FALSE(written.contains("<?xml"));
    QDomDocument document;
    ASSERT_TRUE(document.setContent(written));
    EXPECT_EQ(document.firstChild().nodeName(), QStringLiteral("Zantigo_Signal_List"));
    EXPECT_FALSE(document.documentElement().hasChildNodes());
    EXPECT_TRUE(document.firstChild().nextSibling().isNull());

    // And it loads back as no signals at all.
    StoreSignals(ValidBlock(2000000, 9), {{QStringLiteral("A"), ValidBlock(100000, 1)}});
    prompt.Answer(QMessageBox::Yes).AnswerOpenFile(path);
    window.OnUserLoadListButton();
    EXPECT_EQ(Items(window), QStringList(QStringLiteral("NOT SELECTED")));
    EXPECT_TRUE(StoredTitles().isEmpty());
}

TEST_F(ZantigoPresets, AListThatCannotBeWrittenIsReportedAndTheOldFileKept)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    const QString blocker = File("plain");
    WriteFile(blocker, "plain file");
    ASSERT_TRUE(QDir().mkpath(File("folder.xml/inside")));
    std::vector<QString> targets = {blocker + QStringLiteral("/list.xml"), File("folder.xml")};
    // Without root rights a folder that refuses writing keeps a real old file.
    const QString readOnly = File("readonly");
    if (geteuid() != 0)
    {
        ASSERT_TRUE(QDir().mkpath(readOnly));
        WriteFile(readOnly + QStringLiteral("/list.xml"), "old list");
        ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        targets.push_back(readOnly + QStringLiteral("/list.xml"));
    }
    for (const QString& target : targets)
    {
        SCOPED_TRACE(target.toStdString());
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(target).Answer(QMessageBox::Ok, QStringLiteral("File error!"));
        window.OnUserSaveListButton();
        ASSERT_EQ(prompt.Asked().size(), 2u);
        EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Critical);
        EXPECT_EQ(prompt.Asked()[1].title, QStringLiteral("Error"));
    }
    EXPECT_EQ(FileBytes(blocker), QByteArray("plain file"));
    EXPECT_TRUE(QFileInfo(File("folder.xml/inside")).isDir());
    if (geteuid() != 0)
    {
        EXPECT_EQ(FileBytes(readOnly + QStringLiteral("/list.xml")), QByteArray("old list"));
        QFile::setPermissions(readOnly,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // A writable old file is replaced whole.
    const QString old = File("old.xml");
    WriteFile(old, QByteArray(5000, 'x'));
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(old);
    window.OnUserSaveListButton();
    QVector<Signal> reread;
    EXPECT_EQ(CGeneratorSignalList::ReadFile(old, &reread), CGeneratorSignalList::Error::None);
    EXPECT_EQ(reread.size(), 2);
}

// The reader and writer on their own.
TEST(ZantigoSignalList, ReadsWhatItWritesAndRefusesAllOfABadFile)
{
    QVector<Signal> list = {{QStringLiteral("a\tb\nc\r"), ValidBlock(1, 1)},
                            {QStringLiteral("&quot;"), Block{}}};
    const QByteArray bytes = CGeneratorSignalList::Write(list);
    QVector<Signal> reread = {Signal{}};
    ASSERT_EQ(CGeneratorSignalList::Read(bytes, &reread), CGeneratorSignalList::Error::None);
    EXPECT_EQ(reread, list);
    EXPECT_TRUE(bytes.startsWith("<Zantigo_Signal_List>\n <Item title=")) << bytes.left(60).constData();
    EXPECT_TRUE(bytes.contains("data=\"" + DataOf(ValuesOf(list[0].block)) + "\""));

    // Comments and whitespace after the root are no nodes before it.
    ASSERT_EQ(CGeneratorSignalList::Read(bytes + "<!-- end -->\n", &reread),
              CGeneratorSignalList::Error::None);
    EXPECT_EQ(reread, list);

    // A bad item anywhere leaves the caller's list empty.
    QByteArray bad = bytes;
    bad.replace("data=\"0,", "data=\"0,,");
    reread = {Signal{}};
    EXPECT_EQ(CGeneratorSignalList::Read(bad, &reread), CGeneratorSignalList::Error::Data);
    EXPECT_TRUE(reread.isEmpty());
}

TEST(ZantigoSignalList, TheValidatorChecksEveryStructuralByte)
{
    const Block good = ValidBlock(1, 0);
    EXPECT_TRUE(CGeneratorSignalList::IsValidBlock(good.data()));
    const struct
    {
        int offset;
        int lastGood;
    } limits[] = {{kBand, 6},           {kCarrierType, 2},    {kOctave, 12},        {kThirdOctave, 35},
                  {kSelection, 19},     {kSelection + 1, 19}, {kSelection + 2, 19}, {kSelection + 3, 19},
                  {kSelection + 4, 19}, {kSelection + 5, 19}, {kSelection + 6, 19}};
    for (const auto& limit : limits)
    {
        SCOPED_TRACE(limit.offset);
        Block block = good;
        block[static_cast<size_t>(limit.offset)] = static_cast<uint8_t>(limit.lastGood);
        EXPECT_TRUE(CGeneratorSignalList::IsValidBlock(block.data()));
        block[static_cast<size_t>(limit.offset)] = static_cast<uint8_t>(limit.lastGood + 1);
        EXPECT_FALSE(CGeneratorSignalList::IsValidBlock(block.data()));
        block[static_cast<size_t>(limit.offset)] = 255;
        EXPECT_FALSE(CGeneratorSignalList::IsValidBlock(block.data()));
    }
}
}  // namespace

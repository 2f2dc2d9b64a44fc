// The preferences dialog: what it shows of the settings document and the archive library, the colour
// and folder choosers it asks through the prompt facade, what Apply writes, and its run from the main
// window's Tools menu.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDomElement>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <initializer_list>
#include <memory>
#include <string>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "parameters.h"
#include "preferenceswindow.h"
#include "rangeview.h"
#include "recordingcontrols.h"
#include "scriptedprompt.h"
#include "spectrumgraphicbase.h"
#include "veltrano.h"

namespace
{
const QString kColors = QStringLiteral("Colors");
const QString kSdr = QStringLiteral("PlutoSDR");

// The nine elements in the form's order; the names are the middle part of the widgets' names.
const char* const kElements[] = {"Background", "Spectrum",    "Osc1",          "Osc2",         "MainCursor",
                                 "Bandwidth",  "DeltaCursor", "PositionLines", "ThresholdLine"};
constexpr int kElementCount = sizeof(kElements) / sizeof(kElements[0]);

QString SwitchKey(const char* element)
{
    return QStringLiteral("Custom") + QLatin1String(element);
}

QString ColorKey(const char* element)
{
    return SwitchKey(element) + QStringLiteral("Color");
}

QString Sheet(const char* rrggbb)
{
    return QStringLiteral("QWidget { background: %1 }").arg(QLatin1String(rrggbb));
}

template <typename T>
T* Child(QWidget& parent, const QString& name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

QCheckBox* Check(QWidget& dialog, const char* element)
{
    return Child<QCheckBox>(dialog, QStringLiteral("m_p%1Check").arg(QLatin1String(element)));
}

QWidget* Swatch(QWidget& dialog, const char* element)
{
    return Child<QWidget>(dialog, QStringLiteral("m_p%1ColorWidget").arg(QLatin1String(element)));
}

QPushButton* Choose(QWidget& dialog, const char* element)
{
    return Child<QPushButton>(dialog, QStringLiteral("m_p%1ChooseButton").arg(QLatin1String(element)));
}

// A first start: the document holds none of the dialog's sections.
void RemoveSections(std::initializer_list<const char*> names)
{
    QDomElement root = g_Parameters.documentElement();
    for (const char* name : names)
    {
        QDomElement section = root.firstChildElement(QString::fromLatin1(name));
        while (!section.isNull())
        {
            root.removeChild(section);
            section = root.firstChildElement(QString::fromLatin1(name));
        }
    }
}

// Every element gets a colour of its own, alpha included, so a swatch or key mixed up with another
// shows.
unsigned StoredColor(int index)
{
    return 0x40000000u + 0x00101010u * static_cast<unsigned>(index + 1) + static_cast<unsigned>(index);
}

QString StoredSheet(int index)
{
    return QStringLiteral("QWidget { background: %1 }")
        .arg(QColor::fromRgb(StoredColor(index) & 0xffffffu).name());
}

void StoreAllColors()
{
    for (int i = 0; i < kElementCount; ++i)
        g_Parameters.SetUInt(kColors, ColorKey(kElements[i]), StoredColor(i));
}

class PreferencesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(g_DeviceThread.m_pArchive, nullptr);
        m_libraryFolder = g_DeviceThread.m_pArchive->GetFolder();
        RemoveSections({"Colors", "PlutoSDR", "Preferences"});
    }

    void TearDown() override
    {
        g_DeviceThread.m_pArchive->SetFolder(m_libraryFolder);
        RemoveSections({"Colors", "PlutoSDR", "Preferences"});
    }

    std::wstring m_libraryFolder;
};

TEST_F(PreferencesTest, FormCarriesEveryNameAndText)
{
    CPreferencesWindow dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences"));
    EXPECT_EQ(dialog.baseSize(), QSize(429, 595));
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Arial"));

    const char* const texts[] = {"Custom background color:",     "Custom spectrum color:",
                                 "Custom oscilloscope 1 color:", "Custom oscilloscope 2 color:",
                                 "Main cursor color:",           "Bandwidth border color:",
                                 "Delta cursor color:",          "Current position lines color:",
                                 "Threshold line color:"};
    for (int i = 0; i < kElementCount; ++i)
    {
        SCOPED_TRACE(kElements[i]);
        QCheckBox* check = Check(dialog, kElements[i]);
        QWidget* swatch = Swatch(dialog, kElements[i]);
        QPushButton* choose = Choose(dialog, kElements[i]);
        ASSERT_TRUE(check && swatch && choose);
        EXPECT_EQ(check->text(), QLatin1String(texts[i]));
        EXPECT_EQ(check->maximumHeight(), 23);
        EXPECT_EQ(check->minimumHeight(), 23);
        EXPECT_EQ(swatch->minimumSize(), QSize(75, 23));
        EXPECT_EQ(swatch->maximumSize(), QSize(75, 23));
        EXPECT_EQ(choose->text(), QStringLiteral("Choose..."));
        // Only the spectrum colour cannot be chosen here.
        EXPECT_EQ(choose->isEnabled(), QLatin1String(kElements[i]) != QLatin1String("Spectrum"));
    }

    const struct
    {
        const char* name;
        const char* text;
    } buttons[] = {
        {"m_pBrowseButton", "Browse..."}, {"m_pApplyButton", "Apply"}, {"m_pCloseButton", "Close"}};
    for (const auto& b : buttons)
    {
        QPushButton* button = Child<QPushButton>(dialog, QLatin1String(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QLatin1String(b.text));
    }

    QStringList titles;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        titles << group->title();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("User Colors"), QStringLiteral("Archive Folder"),
                                   QStringLiteral("IP Address (restart this program if changed!!!)")}));

    // The USB choice names the address the device initialisation connects to.
    EXPECT_EQ(CDeviceThread::DefaultSdrAddress(), QStringLiteral("192.168.2.1"));
    EXPECT_EQ(dialog.ui.m_pIP_RadioButton_0->text(),
              QStringLiteral("USB (%1)").arg(CDeviceThread::DefaultSdrAddress()));
    EXPECT_TRUE(dialog.ui.m_pIP_RadioButton_1->text().startsWith(QStringLiteral("User's IP Address (")));
    EXPECT_TRUE(dialog.ui.m_pIP_RadioButton_1->text().endsWith(QLatin1Char(')')));
    // The two choices share their group and exclude each other.
    dialog.ui.m_pIP_RadioButton_1->click();
    EXPECT_FALSE(dialog.ui.m_pIP_RadioButton_0->isChecked());
    dialog.ui.m_pIP_RadioButton_0->click();
    EXPECT_FALSE(dialog.ui.m_pIP_RadioButton_1->isChecked());
}

TEST_F(PreferencesTest, OpensOnAFirstStartWithEverythingOff)
{
    CPreferencesWindow dialog;
    for (const char* element : kElements)
    {
        SCOPED_TRACE(element);
        ASSERT_TRUE(Check(dialog, element) && Swatch(dialog, element));
        EXPECT_FALSE(Check(dialog, element)->isChecked());
        EXPECT_EQ(Swatch(dialog, element)->styleSheet(), Sheet("#000000"));
    }
    EXPECT_TRUE(dialog.ui.m_pIP_RadioButton_0->isChecked());
    EXPECT_FALSE(dialog.ui.m_pIP_RadioButton_1->isChecked());
    EXPECT_TRUE(dialog.ui.m_pIP_AddressEdit->text().isEmpty());
    // Opening reads only: the document stays without the sections.
    EXPECT_FALSE(g_Parameters.HasSection(kColors));
    EXPECT_FALSE(g_Parameters.HasSection(kSdr));
}

TEST_F(PreferencesTest, OpensShowingTheStoredSettings)
{
    const struct
    {
        int selection;
        const char* address;
        unsigned flags;  // bit i: the switch of element i
        bool userAddress;
    } cases[] = {
        {1, "10.0.0.7", 0b101010101u, true},
        // The stored address shows even while the USB link is chosen.
        {0, "10.0.0.8", 0b010101010u, false},
        // Any selection other than 0 is the user's address; any switch other than 0 is on.
        {2, "", 0b111111111u, true},
    };
    StoreAllColors();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.selection);
        g_Parameters.SetInt(kSdr, QStringLiteral("IP_Selection"), c.selection);
        g_Parameters.SetString(kSdr, QStringLiteral("IP_Address"), QLatin1String(c.address));
        for (int i = 0; i < kElementCount; ++i)
            g_Parameters.SetInt(kColors, SwitchKey(kElements[i]), (c.flags >> i) & 1u ? (i == 3 ? 7 : 1) : 0);

        CPreferencesWindow dialog;
        for (int i = 0; i < kElementCount; ++i)
        {
            SCOPED_TRACE(kElements[i]);
            ASSERT_TRUE(Check(dialog, kElements[i]) && Swatch(dialog, kElements[i]));
            EXPECT_EQ(Check(dialog, kElements[i])->isChecked(), ((c.flags >> i) & 1u) != 0);
            // The swatch shows the colour without its alpha byte.
            EXPECT_EQ(Swatch(dialog, kElements[i])->styleSheet(), StoredSheet(i));
        }
        EXPECT_EQ(dialog.ui.m_pIP_RadioButton_1->isChecked(), c.userAddress);
        EXPECT_EQ(dialog.ui.m_pIP_RadioButton_0->isChecked(), !c.userAddress);
        EXPECT_EQ(dialog.ui.m_pIP_AddressEdit->text(), QLatin1String(c.address));
    }
}

TEST_F(PreferencesTest, ColorStyleSheetDropsTheAlphaByte)
{
    const struct
    {
        unsigned value;
        const char* name;
    } cases[] = {
        {0xff808080u, "#808080"}, {0x00ff0000u, "#ff0000"}, {0x7f00ff00u, "#00ff00"}, {0u, "#000000"}};
    for (const auto& c : cases)
    {
        g_Parameters.SetUInt(kColors, QStringLiteral("CustomOsc1Color"), c.value);
        EXPECT_EQ(CPreferencesWindow::GetColorStyleSheet(QStringLiteral("CustomOsc1Color")), Sheet(c.name))
            << c.value;
    }
    EXPECT_EQ(CPreferencesWindow::GetColorStyleSheet(QStringLiteral("NoSuchKeyColor")), Sheet("#000000"));
}

TEST_F(PreferencesTest, FolderEditShowsTheLibrarysFolderNotTheDocuments)
{
    g_DeviceThread.m_pArchive->SetFolder(L"/srv/archive-in-use");
    g_Parameters.SetString(QStringLiteral("Preferences"), QStringLiteral("ArchiveFolder"),
                           QStringLiteral("/srv/archive-in-document"));
    CPreferencesWindow dialog;
    EXPECT_EQ(dialog.ui.m_pFolderEdit->text(), QStringLiteral("/srv/archive-in-use"));
}

// Each enabled Choose button asks for its own element's colour, stores it at once without alpha and
// recolours its own swatch only; nothing else moves.
TEST_F(PreferencesTest, ChooseStoresItsOwnColourAtOnce)
{
    for (int chosenIndex = 0; chosenIndex < kElementCount; ++chosenIndex)
    {
        const char* element = kElements[chosenIndex];
        if (QLatin1String(element) == QLatin1String("Spectrum"))
            continue;
        SCOPED_TRACE(element);
        StoreAllColors();
        for (int i = 0; i < kElementCount; ++i)
            g_Parameters.SetInt(kColors, SwitchKey(kElements[i]), i % 2);

        CPreferencesWindow dialog;
        ASSERT_TRUE(Choose(dialog, element));
        CScriptedPrompt prompt;
        // A half-transparent answer: what is stored is opaque.
        prompt.AnswerColor(QColor(0x12, 0xab, 0xcd, 0x80));
        Choose(dialog, element)->click();

        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].kind, CScriptedPrompt::Kind::Color);
        EXPECT_TRUE(prompt.Asked()[0].title.isEmpty());
        // The dialog opens on the stored colour, alpha as stored.
        EXPECT_EQ(prompt.Asked()[0].initial,
                  QColor::fromRgba(StoredColor(chosenIndex)).name(QColor::HexArgb));

        for (int i = 0; i < kElementCount; ++i)
        {
            SCOPED_TRACE(kElements[i]);
            const bool chosen = i == chosenIndex;
            EXPECT_EQ(g_Parameters.GetUInt(kColors, ColorKey(kElements[i]), 0),
                      chosen ? 0xff12abcdu : StoredColor(i));
            EXPECT_EQ(Swatch(dialog, kElements[i])->styleSheet(), chosen ? Sheet("#12abcd") : StoredSheet(i));
            // The switches are Apply's business.
            EXPECT_EQ(Check(dialog, kElements[i])->isChecked(), i % 2 == 1);
            EXPECT_EQ(g_Parameters.GetInt(kColors, SwitchKey(kElements[i]), -1), i % 2);
        }
    }
}

// Cancel leaves the operator's colour as it was: the answer is an invalid colour, which would
// otherwise be stored as opaque black.
TEST_F(PreferencesTest, CancelledColourDialogChangesNothing)
{
    const struct
    {
        bool stored;
        const char* sheet;
    } cases[] = {{true, "#345678"}, {false, "#000000"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.stored);
        RemoveSections({"Colors"});
        if (c.stored)
            g_Parameters.SetUInt(kColors, QStringLiteral("CustomPositionLinesColor"), 0xff345678u);
        CPreferencesWindow dialog;
        ASSERT_TRUE(Choose(dialog, "PositionLines") && Swatch(dialog, "PositionLines"));
        CScriptedPrompt prompt;
        prompt.AnswerColor(QColor());
        Choose(dialog, "PositionLines")->click();

        EXPECT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(Swatch(dialog, "PositionLines")->styleSheet(), Sheet(c.sheet));
        EXPECT_EQ(g_Parameters.HasKey(kColors, QStringLiteral("CustomPositionLinesColor")), c.stored);
        if (c.stored)
        {
            EXPECT_EQ(g_Parameters.GetUInt(kColors, QStringLiteral("CustomPositionLinesColor"), 0),
                      0xff345678u);
        }
    }
}

TEST_F(PreferencesTest, SpectrumColourCannotBeChosenButItsSwitchApplies)
{
    g_Parameters.SetUInt(kColors, QStringLiteral("CustomSpectrumColor"), 0xffff0000u);
    CPreferencesWindow dialog;
    ASSERT_TRUE(Choose(dialog, "Spectrum") && Check(dialog, "Spectrum"));
    {
        // No colour dialog may open: an unscripted prompt fails the test.
        CScriptedPrompt prompt;
        Choose(dialog, "Spectrum")->click();
        EXPECT_TRUE(prompt.Asked().empty());
    }
    Check(dialog, "Spectrum")->click();
    dialog.ui.m_pApplyButton->click();
    EXPECT_EQ(g_Parameters.GetInt(kColors, QStringLiteral("CustomSpectrum"), 0), 1);
    EXPECT_EQ(g_Parameters.GetUInt(kColors, QStringLiteral("CustomSpectrumColor"), 0), 0xffff0000u);
}

// Browse only fills the edit; the folder is stored by Apply.
TEST_F(PreferencesTest, BrowseFillsTheEditAndStoresNothing)
{
    const struct
    {
        const char* answer;
        const char* expected;
    } cases[] = {{"", "/srv/current"}, {"/srv/chosen", "/srv/chosen"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.answer);
        g_DeviceThread.m_pArchive->SetFolder(L"/srv/current");
        RemoveSections({"Preferences"});
        CPreferencesWindow dialog;
        CScriptedPrompt prompt;
        prompt.AnswerDirectory(QLatin1String(c.answer));
        dialog.ui.m_pBrowseButton->click();

        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].kind, CScriptedPrompt::Kind::Directory);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Archive Folder"));
        EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("/srv/current"));
        EXPECT_EQ(dialog.ui.m_pFolderEdit->text(), QLatin1String(c.expected));
        EXPECT_EQ(g_DeviceThread.m_pArchive->GetFolder(), L"/srv/current");
        EXPECT_FALSE(g_Parameters.HasSection(QStringLiteral("Preferences")));
    }
}

TEST_F(PreferencesTest, ApplyWritesEverySettingAsShown)
{
    const struct
    {
        unsigned flags;  // bit i: element i's box
        bool userAddress;
        const char* address;
        const char* folder;
    } cases[] = {
        {0b100000001u, true, "10.1.2.3", "/srv/a"},
        // No validation: the texts are stored as typed, empty ones included.
        {0b011111110u, false, " not an address ", ""},
        {0u, true, "", "/srv/with space"},
    };
    StoreAllColors();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.address);
        // The boxes start opposite to what is applied, so each write shows.
        for (int i = 0; i < kElementCount; ++i)
            g_Parameters.SetInt(kColors, SwitchKey(kElements[i]), (c.flags >> i) & 1u ? 0 : 1);
        g_Parameters.SetInt(kSdr, QStringLiteral("IP_Selection"), c.userAddress ? 0 : 1);

        CPreferencesWindow dialog;
        dialog.show();
        for (int i = 0; i < kElementCount; ++i)
            Check(dialog, kElements[i])->setChecked(((c.flags >> i) & 1u) != 0);
        (c.userAddress ? dialog.ui.m_pIP_RadioButton_1 : dialog.ui.m_pIP_RadioButton_0)->setChecked(true);
        dialog.ui.m_pIP_AddressEdit->setText(QLatin1String(c.address));
        dialog.ui.m_pFolderEdit->setText(QString::fromUtf8(c.folder));

        // The views re-read the group when told: the switches must be stored by then.
        unsigned flagsAtSignal = ~0u;
        QObject::connect(&dialog, &CPreferencesWindow::colorsChanged, &dialog,
                         [&flagsAtSignal]()
                         {
                             flagsAtSignal = 0;
                             for (int i = 0; i < kElementCount; ++i)
                                 if (g_Parameters.GetInt(kColors, SwitchKey(kElements[i]), -1) == 1)
                                     flagsAtSignal |= 1u << i;
                         });
        QSignalSpy changed(&dialog, &CPreferencesWindow::colorsChanged);
        dialog.ui.m_pApplyButton->click();

        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(flagsAtSignal, c.flags);
        for (int i = 0; i < kElementCount; ++i)
        {
            SCOPED_TRACE(kElements[i]);
            EXPECT_EQ(g_Parameters.GetString(kColors, SwitchKey(kElements[i]), QString()),
                      (c.flags >> i) & 1u ? QStringLiteral("1") : QStringLiteral("0"));
            // The colours were stored when chosen; Apply leaves them.
            EXPECT_EQ(g_Parameters.GetUInt(kColors, ColorKey(kElements[i]), 0), StoredColor(i));
        }
        EXPECT_EQ(g_Parameters.GetInt(kSdr, QStringLiteral("IP_Selection"), -1), c.userAddress ? 1 : 0);
        EXPECT_EQ(g_Parameters.GetString(kSdr, QStringLiteral("IP_Address"), QStringLiteral("-")),
                  QLatin1String(c.address));
        EXPECT_EQ(g_DeviceThread.m_pArchive->GetFolder(), QString::fromUtf8(c.folder).toStdWString());
        EXPECT_EQ(g_Parameters.GetString(QStringLiteral("Preferences"), QStringLiteral("ArchiveFolder"),
                                         QStringLiteral("-")),
                  QString::fromUtf8(c.folder));
        // Apply leaves the dialog open.
        EXPECT_TRUE(dialog.isVisible());
    }
}

// What Apply stores for the SDR reaches the library at the next device initialisation: the built-in
// address behind "USB", or "ip:" and the text as typed. The test environment pins every link to a
// refused loopback port, whatever address the library is given.
TEST_F(PreferencesTest, NextDeviceInitialisationHandsTheLibraryTheChosenAddress)
{
    const struct
    {
        bool userAddress;
        const char* typed;
        std::string uri;
    } cases[] = {
        {true, "127.0.0.2:30431", "ip:127.0.0.2:30431"},
        {false, "127.0.0.3", "ip:" + CDeviceThread::DefaultSdrAddress().toStdString()},
        // Stored as typed, no validation.
        {true, "localhost ", "ip:localhost "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.typed);
        CRecordedControls library;
        CPreferencesWindow dialog;
        (c.userAddress ? dialog.ui.m_pIP_RadioButton_1 : dialog.ui.m_pIP_RadioButton_0)->setChecked(true);
        dialog.ui.m_pIP_AddressEdit->setText(QLatin1String(c.typed));
        dialog.ui.m_pApplyButton->click();

        EXPECT_FALSE(library.SkyUri().has_value()) << "Apply alone reaches no device";
        EXPECT_FALSE(g_DeviceThread.InitDevice());
        EXPECT_EQ(library.SkyUri().value_or("none"), c.uri);
    }
}

TEST_F(PreferencesTest, LanguageChangeTranslatesTheFormAgain)
{
    g_Parameters.SetInt(kColors, QStringLiteral("CustomOsc2"), 1);
    g_Parameters.SetInt(kSdr, QStringLiteral("IP_Selection"), 1);
    CPreferencesWindow dialog;
    dialog.ui.m_pApplyButton->setText(QStringLiteral("stale"));
    dialog.ui.m_pIP_RadioButton_0->setText(QStringLiteral("stale"));
    dialog.setWindowTitle(QStringLiteral("stale"));

    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&dialog, &change);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preferences"));
    EXPECT_EQ(dialog.ui.m_pApplyButton->text(), QStringLiteral("Apply"));
    EXPECT_EQ(dialog.ui.m_pIP_RadioButton_0->text(),
              QStringLiteral("USB (%1)").arg(CDeviceThread::DefaultSdrAddress()));
    // Only texts change: what the dialog shows of the settings stays.
    EXPECT_TRUE(dialog.ui.m_pOsc2Check->isChecked());
    EXPECT_TRUE(dialog.ui.m_pIP_RadioButton_1->isChecked());
}

// The Tools menu builds the dialog without a parent and runs it modally through the prompt facade;
// Apply there makes the views read the colours again.
class PreferencesMenuTest : public PreferencesTest
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void SetUp() override
    {
        PreferencesTest::SetUp();
        g_DeviceThread.SetDemoMode(false);
        // The window loads the stored settings: the colour is set on what it loaded.
        m_window = std::make_unique<Veltrano>(0, QString());
        g_Parameters.SetUInt(kColors, QStringLiteral("CustomBackgroundColor"), 0xff102030u);
    }

    void TearDown() override
    {
        m_window.reset();
        g_DeviceThread.SetDemoMode(false);
        PreferencesTest::TearDown();
    }

    QColor RangeBackground() const
    {
        auto* view = m_window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
        EXPECT_NE(view, nullptr);
        auto* spec =
            view ? dynamic_cast<CQSpectrumGraphicBase*>(view->GetGraphic(QStringLiteral("Spec"))) : nullptr;
        EXPECT_NE(spec, nullptr);
        return spec ? spec->m_background.color() : QColor();
    }

    std::unique_ptr<Veltrano> m_window;
};

TEST_F(PreferencesMenuTest, ToolsMenuRunsTheDialogAndApplyRecoloursTheViews)
{
    const struct
    {
        bool apply;
        QColor background;
    } cases[] = {{false, QColor(Qt::black)}, {true, QColor(0x10, 0x20, 0x30)}};
    auto* action = m_window->findChild<QAction*>(QStringLiteral("m_pToolsPreferencesAction"));
    ASSERT_NE(action, nullptr);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.apply);
        g_Parameters.SetInt(kColors, QStringLiteral("CustomBackground"), 0);
        m_window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"))->ApplyColors();
        ASSERT_EQ(RangeBackground(), QColor(Qt::black));

        bool ranModal = false;
        bool ranWithoutParent = false;
        bool closedByButton = false;
        QColor duringRun;
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&](QDialog& dialog)
            {
                ranModal = QApplication::activeModalWidget() == &dialog;
                ranWithoutParent = dialog.parentWidget() == nullptr;
                auto* preferences = qobject_cast<CPreferencesWindow*>(&dialog);
                if (!preferences)
                    return int(QDialog::Rejected);
                preferences->ui.m_pBackgroundCheck->setChecked(true);
                if (c.apply)
                    preferences->ui.m_pApplyButton->click();
                duringRun = RangeBackground();
                preferences->ui.m_pCloseButton->click();
                closedByButton = !dialog.isVisible();
                return int(QDialog::Accepted);
            },
            QStringLiteral("CPreferencesWindowClass"));
        action->trigger();

        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].kind, CScriptedPrompt::Kind::Dialog);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Preferences"));
        EXPECT_TRUE(ranModal);
        EXPECT_TRUE(ranWithoutParent);
        // Close ends the run itself (the script would otherwise end it with the result it returns).
        EXPECT_TRUE(closedByButton);
        // The views change while the dialog is still open, and only through Apply.
        EXPECT_EQ(duringRun, c.background);
        EXPECT_EQ(RangeBackground(), c.background);
        EXPECT_EQ(g_Parameters.GetInt(kColors, QStringLiteral("CustomBackground"), -1), c.apply ? 1 : 0);
    }
}
}  // namespace

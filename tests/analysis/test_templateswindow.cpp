#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "icontrolbits.h"
#include "parameters.h"
#include "rangedialogscript.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "templateswindow.h"

// The templates window over the library's real templates object and archive, with its files in a
// temporary folder. Each test runs in its own process on a fresh settings document and library core.

namespace
{
const QString kWrongRange = QStringLiteral("Wrong frequency range!");
const QString kTooMany = QStringLiteral("Maximum of 14 templates are supported!");

TEMPLATE_ITEM Named(const wchar_t* name, std::vector<std::pair<double, double>> ranges, bool enabled = true)
{
    TEMPLATE_ITEM item;
    item.name = name;
    item.enabled = enabled;
    for (const auto& r : ranges)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.FreqBegin = r.first;
        entry.FreqEnd = r.second;
        item.entries.push_back(entry);
    }
    return item;
}

// Reads what the range dialog shows and cancels it.
CScriptedPrompt::DialogAction ReadRange(QString* first, QString* second, QString* unit)
{
    return [=](QDialog& dialog)
    {
        *first = dialog.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"))->text();
        *second = dialog.findChild<QLineEdit*>(QStringLiteral("m_pSecondEdit"))->text();
        *unit = dialog.findChild<QComboBox*>(QStringLiteral("m_pFirstCombo"))->currentText();
        return int(QDialog::Rejected);
    };
}

// Chooses an archive group in the archive dialog, with or without widening, and presses OK.
CScriptedPrompt::DialogAction PickGroup(int group, bool widen)
{
    return [=](QDialog& dialog)
    {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("m_pGroupsCombo"));
        auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("m_pIncreaseCheck"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("m_pOkButton"));
        if (combo == nullptr || check == nullptr || ok == nullptr || combo->findData(group) < 0)
        {
            ADD_FAILURE() << "the archive dialog lacks its fields or the group";
            return 0;
        }
        combo->setCurrentIndex(combo->findData(group));
        check->setChecked(widen);
        ok->click();
        return dialog.result();
    };
}

class TemplatesWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
        templates = g_DeviceThread.m_pTemplates;
        templates->Clear();
    }

    QTreeWidget* Tree() const { return window->findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget")); }
    QString File(const char* name) const { return QString::fromStdString(dir.File(name)); }

    // The bounds of a template's ranges.
    std::vector<std::pair<double, double>> Ranges(int index) const
    {
        std::vector<std::pair<double, double>> ranges;
        for (const ARCHIVE_SIGNAL_ENTRY& entry : templates->Get(index).entries)
            ranges.emplace_back(entry.FreqBegin, entry.FreqEnd);
        return ranges;
    }

    bool LastReport() const { return activated->isEmpty() ? false : activated->last().at(0).toBool(); }

    void Build()
    {
        window = std::make_unique<CTemplatesWindow>();
        activated = std::make_unique<QSignalSpy>(window.get(), &CTemplatesWindow::templateActivated);
    }

    ITemplates* templates = nullptr;
    CTempDir dir;
    std::unique_ptr<CTemplatesWindow> window;
    std::unique_ptr<QSignalSpy> activated;
};
}  // namespace

TEST_F(TemplatesWindowTest, FormHasEveryObjectNameAndKeepsTheArchiveButtonHidden)
{
    Build();
    for (const char* name : {"m_pLoadButton", "m_pSaveButton", "m_pTreeWidget", "m_pAddButton",
                             "m_pEditButton", "m_pDeleteButton", "m_pClearButton", "m_pFromArchiveButton"})
        EXPECT_NE(window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(window->objectName(), QStringLiteral("TemplatesWindow"));
    EXPECT_TRUE(window->Form().m_pFromArchiveButton->isHidden());
    QTreeWidget* tree = Tree();
    EXPECT_TRUE(tree->uniformRowHeights());
    EXPECT_TRUE(tree->rootIsDecorated());
    EXPECT_FALSE(tree->isSortingEnabled());
    EXPECT_EQ(tree->headerItem()->text(0), QStringLiteral("Start Freq"));
    EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("Unit"));
    EXPECT_EQ(tree->columnWidth(0), 100);
    EXPECT_EQ(tree->columnWidth(1), 100);
    // The stored position stays, the size is the window's own.
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("TemplatesWindow"), QStringLiteral("Right"), 0),
              g_Parameters.GetInt(QStringLiteral("TemplatesWindow"), QStringLiteral("Left"), 0) + 470);

    // The hidden button still works.
    CScriptedPrompt prompt;
    prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); });
    window->Form().m_pFromArchiveButton->click();
    EXPECT_EQ(prompt.Pending(), 0u);
}

TEST_F(TemplatesWindowTest, FirstAddMakesTheUnnamedTemplateAndBadRangesOpenTheDialogAgain)
{
    Build();
    window->OnChangedParams();
    EXPECT_FALSE(LastReport());
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);

    const double lo = g_DeviceThread.GetMinFreq(-1);
    const double hi = g_DeviceThread.GetMaxFreq(-1);
    ASSERT_GT(lo, 0.0);
    ASSERT_LT(lo + 2.0, hi);
    QString title;
    {
        CScriptedPrompt prompt;
        prompt
            .RunDialog(TypeRange(QString::number(lo + 2.0), QString::number(lo + 1.0), &title),
                       QStringLiteral("TemplateRange"))
            .Answer(QMessageBox::Ok, kWrongRange)
            .RunDialog(TypeRange(QString::number(lo - 1.0), QString::number(lo + 1.0)))
            .Answer(QMessageBox::Ok, kWrongRange)
            .RunDialog(TypeRange(QString::number(lo + 1.0), QString::number(hi + 1.0)))
            .Answer(QMessageBox::Ok, kWrongRange)
            // Text that is no number reads as 0, below the lower limit here.
            .RunDialog(TypeRange(QStringLiteral("nan"), QString::number(lo + 1.0)))
            .Answer(QMessageBox::Ok, kWrongRange)
            .RunDialog(TypeRange(QString::number(lo + 1.0), QString::number(lo + 2.0)));
        window->Form().m_pAddButton->click();
        EXPECT_EQ(prompt.Pending(), 0u);
        EXPECT_EQ(prompt.Asked()[1].title, QCoreApplication::applicationName());
    }
    EXPECT_EQ(title, QStringLiteral("New template range"));
    ASSERT_EQ(templates->GetCount(), 1);
    EXPECT_TRUE(templates->Get(0).name.empty());
    EXPECT_TRUE(templates->Get(0).enabled);
    EXPECT_EQ(Ranges(0), (std::vector<std::pair<double, double>>{{lo + 1.0, lo + 2.0}}));
    ASSERT_EQ(Tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* row = Tree()->topLevelItem(0);
    EXPECT_EQ(row->text(0), QString::number(lo + 1.0, 'f', 2));
    EXPECT_EQ(row->text(2), QStringLiteral("MHz"));
    EXPECT_EQ(row->data(0, Qt::UserRole).toInt(), 1);
    EXPECT_TRUE(LastReport());

    // Cancelling changes nothing.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); });
        window->OnAddButton();
    }
    EXPECT_EQ(templates->Get(0).entries.size(), 1u);
}

TEST_F(TemplatesWindowTest, EditTakesAnyValuesAndKeepsTheOtherFields)
{
    TEMPLATE_ITEM item = Named(L"radar", {{1200.0, 1300.0}, {2700.0, 2900.0}});
    item.entries[1].Comment = L"kept";
    item.entries[1].GroupIndex = 7;
    ASSERT_TRUE(templates->Add(item));
    Build();
    Tree()->setCurrentItem(Tree()->topLevelItem(0)->child(1));
    {
        CScriptedPrompt prompt;
        // Below and above the device's limits: no warning.
        prompt.RunDialog(TypeRange(QStringLiteral("-5"), QStringLiteral("999999")));
        window->OnEditButton();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    EXPECT_EQ(Ranges(0), (std::vector<std::pair<double, double>>{{1200.0, 1300.0}, {-5.0, 999999.0}}));
    EXPECT_EQ(templates->Get(0).entries[1].Comment, L"kept");
    EXPECT_EQ(templates->Get(0).entries[1].GroupIndex, 7);
    EXPECT_EQ(Tree()->topLevelItem(0)->child(1)->text(1), QStringLiteral("999999.00"));

    // A template row is not edited.
    Tree()->setCurrentItem(Tree()->topLevelItem(0));
    CScriptedPrompt none;
    window->OnEditButton();
    EXPECT_TRUE(none.Asked().empty());
}

TEST_F(TemplatesWindowTest, FromArchiveConvertsToMegahertzAndWidensByTheTable)
{
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    const int group = archive->AddUserGroup(-1, L"widen");
    const int empty = archive->AddUserGroup(-1, L"empty");
    struct Case
    {
        double beginMHz, endMHz;  // in the archive (as Hz)
        double widenedBegin, widenedEnd;
    };
    const Case cases[] = {
        {100.0, 100.3, 99.0, 101.3},      // w < 0.5: 1 MHz
        {100.0, 100.5, 99.0, 101.5},      // w = 0.5: 2 x w
        {100.0, 101.0, 98.0, 103.0},      // 2 x w
        {100.0, 102.0, 99.0, 103.0},      // w = 2: 0.5 x w
        {100.0, 110.0, 98.0, 112.0},      // w = 10: 0.2 x w
        {100.0, 150.0, 90.0, 160.0},      // 0.2 x w
        {100.0, 200.0, 90.0, 210.0},      // w = 100: 0.1 x w
        {1000.0, 1999.0, 900.1, 2098.9},  // 0.1 x w
    };
    for (const Case& c : cases)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = group;
        entry.FreqBegin = c.beginMHz * 1e6;
        entry.FreqEnd = c.endMHz * 1e6;
        entry.Comment = L"from the archive";
        archive->AddSignal(entry);
    }
    Build();

    // An empty group still switches the unnamed template on, with no row.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(PickGroup(empty, true));
        window->OnFromArchiveButton();
    }
    ASSERT_EQ(templates->GetCount(), 1);
    EXPECT_TRUE(templates->Get(0).enabled);
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(LastReport());

    {
        CScriptedPrompt prompt;
        prompt.RunDialog(PickGroup(group, true));
        window->OnFromArchiveButton();
    }
    const std::vector<ARCHIVE_SIGNAL_ENTRY>& widened = templates->Get(0).entries;
    ASSERT_EQ(widened.size(), std::size(cases));
    for (size_t i = 0; i < widened.size(); ++i)
    {
        EXPECT_NEAR(widened[i].FreqBegin, cases[i].widenedBegin, 1e-9)
            << cases[i].beginMHz << "-" << cases[i].endMHz;
        EXPECT_NEAR(widened[i].FreqEnd, cases[i].widenedEnd, 1e-9)
            << cases[i].beginMHz << "-" << cases[i].endMHz;
        EXPECT_EQ(widened[i].Comment, L"from the archive");
    }
    EXPECT_EQ(Tree()->topLevelItemCount(), static_cast<int>(std::size(cases)));

    // Without widening only the unit changes; the ranges are added to those already there.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(PickGroup(group, false));
        window->OnFromArchiveButton();
    }
    const std::vector<ARCHIVE_SIGNAL_ENTRY>& plain = templates->Get(0).entries;
    ASSERT_EQ(plain.size(), 2 * std::size(cases));
    EXPECT_DOUBLE_EQ(plain[std::size(cases)].FreqBegin, 100.0);
    EXPECT_DOUBLE_EQ(plain[std::size(cases)].FreqEnd, 100.3);
}

TEST_F(TemplatesWindowTest, UncheckingReportsFalseOnlyWhenNothingElseIsOn)
{
    ASSERT_TRUE(templates->Add(Named(L"first", {{1.0, 2.0}})));
    ASSERT_TRUE(templates->Add(Named(L"second", {{3.0, 4.0}})));
    Build();
    QTreeWidgetItem* first = Tree()->topLevelItem(0);
    QTreeWidgetItem* second = Tree()->topLevelItem(1);

    first->setCheckState(0, Qt::Unchecked);
    window->OnTreeWidgetItemClicked(first, 0);
    EXPECT_TRUE(LastReport());
    EXPECT_FALSE(templates->Get(0).enabled);
    EXPECT_TRUE(templates->Get(1).enabled);

    // Clicks elsewhere than the check box column, or on a range row, change nothing.
    second->setCheckState(0, Qt::Unchecked);
    window->OnTreeWidgetItemClicked(second, 1);
    window->OnTreeWidgetItemClicked(second->child(0), 0);
    EXPECT_TRUE(templates->Get(1).enabled);

    window->OnTreeWidgetItemClicked(second, 0);
    EXPECT_FALSE(LastReport());
    EXPECT_FALSE(templates->Get(1).enabled);

    // The unnamed template, once there, is on and cannot be switched off here.
    ARCHIVE_SIGNAL_ENTRY range;
    TEMPLATE_ITEM unnamed;
    unnamed.entries.push_back(range);
    ASSERT_TRUE(templates->Add(unnamed));
    window->FillTree();
    window->OnChangedParams();
    EXPECT_TRUE(LastReport());

    window->OnClearButton();
    EXPECT_EQ(templates->GetCount(), 0);
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(LastReport());
}

TEST_F(TemplatesWindowTest, AnEmptiedNamedTemplateKeepsItsRowAndSavesNothing)
{
    ASSERT_TRUE(templates->Add(Named(L"kept", {{10.0, 11.0}, {12.0, 13.0}})));
    ASSERT_TRUE(templates->Add(Named(L"emptied", {{20.0, 21.0}})));
    Build();
    Tree()->setCurrentItem(Tree()->topLevelItem(1)->child(0));
    window->OnDeleteButton();
    ASSERT_EQ(templates->GetCount(), 2);
    EXPECT_TRUE(templates->Get(1).entries.empty());
    ASSERT_EQ(Tree()->topLevelItemCount(), 2);
    QTreeWidgetItem* emptied = Tree()->topLevelItem(1);
    EXPECT_EQ(emptied->childCount(), 0);

    // Its row still switches that template, not the first one.
    emptied->setCheckState(0, Qt::Unchecked);
    window->OnTreeWidgetItemClicked(emptied, 0);
    EXPECT_TRUE(templates->Get(0).enabled);
    EXPECT_FALSE(templates->Get(1).enabled);

    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(File("saved.xml"), QStringLiteral("Save Template As"));
        window->OnSaveButton();
    }
    QFile saved(File("saved.xml"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(),
              "<Templates>\n"
              " <Item StartFreq=\"10\" EndFreq=\"11\"/>\n"
              " <Item StartFreq=\"12\" EndFreq=\"13\"/>\n"
              "</Templates>\n");
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("TemplatesPath"), QString()),
              QString::fromStdString(dir.Path()));

    // And deletes that template.
    Tree()->setCurrentItem(Tree()->topLevelItem(1));
    window->OnDeleteButton();
    ASSERT_EQ(templates->GetCount(), 1);
    EXPECT_EQ(templates->Get(0).name, L"kept");
    EXPECT_EQ(Tree()->topLevelItemCount(), 1);
}

TEST_F(TemplatesWindowTest, SavedTemplatesLoadBackExactlyAsOneTemplateNamedAfterTheFile)
{
    // Kilohertz on input type 4, megahertz in the library and in the file.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    while (bits->GetChannelCount() <= 6)
        bits->AddChannel(bits->GetChannelCount(), L"T", L"Type", 61e6);
    ASSERT_TRUE(g_DeviceThread.SetChannelType(4));
    ASSERT_TRUE(templates->Add(Named(L"ism", {{433.925, 434.79}})));
    TEMPLATE_ITEM unnamed;
    unnamed.entries = Named(L"", {{0.0125, 0.5}}).entries;
    ASSERT_TRUE(templates->Add(unnamed));
    Build();
    ASSERT_EQ(Tree()->topLevelItemCount(), 2);
    EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("433925.00"));
    EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(2), QStringLiteral("kHz"));
    EXPECT_EQ(Tree()->topLevelItem(1)->text(0), QStringLiteral("12.50"));

    // The range dialog works in kHz too.
    QString first, second, unit;
    {
        CScriptedPrompt prompt;
        Tree()->setCurrentItem(Tree()->topLevelItem(0)->child(0));
        prompt.RunDialog(ReadRange(&first, &second, &unit));
        window->OnEditButton();
    }
    EXPECT_EQ(first, QStringLiteral("433925.00"));
    EXPECT_EQ(unit, QStringLiteral("kHz"));

    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(File("band.plan.xml"));
        window->OnSaveButton();
        prompt.AnswerOpenFile(File("band.plan.xml"), QStringLiteral("Load Template"));
        window->OnLoadButton();
        prompt.AnswerOpenFile(File("band.plan.xml"));
        window->OnLoadButton();
        EXPECT_EQ(prompt.Asked()[1].initial, QString::fromStdString(dir.Path()));
        EXPECT_EQ(prompt.Asked()[1].text, QStringLiteral("Template files (*.xml)"));
    }
    ASSERT_EQ(templates->GetCount(), 4);
    for (int i : {2, 3})
    {
        EXPECT_EQ(templates->Get(i).name, L"band");
        EXPECT_TRUE(templates->Get(i).enabled);
        EXPECT_EQ(Ranges(i), (std::vector<std::pair<double, double>>{{433.925, 434.79}, {0.0125, 0.5}}));
    }
    EXPECT_EQ(Tree()->topLevelItemCount(), 4);
    EXPECT_TRUE(LastReport());

    // Only inputs 4 and 6 show kHz.
    struct Unit
    {
        int type;
        const char* start;
        const char* unit;
    };
    for (const Unit& u : {Unit{6, "433925.00", "kHz"}, Unit{5, "433.93", "MHz"}, Unit{0, "433.93", "MHz"}})
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(u.type));
        window->FillTree();
        EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(0), QLatin1String(u.start)) << u.type;
        EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(2), QLatin1String(u.unit)) << u.type;
    }
}

TEST_F(TemplatesWindowTest, FilesWithADeclarationOrADotNameLoadWithoutHarm)
{
    TEMPLATE_ITEM unnamed;
    unnamed.entries = Named(L"", {{50.0, 51.0}}).entries;
    ASSERT_TRUE(templates->Add(unnamed));
    Build();
    struct Source
    {
        const char* name;
        const char* text;
    };
    const Source files[] = {
        {"declared.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- by hand -->\n"
         "<Templates>\n  <Item StartFreq=\"100\" EndFreq=\"101\"/>\n</Templates>\n"},
        {".xml", "<Templates><Item StartFreq=\"200\" EndFreq=\"201\"/></Templates>"},
        {"broken.xml", "<Templates><Item"},
    };
    for (const Source& f : files)
    {
        QFile out(File(f.name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.text);
    }
    {
        CScriptedPrompt prompt;
        for (const Source& f : files)
        {
            prompt.AnswerOpenFile(File(f.name));
            window->OnLoadButton();
        }
        // A file that cannot be opened adds nothing, and asks nothing.
        prompt.AnswerOpenFile(File("missing.xml"));
        window->OnLoadButton();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    ASSERT_EQ(templates->GetCount(), 4);
    EXPECT_EQ(Ranges(0), (std::vector<std::pair<double, double>>{{50.0, 51.0}}));
    EXPECT_EQ(templates->Get(1).name, L"declared");
    EXPECT_EQ(Ranges(1), (std::vector<std::pair<double, double>>{{100.0, 101.0}}));
    EXPECT_EQ(templates->Get(2).name, L".xml");
    EXPECT_EQ(Ranges(2), (std::vector<std::pair<double, double>>{{200.0, 201.0}}));
    EXPECT_EQ(templates->Get(3).name, L"broken");
    EXPECT_TRUE(templates->Get(3).entries.empty());
}

TEST_F(TemplatesWindowTest, FourteenTemplatesRefuseAnotherWithAMessageAndChangeNothing)
{
    // Thirteen named templates and no unnamed one: the unnamed template would be the fourteenth, and
    // the library refuses to fill it.
    for (int i = 0; i < 13; ++i)
        ASSERT_TRUE(templates->Add(Named(L"t", {{1.0 + i, 2.0 + i}})));
    {
        QFile out(File("one.xml"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<Templates><Item StartFreq=\"1\" EndFreq=\"2\"/></Templates>");
    }
    Build();
    const double lo = g_DeviceThread.GetMinFreq(-1);
    const int group = g_DeviceThread.m_pArchive->AddUserGroup(-1, L"g");
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeRange(QString::number(lo + 1.0), QString::number(lo + 2.0)))
            .Answer(QMessageBox::Ok, kTooMany)
            .RunDialog(PickGroup(group, false))
            .Answer(QMessageBox::Ok, kTooMany);
        window->OnAddButton();
        window->OnFromArchiveButton();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    EXPECT_EQ(templates->GetCount(), 13);
    EXPECT_EQ(Tree()->topLevelItemCount(), 13);

    // A fourteenth named one is taken; then every addition is refused.
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(File("one.xml"));
        window->OnLoadButton();
    }
    ASSERT_EQ(templates->GetCount(), 14);
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeRange(QString::number(lo + 1.0), QString::number(lo + 2.0)))
            .Answer(QMessageBox::Ok, kTooMany)
            .RunDialog(PickGroup(group, true))
            .Answer(QMessageBox::Ok, kTooMany)
            .AnswerOpenFile(File("one.xml"))
            .Answer(QMessageBox::Ok, kTooMany);
        window->OnAddButton();
        window->OnFromArchiveButton();
        window->OnLoadButton();
        EXPECT_EQ(prompt.Pending(), 0u);
    }
    EXPECT_EQ(templates->GetCount(), 14);
    EXPECT_EQ(Tree()->topLevelItemCount(), 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_FALSE(templates->Get(i).name.empty()) << i;
}

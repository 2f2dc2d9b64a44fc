// The device-memory window's views of the test fixture image: the listing, the traces and their labels,
// the signal lists, the deletes and the hand-over to the archive.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "isignalsarchive.h"
#include "label.h"
#include "memoryfixture.h"
#include "memorywindow.h"
#include "memorywindowtest.h"
#include "scriptedprompt.h"

namespace
{
// The views of the fixture image, loaded from a file.
class MemoryViewsTest : public MemoryWindowTest
{
protected:
    void SetUp() override
    {
        MemoryWindowTest::SetUp();
        m_window = std::make_unique<CMemoryWindow>();
        LoadFile(*m_window, memoryfixture::Image());
    }
    void TearDown() override
    {
        m_window.reset();
        MemoryWindowTest::TearDown();
    }

    QTreeWidgetItem* Analysis(const QString& name)
    {
        const QList<QTreeWidgetItem*> found = m_window->ui.m_pGroupsTree->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    }

    std::unique_ptr<CMemoryWindow> m_window;
};

TEST_F(MemoryViewsTest, ListsRecordsAnalysesAndPattern)
{
    const Ui::CMemoryWindowClass& ui = m_window->ui;
    ASSERT_EQ(ui.m_pDataTree->topLevelItemCount(), 2);
    EXPECT_EQ(ui.m_pDataTree->topLevelItem(0)->text(0), QStringLiteral("RADIO 30-4400MHz: FM 88-108"));
    EXPECT_EQ(ui.m_pDataTree->topLevelItem(1)->text(0), QStringLiteral("RADIO 4-18GHz: X BAND 8-12"));
    EXPECT_EQ(ui.m_pDataTree->currentItem(), ui.m_pDataTree->topLevelItem(0));
    // The first record on show: its range from the name, its band from the span code, its levels.
    EXPECT_EQ(ui.m_pGraphLabelL->text(), QStringLiteral("88 MHz"));
    EXPECT_EQ(ui.m_pGraphLabelR->text(), QStringLiteral("108 MHz"));
    EXPECT_EQ(ui.m_pGraphLabelBand->text(), QStringLiteral("Band: 2.000 MHz"));
    EXPECT_EQ(ui.m_pGraphLabelMAX_2->text(), QStringLiteral("Maximum:"));
    // Input setting 1, gain column 0: -176 dB, step A[0] -5 dB.
    EXPECT_EQ(
        ui.m_pGraphLabelMAX->text(),
        QString::number(ui.m_pGraphLabel->GetMaximum() / 10.0 - 171.0, 'f', 1) + QStringLiteral(" dBm"));
    ui.m_pDataTree->setCurrentItem(ui.m_pDataTree->topLevelItem(1));
    EXPECT_EQ(ui.m_pGraphLabelL->text(), QStringLiteral("8000 MHz"));
    EXPECT_EQ(ui.m_pGraphLabelBand->text(), QStringLiteral("Band: 1000.000 MHz"));
    // Input setting 4 has no gain in column 0 and no steps.
    EXPECT_EQ(ui.m_pGraphLabelMAX->text(),
              QString::number(ui.m_pGraphLabel->GetMaximum() / 10.0, 'f', 1) + QStringLiteral(" dBm"));

    ASSERT_EQ(ui.m_pGroupsTree->topLevelItemCount(), 2);
    EXPECT_EQ(ui.m_pGroupsTree->topLevelItem(0)->text(0), QStringLiteral("MANUAL"));
    EXPECT_EQ(ui.m_pGroupsTree->topLevelItem(1)->text(0), QStringLiteral("CITY SCAN"));
    EXPECT_EQ(m_window->GetCurrentAnalysis(), 0);

    EXPECT_EQ(ui.m_pPatternLabelL->text(), QStringLiteral("30 MHz"));
    EXPECT_EQ(ui.m_pPatternLabelR->text(), QStringLiteral("4400 MHz"));
    EXPECT_EQ(ui.m_pPatternLabel->GetTrace().size(), 599u);
    EXPECT_EQ(
        ui.m_pPatternLabelMAX->text(),
        QString::number(ui.m_pPatternLabel->GetMaximum() / 10.0 - 171.0, 'f', 1) + QStringLiteral(" dBm"));

    // An image with no records, no analyses and no pattern: "NO DATA" three times.
    LoadFile(*m_window, Image(512, {{15, 0x3D}}));
    ASSERT_EQ(ui.m_pDataTree->topLevelItemCount(), 1);
    EXPECT_EQ(ui.m_pDataTree->topLevelItem(0)->text(0), QStringLiteral("NO DATA"));
    ASSERT_EQ(ui.m_pGroupsTree->topLevelItemCount(), 1);
    EXPECT_EQ(ui.m_pGroupsTree->topLevelItem(0)->text(0), QStringLiteral("NO DATA"));
    EXPECT_EQ(ui.m_pPatternLabelL->text(), QStringLiteral("NO DATA"));
    EXPECT_EQ(ui.m_pPatternLabelMAX->text(), QString());
    EXPECT_EQ(g_DeviceThread.m_nPatternOffset, 0);
    // A pattern that ends inside its header: "NO DATA", and no upload of it.
    QByteArray cut = memoryfixture::Image().left(memoryfixture::kPattern + 300);
    LoadFile(*m_window, cut);
    EXPECT_EQ(ui.m_pPatternLabelL->text(), QStringLiteral("NO DATA"));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("incomplete"));
    m_window->OnUploadButton();
}

TEST_F(MemoryViewsTest, SignalListShowsEachAnalysis)
{
    const Ui::CMemoryWindowClass& ui = m_window->ui;
    struct Row
    {
        const char* texts[4];
        double data[4];
        int index;
        QColor background;
    };
    struct Case
    {
        const char* analysis;
        std::vector<Row> rows;
    } cases[] = {
        {"MANUAL",
         {{{"433.9", "NARROW", "-61.2", ""}, {433.92, 4 * 1.0 / 256, -61.2, -1.0}, 0, Qt::red},
          {{"868.3", "NARROW", "-70.5", ""}, {868.3, 2 * 0.2 / 256, -70.5, -1.0}, 1, QColor()}}},
        {"CITY SCAN",
         {{{"98.5", "EXT.WIDE", "-45.0", "37.0"}, {98.5, 50 * 10.0 / 256, -45.0, 37.0}, 0, QColor()},
          {{"145.5", "NARROW", "-70.2", "14.8"}, {145.5, 2 * 0.5 / 256, -70.2, 14.8}, 1, Qt::green},
          {{"2437.0", "EXT.WIDE", "-58.0", "18.0"}, {2437.0, 50 * 10.0 / 256, -58.0, 18.0}, 3, Qt::red}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.analysis);
        ui.m_pGroupsTree->setCurrentItem(Analysis(QString::fromLatin1(c.analysis)));
        ASSERT_EQ(ui.m_pContentTree->topLevelItemCount(), static_cast<int>(c.rows.size()));
        EXPECT_EQ(ui.m_pCountLabel->text(), QStringLiteral("%1 signals").arg(c.rows.size()));
        for (size_t r = 0; r < c.rows.size(); ++r)
        {
            const QTreeWidgetItem* item = ui.m_pContentTree->topLevelItem(static_cast<int>(r));
            const Row& row = c.rows[r];
            for (int column = 0; column < 4; ++column)
            {
                EXPECT_EQ(item->text(column), QString::fromLatin1(row.texts[column])) << r << "," << column;
                EXPECT_NEAR(item->data(column, Qt::UserRole).toDouble(), row.data[column], 1e-9)
                    << r << "," << column;
            }
            EXPECT_EQ(item->data(4, Qt::UserRole).toInt(), row.index);
            EXPECT_EQ(item->textAlignment(0), static_cast<int>(Qt::AlignCenter));
            const bool manual = QLatin1String(c.analysis) == QLatin1String("MANUAL");
            EXPECT_EQ(item->background(0).color(),
                      row.background.isValid() ? row.background : QColor(Qt::black));
            EXPECT_EQ(item->background(3).style() != Qt::NoBrush, row.background.isValid() && !manual);
        }
    }

    // An analysis with no live entry.
    QByteArray image = memoryfixture::Image();
    for (int i = 0; i < 4; ++i)
        image[memoryfixture::kNamed + 512 + 20 * i] = 0;
    LoadFile(*m_window, image);
    ui.m_pGroupsTree->setCurrentItem(Analysis(QStringLiteral("CITY SCAN")));
    EXPECT_EQ(ui.m_pContentTree->topLevelItemCount(), 0);
    EXPECT_EQ(ui.m_pCountLabel->text(), QStringLiteral("0 signals"));
}

TEST_F(MemoryViewsTest, DeletesMarkTheImageAndOnlyValidItems)
{
    const Ui::CMemoryWindowClass& ui = m_window->ui;
    const QByteArray loaded = g_DeviceThread.m_MemoryImage;

    // A signal: flag 0x08 in the image's table, the list rebuilt without it.
    ui.m_pGroupsTree->setCurrentItem(Analysis(QStringLiteral("CITY SCAN")));
    ui.m_pContentTree->topLevelItem(1)->setSelected(true);
    m_window->OnDeleteAction();
    EXPECT_EQ(static_cast<uint8_t>(g_DeviceThread.m_MemoryImage[memoryfixture::kNamed + 512 + 20]),
              0x35 | 0x08);
    EXPECT_EQ(ui.m_pContentTree->topLevelItemCount(), 2);
    EXPECT_TRUE(m_window->IsChanged());

    // A record and an analysis: the tag 0xCB, the lists rebuilt.
    ui.m_pDataTree->topLevelItem(0)->setSelected(true);
    m_window->OnDataDeleteAction();
    EXPECT_EQ(static_cast<uint8_t>(g_DeviceThread.m_MemoryImage[512]), 0xCB);
    ASSERT_EQ(ui.m_pDataTree->topLevelItemCount(), 1);
    EXPECT_EQ(ui.m_pDataTree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), 1)
        << "the index stays the record's";
    Analysis(QStringLiteral("MANUAL"))->setSelected(true);
    m_window->OnGroupDeleteAction();
    EXPECT_EQ(static_cast<uint8_t>(g_DeviceThread.m_MemoryImage[memoryfixture::kManual]), 0xCB);
    ASSERT_EQ(ui.m_pGroupsTree->topLevelItemCount(), 1);
    EXPECT_EQ(g_DeviceThread.m_MemoryImage.size(), loaded.size());

    // "NO DATA" items and a table the image holds only in part: nothing changes.
    LoadFile(*m_window, Image(512, {{15, 0x3D}}));
    const QByteArray empty = g_DeviceThread.m_MemoryImage;
    ui.m_pDataTree->topLevelItem(0)->setSelected(true);
    ui.m_pGroupsTree->topLevelItem(0)->setSelected(true);
    m_window->OnDataDeleteAction();
    m_window->OnGroupDeleteAction();
    m_window->OnDeleteAction();
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, empty);
    EXPECT_FALSE(m_window->IsChanged());

    const QByteArray cut = memoryfixture::Image().left(memoryfixture::kNamed + 512 + 70);
    LoadFile(*m_window, cut);
    ui.m_pGroupsTree->setCurrentItem(Analysis(QStringLiteral("CITY SCAN")));
    ASSERT_EQ(ui.m_pContentTree->topLevelItemCount(), 2) << "listed as far as the image goes";
    ui.m_pContentTree->topLevelItem(0)->setSelected(true);
    m_window->OnDeleteAction();
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, cut);
    EXPECT_FALSE(m_window->IsChanged());
}

TEST_F(MemoryViewsTest, AddToArchiveFilesTheItemsNumbers)
{
    const Ui::CMemoryWindowClass& ui = m_window->ui;
    std::unique_ptr<QMenu> menu(m_window->CreateContentMenu());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Add to Archive..."));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Delete..."));
    std::unique_ptr<QMenu> groups(m_window->CreateGroupsMenu());
    std::unique_ptr<QMenu> data(m_window->CreateDataMenu());
    EXPECT_EQ(groups->actions().size(), 1);
    EXPECT_EQ(data->actions().size(), 1);

    constexpr int kGroup = 7;
    g_DeviceThread.m_pArchive->AddUserGroup(kGroup, L"Memory finds");
    QSignalSpy spy(m_window.get(), &CMemoryWindow::addArchiveEntry);
    ui.m_pGroupsTree->setCurrentItem(Analysis(QStringLiteral("MANUAL")));
    ui.m_pContentTree->topLevelItem(0)->setSelected(true);
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("m_pGroupCombo"));
                combo->setCurrentIndex(combo->findData(kGroup));
                dialog.findChild<QLineEdit*>(QStringLiteral("m_pCommentEdit"))
                    ->setText(QStringLiteral("gate"));
                dialog.accept();
                return QDialog::Accepted;
            });
        m_window->OnAddToArchive();
    }
    ASSERT_EQ(spy.count(), 1);
    const QList<QVariant> args = spy.at(0);
    const double bandwidthMHz = 4 * 1.0 / 256;
    EXPECT_EQ(args[0].toInt(), kGroup);
    EXPECT_EQ(args[1].toString(), QStringLiteral("gate"));
    EXPECT_DOUBLE_EQ(args[2].toDouble(), (433.92 - bandwidthMHz * 0.5) * 1e6);
    EXPECT_DOUBLE_EQ(args[3].toDouble(), (433.92 + bandwidthMHz * 0.5) * 1e6);
    EXPECT_DOUBLE_EQ(args[4].toDouble(), 433.92 * 1e6);
    EXPECT_DOUBLE_EQ(args[5].toDouble(), -61.2);
    EXPECT_DOUBLE_EQ(args[6].toDouble(), -1.0) << "the manual analysis has no excess";
    EXPECT_EQ(args[7].toInt(), 4);
    EXPECT_EQ(args[8].toInt(), 0);

    // A cancelled dialog files nothing.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog([](QDialog&) { return QDialog::Rejected; });
        m_window->OnAddToArchive();
    }
    EXPECT_EQ(spy.count(), 1);
}
}  // namespace

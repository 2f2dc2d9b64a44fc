// The pulse detector in demo mode, in-process with the real library and the main window: showing the
// window turns the range pane to the oscillogram, Start arms the pulse trigger and the main window's
// data tick feeds the search, a pulse added to the archive from the log brings the oscillogram's image
// along, and hiding the window gives the running spectrum back.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "demowindow.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "isimplegraphic.h"
#include "newsignalentrydialog.h"
#include "pulselogwindow.h"
#include "pulsewindow.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "veltrano.h"

namespace
{
// A block of samples with a burst of carrier that settles below the window's 5 mV threshold.
std::vector<double> BurstBlock()
{
    std::vector<double> block(600, 0.0);
    for (int i = 50; i < 150; ++i)
        block[i] = (i % 2 == 0) ? 0.5 : -0.5;
    for (size_t i = 150; i < block.size(); ++i)
        block[i] = 0.001;
    return block;
}

TEST(PulseDemoTest, ASearchRunsOnTheDataTickAndAPulseGoesToTheArchiveWithItsImage)
{
    auto window = StartDemoWindow();
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    ASSERT_EQ(g_DeviceThread.GetChannelType(), 0);
    CRangeView* view = WaitForRangeSpectrum(*window);
    ASSERT_NE(view, nullptr);
    auto* spec = dynamic_cast<ISimpleGraphic*>(view->GetGraphic(QStringLiteral("Spec")));

    auto* pulse = window->findChild<CPulseWindow*>();
    ASSERT_NE(pulse, nullptr);
    window->OnPulseButton();
    ASSERT_TRUE(pulse->isVisible());
    EXPECT_EQ(view->GetPaneMode(), 3) << "the range pane shows the oscillogram";
    EXPECT_TRUE(view->IsTriggerEnabled());

    IPulseDetect* detector = g_DeviceThread.m_pPulseDetect;
    pulse->Form().m_pStartButton->click();
    ASSERT_TRUE(detector->IsRunning());
    EXPECT_TRUE(view->IsTriggerEnabled());
    EXPECT_TRUE(view->IsTriggerPauseSuppressed()) << "the pulse trigger does not pause the view";
    EXPECT_EQ(detector->GetCurrentFreq(), 500.0);
    // Only the data tick feeds the detector; it steps on through the range as blocks arrive.
    ASSERT_TRUE(QTest::qWaitFor([detector] { return detector->GetCurrentFreq() > 500.0; }, 5000))
        << "the detector was not fed";
    EXPECT_GT(view->GetTriggerLevel(), 0.0);

    // The receiver brings a burst at the frequency being searched.
    for (int block = 0; block < 20 && detector->GetPulseCount() == 0; ++block)
        detector->ProcessSamples(BurstBlock());
    ASSERT_GT(detector->GetPulseCount(), 0);
    QTest::qWait(300);  // a few more sweeps reach the oscillogram

    pulse->Form().m_pViewLogButton->click();
    CPulseLogWindow* log = pulse->LogWindow();
    ASSERT_TRUE(log->isVisible());
    QTreeWidget* tree = log->Form().m_pPulseLogTree;
    ASSERT_GT(tree->topLevelItemCount(), 0);
    tree->setCurrentItem(tree->topLevelItem(0));

    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    std::vector<ARCHIVE_SIGNAL_ENTRY> before;
    archive->GetSignalsOfGroup(before, -1);
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                dialog.accept();
                return dialog.result();
            },
            QStringLiteral("Add Signal to Archive"));
        log->OnAddToArchive();
    }
    std::vector<ARCHIVE_SIGNAL_ENTRY> after;
    archive->GetSignalsOfGroup(after, -1);
    ASSERT_EQ(after.size(), before.size() + 1);
    const ARCHIVE_SIGNAL_ENTRY& entry = after.back();
    EXPECT_EQ(entry.Source, 3);
    EXPECT_EQ(entry.FreqPeak, tree->topLevelItem(0)->data(1, Qt::UserRole).toDouble() * 1e6);
    const QFileInfo image(QString::fromStdWString(entry.RangeImageFile));
    EXPECT_TRUE(image.fileName().endsWith(QStringLiteral("_rod.img"))) << image.fileName().toStdString();
    EXPECT_EQ(image.absolutePath(),
              QFileInfo(QString::fromStdWString(archive->GetFolder())).absoluteFilePath());
    EXPECT_TRUE(image.exists()) << "the oscillogram was not saved";
    EXPECT_GT(image.size(), 0);
    // The archive file holds the entry at once, not only after the next save of another window.
    QFile archiveFile(QStandardPaths::writableLocation(QStandardPaths::DataLocation) +
                      QStringLiteral("/archive.xml"));
    ASSERT_TRUE(archiveFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(archiveFile.readAll().contains(image.fileName().toUtf8()));

    // Hiding ends the search and gives the running spectrum back.
    window->OnPulseButton();
    EXPECT_FALSE(pulse->isVisible());
    EXPECT_FALSE(detector->IsRunning());
    EXPECT_EQ(view->GetPaneMode(), 0);
    EXPECT_EQ(view->GetPauseState(), 0);
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsEnabled());
    const std::vector<double> last = *spec->GetData(1);
    EXPECT_TRUE(QTest::qWaitFor([spec, &last] { return *spec->GetData(1) != last; }, 3000))
        << "the spectrum does not run";

    EXPECT_TRUE(window->close());
    window.reset();
    g_DeviceThread.Stop();
}
}  // namespace

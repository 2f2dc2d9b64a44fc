// The main window's file and archive commands offscreen, in-process with the real library: the
// parameter-file requests of the File menu, archive images routed by their type code, the go-to-time
// load with its progress dialog, and the known-ranges window's lock and multiple-range selection.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "iadf4350.h"
#include "iknownfreqdetect.h"
#include "imultiadf4350.h"
#include "knownfreqrangeswindow.h"
#include "multirangesgraphicbase.h"
#include "optionswindow.h"
#include "parameters.h"
#include "progressdialog.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "veltrano.h"
#include "waterfallgraphicbase.h"

namespace
{
class CTestWindow : public Veltrano
{
public:
    CTestWindow() : Veltrano(0, QString()) {}
    using Veltrano::ui;
};

// Scripted answers that also keep the widget each message box was raised for, so that a test can
// tell which view refused an archive image.
class CParentRecordingPrompt : public CScriptedPrompt
{
public:
    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override
    {
        parents.push_back(parent);
        return CScriptedPrompt::Message(parent, icon, title, text, buttons, defaultButton);
    }

    std::vector<QWidget*> parents;
};

const QString kFolderKey = QStringLiteral("Parameters/Folder");
const QString kLoadFileKey = QStringLiteral("Parameters/LoadFile");
const QString kSaveFileKey = QStringLiteral("Parameters/SaveFile");
const QString kKnownAnalysisKey = QStringLiteral("KnownFreqRanges/Analysis");

class FileCommandsTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void SetUp() override
    {
        g_DeviceThread.SetDemoMode(false);
        // A request left from another test would replace the settings file at its next save.
        ClearPlainKeys();
        window = std::make_unique<CTestWindow>();
    }

    void TearDown() override
    {
        window.reset();
        ClearPlainKeys();
        g_DeviceThread.SetDemoMode(false);
    }

    static void ClearPlainKeys()
    {
        QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
        for (const QString& key : {kFolderKey, kLoadFileKey, kSaveFileKey, kKnownAnalysisKey})
            settings.remove(key);
        settings.sync();
    }

    static void SetPlain(const QString& key, const QVariant& value)
    {
        QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
        settings.setValue(key, value);
        settings.sync();
    }

    // The stored value, or "<unset>" for a key that is not there.
    static QString Plain(const QString& key)
    {
        const QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
        return settings.contains(key) ? settings.value(key).toString() : QStringLiteral("<unset>");
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }

    // The pane button of each row group that is checked, "" when none is.
    std::string CheckedOf(std::initializer_list<const char*> names) const
    {
        std::string checked;
        for (const char* name : names)
            if (Button(name)->isChecked())
                checked += name;
        return checked;
    }
    std::string RangeMode() const
    {
        return CheckedOf({"m_pRangeSpectrumButton", "m_pRangeWaterfallButton", "m_pRangeOscButton"});
    }
    std::string DdcMode() const
    {
        return CheckedOf({"m_pDdcSpectrumButton", "m_pDdcWaterfallButton", "m_pDdcOscButton"});
    }
    std::string DemodMode() const
    {
        return CheckedOf({"m_pDemodSpectrumButton", "m_pDemodWaterfallButton", "m_pDemodOscButton"});
    }

    static CProgressDialog* ProgressDialog()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CProgressDialog*>(widget))
                return dialog;
        return nullptr;
    }

    CQWaterfallGraphicBase* RangeWaterfall() const
    {
        return dynamic_cast<CQWaterfallGraphicBase*>(
            window->ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Waterfall")));
    }

    std::unique_ptr<CTestWindow> window;
};

TEST_F(FileCommandsTest, LoadParametersAsksInTheRememberedFolderAndOnlyRequestsTheFile)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const struct
    {
        const char* folder;  // "Parameters/Folder" beforehand; nullptr: not stored
        const char* chosen;  // "" cancels the dialog
    } cases[] = {
        {nullptr, ""},
        {"/srv/params/", ""},
        {"/srv/params/", "/srv/params/night.ini"},
        {nullptr, "/home/op/day shift.ini"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << (c.folder ? c.folder : "<no folder>") << " -> \"" << c.chosen << "\"");
        ClearPlainKeys();
        if (c.folder)
            SetPlain(kFolderKey, QString::fromLatin1(c.folder));
        const QString chosen = QString::fromLatin1(c.chosen);

        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(chosen, QStringLiteral("Load Parameters"));
        if (!chosen.isEmpty())
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Restart this Program to apply!!!"));
        window->OnFileLoadParamMenu();

        ASSERT_EQ(prompt.Asked().size(), chosen.isEmpty() ? 1u : 2u);
        const CScriptedPrompt::Record& dialog = prompt.Asked()[0];
        EXPECT_EQ(dialog.title, QStringLiteral("Load Parameters"));
        EXPECT_EQ(dialog.text, QStringLiteral("Parameter files (*.ini)"));
        EXPECT_EQ(dialog.initial, c.folder ? QString::fromLatin1(c.folder) : documents);
        if (!chosen.isEmpty())
        {
            EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Information);
            EXPECT_EQ(prompt.Asked()[1].title, QCoreApplication::applicationName());
        }
        // The file takes over at the next start; the remembered folder is the save command's.
        EXPECT_EQ(Plain(kLoadFileKey), chosen.isEmpty() ? QStringLiteral("<unset>") : chosen);
        EXPECT_EQ(Plain(kFolderKey), c.folder ? QString::fromLatin1(c.folder) : QStringLiteral("<unset>"));
        EXPECT_EQ(Plain(kSaveFileKey), QStringLiteral("<unset>"));
    }
}

TEST_F(FileCommandsTest, SaveParametersRequestsTheCopyOnlyForANameWithAFolder)
{
    const QString startFolder = QStringLiteral("/srv/params/");
    const QString pendingLoad = QStringLiteral("/srv/params/pending-load.ini");
    const QString pendingSave = QStringLiteral("/srv/params/pending-save.ini");
    const struct
    {
        const char* chosen;
        const char* folder;  // nullptr: nothing may change
    } cases[] = {
        {"", nullptr},
        {"night.ini", nullptr},
        {"/home/op/shift_a/night.ini", "/home/op/shift_a/"},
        {"/night.ini", "/"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("\"") + c.chosen + "\"");
        SetPlain(kFolderKey, startFolder);
        SetPlain(kLoadFileKey, pendingLoad);
        SetPlain(kSaveFileKey, pendingSave);
        const QString chosen = QString::fromLatin1(c.chosen);

        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(chosen, QStringLiteral("Save Parameters As"));
        if (c.folder)
            prompt.Answer(QMessageBox::Ok,
                          QStringLiteral("Close this Program to save current parameters into a file!!!"));
        window->OnFileSaveParamMenu();

        ASSERT_EQ(prompt.Asked().size(), c.folder ? 2u : 1u);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Save Parameters As"));
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Parameter files (*.ini)"));
        EXPECT_EQ(prompt.Asked()[0].initial, startFolder);
        if (c.folder)
        {
            EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Information);
            EXPECT_EQ(prompt.Asked()[1].title, QCoreApplication::applicationName());
            EXPECT_EQ(Plain(kFolderKey), QString::fromLatin1(c.folder));
            // A pending load would replace the settings before they are copied: it is withdrawn.
            EXPECT_EQ(Plain(kLoadFileKey), QString());
            EXPECT_EQ(Plain(kSaveFileKey), chosen);
        }
        else
        {
            EXPECT_EQ(Plain(kFolderKey), startFolder);
            EXPECT_EQ(Plain(kLoadFileKey), pendingLoad);
            EXPECT_EQ(Plain(kSaveFileKey), pendingSave);
        }
    }
}

TEST_F(FileCommandsTest, ArchiveImageGoesToTheViewAndPaneItsTypeCodeNames)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // The folder's own "_" must not be read as the file's: "mwd/..." would name the demodulator's
    // waterfall.
    const QString folder = temp.path() + QStringLiteral("/shots_mwd/");
    ASSERT_TRUE(QDir().mkpath(folder));

    // Real archive images, written the way the views file them: a pane file whose tag is the type
    // code ("rsd": range view, spectrum data).
    {
        Ui::VeltranoClass& ui = window->ui;
        const struct
        {
            CViewBase* view;
            const char* pane;
            const char* file;
            const char* tag;
        } images[] = {
            {ui.m_pRangeGraphView, "Spec", "20260102030405006_rsd.img", "rsd"},
            // The second image of one second, as the pulse log names it.
            {ui.m_pRangeGraphView, "Spec", "20260102030405006_rsd_2.img", "rsd"},
            {ui.m_pDdcGraphView, "Waterfall", "20260102030405007_dwd.img", "dwd"},
            {ui.m_pDemodGraphView, "Waterfall", "20260102030405008_mwd.img", "mwd"},
        };
        for (const auto& image : images)
        {
            const QString path = folder + QString::fromLatin1(image.file);
            image.view->SavePaneData(path, QString::fromLatin1(image.tag),
                                     image.view->GetGraphic(QString::fromLatin1(image.pane)), 0);
            ASSERT_TRUE(QFileInfo::exists(path)) << image.file;
        }
    }

    enum
    {
        None = -1,
        Range = 0,
        Ddc = 1,
        Demod = 2
    };
    const char* const spectrum[] = {"m_pRangeSpectrumButton", "m_pDdcSpectrumButton",
                                    "m_pDemodSpectrumButton"};
    const char* const waterfall[] = {"m_pRangeWaterfallButton", "m_pDdcWaterfallButton",
                                     "m_pDemodWaterfallButton"};
    const struct
    {
        const char* name;    // in the folder above unless it is empty or has a "/" of its own
        int view;            // the view handed the image
        bool loads;          // a real image of that code: shown; otherwise the view refuses it
        const char* paneTo;  // the pane button pressed for it, nullptr: the view's mode stays
    } cases[] = {
        {"20260102030405006_rsd.img", Range, true, spectrum[Range]},
        {"20260102030405006_rsd_2.img", Range, true, spectrum[Range]},
        {"20260102030405007_dwd.img", Ddc, true, waterfall[Ddc]},
        {"20260102030405008_mwd.img", Demod, true, waterfall[Demod]},
        // Two-letter codes choose the view and pane as well; no pane file carries so short a tag.
        {"n_rs.img", Range, false, spectrum[Range]},
        {"n_dw.img", Ddc, false, waterfall[Ddc]},
        {"n_r.img", Range, false, nullptr},
        {"n_mx.img", Demod, false, nullptr},
        // Nothing: another first letter, the code after the first "_", no code at all.
        {"n_xs.img", None, false, nullptr},
        {"a_b_mo.img", None, false, nullptr},
        {"x.img", None, false, nullptr},
        {"", None, false, nullptr},
        {"_", None, false, nullptr},
        {"a_", None, false, nullptr},
        {"_.img", None, false, nullptr},
    };
    for (const auto& c : cases)
    {
        const QString name = QString::fromLatin1(c.name);
        const QString path = name.isEmpty() || name.contains(QLatin1Char('/')) ? name : folder + name;
        SCOPED_TRACE(path.toStdString());
        window = std::make_unique<CTestWindow>();
        // A waterfall image fills the first pane shown, so a waterfall is shown without the spectrum
        // above it. Only in memory: the next window reads the stored document again.
        for (const char* options : {"RangeOptions", "DdcOptions", "DemodOptions"})
            g_Parameters.SetInt(QString::fromLatin1(options), QStringLiteral("WaterfallSpectrum"), 0);
        Ui::VeltranoClass& ui = window->ui;
        CViewBase* const views[] = {ui.m_pRangeGraphView, ui.m_pDdcGraphView, ui.m_pDemodGraphView};
        // Every view starts on a pane that no image of the table names.
        window->OnRangeOscButton();
        window->OnDdcOscButton();
        window->OnDemodOscButton();
        ui.m_pDdcBandwidthCombo->setEnabled(true);
        std::string modes[] = {RangeMode(), DdcMode(), DemodMode()};
        if (c.view != None && c.paneTo)
            modes[c.view] = c.paneTo;

        CParentRecordingPrompt prompt;
        if (c.view != None && !c.loads)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Wrong file type!"));
        window->OnLoadImageFromArchive(path);

        EXPECT_EQ(RangeMode(), modes[Range]);
        EXPECT_EQ(DdcMode(), modes[Ddc]);
        EXPECT_EQ(DemodMode(), modes[Demod]);
        for (int v = Range; v <= Demod; ++v)
            EXPECT_EQ(views[v]->IsLoadedData(), c.loads && v == c.view) << "view " << v;
        if (c.view != None && !c.loads)
        {
            ASSERT_EQ(prompt.parents.size(), 1u);
            EXPECT_EQ(prompt.parents[0], views[c.view]);
        }
        // An image of the band receiver pins the band it was taken in.
        EXPECT_EQ(ui.m_pDdcBandwidthCombo->isEnabled(), c.view != Ddc && c.view != Demod);
    }
}

TEST_F(FileCommandsTest, GoToTimeShowsTheProgressAndTheLoadsEndFlipsThePausesAndMovesTheWaterfall)
{
    Ui::VeltranoClass& ui = window->ui;
    CRangeView* range = ui.m_pRangeGraphView;
    CProgressDialog* dialog = ProgressDialog();
    ASSERT_NE(dialog, nullptr);
    CViewBase* const views[] = {ui.m_pRangeGraphView, ui.m_pDdcGraphView, ui.m_pDemodGraphView};

    const qint64 timeS = 1767225600;  // the archive entry's time, s since 1970
    const std::vector<double> line(64, -90.0);
    const auto pushLines = [&](CViewBase* view, qint64 fromMs, int count)
    {
        for (int k = 0; k < count; ++k)
            view->AddWaterfallLineAt(fromMs + 200 * k, line);
    };

    // A previous load's lines are dropped when the next one starts.
    window->OnRangeWaterfallButton();
    for (CViewBase* view : views)
        pushLines(view, (timeS - 100) * 1000, 5);
    ASSERT_GT(RangeWaterfall()->GetRangeEnd(), 0);

    window->OnRangeSpectrumButton();
    ASSERT_EQ(range->GetPauseState(), 0);
    ASSERT_EQ(ui.m_pDdcGraphView->GetPauseState(), 0);
    window->OnGotoTime(0, static_cast<time_t>(timeS), 433.92, QStringLiteral("/nonexistent/recording.sig"));

    EXPECT_TRUE(Button("m_pRangeWaterfallButton")->isChecked());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->ui.m_pLabel->text(), QStringLiteral("Loading data"));
    EXPECT_EQ(range->GetInfoText(), QStringLiteral("Loaded data"));
    for (CViewBase* view : views)
    {
        auto* waterfall =
            dynamic_cast<CQWaterfallGraphicBase*>(view->GetGraphic(QStringLiteral("Waterfall")));
        ASSERT_NE(waterfall, nullptr);
        EXPECT_EQ(waterfall->GetRangeEnd(), 0) << view->objectName().toStdString();
    }

    // Below 100 the bar moves and nothing else; the loader's own 100 has not been delivered yet.
    window->OnProgress(40);
    EXPECT_EQ(dialog->ui.m_pProgressBar->value(), 40);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(range->GetPauseState(), 0);
    EXPECT_FALSE(Button("m_pRangePauseButton")->isChecked());
    EXPECT_EQ(ui.m_pDdcGraphView->GetPauseState(), 0);
    EXPECT_FALSE(Button("m_pDdcPauseButton")->isChecked());

    // A recording that cannot be opened ends the load at once with 100.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 5000));
    EXPECT_EQ(dialog->ui.m_pProgressBar->value(), 100);
    EXPECT_EQ(range->GetPauseState(), 1);
    EXPECT_TRUE(Button("m_pRangePauseButton")->isChecked());
    EXPECT_EQ(ui.m_pDdcGraphView->GetPauseState(), 1);
    EXPECT_EQ(ui.m_pDemodGraphView->GetPauseState(), 1);
    EXPECT_TRUE(Button("m_pDdcPauseButton")->isChecked());
    EXPECT_TRUE(Button("m_pDemodPauseButton")->isChecked());

    // With lines around the asked time, 100 moves the waterfall's end to it and flips both pauses
    // back; 99 leaves everything where it was.
    window->OnRangePauseButton();
    ASSERT_EQ(range->GetPauseState(), 0);
    pushLines(range, timeS * 1000 - 400, 5);
    const qint64 newest = RangeWaterfall()->GetWindowEnd();
    ASSERT_GT(newest, timeS * 1000);
    ASSERT_LT(RangeWaterfall()->GetWindowStart(), timeS * 1000);
    dialog->show();

    window->OnProgress(99);
    EXPECT_EQ(RangeWaterfall()->GetWindowEnd(), newest);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(range->GetPauseState(), 0);
    EXPECT_EQ(ui.m_pDdcGraphView->GetPauseState(), 1);

    window->OnProgress(100);
    EXPECT_EQ(RangeWaterfall()->GetWindowEnd(), timeS * 1000);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(range->GetPauseState(), 1);
    EXPECT_TRUE(Button("m_pRangePauseButton")->isChecked());
    EXPECT_EQ(ui.m_pDdcGraphView->GetPauseState(), 0);
    EXPECT_EQ(ui.m_pDemodGraphView->GetPauseState(), 0);
    EXPECT_FALSE(Button("m_pDdcPauseButton")->isChecked());
    EXPECT_FALSE(Button("m_pDemodPauseButton")->isChecked());
}

TEST_F(FileCommandsTest, KnownRangesWindowLocksTheSweepCommandsAndShowsTheSelectedRangesSideBySide)
{
    CDeviceThread& dev = g_DeviceThread;
    IKnownFreqDetect* known = dev.m_pKnownFreq1;
    ASSERT_NE(known, nullptr);
    ASSERT_NE(dev.m_pAdf, nullptr);
    ASSERT_NE(dev.m_pMultiAdf, nullptr);
    ASSERT_TRUE(dev.m_pAdf->IsEnabled());

    // The "mobile" rows are 0, 2 and 3: the first neither starts lowest nor ends highest.
    const struct
    {
        const wchar_t* name;
        double start, end;
        int averaging;
    } table[] = {
        {L"DCS mobile", 1710.0, 1785.0, 1},
        {L"GSM base", 925.0, 960.0, 2},
        {L"IMT mobile", 2500.0, 2570.0, 3},
        {L"GSM mobile", 880.0, 915.0, 4},
    };
    known->ClearRanges();
    for (const auto& row : table)
    {
        KNOWN_FREQ_RANGE range;
        range.Name = row.name;
        range.StartFreq = row.start;
        range.EndFreq = row.end;
        range.Averaging = row.averaging;
        known->AddRange(range);
    }
    auto* rangesWindow = window->findChild<CKnownFreqRangesWindow*>();
    ASSERT_NE(rangesWindow, nullptr);
    rangesWindow->FillTree();
    auto* options = window->findChild<COptionsWindow*>();
    ASSERT_NE(options, nullptr);
    options->SetRangeAveragingEnabled(false);
    auto* averaging = Child<QComboBox>("m_pRangeSpecAverCombo");
    CRangeView* range = window->ui.m_pRangeGraphView;

    const char* const locked[] = {"m_pMemoryButton",     "m_pAnalysisButton",  "m_pArchiveButton",
                                  "m_pMonitoringButton", "m_pTemplatesButton", "m_pRange1Button",
                                  "m_pRange2Button",     "m_pRangeOscButton",  "m_pPulseButton"};
    for (const char* name : locked)
        ASSERT_TRUE(Button(name)->isEnabled()) << name;

    window->OnRangesButton();
    ASSERT_TRUE(rangesWindow->isVisible());
    for (const char* name : locked)
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_TRUE(averaging->isEnabled());

    const struct
    {
        int modeBefore, modeAfter;
        bool analysis;  // "KnownFreqRanges/Analysis"
    } modes[] = {{0, 4, true}, {1, 5, false}, {2, 6, true}, {3, 3, false}};
    for (const auto& m : modes)
    {
        SCOPED_TRACE(testing::Message() << "pane mode " << m.modeBefore);
        SetPlain(kKnownAnalysisKey, m.analysis);
        dev.m_pAdf->SetScanRange(100.0, 200.0);
        dev.m_pMultiAdf->SetEnabled(false);
        range->SetPaneMode(m.modeBefore);

        rangesWindow->OnMobileButton();

        EXPECT_EQ(known->GetSelectedRanges(), (std::vector<int>{0, 2, 3}));
        EXPECT_DOUBLE_EQ(dev.m_pAdf->GetStartFreq(), 880.0);
        EXPECT_DOUBLE_EQ(dev.m_pAdf->GetStopFreq(), 2570.0);
        EXPECT_TRUE(dev.m_pMultiAdf->IsEnabled());
        EXPECT_EQ(dev.m_pMultiAdf->IsSelected(), m.analysis);
        EXPECT_EQ(dev.m_pMultiAdf->GetRangeCount(), 3);
        EXPECT_EQ(range->GetPaneMode(), m.modeAfter);
        // Each selection replaces the previous one, in the window's order, in both multi-range panes.
        for (const char* paneName : {"MultiSpec", "MultiWaterfall"})
        {
            auto* pane =
                dynamic_cast<CQMultiRangesGraphicBase*>(range->GetGraphic(QString::fromLatin1(paneName)));
            ASSERT_NE(pane, nullptr) << paneName;
            ASSERT_EQ(pane->GetRangeCount(), 3) << paneName;
            int k = 0;
            for (int row : {0, 2, 3})
            {
                const GraphicRange& shown = pane->GetRange(k++);
                EXPECT_EQ(shown.name, QString::fromWCharArray(table[row].name)) << paneName;
                EXPECT_DOUBLE_EQ(shown.from, table[row].start) << paneName;
                EXPECT_DOUBLE_EQ(shown.to, table[row].end) << paneName;
            }
        }
    }

    // Without the synthesizer the sweep is left alone; the view still shows the ranges.
    range->SetPaneMode(0);
    dev.m_pAdf->SetScanRange(100.0, 200.0);
    dev.m_pMultiAdf->SetEnabled(false);
    dev.m_pAdf->SetEnabled(false);
    rangesWindow->OnBaseButton();
    dev.m_pAdf->SetEnabled(true);
    EXPECT_DOUBLE_EQ(dev.m_pAdf->GetStartFreq(), 100.0);
    EXPECT_DOUBLE_EQ(dev.m_pAdf->GetStopFreq(), 200.0);
    EXPECT_FALSE(dev.m_pMultiAdf->IsEnabled());
    EXPECT_EQ(range->GetPaneMode(), 4);
    EXPECT_EQ(known->GetSelectedRanges(), (std::vector<int>{1}));

    rangesWindow->OnMobileButton();
    ASSERT_TRUE(dev.m_pMultiAdf->IsEnabled());
    window->OnRangesButton();
    ASSERT_FALSE(rangesWindow->isVisible());
    for (const char* name : locked)
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_FALSE(averaging->isEnabled());
    EXPECT_FALSE(dev.m_pMultiAdf->IsEnabled());
    EXPECT_EQ(range->GetPaneMode(), 0);

    known->ClearRanges();
    dev.m_pMultiAdf->ClearRanges();
}
}  // namespace

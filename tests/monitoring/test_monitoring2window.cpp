// The monitoring window over the library's real monitoring object, whose calls are recorded on the
// way: Start and its call sequence, the one-second poll driven through its slot, Stop by the button,
// by hiding and by the object itself, and the stored column widths.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "imonitoring.h"
#include "isignalrecorder.h"
#include "itemplates.h"
#include "monitoring2window.h"
#include "monitoringlogwindow.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "ui_monitoring2window.h"
#include "ui_monitoringlogwindow.h"

namespace
{
// Passes every call to the library's object and writes the ones the window's sequence is made of.
class CLoggingMonitoring : public IMonitoring
{
public:
    explicit CLoggingMonitoring(IMonitoring* real) : m_real(real) {}

    std::vector<std::string> log;
    std::vector<double> startedTemplates;  // FreqBegin of the entries Start was given
    std::function<void()> onStart;

    int AddTask(const MONITORING_TASK& task) override
    {
        log.push_back("AddTask");
        return m_real->AddTask(task);
    }
    void SetTask(int id, const MONITORING_TASK& task) override
    {
        log.push_back("SetTask enabled=" + std::to_string(task.Enabled) +
                      " aver=" + std::to_string(task.AverMode));
        m_real->SetTask(id, task);
    }
    void RemoveAllTasks() override
    {
        log.push_back("RemoveAllTasks");
        m_real->RemoveAllTasks();
    }
    void Start(const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, int64_t nowMs) override
    {
        log.push_back("Start " + std::to_string(templates.size()));
        startedTemplates.clear();
        for (const ARCHIVE_SIGNAL_ENTRY& entry : templates)
            startedTemplates.push_back(entry.FreqBegin);
        if (onStart)
            onStart();
        m_real->Start(templates, nowMs);
    }
    void Stop(int64_t nowMs) override
    {
        log.push_back("Stop");
        m_real->Stop(nowMs);
    }

    void SetGarmConv(IGarmConv* conv) override { m_real->SetGarmConv(conv); }
    bool TaskNameExists(const std::wstring& name) override { return m_real->TaskNameExists(name); }
    const MONITORING_TASK& GetTask(int id) override { return m_real->GetTask(id); }
    const MONITORING_TASK& GetTaskByOrder(int index) override { return m_real->GetTaskByOrder(index); }
    int GetTasksCount() override { return m_real->GetTasksCount(); }
    void RemoveTask(int id) override { m_real->RemoveTask(id); }
    bool IsRunning() override { return m_real->IsRunning(); }
    void ProcessSpectrum(ICalcFft* a, ICalcFft* b) override { m_real->ProcessSpectrum(a, b); }
    void GetEvents(std::vector<MONITORING_EVENT>& out) override { m_real->GetEvents(out); }
    int GetTaskEventsCount(int id) override { return m_real->GetTaskEventsCount(id); }
    void RemoveEvent(uint32_t id) override { m_real->RemoveEvent(id); }
    void ClearEvents() override { m_real->ClearEvents(); }
    bool IsCoreStatusClear() override { return m_real->IsCoreStatusClear(); }

private:
    IMonitoring* m_real;
};

std::vector<QString> g_debugLines;

void CollectDebug(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg)
        g_debugLines.push_back(text);
}

class Monitoring2WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (g_FftOptions.GetWindowNames().isEmpty())
            g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        m_real.reset(m_core.Get<IMonitoring>(16));
        ASSERT_TRUE(m_real);
        m_monitoring = std::make_unique<CLoggingMonitoring>(m_real.get());
        m_savedTemplates = g_DeviceThread.m_pTemplates;
        m_savedRecorder = g_DeviceThread.m_pRecorder;
        g_DeviceThread.m_pTemplates = m_core.Get<ITemplates>(22);
        g_DeviceThread.m_pRecorder = m_core.Recorder();
        SetRange(100.0, 200.0);
        m_window = std::make_unique<CMonitoring2Window>(nullptr, m_monitoring.get());
    }
    void TearDown() override
    {
        m_window.reset();
        g_DeviceThread.m_pTemplates = m_savedTemplates;
        g_DeviceThread.m_pRecorder = m_savedRecorder;
    }

    // The range the range view keeps for the current input.
    static void SetRange(double start, double end)
    {
        const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
        g_Parameters.SetDouble(QStringLiteral("RangeSpectrum"), prefix + QStringLiteral("StartXValue"),
                               start);
        g_Parameters.SetDouble(QStringLiteral("RangeSpectrum"), prefix + QStringLiteral("EndXValue"), end);
    }
    void StartOver(double start, double end)
    {
        m_window->StartForRange(start, end);
        m_window->OnStartButton();
        ASSERT_TRUE(m_real->IsRunning());
        m_monitoring->log.clear();
    }
    QString Status() { return m_window->Form().m_pStatusLabel->text(); }
    const MONITORING_TASK& OnlyTask()
    {
        EXPECT_EQ(m_real->GetTasksCount(), 1);
        return m_real->GetTaskByOrder(0);
    }

    CPrivateCore m_core;
    std::unique_ptr<IMonitoring> m_real;
    std::unique_ptr<CLoggingMonitoring> m_monitoring;
    std::unique_ptr<CMonitoring2Window> m_window;
    ITemplates* m_savedTemplates = nullptr;
    ISignalRecorder* m_savedRecorder = nullptr;
};

TEST_F(Monitoring2WindowTest, StartSetsTheRecorderIdleWritesTheTaskAndRunsWithTheEnabledTemplates)
{
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 3);
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    auto add = [templates](const wchar_t* name, bool enabled, int count, double firstMHz)
    {
        TEMPLATE_ITEM item;
        item.name = name;
        item.enabled = enabled;
        for (int i = 0; i < count; ++i)
        {
            ARCHIVE_SIGNAL_ENTRY entry;
            entry.FreqBegin = firstMHz + i;
            entry.FreqEnd = firstMHz + i + 0.5;
            item.entries.push_back(entry);
        }
        ASSERT_TRUE(templates->Add(item));
    };
    add(L"three", true, 3, 110.0);
    add(L"four", false, 4, 120.0);
    add(L"two", true, 2, 130.0);
    ISignalRecorder* recorder = g_DeviceThread.m_pRecorder;
    recorder->SetStopped();
    ASSERT_FALSE(recorder->IsIdle());

    const QString path = m_window->GetTasksPath();
    QFile::remove(path);
    bool idleAtStart = false;
    bool fileAtStart = false;
    m_monitoring->onStart = [&]
    {
        idleAtStart = recorder->IsIdle();
        fileAtStart = QFile::exists(path);
    };
    m_window->StartForRange(100.0, 200.0);
    m_monitoring->log.clear();
    m_window->OnStartButton();

    EXPECT_EQ(m_monitoring->log,
              (std::vector<std::string>{"RemoveAllTasks", "AddTask", "SetTask enabled=1 aver=3", "Start 5"}));
    EXPECT_EQ(m_monitoring->startedTemplates, (std::vector<double>{110.0, 111.0, 112.0, 130.0, 131.0}));
    EXPECT_TRUE(idleAtStart);
    EXPECT_TRUE(fileAtStart);
    EXPECT_TRUE(m_real->IsRunning());
    EXPECT_TRUE(OnlyTask().Enabled);
    EXPECT_EQ(Status(), QStringLiteral("Starting monitoring..."));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(m_window.get(), &change);
    EXPECT_EQ(Status(), QStringLiteral("Starting monitoring..."))
        << "a language change keeps the state shown";
    EXPECT_TRUE(m_window->IsPolling());
    EXPECT_FALSE(m_window->Form().m_pStartButton->isEnabled());
    EXPECT_TRUE(m_window->Form().m_pStopButton->isEnabled());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QDomDocument document;
    ASSERT_TRUE(document.setContent(&file));
    const QDomElement task = document.documentElement().firstChildElement(QStringLiteral("Task"));
    EXPECT_EQ(task.attribute(QStringLiteral("Enabled")), QStringLiteral("1"));
    EXPECT_EQ(task.attribute(QStringLiteral("AverMode")), QStringLiteral("3"));
    EXPECT_EQ(task.attribute(QStringLiteral("StartFreq0")), QStringLiteral("100"));
    EXPECT_EQ(task.attribute(QStringLiteral("EndFreq0")), QStringLiteral("200"));

    // Nothing changed: the first poll compares with what Start used and restarts nothing.
    m_monitoring->log.clear();
    m_window->OnTimer();
    EXPECT_TRUE(m_monitoring->log.empty());
    EXPECT_EQ(Status(), QStringLiteral("Monitoring in progress."));
    EXPECT_EQ(m_window->Form().m_pTasksTree->topLevelItem(0)->text(3), QStringLiteral("Working"));
}

TEST_F(Monitoring2WindowTest, SettingsChangedWithinOneSecondRestartOnceThroughStopAndStart)
{
    StartOver(100.0, 200.0);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 2);
    SetRange(100.0, 250.0);
    g_debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectDebug);
    m_window->OnTimer();
    qInstallMessageHandler(previous);

    EXPECT_EQ(m_monitoring->log, (std::vector<std::string>{"Stop", "RemoveAllTasks", "AddTask",
                                                           "SetTask enabled=1 aver=2", "Start 0"}));
    EXPECT_NE(std::find(g_debugLines.begin(), g_debugLines.end(), QStringLiteral("OnStartButton 5")),
              g_debugLines.end());
    EXPECT_TRUE(m_real->IsRunning());
    EXPECT_EQ(OnlyTask().Ranges[0].EndFreq, 250.0);
    EXPECT_EQ(m_window->GetEndFreq(), 250.0);
    EXPECT_TRUE(m_window->IsPolling());

    struct Change
    {
        const char* key;
        int code;
    } changes[] = {{"AverValue", 3}, {"SquelchValue2", 2}};
    for (const Change& change : changes)
    {
        SCOPED_TRACE(change.key);
        if (change.code == 3)
            g_Parameters.SetInt(QStringLiteral("Analysis"), QString::fromLatin1(change.key), 10);
        else
            g_Parameters.SetDouble(QStringLiteral("Analysis"), QString::fromLatin1(change.key), 9.0);
        m_monitoring->log.clear();
        g_debugLines.clear();
        qInstallMessageHandler(CollectDebug);
        m_window->OnTimer();
        m_window->OnTimer();
        qInstallMessageHandler(previous);
        EXPECT_EQ(std::count(m_monitoring->log.begin(), m_monitoring->log.end(), std::string("Stop")), 1);
        EXPECT_EQ(std::count(g_debugLines.begin(), g_debugLines.end(),
                             QStringLiteral("OnStartButton %1").arg(change.code)),
                  1);
    }
    EXPECT_EQ(OnlyTask().AverCoef, 10);
    EXPECT_EQ(OnlyTask().AverThreshold, 9.0);
}

TEST_F(Monitoring2WindowTest, ARangeThatIsNoRangeIsRefusedInsteadOfRestartingEveryTick)
{
    // No range handed in yet: nothing to watch.
    m_window->OnStartButton();
    EXPECT_EQ(Status(), QStringLiteral("Wrong frequency range!"));
    EXPECT_FALSE(m_real->IsRunning());
    EXPECT_TRUE(m_monitoring->log.empty());

    StartOver(100.0, 200.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [start, end] :
         std::vector<std::pair<double, double>>{{nan, 200.0}, {300.0, 300.0}, {300.0, 250.0}})
    {
        SCOPED_TRACE(start);
        SetRange(start, end);
        for (int tick = 0; tick < 3; ++tick)
            m_window->OnTimer();
        EXPECT_TRUE(m_monitoring->log.empty());
        EXPECT_EQ(Status(), QStringLiteral("Wrong frequency range!"));
        EXPECT_TRUE(m_real->IsRunning());
        EXPECT_EQ(OnlyTask().Ranges[0].StartFreq, 100.0);
    }
}

TEST_F(Monitoring2WindowTest, StopHidingAndTheObjectStoppingItselfEachLeaveTheWindowIdle)
{
    struct Case
    {
        const char* name;
        std::function<void(CMonitoring2Window&, IMonitoring&)> stop;
    } cases[] = {
        {"Stop", [](CMonitoring2Window& w, IMonitoring&) { w.Form().m_pStopButton->click(); }},
        {"hiding", [](CMonitoring2Window& w, IMonitoring&) { w.hide(); }},
        {"by itself",
         [](CMonitoring2Window& w, IMonitoring& real)
         {
             real.Stop(0);
             w.OnTimer();
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        StartOver(100.0, 200.0);
        c.stop(*m_window, *m_real);
        EXPECT_FALSE(m_real->IsRunning());
        EXPECT_FALSE(m_window->IsPolling());
        EXPECT_EQ(Status(), QStringLiteral("Monitoring stopped"));
        EXPECT_TRUE(m_window->Form().m_pStartButton->isEnabled());
        EXPECT_FALSE(m_window->Form().m_pStopButton->isEnabled());
        EXPECT_EQ(m_window->Form().m_pTasksTree->topLevelItem(0)->text(3), QString());
    }
}

TEST_F(Monitoring2WindowTest, StoredColumnWidthsBelowFiftyShowFifty)
{
    m_window.reset();
    const QString section = QStringLiteral("Monitoring2Window");
    const int stored[] = {10, 200, 0, 49};
    for (int column = 0; column < 4; ++column)
        g_Parameters.SetInt(section, QStringLiteral("Column%1").arg(column), stored[column]);
    g_Parameters.SetInt(QStringLiteral("MonitoringLogWindow"), QStringLiteral("Column0"), 30);
    m_window = std::make_unique<CMonitoring2Window>(nullptr, m_monitoring.get());
    const QTreeWidget* tree = m_window->Form().m_pTasksTree;
    EXPECT_EQ(tree->columnWidth(0), 50);
    EXPECT_EQ(tree->columnWidth(1), 200);
    EXPECT_EQ(tree->columnWidth(2), 50);
    EXPECT_EQ(tree->columnWidth(3), 50);
    EXPECT_EQ(m_window->LogWindow()->Form().m_pLogTree->columnWidth(0), 50);
    EXPECT_EQ(m_window->LogWindow()->GetSettingsName(), QStringLiteral("MonitoringLog1"));
    // The widths go back at destruction.
    m_window->Form().m_pTasksTree->setColumnWidth(1, 123);
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Column1"), 0), 123);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Column0"), 0), 50);
}
}  // namespace

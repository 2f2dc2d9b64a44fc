// The monitoring tasks file: its elements and attribute texts, read back with an XML parser, and a
// write that fails leaving the previous file as it was.

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QDomElement>
#include <QDomNamedNodeMap>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <vector>

#include "imonitoring.h"
#include "monitoringtasksfile.h"

namespace
{
QDomElement Root(const std::vector<MONITORING_TASK>& tasks)
{
    QDomDocument document;
    const QByteArray bytes = CMonitoringTasksFile::ToBytes(tasks);
    EXPECT_TRUE(document.setContent(bytes)) << bytes.toStdString();
    return document.documentElement();
}

MONITORING_TASK Task(std::vector<MONITORING_RANGE> ranges)
{
    MONITORING_TASK task;
    task.Enabled = true;
    task.Name = L"New task";
    task.Channel = 3;
    task.Ranges = std::move(ranges);
    task.SetAverMode = true;
    task.AverMode = 2;
    task.SetWindow = false;
    task.Window = 6;
    task.ThresholdMode = 1;
    task.AbsThreshold = -0.0000001;
    task.AverThreshold = 6.5;
    task.AverCoef = 12;
    task.UseHysteresis = true;
    task.HysteresisValue = 10.0;
    task.WaitCycles = 5;
    task.RecordSignal = false;
    task.DoMerge = true;
    return task;
}

TEST(MonitoringTasksFile, AnEmptyListIsTheBareRootWithoutADeclaration)
{
    const QByteArray bytes = CMonitoringTasksFile::ToBytes({});
    EXPECT_FALSE(bytes.contains("<?xml"));
    const QDomElement root = Root({});
    EXPECT_EQ(root.tagName(), QStringLiteral("Monitoring2Task"));
    EXPECT_FALSE(root.hasChildNodes());
}

TEST(MonitoringTasksFile, EveryFieldIsAnAttributeInItsTextForm)
{
    const QDomElement root = Root({Task({{433.123456, 433.92}})});
    const QDomElement task = root.firstChildElement(QStringLiteral("Task"));
    ASSERT_FALSE(task.isNull());
    EXPECT_TRUE(task.nextSiblingElement().isNull());
    EXPECT_FALSE(task.hasChildNodes());
    const std::vector<std::pair<QString, QString>> expected = {
        {"Enabled", "1"},       {"Name", "New task"},       {"ThresholdMode", "1"}, {"SetAverMode", "1"},
        {"SetWindow", "0"},     {"AbsThreshold", "-1e-07"}, {"AverCoef", "12"},     {"AverThreshold", "6.5"},
        {"UseHysteresis", "1"}, {"HysteresisValue", "10"},  {"RangesCount", "1"},   {"StartFreq0", "433.123"},
        {"EndFreq0", "433.92"}, {"AverMode", "2"},          {"Channel", "3"},       {"WaitCycles", "5"},
        {"Window", "6"},        {"RecordSignal", "0"},      {"SignalFileName", ""}, {"DoMerge", "1"},
    };
    EXPECT_EQ(task.attributes().count(), static_cast<int>(expected.size()));
    for (const auto& [name, value] : expected)
    {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(task.hasAttribute(name));
        EXPECT_EQ(task.attribute(name), value);
    }
}

TEST(MonitoringTasksFile, RangesCountAndNumberTheirAttributes)
{
    struct Case
    {
        std::vector<MONITORING_RANGE> ranges;
        int attributes;
    } cases[] = {
        {{}, 18},
        {{{100.0, 200.0}, {300.5, 400.25}, {1e-7, 6000.0}}, 24},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.attributes);
        const QDomElement task = Root({Task(c.ranges)}).firstChildElement(QStringLiteral("Task"));
        EXPECT_EQ(task.attributes().count(), c.attributes);
        EXPECT_EQ(task.attribute(QStringLiteral("RangesCount")), QString::number(c.ranges.size()));
        for (size_t k = 0; k < c.ranges.size(); ++k)
        {
            EXPECT_EQ(task.attribute(QStringLiteral("StartFreq%1").arg(k)).toDouble(), c.ranges[k].StartFreq);
            EXPECT_EQ(task.attribute(QStringLiteral("EndFreq%1").arg(k)).toDouble(), c.ranges[k].EndFreq);
        }
        EXPECT_FALSE(task.hasAttribute(QStringLiteral("StartFreq%1").arg(c.ranges.size())));
    }
}

TEST(MonitoringTasksFile, NamesAndPathsWithMarkupReadBackUnchangedInListOrder)
{
    MONITORING_TASK first = Task({});
    first.Name = L"a <b> & \"c\" 'd' — задание";
    first.SignalFileName = L"/tmp/x&y<z>.rec";
    MONITORING_TASK second = Task({});
    second.Name = L"second";
    const QDomElement root = Root({first, second});
    const QDomElement one = root.firstChildElement(QStringLiteral("Task"));
    EXPECT_EQ(one.attribute(QStringLiteral("Name")), QString::fromStdWString(first.Name));
    EXPECT_EQ(one.attribute(QStringLiteral("SignalFileName")), QString::fromStdWString(first.SignalFileName));
    EXPECT_EQ(one.nextSiblingElement(QStringLiteral("Task")).attribute(QStringLiteral("Name")),
              QStringLiteral("second"));
}

TEST(MonitoringTasksFile, AFailedWriteLeavesThePreviousFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("monitoring2_tasks.xml"));
    ASSERT_TRUE(CMonitoringTasksFile::Save(path, {Task({{100.0, 200.0}})}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    EXPECT_EQ(before, CMonitoringTasksFile::ToBytes({Task({{100.0, 200.0}})}));

    CMonitoringTasksFile::s_pBeforeCommit = [](QSaveFile& saving) { saving.cancelWriting(); };
    const bool saved = CMonitoringTasksFile::Save(path, {});
    CMonitoringTasksFile::s_pBeforeCommit = nullptr;
    EXPECT_FALSE(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);

    // A folder that does not exist cannot be written either, and nothing appears.
    EXPECT_FALSE(CMonitoringTasksFile::Save(dir.filePath(QStringLiteral("none/monitoring2_tasks.xml")), {}));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none"))));
}
}  // namespace

#include "monitoringtasksfile.h"

#include <QDebug>
#include <QDomDocument>
#include <QDomElement>
#include <QSaveFile>

void (*CMonitoringTasksFile::s_pBeforeCommit)(QSaveFile& file) = nullptr;

namespace
{
QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}
}  // namespace

QByteArray CMonitoringTasksFile::ToBytes(const std::vector<MONITORING_TASK>& tasks, const QString& rootName)
{
    QDomDocument document;
    QDomElement root = document.createElement(rootName);
    for (const MONITORING_TASK& task : tasks)
    {
        QDomElement element = document.createElement(QStringLiteral("Task"));
        element.setAttribute(QStringLiteral("Enabled"), Flag(task.Enabled));
        element.setAttribute(QStringLiteral("Name"), QString::fromStdWString(task.Name));
        element.setAttribute(QStringLiteral("ThresholdMode"), QString::number(task.ThresholdMode));
        element.setAttribute(QStringLiteral("SetAverMode"), Flag(task.SetAverMode));
        element.setAttribute(QStringLiteral("SetWindow"), Flag(task.SetWindow));
        element.setAttribute(QStringLiteral("AbsThreshold"), Number(task.AbsThreshold));
        element.setAttribute(QStringLiteral("AverCoef"), QString::number(task.AverCoef));
        element.setAttribute(QStringLiteral("AverThreshold"), Number(task.AverThreshold));
        element.setAttribute(QStringLiteral("UseHysteresis"), Flag(task.UseHysteresis));
        element.setAttribute(QStringLiteral("HysteresisValue"), Number(task.HysteresisValue));
        element.setAttribute(QStringLiteral("RangesCount"), QString::number(task.Ranges.size()));
        for (size_t k = 0; k < task.Ranges.size(); ++k)
        {
            element.setAttribute(QStringLiteral("StartFreq%1").arg(k), Number(task.Ranges[k].StartFreq));
            element.setAttribute(QStringLiteral("EndFreq%1").arg(k), Number(task.Ranges[k].EndFreq));
        }
        element.setAttribute(QStringLiteral("AverMode"), QString::number(task.AverMode));
        element.setAttribute(QStringLiteral("Channel"), QString::number(task.Channel));
        element.setAttribute(QStringLiteral("WaitCycles"), QString::number(task.WaitCycles));
        element.setAttribute(QStringLiteral("Window"), QString::number(task.Window));
        element.setAttribute(QStringLiteral("RecordSignal"), Flag(task.RecordSignal));
        element.setAttribute(QStringLiteral("SignalFileName"), QString::fromStdWString(task.SignalFileName));
        element.setAttribute(QStringLiteral("DoMerge"), Flag(task.DoMerge));
        root.appendChild(element);
    }
    document.appendChild(root);
    return document.toString(1).toUtf8();
}

bool CMonitoringTasksFile::Save(const QString& path, const std::vector<MONITORING_TASK>& tasks,
                                const QString& root)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
    {
        qDebug() << "Monitoring tasks not saved:" << path << file.errorString();
        return false;
    }
    file.write(ToBytes(tasks, root));
    if (s_pBeforeCommit)
        s_pBeforeCommit(file);
    if (!file.commit())
    {
        qDebug() << "Monitoring tasks not saved:" << path << file.errorString();
        return false;
    }
    return true;
}

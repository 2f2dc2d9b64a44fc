#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "imonitoring.h"

class QSaveFile;

// The monitoring window's task list as an XML file, "monitoring2_tasks.xml" in the data folder: the
// root "Monitoring2Task" (the scheduled window's "monitoring_tasks.xml": "MonitoringTask") with one
// empty "Task" element per task, its fields as attributes (numbers
// as 'g' with 6 significant digits, flags "0" or "1"). The program only writes it; nothing reads it.
class CMonitoringTasksFile
{
public:
    // The document text: no declaration, one space of indent per level, UTF-8.
    static QByteArray ToBytes(const std::vector<MONITORING_TASK>& tasks,
                              const QString& root = QStringLiteral("Monitoring2Task"));
    // Replaces the file whole or not at all: a write that fails leaves the previous file as it was and
    // is told on the debug output only. True when the file was written.
    static bool Save(const QString& path, const std::vector<MONITORING_TASK>& tasks,
                     const QString& root = QStringLiteral("Monitoring2Task"));

    // For tests only: when set, Save calls it with the written file just before committing it, so a
    // test can make the write fail there (QSaveFile::cancelWriting) as a full disk would.
    static void (*s_pBeforeCommit)(QSaveFile& file);
};

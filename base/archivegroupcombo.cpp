#include "archivegroupcombo.h"

#include <QComboBox>

#include "devicethread.h"
#include "globals.h"
#include "isignalsarchive.h"

void FillArchiveGroupCombo(QComboBox* combo, ISignalsArchive* archive)
{
    if (archive == nullptr)
        archive = g_DeviceThread.m_pArchive;
    if (archive != nullptr)
    {
        for (const auto* list : {&archive->GetPredefinedGroups(), &archive->GetUserGroups()})
            for (const ARCHIVE_GROUP& group : *list)
                combo->addItem(QString::fromStdWString(group.name), group.id);
    }
    combo->setCurrentIndex(0);
}

#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "archivesignalentry.h"

// The template file: one template's ranges as XML, a root element "Templates" holding one empty
// element "Item" per range with the attributes "StartFreq" and "EndFreq" in MHz. The template's name is
// not in the file but taken from the file's name. Reading needs QtCore and QtXml only, so the reader is
// tested and fuzzed without the window.
class CTemplateFile
{
public:
    // The ranges of a file's text, in file order: every element child of the document element counts,
    // whatever its name; a missing attribute or one that is not a number reads as 0.0 MHz, and an item
    // with a number that is not finite is skipped. Text that does not parse gives no range. Each range
    // is an archive entry with only its bounds set.
    static std::vector<ARCHIVE_SIGNAL_ENTRY> Read(const QByteArray& text);

    // The file's text for the given ranges: UTF-8 without a declaration, one space of indentation per
    // level, the bounds as the shortest text that reads back to the same number.
    static QByteArray Write(const std::vector<ARCHIVE_SIGNAL_ENTRY>& ranges);

    // The name of the template a file holds: the file's name up to its first dot, or the whole file
    // name when that part is empty (".xml"), since an empty name would stand for the unnamed template.
    static QString TemplateName(const QString& path);
};

#pragma once

#include <QString>

class ISignalsArchive;
class QSaveFile;

// The signals archive on disk ("archive.xml"): user groups and entries as attributes of one XML
// document; the predefined groups are fixed in the program and not stored. Loading fills the
// library's archive; saving rewrites the whole file from it, atomically, and keeps the file it
// replaced as "<name>.bak".
class CArchiveFile
{
public:
    enum class LoadResult
    {
        Missing,     // no file: a first start
        Complete,    // every group and entry was taken
        Partial,     // some elements were refused (see the error text); the rest was taken
        Unreadable,  // the file exists but is no archive document; nothing was taken
    };

    // Reads the file into the archive. The two lists are found by their names ("UserGroups",
    // "SignalEntries"); a missing list reads as empty. Groups and entries are taken in id order,
    // whatever their order in the file; an element whose "Index" or "GroupIndex" is not a number, or
    // that the archive refuses, is skipped and named in *error, the others load. A missing attribute
    // reads as 0 or empty.
    static LoadResult Load(ISignalsArchive& archive, const QString& path, QString* error);

    // Writes the archive's user groups and entries, attributes in a fixed order, so that the same
    // archive always gives the same bytes; numbers are written exactly. The old file stays untouched
    // unless the new one was written completely, and then remains as "<path>.bak". False with the
    // reason in *error.
    static bool Save(ISignalsArchive& archive, const QString& path, QString* error);

    // Copies a file that could not be read completely beside itself as "<name>.bad-<yyyyMMdd-hhmmss>"
    // (with "-2", "-3"... when another file took that name in the same second), so that no later save
    // loses what it held; returns the copy's path, empty when the copy failed.
    static QString SetAside(const QString& path);

    // For tests only: when set, Save calls it with the written file just before committing it, so a
    // test can make the write fail there (QSaveFile::cancelWriting) as a full disk would.
    static void (*s_pBeforeCommit)(QSaveFile& file);
};

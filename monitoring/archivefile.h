#pragma once

#include <QString>

class ISignalsArchive;

// The signals archive on disk ("archive.xml"): user groups and entries as attributes of one XML
// document; the predefined groups are fixed in the program and not stored. Loading fills the
// library's archive; saving rewrites the whole file from it, atomically.
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

    // Reads the file into the archive. Groups and entries are taken in id order, whatever their order
    // in the file; an element the archive refuses is skipped and named in *error, the others load.
    static LoadResult Load(ISignalsArchive& archive, const QString& path, QString* error);

    // Writes the archive's user groups and entries; numbers are written exactly (shortest round-trip
    // text). The old file stays untouched unless the new one was written completely. False with the
    // reason in *error.
    static bool Save(ISignalsArchive& archive, const QString& path, QString* error);

    // Copies a file that could not be read completely beside itself as "<name>.bad-<yyyyMMdd-hhmmss>",
    // so that no later save loses what it held; returns the copy's path, empty when the copy failed.
    static QString SetAside(const QString& path);
};

#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "iknownfreqdetect.h"

// The regional window's file of one world region: a root element holding one element per range, the
// range's fields as attributes. Numbers are written with round-trip precision, so a range survives a
// save and a reload exactly.
namespace KnownFreqRegionFile
{
// Parses a file's bytes. False when they are no well-formed XML or have no root element; otherwise
// true, with the ranges in file order: every element child of the root is a range, whatever its name.
// A missing attribute reads as empty or 0, a number that does not parse as 0; a range with a
// non-finite number or a start not below its end is left out.
bool Parse(const QByteArray& data, std::vector<KNOWN_FREQ_RANGE>* ranges);

// The file's bytes for the ranges, UTF-8 without an XML declaration.
QByteArray Serialize(const std::vector<KNOWN_FREQ_RANGE>& ranges);

// Replaces the file at `path` as a whole; false when it could not be written, the old file then being
// left as it was.
bool Save(const QString& path, const std::vector<KNOWN_FREQ_RANGE>& ranges);
}  // namespace KnownFreqRegionFile

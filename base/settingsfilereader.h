#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QLatin1String>

// Reads the settings document out of the bytes of a "settings.ini" file, in memory: no file and no
// settings object. The file is an INI file written by QSettings; the document is its array
// "configuration_xml", one signed byte per entry "b" (keys "configuration_xml/<n>/b", n from 1), with the
// entry count under "configuration_xml/size".
//
// The INI text is taken apart with QSettings' own rules (lines, quotes, comments, section headers, key and
// value escapes), so every file QSettings wrote reads as QSettings reads it, byte for byte. A file whose
// array is laid out in a way QSettings never writes (entries outside their one section, keys that only
// differ in case or slashes from the array's keys, values in QDataStream form, which QSettings decodes
// trusting the counts in them) is judged damaged rather than guessed at: the loader then keeps a copy
// of it aside, byte for byte.
class CSettingsFileReader
{
public:
    static constexpr QLatin1String kRootName{"Veltrano", 8};
    static constexpr QLatin1String kArrayName{"configuration_xml", 17};
    static constexpr QLatin1String kEntryKey{"b", 1};
    // Each array entry takes at least "1\b=0" and a line end in the file, so a stored size above the
    // file's length cannot be genuine; it is not worth allocating.
    static constexpr int kMinBytesPerEntry = 6;

    enum class Verdict
    {
        Empty,     // no array, or one of size 0: the defaults take over
        Damaged,   // an array that cannot be ours: the file is kept aside
        Document,  // an array holding a document under the root kRootName that saves as itself
    };

    struct Array
    {
        Verdict verdict = Verdict::Empty;
        QByteArray bytes;  // the array's bytes when the verdict is Document, not yet parsed
    };

    struct Result
    {
        Verdict verdict = Verdict::Empty;
        QDomDocument document;  // null unless the verdict is Document
    };

    // The stored array: Document means a size in range and its bytes (entries that are missing read as
    // 0, as QSettings gives them); whether they parse is Read's business.
    static Array ReadArray(const QByteArray& file);
    // The stored document; Damaged also when the array does not parse as XML, has another root, or
    // holds a document whose serialisation (QDomDocument::toByteArray(1), as the program saves it) does
    // not read back as the same serialisation.
    static Result Read(const QByteArray& file);
};

// Hands arbitrary bytes to the settings file reader as the bytes of "settings.ini" (an operator can hand
// over any file as a parameter file), in memory as the loader hands them over, and checks what the
// reader promises: it never fails; its two steps agree; only a document under the root "Veltrano" is
// taken, from an array no longer than the file can hold; and what it took, saved as the program saves it
// (the serialised document as the array QSettings writes, beside other sections, with either line end),
// reads back as the same document, whose serialisation does not change any more.
//
// What needs files is the loader's and tested in tests/base: a damaged file kept aside byte for byte,
// the defaults code, the save through QSettings and the reload.

#include <QByteArray>
#include <QMap>
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

#include "settingsfilereader.h"

namespace
{
using Reader = CSettingsFileReader;

void Quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The file QSettings writes for a document: the entries of the array ordered by their key text
// ("1\b", "10\b", "100\b", ..., "2\b", ...), each byte as a signed number, then the size.
QByteArray StoredFile(const QByteArray& document, const QByteArray& lineEnd)
{
    QMap<QByteArray, QByteArray> lines;
    for (int i = 0; i < document.size(); ++i)
        lines.insert(QByteArray::number(i + 1) + "\\" + QByteArray(Reader::kEntryKey.data()),
                     QByteArray::number(static_cast<signed char>(document[i])));
    QByteArray text = "[Global]" + lineEnd + "Language=en_US" + lineEnd + lineEnd + "[Parameters]" + lineEnd +
                      "DefaultCode=65476558" + lineEnd + "LoadFile=" + lineEnd + "SaveFile=" + lineEnd +
                      lineEnd + "[" + QByteArray(Reader::kArrayName.data()) + "]" + lineEnd;
    for (auto line = lines.cbegin(); line != lines.cend(); ++line)
        text += line.key() + "=" + line.value() + lineEnd;
    return text + "size=" + QByteArray::number(document.size()) + lineEnd;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = []
    {
        qInstallMessageHandler(Quiet);
        return true;
    }();
    Check(quiet);

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const Reader::Array array = Reader::ReadArray(input);
    const Reader::Result result = Reader::Read(input);

    if (array.verdict != Reader::Verdict::Document)
    {
        Check(array.bytes.isEmpty());
        Check(result.verdict == array.verdict && result.document.isNull());
        return 0;
    }
    Check(!array.bytes.isEmpty() && array.bytes.size() <= input.size() / Reader::kMinBytesPerEntry);
    Check(result.verdict != Reader::Verdict::Empty);
    if (result.verdict == Reader::Verdict::Damaged)
    {
        Check(result.document.isNull());
        return 0;
    }

    Check(result.document.documentElement().tagName() == Reader::kRootName);
    const QByteArray document = result.document.toByteArray(1);
    for (const QByteArray& lineEnd : {QByteArray("\n"), QByteArray("\r\n")})
    {
        const Reader::Result reloaded = Reader::Read(StoredFile(document, lineEnd));
        Check(reloaded.verdict == Reader::Verdict::Document);
        Check(reloaded.document.toByteArray(1) == document);
    }
    return 0;
}

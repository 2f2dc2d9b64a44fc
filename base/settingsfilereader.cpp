#include "settingsfilereader.h"

#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTextCodec>
#include <QVariant>

#include <array>
#include <optional>

// The INI rules below are those of QSettings (Qt 5.15), step for step: a file it wrote must give the very
// bytes it would give, and a hand-edited one the same reading wherever the array is laid out as
// QSettings lays it out (what it is judged otherwise is in the header).
// Names follow the steps: lines are split first (quotes may span lines, ';' starts a comment), then the
// text is cut into sections by their headers (a section that appears twice is one section, its parts
// joined in file order), then a section's lines are read as key = value, a later key replacing an
// earlier one.

namespace
{
enum : unsigned char
{
    Space = 0x1,
    Special = 0x2,
};

// Space: '\t', '\n', '\r', ' '. Special: '\n', '\r', '"', ';', '=', '\\'.
constexpr std::array<unsigned char, 256> MakeTraits()
{
    std::array<unsigned char, 256> traits{};
    traits['\t'] = Space;
    traits['\n'] = Space | Special;
    traits['\r'] = Space | Special;
    traits[' '] = Space;
    traits['"'] = Special;
    traits[';'] = Special;
    traits['='] = Special;
    traits['\\'] = Special;
    return traits;
}
constexpr std::array<unsigned char, 256> kTraits = MakeTraits();

unsigned char Traits(char c)
{
    return kTraits[static_cast<unsigned char>(c)];
}

// One logical line from dataPos on: [lineStart, lineStart + lineLen), with the first '=' outside quotes
// at equalsPos (-1 if none). Blank lines and whole-line comments are skipped; a line ends at a line
// break or a ';' outside quotes, and a backslash keeps the next character (a line break too) in the line.
bool ReadIniLine(const QByteArray& data, int& dataPos, int& lineStart, int& lineLen, int& equalsPos)
{
    const int dataLen = data.size();
    bool inQuotes = false;
    equalsPos = -1;

    lineStart = dataPos;
    while (lineStart < dataLen && (Traits(data.at(lineStart)) & Space))
        ++lineStart;

    int i = lineStart;
    while (i < dataLen)
    {
        while (!(Traits(data.at(i)) & Special))
        {
            if (++i == dataLen)
                goto lineEnd;
        }

        const char ch = data.at(i++);
        if (ch == '=')
        {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        }
        else if (ch == '\n' || ch == '\r')
        {
            if (i == lineStart + 1)
            {
                ++lineStart;
            }
            else if (!inQuotes)
            {
                --i;
                goto lineEnd;
            }
        }
        else if (ch == '\\')
        {
            if (i < dataLen)
            {
                const char escaped = data.at(i++);
                if (i < dataLen)
                {
                    const char next = data.at(i);
                    // "\n", "\r", "\r\n" and "\n\r" all end a line.
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        }
        else if (ch == '"')
        {
            inQuotes = !inQuotes;
        }
        else  // ';'
        {
            if (i == lineStart + 1)
            {
                while (i < dataLen && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < dataLen && (Traits(data.at(i)) & Space))
                    ++i;
                lineStart = i;
            }
            else if (!inQuotes)
            {
                --i;
                goto lineEnd;
            }
        }
    }

lineEnd:
    dataPos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

// Appends the key text [from, to) with its escapes undone: '\\' is '/', "%XX" and "%UXXXX" are the
// character of that hexadecimal code, anything else is a Latin-1 character.
void UnescapeKey(const QByteArray& key, int from, int to, QString& result)
{
    int i = from;
    while (i < to)
    {
        const char ch = key.at(i);
        if (ch == '\\')
        {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1)
        {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }

        int numDigits = 2;
        int firstDigitPos = i + 1;
        if (key.at(i + 1) == 'U')
        {
            ++firstDigitPos;
            numDigits = 4;
        }
        bool ok = false;
        const int code =
            firstDigitPos + numDigits > to ? 0 : key.mid(firstDigitPos, numDigits).toInt(&ok, 16);
        if (!ok)
        {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(static_cast<ushort>(code));
        i = firstDigitPos + numDigits;
    }
}

void ChopTrailingBlanks(QString& text, int limit)
{
    int n = text.size() - 1;
    while (n >= limit && (text.at(n) == QLatin1Char(' ') || text.at(n) == QLatin1Char('\t')))
        text.truncate(n--);
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The value text [from, to): C escapes, quotes and the blanks around unquoted parts undone. True when it
// is a list (a ',' outside quotes), whose items are then in `list`; otherwise the text is in `text`.
// Without a codec the bytes are Latin-1.
bool UnescapeValue(const QByteArray& str, int from, int to, QString& text, QStringList& list,
                   QTextCodec* codec)
{
    static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                       {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                       {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    enum class State
    {
        SkipSpaces,
        Normal,
        Hex,
        Octal,
    };

    bool isList = false;
    bool inQuotes = false;
    bool currentIsQuoted = false;
    // Kept unsigned: a long escape wraps instead of overflowing, and only its low 16 bits are a character.
    unsigned int escapeValue = 0;
    int chopLimit = 0;
    int i = from;
    State state = State::SkipSpaces;

    while (true)
    {
        if (state == State::SkipSpaces)
        {
            while (i < to && (str.at(i) == ' ' || str.at(i) == '\t'))
                ++i;
            state = State::Normal;
        }
        if (state == State::Hex || state == State::Octal)
        {
            const int base = state == State::Hex ? 16 : 8;
            const int digit = i < to ? HexDigit(str.at(i)) : -1;
            if (digit >= 0 && digit < base)
            {
                escapeValue =
                    escapeValue * static_cast<unsigned int>(base) + static_cast<unsigned int>(digit);
                ++i;
                continue;
            }
            text += QChar(static_cast<ushort>(escapeValue));
            if (i >= to)
                break;
            state = State::Normal;
        }

        // Normal: up to the end of the value or the next state change.
        chopLimit = text.size();
        bool changed = false;
        while (i < to && !changed)
        {
            const char ch = str.at(i);
            if (ch == '\\')
            {
                ++i;
                if (i >= to)
                    goto done;
                const char code = str.at(i++);
                bool simple = false;
                for (const auto& e : kEscapes)
                {
                    if (code == e[0])
                    {
                        text += QLatin1Char(e[1]);
                        simple = true;
                        break;
                    }
                }
                if (simple)
                {
                    chopLimit = text.size();
                    continue;
                }
                if (code == 'x')
                {
                    escapeValue = 0;
                    if (i >= to)
                        goto done;
                    if (HexDigit(str.at(i)) >= 0)
                    {
                        state = State::Hex;
                        changed = true;
                        continue;
                    }
                }
                else if (code >= '0' && code <= '7')
                {
                    escapeValue = static_cast<unsigned int>(code - '0');
                    state = State::Octal;
                    changed = true;
                    continue;
                }
                else if (code == '\n' || code == '\r')
                {
                    if (i < to)
                    {
                        const char next = str.at(i);
                        if ((next == '\n' || next == '\r') && next != code)
                            ++i;
                    }
                }
                // Any other escaped character is dropped.
                chopLimit = text.size();
            }
            else if (ch == '"')
            {
                ++i;
                currentIsQuoted = true;
                inQuotes = !inQuotes;
                if (!inQuotes)
                {
                    state = State::SkipSpaces;
                    changed = true;
                }
            }
            else if (ch == ',' && !inQuotes)
            {
                if (!currentIsQuoted)
                    ChopTrailingBlanks(text, chopLimit);
                if (!isList)
                {
                    isList = true;
                    list.clear();
                }
                list.append(text);
                text.clear();
                currentIsQuoted = false;
                ++i;
                state = State::SkipSpaces;
                changed = true;
            }
            else
            {
                int j = i + 1;
                while (j < to && str.at(j) != '\\' && str.at(j) != '"' && str.at(j) != ',')
                    ++j;
                if (codec)
                    text += codec->toUnicode(str.constData() + i, j - i);
                else
                    text += QString::fromLatin1(str.constData() + i, j - i);
                i = j;
            }
        }
        if (changed)
            continue;
        if (!currentIsQuoted)
            ChopTrailingBlanks(text, chopLimit);
        break;
    }

done:
    if (isList)
        list.append(text);
    return isList;
}

// "@Rect(1 2 3 4)" and its kin: the items between the parenthesis at `open` and the closing one.
QStringList SplitArgs(const QString& s, int open)
{
    QStringList result;
    QString item;
    for (int i = open + 1; i < s.size(); ++i)
    {
        const QChar c = s.at(i);
        if (c == QLatin1Char(')'))
        {
            result.append(item);
        }
        else if (c == QLatin1Char(' '))
        {
            result.append(item);
            item.clear();
        }
        else
        {
            item.append(c);
        }
    }
    return result;
}

// A value text as the typed value QSettings gives for it ("@ByteArray(...)", "@Rect(...)", ...), except
// a value in QDataStream form ("@Variant(...)", "@DateTime(...)"): none. QSettings writes a number as
// plain text, and decoding such a value trusts the counts in it; a damaged one asks for any amount of
// memory (QSettings itself then ends the program).
std::optional<QVariant> TextToVariant(const QString& s)
{
    if (!s.startsWith(QLatin1Char('@')))
        return QVariant(s);
    if (s.endsWith(QLatin1Char(')')))
    {
        if (s.startsWith(QLatin1String("@ByteArray(")))
            return QVariant(s.midRef(11, s.size() - 12).toLatin1());
        if (s.startsWith(QLatin1String("@String(")))
            return QVariant(s.midRef(8, s.size() - 9).toString());
        if (s.startsWith(QLatin1String("@Variant(")) || s.startsWith(QLatin1String("@DateTime(")))
            return std::nullopt;
        if (s.startsWith(QLatin1String("@Rect(")))
        {
            const QStringList args = SplitArgs(s, 5);
            if (args.size() == 4)
                return QVariant(QRect(args[0].toInt(), args[1].toInt(), args[2].toInt(), args[3].toInt()));
        }
        else if (s.startsWith(QLatin1String("@Size(")))
        {
            const QStringList args = SplitArgs(s, 5);
            if (args.size() == 2)
                return QVariant(QSize(args[0].toInt(), args[1].toInt()));
        }
        else if (s.startsWith(QLatin1String("@Point(")))
        {
            const QStringList args = SplitArgs(s, 6);
            if (args.size() == 2)
                return QVariant(QPoint(args[0].toInt(), args[1].toInt()));
        }
        else if (s == QLatin1String("@Invalid()"))
        {
            return QVariant();
        }
    }
    if (s.startsWith(QLatin1String("@@")))
        return QVariant(s.mid(1));
    return QVariant(s);
}

std::optional<QVariant> ListToVariant(const QStringList& items)
{
    QStringList texts = items;
    for (int i = 0; i < texts.size(); ++i)
    {
        if (!texts[i].startsWith(QLatin1Char('@')))
            continue;
        if (texts[i].size() >= 2 && texts[i].at(1) == QLatin1Char('@'))
        {
            texts[i].remove(0, 1);
            continue;
        }
        QVariantList values;
        values.reserve(items.size());
        for (const QString& item : items)
        {
            const std::optional<QVariant> value = TextToVariant(item);
            if (!value)
                return std::nullopt;
            values.append(*value);
        }
        return QVariant(values);
    }
    return QVariant(texts);
}

// The file cut at its section headers: the text of each section by its name ("" before the first
// header and under [General], otherwise the unescaped name and a '/'), the parts of a repeated section
// joined by a line break.
QMap<QString, QByteArray> SplitSections(const QByteArray& data, int dataPos)
{
    QMap<QString, QByteArray> sections;
    QString currentSection;
    int currentSectionStart = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = 0;
    const auto flush = [&]
    {
        QByteArray& text = sections[currentSection];
        if (!text.isEmpty())
            text.append('\n');
        text += data.mid(currentSectionStart, lineStart - currentSectionStart);
    };

    while (ReadIniLine(data, dataPos, lineStart, lineLen, equalsPos))
    {
        if (data.at(lineStart) != '[')
            continue;
        flush();
        const int close = data.indexOf(']', lineStart);
        const QByteArray header = (close == -1 || close >= lineStart + lineLen)
                                      ? data.mid(lineStart + 1, lineLen - 1)
                                      : data.mid(lineStart + 1, close - lineStart - 1);
        const QByteArray name = header.trimmed();
        // Compared as C strings, up to a NUL byte, as QSettings compares them.
        if (qstricmp(name.constData(), "general") == 0)
        {
            currentSection.clear();
        }
        else
        {
            if (qstricmp(name.constData(), "%general") == 0)
            {
                currentSection = QLatin1String(name.constData() + 1);
            }
            else
            {
                currentSection.clear();
                UnescapeKey(name, 0, name.size(), currentSection);
            }
            currentSection += QLatin1Char('/');
        }
        currentSectionStart = dataPos;
    }
    flush();
    return sections;
}

struct Entry
{
    QString key;  // the key under its section, unescaped
    int valueFrom = 0;
    int valueTo = 0;
};

// The key = value lines of a section's text, in order; lines without '=' are not settings.
QVector<Entry> SectionEntries(const QByteArray& text)
{
    QVector<Entry> entries;
    int dataPos = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = 0;
    while (ReadIniLine(text, dataPos, lineStart, lineLen, equalsPos))
    {
        if (equalsPos == -1)
            continue;
        int keyEnd = equalsPos;
        while (keyEnd > lineStart && (text.at(keyEnd - 1) == ' ' || text.at(keyEnd - 1) == '\t'))
            --keyEnd;
        Entry entry;
        UnescapeKey(text, lineStart, keyEnd, entry.key);
        entry.valueFrom = equalsPos + 1;
        entry.valueTo = lineStart + lineLen;
        entries.append(entry);
    }
    return entries;
}

// The number QSettings reads for the entry (QVariant::toInt: 0 for what is not a number); none for a
// value in QDataStream form.
std::optional<int> NumberValue(const QByteArray& text, const Entry& entry, QTextCodec* codec)
{
    QString value;
    QStringList list;
    const std::optional<QVariant> variant =
        UnescapeValue(text, entry.valueFrom, entry.valueTo, value, list, codec) ? ListToVariant(list)
                                                                                : TextToVariant(value);
    return variant ? std::optional<int>(variant->toInt()) : std::nullopt;
}

// A key as QSettings looks it up: no empty parts between slashes, none at either end.
QString NormalisedKey(const QString& key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

// The entry number n of a key "<n>/b" with n written as QSettings writes a number (no sign, no leading
// zero); -1 for any other key.
int EntryNumber(const QString& key)
{
    const int digits = key.size() - 1 - CSettingsFileReader::kEntryKey.size();
    if (digits < 1 || digits > 9 || key.at(digits) != QLatin1Char('/') ||
        key.midRef(digits + 1) != CSettingsFileReader::kEntryKey)
        return -1;
    if (key.at(0) == QLatin1Char('0') && digits > 1)
        return -1;
    int number = 0;
    for (int i = 0; i < digits; ++i)
    {
        const QChar c = key.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

// A key of the array's section that QSettings would not look up as written, but that names the size or
// an entry once empty parts between slashes are dropped, case is ignored and leading zeros are allowed:
// someone meant it, and guessing what is not safe.
bool IsSpelledLikeArrayKey(const QString& key)
{
    const QString normalised = NormalisedKey(key).toLower();
    if (normalised == QLatin1String("size"))
        return true;
    const int digits = normalised.size() - 1 - CSettingsFileReader::kEntryKey.size();
    if (digits < 1 || normalised.at(digits) != QLatin1Char('/') ||
        normalised.midRef(digits + 1) != CSettingsFileReader::kEntryKey)
        return false;
    for (int i = 0; i < digits; ++i)
        if (normalised.at(i) < QLatin1Char('0') || normalised.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

// True for a key or section name that is, or lies under, the array's once empty parts between slashes
// are dropped and case is ignored (as on systems where QSettings ignores it).
bool IsUnderArray(const QString& name)
{
    if (!name.contains(CSettingsFileReader::kArrayName, Qt::CaseInsensitive))
        return false;
    const QString normalised = NormalisedKey(name);
    return normalised.compare(CSettingsFileReader::kArrayName, Qt::CaseInsensitive) == 0 ||
           normalised.startsWith(QString(CSettingsFileReader::kArrayName) + QLatin1Char('/'),
                                 Qt::CaseInsensitive);
}
}  // namespace

CSettingsFileReader::Array CSettingsFileReader::ReadArray(const QByteArray& file)
{
    // A UTF-8 byte order mark makes the values UTF-8; it stays part of the text before the first header.
    const bool utf8 = file.startsWith("\xEF\xBB\xBF");
    QTextCodec* const codec = utf8 ? QTextCodec::codecForName("UTF-8") : nullptr;
    const QMap<QString, QByteArray> sections = SplitSections(file, utf8 ? 3 : 0);

    const QString arraySection = QString(kArrayName) + QLatin1Char('/');
    const QString sizeKey = QStringLiteral("size");
    QMap<int, int> entries;  // by entry number, the value of its last line
    int size = 0;            // without the key, as QSettings reads a missing value

    for (auto section = sections.cbegin(); section != sections.cend(); ++section)
    {
        if (section.key() != arraySection)
        {
            // The array's keys in any other section, or a section of its own below the array, are a
            // layout QSettings never writes; it would not even read the array through all of them.
            if (IsUnderArray(section.key()))
                return {Verdict::Damaged, {}};
            for (const Entry& entry : SectionEntries(section.value()))
                if (IsUnderArray(section.key() + entry.key))
                    return {Verdict::Damaged, {}};
            continue;
        }
        for (const Entry& entry : SectionEntries(section.value()))
        {
            // QSettings decodes every value of the section it reads, the ones it never looks up too.
            const std::optional<int> value = NumberValue(section.value(), entry, codec);
            if (!value)
                return {Verdict::Damaged, {}};
            if (entry.key == sizeKey)
            {
                size = *value;
                continue;
            }
            const int number = EntryNumber(entry.key);
            if (number > 0)
                entries[number] = *value;
            else if (number < 0 && IsSpelledLikeArrayKey(entry.key))
                return {Verdict::Damaged, {}};
            // Any other key ("0/b" among them) is never looked up.
        }
    }

    if (size == 0)
        return {Verdict::Empty, {}};
    if (size < 0 || size > file.size() / kMinBytesPerEntry)
        return {Verdict::Damaged, {}};

    QByteArray bytes(size, '\0');
    for (auto entry = entries.cbegin(); entry != entries.cend() && entry.key() <= size; ++entry)
        bytes[entry.key() - 1] = static_cast<char>(entry.value());
    return {Verdict::Document, bytes};
}

CSettingsFileReader::Result CSettingsFileReader::Read(const QByteArray& file)
{
    const Array array = ReadArray(file);
    if (array.verdict != Verdict::Document)
        return {array.verdict, QDomDocument()};
    QDomDocument document;
    if (!document.setContent(array.bytes, false) || document.documentElement().tagName() != kRootName)
        return {Verdict::Damaged, QDomDocument()};
    // The document is saved as its serialisation, so that must read back as itself. Not every parsed
    // document does: a processing instruction is written with a line break after it, which a text that
    // follows takes in at the next load, one more at every save. Such a file is kept aside as it is
    // rather than changed a little at every start.
    const QByteArray saved = document.toByteArray(1);
    QDomDocument reloaded;
    if (!reloaded.setContent(saved, false) || reloaded.toByteArray(1) != saved)
        return {Verdict::Damaged, QDomDocument()};
    return {Verdict::Document, document};
}

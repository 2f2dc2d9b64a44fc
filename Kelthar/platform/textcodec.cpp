#include "textcodec.h"

namespace kplatform
{
namespace
{
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

char32_t CombineSurrogates(char32_t high, char32_t low)
{
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Calls emit with each code point of a wide string, pairs joined, anything invalid replaced.
template <typename Emit>
void ForEachCodePoint(const std::wstring& text, Emit emit)
{
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char32_t c = static_cast<char32_t>(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1])))
        {
            emit(CombineSurrogates(c, static_cast<char32_t>(text[i + 1])));
            ++i;
        }
        else if (c > kMaxCodePoint || IsHighSurrogate(c) || IsLowSurrogate(c))
            emit(kReplacement);
        else
            emit(c);
    }
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The range the second byte of a UTF-8 sequence must lie in, by lead byte; this is what rules out
// overlong forms, encoded surrogates and values above U+10FFFF.
bool SecondByteAllowed(uint8_t lead, uint8_t second)
{
    switch (lead)
    {
        case 0xE0:
            return second >= 0xA0 && second <= 0xBF;
        case 0xED:
            return second >= 0x80 && second <= 0x9F;
        case 0xF0:
            return second >= 0x90 && second <= 0xBF;
        case 0xF4:
            return second >= 0x80 && second <= 0x8F;
        default:
            return second >= 0x80 && second <= 0xBF;
    }
}
}  // namespace

std::string WideToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&out](char32_t c) { AppendUtf8(out, c); });
    return out;
}

// Each maximal ill-formed subsequence becomes one U+FFFD, so a damaged byte never swallows the
// valid text that follows it.
std::wstring Utf8ToWide(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    const size_t size = text.size();
    size_t i = 0;
    while (i < size)
    {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        if (lead < 0x80)
        {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t value = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
        {
            length = 2;
            value = lead & 0x1F;
        }
        else if (lead >= 0xE0 && lead <= 0xEF)
        {
            length = 3;
            value = lead & 0x0F;
        }
        else if (lead >= 0xF0 && lead <= 0xF4)
        {
            length = 4;
            value = lead & 0x07;
        }
        else
        {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }

        size_t used = 1;
        bool complete = true;
        for (; used < length; ++used)
        {
            if (i + used >= size)
            {
                complete = false;
                break;
            }
            const uint8_t next = static_cast<uint8_t>(text[i + used]);
            const bool allowed = used == 1 ? SecondByteAllowed(lead, next) : (next & 0xC0) == 0x80;
            if (!allowed)
            {
                complete = false;
                break;
            }
            value = (value << 6) | (next & 0x3F);
        }
        out += static_cast<wchar_t>(complete ? value : kReplacement);
        i += used;
    }
    return out;
}

std::vector<uint8_t> WideToUtf16Le(const std::wstring& text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    auto unit = [&out](char32_t u)
    {
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    };
    ForEachCodePoint(text,
                     [&unit](char32_t c)
                     {
                         if (c < 0x10000)
                         {
                             unit(c);
                             return;
                         }
                         const char32_t offset = c - 0x10000;
                         unit(0xD800 + (offset >> 10));
                         unit(0xDC00 + (offset & 0x3FF));
                     });
    return out;
}

std::wstring Utf16LeToWide(const uint8_t* data, size_t byteCount)
{
    std::wstring out;
    if (!data)
        return out;
    const size_t unitCount = byteCount / 2;
    out.reserve(unitCount + 1);
    auto unitAt = [data](size_t index)
    { return static_cast<char32_t>(data[2 * index] | (data[2 * index + 1] << 8)); };
    for (size_t i = 0; i < unitCount; ++i)
    {
        const char32_t c = unitAt(i);
        if (IsHighSurrogate(c) && i + 1 < unitCount && IsLowSurrogate(unitAt(i + 1)))
        {
            out += static_cast<wchar_t>(CombineSurrogates(c, unitAt(i + 1)));
            ++i;
        }
        else if (IsHighSurrogate(c) || IsLowSurrogate(c))
            out += static_cast<wchar_t>(kReplacement);
        else
            out += static_cast<wchar_t>(c);
    }
    if (byteCount % 2 != 0)
        out += static_cast<wchar_t>(kReplacement);
    return out;
}
}  // namespace kplatform

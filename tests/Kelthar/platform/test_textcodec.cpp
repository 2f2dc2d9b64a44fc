#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "textcodec.h"

namespace
{
using Bytes = std::vector<uint8_t>;

std::string Hex(const std::string& text)
{
    std::string out;
    char digits[4];
    for (unsigned char c : text)
    {
        snprintf(digits, sizeof digits, "%02X ", c);
        out += digits;
    }
    return out;
}

std::string Hex(const std::wstring& text)
{
    std::string out;
    char digits[16];
    for (wchar_t c : text)
    {
        snprintf(digits, sizeof digits, "U+%04X ", static_cast<unsigned>(c));
        out += digits;
    }
    return out;
}

struct ValidCase
{
    const char* name;
    std::wstring wide;
    std::string utf8;
    Bytes utf16le;
};
}  // namespace

TEST(TextCodec, ValidTextConvertsExactlyEveryWay)
{
    const std::vector<ValidCase> cases = {
        {"empty", L"", "", {}},
        {"ASCII", L"Veltrano 1.0", "Veltrano 1.0", {'V', 0, 'e', 0, 'l', 0, 't', 0, 'r', 0, 'a', 0,
                                                    'n', 0, 'o', 0, ' ', 0, '1', 0, '.', 0, '0', 0}},
        {"Cyrillic",
         L"\x041F\x0440\x0438\x0432\x0435\x0442",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
         {0x1F, 0x04, 0x40, 0x04, 0x38, 0x04, 0x32, 0x04, 0x35, 0x04, 0x42, 0x04}},
        {"euro sign", L"\x20AC", "\xE2\x82\xAC", {0xAC, 0x20}},
        {"last BMP character", L"\xFFFF", "\xEF\xBF\xBF", {0xFF, 0xFF}},
        {"musical symbol beyond the BMP",
         L"a\U0001D11Ez",
         "a\xF0\x9D\x84\x9Ez",
         {'a', 0, 0x34, 0xD8, 0x1E, 0xDD, 'z', 0}},
        {"highest code point", L"\x10FFFF", "\xF4\x8F\xBF\xBF", {0xFF, 0xDB, 0xFF, 0xDF}},
        {"embedded NUL", std::wstring(L"a\0b", 3), std::string("a\0b", 3), {'a', 0, 0, 0, 'b', 0}},
    };
    for (const ValidCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kplatform::WideToUtf8(c.wide), c.utf8) << Hex(kplatform::WideToUtf8(c.wide));
        EXPECT_EQ(kplatform::Utf8ToWide(c.utf8), c.wide) << Hex(kplatform::Utf8ToWide(c.utf8));
        EXPECT_EQ(kplatform::WideToUtf16Le(c.wide), c.utf16le);
        EXPECT_EQ(kplatform::Utf16LeToWide(c.utf16le.data(), c.utf16le.size()), c.wide);
    }
}

// Each damaged sequence becomes one U+FFFD per maximal ill-formed part, and the text around it
// survives.
TEST(TextCodec, DamagedUtf8BecomesReplacementCharacters)
{
    const std::vector<std::pair<std::string, std::wstring>> cases = {
        {"a\x80z", L"a\xFFFDz"},
        {"\xFF\xFE", L"\xFFFD\xFFFD"},
        {"\xC3", L"\xFFFD"},                                // cut short at the end
        {"\xE2\x82", L"\xFFFD"},                            // cut short, one part
        {"\xE2\x82Z", L"\xFFFDZ"},                          // interrupted
        {"\xC0\x80", L"\xFFFD\xFFFD"},                      // overlong NUL
        {"\xE0\x80\xAF", L"\xFFFD\xFFFD\xFFFD"},            // overlong slash
        {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},            // encoded surrogate
        {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},  // above U+10FFFF
        {"\xF0\x9F\x98", L"\xFFFD"},                        // four-byte form cut short
        {"\xD0\x9F\xD1", L"\x041F\xFFFD"},
    };
    for (const auto& [utf8, wide] : cases)
    {
        SCOPED_TRACE(Hex(utf8));
        EXPECT_EQ(kplatform::Utf8ToWide(utf8), wide) << Hex(kplatform::Utf8ToWide(utf8));
    }
}

TEST(TextCodec, WideTextOutsideUnicodeBecomesReplacementCharacters)
{
    struct Case
    {
        const char* name;
        std::wstring wide;
        std::string utf8;
        Bytes utf16le;
    };
    const std::vector<Case> cases = {
        {"lone high surrogate", {L'a', wchar_t(0xD800)}, "a\xEF\xBF\xBD", {'a', 0, 0xFD, 0xFF}},
        {"lone low surrogate", {wchar_t(0xDC00), L'z'}, "\xEF\xBF\xBDz", {0xFD, 0xFF, 'z', 0}},
        {"above U+10FFFF", {wchar_t(0x110000)}, "\xEF\xBF\xBD", {0xFD, 0xFF}},
        {"negative", {wchar_t(-1)}, "\xEF\xBF\xBD", {0xFD, 0xFF}},
        // A pair that came in from UTF-16 unconverted still means the one character it encodes.
        {"surrogate pair", {wchar_t(0xD83D), wchar_t(0xDE00)}, "\xF0\x9F\x98\x80", {0x3D, 0xD8, 0x00, 0xDE}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kplatform::WideToUtf8(c.wide), c.utf8) << Hex(kplatform::WideToUtf8(c.wide));
        EXPECT_EQ(kplatform::WideToUtf16Le(c.wide), c.utf16le);
    }
}

TEST(TextCodec, DamagedUtf16BecomesReplacementCharacters)
{
    const std::vector<std::pair<Bytes, std::wstring>> cases = {
        {{'a', 0, 0x00, 0xD8}, L"a\xFFFD"},           // high surrogate at the end
        {{0x00, 0xD8, 'z', 0}, L"\xFFFDz"},           // high surrogate, no low one
        {{0x00, 0xDC, 0x00, 0xD8}, L"\xFFFD\xFFFD"},  // pair in the wrong order
        {{'A', 0, 'B'}, L"A\xFFFD"},                  // odd trailing byte
        {{'A'}, L"\xFFFD"},
    };
    for (const auto& [bytes, wide] : cases)
    {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        // A buffer of exactly this size, so that reading past it shows under the sanitizers.
        const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        EXPECT_EQ(kplatform::Utf16LeToWide(exact.get(), bytes.size()), wide)
            << Hex(kplatform::Utf16LeToWide(exact.get(), bytes.size()));
    }
    EXPECT_EQ(kplatform::Utf16LeToWide(nullptr, 8), L"");
}

// Hands arbitrary bytes to the reader of the band view's FFT correction tables (text files an operator
// drops into the data folder) and checks what it promises: no crash; one value per line, in the line's
// place, up to the limit and never past it; every value finite; a line that is no number, and a line
// too long to be read whole, counts 0.0; a plain decimal number reads as itself; a smaller limit gives
// the first values of a larger one.

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ddccorrectiontables.h"

namespace
{
// The reader takes a line whole when it fits, line feed included, into this many bytes; a longer one
// is skipped to its end and counts 0.0.
constexpr size_t kWholeLine = 1024;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Line
{
    std::string text;  // without the line feed and one carriage return before it
    bool whole;
};

// Lines as the file format defines them, counted independently of the reader.
std::vector<Line> SplitLines(const QByteArray& input)
{
    std::vector<Line> lines;
    int begin = 0;
    while (begin < input.size())
    {
        const int feed = input.indexOf('\n', begin);
        const int end = feed < 0 ? input.size() : feed;
        const int next = feed < 0 ? input.size() : feed + 1;
        std::string text(input.constData() + begin, static_cast<size_t>(end - begin));
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back({text, static_cast<size_t>(next - begin) <= kWholeLine});
        begin = next;
    }
    return lines;
}

// Blanks or tabs, an optional sign, up to nine digits, optionally a point and up to six digits, blanks
// or tabs: a number any reader takes, and exactly (fewer than 16 significant digits).
bool IsPlainDecimal(const std::string& text)
{
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos)
        return false;
    const size_t last = text.find_last_not_of(" \t");
    auto digits = [&](size_t most)
    {
        size_t n = 0;
        while (at <= last && text[at] >= '0' && text[at] <= '9')
        {
            ++at;
            ++n;
        }
        return n >= 1 && n <= most;
    };
    if (text[at] == '+' || text[at] == '-')
        ++at;
    if (!digits(9))
        return false;
    if (at <= last && text[at] == '.')
    {
        ++at;
        if (!digits(6))
            return false;
    }
    return at == last + 1;
}

// No text without a digit makes a finite number, and a NUL ends no number: the line is taken whole.
bool CannotBeANumber(const std::string& text)
{
    return text.find('\0') != std::string::npos ||
           std::none_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<double> Read(const QByteArray& input, size_t maxValues)
{
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    return CDdcCorrectionTables::Read(&buffer, maxValues);
}

void CheckTable(const std::vector<double>& values, const std::vector<Line>& lines, size_t maxValues)
{
    Check(values.size() == std::min(lines.size(), maxValues));
    for (size_t i = 0; i < values.size(); ++i)
    {
        const double value = values[i];
        const Line& line = lines[i];
        Check(std::isfinite(value));
        if (!line.whole || CannotBeANumber(line.text))
            Check(value == 0.0);
        else if (IsPlainDecimal(line.text))
            Check(value == std::strtod(line.text.c_str(), nullptr));
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const std::vector<Line> lines = SplitLines(input);

    const std::vector<double> all = Read(input, CDdcCorrectionTables::kMaxValues);
    CheckTable(all, lines, CDdcCorrectionTables::kMaxValues);

    // A limit of 0 to 15 from the first byte: reading stops early and loses nothing before it.
    const size_t limit = size == 0 ? 0 : data[0] % 16;
    const std::vector<double> first = Read(input, limit);
    CheckTable(first, lines, limit);
    Check(std::equal(first.begin(), first.end(), all.begin()));
    return 0;
}

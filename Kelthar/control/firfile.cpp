#include "firfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
// Tap counts in the order sections must come, and where the first section of each size is written.
constexpr int kTapCounts[] = {256, 128, 64, 32, 16, 8};
constexpr int kFirstOffsets[] = {0, 256, 384, 448, 480, 496};
constexpr int kSizeCount = static_cast<int>(std::size(kTapCounts));

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsLineSpace(char c)
{
    return IsBlank(c) || c == '\r' || c == '\n';
}

class CLineReader
{
public:
    CLineReader(const char* text, size_t size) : m_pos(text), m_end(text + size) {}

    bool AtEnd() const { return m_pos == m_end; }

    // One "index value" line and the blanks and line ends after it. False when a token is missing or is
    // not a whole number of its kind.
    bool ReadLine(long long& index, double& value)
    {
        while (m_pos != m_end && IsBlank(*m_pos))
            ++m_pos;
        const char* indexEnd = std::find_if(m_pos, m_end, IsBlank);
        if (indexEnd == m_pos || indexEnd == m_end)
            return false;
        const auto indexResult = std::from_chars(m_pos, indexEnd, index);
        if (indexResult.ec != std::errc() || indexResult.ptr != indexEnd)
            return false;
        m_pos = indexEnd;
        while (m_pos != m_end && IsBlank(*m_pos))
            ++m_pos;

        const char* valueEnd = std::find_if(m_pos, m_end, IsLineSpace);
        if (valueEnd == m_pos)
            return false;
        const auto valueResult = std::from_chars(m_pos, valueEnd, value);
        if (valueResult.ec != std::errc() || valueResult.ptr != valueEnd || !std::isfinite(value))
            return false;
        m_pos = valueEnd;
        while (m_pos != m_end && IsLineSpace(*m_pos))
            ++m_pos;
        return true;
    }

private:
    const char* m_pos;
    const char* m_end;
};

// Position of a tap count in kTapCounts, or -1.
int SizePosition(long long tapCount)
{
    for (int i = 0; i < kSizeCount; ++i)
        if (kTapCounts[i] == tapCount)
            return i;
    return -1;
}

int32_t Scaled(double value, double largest, double scale)
{
    // A largest value so small that its scale overflows is taken as a ratio instead.
    const double raw = std::isfinite(scale) ? value * scale : value / largest * CFirFile::kFullScale;
    const double limit = CFirFile::kFullScale;
    return static_cast<int32_t>(std::lround(std::clamp(raw, -limit, limit)));
}

bool ParseSections(const char* text, size_t size, CFirFile::Area& area, int32_t& count)
{
    CLineReader reader(text, size);
    int sectionsRead = 0;
    int previousTaps = kTapCounts[0];
    int writePos = -1;
    std::vector<double> values;
    while (!reader.AtEnd())
    {
        long long first = 0;
        double firstValue = 0.0;
        if (!reader.ReadLine(first, firstValue))
            return false;
        // The index of a section's first line is its tap count - 1. A size may repeat, but never grow:
        // a larger section after a smaller one would run past the end of the area.
        const int sizePos = first < 0 || first > kTapCounts[0] ? -1 : SizePosition(first + 1);
        if (sizePos < sectionsRead || kTapCounts[sizePos] > previousTaps)
            return false;
        const int taps = kTapCounts[sizePos];
        const int words = taps - 1;
        // Deliberately N = taps - 1 words per section, not N + 1: later sections follow on from there.
        if (writePos < 0)
            writePos = kFirstOffsets[sizePos];
        if (writePos + words > static_cast<int>(CFirFile::kAreaWords))
            return false;

        values.assign(1, firstValue);
        long long index = first;
        while (index > 0)
        {
            double value = 0.0;
            // The text ending inside a section fails here.
            if (!reader.ReadLine(index, value))
                return false;
            values.push_back(value);
        }
        if (static_cast<int>(values.size()) < words)
            return false;

        // Scaled on the largest value, not the largest magnitude: a strong negative lobe is clamped. A
        // section with nothing above 0 has no scale at all and is refused.
        const double largest = *std::max_element(values.begin(), values.end());
        if (!(largest > 0.0))
            return false;
        const double scale = CFirFile::kFullScale / largest;
        for (int i = 0; i < words; ++i)
            area[writePos + i] = Scaled(values[i], largest, scale);
        writePos += words;
        previousTaps = taps;
        ++sectionsRead;
    }
    // A text without a single section gives the device no filter.
    if (sectionsRead == 0)
        return false;
    count = writePos;
    return true;
}
}  // namespace

bool CFirFile::Parse(const char* text, size_t size, Area& area, int32_t& count)
{
    area.fill(0);
    count = 0;
    if (ParseSections(text, size, area, count))
        return true;
    area.fill(0);
    count = 0;
    return false;
}

bool CFirFile::Read(const std::string& pathUtf8, Area& area, int32_t& count)
{
    area.fill(0);
    count = 0;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(pathUtf8.c_str(), "rb"), &std::fclose);
    if (!file)
        return false;
    std::vector<char> text;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0)
        text.insert(text.end(), chunk, chunk + got);
    if (std::ferror(file.get()) || text.size() < 4)
        return false;
    return Parse(text.data(), text.size(), area, count);
}

#pragma once

#include <filesystem>
#include <string>
#include <vector>

// One #include that breaks the folder order, or a source file that lies in no folder of it.
struct LAYOUT_VIOLATION
{
    std::string file;  // relative to the root, '/' separated
    int line = 0;      // 0 for a file that lies outside the layout
    std::string include;
    std::string reason;

    std::string ToString() const;
};

// The folder order of a source tree, as its README's "Layout" section writes it down: a numbered list
// of folders from the top (the program's main window) to the bottom (the library's lowest layer), and
// a bullet list of the folders that stand outside the order (tests, forms, scripts...). A source file
// may include headers of its own folder and of the folders below it, never of one above.
class CLayoutCheck
{
public:
    // Reads the "## Layout" section of the README: "1. `app/` ..." lines give the order, "- `tests/` ..."
    // lines the folders outside it. False, with the reason in error, when there is no such section or
    // it names no folder in order.
    bool ReadReadme(const std::filesystem::path& readme, std::string* error);

    const std::vector<std::string>& Order() const { return m_order; }
    const std::vector<std::string>& Outside() const { return m_outside; }

    // Scans every top-level folder of root that is not outside the order (hidden folders and build
    // trees, the folders with a CMakeCache.txt, are skipped) and returns what breaks the order: an
    // include of a header in a folder above the includer's, an include two headers of the tree could
    // answer, and a source file in no folder of the order.
    std::vector<LAYOUT_VIOLATION> Check(const std::filesystem::path& root) const;

private:
    // The folder of the order a file lies in (the longest that holds it), or -1.
    int RankOf(const std::string& file) const;

    std::vector<std::string> m_order;  // without their trailing '/'
    std::vector<std::string> m_outside;
};

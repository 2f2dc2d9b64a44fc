#include "layoutcheck.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace
{
bool IsSource(const fs::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc";
}

bool IsSkipped(const fs::directory_entry& dir)
{
    const std::string name = dir.path().filename().string();
    // Build trees hold generated sources of every folder at once; they are not the layout.
    return name.empty() || name[0] == '.' || fs::exists(dir.path() / "CMakeCache.txt");
}

std::string StripSlash(std::string folder)
{
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string Relative(const fs::path& path, const fs::path& root)
{
    return path.lexically_relative(root).generic_string();
}

void CollectSources(const fs::path& folder, const fs::path& root, std::vector<std::string>& files)
{
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it)
    {
        if (it->is_directory() && IsSkipped(*it))
        {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && IsSource(it->path()))
            files.push_back(Relative(it->path(), root));
    }
}

// The tree's source files by name, to find the file an #include means.
using FilesByName = std::map<std::string, std::vector<std::string>>;

FilesByName IndexByName(const std::vector<std::string>& files)
{
    FilesByName byName;
    for (const std::string& file : files)
        byName[fs::path(file).filename().string()].push_back(file);
    return byName;
}

// Beside the includer first, as the compiler looks; then anywhere in the tree by the include's own path
// ("dir/x.h" names only an x.h in a folder called dir), since every folder is on the include path.
// Empty for a header the tree does not hold (a generated form, the system's); more than one when the
// name is ambiguous.
std::vector<std::string> Resolve(const std::string& includer, const std::string& include,
                                 const std::set<std::string>& files, const FilesByName& byName)
{
    const std::string beside =
        (fs::path(includer).parent_path() / include).lexically_normal().generic_string();
    if (files.count(beside) != 0)
        return {beside};
    std::vector<std::string> targets;
    const auto named = byName.find(fs::path(include).filename().string());
    if (named == byName.end())
        return targets;
    const std::string tail = "/" + include;
    for (const std::string& candidate : named->second)
    {
        if (candidate == include ||
            (candidate.size() > tail.size() &&
             candidate.compare(candidate.size() - tail.size(), tail.size(), tail) == 0))
            targets.push_back(candidate);
    }
    return targets;
}
}  // namespace

std::string LAYOUT_VIOLATION::ToString() const
{
    if (line == 0)
        return file + ": " + reason;
    return file + ":" + std::to_string(line) + ": #include \"" + include + "\": " + reason;
}

bool CLayoutCheck::ReadReadme(const fs::path& readme, std::string* error)
{
    m_order.clear();
    m_outside.clear();
    std::ifstream in(readme);
    if (!in)
    {
        *error = "cannot read " + readme.string();
        return false;
    }
    static const std::regex ordered(R"(^\s*\d+\.\s+`([^`]+)`)");
    static const std::regex outside(R"(^\s*[-*]\s+`([^`]+)`)");
    bool inSection = false;
    bool found = false;
    std::string line;
    while (std::getline(in, line))
    {
        if (line.rfind("#", 0) == 0)
        {
            inSection = line == "## Layout";
            found = found || inSection;
            continue;
        }
        if (!inSection)
            continue;
        std::smatch match;
        if (std::regex_search(line, match, ordered))
            m_order.push_back(StripSlash(match[1]));
        else if (std::regex_search(line, match, outside))
            m_outside.push_back(StripSlash(match[1]));
    }
    if (!found)
    {
        *error = readme.string() + " has no \"## Layout\" section";
        return false;
    }
    if (m_order.empty())
    {
        *error = "the \"## Layout\" section of " + readme.string() + " lists no folder in order";
        return false;
    }
    return true;
}

int CLayoutCheck::RankOf(const std::string& file) const
{
    int rank = -1;
    size_t longest = 0;
    for (size_t i = 0; i < m_order.size(); ++i)
    {
        const std::string& folder = m_order[i];
        if (file.size() > folder.size() && file.compare(0, folder.size(), folder) == 0 &&
            file[folder.size()] == '/' && folder.size() > longest)
        {
            rank = static_cast<int>(i);
            longest = folder.size();
        }
    }
    return rank;
}

std::vector<LAYOUT_VIOLATION> CLayoutCheck::Check(const fs::path& root) const
{
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(root))
    {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && IsSource(entry.path()))
            files.push_back(name);
        else if (entry.is_directory() && !IsSkipped(entry) &&
                 std::find(m_outside.begin(), m_outside.end(), name) == m_outside.end())
            CollectSources(entry.path(), root, files);
    }
    std::sort(files.begin(), files.end());
    const std::set<std::string> known(files.begin(), files.end());
    const FilesByName byName = IndexByName(files);

    std::vector<LAYOUT_VIOLATION> violations;
    static const std::regex includeLine(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const std::string& file : files)
    {
        const int rank = RankOf(file);
        if (rank < 0)
        {
            violations.push_back({file, 0, "", "lies in no folder of the layout"});
            continue;
        }
        std::ifstream in(root / file);
        std::string line;
        int lineNumber = 0;
        while (std::getline(in, line))
        {
            ++lineNumber;
            std::smatch match;
            if (!std::regex_search(line, match, includeLine))
                continue;
            const std::string include = match[1];
            const std::vector<std::string> targets = Resolve(file, include, known, byName);
            if (targets.size() > 1)
            {
                std::string all;
                for (const std::string& target : targets)
                    all += (all.empty() ? "" : ", ") + target;
                violations.push_back({file, lineNumber, include, "names more than one header: " + all});
            }
            else if (targets.size() == 1)
            {
                const int targetRank = RankOf(targets.front());
                if (targetRank >= 0 && targetRank < rank)
                {
                    violations.push_back({file, lineNumber, include,
                                          targets.front() + " lies in " + m_order[targetRank] + "/, above " +
                                              m_order[rank] + "/"});
                }
            }
        }
    }
    return violations;
}

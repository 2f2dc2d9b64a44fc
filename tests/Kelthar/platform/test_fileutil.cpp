#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "fileutil.h"
#include "tempdir.h"

namespace fs = std::filesystem;

TEST(FileUtil, DeletesFilesButNotFolders)
{
    CTempDir folder;
    const std::string file = folder.File("archive.xml.bak");
    std::ofstream(file) << "old";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_TRUE(kplatform::DeleteFileUtf8(file));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(kplatform::DeleteFileUtf8(file));

    const std::string subfolder = folder.File("images");
    ASSERT_EQ(mkdir(subfolder.c_str(), 0700), 0);
    EXPECT_FALSE(kplatform::DeleteFileUtf8(subfolder));
    EXPECT_TRUE(fs::is_directory(subfolder));

    EXPECT_FALSE(kplatform::DeleteFileUtf8(""));
    EXPECT_FALSE(kplatform::DeleteFileWide(L""));
}

// Wide names reach the file system as UTF-8, so a Cyrillic name written by the program is found.
TEST(FileUtil, WidePathsNameTheSameFilesAsUtf8)
{
    CTempDir folder;
    const std::string utf8Name = folder.File("\xD0\xB7\xD0\xB0\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C.rec");
    std::ofstream(utf8Name) << "recording";
    ASSERT_TRUE(fs::exists(utf8Name));

    std::wstring wideName(folder.Path().begin(), folder.Path().end());
    wideName += L"/\x0437\x0430\x043F\x0438\x0441\x044C.rec";
    EXPECT_TRUE(kplatform::DeleteFileWide(wideName));
    EXPECT_FALSE(fs::exists(utf8Name));
    EXPECT_FALSE(kplatform::DeleteFileWide(wideName));
}

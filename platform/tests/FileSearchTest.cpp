#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "BuildPlatform.h"
#include "platform/FileSearch.h"
#include "testsupport/TemporaryFolder.h"

namespace platform {
namespace {

std::vector<std::string> Names(std::vector<FoundFile> found) {
    // Windows gives the order of its file system; compare as sets.
    std::vector<std::string> names;
    for (const FoundFile& file : found) {
        names.push_back(file.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FileSearch : public ::testing::Test {
protected:
    FileSearch() : folder_("tolvane-search") {
        for (const char* name : {"English.mnu", "Deutsch.MNU", "EnglishText.dat", "readme.txt"}) {
            testsupport::WriteBytes(folder_.File(name), "x");
        }
        std::filesystem::create_directory(folder_.Root() / "MV-2090");
    }

    std::string Pattern(const std::string& name) const { return (folder_.Root() / name).string(); }

    testsupport::TemporaryFolder folder_;
};

TEST_F(FileSearch, FindsNamesWithoutRegardToCase) {
    EXPECT_EQ(Names(FindFiles(Pattern("*.MNU"))), (std::vector<std::string>{"Deutsch.MNU", "English.mnu"}));
}

TEST_F(FileSearch, StarListsDotEntriesAndFolders) {
    std::vector<FoundFile> found = FindFiles(Pattern("*"));
    EXPECT_EQ(Names(found), (std::vector<std::string>{".", "..", "Deutsch.MNU", "English.mnu",
                                                      "EnglishText.dat", "MV-2090", "readme.txt"}));
    for (const FoundFile& file : found) {
        EXPECT_EQ(file.isDirectory, file.name == "." || file.name == ".." || file.name == "MV-2090")
            << file.name;
    }
}

TEST_F(FileSearch, NativeOrderIgnoresCase) {
    std::vector<FoundFile> found = FindFiles(Pattern("*.*"));
    if (tests::kWindowsBuild) {
        GTEST_SKIP() << "Windows lists entries in the order of its file system";
    }
    std::vector<std::string> names;
    for (const FoundFile& file : found) {
        names.push_back(file.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "Deutsch.MNU", "English.mnu", "EnglishText.dat",
                                               "MV-2090", "readme.txt"}));
}

TEST_F(FileSearch, BackslashSeparatesFoldersOnEveryPlatform) {
    std::string pattern = folder_.Root().string() + "\\English*";
    EXPECT_EQ(Names(FindFiles(pattern)), (std::vector<std::string>{"English.mnu", "EnglishText.dat"}));
}

TEST_F(FileSearch, MissingFolderGivesNothing) {
    EXPECT_TRUE(FindFiles(Pattern("no such folder/*.mnu")).empty());
    EXPECT_TRUE(FindFiles(Pattern("*.eep")).empty());
}

}  // namespace
}  // namespace platform

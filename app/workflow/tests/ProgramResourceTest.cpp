// What the system reads from Tolvane.exe before the program runs: its manifest and its icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

namespace {

// Tolvane.exe beside this test program, loaded as data only.
class ProgramResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string program(path);
        program = program.substr(0, program.find_last_of("\\/") + 1) + "Tolvane.exe";
        module_ = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << program;
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    std::string Manifest() const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        if (found == nullptr) {
            return "";
        }
        HGLOBAL loaded = LoadResource(module_, found);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        return bytes != nullptr ? std::string(bytes, SizeofResource(module_, found)) : "";
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResourceTest, ManifestAsksForCommonControlsSix) {
    const std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << manifest;
}

// Declaring Windows 8.1 or 10 makes the system report its true version, which the driver selector
// does not know: Plexer.dll would then load no port driver on those systems.
TEST_F(ProgramResourceTest, ManifestDeclaresNoSystemAfterWindowsEight) {
    std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty());
    for (char& c : manifest) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(manifest.find("1f676c76-80e1-4239-95bb-83d0f6d0da78"), std::string::npos) << "Windows 8.1";
    EXPECT_EQ(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos)
        << "Windows 10 and 11";
    EXPECT_EQ(manifest.find("maxversiontested"), std::string::npos);
}

TEST_F(ProgramResourceTest, CarriesIcon117) {
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(117), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
}

}  // namespace

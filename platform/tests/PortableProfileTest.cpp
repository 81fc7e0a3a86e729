// Behaviour of our own implementation beyond the conformance table: the cache of parsed files, large
// and hostile files, and paths written with backslashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "platform/PortableProfile.h"
#include "testsupport/TemporaryFolder.h"

namespace platform::portable {
namespace {

std::string Read(const std::string& path, const char* section, const char* key, const char* fallback = "-") {
    char buffer[256];
    ProfileReadString(section, key, fallback, buffer, sizeof buffer, path.c_str());
    return buffer;
}

class PortableProfile : public ::testing::Test {
protected:
    PortableProfile() : folder_("tolvane-portable") {}

    std::string NumberedFile(const char* stem, int number) const {
        std::string name = stem;
        name += std::to_string(number);
        name += ".ini";
        return folder_.File(name);
    }

    testsupport::TemporaryFolder folder_;
};

TEST_F(PortableProfile, SeesAFileRewrittenAtOnceWithTheSameSize) {
    // Rewritten within one step of the file time, so size and time stay the same.
    std::string path = folder_.File("settings.ini");
    testsupport::WriteBytes(path, "[s]\r\nk=1\r\n");
    EXPECT_EQ(Read(path, "s", "k"), "1");
    testsupport::WriteBytes(path, "[s]\r\nk=2\r\n");
    EXPECT_EQ(Read(path, "s", "k"), "2");
}

TEST_F(PortableProfile, SeesOwnWritesAndDeletedFiles) {
    std::string path = folder_.File("own.ini");
    EXPECT_TRUE(ProfileWriteString("s", "k", "1", path.c_str()));
    EXPECT_EQ(Read(path, "s", "k"), "1");
    EXPECT_TRUE(ProfileWriteString("s", "k", "2", path.c_str()));
    EXPECT_EQ(Read(path, "s", "k"), "2");
    std::filesystem::remove(path);
    EXPECT_EQ(Read(path, "s", "k"), "-");
}

TEST_F(PortableProfile, SeesAFileChangedLongAgoAndRewritten) {
    std::string path = folder_.File("old.ini");
    testsupport::WriteBytes(path, "[s]\r\nk=1\r\n");
    auto past = std::filesystem::last_write_time(path) - std::chrono::hours(1);
    std::filesystem::last_write_time(path, past);
    EXPECT_EQ(Read(path, "s", "k"), "1");
    EXPECT_EQ(Read(path, "s", "k"), "1");  // now from the cache
    testsupport::WriteBytes(path, "[s]\r\nk=2\r\n");
    EXPECT_EQ(Read(path, "s", "k"), "2");
}

TEST_F(PortableProfile, KeepsSeveralFilesApart) {
    for (int i = 0; i < 12; ++i) {
        testsupport::WriteBytes(NumberedFile("f", i), std::string("[s]\r\nk=") + std::to_string(i) + "\r\n");
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(Read(NumberedFile("f", i), "s", "k"), std::to_string(i));
        }
    }
}

TEST_F(PortableProfile, AcceptsBackslashesInPaths) {
    std::filesystem::create_directory(folder_.Root() / "Parameter");
    testsupport::WriteBytes((folder_.Root() / "Parameter" / "Parameter.ini").string(),
                            "[Model]\r\nName=LQ\r\n");
    std::string path = folder_.Root().string() + "\\Parameter\\Parameter.ini";
    EXPECT_EQ(Read(path, "Model", "Name"), "LQ");
    EXPECT_TRUE(ProfileWriteString("Model", "Name", "FX", path.c_str()));
    EXPECT_EQ(Read(path, "Model", "Name"), "FX");
}

TEST_F(PortableProfile, ReadsAThousandKeysOfATenMegabyteFile) {
    std::string text = "; generated\r\n";
    int keys = 0;
    for (int section = 0; text.size() < 10 * 1024 * 1024; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 500; ++key, ++keys) {
            text += "Key" + std::to_string(key) + " = value " + std::to_string(section) + "/" +
                    std::to_string(key) + "\r\n";
        }
    }
    std::string path = folder_.File("large.ini");
    testsupport::WriteBytes(path, text);
    for (int i = 0; i < 1000; ++i) {
        int section = (i * 37) % (keys / 500);
        int key = (i * 11) % 500;
        std::string expected = "value " + std::to_string(section) + "/" + std::to_string(key);
        ASSERT_EQ(
            Read(path, ("SECTION" + std::to_string(section)).c_str(), ("key" + std::to_string(key)).c_str()),
            expected);
    }
    EXPECT_EQ(ProfileReadInt("Section3", "Missing", -1, path.c_str()), 0xFFFFFFFFu);
    EXPECT_TRUE(ProfileWriteString("Section3", "Key7", "changed", path.c_str()));
    EXPECT_EQ(Read(path, "Section3", "Key7"), "changed");
    EXPECT_EQ(Read(path, "Section3", "Key8"), "value 3/8");
}

TEST_F(PortableProfile, SurvivesBinaryGarbage) {
    std::mt19937 random(20260314);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* names[] = {"", "s", "[", "]", "=", "\x1A", "k", "\xFF\xFE"};
    for (int round = 0; round < 40; ++round) {
        std::string bytes(static_cast<std::size_t>(1 + round * 997), '\0');
        for (char& c : bytes) {
            // Plenty of the characters the parser looks at.
            int pick = byte(random);
            c = pick < 40 ? "[]=;\r\n \"'\t"[pick % 10] : static_cast<char>(byte(random));
        }
        if (round % 3 == 0) {
            bytes = std::string(round % 2 ? "\xFF\xFE" : "\xEF\xBB\xBF") + bytes;
        }
        std::string path = NumberedFile("garbage", round);
        testsupport::WriteBytes(path, bytes);
        char buffer[64];
        for (const char* section : names) {
            for (const char* key : names) {
                std::uint32_t length =
                    ProfileReadString(section, key, "d", buffer, sizeof buffer, path.c_str());
                ASSERT_LT(length, sizeof buffer);
                ProfileReadInt(section, key, 1, path.c_str());
            }
            ASSERT_LE(ProfileReadString(section, nullptr, "d", buffer, sizeof buffer, path.c_str()), 62u);
        }
        ASSERT_LE(ProfileReadString(nullptr, nullptr, "d", buffer, sizeof buffer, path.c_str()), 62u);
        ASSERT_TRUE(ProfileWriteString("s", "k", "v", path.c_str()));
        EXPECT_EQ(Read(path, "s", "k"), "v") << "round " << round;
        ASSERT_TRUE(ProfileWriteString("s", nullptr, nullptr, path.c_str()));
    }
}

// A UTF-16 file cut after an odd number of bytes: the new lines go in front of the dangling byte, so
// that they stay aligned on whole characters and read back.
TEST_F(PortableProfile, WritesANewSectionIntoAUtf16FileWithAnOddByteAtTheEnd) {
    using namespace std::string_literals;
    const std::string before = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0X"s;
    std::string path = folder_.File("odd.ini");
    testsupport::WriteBytes(path, before);
    EXPECT_TRUE(ProfileWriteString("t", "k", "w", path.c_str()));
    EXPECT_EQ(Read(path, "t", "k"), "w");
    EXPECT_EQ(Read(path, "s", "k"), "v");
    const std::string added = "[\0t\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0"s;
    EXPECT_EQ(testsupport::ReadBytes(path), before.substr(0, before.size() - 1) + added + "X");
}

// A list that does not fit ends in two NULs and gives size - 2, down to a buffer of two, where it is
// cut to nothing; only a section without keys gives the default.
TEST_F(PortableProfile, KeyNamesCutToNothingAreNoDefault) {
    std::string path = folder_.File("keys.ini");
    testsupport::WriteBytes(path, "[s]\r\nkey=1\r\n[empty]\r\n");
    char buffer[4] = {'~', '~', '~', '~'};
    EXPECT_EQ(ProfileReadString("s", nullptr, "def", buffer, 2, path.c_str()), 0u);
    EXPECT_EQ(std::string(buffer, 3), std::string("\0\0~", 3));
    EXPECT_EQ(ProfileReadString("s", nullptr, "def", buffer, 4, path.c_str()), 2u);
    EXPECT_EQ(std::string(buffer, 4), std::string("ke\0\0", 4));
    EXPECT_EQ(ProfileReadString("empty", nullptr, "def", buffer, 4, path.c_str()), 3u);
    EXPECT_STREQ(buffer, "def");
}

TEST_F(PortableProfile, FolderInsteadOfFileReadsAsMissingAndIsNotWritten) {
    std::string path = folder_.File("folder.ini");
    std::filesystem::create_directory(path);
    EXPECT_EQ(Read(path, "s", "k"), "-");
    EXPECT_FALSE(ProfileWriteString("s", "k", "v", path.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(PortableProfile, NullPathsAndBuffersAreHarmless) {
    char buffer[8] = "x";
    EXPECT_EQ(ProfileReadString("s", "k", "def", buffer, sizeof buffer, nullptr), 3u);
    EXPECT_STREQ(buffer, "def");
    EXPECT_EQ(ProfileReadString("s", "k", "def", nullptr, 8, folder_.File("a.ini").c_str()), 0u);
    EXPECT_EQ(ProfileReadInt("s", "k", 5, nullptr), 5u);
    EXPECT_FALSE(ProfileWriteString("s", "k", "v", nullptr));
    EXPECT_FALSE(ProfileWriteString("s", "k", "v", ""));
}

}  // namespace
}  // namespace platform::portable

// .eep files on disk: the exact bytes of a save, what a restore refuses, and that no failure damages
// a file that was there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "printer/EepFile.h"
#include "testsupport/TemporaryFolder.h"

namespace {

using printer::EepFileResult;

std::string Entry(std::int32_t value) {
    std::string bytes(4, '\0');
    for (int j = 0; j < 4; ++j) {
        bytes[static_cast<std::size_t>(j)] =
            static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * j)) & 0xFF);
    }
    return bytes;
}

// A file of count entries, address i holding i & 0xFF.
std::string FileOf(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += Entry(i & 0xFF);
    }
    return bytes;
}

class EepFileTest : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder{"tolv-eep"};
    printer::EepromImage image = printer::BlankEepromImage();
};

TEST_F(EepFileTest, ASaveIsExactly256LittleEndianEntries) {
    for (int i = 0; i < 256; ++i) {
        image[static_cast<std::size_t>(i)] = i & 0xFF;
    }
    image[3] = printer::kNotRead;
    ASSERT_EQ(printer::SaveEepFile(folder.File("a.eep"), image), EepFileResult::Ok);
    std::string expected = FileOf(256);
    expected.replace(12, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(folder.Read("a.eep"), expected);
    EXPECT_FALSE(std::filesystem::exists(folder.File("a.eep.tmp")));

    printer::EepromImage back = printer::BlankEepromImage();
    ASSERT_EQ(printer::LoadEepFile(folder.File("a.eep"), &back), EepFileResult::Ok);
    EXPECT_EQ(back, image);
}

TEST_F(EepFileTest, EntriesThatAreNoByteComeBackUnread) {
    std::string bytes = FileOf(256);
    bytes.replace(5 * 4, 4, Entry(300));
    bytes.replace(6 * 4, 4, Entry(-1));
    bytes.replace(7 * 4, 4, Entry(-255));
    folder.Write("b.eep", bytes);
    ASSERT_EQ(printer::LoadEepFile(folder.File("b.eep"), &image), EepFileResult::Ok);
    EXPECT_EQ(image[4], 4);
    EXPECT_EQ(image[5], printer::kNotRead);
    EXPECT_EQ(image[6], printer::kNotRead);
    EXPECT_EQ(image[7], printer::kNotRead);
    EXPECT_EQ(image[255], 255);
}

TEST_F(EepFileTest, ARestoreTakesNothingButAWholeImage) {
    folder.Write("empty.eep", "");
    folder.Write("short.eep", FileOf(256).substr(0, 1023));
    folder.Write("long.eep", FileOf(256) + "x");
    folder.Write("half.eep", FileOf(128));
    std::filesystem::create_directories(folder.Root() / "folder.eep");
    const printer::EepromImage before = image;
    for (const char* name : {"empty.eep", "short.eep", "long.eep", "half.eep"}) {
        EXPECT_EQ(printer::LoadEepFile(folder.File(name), &image), EepFileResult::WrongSize) << name;
    }
    EXPECT_EQ(printer::LoadEepFile(folder.File("missing.eep"), &image), EepFileResult::CannotOpen);
    EXPECT_EQ(printer::LoadEepFile(folder.File("folder.eep"), &image), EepFileResult::CannotOpen);
    EXPECT_EQ(printer::LoadEepFile("", &image), EepFileResult::CannotOpen);
    EXPECT_EQ(image, before) << "a refused file changes nothing";
}

TEST_F(EepFileTest, AFailedSaveLeavesTheFileThatWasThere) {
    image.fill(0x11);
    folder.Write("keep.eep", "a good backup");
    std::filesystem::permissions(folder.File("keep.eep"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(printer::SaveEepFile(folder.File("keep.eep"), image), EepFileResult::CannotWrite);
    std::filesystem::permissions(folder.File("keep.eep"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(folder.Read("keep.eep"), "a good backup");

    std::filesystem::create_directories(folder.Root() / "dir.eep");
    EXPECT_EQ(printer::SaveEepFile(folder.File("dir.eep"), image), EepFileResult::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Root() / "dir.eep"));
    EXPECT_EQ(printer::SaveEepFile(folder.File("no-such-folder/x.eep"), image), EepFileResult::CannotWrite);
    EXPECT_EQ(printer::SaveEepFile("", image), EepFileResult::CannotWrite);

    // A writable file is replaced whole.
    ASSERT_EQ(printer::SaveEepFile(folder.File("keep.eep"), image), EepFileResult::Ok);
    EXPECT_EQ(folder.Read("keep.eep").size(), printer::kEepFileSize);
}

}  // namespace

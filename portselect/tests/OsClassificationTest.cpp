#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "OsClassification.h"

namespace plexer {
namespace {

struct Row {
    std::uint32_t platformId;
    std::uint32_t major;
    std::uint32_t minor;
    const char* servicePack;
    std::uint8_t code;
    const char* driver;  // null: refused
};

platform::OsVersionInfo Version(const Row& row) {
    platform::OsVersionInfo version;
    version.platformId = row.platformId;
    version.majorVersion = row.major;
    version.minorVersion = row.minor;
    std::strncpy(version.csdVersion, row.servicePack, sizeof version.csdVersion - 1);
    return version;
}

constexpr std::uint32_t kWin32s = platform::kPlatformWin32s;
constexpr std::uint32_t k9x = platform::kPlatformWindows;
constexpr std::uint32_t kNt = platform::kPlatformNt;

const Row kRows[] = {
    {kWin32s, 3, 10, "", 0xA1, nullptr},
    {kWin32s, 9, 99, "", 0xA1, nullptr},
    {k9x, 4, 0, "", 0xA2, "Wirex95.dll"},
    {k9x, 4, 0, " B", 0xA2, "Wirex95.dll"},
    {k9x, 4, 0, "C", 0xA2, "Wirex95.dll"},  // 'C' in the first place is not the release letter
    {k9x, 4, 0, " C", 0xA3, "Wirex95.dll"},
    {k9x, 4, 10, "", 0xA4, "Wirex98.dll"},
    {k9x, 4, 10, " a", 0xA4, "Wirex98.dll"},  // the letter is compared with its case
    {k9x, 4, 10, " A", 0xA5, "Wirex98.dll"},
    {k9x, 4, 90, "", 0xA6, "Wirex98.dll"},
    {k9x, 4, 90, " A", 0xA6, "Wirex98.dll"},
    {k9x, 4, 3, "", 0x00, nullptr},
    {k9x, 5, 0, "", 0x00, nullptr},
    {kNt, 3, 51, "", 0xA7, nullptr},
    {kNt, 4, 51, "", 0xA7, nullptr},
    {kNt, 4, 0, "Service Pack 6", 0xA8, nullptr},
    {kNt, 3, 0, "", 0xA8, nullptr},
    {kNt, 4, 10, "", 0x00, nullptr},
    {kNt, 5, 0, "", 0xA9, "WirexXP.dll"},
    {kNt, 5, 1, "Service Pack 3", 0xAA, "WirexXP.dll"},
    {kNt, 5, 2, "", 0x00, nullptr},  // Server 2003
    {kNt, 5, 3, "", 0x00, nullptr},
    {kNt, 6, 0, "", 0xAB, "WirexXP.dll"},
    {kNt, 6, 1, "", 0xAB, "WirexXP.dll"},
    {kNt, 6, 3, "", 0xAB, "WirexXP.dll"},
    {kNt, 10, 0, "", 0x00, nullptr},
    {3, 6, 0, "", 0x00, nullptr},
    {platform::kPlatformLinux, 6, 1, "6.1.0-18-amd64", 0xC0, "WirexLinux.dll"},
};

TEST(ClassifyOs, EveryRowOfTheTableNamesItsCodeAndDriver) {
    for (const Row& row : kRows) {
        std::string where = std::to_string(row.platformId) + " " + std::to_string(row.major) + "." +
                            std::to_string(row.minor) + " '" + row.servicePack + "'";
        const std::uint8_t code = ClassifyOs(Version(row));
        EXPECT_EQ(code, row.code) << where;
        const DriverChoice choice = ChooseDriver(code);
        if (row.driver == nullptr) {
            EXPECT_EQ(choice.library, nullptr) << where;
        } else {
            ASSERT_NE(choice.library, nullptr) << where;
            EXPECT_STREQ(choice.library, row.driver) << where;
        }
    }
}

TEST(ChooseDriver, OnlyTheLinuxFamilyLooksBesideTheSelectorFirst) {
    EXPECT_TRUE(ChooseDriver(oscode::kLinux).besideThisLibraryFirst);
    EXPECT_FALSE(ChooseDriver(oscode::kWindowsXp).besideThisLibraryFirst);
    EXPECT_FALSE(ChooseDriver(oscode::kWindows98).besideThisLibraryFirst);
}

}  // namespace
}  // namespace plexer

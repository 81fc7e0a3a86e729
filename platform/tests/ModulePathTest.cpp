#include <gtest/gtest.h>

#include <string>

#include "BuildPlatform.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

const char kSeparator = tests::kWindowsBuild ? '\\' : '/';

TEST(ExecutableFolder, EndsWithSeparator) {
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kSeparator);
}

TEST(ExecutableFolder, OverrideGainsSeparatorAndEmptyRestores) {
    std::string real = ExecutableFolder();
    OverrideExecutableFolder("some/test/folder");
    EXPECT_EQ(ExecutableFolder(), std::string("some/test/folder") + kSeparator);
    OverrideExecutableFolder("C:\\data\\");
    EXPECT_EQ(ExecutableFolder(), "C:\\data\\");
    OverrideExecutableFolder("");
    EXPECT_EQ(ExecutableFolder(), real);
}

TEST(NativePath, TurnsBackslashesIntoTheSeparatorOfTheSystem) {
    std::string path = "Parameter\\VK-572D\\Parameter.ini";
    EXPECT_EQ(NativePath(path), tests::kWindowsBuild ? path : "Parameter/VK-572D/Parameter.ini");
    EXPECT_EQ(NativePath("/already/native"), "/already/native");
    EXPECT_EQ(NativePath(""), "");
}

}  // namespace
}  // namespace platform

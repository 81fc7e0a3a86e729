#include <gtest/gtest.h>

#include "BuildPlatform.h"
#include "platform/DynamicLibrary.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

TEST(LibraryFileName, MapsTheWindowsName) {
    if (tests::kWindowsBuild) {
        EXPECT_EQ(LibraryFileName("Plexer.dll"), "Plexer.dll");
        return;
    }
    EXPECT_EQ(LibraryFileName("Plexer.dll"), "libPlexer.so");
    EXPECT_EQ(LibraryFileName("K_QDRM4TA.DLL"), "libK_QDRM4TA.so");
    EXPECT_EQ(LibraryFileName("ChanLink"), "libChanLink.so");
    EXPECT_EQ(LibraryFileName("sub\\Wirex98.dll"), "sub/libWirex98.so");
    EXPECT_EQ(LibraryFileName("libalready.so"), "libalready.so");
}

TEST(DynamicLibrary, LoadsOurLibraryByItsWindowsNameAndCallsIt) {
    LibraryHandle library = LoadSharedLibrary("TolvTestLib.dll");
    ASSERT_NE(library, nullptr);
    auto answer = reinterpret_cast<int (*)(int)>(FindLibraryFunction(library, "TolvaneTestAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(1), 42);
    EXPECT_EQ(FindLibraryFunction(library, "NoSuchFunction"), nullptr);
    FreeSharedLibrary(library);
}

TEST(DynamicLibrary, FindsTheLibraryBesideTheProgramWhileTheFolderIsOverridden) {
    OverrideExecutableFolder("no/such/folder");
    LibraryHandle library = LoadSharedLibrary("TolvTestLib.dll");
    OverrideExecutableFolder("");
    EXPECT_NE(library, nullptr);
    FreeSharedLibrary(library);
}

TEST(DynamicLibrary, MissingLibraryOrFunctionGivesNull) {
    EXPECT_EQ(LoadSharedLibrary("NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(FindLibraryFunction(nullptr, "TolvaneTestAnswer"), nullptr);
    FreeSharedLibrary(nullptr);
}

}  // namespace
}  // namespace platform

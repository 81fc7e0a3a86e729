#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BuildPlatform.h"
#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/ModulePath.h"
#include "testsupport/MessageRecorder.h"

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

// The port drivers, the channel library and the device-driver library are loaded by name and wait on
// the clock and show messages from inside: they must share the loading program's clock and presenter.
TEST(DynamicLibrary, ALoadedLibrarySharesTheProgramsClockAndPresenter) {
    VirtualClock clock;
    ScopedClock useClock(clock);
    testsupport::MessageRecorder recorder;
    LibraryHandle library = LoadSharedLibrary("TolvTestLib.dll");
    ASSERT_NE(library, nullptr);
    auto waitAndTell = reinterpret_cast<std::uint32_t (*)(std::uint32_t, const char*)>(
        FindLibraryFunction(library, "TolvaneTestWaitAndTell"));
    ASSERT_NE(waitAndTell, nullptr);

    EXPECT_EQ(waitAndTell(51000, "Printer is ready."), 51000u);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 51000u);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Printer is ready."});
    FreeSharedLibrary(library);
}

TEST(DynamicLibrary, MissingLibraryOrFunctionGivesNull) {
    EXPECT_EQ(LoadSharedLibrary("NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(FindLibraryFunction(nullptr, "TolvaneTestAnswer"), nullptr);
    FreeSharedLibrary(nullptr);
}

}  // namespace
}  // namespace platform

// Starting a program and waiting for it. The Linux build runs small shell programs of the test's own;
// the Windows build starts the flashing program in the firmware page's tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BuildPlatform.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "testsupport/TemporaryFolder.h"

namespace platform {
namespace {

TEST(ProgramFileName, IsTheWindowsNameOnWindowsAndTheLowerCaseStemOnLinux) {
    if (tests::kWindowsBuild) {
        EXPECT_EQ(ProgramFileName("Kindler.exe"), "Kindler.exe");
        return;
    }
    EXPECT_EQ(ProgramFileName("Kindler.exe"), "kindler");
    EXPECT_EQ(ProgramFileName("Kindler.EXE"), "kindler");
    EXPECT_EQ(ProgramFileName("vprinter"), "vprinter");
    EXPECT_EQ(ProgramFileName(".exe"), ".exe");
}

TEST(StartProgram, AProgramThatIsNotThereGivesNoHandle) {
    testsupport::TemporaryFolder folder;
    EXPECT_EQ(StartProgram(folder.File(ProgramFileName("Missing.exe")), folder.Path()), nullptr);
    EXPECT_EQ(WaitForProgram(nullptr, 100), ProgramWait::Failed);
    CloseProgram(nullptr);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (tests::kWindowsBuild) {
            GTEST_SKIP() << "shell programs are a Linux matter";
        }
    }

    // An executable shell program in the folder.
    std::string Program(const std::string& name, const std::string& body) {
        folder_.Write(name, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(folder_.File(name), std::filesystem::perms::owner_all);
        return folder_.File(name);
    }

    testsupport::TemporaryFolder folder_{"tolv-process"};
};

TEST_F(ProgramTest, RunsInTheWorkingFolderAndReportsItsExitCode) {
    const std::string program = Program("work", "pwd > where.txt\nexit 3");
    ProgramHandle started = StartProgram(program, folder_.Path());
    ASSERT_NE(started, nullptr);
    int exitCode = -1;
    ProgramWait wait = ProgramWait::Running;
    while ((wait = WaitForProgram(started, 100, &exitCode)) == ProgramWait::Running) {
    }
    EXPECT_EQ(wait, ProgramWait::Ended);
    EXPECT_EQ(exitCode, 3);
    // Asked again, the ended program keeps its answer.
    EXPECT_EQ(WaitForProgram(started, 0, &exitCode), ProgramWait::Ended);
    EXPECT_EQ(exitCode, 3);
    CloseProgram(started);
    EXPECT_EQ(
        std::filesystem::path(folder_.Read("where.txt").substr(0, folder_.Read("where.txt").size() - 1)),
        std::filesystem::canonical(folder_.Root()));
}

TEST_F(ProgramTest, AWaitThatRunsOutSaysTheProgramStillRuns) {
    // The program waits until the test lets it end by creating the file.
    const std::string program = Program("waiter", "while [ ! -e go ]; do sleep 0.01; done");
    VirtualClock clock;
    ScopedClock useClock(clock);
    ProgramHandle started = StartProgram(program, folder_.Path());
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(WaitForProgram(started, 100), ProgramWait::Running);
    EXPECT_GE(clock.ElapsedMilliseconds(), 100u);
    folder_.Write("go", "");
    while (WaitForProgram(started, 100) == ProgramWait::Running) {
    }
    CloseProgram(started);
}

TEST_F(ProgramTest, AMissingWorkingFolderOrAFileThatIsNoProgramGivesNoHandle) {
    const std::string program = Program("ok", "exit 0");
    EXPECT_EQ(StartProgram(program, folder_.File("nowhere")), nullptr);
    folder_.Write("data", "not a program");
    EXPECT_EQ(StartProgram(folder_.File("data"), folder_.Path()), nullptr);
}

}  // namespace
}  // namespace platform

// The print folder: PNG pages named by printer, time and number, and one log per job.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "RenderTestSupport.h"
#include "platform/Clock.h"
#include "render/VirtualPrintout.h"
#include "testsupport/TemporaryFolder.h"

using namespace vprinter::render;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

PrinterSettings Settings() {
    PrinterSettings settings;
    settings.printerName = "VK-572D USB1";
    settings.columns = 80;
    return settings;
}

TEST(PrintFolder, WritesEachPageAsPngAndALogPerJob) {
    platform::VirtualClock clock({2026, 3, 4, 9, 5, 6});
    platform::ScopedClock scoped(clock);
    testsupport::TemporaryFolder folder;
    FakeMechanics mechanics;
    VirtualPrintout printout(Settings(), mechanics, folder.Path());
    printout.Receive(Text("Hello\r\n") + B({0x0C}) + Text("World\r\n"));
    printout.EndJob();
    const auto& files = printout.Folder().Files();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(FileName(files[0]), "VK-572D-USB1_20260304-090506_page0001.png");
    EXPECT_EQ(FileName(files[1]), "VK-572D-USB1_20260304-090506_page0002.png");
    EXPECT_EQ(FileName(files[2]), "VK-572D-USB1_20260304-090506_job0001.txt");
    EXPECT_EQ(Contents(files[0]).substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    const std::string log = Contents(files[2]);
    EXPECT_NE(log.find("Job 1 on VK-572D USB1, 2026-03-04 09:05:06"), std::string::npos) << log;
    EXPECT_NE(log.find("| Hello"), std::string::npos) << log;
    EXPECT_NE(log.find("page0001.png (left the printer)"), std::string::npos) << log;
    EXPECT_NE(log.find("page0002.png (still in the printer)"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(files[0] + ".part"));
}

TEST(PrintFolder, ASheetPrintedOnAgainKeepsItsName) {
    platform::VirtualClock clock({2026, 3, 4, 9, 5, 6});
    platform::ScopedClock scoped(clock);
    testsupport::TemporaryFolder folder;
    FakeMechanics mechanics;
    VirtualPrintout printout(Settings(), mechanics, folder.Path());
    printout.Receive(Text("one\r\n"));
    printout.EndJob();
    clock.Advance(61000);
    printout.Receive(Text("two\r\n"));
    printout.EndJob();
    const auto& files = printout.Folder().Files();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(FileName(files[0]), "VK-572D-USB1_20260304-090506_page0001.png");
    EXPECT_EQ(FileName(files[2]), "VK-572D-USB1_20260304-090607_job0002.txt");
}

TEST(PrintFolder, PrinterNamesBecomePlainFileNames) {
    EXPECT_EQ(PrintFolder::FileNamePart("VK-572D USB1"), "VK-572D-USB1");
    EXPECT_EQ(PrintFolder::FileNamePart("a/b\\c:d"), "a-b-c-d");
    EXPECT_EQ(PrintFolder::FileNamePart(""), "printer");
}

}  // namespace

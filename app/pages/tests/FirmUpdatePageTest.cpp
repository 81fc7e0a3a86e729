// The firmware update page: the flashing program started from the program's folder and waited for,
// and the LPT file sender with its messages, checked at the virtual printer.
#include <filesystem>
#include <string>
#include <vector>

#include "ServicePageFixture.h"
#include "config/CTolvAppParam.h"
#include "pages/CHeronFirmUpdatePage.h"
#include "platform/ModulePath.h"
#include "printer/FirmwareFileSender.h"
#include "testsupport/TemporaryFolder.h"

namespace pagetest {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char kFinish[] = "click 12325\n";

#ifdef _WIN32
// Under Wine the flashing program opens real windows that nobody answers.
constexpr bool kStartsRealPrograms = false;
#else
constexpr bool kStartsRealPrograms = true;
#endif

// A file of `size` bytes that differ from their neighbours.
std::string FirmwareImage(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    return bytes;
}

// A path as a scenario's quoted text writes it: a Windows path's backslashes doubled.
std::string Quoted(const std::string& path) {
    std::string quoted;
    for (char c : path) {
        quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return quoted;
}

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The page with the main firmware sender shown, as a configuration with the sender would have it.
class SenderPage : public CHeronFirmUpdatePage {
public:
    bool OnInitDialog() override {
        CHeronFirmUpdatePage::OnInitDialog();
        for (int id : {1009, 1052, 1175, 1209, 1210}) {
            GetDlgItem(id).ShowWindow(true);
        }
        return true;
    }
};

class FirmUpdatePageTest : public ServicePageTest {
protected:
    FirmUpdatePageTest() { ports_.AddPrinter("LPT1", "VK-572D"); }
    ~FirmUpdatePageTest() override { platform::OverrideExecutableFolder(folder_.Path()); }

    testsupport::TemporaryFolder files_{"tolv-firmware"};
};

TEST_F(FirmUpdatePageTest, OnlyTheUpdateAndItsInstructionsAreOffered) {
    CHeronFirmUpdatePage page;
    Run(page,
        "expect-visible 1215 yes\nexpect-visible 1211 yes\nexpect-visible 1213 yes\n"
        "expect-visible 1009 no\nexpect-visible 1052 no\nexpect-visible 1175 no\nexpect-visible 1209 no\n"
        "expect-visible 1210 no\nexpect-visible 1174 no\nexpect-visible 1207 no\nexpect-visible 1208 no\n" +
            std::string(kFinish));
}

TEST_F(FirmUpdatePageTest, EnterStartsTheFlashingProgramBesideTheProgramAndWaitsForIt) {
    if (!kStartsRealPrograms) {
        GTEST_SKIP() << "the Windows build starts it in the Wine scenario";
    }
    // The flashing program of the build, in the test programs' folder: without a technician it
    // chooses no file and ends with an error code, which is its own affair.
    static const int here = 0;
    const std::string programs = platform::ModuleFolderContaining(&here);
    ASSERT_TRUE(std::filesystem::exists(platform::NativePath(programs + "kindler")));
    platform::OverrideExecutableFolder(programs);
    CHeronFirmUpdatePage page;
    Run(page, "click 1211\n" + std::string(kFinish));

    // A stand-in that takes its time, in a folder of its own: Enter returns only after it ended, and
    // it ran in that folder.
    files_.Write("kindler", "#!/bin/sh\nsleep 0.3\npwd > ran.txt\nexit 3\n");
    std::filesystem::permissions(files_.File("kindler"), std::filesystem::perms::owner_all);
    platform::OverrideExecutableFolder(files_.Path());
    CHeronFirmUpdatePage second;
    Run(second, "click 1211\n" + std::string(kFinish));
    ASSERT_TRUE(std::filesystem::exists(files_.File("ran.txt")));
    const std::string ran = files_.Read("ran.txt");
    EXPECT_EQ(std::filesystem::path(ran.substr(0, ran.size() - 1)),
              std::filesystem::canonical(files_.Root()));
}

TEST_F(FirmUpdatePageTest, AMissingFlashingProgramIsReported) {
    platform::OverrideExecutableFolder(files_.Path());
    CHeronFirmUpdatePage page;
    Run(page,
        "click 1211\nexpect-text 1005@118 \"Cannot start Kindler.exe\"\nclick 2@118\nexpect-enabled 1211 "
        "yes\n" +
            std::string(kFinish));
}

TEST_F(FirmUpdatePageTest, SendGoesToAnLptPrinterOnlyAndSaysWhyNot) {
    files_.Write("main.rcc", FirmwareImage(2048));
    const std::string path = Quoted(files_.File("main.rcc"));
    SenderPage onUsb;
    // Browse fills the field and enables Send; on USB1 nothing is opened.
    Run(onUsb, "expect-enabled 1210 no\nclick 1209\nfile \"" + path + "\"\nexpect-text 1175 \"" + path +
                   "\"\nexpect-enabled 1210 yes\nclick 1210\nanswer ok \"Bad Interface, must LPT\"\n"
                   "answer ok \"Failed to send file\"\n" +
                   kFinish);
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
    EXPECT_EQ(ports_.OpenCount("LPT1"), 0);

    CTolvAppParam::Instance()->strPortName = "LPT1";
    SenderPage onLpt;
    Run(onLpt, "type 1175 \"" + path + "\"\nclick 1210\ntype 1175 \"\"\nexpect-enabled 1210 no\n" + kFinish);
    EXPECT_EQ(ports_.Written("LPT1"), AsBytes(FirmwareImage(2048)));
    EXPECT_EQ(ports_.OpenNow("LPT1"), 0);
}

TEST_F(FirmUpdatePageTest, TheFileGoesWholeInChunksOrTheSendFails) {
    // Exactly two chunks, then a short last one.
    files_.Write("two.rcc", FirmwareImage(2048));
    EXPECT_EQ(printer::SendFileToPort(files_.File("two.rcc"), "LPT1"), printer::FileSendOutcome::Sent);
    files_.Write("short.rcc", FirmwareImage(2500));
    EXPECT_EQ(printer::SendFileToPort(files_.File("short.rcc"), "LPT1"), printer::FileSendOutcome::Sent);
    files_.Write("empty.rcc", "");
    EXPECT_EQ(printer::SendFileToPort(files_.File("empty.rcc"), "LPT1"), printer::FileSendOutcome::Sent);
    EXPECT_EQ(ports_.Written("LPT1"), AsBytes(FirmwareImage(2048) + FirmwareImage(2500)));
    EXPECT_EQ(ports_.OpenNow("LPT1"), 0);

    // Refused before anything is opened.
    EXPECT_EQ(printer::SendFileToPort("", "LPT1"), printer::FileSendOutcome::EmptyPath);
    EXPECT_EQ(printer::SendFileToPort(files_.File("two.rcc"), "USB1"),
              printer::FileSendOutcome::NotParallelPort);
    EXPECT_EQ(printer::SendFileToPort(files_.File("none.rcc"), "LPT1"),
              printer::FileSendOutcome::FileNotOpened);
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);

    // A printer that does not open: the send fails and nothing reaches it.
    const std::size_t before = ports_.Written("LPT1").size();
    ports_.Control("LPT1", "offline=refuse");
    EXPECT_NE(printer::SendFileToPort(files_.File("two.rcc"), "LPT1"), printer::FileSendOutcome::Sent);
    EXPECT_EQ(ports_.Written("LPT1").size(), before);
    EXPECT_EQ(ports_.OpenNow("LPT1"), 0);
}

}  // namespace
}  // namespace pagetest

// Kindler's whole run, headless: the scripted technician answers the open-file dialog, the driver
// selector finds the virtual printer (served in this process on loopback) and the outcome is the
// message the technician would see. Everything waits on a virtual clock.
#include <gtest/gtest.h>

#include <string>

#include "FirmwareFlasher.h"
#include "platform/Clock.h"
#include "platform/Device.h"
#include "platform/VirtualPrinterClient.h"
#include "protocol/FirmwareImage.h"
#include "testsupport/MessageRecorder.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

namespace firmware = protocol::firmware;

class KindlerFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
    }

    // Runs Kindler with the technician's steps; returns its exit code.
    int Run(const std::string& steps) {
        std::string error;
        auto parsed = ui::Scenario::Parse(steps, &error);
        EXPECT_TRUE(parsed.has_value()) << error;
        scenario = std::move(*parsed);
        headless.AttachScenario(&scenario);
        const int code = kindler::RunKindler();
        headless.AttachScenario(nullptr);
        EXPECT_EQ(scenario.Report(), "");
        return code;
    }
    // The scenario step that chooses the file; a Windows path's backslashes are escaped in its quotes.
    std::string Choose(const std::string& name) {
        std::string step = "file \"";
        for (const char c : files.File(name)) {
            step += c == '\\' ? std::string("\\\\") : std::string(1, c);
        }
        return step + "\"\n";
    }
    void WriteImage(const std::string& name, const std::string& version, std::size_t size) {
        const auto image = firmware::BuildImage(version, std::vector<std::uint8_t>(size, 0xC3));
        files.Write(name, std::string(image.begin(), image.end()));
    }
    // A field of the printer's report ("rom", "bytes-received").
    std::string PrinterField(const std::string& key) {
        std::string answer;
        if (printers.Control("USB2", "get", &answer) != platform::VirtualPrinterClient::Result::Ok) {
            return "(no answer: " + answer + ")";
        }
        const std::size_t at = answer.find(key + "=");
        return at == std::string::npos
                   ? ""
                   : answer.substr(at + key.size() + 1, answer.find('\n', at) - at - key.size() - 1);
    }
    void Control(const std::string& words) {
        std::string answer;
        ASSERT_EQ(printers.Control("USB2", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
        ASSERT_EQ(answer.rfind("OK", 0), 0u) << answer;
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    ui::HeadlessBackend headless;
    ui::ScopedBackend scopedBackend{headless};
    testsupport::MessageRecorder messages;
    testsupport::TemporaryFolder state{"kindler-state"};
    testsupport::TemporaryFolder files{"kindler-files"};
    ui::Scenario scenario;
    // The printer sits on the second USB port: the first answers nothing.
    vprinter::LoopbackPrinters printers{{"USB2=VK-572D"}, state.Path()};
};

TEST_F(KindlerFlow, AChosenFileReachesThePrinterAndItsNewRomVersionIsReported) {
    WriteImage("main.rcc", "2.10", 20000);
    ASSERT_EQ(PrinterField("rom"), "1.00");
    EXPECT_EQ(Run(Choose("main.rcc")), 0);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{
                  "The firmware was updated.\nThe printer on USB2 now runs ROM version 2.10."});
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(PrinterField("rom"), "2.10");
}

TEST_F(KindlerFlow, CancellingTheFileDialogSendsNothing) {
    const std::string before = PrinterField("bytes-received");
    EXPECT_EQ(Run("file cancel\n"), 1);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"No firmware file was chosen; nothing was sent to the printer."});
    EXPECT_EQ(PrinterField("bytes-received"), before);
    EXPECT_EQ(PrinterField("rom"), "1.00");
}

TEST_F(KindlerFlow, AFileThatIsNotAFirmwareImageIsNamedAndNothingIsSent) {
    WriteImage("main.rcc", "2.10", 500);
    std::string bytes = files.Read("main.rcc");
    bytes[firmware::kHeaderSize + 7] ^= 0x01;
    files.Write("damaged.rcc", bytes);
    const std::string before = PrinterField("bytes-received");

    EXPECT_EQ(Run(Choose("damaged.rcc")), 2);
    EXPECT_EQ(Run(Choose("missing.rcc")), 2);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[0], files.File("damaged.rcc") +
                                       "\nis not a firmware image: its checksum does not match: the file is "
                                       "damaged.\nNothing was sent to the printer.");
    EXPECT_EQ(messages.Texts()[1],
              "Cannot read the file\n" + files.File("missing.rcc") + "\nNothing was sent to the printer.");
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_EQ(PrinterField("bytes-received"), before);
}

TEST_F(KindlerFlow, NoPrinterOnAnyPortIsSaidClearly) {
    WriteImage("main.rcc", "2.10", 500);
    const platform::ScopedDeviceBackend nothing(platform::NullDeviceBackend());
    EXPECT_EQ(Run(Choose("main.rcc")), 3);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"No printer answered on USB1 to USB127 or LPT1 to LPT3.\n"
                                       "Connect the printer, switch it on and try again."});
}

TEST_F(KindlerFlow, ALineThatDropsOrAPrinterThatAnswersNoiseIsATransferFailure) {
    WriteImage("main.rcc", "2.10", 20000);
    Control("drop-after=5000");
    EXPECT_EQ(Run(Choose("main.rcc")), 4);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(
        messages.Texts()[0].rfind("Sending the firmware to the printer on USB2 failed (I/O error -81).", 0),
        0u)
        << messages.Texts()[0];

    Control("garbage=1");
    EXPECT_EQ(Run(Choose("main.rcc")), 4);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1].rfind("The printer on USB2 did not confirm the firmware.", 0), 0u)
        << messages.Texts()[1];
}

}  // namespace

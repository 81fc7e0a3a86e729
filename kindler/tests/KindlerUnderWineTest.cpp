// Kindler.exe itself, as the firmware page starts it: no parameters, its own folder, real windows.
// The scripted technician (TOLVANE_SCENARIO) chooses the file and answers the closing message; the
// virtual printer is served by this test on loopback and reached through TOLVANE_VPRINTER. Windows
// build only, under Wine on a display.
#include <gtest/gtest.h>
#include <process.h>
#include <stdlib.h>

#include <string>

#include "platform/ModulePath.h"
#include "platform/VirtualPrinterClient.h"
#include "protocol/FirmwareImage.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

namespace firmware = protocol::firmware;

// A text in a scenario's double quotes.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        if (c == '\n') {
            quoted += "\\n";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

class KindlerUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        _putenv(("TOLVANE_VPRINTER=" + printers.Address()).c_str());
    }
    void TearDown() override {
        _putenv("TOLVANE_VPRINTER=");
        _putenv("TOLVANE_SCENARIO=");
    }
    int RunKindler(const std::string& scenario) {
        files.Write("run.scenario", scenario);
        _putenv(("TOLVANE_SCENARIO=" + files.File("run.scenario")).c_str());
        const std::string program = platform::ExecutableFolder() + "Kindler.exe";
        return static_cast<int>(_spawnl(_P_WAIT, program.c_str(), "Kindler.exe", nullptr));
    }
    std::string Rom() {
        std::string answer;
        if (printers.Control("USB1", "get", &answer) != platform::VirtualPrinterClient::Result::Ok) {
            return "(no answer: " + answer + ")";
        }
        const std::size_t at = answer.find("rom=");
        return at == std::string::npos ? "" : answer.substr(at + 4, answer.find('\n', at) - at - 4);
    }

    testsupport::TemporaryFolder state{"kindler-wine-state"};
    testsupport::TemporaryFolder files{"kindler-wine-files"};
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, state.Path()};
};

TEST_F(KindlerUnderWine, TheTechnicianChoosesAFileAndThePrinterRunsTheNewFirmware) {
    const auto image = firmware::BuildImage("3.01", std::vector<std::uint8_t>(64 * 1024, 0x3C));
    files.Write("main.rcc", std::string(image.begin(), image.end()));
    EXPECT_EQ(RunKindler("file " + Quoted(files.File("main.rcc")) + "\nanswer ok " +
                         Quoted("The firmware was updated.\nThe printer on USB1 now runs ROM version 3.01.") +
                         "\n"),
              0);
    EXPECT_EQ(Rom(), "3.01");
}

TEST_F(KindlerUnderWine, CancellingSendsNothing) {
    EXPECT_EQ(RunKindler("file cancel\nanswer ok " +
                         Quoted("No firmware file was chosen; nothing was sent to the printer.") + "\n"),
              1);
    EXPECT_EQ(Rom(), "1.00");
}

}  // namespace

// The built tolvane on this machine's own device back-end: no virtual printer server named, so USB
// printer 1 is usb/lp0 of the device folder, reached through the port driver library, and behind that
// node a VK-572D model answers through a pseudo-terminal. Every check is against what the model holds.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "ProgramBesidePrinter.h"
#include "PseudoTerminalPrinter.h"
#include "platform/Device.h"
#include "vprinter/model/ControlVerb.h"

namespace clitest {
namespace {

// Real time: the program runs in its own process, on the real clock.
constexpr unsigned kRunLimitMilliseconds = 60000;

class PseudoDeviceCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(printer.Error(), ""); }

    // tolvane with the words, against this folder's devices only.
    ProgramRun Tolvane(const std::vector<std::string>& words) {
        const EnvironmentChanges environment = {{platform::kDeviceFolderVariable, devices.Path()},
                                                {platform::kVirtualPrinterVariable, ""}};
        return RunBesidePrinter(TOLVANE_PROGRAM, words, environment, printer, kRunLimitMilliseconds);
    }
    ProgramRun OnUsb1(std::vector<std::string> words) {
        words.insert(words.begin(), {"--port", "USB1", "--profile", "VK-572D"});
        return Tolvane(words);
    }
    void Poke(int address, int value) {
        const std::string word = "poke=" + std::to_string(address) + ":" + std::to_string(value);
        ASSERT_TRUE(vprinter::ApplyControl(printer.Printer(), word).ok) << word;
    }
    int Held(int address) {
        std::uint8_t value = 0;
        EXPECT_TRUE(printer.Printer().Core().EepromImage().Read(address, &value)) << address;
        return value;
    }

    testsupport::TemporaryFolder devices{"tolv-pseudo-devices"};
    PseudoTerminalPrinter printer{devices, "VK-572D", 1};
};

// The numbers of the "bytes" array of a dump's JSON object.
std::vector<int> JsonBytes(const std::string& json) {
    std::vector<int> bytes;
    const std::size_t open = json.find("\"bytes\":[");
    const std::size_t close = json.find(']', open);
    if (open == std::string::npos || close == std::string::npos) {
        return bytes;
    }
    std::istringstream list(json.substr(open + 9, close - open - 9));
    for (std::string number; std::getline(list, number, ',');) {
        bytes.push_back(std::stoi(number));
    }
    return bytes;
}

TEST_F(PseudoDeviceCommands, InfoShowsWhatThePrinterBehindTheNodeReports) {
    // The serial's last characters changed at the printer: the output can only come from it.
    const int serial = printer.Printer().Core().Profile().usbSerialAddress;
    Poke(serial + 12, '4');
    Poke(serial + 13, '2');

    const ProgramRun text = OnUsb1({"info"});
    ASSERT_EQ(text.status, tolvane_cli::kExitSuccess) << text.err;
    EXPECT_NE(text.out.find("Device ID:           ORLEX VK-572D\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("USB S/No.:           VPRTUSB1000042\n"), std::string::npos) << text.out;
    EXPECT_EQ(printer.Opens(), 1);

    // Without --port: the first printer found, by the model its node reports.
    const ProgramRun json = Tolvane({"--profile", "VK-572D", "info", "--json"});
    ASSERT_EQ(json.status, tolvane_cli::kExitSuccess) << json.err;
    EXPECT_EQ(json.out.rfind("{\"port\":\"USB1\",\"profile\":\"VK-572D\",", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"model\":\"VK-572D\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"usbSerial\":\"VPRTUSB1000042\""), std::string::npos) << json.out;
}

TEST_F(PseudoDeviceCommands, DumpHoldsEveryByteThePrinterHolds) {
    Poke(0x12, 0xA5);
    Poke(0x13, 0x00);
    Poke(0x80, 0x7F);
    Poke(0xFF, 0x01);

    const ProgramRun json = OnUsb1({"eeprom", "dump", "--json"});
    ASSERT_EQ(json.status, tolvane_cli::kExitSuccess) << json.err;
    EXPECT_EQ(json.out.rfind("{\"from\":0,\"to\":255,", 0), 0u) << json.out;
    const std::vector<int> bytes = JsonBytes(json.out);
    ASSERT_EQ(bytes.size(), 256u) << json.out;
    for (int address = 0; address < 256; ++address) {
        EXPECT_EQ(bytes[static_cast<std::size_t>(address)], Held(address)) << "address " << address;
    }
    EXPECT_EQ(bytes[0x12], 0xA5);
    EXPECT_EQ(bytes[0x80], 0x7F);

    // The plain dump: the header, the rule, and sixteen rows of what the printer holds.
    std::string expected = "ADDR  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \n" + std::string(56, '-');
    for (int row = 0; row < 16; ++row) {
        char cells[64] = {};
        std::snprintf(cells, sizeof cells, "\n %X0  ", row);
        expected += cells;
        for (int column = 0; column < 16; ++column) {
            std::snprintf(cells, sizeof cells, " %02X", Held(row * 16 + column));
            expected += cells;
        }
    }
    const ProgramRun text = OnUsb1({"eeprom", "dump"});
    ASSERT_EQ(text.status, tolvane_cli::kExitSuccess) << text.err;
    EXPECT_EQ(text.out, expected + "\n");

    const ProgramRun range = OnUsb1({"eeprom", "dump", "--from", "0x12", "--to", "0x13", "--json"});
    ASSERT_EQ(range.status, tolvane_cli::kExitSuccess) << range.err;
    EXPECT_EQ(range.out, "{\"from\":18,\"to\":19,\"bytes\":[165,0]}\n");
    // Each run opened the printer once and closed it when the program ended.
    EXPECT_EQ(printer.Opens(), 3);
}

TEST_F(PseudoDeviceCommands, APortWithoutANodeHasNoPrinter) {
    const ProgramRun info = Tolvane({"--port", "USB2", "--profile", "VK-572D", "info"});
    EXPECT_EQ(info.status, tolvane_cli::kExitNoPrinter) << info.err;
    const ProgramRun dump = Tolvane({"--port", "USB2", "--profile", "VK-572D", "eeprom", "dump"});
    EXPECT_NE(dump.status, tolvane_cli::kExitSuccess) << dump.err;
    EXPECT_EQ(info.out + dump.out, "");
    EXPECT_EQ(printer.Opens(), 0);
}

}  // namespace
}  // namespace clitest

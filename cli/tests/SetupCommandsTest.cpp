// The setting-up commands run whole against virtual printers: the serial number and the initial
// setting checked byte by byte in the printer's EEPROM, the print tests by the pages printed, the
// firmware by the version the printer runs afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliOverTcp.h"
#include "ExitCodes.h"
#include "FirmwareTransfer.h"
#include "InitialSettingBytes.h"
#include "PrintTestNames.h"
#include "TolvaneCommandLine.h"
#include "protocol/FirmwareImage.h"

namespace {

using clitest::CliRun;
using tolvane_cli::kExitFailed;
using tolvane_cli::kExitSuccess;
using tolvane_cli::kExitUsage;
using tolvane_cli::kExitVerifyFailed;

constexpr int kSerialAddress = 0xE0;  // the VK-572D's first serial byte
constexpr int kSerialLength = 18;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SetupCommands : public clitest::CliOverTcp {
protected:
    std::string SerialHeld(const std::string& printer = "USB1") {
        std::string held;
        for (int i = 0; i < kSerialLength; ++i) {
            held += static_cast<char>(Peek(kSerialAddress + i, printer));
        }
        return held;
    }

    // The lines the printer has fed since it was switched on.
    long LinesFed(const std::string& printer = "USB1") {
        const std::string state = Control("get", printer);
        const std::size_t at = state.find("lines-fed=");
        return at == std::string::npos ? -1 : std::stol(state.substr(at + 10));
    }

    // A refusal: exit 2, the words in the message, and nothing changed at the printer.
    void ExpectRefused(const std::vector<std::string>& arguments, const std::vector<std::string>& words) {
        const std::string serialBefore = SerialHeld();
        const int pagesBefore = PagesPrinted();
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments.back() << "\n" << run.err;
        for (const std::string& word : words) {
            EXPECT_TRUE(Has(run.err, word)) << "'" << word << "' not in: " << run.err;
        }
        EXPECT_EQ(SerialHeld(), serialBefore);
        EXPECT_EQ(PagesPrinted(), pagesBefore);
        EXPECT_TRUE(Backups().empty());
    }
};

TEST_F(SetupCommands, SerialWriteStoresTheCharactersThenZerosAndSerialReadGivesThemBack) {
    CliRun run = Run({"serial", "write", "ABC12"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(SerialHeld(), std::string("ABC12") + std::string(13, '\0'));
    EXPECT_EQ(Backups().size(), 1u);

    run = Run({"serial", "read"});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "ABC12\n");
    run = Run({"serial", "read", "--json"});
    EXPECT_EQ(run.out, "{\"port\":\"USB1\",\"address\":224,\"serial\":\"ABC12\"}\n");

    // Eighteen characters fill the field: no zero after them.
    run = Run({"serial", "write", "ZZZZZZZZZZZZZZZZZ9"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(SerialHeld(), "ZZZZZZZZZZZZZZZZZ9");
    EXPECT_EQ(Run({"serial", "read"}).out, "ZZZZZZZZZZZZZZZZZ9\n");
}

TEST_F(SetupCommands, SerialWriteDryRunShowsThePlanAndAStuckCellIsNamed) {
    const std::string before = SerialHeld();
    CliRun run = Run({"serial", "write", "Q1", "--dry-run"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_TRUE(Has(run.out, "0xE0: ")) << run.out;
    EXPECT_TRUE(Has(run.out, " -> 0x51\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "0xF1: ")) << run.out;
    EXPECT_EQ(SerialHeld(), before);
    EXPECT_TRUE(Backups().empty());

    Control("eeprom-stuck=0xE1");
    run = Run({"serial", "write", "Q1"});
    EXPECT_EQ(run.status, kExitVerifyFailed) << run.err;
    EXPECT_TRUE(Has(run.err, "0xE1: wrote 0x31")) << run.err;
    EXPECT_EQ(Peek(kSerialAddress), 'Q');
}

TEST_F(SetupCommands, BadSerialNumbersAreRefusedBeforeThePrinterIsTouched) {
    ExpectRefused({"serial", "write", "ABCDEFGHIJ123456789"}, {"Serial No Length Wrong", "1 to 18"});
    ExpectRefused({"serial", "write", ""}, {"Serial No Length Wrong"});
    ExpectRefused({"serial", "write", "AB-12"}, {"Serial No Letter Wrong", "letters and digits"});
    ExpectRefused({"serial", "write", "AB\xC3\xA9"}, {"Serial No Letter Wrong"});
    ExpectRefused({"serial", "write"}, {"serial write TEXT"});
    ExpectRefused({"serial", "write", "AB", "CD"}, {"serial write TEXT"});
    ExpectRefused({"serial", "read", "AB"}, {"no argument"});
    ExpectRefused({"initial-setting", "ABCDEFGHIJ123456789"}, {"Serial No Length Wrong"});
    ExpectRefused({"initial-setting", "SN 1"}, {"Serial No Letter Wrong"});
    ExpectRefused({"initial-setting", "A", "B"}, {"[SERIAL]"});
}

TEST_F(SetupCommands, AModelWithoutASerialNumberIsNeitherReadNorWritten) {
    const int before = Peek(0xE0, "USB2");
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"serial", "write", "ABC"}, {"serial", "read"}, {"initial-setting", "ABC"}}) {
        std::vector<std::string> arguments = {"--port", "USB2", "--profile", "VK-2240II"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, kExitUsage) << words.front();
        EXPECT_TRUE(Has(run.err, "This printer model has no USB serial number. Nothing was read")) << run.err;
    }
    EXPECT_EQ(Peek(0xE0, "USB2"), before);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(SetupCommands, InitialSettingWritesTheTablesTheCustomerAndTheSerialAndKeepsTheRest) {
    // Bytes the setting must put back: a drive constant (table C, A, B), a panel default (A, B), the
    // destination (the customer's), the check byte's complement; and bytes it must keep.
    Poke(0x10, 0xEE);
    Poke(0x30, 0xEE);
    Poke(0x20, 0xEE);
    Poke(0x24, 0xEE);
    Poke(0x03, 0x00);
    Poke(0xA2, 0x05);
    Poke(0xC0, 'M');
    const int check = Peek(0x02);
    CliRun run = Run({"--customer", "USA", "initial-setting", "SN123"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(Peek(0x03), (~check) & 0xFF);
    EXPECT_EQ(Peek(0x10), 0x02);
    EXPECT_EQ(Peek(0x30), 0x01);
    EXPECT_EQ(Peek(0x20), 0x02);  // USA
    EXPECT_EQ(Peek(0x24), 0x01);
    EXPECT_EQ(Peek(0xA2), 0x05);
    EXPECT_EQ(Peek(0xC0), 'M');
    EXPECT_EQ(SerialHeld(), std::string("SN123") + std::string(13, '\0'));
    EXPECT_TRUE(Has(run.out, "0x10: 0xEE -> 0x02\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "0x03: 0x00 -> ")) << run.out;
    EXPECT_FALSE(Has(run.out, "0xA2:")) << run.out;
    // One plan line per address, though the stages write most of them more than once.
    EXPECT_EQ(run.out.find("0x10: "), run.out.rfind("0x10: ")) << run.out;
    EXPECT_TRUE(Has(run.err, "Successfully.")) << run.err;
    EXPECT_EQ(Backups().size(), 1u);

    // Without a serial the field is cleared, as the page does.
    run = Run({"initial-setting"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(SerialHeld(), std::string(kSerialLength, '\0'));
    EXPECT_EQ(Peek(0x20), 0x01);  // EUROPE, the first customer
}

TEST_F(SetupCommands, AModelWithoutCheckByteOrSerialTakesTwoStages) {
    Poke(0x30, 0xEE, "USB2");
    Poke(0x20, 0xEE, "USB2");
    const CliRun run =
        Run({"--port", "USB2", "--profile", "VK-2240II", "--customer", "USA", "initial-setting"});
    EXPECT_TRUE(Has(run.err, "Successfully.")) << run.err;
    EXPECT_EQ(Peek(0x30, "USB2"), 0x01);
    EXPECT_EQ(Peek(0x20, "USB2"), 0x02);
    EXPECT_TRUE(Has(run.out, "0x30: 0xEE -> 0x01\n")) << run.out;
}

// Table B's write of 0xED ends a 128-byte piece of the engine right where its one-byte form would
// end: the printer must take the value from the next piece, not the high address byte (0x00) as a
// one-byte write. The read-back would catch it (exit 4, 0xED).
TEST_F(SetupCommands, AModelWithTwoByteAddressesHoldsEveryByteOfItsInitialSetting) {
    const CliRun run = Run({"--port", "USB2", "--profile", "VK-2240II", "initial-setting"});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(Peek(0xED, "USB2"), 0x1A);
}

TEST_F(SetupCommands, InitialSettingDryRunChangesNothingAndAStuckCellFailsTheCheck) {
    Poke(0x30, 0xEE);
    CliRun run = Run({"initial-setting", "SN1", "--dry-run"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_TRUE(Has(run.out, "0x30: 0xEE -> 0x01\n")) << run.out;
    EXPECT_EQ(Peek(0x30), 0xEE);
    EXPECT_TRUE(Backups().empty());

    Control("eeprom-stuck=0x30");
    run = Run({"initial-setting", "SN1"});
    EXPECT_EQ(run.status, kExitVerifyFailed) << run.err;
    EXPECT_TRUE(Has(run.err, "0x30: wrote 0x01, the printer holds 0xEE")) << run.err;
}

TEST_F(SetupCommands, AnInitialSettingThePrinterDoesNotTakeFailsAndNamesTheStage) {
    // An error state after the backup: the first stage finds the printer not ready.
    Control("error-state=5");
    const std::string serial = SerialHeld();
    const CliRun run = Run({"initial-setting", "SN1"});
    EXPECT_EQ(run.status, kExitFailed) << run.err;
    EXPECT_TRUE(Has(run.err, "stopped at stage 1 of 3 (check byte)")) << run.err;
    EXPECT_EQ(SerialHeld(), serial);
}

TEST_F(SetupCommands, PrintTestsAreChosenByNameOrNumberAndPrinted) {
    int pages = PagesPrinted();
    long lines = LinesFed();
    CliRun run = Run({"test-print", "ff-paper-1p"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "printed FF Paper(1P) on USB1\n");
    EXPECT_GT(PagesPrinted(), pages);
    EXPECT_GT(LinesFed(), lines);

    // The passbook test feeds no whole page: its lines are what the printer shows of it.
    lines = LinesFed();
    run = Run({"test-print", "4"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "printed Passbook on USB1\n");
    EXPECT_GT(LinesFed(), lines);

    pages = PagesPrinted();
    lines = LinesFed("USB2");
    run = Run({"--port", "USB2", "--profile", "VK-2240II", "test-print", "Pitch x20"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "printed Pitch x20 on USB2\n");
    EXPECT_GT(LinesFed("USB2"), lines);
    EXPECT_GT(PagesPrinted(), pages);
}

TEST_F(SetupCommands, AnUnknownPrintTestIsRefusedWithTheModelsList) {
    const std::string narrow = "1 ff-paper-1p, 2 a4-copy-7p, 3 a4-horizontal-1p, 4 passbook";
    ExpectRefused({"test-print", "pitch-x20"}, {"no print test \"pitch-x20\"", narrow});
    ExpectRefused({"test-print", "0"}, {narrow});
    ExpectRefused({"test-print", "5"}, {narrow});
    ExpectRefused({"test-print", "(-)"}, {narrow});
    ExpectRefused({"test-print"}, {"needs a print test", narrow});
    ExpectRefused({"test-print", "1", "2"}, {"test-print NAME"});
    const CliRun wide = Run({"--port", "USB2", "--profile", "VK-2240II", "test-print", "passbook"});
    EXPECT_EQ(wide.status, kExitUsage);
    EXPECT_TRUE(Has(wide.err, "1 ff-paper-1p, 2 a3-copy-7p, 3 a4-copy-1p, 4 pitch-x1, 5 pitch-x20"))
        << wide.err;
}

TEST_F(SetupCommands, APrintTestThePrinterCannotPrintFails) {
    Control("paper-out=1");
    const int pages = PagesPrinted();
    const long lines = LinesFed();
    const CliRun run = Run({"test-print", "ff-paper-1p"});
    EXPECT_EQ(run.status, kExitFailed) << run.err;
    EXPECT_EQ(PagesPrinted(), pages);
    EXPECT_EQ(LinesFed(), lines);
}

TEST(PrintTestNames, AreTheTextsInLowerCaseWithOneDashPerGap) {
    EXPECT_EQ(tolvane_cli::PrintTestName("FF Paper(1P)"), "ff-paper-1p");
    EXPECT_EQ(tolvane_cli::PrintTestName("A4 Horizontal(1P)"), "a4-horizontal-1p");
    EXPECT_EQ(tolvane_cli::PrintTestName("  Pitch  x20 "), "pitch-x20");
    EXPECT_EQ(tolvane_cli::PrintTestName("(-)"), "");
}

TEST(InitialSettingBytes, TheWritesOfBothSetsAreReadOutOfThePrintDataInOrder) {
    // ESC @, a write of set 1 at 0x23 (0x5A), text, a write of set 2 at 0x24 (0x01), one cut short.
    const std::vector<std::uint8_t> data = {0x1B, '@',  0x1B, '|',  0x00, 0x07, 0x00, 0x57, 0x2D, 0x04,
                                            0xFB, 0x02, 0x23, 0x5A, 'A',  'B',  0x1B, '|',  0x00, 0x07,
                                            0x00, 0x57, 0x2D, 0x05, 0xFA, 0x82, 0x24, 0x01, 0x1B, '|',
                                            0x00, 0x07, 0x00, 0x57, 0x2D, 0x05, 0xFA, 0x82, 0x25};
    const std::vector<tolvane_cli::ByteChange> writes = tolvane_cli::EepromWritesIn(data, false);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].address, 0x23);
    EXPECT_EQ(writes[0].value, 0x5A);
    EXPECT_EQ(writes[1].address, 0x24);
    EXPECT_EQ(writes[1].value, 0x01);

    // The last write of an address is what it holds; the plan goes by address.
    const std::vector<tolvane_cli::ByteChange> last =
        tolvane_cli::LastWritePerAddress({{0x30, 1}, {0x10, 2}, {0x30, 3}});
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].address, 0x10);
    EXPECT_EQ(last[1].address, 0x30);
    EXPECT_EQ(last[1].value, 3);
}

// A VK-572D on LPT1 beside one on USB1: firmware goes over the parallel port only.
class FirmwareCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
    }

    CliRun Firmware(const std::string& port, const std::vector<std::string>& words) {
        std::vector<std::string> arguments = {"--port",       port,         "--profile", "VK-572D",
                                              "--backup-dir", files.Path(), "firmware"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        std::ostringstream out;
        std::ostringstream err;
        CliRun run;
        run.status = tolvane_cli::RunTolvane(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::string Rom(const std::string& port) {
        std::string answer;
        printers.Control(port, "get", &answer);
        const std::size_t at = answer.find("rom=");
        return at == std::string::npos ? "" : answer.substr(at + 4, answer.find('\n', at) - at - 4);
    }

    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(files.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return files.File(name);
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    testsupport::TemporaryFolder files{"tolv-cli-firmware"};
    vprinter::LoopbackPrinters printers{{"LPT1=VK-572D", "USB1=VK-572D"}, ""};
};

TEST_F(FirmwareCommand, TheFileGoesToTheParallelPortAndThePrinterRunsIt) {
    // 2,500 bytes of payload: the file goes in several pieces, the port opened and closed for each,
    // and the printer takes it whole only when every piece arrived in order.
    std::vector<std::uint8_t> payload(2500);
    for (std::size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    const std::vector<std::uint8_t> image = protocol::firmware::BuildImage("T9.01", payload);
    std::vector<std::uint8_t> download =
        protocol::firmware::DownloadPrefix(static_cast<std::uint32_t>(image.size()));
    download.insert(download.end(), image.begin(), image.end());
    const std::string path = WriteFile("main.rcc", download);

    const CliRun run = Firmware("LPT1", {path});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "sent " + std::to_string(download.size()) + " bytes of " + path + " to LPT1\n");
    EXPECT_EQ(Rom("LPT1"), "T9.01");
}

TEST_F(FirmwareCommand, ANonParallelPortOrAnUnreadableFileIsRefusedAndNothingSent) {
    const std::string usbRom = Rom("USB1");
    const std::string lptRom = Rom("LPT1");
    const std::vector<std::uint8_t> image =
        protocol::firmware::BuildImage("T9.02", std::vector<std::uint8_t>(64, 1));
    std::vector<std::uint8_t> download =
        protocol::firmware::DownloadPrefix(static_cast<std::uint32_t>(image.size()));
    download.insert(download.end(), image.begin(), image.end());
    const std::string path = WriteFile("main.rcc", download);

    CliRun run = Firmware("USB1", {path});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(Has(run.err, "Bad Interface, must LPT")) << run.err;
    EXPECT_TRUE(Has(run.err, "USB1 is not one")) << run.err;
    EXPECT_EQ(Rom("USB1"), usbRom);

    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{files.File("missing.rcc")},
                                               {WriteFile("empty.rcc", {})},
                                               {files.Path()},
                                               {},
                                               {path, path},
                                               {""}}) {
        run = Firmware("LPT1", words);
        EXPECT_EQ(run.status, kExitUsage) << (words.empty() ? "(none)" : words.front()) << run.err;
    }
    EXPECT_TRUE(Has(Firmware("LPT1", {files.File("missing.rcc")}).err, "cannot be opened")) << run.err;
    EXPECT_TRUE(Has(Firmware("LPT1", {files.File("empty.rcc")}).err, "is empty")) << run.err;
    // One byte more than the largest download the printer takes.
    const std::string large = WriteFile("large.rcc", {1});
    std::filesystem::resize_file(large, tolvane_cli::kLargestFirmwareFile + 1);
    run = Firmware("LPT1", {large});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(Has(run.err, "at most 1048612")) << run.err;
    EXPECT_EQ(Rom("LPT1"), lptRom);
}

}  // namespace

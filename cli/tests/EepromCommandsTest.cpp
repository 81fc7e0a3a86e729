// tolvane eeprom ... against the virtual VK-572D at USB1: what the printer holds afterwards, the files
// written, the pages printed and the exit statuses.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "CliOverTcp.h"
#include "testsupport/TemporaryFolder.h"

namespace clitest {
namespace {

using Image = std::array<int, 256>;

// An .eep file: each entry as a little-endian 32-bit integer.
std::string EepBytes(const std::vector<int>& entries) {
    std::string bytes;
    for (const int entry : entries) {
        const auto value = static_cast<unsigned>(entry);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
    }
    return bytes;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class EepromCommands : public CliOverTcp {
protected:
    // Every byte the printer holds at 0x00-0xFF, in one exchange.
    Image Held() {
        std::string words;
        for (int address = 0; address < 256; ++address) {
            words += (address == 0 ? "peek=" : " peek=") + std::to_string(address);
        }
        const std::string answer = Control(words);
        Image image{};
        for (int address = 0; address < 256; ++address) {
            const std::string key = "peek=" + std::to_string(address) + ":0x";
            const std::size_t at = answer.find(key);
            image[static_cast<std::size_t>(address)] =
                at == std::string::npos ? -1 : std::stoi(answer.substr(at + key.size(), 2), nullptr, 16);
        }
        return image;
    }

    testsupport::TemporaryFolder files{"tolv-cli-eep"};
};

TEST_F(EepromCommands, DumpShowsTheRangeAsThePageDoesAndAsJson) {
    Poke(0x12, 0xA5);
    Poke(0x13, 0x00);
    Poke(0x14, 0x7F);

    const CliRun text = Run({"eeprom", "dump", "--from", "0x12", "--to", "20"});
    ASSERT_EQ(text.status, 0) << text.err;
    std::string expected = "ADDR  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \n" + std::string(56, '-');
    const std::string blank = " -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --";
    for (const char row : std::string("0123456789ABCDEF")) {
        expected += std::string("\n ") + row + "0  " +
                    (row == '1' ? std::string(" -- -- A5 00 7F -- -- -- -- -- -- -- -- -- -- --") : blank);
    }
    EXPECT_EQ(text.out, expected + "\n");

    const CliRun json = Run({"eeprom", "dump", "--from=18", "--to=0x14", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"from\":18,\"to\":20,\"bytes\":[165,0,127]}\n");

    // Without a range: every address, none left out.
    const CliRun whole = Run({"eeprom", "dump", "--json"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(whole.out.rfind("{\"from\":0,\"to\":255,\"bytes\":[", 0), 0u) << whole.out;
    EXPECT_EQ(std::count(whole.out.begin(), whole.out.end(), ','), 2 + 255);

    // The VK-2240II keeps 512 bytes; the one-byte access ends at 0xFF all the same.
    Poke(0xFF, 0x3C, "USB2");
    const CliRun wide =
        Run({"--port", "USB2", "--profile", "VK-2240II", "eeprom", "dump", "--from", "0xFE", "--json"});
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_EQ(wide.out,
              "{\"from\":254,\"to\":255,\"bytes\":[" + std::to_string(Peek(0xFE, "USB2")) + ",60]}\n");
    EXPECT_EQ(Run({"--port", "USB2", "--profile", "VK-2240II", "eeprom", "write", "0x1FF", "1"}).status, 2);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(EepromCommands, SaveChangeRestoreBringsTheEepromBack) {
    Poke(0x30, 0x5A);
    const Image before = Held();
    const std::string path = files.File("printer.eep");
    const CliRun save = Run({"eeprom", "save", path});
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_TRUE(save.out.empty());
    EXPECT_NE(save.err.find(path), std::string::npos);
    const std::string saved = testsupport::ReadBytes(path);
    ASSERT_EQ(saved.size(), 1024u);
    EXPECT_EQ(saved.substr(0x30 * 4, 4), EepBytes({0x5A}));
    EXPECT_TRUE(Backups().empty());

    Poke(0x30, 0x00);
    Poke(0x00, static_cast<int>(before[0] ^ 0xFF));
    Poke(0xFF, static_cast<int>(before[0xFF] ^ 0x01));
    const CliRun restore = Run({"eeprom", "restore", path});
    ASSERT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(Held(), before);
    EXPECT_NE(restore.out.find("0x30: 0x00 -> 0x5A"), std::string::npos) << restore.out;
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(EepromCommands, RestoreSkipsEntriesThatAreNoByte) {
    std::vector<int> entries(256, -1);
    entries[0x40] = 0x11;
    entries[0x41] = 300;  // not a byte: left alone
    entries[0x42] = 0x22;
    files.Write("holes.eep", EepBytes(entries));
    Poke(0x41, 0x99);

    const CliRun run = Run({"eeprom", "restore", files.File("holes.eep")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Peek(0x40), 0x11);
    EXPECT_EQ(Peek(0x41), 0x99);
    EXPECT_EQ(Peek(0x42), 0x22);
    EXPECT_EQ(Lines(run.out), 2) << run.out;
}

TEST_F(EepromCommands, RestoreRefusesAFileThatIsNoWholeImage) {
    const Image before = Held();
    files.Write("short.eep", std::string(1023, '\0'));
    files.Write("long.eep", std::string(1025, '\0'));
    files.Write("empty.eep", EepBytes(std::vector<int>(256, -1)));
    for (const std::string& path : {files.File("short.eep"), files.File("long.eep"), files.File("empty.eep"),
                                    files.File("missing.eep"), files.Path()}) {
        const CliRun run = Run({"eeprom", "restore", path});
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_EQ(Held(), before);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(EepromCommands, WriteIsBackedUpAndVerified) {
    Poke(0x40, 0x12);
    const CliRun run = Run({"eeprom", "write", "0x40", "165"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Peek(0x40), 0xA5);
    EXPECT_EQ(run.out, "0x40: 0x12 -> 0xA5\n");
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_NE(run.err.find(Backups()[0]), std::string::npos) << run.err;

    // The printer acknowledges the write and keeps its byte.
    Poke(0x41, 0x00);
    Control("eeprom-stuck=65");
    const CliRun stuck = Run({"eeprom", "write", "0x41", "0x5A"});
    EXPECT_EQ(stuck.status, 4) << stuck.err;
    EXPECT_NE(stuck.err.find("0x41"), std::string::npos) << stuck.err;
    EXPECT_EQ(Peek(0x41), 0x00);
}

TEST_F(EepromCommands, DryRunShowsThePlanAndWritesNothing) {
    Poke(0x40, 0x12);
    const CliRun write = Run({"--dry-run", "eeprom", "write", "64", "0x34"});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "0x40: 0x12 -> 0x34\n");
    EXPECT_EQ(Peek(0x40), 0x12);

    std::vector<int> entries(256, -1);
    entries[0x40] = 0x77;
    files.Write("one.eep", EepBytes(entries));
    const CliRun restore = Run({"eeprom", "restore", files.File("one.eep"), "--dry-run"});
    ASSERT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(restore.out, "0x40: 0x12 -> 0x77\n");
    EXPECT_EQ(Peek(0x40), 0x12);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(EepromCommands, UndoReturnsToTheBackupAndASecondUndoReturnsAgain) {
    const CliRun none = Run({"eeprom", "undo"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find(backups.Root().string()), std::string::npos) << none.err;

    Poke(0x50, 0x11);
    ASSERT_EQ(Run({"eeprom", "write", "0x50", "0x22"}).status, 0);
    ASSERT_EQ(Peek(0x50), 0x22);

    // Every backup here falls within one second of the virtual clock: the newest is still told apart.
    const CliRun undo = Run({"eeprom", "undo"});
    ASSERT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(Peek(0x50), 0x11);
    EXPECT_NE(undo.out.find("0x50: 0x22 -> 0x11"), std::string::npos) << undo.out;
    EXPECT_EQ(Backups().size(), 2u);

    ASSERT_EQ(Run({"eeprom", "undo"}).status, 0);
    EXPECT_EQ(Peek(0x50), 0x22);
}

TEST_F(EepromCommands, PrintPutsTheDumpOnPaper) {
    const int before = PagesPrinted();
    const CliRun run = Run({"eeprom", "print", "--from", "0", "--to", "0x1F"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_GT(PagesPrinted(), before);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(EepromCommands, BadInputIsRefusedWithTheAcceptedFormAndNothingWritten) {
    Poke(0x10, 0x33);
    const Image before = Held();
    const std::vector<std::vector<std::string>> cases = {
        // Addresses.
        {"eeprom", "write", "0x100", "1"},
        {"eeprom", "write", "256", "1"},
        {"eeprom", "write", "-1", "1"},
        {"eeprom", "write", "G1", "1"},
        {"eeprom", "write", "", "1"},
        // Values.
        {"eeprom", "write", "0x10", "256"},
        {"eeprom", "write", "0x10", "-1"},
        {"eeprom", "write", "0x10", "0x1G"},
        {"eeprom", "write", "0x10", "0x"},
        // Word counts.
        {"eeprom", "write", "0x10"},
        {"eeprom", "write", "0x10", "1", "2"},
        {"eeprom", "restore"},
        {"eeprom", "save"},
        {"eeprom", "undo", "now"},
        {"eeprom", "dump", "0x10"},
        // Ranges.
        {"eeprom", "dump", "--from", "0x20", "--to", "0x10"},
        {"eeprom", "dump", "--to", "0x100"},
        {"eeprom", "dump", "--from", "ten"},
        {"eeprom", "print", "--from", "-1"},
        {"eeprom", "print", "--from", "5", "--to", "4"},
        // Files.
        {"eeprom", "restore", "/no/such/folder/x.eep"},
        {"eeprom", "save", "/no/such/folder/x.eep"},
    };
    const int pages = PagesPrinted();
    for (const auto& arguments : cases) {
        const CliRun run = Run(arguments);
        std::string shown;
        for (const std::string& word : arguments) {
            shown += word + " ";
        }
        EXPECT_EQ(run.status, 2) << shown << run.err;
        EXPECT_EQ(Lines(run.err), 1) << shown << run.err;
        EXPECT_TRUE(run.out.empty()) << shown << run.out;
    }
    const CliRun address = Run({"eeprom", "write", "0x100", "1"});
    EXPECT_NE(address.err.find("0x100"), std::string::npos) << address.err;
    EXPECT_NE(address.err.find("0-255"), std::string::npos) << address.err;
    const CliRun value = Run({"eeprom", "write", "1", "0x1G"});
    EXPECT_NE(value.err.find("0x1G"), std::string::npos) << value.err;
    EXPECT_NE(value.err.find("0-255"), std::string::npos) << value.err;
    EXPECT_EQ(Held(), before);
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(PagesPrinted(), pages);
}

}  // namespace
}  // namespace clitest

// The raw EEPROM page driven by the scripted technician against the virtual printer: every action
// checked at the printer's EEPROM and in the files it leaves, every bad input stopped before the
// printer is touched.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ServicePageFixture.h"
#include "pages/CHeronEepromRwPage.h"

namespace pagetest {
namespace {

const char kReadHeader[] = "ADDR  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n";
const char kRestoreHeader[] = "ADDR   +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n";

// The confirmation of the waiting dialog, once the printer reported ready.
const char kPrinterReady[] = "click 1@176\n";

std::string Entry(std::int32_t value) {
    std::string bytes(4, '\0');
    for (int j = 0; j < 4; ++j) {
        bytes[static_cast<std::size_t>(j)] =
            static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * j)) & 0xFF);
    }
    return bytes;
}

// A path inside a scenario's quoted text, where a backslash is written twice.
std::string Escaped(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

std::string Quoted(const std::string& path) {
    std::string quoted(1, '"');
    quoted += Escaped(path);
    quoted += '"';
    return quoted;
}

const ui::CharFormat kWritten{ui::Rgb(0, 240, 0), true};
const ui::CharFormat kFailed{ui::Rgb(255, 0, 0), true};

// The page as the technician leaves it: how each character of its dump is drawn.
class FormatNotingPage : public CHeronEepromRwPage {
public:
    bool OnWizardFinish() override {
        const ui::CRichEditCtrl dump = GetDlgItem(1181);
        shown.clear();
        for (std::size_t at = 0; at < DumpText().size(); ++at) {
            shown.push_back(dump.GetCharFormatAt(static_cast<int>(at)));
        }
        return CHeronEepromRwPage::OnWizardFinish();
    }
    std::vector<ui::CharFormat> shown;
};

// Every character of the dump plain but the three of each given address's cell: line address / 16
// + 2, from character 3 x (address mod 16 + 2) of the line.
void ExpectDrawn(const FormatNotingPage& page, const std::map<int, ui::CharFormat>& cells) {
    const std::string& dump = page.DumpText();
    std::vector<std::size_t> lineStarts{0};
    for (std::size_t at = 0; at < dump.size(); ++at) {
        if (dump[at] == '\n') {
            lineStarts.push_back(at + 1);
        }
    }
    std::vector<ui::CharFormat> expected(dump.size());
    for (const auto& [address, format] : cells) {
        const std::size_t start = lineStarts.at(static_cast<std::size_t>(address / 16 + 2)) +
                                  static_cast<std::size_t>(3 * (address % 16 + 2));
        for (std::size_t at = start; at < start + 3; ++at) {
            expected.at(at) = format;
        }
    }
    ASSERT_EQ(page.shown.size(), expected.size()) << "the dump was left on the screen";
    for (std::size_t at = 0; at < expected.size(); ++at) {
        const ui::CharFormat& drawn = page.shown[at];
        if (!(drawn == expected[at])) {
            ADD_FAILURE() << "character " << at << " '" << dump[at] << "' drawn (" << int{drawn.colour.red}
                          << ", " << int{drawn.colour.green} << ", " << int{drawn.colour.blue} << ")"
                          << (drawn.bold ? " bold" : "") << "\n"
                          << dump;
            return;
        }
    }
}

class EepromPageTest : public ServicePageTest {
protected:
    // The printer's EEPROM as an image, for comparing with files and dumps.
    std::string PrinterAsFile() {
        std::string bytes;
        for (int address = 0; address < 256; ++address) {
            bytes += Entry(Stored(address));
        }
        return bytes;
    }
    // A distinct byte at every address, so a byte landing at the wrong address shows.
    void FillPrinter(int seed) {
        for (int address = 0; address < 256; ++address) {
            Store(address, static_cast<std::uint8_t>((address * 7 + seed) & 0xFF));
        }
    }

    FormatNotingPage page_;
};

TEST_F(EepromPageTest, ARangeReadsOneRowAndAnEmptyRangeReadsEveryAddress) {
    FillPrinter(3);
    Run(page_,
        "expect-enabled 1211 no\n"
        "type 1209 \"10\"\ntype 1123 \"1f\"\nclick 1212\n"
        "expect-text 1005@118 \"Read EEPROM Complete.\"\nclick 1@118\n"
        "expect-enabled 1211 yes\n"
        "click 12325\n");
    std::string expected = std::string(kReadHeader) + std::string(56, '-');
    char cell[8];
    for (int row = 0; row < 16; ++row) {
        std::snprintf(cell, sizeof cell, "\r\n%2X0  ", row);
        expected += cell;
        for (int column = 0; column < 16; ++column) {
            std::snprintf(cell, sizeof cell, " %02X", ((row * 16 + column) * 7 + 3) & 0xFF);
            expected += row == 1 ? cell : " --";
        }
    }
    EXPECT_EQ(page_.DumpText(), expected);

    CHeronEepromRwPage whole;
    Run(whole, "click 1212\nclick 1@118\nclick 12325\n");
    for (int address = 0; address < 256; ++address) {
        ASSERT_EQ(whole.Image()[static_cast<std::size_t>(address)], Stored(address)) << address;
    }
    EXPECT_EQ(whole.DumpFont().GetLogFont().face, "Courier New");
}

TEST_F(EepromPageTest, BadAddressesAndDataStopBeforeThePrinterIsTouched) {
    const std::string wrongRange = "answer ok \"Wrong Range\\r\\nMust from 00(h) to FF(h)\"\n";
    Run(page_,
        // Read, Print and the range write share the range check.
        "type 1209 \"20\"\ntype 1123 \"10\"\nclick 1212\n" + wrongRange + "click 1127\n" + wrongRange +
            "type 1209 \"G1\"\ntype 1123 \"\"\nclick 1212\n"
            "answer ok \"Wrong Address\\r\\nMust Hex Number or Blank\"\n"
            "type 1209 \"\"\ntype 1123 \"100\"\nclick 1212\n" +
            wrongRange +
            // The single byte.
            "type 1210 \"G1\"\ntype 1124 \"05\"\nclick 1129\n"
            "answer ok \"Wrong Address\\r\\nMust Hex Number\"\n"
            "type 1210 \"\"\nclick 1129\n"
            "answer ok \"Wrong Address\\r\\nMust Hex Number\"\n"
            "type 1210 \"05\"\ntype 1124 \"\"\nclick 1129\n"
            "answer ok \"Wrong Data\\r\\nMust Hex Number\"\n"
            "type 1124 \"-1\"\nclick 1129\n"
            "answer ok \"Wrong Data\\r\\nMust Hex Number\"\n"
            "type 1210 \"100\"\ntype 1124 \"01\"\nclick 1129\n"
            "answer ok \"Wrong Addres\\r\\nMust from 00(h) to FF(h)\"\n"
            // A long text cannot wrap round to a small address.
            "type 1210 \"10000000005\"\nclick 1129\n"
            "answer ok \"Wrong Addres\\r\\nMust from 00(h) to FF(h)\"\n"
            "type 1210 \"05\"\ntype 1124 \"100\"\nclick 1129\n"
            "answer ok \"Wrong Value\\r\\nMust from 00(h) to FF(h)\"\n"
            "click 12325\n");
    EXPECT_EQ(ports_.OpenCount("USB1"), 0) << "no input error reaches the printer";
}

TEST_F(EepromPageTest, OneByteIsWrittenOnlyToAReadyPrinter) {
    Store(0xA0, 0x12);
    Run(page_, "type 1210 \"a0\"\ntype 1124 \"fE\"\nclick 1129\n" + std::string(kPrinterReady) +
                   "expect-text 1005@118 \"Write Complete.\"\nclick 1@118\n"
                   // The technician gives up on a busy printer: nothing is written.
                   "type 1124 \"33\"\nclick 1129\n"
                   "click 2@176\n"
                   "click 12325\n");
    EXPECT_EQ(Stored(0xA0), 0xFE);
}

TEST_F(EepromPageTest, TheRangeWriteSendsTheDumpBackWithinTheRange) {
    FillPrinter(1);
    const std::string before = PrinterAsFile();
    // The dump of one row; then two bytes changed at the printer, one inside the row and one outside;
    // then the row written back.
    Run(page_,
        "type 1209 \"10\"\ntype 1123 \"1F\"\nclick 1212\nclick 1@118\n"
        "type 1210 \"15\"\ntype 1124 \"00\"\nclick 1129\n" +
            std::string(kPrinterReady) +
            "click 1@118\n"
            "type 1210 \"25\"\nclick 1129\n" +
            kPrinterReady +
            "click 1@118\n"
            "click 1211\n" +
            kPrinterReady + "expect-text 1005@118 \"Write EEPROM Complete.\"\nclick 1@118\nclick 12325\n");
    // 0xFE-0xFF hold the checksum the printer keeps over the rest.
    for (int address = 0; address < 0xFE; ++address) {
        EXPECT_EQ(Stored(address), address == 0x25 ? 0 : static_cast<std::uint8_t>(before[address * 4]))
            << address;
        const bool inRange = address >= 0x10 && address <= 0x1F;
        EXPECT_EQ(page_.MarkOf(address),
                  inRange ? CHeronEepromRwPage::CellMark::Written : CHeronEepromRwPage::CellMark::None);
    }
    std::map<int, ui::CharFormat> written;
    for (int address = 0x10; address <= 0x1F; ++address) {
        written[address] = kWritten;
    }
    ExpectDrawn(page_, written);
}

TEST_F(EepromPageTest, ASaveIsExactlyThePrintersBytesAndAFailedOneKeepsTheOldFile) {
    FillPrinter(5);
    const std::string path = folder_.File("backup");  // the dialog adds .eep
    Run(page_, "click 1152\nfile " + Quoted(path) +
                   "\nexpect-text 1005@118 \"Save Complete.\"\nclick 1@118\nclick 12325\n");
    EXPECT_EQ(folder_.Read("backup.eep").size(), 1024u);
    EXPECT_EQ(folder_.Read("backup.eep"), PrinterAsFile());

    // A read-only backup is kept as it was, even when the technician agrees to replace it.
    FillPrinter(6);
    std::filesystem::permissions(folder_.File("backup.eep"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string saved = folder_.Read("backup.eep");
    CHeronEepromRwPage again;
    Run(again, "click 1152\nfile " + Quoted(path + ".eep") +
                   "\nanswer yes\n"
                   "expect-text 1005@118 \"Can not write to file " +
                   Escaped(path) + ".eep.\"\nclick 2@118\nclick 12325\n");
    std::filesystem::permissions(folder_.File("backup.eep"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(folder_.Read("backup.eep"), saved);
}

TEST_F(EepromPageTest, ARestoreWritesTheFileBackAndLeavesEntriesThatAreNoByte) {
    std::string file;
    for (int address = 0; address < 256; ++address) {
        file += Entry(address == 5 ? 300 : address == 6 ? -1 : (255 - address));
    }
    folder_.Write("saved.eep", file);
    Store(5, 0x42);
    Store(6, 0x43);
    Run(page_, "click 1131\nfile " + Quoted(folder_.File("saved.eep")) + "\n" + kPrinterReady +
                   "expect-text 1005@118 \"Restore Complete.\"\nclick 1@118\nclick 12325\n");
    for (int address = 0; address < 256; ++address) {
        if (address != 5 && address != 6) {
            ASSERT_EQ(Stored(address), 255 - address) << address;
        }
    }
    EXPECT_EQ(Stored(5), 0x42);
    EXPECT_EQ(Stored(6), 0x43);
    const std::string& dump = page_.DumpText();
    EXPECT_EQ(
        dump.rfind(std::string(kRestoreHeader) + std::string(57, '-') + "\r\n 00    FF FE FD FC FB -- -- F8",
                   0),
        0u)
        << dump;
    EXPECT_EQ(page_.MarkOf(5), CHeronEepromRwPage::CellMark::None);
    EXPECT_EQ(page_.MarkOf(7), CHeronEepromRwPage::CellMark::Written);
    std::map<int, ui::CharFormat> written;
    for (int address = 0; address < 256; ++address) {
        if (address != 5 && address != 6) {
            written[address] = kWritten;
        }
    }
    ExpectDrawn(page_, written);
}

TEST_F(EepromPageTest, ARestoreRefusesAFileThatIsNoWholeImageWritesNothingAndStaysUsable) {
    FillPrinter(2);
    const std::string before = PrinterAsFile();
    std::string longFile;
    for (int address = 0; address < 256; ++address) {
        longFile += Entry(0);
    }
    folder_.Write("short.eep", longFile.substr(0, 1023));
    folder_.Write("long.eep", longFile + "\x01");
    folder_.Write("empty.eep", "");
    std::filesystem::create_directories(folder_.Root() / "folder.eep");
    std::string script;
    for (const char* name : {"short.eep", "long.eep", "empty.eep"}) {
        script += "click 1131\nfile " + Quoted(folder_.File(name)) +
                  "\nexpect-text 1005@118 \"Not an EEPROM file: " + Escaped(folder_.File(name)) +
                  "\\r\\nAn EEPROM file holds exactly 256 entries (1024 bytes). Nothing was written to the "
                  "printer.\"\nclick 2@118\n";
    }
    for (const char* name : {"missing.eep", "folder.eep"}) {
        script += "click 1131\nfile " + Quoted(folder_.File(name)) +
                  "\nexpect-text 1005@118 \"File Not Found\"\nclick 2@118\n";
    }
    // The page is not left reading: the next button still works.
    script += "click 1212\nexpect-text 1005@118 \"Read EEPROM Complete.\"\nclick 1@118\nclick 12325\n";
    Run(page_, script);
    EXPECT_EQ(PrinterAsFile(), before);
}

TEST_F(EepromPageTest, ThePrintedDumpReachesThePrinter) {
    FillPrinter(4);
    Run(page_, "type 1209 \"00\"\ntype 1123 \"0F\"\nclick 1127\n" + std::string(kPrinterReady) +
                   "expect-text 1005@118 \"Print EEPROM Complete.\"\nclick 1@118\nclick 12325\n");
    const std::vector<std::uint8_t>& written = ports_.Written("USB1");
    const std::string sent(written.begin(), written.end());
    EXPECT_NE(sent.find("addr  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n"), std::string::npos);
    EXPECT_NE(sent.find(" 00   04 0B 12 19"), std::string::npos);
    EXPECT_NE(sent.find(" 10   -- -- --"), std::string::npos);
}

TEST_F(EepromPageTest, APrinterThatDropsHalfwayEndsTheActionWithoutACompletionMessage) {
    FillPrinter(8);
    Control("drop-after=2000");
    // The access object tells the technician; the dump stops where the line dropped.
    Run(page_,
        "click 1212\nclick 2@118\n"
        "expect-enabled 1211 no\n"
        "click 12325\n");
    EXPECT_EQ(page_.Image()[255], -1);
    EXPECT_FALSE(page_.IsReading());
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(EepromPageTest, ARestoreCutShortWritesNothingAfterTheFailureAndClaimsNoSuccess) {
    FillPrinter(0);
    std::string file;
    for (int address = 0; address < 256; ++address) {
        file += Entry(0x5A);
    }
    folder_.Write("saved.eep", file);
    Control("drop-after=2000");
    Run(page_, "click 1131\nfile " + Quoted(folder_.File("saved.eep")) + "\n" + kPrinterReady +
                   // The access object's own message; no "Restore Complete.".
                   "click 2@118\nclick 12325\n");
    EXPECT_EQ(Stored(0), 0x5A) << "the first bytes went out";
    EXPECT_EQ(Stored(0xF0), (0xF0 * 7) & 0xFF) << "nothing after the failed write";
    int failed = 0;
    std::map<int, ui::CharFormat> drawn;
    for (int address = 0; address < 256; ++address) {
        failed += page_.MarkOf(address) == CHeronEepromRwPage::CellMark::Failed ? 1 : 0;
        if (page_.MarkOf(address) != CHeronEepromRwPage::CellMark::None) {
            drawn[address] =
                page_.MarkOf(address) == CHeronEepromRwPage::CellMark::Failed ? kFailed : kWritten;
        }
    }
    EXPECT_EQ(failed, 1);
    // Green up to the address the printer refused, that one red, none after it.
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.rbegin()->second, kFailed);
    EXPECT_EQ(static_cast<int>(drawn.size()), drawn.rbegin()->first + 1);
    ExpectDrawn(page_, drawn);
    EXPECT_FALSE(page_.IsWriting());
}

// A page that a click on Read makes busy (or idle again) without reading, so the guard can be
// driven by the technician.
class BusyEepromPage : public CHeronEepromRwPage {
public:
    bool OnCommand(int id, ui::Notification code) override {
        if (id == 1212) {
            m_bReading = !m_bReading;
            return true;
        }
        return CHeronEepromRwPage::OnCommand(id, code);
    }
};

TEST_F(EepromPageTest, APageIsLeftWhenIdleAndHeldWithACancelQuestionWhileBusy) {
    BusyEepromPage first;
    BusyEepromPage second;
    Run({&first, &second},
        // Idle: Next moves on.
        "click 12324\n"
        "expect-enabled 12323 yes\n"
        "click 1212\n"
        "click 12323\n"
        "answer no \"Cannot Change This Page during Reading or Writing EEPROM\\r\\ncanceld proccess\"\n"
        "click 12325\n"
        "answer yes \"Cannot Close This Page during Reading or Writing EEPROM\\r\\nDo you want to Cancel "
        "This "
        "Proccess?.\"\n"
        // Still here: Back is still there to press.
        "expect-enabled 12323 yes\n"
        "click 1212\n"
        "click 12325\n");
    EXPECT_TRUE(second.CancelRequested());
    EXPECT_FALSE(first.CancelRequested());
}

}  // namespace
}  // namespace pagetest

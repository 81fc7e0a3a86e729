// The counter, counter reset and fatal error history pages driven by the scripted technician against
// the virtual printer, checked at the printer's EEPROM and in what the technician is shown.
#include <string>
#include <vector>

#include "ServicePageFixture.h"
#include "pages/CHeronCounterResetPage.h"
#include "pages/CHeronGetCounterPage.h"
#include "pages/CHeronGetFataECode.h"
#include "ui/CWindow.h"

namespace pagetest {
namespace {

const char kPrinterReady[] = "click 1@176\n";

using CounterPageTest = ServicePageTest;

TEST_F(CounterPageTest, TheCountersShowAsUnsignedLittleEndianValues) {
    Store(0x04, 0x10);
    Store(0x05, 0x27);
    Store(0x06, 0x00);
    Store(0x07, 0x00);
    Store32(0x08, 0xFFFFFFFFu);
    Store32(0x0C, 123456);
    CHeronGetCounterPage page;
    Run(page, "click 1128\n" + std::string(kPrinterReady) +
                  "expect-text 1122 \"10000\"\n"
                  "expect-text 1124 \"4294967295\"\n"
                  "expect-text 1191 \"123456\"\n"
                  "click 12325\n");
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(CounterPageTest, NothingIsReadFromAPrinterTheTechnicianDidNotConfirm) {
    Store32(0x04, 77);
    CHeronGetCounterPage page;
    Run(page, "click 1128\nclick 2@176\nexpect-text 1122 \"\"\nclick 12325\n");
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(CounterPageTest, AResetClearsOnlyTheCounterOfItsFlag) {
    for (int address = 0x00; address <= 0x13; ++address) {
        Store(address, 0x5A);
    }
    CHeronCounterResetPage page(2);
    Run(page, "click 1128\n" + std::string(kPrinterReady) +
                  "expect-text 1005@118 \"Finished\"\nclick 1@118\nclick 12325\n");
    for (int address = 0x00; address <= 0x13; ++address) {
        EXPECT_EQ(Stored(address), address >= 0x08 && address <= 0x0B ? 0x00 : 0x5A) << address;
    }
    EXPECT_EQ(ProgressWindows(), 0);

    CHeronCounterResetPage all(1 | 4);
    Run(all, "click 1128\n" + std::string(kPrinterReady) + "click 1@118\nclick 12325\n");
    EXPECT_EQ(Stored32(0x04), 0u);
    EXPECT_EQ(Stored32(0x0C), 0u);
}

// The history page with the lookup of its own and the list as it stood after Enter.
class RecordingHistoryPage : public CHeronGetFataECode {
public:
    std::string DescribeFatalError(std::uint8_t code) const override {
        return code == 0x99 ? "looked up here" : CHeronGetFataECode::DescribeFatalError(code);
    }
    bool OnCommand(int id, ui::Notification code) override {
        const bool handled = CHeronGetFataECode::OnCommand(id, code);
        if (id == 1128) {
            const ui::CListViewCtrl list = GetDlgItem(1173);
            rows.clear();
            for (int row = 0; row < list.GetItemCount(); ++row) {
                rows.push_back(
                    {list.GetItemText(row, 0), list.GetItemText(row, 1), list.GetItemText(row, 2)});
            }
            widths = {list.GetColumnWidth(0), list.GetColumnWidth(1), list.GetColumnWidth(2)};
        }
        return handled;
    }
    std::vector<std::vector<std::string>> rows;
    std::vector<int> widths;
};

TEST_F(CounterPageTest, TheHistoryListsFiveCodesWithDescriptionsAndSignedLineCounts) {
    const std::uint8_t codes[] = {0x2A, 0x01, 0x99, 0x00, 0xFF};
    const std::uint32_t counts[] = {0xFFFFFFFFu, 10000, 0, 1, 2147483648u};
    for (int i = 0; i < 5; ++i) {
        Store(0x77 + i, codes[i]);
        Store32(0x7C + 4 * i, counts[i]);
    }
    RecordingHistoryPage page;
    Run(page, "click 1128\nexpect-rows 1173 5\nclick 12325\n");
    const std::vector<std::vector<std::string>> expected = {
        {" 0x2A", "Carriage motor lock", "-1"},
        {" 0x01", "Home position", "10000"},
        {" 0x99", "looked up here", "0"},
        {" 0x00", "Unkonwn Fatal Error", "1"},
        {" 0xFF", "Unkonwn Fatal Error", "-2147483648"},
    };
    EXPECT_EQ(page.rows, expected);
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(CounterPageTest, ASilentPrinterLeavesTheHistoryEmptyAndClosesEverything) {
    Control("offline=silent");
    RecordingHistoryPage page;
    // The access object tells the technician once; the run ends there.
    Run(page, "click 1128\nclick 2@118\nexpect-rows 1173 0\nclick 12325\n");
    EXPECT_TRUE(page.rows.empty());
    EXPECT_EQ(ProgressWindows(), 0);
}

}  // namespace
}  // namespace pagetest

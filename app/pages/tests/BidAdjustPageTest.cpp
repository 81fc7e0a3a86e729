// The bi-directional alignment page driven by the scripted technician against the virtual printer,
// checked at the printer: the bytes it was sent, the corrections it holds, and what the technician
// and the information pane were shown.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ServicePageFixture.h"
#include "config/CTolvPrnParam.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "pages/CHeronBidAdjustPage.h"

namespace pagetest {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char kPrinterReady[] = "click 1@176\n";
const char kRangeAnswer[] = "answer ok \"Bid adjust value must be between -12 and 12\"\n";
// Form end: CR FF ESC '@'.
const Bytes kFormEnd = {0x0D, 0x0C, 0x1B, 0x40};
// The waiting dialog's status exchanges before the technician confirms take 84 bytes: the line drops
// early in the exchange that follows them.
const char kDropAfterTheWait[] = "drop-after=100";

Bytes Text(const std::string& text, bool nul = false) {
    Bytes bytes(text.begin(), text.end());
    if (nul) {
        bytes.push_back(0);
    }
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int Occurrences(const Bytes& data, const Bytes& needle) {
    int count = 0;
    for (auto at = data.begin();
         (at = std::search(at, data.end(), needle.begin(), needle.end())) != data.end(); ++at) {
        ++count;
    }
    return count;
}

// The value command of the VK-572D (command code 57 2D) for row m and value v.
Bytes ValueCommand(std::uint8_t row, std::uint8_t value) {
    return {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00, row, value};
}
// Any value command, whatever the row and value.
const Bytes kValueCommandHead = {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00};

Bytes Label(const std::string& mode, int value) {
    return Text(mode, true) + Text("     Value = " + std::to_string(value));
}

class BidAdjustPageTest : public ServicePageTest {
protected:
    BidAdjustPageTest() { PublishInformationPane(&pane_); }
    ~BidAdjustPageTest() override { PublishInformationPane(nullptr); }

    const Bytes& Sent() { return ports_.Written("USB1"); }

    CAdjustInfoInnerDlg pane_;
};

TEST_F(BidAdjustPageTest, EachRowIsCaptionedWithItsProfileNameAndModeNumber) {
    CTolvPrnParam::Instance()->strBidName[1] = "draft";  // the table is matched case-sensitively
    CTolvPrnParam::Instance()->strBidName[2] = "NLQ";
    CHeronBidAdjustPage page;
    Run(page,
        "expect-text 1135 \"Draft Mode(Mode1)\"\nexpect-text 1141 \"Draft Mode(Mode1)\"\n"
        "expect-text 1136 \"draft Mode(Mode-1)\"\nexpect-text 1142 \"draft Mode(Mode-1)\"\n"
        "expect-text 1137 \"NLQ Mode(Mode4)\"\nexpect-text 1143 \"NLQ Mode(Mode4)\"\n"
        "expect-text 1124 \"0\"\nexpect-text 1126 \"0\"\nclick 12325\n");
}

TEST_F(BidAdjustPageTest, ReadShowsTheStoredBytesSignExtendedInTheCheckedRowsOnly) {
    Store(0xA2, 0xF4);
    Store(0xA3, 0x80);
    Store(0xA4, 0x7F);
    CHeronBidAdjustPage page;
    Run(page,
        "type 1125 \"5\"\nclick 1141\nclick 1143\nclick 1130\n" + std::string(kPrinterReady) +
            "expect-text 1124 \"-12\"\nexpect-text 1125 \"5\"\nexpect-text 1126 \"127\"\nclick 12325\n");
    EXPECT_EQ(page.EditedValue(0), -12);
    EXPECT_EQ(page.EditedValue(2), 127);
    EXPECT_EQ(ProgressWindows(), 0);
    // Reading sends no value command.
    EXPECT_EQ(Occurrences(Sent(), kValueCommandHead), 0);

    Store(0xA3, 0xFF);
    CHeronBidAdjustPage second;
    Run(second,
        "click 1142\nclick 1130\n" + std::string(kPrinterReady) + "expect-text 1125 \"-1\"\nclick 12325\n");
}

TEST_F(BidAdjustPageTest, AFailedReadKeepsTheFieldAsItWas) {
    Store(0xA2, 0x05);
    Control(kDropAfterTheWait);
    CHeronBidAdjustPage page;
    // The access object reports the failure once; the field keeps what the technician typed.
    Run(page, "type 1124 \"7\"\nclick 1141\nclick 1130\n" + std::string(kPrinterReady) +
                  "click 2@118\nexpect-text 1124 \"7\"\nclick 12325\n");
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(BidAdjustPageTest, InputSendsTheValueOfEveryCheckedRowAtTheLimitsAndShowsItInThePane) {
    Store(0xA3, 0x03);
    CHeronBidAdjustPage page;
    // Row 1 holds a value past the limit but is not checked: it is ignored.
    Run(page, "type 1124 \"-12\"\ntype 1125 \"13\"\ntype 1126 \"12\"\nclick 1141\nclick 1143\nclick 1128\n" +
                  std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(Occurrences(Sent(), ValueCommand(0, 0xF4)), 1);
    EXPECT_EQ(Occurrences(Sent(), ValueCommand(2, 0x0C)), 1);
    EXPECT_EQ(Occurrences(Sent(), kValueCommandHead), 2);
    EXPECT_EQ(Stored(0xA2), 0xF4);
    EXPECT_EQ(Stored(0xA3), 0x03);
    EXPECT_EQ(Stored(0xA4), 0x0C);
    EXPECT_EQ(pane_.m_fields.strBidValue[0], "-12");
    EXPECT_EQ(pane_.m_fields.strBidValue[1], "");
    EXPECT_EQ(pane_.m_fields.strBidValue[2], "12");
    EXPECT_EQ(page.EnteredValue(0), -12);
    EXPECT_EQ(page.EnteredValue(1), 0);
}

TEST_F(BidAdjustPageTest, AValuePastTheLimitInAnyCheckedRowSendsNothingForAnyRow) {
    for (const char* bad : {"13", "-13"}) {
        SCOPED_TRACE(bad);
        CHeronBidAdjustPage page;
        // The valid row comes first: it must not go out before the bad one is found.
        Run(page, "type 1124 \"4\"\ntype 1126 \"" + std::string(bad) +
                      "\"\nclick 1141\nclick 1143\nclick 1128\n" + kRangeAnswer + "click 12325\n");
        EXPECT_EQ(Occurrences(Sent(), kValueCommandHead), 0);
        EXPECT_EQ(Stored(0xA2), 0x00);
        EXPECT_EQ(pane_.m_fields.strBidValue[0], "");
        EXPECT_EQ(page.EnteredValue(0), 0);
    }
    // A text that is no integer stops Input with the framework's message, before any exchange.
    for (const char* text : {"", "abc", "12."}) {
        SCOPED_TRACE(text);
        CHeronBidAdjustPage page;
        Run(page, "type 1124 \"" + std::string(text) +
                      "\"\nclick 1141\nclick 1128\nanswer ok \"Please enter an integer.\"\nclick 12325\n");
    }
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
}

TEST_F(BidAdjustPageTest, MinusZeroIsStoredAsZero) {
    Store(0xA3, 0x07);
    CHeronBidAdjustPage page;
    Run(page, "type 1125 \"-0\"\nclick 1142\nclick 1128\n" + std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(Occurrences(Sent(), ValueCommand(1, 0x00)), 1);
    EXPECT_EQ(Stored(0xA3), 0x00);
    EXPECT_EQ(pane_.m_fields.strBidValue[1], "0");
}

TEST_F(BidAdjustPageTest, AValueThePrinterDidNotTakeIsNotShownAsStored) {
    Control(kDropAfterTheWait);
    CHeronBidAdjustPage page;
    // The line drops in the first job: it fails, and no row is shown as stored.
    Run(page, "type 1124 \"6\"\ntype 1125 \"-6\"\nclick 1141\nclick 1142\nclick 1128\n" +
                  std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(pane_.m_fields.strBidValue[0], "");
    EXPECT_EQ(pane_.m_fields.strBidValue[1], "");
    EXPECT_EQ(Stored(0xA2), 0x00);
}

TEST_F(BidAdjustPageTest, PrintLabelsEachCheckedRowWithItsStoredValueAndEndsThePrintoutOnce) {
    Store(0xA2, 0xFD);
    Store(0xA3, 0x09);
    Store(0xA4, 0x02);
    CHeronBidAdjustPage page;
    Run(page, "click 1135\nclick 1137\nclick 1127\n" + std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(Occurrences(Sent(), Label("Mode 1", -3)), 1);
    EXPECT_EQ(Occurrences(Sent(), Text("Mode 2", true)), 0);
    EXPECT_EQ(Occurrences(Sent(), Label("Mode 4", 2)), 1);
    EXPECT_EQ(Occurrences(Sent(), kFormEnd), 1);
    // The printout ends after the last pattern.
    const Bytes lastLabel = Label("Mode 4", 2);
    const auto lastPattern = std::search(Sent().begin(), Sent().end(), lastLabel.begin(), lastLabel.end());
    EXPECT_NE(std::search(lastPattern, Sent().end(), kFormEnd.begin(), kFormEnd.end()), Sent().end());
    EXPECT_EQ(Occurrences(Sent(), kValueCommandHead), 0);
}

TEST_F(BidAdjustPageTest, NoPatternIsPrintedWithAStoredValueThatWasNotRead) {
    Control(kDropAfterTheWait);
    CHeronBidAdjustPage page;
    Run(page, "click 1135\nclick 1127\n" + std::string(kPrinterReady) + "click 2@118\nclick 12325\n");
    EXPECT_EQ(Occurrences(Sent(), Text("Mode 1", true)), 0);
    EXPECT_EQ(Occurrences(Sent(), kFormEnd), 0);
}

TEST_F(BidAdjustPageTest, TheValueFoundOnPaperStraightensTheRightToLeftPasses) {
    Control("bid-error=4,-3,0");
    EXPECT_EQ(printer_->Core().RightToLeftShift(0), 4);
    CHeronBidAdjustPage page;
    Run(page, "type 1124 \"4\"\ntype 1125 \"-3\"\nclick 1141\nclick 1142\nclick 1128\n" +
                  std::string(kPrinterReady) + "click 12325\n");
    EXPECT_EQ(printer_->Core().RightToLeftShift(0), 0);
    EXPECT_EQ(printer_->Core().RightToLeftShift(1), 0);
    EXPECT_EQ(Stored(0xA3), 0xFD);
}

}  // namespace
}  // namespace pagetest

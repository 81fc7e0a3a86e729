// The margin and paper-end threshold pages driven by the scripted technician against the virtual
// printer, checked in the printer's EEPROM and in what the technician is shown.
#include <cstdint>
#include <string>

#include "ServicePageFixture.h"
#include "config/CTolvPrnParam.h"
#include "pages/CHeronBottomMarginAdjustPage.h"
#include "pages/CHeronTopMarginAdjustPage.h"
#include "pages/CPEAdjust.h"
#include "platform/ModulePath.h"

namespace pagetest {
namespace {

const char kPrinterReady[] = "click 1@176\n";
const char kFinish[] = "click 12325\n";
// The status exchanges of the waiting dialog stay below this many bytes: the line drops in the EEPROM
// exchange that follows them.
const char kDropAfterTheWait[] = "drop-after=100";
// A cut sheet at the front, the lever on friction, the normal gap: what the margin check page needs.
const char kCutSheetLoaded[] = "sensors=0x12";

std::string Expect(int id, const std::string& text) {
    return "expect-text " + std::to_string(id) + " \"" + text + "\"\n";
}

class MarginPageTest : public ServicePageTest {
protected:
    // The shipped profile with the feed step and the bottom offset the test gives; a step of 0 is the
    // profile that does not say it (the loader's default), which the shipped one does.
    void UseProfile(int stepsPerInch, int bottomOffset = 0) {
        static const int here = 0;
        std::string profile = testsupport::ReadBytes(platform::NativePath(
            platform::ModuleFolderContaining(&here) + "Parameter/VK-572D/Parameter.ini"));
        const std::string keys = "pnMecaAdjVal=0 0 " + std::to_string(bottomOffset) +
                                 "\r\nnMarginStepsPerInch=" + std::to_string(stepsPerInch) + "\r\n";
        // Right below the section's name: of two equal keys in a section the first is read.
        profile.insert(profile.find('\n', profile.find("[CONTROL]")) + 1, keys);
        folder_.Write("Parameter/VK-572D/Parameter.ini", profile);
        CTolvPrnParam::Instance()->SetProfile("VK-572D");
    }
};

TEST_F(MarginPageTest, ReadShowsTheStoredTopAndBottomBytesInMillimetres) {
    UseProfile(360);
    const std::pair<std::uint8_t, const char*> top[] = {
        {0, "8.50"}, {10, "7.80"}, {43, "5.45"}, {0x9C, "12.50"}};
    for (const auto& [stored, shown] : top) {
        Store(0x7C, stored);
        CHeronTopMarginAdjustPage page;
        Run(page, "click 1130\n" + std::string(kPrinterReady) + Expect(1122, shown) + kFinish);
        EXPECT_EQ(ProgressWindows(), 0);
    }
    const std::pair<std::uint8_t, const char*> bottom[] = {{0, "0.75"}, {10, "1.45"}, {255, "6.80"}};
    for (const auto& [stored, shown] : bottom) {
        Store(0x7E, stored);
        CHeronBottomMarginAdjustPage page;
        Run(page, "click 1130\n" + std::string(kPrinterReady) + Expect(1122, shown) + kFinish);
    }
}

TEST_F(MarginPageTest, TheProfilesStepAndOffsetGoBeforeTheModelName) {
    // K 432, M 20: byte 30 is ten steps above the offset.
    UseProfile(432, 20);
    Store(0x7E, 30);
    CHeronBottomMarginAdjustPage page;
    Run(page, "click 1130\n" + std::string(kPrinterReady) + Expect(1122, "1.35") + kFinish);
}

TEST_F(MarginPageTest, AFailedReadLeavesTheFieldAsItWas) {
    UseProfile(360);
    Store(0x7C, 0);
    Control(kDropAfterTheWait);
    CHeronTopMarginAdjustPage page;
    // The access object tells the technician; no 8.50 appears for a byte that was never read.
    Run(page, "type 1122 \"6.00\"\nclick 1130\n" + std::string(kPrinterReady) + "click 2@118\n" +
                  Expect(1122, "6.00") + kFinish);
    EXPECT_EQ(page.MarginValue(), 0.0);
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(MarginPageTest, InputStoresTheByteThatReadsBackAsTheEnteredMargin) {
    UseProfile(360);
    Control(kCutSheetLoaded);
    const std::pair<const char*, std::uint8_t> top[] = {
        {"5.0", 50}, {"12.5", 0xC7}, {"7.80", 10}, {"8.5", 0}};
    for (const auto& [entered, stored] : top) {
        CHeronTopMarginAdjustPage page;
        Run(page, "type 1122 \"" + std::string(entered) + "\"\nclick 1128\n" + kPrinterReady + kFinish);
        EXPECT_EQ(Stored(0x7C), stored) << entered;
        EXPECT_EQ(ProgressWindows(), 0);
    }
    // The field shows what the printer now holds: 7.81 is not on the step's grid, 7.80 is.
    CHeronTopMarginAdjustPage nearest;
    Run(nearest,
        "type 1122 \"7.81\"\nclick 1128\n" + std::string(kPrinterReady) + Expect(1122, "7.80") + kFinish);
    EXPECT_EQ(Stored(0x7C), 10);

    const std::pair<const char*, std::uint8_t> bottom[] = {{"6.8", 86}, {"1.45", 10}, {"-0", 0}};
    for (const auto& [entered, stored] : bottom) {
        CHeronBottomMarginAdjustPage page;
        Run(page, "type 1122 \"" + std::string(entered) + "\"\nclick 1128\n" + kPrinterReady + kFinish);
        EXPECT_EQ(Stored(0x7E), stored) << entered;
    }
}

TEST_F(MarginPageTest, ARefusedInputTouchesNeitherThePrinterNorTheField) {
    UseProfile(360);
    Store(0x7C, 43);
    Store(0x7E, 10);
    const struct {
        bool top;
        const char* entered;
        const char* message;
    } cases[] = {
        {true, "4.99", "top margin value must be more 5.0"},
        {true, "12.51", "top margin value must be less than 12.5"},
        {false, "-0.01", "bottom margin value must be more 0.0"},
        {false, "6.81", "bottom margin value must be less than 6.8"},
        {true, "abc", "Please enter a number."},
        {false, "", "Please enter a number."},
        {true, "1e1", "Please enter a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered);
        const std::string script = "type 1122 \"" + std::string(c.entered) + "\"\nclick 1128\nanswer ok \"" +
                                   c.message + "\"\n" + Expect(1122, c.entered) + kFinish;
        if (c.top) {
            CHeronTopMarginAdjustPage page;
            Run(page, script);
        } else {
            CHeronBottomMarginAdjustPage page;
            Run(page, script);
        }
    }
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
    EXPECT_EQ(Stored(0x7C), 43);
    EXPECT_EQ(Stored(0x7E), 10);
}

TEST_F(MarginPageTest, AMarginThePrinterDidNotTakeIsNotShownAsStored) {
    UseProfile(360);
    Store(0x7C, 43);
    Control(kDropAfterTheWait);
    CHeronTopMarginAdjustPage page;
    Run(page, "type 1122 \"8.5\"\nclick 1128\n" + std::string(kPrinterReady) + "click 2@118\n" +
                  Expect(1122, "8.5") + kFinish);
    EXPECT_EQ(Stored(0x7C), 43);
    EXPECT_EQ(page.MarginValue(), 0.0);
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(MarginPageTest, NothingIsStoredOnAPrinterTheTechnicianDidNotConfirm) {
    UseProfile(360);
    Store(0x7C, 43);
    Store(0xA6, 0x5A);
    Control("paper-out=1");
    CHeronTopMarginAdjustPage page;
    Run(page, "type 1122 \"8.5\"\nclick 1128\nclick 2@176\nclick 1130\nclick 2@176\n" + Expect(1122, "8.5") +
                  kFinish);
    CPEAdjust threshold(2);
    Run(threshold, "click 1128\nclick 2@176\n" + std::string(kFinish));
    EXPECT_EQ(Stored(0x7C), 43);
    EXPECT_EQ(Stored(0xA6), 0x5A);
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(MarginPageTest, AModelWithoutAKnownStepIsRefusedBeforeAnyExchange) {
    UseProfile(0);
    Store(0x7C, 43);
    const std::string refusal =
        "The margin step of the model VK-572D is not known: set nMarginStepsPerInch in [CONTROL] of its "
        "Parameter.ini.";
    CHeronTopMarginAdjustPage page;
    Run(page, "type 1122 \"8.5\"\nclick 1130\n" + Expect(1005, refusal) + "click 2@118\nclick 1128\n" +
                  Expect(1005, refusal) + "click 2@118\n" + Expect(1122, "8.5") + kFinish);
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
    EXPECT_EQ(Stored(0x7C), 43);
}

TEST_F(MarginPageTest, PrintStartsTheMarginCheckPageWithItsPaperCheck) {
    // No sheet at the front: the job's paper check stops it and says why.
    Control("sensors=0x0C");
    CHeronTopMarginAdjustPage top;
    Run(top, "click 1127\n" + std::string(kPrinterReady) + "click 2@118\n" + kFinish);
    CHeronBottomMarginAdjustPage bottom;
    Run(bottom, "click 1127\n" + std::string(kPrinterReady) + "click 2@118\n" + kFinish);
    Control(kCutSheetLoaded);
    CHeronBottomMarginAdjustPage loaded;
    Run(loaded, "click 1127\n" + std::string(kPrinterReady) + kFinish);
}

using ThresholdPageTest = ServicePageTest;

TEST_F(ThresholdPageTest, EachKindClearsItsBytesAndSaysComplete) {
    const struct {
        int kind;
        const char* caption;
        int first;
        int last;
    } kinds[] = {
        {1, "Initialize TPE Threshold", 0xAA, 0xAD},
        {2, "Initialize PE Threshold", 0xA6, 0xA7},
        {4, "Initialize Front PE Threshold", 0xA8, 0xA9},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        for (int address = 0xA6; address <= 0xAD; ++address) {
            Store(address, 0x5A);
        }
        CPEAdjust page(k.kind);
        Run(page, Expect(1008, k.caption) + "click 1128\n" + kPrinterReady + Expect(1005, "Complete.") +
                      "click 1@118\n" + kFinish);
        for (int address = 0xA6; address <= 0xAD; ++address) {
            EXPECT_EQ(Stored(address), address >= k.first && address <= k.last ? 0 : 0x5A) << address;
        }
        EXPECT_EQ(ProgressWindows(), 0);
    }
}

TEST_F(ThresholdPageTest, ALostLineSaysFailed) {
    Store(0xA6, 0x5A);
    Control(kDropAfterTheWait);
    CPEAdjust page(2);
    // The access object reports the lost line, then the page its own outcome.
    Run(page, "click 1128\n" + std::string(kPrinterReady) + "click 2@118\n" + Expect(1005, "Failed.") +
                  "click 1@118\n" + kFinish);
    EXPECT_EQ(Stored(0xA6), 0x5A);
    EXPECT_EQ(ProgressWindows(), 0);
}

}  // namespace
}  // namespace pagetest

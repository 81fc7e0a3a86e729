// The raw EEPROM, counter and history operations against a printer of the virtual printer model,
// through the ESC access on its plain stream: what the loops read and write is checked in the
// printer's own EEPROM.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ModelPrinterStream.h"
#include "platform/Clock.h"
#include "printer/CEepromRwByESC.h"
#include "printer/EepromDump.h"
#include "printer/EepromDumpText.h"
#include "printer/EepromHold.h"
#include "printer/FatalErrorHistory.h"
#include "printer/UsageCounters.h"
#include "testsupport/MessageRecorder.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"

namespace printertest {
namespace {

vprinter::ModelProfile Vk572d() {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile("VK-572D", &profile, &error)) << error;
    return profile;
}

// Builds the dump text from the observer's calls, as a page does, and notes the writes.
class TextObserver : public printer::IEepromDumpObserver {
public:
    void OnRow(int row) override { text += printer::DumpRowLabel(row, printer::DumpLayout::Read); }
    void OnCell(int, std::int32_t entry) override { text += printer::DumpCell(entry); }
    void OnWritten(int address, bool written) override { writes.push_back(written ? address : -address - 1); }
    std::string text;
    std::vector<int> writes;  // the address, or -address - 1 for a failed write
};

class EepromServiceOps : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        ASSERT_EQ(printer::HandOut<CEepromRwByESC>(&eeprom, platform::kIidIUnknown, stream,
                                                   printer.Core().Profile().commandCode[0],
                                                   printer.Core().Profile().commandCode[1], 0xFFu, nullptr),
                  1);
    }
    void TearDown() override { eeprom->Release(); }
    void Control(const std::string& words) {
        ASSERT_TRUE(vprinter::ApplyControl(printer, words).ok) << words;
    }
    std::uint8_t Stored(int address) {
        std::uint8_t value = 0;
        EXPECT_TRUE(printer.Core().EepromImage().Read(address, &value));
        return value;
    }
    void Store(int address, std::uint8_t value) {
        ASSERT_TRUE(printer.Core().EepromImage().Write(address, value));
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    testsupport::MessageRecorder messages;
    vprinter::VirtualPrinter printer{Vk572d(), "USB1"};
    ModelPrinterStream* stream = new ModelPrinterStream(printer);
    IEepromRW* eeprom = nullptr;
    TextObserver observer;
    printer::EepromImage image = printer::BlankEepromImage();
};

TEST(EepromDumpTextTest, HeaderRowsAndCellsOfBothLayouts) {
    using printer::DumpLayout;
    EXPECT_EQ(printer::DumpHeader(DumpLayout::Read),
              "ADDR  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n" + std::string(56, '-'));
    EXPECT_EQ(printer::DumpHeader(DumpLayout::Restored),
              "ADDR   +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F \r\n" + std::string(57, '-'));
    EXPECT_EQ(printer::DumpRowLabel(0, DumpLayout::Read), "\r\n 00  ");
    EXPECT_EQ(printer::DumpRowLabel(0xF, DumpLayout::Read), "\r\n F0  ");
    EXPECT_EQ(printer::DumpRowLabel(0xA, DumpLayout::Restored), "\r\n A0   ");
    EXPECT_EQ(printer::DumpCell(0x0A), " 0A");
    EXPECT_EQ(printer::DumpCell(0xFF), " FF");
    EXPECT_EQ(printer::DumpCell(-1), " --");
    EXPECT_EQ(printer::DumpCell(256), " --");
    const std::string whole = printer::DumpText(printer::BlankEepromImage(), DumpLayout::Read);
    EXPECT_EQ(whole.size(), printer::DumpHeader(DumpLayout::Read).size() + 16 * (7 + 16 * 3));
}

TEST_F(EepromServiceOps, ARangeReadsOneRowAndLeavesTheOthersUnread) {
    Store(0x10, 0xAB);
    Store(0x1F, 0x01);
    const printer::EepromImage mask = printer::RangeMask(0x10, 0x1F);
    ASSERT_EQ(printer::ReadEepromDump(eeprom, &image, &mask, nullptr, &observer), 1);
    EXPECT_EQ(image[0x10], 0xAB);
    EXPECT_EQ(image[0x1F], 0x01);
    EXPECT_EQ(image[0x0F], printer::kNotRead);
    EXPECT_EQ(image[0x20], printer::kNotRead);
    EXPECT_EQ(stream->writes, 16) << "one read request per address of the row, none for the rest";
    // The observer saw the same dump the whole-image text gives.
    EXPECT_EQ(printer::DumpHeader(printer::DumpLayout::Read) + observer.text,
              printer::DumpText(image, printer::DumpLayout::Read));
    EXPECT_NE(observer.text.find("\r\n 10   AB"), std::string::npos);
}

TEST_F(EepromServiceOps, AWholeReadMatchesThePrinter) {
    ASSERT_EQ(printer::ReadEepromDump(eeprom, &image, nullptr, nullptr, nullptr), 1);
    for (int address = 0; address < printer::kEepromImageEntries; ++address) {
        ASSERT_EQ(image[static_cast<std::size_t>(address)], Stored(address)) << address;
    }
}

TEST_F(EepromServiceOps, AReadStopsAtAFailureOrACancelAndKeepsNoStaleBytes) {
    image.fill(0x55);
    Control("offline=silent");
    EXPECT_EQ(printer::ReadEepromDump(eeprom, &image, nullptr, nullptr, &observer), 0);
    EXPECT_EQ(image, printer::BlankEepromImage()) << "entries of an earlier dump are not left behind";

    Control("offline=no");
    const int writesBefore = stream->writes;
    const bool cancel = true;
    EXPECT_EQ(printer::ReadEepromDump(eeprom, &image, nullptr, &cancel, nullptr), 0);
    EXPECT_EQ(stream->writes, writesBefore) << "a cancelled read sends nothing";
}

TEST_F(EepromServiceOps, AWriteSkipsUnreadEntriesAndStopsAtTheFirstFailedWrite) {
    Store(5, 0x42);
    Store(6, 0x43);
    image[4] = 0x11;
    image[5] = 300;  // not a byte: left alone
    image[6] = printer::kNotRead;
    image[7] = 0x00;
    ASSERT_EQ(printer::WriteEepromDump(eeprom, image, &image, nullptr, &observer), 1);
    EXPECT_EQ(Stored(4), 0x11);
    EXPECT_EQ(Stored(5), 0x42);
    EXPECT_EQ(Stored(6), 0x43);
    EXPECT_EQ(Stored(7), 0x00);
    EXPECT_EQ(observer.writes, (std::vector<int>{4, 7}));

    // A mask narrows the write further.
    image[4] = 0x22;
    image[7] = 0x33;
    const printer::EepromImage mask = printer::RangeMask(7, 7);
    ASSERT_EQ(printer::WriteEepromDump(eeprom, image, &mask, nullptr, nullptr), 1);
    EXPECT_EQ(Stored(4), 0x11);
    EXPECT_EQ(Stored(7), 0x33);

    // The line drops inside the second write request (16 bytes each): nothing after it is sent.
    observer.writes.clear();
    image.fill(0x77);
    Control("drop-after=20");
    EXPECT_EQ(printer::WriteEepromDump(eeprom, image, nullptr, nullptr, &observer), 0);
    EXPECT_EQ(observer.writes, (std::vector<int>{0, -2}));
    EXPECT_EQ(Stored(0), 0x77);
    EXPECT_NE(Stored(2), 0x77);
}

TEST_F(EepromServiceOps, CountersAreLittleEndianUnsignedAndTakeTwelveSteps) {
    printer.Core().EepromImage().Write32(0x04, 10000);  // 10 27 00 00
    printer.Core().EepromImage().Write32(0x08, 0xFFFFFFFFu);
    printer.Core().EepromImage().Write32(0x0C, 7);
    EXPECT_EQ(Stored(0x04), 0x10);
    EXPECT_EQ(Stored(0x05), 0x27);
    std::vector<std::uint32_t> shown;
    int steps = 0;
    EXPECT_EQ(
        printer::ReadUsageCounters(
            eeprom, [&](int index, std::uint32_t value) { shown.resize(index + 1), shown[index] = value; },
            [&] { ++steps; }),
        3);
    EXPECT_EQ(shown, (std::vector<std::uint32_t>{10000, 4294967295u, 7}));
    EXPECT_EQ(steps, printer::kUsageCounterSteps);
}

TEST_F(EepromServiceOps, AResetClearsOnlyTheChosenCountersAndStillStepsTwelveTimes) {
    for (int address = 0x04; address <= 0x0F; ++address) {
        Store(address, 0x5A);
    }
    int steps = 0;
    ASSERT_EQ(printer::ResetUsageCounters(eeprom, 2, [&] { ++steps; }), 1);
    EXPECT_EQ(steps, 12);
    for (int address = 0x04; address <= 0x0F; ++address) {
        EXPECT_EQ(Stored(address), address >= 0x08 && address <= 0x0B ? 0x00 : 0x5A) << address;
    }
    ASSERT_EQ(printer::ResetUsageCounters(eeprom, 1 | 4, nullptr), 1);
    EXPECT_EQ(printer.Core().EepromImage().Read32(0x04), 0u);
    EXPECT_EQ(printer.Core().EepromImage().Read32(0x0C), 0u);

    Control("drop-after=0");
    EXPECT_EQ(printer::ResetUsageCounters(eeprom, 4, nullptr), 0);
}

TEST_F(EepromServiceOps, AFailedCounterReadEndsTheRunWithTheCountersReadSoFar) {
    int shown = 0;
    Control("offline=silent");
    EXPECT_EQ(printer::ReadUsageCounters(
                  eeprom, [&](int, std::uint32_t) { ++shown; }, nullptr),
              0);
    EXPECT_EQ(shown, 0);
}

TEST_F(EepromServiceOps, TheHistoryGivesFiveCodesWithTheirLineCounts) {
    for (int i = 0; i < 5; ++i) {
        Store(0x77 + i, static_cast<std::uint8_t>(0x2A + i));
        printer.Core().EepromImage().Write32(0x7C + 4 * i, i == 1 ? 0xFFFFFFFFu : 1000u * i);
    }
    std::vector<printer::FatalErrorEntry> entries;
    int steps = 0;
    EXPECT_EQ(printer::ReadFatalErrorHistory(
                  eeprom, [&](int, const printer::FatalErrorEntry& entry) { entries.push_back(entry); },
                  [&] { ++steps; }),
              5);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(entries[0].code, 0x2A);
    EXPECT_EQ(entries[4].code, 0x2E);
    EXPECT_EQ(entries[1].lineCount, 0xFFFFFFFFu);
    EXPECT_EQ(entries[3].lineCount, 3000u);
    EXPECT_TRUE(entries[4].lineCountRead);
}

TEST_F(EepromServiceOps, ALineCountCutShortIsNoCount) {
    Store(0x77, 0x10);
    // Each read request is 13 bytes: the code and two count bytes go out, the third is cut.
    Control("drop-after=" + std::to_string(13 * 3 + 5));
    std::vector<printer::FatalErrorEntry> entries;
    EXPECT_EQ(
        printer::ReadFatalErrorHistory(
            eeprom, [&](int, const printer::FatalErrorEntry& entry) { entries.push_back(entry); }, nullptr),
        1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].code, 0x10);
    EXPECT_FALSE(entries[0].lineCountRead);
}

// The hold owns exactly one reference of the access: it gives it back when it goes, when another is
// moved over it and on Release, and a hold moved from or already empty gives back nothing.
TEST_F(EepromServiceOps, AHoldGivesItsReferenceBackOnEveryWayOutAndOnlyOnce) {
    const auto references = [this] {
        eeprom->AddRef();
        return eeprom->Release();
    };
    eeprom->AddRef();
    {
        printer::EepromHold hold(eeprom);
        EXPECT_EQ(references(), 2);
        printer::EepromHold moved(std::move(hold));
        EXPECT_FALSE(hold);
        EXPECT_EQ(moved.Get(), eeprom);
        EXPECT_EQ(references(), 2);
    }
    EXPECT_EQ(references(), 1);

    eeprom->AddRef();
    eeprom->AddRef();
    printer::EepromHold first(eeprom);
    printer::EepromHold second(eeprom);
    EXPECT_EQ(references(), 3);
    first = std::move(second);
    EXPECT_EQ(references(), 2);
    EXPECT_FALSE(second);
    std::uint8_t value = 0;
    EXPECT_EQ(first->ReadByte(0x10, &value), 1);
    first.Release();
    EXPECT_FALSE(first);
    first.Release();
    EXPECT_EQ(references(), 1);
}

}  // namespace
}  // namespace printertest

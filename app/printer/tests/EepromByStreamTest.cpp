// The EEPROM access over a plain byte stream, against the virtual printer's plain stream.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ModelPrinterStream.h"
#include "platform/Clock.h"
#include "printer/CEepromRwByESC.h"
#include "printer/ReceiveWindow.h"
#include "testsupport/MessageRecorder.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"

namespace printertest {
namespace {

vprinter::ModelProfile LoadProfile(const std::string& name) {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile(name, &profile, &error)) << error;
    return profile;
}

class EepromByStream : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        code1 = printer.Core().Profile().commandCode[0];
        code2 = printer.Core().Profile().commandCode[1];
        ASSERT_EQ(printer::HandOut<CEepromRwByESC>(&eeprom, platform::kIidIUnknown, stream, code1, code2,
                                                   0xFFu, nullptr),
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

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    testsupport::MessageRecorder messages;
    vprinter::VirtualPrinter printer{LoadProfile(GetParam()), "USB1"};
    ModelPrinterStream* stream = new ModelPrinterStream(printer);
    IEepromRW* eeprom = nullptr;
    std::uint8_t code1 = 0;
    std::uint8_t code2 = 0;
};

TEST_P(EepromByStream, ReadsWritesAndReadsBack) {
    for (const int address : {0x00, 0x3C, 0xA2, 0xFF}) {
        std::uint8_t value = 0;
        ASSERT_EQ(eeprom->ReadByte(address, &value), 1) << address;
        EXPECT_EQ(value, Stored(address)) << address;
    }
    ASSERT_EQ(eeprom->WriteByte(0xA2, 0xFB), 1);
    EXPECT_EQ(Stored(0xA2), 0xFB);
    std::uint8_t back = 0;
    EXPECT_EQ(eeprom->ReadByte(0xA2, &back), 1);
    EXPECT_EQ(back, 0xFB);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(EepromByStream, TheWordIsLittleEndianAcrossItsTwoAddresses) {
    Control("poke=0x10:0x34");
    Control("poke=0x11:0x12");
    std::uint16_t value = 0;
    ASSERT_EQ(ReadEepromWord(eeprom, 0x10, 0x11, &value), 1);
    EXPECT_EQ(value, 0x1234);
    // A negative address reads nothing at all.
    value = 7;
    const int writesBefore = stream->writes;
    EXPECT_EQ(ReadEepromWord(eeprom, -1, 0x11, &value), 0);
    EXPECT_EQ(ReadEepromWord(eeprom, 0x10, -1, &value), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(stream->writes, writesBefore);
}

INSTANTIATE_TEST_SUITE_P(BothAddressForms, EepromByStream, ::testing::Values("VK-572D", "VK-2240II"));

using EepromByStreamOneModel = EepromByStream;
INSTANTIATE_TEST_SUITE_P(OneModel, EepromByStreamOneModel, ::testing::Values("VK-572D"));

TEST_P(EepromByStreamOneModel, AddressesItCannotReachAreNotSent) {
    CEepromRwByESC small(nullptr, code1, code2, 0x7F, nullptr);
    std::uint8_t value = 0x42;
    EXPECT_EQ(small.ReadByte(0x80, &value), 0);
    EXPECT_EQ(value, 0x42);
    for (const int address : {-1, 0x100, 0x1A2}) {
        EXPECT_EQ(eeprom->ReadByte(address, &value), 0) << address;
        EXPECT_EQ(eeprom->WriteByte(address, 0x00), 0) << address;
    }
    EXPECT_EQ(value, 0x42);
    EXPECT_TRUE(stream->written.empty());
}

TEST_P(EepromByStreamOneModel, ASilentPrinterGivesNoValueAfterThreeReads) {
    Control("offline=silent");
    std::uint8_t value = 0x42;
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(eeprom->ReadByte(0x10, &value), 0);
    EXPECT_EQ(value, 0xFF);
    // The reads succeed with nothing in them: an empty reply is no byte, and not worth the retries.
    EXPECT_EQ(stream->reads, 1);
    EXPECT_LE(clock.ElapsedMilliseconds() - before, 1000u);
    // The stream access has no callback to tell.
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(EepromByStreamOneModel, ADroppedLineIsTriedThreeTimes100msApartForAReadAnd50msForAWrite) {
    Control("drop-after=0");
    std::uint8_t value = 0x42;
    std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(eeprom->ReadByte(0x10, &value), 0);
    EXPECT_EQ(value, 0xFF);
    EXPECT_EQ(stream->writes, 3);
    EXPECT_EQ(stream->reads, 0);
    EXPECT_EQ(clock.ElapsedMilliseconds() - before, 200u);

    before = clock.ElapsedMilliseconds();
    EXPECT_EQ(eeprom->WriteByte(0x10, 0x00), 0);
    EXPECT_EQ(stream->writes, 6);
    EXPECT_EQ(clock.ElapsedMilliseconds() - before, 100u);
}

TEST_P(EepromByStreamOneModel, ASlowPrinterIsWaitedFor) {
    Control("latency-ms=300");
    std::uint8_t value = 0;
    EXPECT_EQ(eeprom->ReadByte(0xA2, &value), 1);
    EXPECT_EQ(value, Stored(0xA2));
    EXPECT_GE(clock.ElapsedMilliseconds(), 300u);
}

TEST_P(EepromByStreamOneModel, PausesAreTenMilliseconds) {
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(eeprom->Pause1(0, 0), 1);
    EXPECT_EQ(eeprom->Pause2(5, 6), 1);
    EXPECT_EQ(clock.ElapsedMilliseconds() - before, 20u);
    EXPECT_EQ(eeprom->GetLastAddress(), 0xFF);
    EXPECT_EQ(eeprom->IsAvailable(), 1);
}

std::string Text(const std::vector<std::uint8_t>& bytes, std::size_t from) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

TEST_P(EepromByStreamOneModel, DumpOfNothingReadPrintsSixteenLabelledRowsOfDashes) {
    std::array<std::int32_t, 256> values;
    values.fill(-1);
    ASSERT_EQ(eeprom->PrintDump(values.data()), 1);
    const std::vector<std::uint8_t> preambles = {0x1B, 0x53,  0x1B,  0x1B, 0x53, 0x1C, 0x1B, 0x40, 0x1C,
                                                 0x2E, 0x18,  0x1B,  0x78, 0x30, 0x1B, 0x7C, 0x00, 0x06,
                                                 0x00, code1, code2, 0x03, 0xFC, 0x81, 0x00};
    ASSERT_GT(stream->written.size(), preambles.size());
    EXPECT_EQ(std::vector<std::uint8_t>(stream->written.begin(), stream->written.begin() + 25), preambles);
    std::string expected = "addr  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n";
    expected += std::string(53, '-') + "\r\n";
    const char* labels[] = {" 00  ", " 10  ", " 20  ", " 30  ", " 40  ", " 50  ", " 60  ", " 70  ",
                            " 80  ", " 90  ", " A0  ", " B0  ", " C0  ", " D0  ", " E0  ", " F0  "};
    for (const char* label : labels) {
        expected += label;
        for (int column = 0; column < 16; ++column) {
            expected += " --";
        }
        expected += "\r\n";
    }
    expected += "\r\n\r\n\r\n";
    EXPECT_EQ(Text(stream->written, 25), expected);
}

TEST_P(EepromByStreamOneModel, DumpShowsReadEntriesInHexAndTheRestAsDashes) {
    std::array<std::int32_t, 256> values;
    for (int i = 0; i < 256; ++i) {
        values[static_cast<std::size_t>(i)] = i;
    }
    values[0x11] = 256;
    values[0x12] = -1;
    values[0xFF] = 0x7FFFFFFF;
    ASSERT_EQ(eeprom->PrintDump(values.data()), 1);
    const std::string text = Text(stream->written, 25);
    EXPECT_NE(text.find("\r\n 00   00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n 10   10 -- -- 13 14"), std::string::npos);
    EXPECT_NE(text.find("\r\n F0   F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE --\r\n\r\n\r\n\r\n"),
              std::string::npos);
}

TEST_P(EepromByStreamOneModel, ADumpCutByADroppedLineIsNotReportedAsPrinted) {
    std::array<std::int32_t, 256> values;
    values.fill(0x55);
    Control("drop-after=200");
    EXPECT_EQ(eeprom->PrintDump(values.data()), 0);
    // Dropped before the preambles went out: nothing more is tried.
    Control("clear-faults");
    printer.Close();
    ASSERT_TRUE(printer.Open());
    Control("drop-after=10");
    const int writes = stream->writes;
    EXPECT_EQ(eeprom->PrintDump(values.data()), 0);
    EXPECT_EQ(stream->writes - writes, 1);
}

// Replies that do not carry the value where it belongs: never a value shown as read.
class CannedReplyStream : public printer::CRefCounted<IDestroyableStream> {
public:
    explicit CannedReplyStream(std::string reply) : reply_(std::move(reply)) {}
    platform::HResult Read(void* buffer, std::uint32_t count, std::uint32_t* read) override {
        const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(reply_.size(), count));
        std::copy_n(reply_.data(), n, static_cast<char*>(buffer));
        *read = n;
        return platform::kSOk;
    }
    platform::HResult Write(const void*, std::uint32_t count, std::uint32_t* written) override {
        if (written != nullptr) {
            *written = count;
        }
        return platform::kSOk;
    }

private:
    std::string reply_;
};

TEST(EepromReplies, OnlyTwoHexadecimalCharactersAtOffsets14And15AreAValue) {
    const struct {
        std::string reply;
        int value;  // -1: no value
    } rows[] = {
        {"EE:00A2 VALUE:5A;", 0x5A},
        {"EE:00A2 VALUE:5a", 0x5A},
        {"EE:0000 VALUE:00;", 0x00},
        {"EE:00A2 VALUE:5", -1},
        {"", -1},
        {"EE:00A2 VALUE:", -1},
        {"EE:00A2 VALUE:G1;", -1},
        {"EE:00A2 VALUE: 5;", -1},
        {"EE:00A2 VALUE:5;", -1},
        {std::string("EE:00A2 VALUE:\0A;", 17), -1},
        {"EE:00A2 VALUE:FF" + std::string(2000, 'x'), 0xFF},
        {std::string(printer::kReceiveWindow, '7'), 0x77},
    };
    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    for (const auto& row : rows) {
        auto* canned = new CannedReplyStream(row.reply);
        CEepromRwByESC eeprom(canned, 1, 2, 0xFF, nullptr);
        std::uint8_t value = 0x42;
        const int read = eeprom.ReadByte(0x10, &value);
        if (row.value < 0) {
            EXPECT_EQ(read, 0) << row.reply.substr(0, 20);
            EXPECT_EQ(value, 0xFF) << row.reply.substr(0, 20);
        } else {
            EXPECT_EQ(read, 1) << row.reply.substr(0, 20);
            EXPECT_EQ(value, row.value) << row.reply.substr(0, 20);
        }
    }
}

TEST(EepromReplies, WithoutAStreamEveryTransferFails) {
    CEepromRwByESC eeprom(nullptr, 1, 2, 0xFF, nullptr);
    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    std::uint8_t value = 0;
    EXPECT_EQ(eeprom.ReadByte(0x10, &value), 0);
    EXPECT_EQ(value, 0xFF);
    EXPECT_EQ(eeprom.WriteByte(0x10, 1), 0);
    std::array<std::int32_t, 256> values{};
    EXPECT_EQ(eeprom.PrintDump(values.data()), 0);
}

}  // namespace
}  // namespace printertest

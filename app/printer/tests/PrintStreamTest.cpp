// The print streams against the virtual printer, through the real Plexer and ChanLink.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "BoundPrinterFixture.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/StreamDebugText.h"

namespace printertest {
namespace {

using platform::ISequentialStream;

class PrintStream : public BoundPrinter {
protected:
    void TearDown() override {
        if (stream != nullptr) {
            stream->Release();
        }
        BoundPrinter::TearDown();
    }
    CAutoPrinterStream& Concrete() {
        return *static_cast<CAutoPrinterStream*>(static_cast<IPrinterStream*>(stream));
    }
    // The plain EEPROM write request: CAN CAN, ESC @, ESC | with length 7, the command code, 04 FB 02,
    // address and value.
    std::vector<std::uint8_t> EepromWrite(std::uint8_t address, std::uint8_t value) {
        return {0x18, 0x18,           0x1B,           0x40, 0x1B, 0x7C, 0x00,    0x07,
                0x00, CommandCode(0), CommandCode(1), 0x04, 0xFB, 0x02, address, value};
    }

    printer::ScopedStreamDebugRecorder debug;
    ISequentialStream* stream = nullptr;
};

TEST_F(PrintStream, PlainStreamForAPortNamesItsModelAndWritesWholeRequests) {
    ASSERT_EQ(CreatePrinterStreamByName(&stream, "USB1"), 1);
    EXPECT_EQ(Concrete().ReferenceCount(), 1);
    EXPECT_EQ(Concrete().GetPort(), 0x0401);
    EXPECT_EQ(Concrete().GetModelName(), "VK-572D");
    const std::vector<std::uint8_t> request = EepromWrite(0x30, 0x5A);
    std::uint32_t written = 99;
    ASSERT_EQ(stream->Write(request.data(), static_cast<std::uint32_t>(request.size()), &written),
              platform::kSOk);
    EXPECT_EQ(written, 16u);
    EXPECT_EQ(Stored(0x30), 0x5A);
    // Every call closes the port behind it.
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_EQ(debug.Text(), "");
}

TEST_F(PrintStream, ChannelStreamWritesOverANewlyNegotiatedChannelEachTime) {
    ASSERT_EQ(CreateD4Stream(&stream, kUsb1), 1);
    // A given port is not opened at creation.
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
    EXPECT_EQ(Concrete().GetModelName(), "");
    const std::uint64_t initsBefore = printer->Transport().Initialisations();
    for (const std::uint8_t value : {0x11, 0x22}) {
        const std::vector<std::uint8_t> request = EepromWrite(0x31, value);
        std::uint32_t written = 0;
        ASSERT_EQ(stream->Write(request.data(), 16, &written), platform::kSOk);
        EXPECT_EQ(written, 16u);
        EXPECT_EQ(Stored(0x31), value);
        EXPECT_FALSE(printer->InPacketMode());
        EXPECT_EQ(ports.OpenNow("USB1"), 0);
    }
    EXPECT_EQ(printer->Transport().Initialisations() - initsBefore, 2u);
}

TEST_F(PrintStream, WriteOfNothingTouchesNoPort) {
    ASSERT_EQ(CreateD4Stream(&stream, kUsb1), 1);
    std::uint32_t written = 7;
    EXPECT_EQ(stream->Write("x", 0, &written), platform::kSOk);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

// Three attempts 50 ms apart, a ':' after each failed one and a line end after the last.
TEST_F(PrintStream, FailedWritesRetryThreeTimesThenFail) {
    for (const bool channel : {false, true}) {
        SCOPED_TRACE(channel ? "channel stream" : "plain stream");
        printer::ScopedStreamDebugRecorder local;
        ASSERT_EQ(channel ? CreateD4Stream(&stream, kUsb1) : CreatePrinterStream(&stream, kUsb1), 1);
        ports.Control("USB1", "offline=refuse");
        const int opensBefore = ports.OpenCount("USB1");
        const std::uint64_t before = clock.ElapsedMilliseconds();
        std::uint32_t written = 5;
        EXPECT_EQ(stream->Write("\x1B@", 2, &written), platform::kSFalse);
        EXPECT_EQ(written, 0u);
        EXPECT_EQ(ports.OpenCount("USB1") - opensBefore, 3);
        EXPECT_EQ(clock.ElapsedMilliseconds() - before, 150u);
        EXPECT_EQ(local.Text().substr(0, 4), ":::\n");
        ports.Control("USB1", "offline=no");
        stream->Release();
        stream = nullptr;
    }
}

TEST_F(PrintStream, AWriteCutByADroppedLineSucceedsOnTheNextAttempt) {
    ASSERT_EQ(CreatePrinterStream(&stream, kUsb1), 1);
    ports.Control("USB1", "drop-after=4");
    const std::vector<std::uint8_t> request = EepromWrite(0x32, 0x77);
    std::uint32_t written = 0;
    const std::uint64_t before = clock.ElapsedMilliseconds();
    ASSERT_EQ(stream->Write(request.data(), 16, &written), platform::kSOk);
    EXPECT_EQ(written, 16u);
    EXPECT_EQ(debug.Text(), ":\n");
    EXPECT_EQ(clock.ElapsedMilliseconds() - before, 50u);
    EXPECT_EQ(Stored(0x32), 0x77);
}

// The channel library's receive may fail or fill a whole packet; the stream reports exactly that.
TEST_F(PrintStream, ChannelReadReportsAFailedReceiveAndNeverFillsPastTheCallersBuffer) {
    ASSERT_EQ(CreateD4Stream(&stream, kUsb1), 1);
    std::array<std::uint8_t, 8> small;
    small.fill(0xEE);
    std::uint32_t read = 99;
    // Nothing was asked of the printer in this channel: nothing arrives.
    EXPECT_EQ(stream->Read(small.data(), 4, &read), platform::kSFalse);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(small[4], 0xEE);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintStream, ReadsFromARefusedPortFailWithNothingRead) {
    for (const bool channel : {false, true}) {
        ASSERT_EQ(channel ? CreateD4Stream(&stream, kUsb1) : CreatePrinterStream(&stream, kUsb1), 1);
        ports.Control("USB1", "offline=refuse");
        std::array<std::uint8_t, 16> buffer{};
        std::uint32_t read = 99;
        EXPECT_EQ(stream->Read(buffer.data(), 16, &read), platform::kSFalse);
        EXPECT_EQ(read, 0u);
        ports.Control("USB1", "offline=no");
        stream->Release();
        stream = nullptr;
    }
}

TEST_F(PrintStream, ChannelStreamAnswersOnlyTheByteStreamInterfaces) {
    ASSERT_EQ(CreateD4Stream(&stream, kUsb1), 1);
    void* given = reinterpret_cast<void*>(1);
    const platform::Iid other = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(stream->QueryInterface(other, &given), platform::kENoInterface);
    EXPECT_EQ(given, nullptr);
    EXPECT_EQ(stream->QueryInterface(platform::kIidIUnknown, &given), platform::kSOk);
    EXPECT_EQ(given, stream);
    EXPECT_EQ(stream->Release(), 1);
}

TEST_F(PrintStream, SearchTakesTheFirstPrinterAndSaysSo) {
    ports.AddPrinter("LPT2", "VK-2240II");
    ASSERT_EQ(CreatePrinterStream(&stream, -1), 1);
    EXPECT_EQ(Concrete().GetPort(), 0x0401);
    EXPECT_EQ(Concrete().GetModelName(), "VK-572D");
    EXPECT_EQ(debug.Text(), "*** [VK-572D] is detected\n");
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PrintStream, SearchFindsAParallelPrinterAfterEveryUsbNumber) {
    ports.Control("USB1", "offline=refuse");
    ports.AddPrinter("LPT2", "VK-2240II");
    ASSERT_EQ(CreateD4Stream(&stream, -1), 1);
    EXPECT_EQ(Concrete().GetPort(), 0x0481);
    EXPECT_EQ(Concrete().GetModelName(), "VK-2240II");
}

TEST_F(PrintStream, SearchWithoutPrinterGivesAStreamThatAlwaysFails) {
    ports.Control("USB1", "offline=refuse");
    ASSERT_EQ(CreatePrinterStream(&stream, -1), 1);
    EXPECT_EQ(Concrete().GetPort(), CAutoPrinterStream::kPortNotFound);
    EXPECT_EQ(Concrete().GetModelName(), "");
    EXPECT_EQ(debug.Text(), "");
    std::uint32_t count = 9;
    EXPECT_EQ(stream->Write("\x1B@", 2, &count), platform::kSFalse);
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(stream->Read(buffer.data(), 4, &count), platform::kSFalse);
    EXPECT_EQ(count, 0u);
}

TEST(PrintStreamIoErrors, KnownCodesHaveOneDebugLineEach) {
    for (const int code : {-120, -119, -112, -111, -110, -105, -104, -82, -81}) {
        const char* text = CAutoPrinterD4Stream::IoErrorText(static_cast<std::int16_t>(code));
        ASSERT_NE(text, nullptr) << code;
        const std::string line(text);
        EXPECT_EQ(line.back(), '\n') << code;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << code;
    }
    EXPECT_STREQ(CAutoPrinterD4Stream::IoErrorText(-104), "読込み時タイムアウト\n");
    for (const int code : {0, -1, -80, -83, -121, 104}) {
        EXPECT_EQ(CAutoPrinterD4Stream::IoErrorText(static_cast<std::int16_t>(code)), nullptr) << code;
    }
}

}  // namespace
}  // namespace printertest

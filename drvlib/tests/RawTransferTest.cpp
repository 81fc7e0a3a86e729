// Raw sends and the reply read: pieces and retries observed at the transport library's entry points
// (a stand-in bound in place of the real one), and whole transfers against the printer model.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "DriverFixture.h"
#include "DriverModule.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/CallingConvention.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/model/IPrintSink.h"

namespace drvtest {
namespace {

// Stands in for the transport library's write, read and channel entries while it lives, and puts the
// real binding back afterwards. Writes answer from a script (then take everything); reads report a
// waiting reply of a chosen length and copy as much of it as they are asked for, as the library does.
class TransportStandIn {
public:
    TransportStandIn() : saved_(drvlib::Transport()) {
        active_ = this;
        drvlib::Transport().write = &Write;
        drvlib::Transport().read = &Read;
        drvlib::Transport().openChannel = &OpenChannel;
    }
    ~TransportStandIn() {
        drvlib::Transport() = saved_;
        active_ = nullptr;
    }
    TransportStandIn(const TransportStandIn&) = delete;
    TransportStandIn& operator=(const TransportStandIn&) = delete;

    struct Answer {
        std::int32_t result;
        std::uint32_t taken;
    };
    std::vector<Answer> script;        // one per write call, in order; then every write takes everything
    std::vector<std::uint32_t> asked;  // the length of every write call
    std::vector<std::uint8_t> taken;   // the bytes the writes took, in order
    std::uint32_t waiting = 0;         // the length of the reply a read finds
    std::int32_t readResult = 0;       // what every read answers
    std::vector<std::uint32_t> readLengths;  // the length passed with every read into a buffer
    int channelOpens = 0;

private:
    static std::int32_t TOLVANE_STDCALL Write(void*, std::uint8_t, const std::uint8_t* data,
                                              std::uint32_t* length) {
        TransportStandIn& self = *active_;
        self.asked.push_back(*length);
        Answer answer{0, *length};
        if (self.asked.size() <= self.script.size()) {
            answer = self.script[self.asked.size() - 1];
        }
        self.taken.insert(self.taken.end(), data, data + answer.taken);
        *length = answer.taken;
        return answer.result;
    }
    static std::int32_t TOLVANE_STDCALL Read(void*, std::uint8_t, std::uint8_t* buffer,
                                             std::uint32_t* length) {
        TransportStandIn& self = *active_;
        if (self.readResult != 0) {
            return self.readResult;
        }
        if (buffer == nullptr) {
            *length = self.waiting;
            return 0;
        }
        self.readLengths.push_back(*length);
        const std::uint32_t copied = std::min(*length, self.waiting);
        std::fill(buffer, buffer + copied, static_cast<std::uint8_t>('x'));
        *length = copied;
        self.waiting = 0;
        return 0;
    }
    static std::int32_t TOLVANE_STDCALL OpenChannel(void*, std::uint8_t) {
        ++active_->channelOpens;
        return 0;
    }

    drvlib::TransportEntries saved_;
    static TransportStandIn* active_;
};

TransportStandIn* TransportStandIn::active_ = nullptr;

std::vector<std::uint8_t> Numbered(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(0));
    return bytes;
}

class RawTransferTest : public DriverFixture {
protected:
    void SetUp() override {
        printer_ = &AddPrinter("USB1");
        OpenUsb1(driver);
    }
    void TearDown() override { driver.Close(); }

    vprinter::VirtualPrinter& Printer() { return *printer_; }

    CWinVexilDrv driver;

private:
    vprinter::VirtualPrinter* printer_ = nullptr;
};

// Printers at other ports than RawTransferTest's USB1.
class OtherPortTest : public DriverFixture {};

TEST_F(RawTransferTest, SendExSendsTheRangeInPiecesOfTheWriteSize) {
    TransportStandIn transport;
    std::vector<std::uint8_t> data = Numbered(1000);
    unsigned long sent = 12345;
    EXPECT_EQ(driver.SendEx(data.data(), 1000, 200, &sent), 0);
    EXPECT_EQ(sent, 800u);
    EXPECT_EQ(transport.asked, (std::vector<std::uint32_t>{128, 128, 128, 128, 128, 128, 32}));
    EXPECT_EQ(transport.taken, std::vector<std::uint8_t>(data.begin() + 200, data.end()));
}

TEST_F(RawTransferTest, APieceTakenPartlyIsFollowedByTheRestFromWhereItStopped) {
    TransportStandIn transport;
    transport.script = {{0, 100}, {-1, 0}};
    std::vector<std::uint8_t> data = Numbered(300);
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendEx(data.data(), 300, 0, &sent), 0);
    EXPECT_EQ(sent, 300u);
    // 128 asked, 100 taken; the rest is asked from byte 100 on, refused once, then taken.
    EXPECT_EQ(transport.asked, (std::vector<std::uint32_t>{128, 128, 128, 72}));
    EXPECT_EQ(transport.taken, data);
    EXPECT_EQ(Elapsed(), 1000u);
}

TEST_F(RawTransferTest, AWriteRefusedThreeTimesGoesThroughAfterThreeSeconds) {
    TransportStandIn transport;
    transport.script = {{-3, 0}, {-3, 0}, {-3, 0}};
    std::vector<std::uint8_t> data = Numbered(40);
    const std::uint64_t before = Elapsed();
    EXPECT_EQ(driver.Send(data.data(), 40), 0);
    EXPECT_EQ(Elapsed() - before, 3000u);
    EXPECT_EQ(transport.asked, (std::vector<std::uint32_t>{40, 40, 40, 40}));
    EXPECT_EQ(transport.taken, data);
    EXPECT_TRUE(messages.Texts().empty());
}

// A write that reports success but takes nothing counts as refused; the retries end the send.
TEST_F(RawTransferTest, RetriesAreUsedUpAfterTheRetryCount) {
    TransportStandIn transport;
    transport.script = std::vector<TransportStandIn::Answer>(10, {-1, 0});
    transport.script[1] = {0, 0};
    driver.SetCBTTimeOut(3);
    std::vector<std::uint8_t> data = Numbered(300);
    unsigned long sent = 0;
    const std::uint64_t before = Elapsed();
    EXPECT_EQ(driver.SendEx(data.data(), 300, 0, &sent), -16);
    EXPECT_EQ(transport.asked.size(), 4u);
    EXPECT_EQ(Elapsed() - before, 3000u);
    EXPECT_EQ(sent, 0u);
    EXPECT_EQ(driver.Send(data.data(), 10), -16);
}

TEST_F(RawTransferTest, AWriteSizeBelowOneSendsOneByteAPiece) {
    TransportStandIn transport;
    driver.SetWriteSize(0);
    std::vector<std::uint8_t> data = Numbered(5);
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendEx(data.data(), 5, 0, &sent), 0);
    EXPECT_EQ(transport.asked, (std::vector<std::uint32_t>{1, 1, 1, 1, 1}));
}

TEST_F(RawTransferTest, EmptyRangesSendNothing) {
    TransportStandIn transport;
    std::vector<std::uint8_t> data = Numbered(10);
    EXPECT_EQ(driver.Send(data.data(), 0), 0);
    EXPECT_EQ(driver.Send(data.data(), -5), 0);
    unsigned long sent = 7;
    EXPECT_EQ(driver.SendEx(data.data(), 4, 4, &sent), 0);
    EXPECT_EQ(sent, 0u);
    // An end before the start is no range at all, not four gigabytes from the start on.
    EXPECT_EQ(driver.SendEx(data.data(), 2, 8, &sent), 0);
    EXPECT_EQ(sent, 0u);
    EXPECT_TRUE(transport.asked.empty());
}

TEST_F(RawTransferTest, AFatalWriteShowsTheMessageOnceAndGivesMinus18) {
    std::vector<std::uint8_t> data(600, 'A');
    ports.Control("USB1", "drop-after=100");
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendEx(data.data(), 600, 0, &sent), -18);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Communication error\nKCBT_Write = -51\nERR_VEXILDRV_CBT_FATAL");
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::None);
    EXPECT_LT(sent, 600u);
    EXPECT_EQ(driver.Send(data.data(), 10), -18);
    EXPECT_EQ(messages.Texts().size(), 2u);
}

TEST_F(RawTransferTest, SendFileSendsTheFileFromItsOffset) {
    testsupport::TemporaryFolder folder("raw-transfer");
    std::string text;
    for (int line = 0; line < 60; ++line) {
        text += "FILE LINE " + std::to_string(line) + "\r\n";
    }
    folder.Write("job.prn", text);
    PrintCollector collector;
    Printer().Core().SetSink(&collector);
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendFile(folder.File("job.prn").c_str(), 0, &sent), 0);
    EXPECT_EQ(sent, text.size());
    EXPECT_EQ(driver.SendFile(folder.File("job.prn").c_str(), 13, &sent), 0);
    EXPECT_EQ(sent, text.size() - 13);
    EXPECT_EQ(std::string(collector.data.begin(), collector.data.end()), text + text.substr(13));
    // An offset at the very end sends nothing and succeeds.
    EXPECT_EQ(driver.SendFile(folder.File("job.prn").c_str(), static_cast<unsigned long>(text.size()), &sent),
              0);
    EXPECT_EQ(sent, 0u);
    Printer().Core().SetSink(nullptr);
}

TEST_F(RawTransferTest, SendFileRefusesWhatItCannotSend) {
    testsupport::TemporaryFolder folder("raw-transfer");
    folder.Write("short.prn", std::string(100, 'A'));
    TransportStandIn transport;
    unsigned long sent = 9;
    EXPECT_EQ(driver.SendFile(folder.File("short.prn").c_str(), 101, &sent), -31);
    EXPECT_EQ(sent, 0u);
    EXPECT_EQ(driver.SendFile(folder.File("missing.prn").c_str(), 0, &sent), -30);
    EXPECT_EQ(driver.SendFile(folder.Path().c_str(), 0, &sent), -30);  // a folder is no file
    EXPECT_EQ(driver.SendFile("", 0, &sent), -50);
    EXPECT_TRUE(transport.asked.empty());
}

TEST_F(RawTransferTest, SendFileEndsSilentlyOnAFatalWrite) {
    testsupport::TemporaryFolder folder("raw-transfer");
    folder.Write("job.prn", std::string(1000, 'A'));
    TransportStandIn transport;
    transport.script = {{0, 128}, {-51, 20}};
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendFile(folder.File("job.prn").c_str(), 0, &sent), -18);
    EXPECT_EQ(sent, 148u);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(RawTransferTest, SendInitSignalPulsesTheInitLineOfAnOpenPort) {
    EXPECT_EQ(driver.SendInitSignal(), 0);
    // The printer resets: it leaves packet mode.
    EXPECT_FALSE(Printer().InPacketMode());
    CWinVexilDrv unopened;
    EXPECT_EQ(unopened.SendInitSignal(), -2);
}

TEST_F(OtherPortTest, AnIeee1394UnitTakesPrintDataInPiecesWithoutAConnection) {
    vprinter::VirtualPrinter& printer = AddPrinter("1394-1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(21, nullptr, 1), 0);
    driver.SetWriteSize(128);
    PrintCollector collector;
    printer.Core().SetSink(&collector);
    std::string text;
    for (int line = 0; line < 30; ++line) {
        text += "UNIT LINE " + std::to_string(line) + "\r\n";
    }
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendEx(reinterpret_cast<unsigned char*>(text.data()), text.size(), 0, &sent), 0);
    EXPECT_EQ(sent, text.size());
    EXPECT_EQ(driver.Send(reinterpret_cast<unsigned char*>(text.data()), static_cast<int>(text.size())), 0);
    EXPECT_EQ(std::string(collector.data.begin(), collector.data.end()), text + text);
    EXPECT_FALSE(printer.InPacketMode());
    // Files go through the transport library only.
    testsupport::TemporaryFolder folder("raw-transfer");
    folder.Write("job.prn", text);
    EXPECT_EQ(driver.SendFile(folder.File("job.prn").c_str(), 0, &sent), -13);
    printer.Core().SetSink(nullptr);
    driver.Close();
}

TEST(RawTransferUnopenedTest, AnObjectNeverOpenedInAProcessWithoutTransportSendsNothing) {
    const drvlib::TransportEntries saved = drvlib::Transport();
    drvlib::Transport() = drvlib::TransportEntries{};
    CWinVexilDrv driver;
    std::uint8_t byte = 'A';
    unsigned long sent = 0;
    EXPECT_EQ(driver.Send(&byte, 1), -13);
    EXPECT_EQ(driver.SendEx(&byte, 1, 0, &sent), -13);
    EXPECT_EQ(driver.SendFile("/nonexistent", 0, &sent), -13);
    CString version;
    EXPECT_EQ(driver.Prod_ReplyRomVer2(0x10, 0x20, &version), -13);
    drvlib::Transport() = saved;
}

// The reply read runs on a parallel port (USB answers come through the packet engine).
TEST_F(OtherPortTest, ALongReplyIsReadAsItsFirst256Bytes) {
    AddPrinter("LPT1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    {
        TransportStandIn transport;
        transport.waiting = 1000;
        CString version;
        // The stand-in's reply is no version answer; what matters is the read it was asked for.
        EXPECT_EQ(driver.Prod_ReplyRomVer2(0x10, 0x20, &version), -24);
        EXPECT_EQ(transport.readLengths, std::vector<std::uint32_t>{256});
    }
    driver.Close();
}

// A read below -50 means the connection is gone: the object lets go of it and of the port, and the
// next use needs a new Open.
TEST_F(OtherPortTest, AFatalReadDropsTheConnectionAndClosesThePort) {
    AddPrinter("LPT1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    {
        TransportStandIn transport;
        transport.readResult = -51;
        unsigned char value = 0x77;
        EXPECT_EQ(driver.Prod_ReplySens(0x57, 0x2D, &value), -20);
        EXPECT_EQ(value, 0);
        EXPECT_EQ(ports.OpenNow("LPT1"), 0);
        // A read error above the limit is only this read's: the next exchange fails the same way but
        // finds nothing more to close.
        transport.readResult = -4;
        EXPECT_EQ(driver.Prod_ReplySens(0x57, 0x2D, &value), -20);
    }
    EXPECT_EQ(driver.SendInitSignal(), -2);
    driver.Close();
}

}  // namespace
}  // namespace drvtest

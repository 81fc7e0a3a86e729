// IEEE 1394 units: opening one through the 1394 interface class (no connection, no "D4" needed), the
// control and raw exchanges against the virtual printer's unit, and the driver requests, blocks,
// pauses and refusals of both exchanges on a recording driver where the printer cannot show them.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DriverFixture.h"
#include "Ieee1394Exchange.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/VirtualDevice.h"

namespace drvtest {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::DeviceError;

// The key bytes of the VK-572D (its pnRNumber).
constexpr std::uint8_t kK1 = 0x57;
constexpr std::uint8_t kK2 = 0x2D;
const Bytes kStatusCommand{'s', 't', 0x01, 0x00, 0x01};
const Bytes kSensorsFrame{0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x24, 0xDB, 0x12};

std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// ---- On the virtual printer ------------------------------------------------------------------------

class Ieee1394PrinterTest : public DriverFixture {
protected:
    // The unit's port, opened by the path its interface gives.
    platform::DevicePortPtr OpenUnit(std::uint32_t unit) {
        platform::DevicePortPtr port;
        platform::PortAddress address{platform::PortKind::Path, 0, platform::VirtualIeee1394Path(unit)};
        EXPECT_EQ(platform::ActiveDeviceBackend().Open(address, &port), DeviceError::None);
        return port;
    }
};

TEST_F(Ieee1394PrinterTest, AUnitOpensByNumberWithoutAConnectionAndCloses) {
    vprinter::VirtualPrinter& printer = AddPrinter("1394-1");
    CWinVexilDrv driver;
    CString model;
    ASSERT_EQ(driver.Open(21, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_EQ(ports.OpenNow("1394-1"), 1);
    // Nothing of the packet transport reached the printer.
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_EQ(printer.Transport().Initialisations(), 0u);
    EXPECT_TRUE(ports.Written("1394-1").empty());

    EXPECT_EQ(driver.Close(), 0);
    EXPECT_EQ(ports.OpenNow("1394-1"), 0);
    EXPECT_EQ(driver.Close(), 0);
}

TEST_F(Ieee1394PrinterTest, PortCode20TakesTheFirstUnitThatOpensAndOnlyUnitsCount) {
    AddPrinter("USB1");
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Open(20, nullptr, 1), -1);
    EXPECT_EQ(driver.Open(21, nullptr, 1), -1);

    AddPrinter("1394-3");
    ASSERT_EQ(driver.Open(20, nullptr, 1), 0);
    EXPECT_EQ(ports.OpenNow("1394-3"), 1);
    driver.Close();
    // Unit 5 is beyond the four that port code 20 tries.
    AddPrinter("1394-5");
    EXPECT_EQ(driver.Open(25, nullptr, 1), 0);
    driver.Close();
}

TEST_F(Ieee1394PrinterTest, ADeviceIdWithoutD4IsAcceptedOnAUnitOnly) {
    AddPrinter("1394-1");
    AddPrinter("USB1");
    const char* withoutD4 = "device-id=MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24;";
    ports.Control("1394-1", withoutD4);
    ports.Control("USB1", withoutD4);
    CWinVexilDrv driver;
    CString model;
    EXPECT_EQ(driver.Open(21, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    driver.Close();
    EXPECT_EQ(driver.Open(11, &model, 1), -6);
}

TEST_F(Ieee1394PrinterTest, ControlCommandsReachThePrintersControlDecoder) {
    vprinter::VirtualPrinter& printer = AddPrinter("1394-1");
    platform::DevicePortPtr port = OpenUnit(1);
    Bytes reply;
    ASSERT_EQ(drvlib::Ieee1394ControlExchange(port.get(), kStatusCommand.data(), 5, &reply), 0);
    EXPECT_EQ(Text(reply).rfind("@BDC ST\r\nST:04;", 0), 0u) << Text(reply);
    const Bytes deviceId{'d', 'i', 0x01, 0x00, 0x01};
    ASSERT_EQ(drvlib::Ieee1394ControlExchange(port.get(), deviceId.data(), 5, &reply), 0);
    EXPECT_NE(Text(reply).find("MFG:ORLEX;"), std::string::npos);
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_TRUE(ports.Written("1394-1").empty());
}

TEST_F(Ieee1394PrinterTest, ASilentPrinterGivesMinus3AndFailedExchangesHoldNoChannel) {
    AddPrinter("1394-1");
    platform::DevicePortPtr port = OpenUnit(1);
    ports.Control("1394-1", "offline=silent");
    Bytes reply;
    const std::uint64_t before = Elapsed();
    EXPECT_EQ(drvlib::Ieee1394ControlExchange(port.get(), kStatusCommand.data(), 5, &reply), -3);
    // 500 ms for the reply to come, then five length queries 300 ms apart.
    EXPECT_EQ(Elapsed() - before, 500u + 5u * 300u);
    // The unit has eight channels; each failed exchange gave its channel and socket back.
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(drvlib::Ieee1394ControlExchange(port.get(), kStatusCommand.data(), 5, &reply), -3);
    }
    ports.Control("1394-1", "offline=no");
    EXPECT_EQ(drvlib::Ieee1394ControlExchange(port.get(), kStatusCommand.data(), 5, &reply), 0);
    EXPECT_FALSE(reply.empty());
}

TEST_F(Ieee1394PrinterTest, ALateReplyIsTakenAtTheNextLengthQuery) {
    AddPrinter("1394-1");
    ports.Control("1394-1", "latency-ms=700");
    platform::DevicePortPtr port = OpenUnit(1);
    Bytes reply;
    const std::uint64_t before = Elapsed();
    ASSERT_EQ(drvlib::Ieee1394ControlExchange(port.get(), kStatusCommand.data(), 5, &reply), 0);
    // Nothing at 500 ms, the reply at 800 ms, then the 100 ms after reading.
    EXPECT_EQ(Elapsed() - before, 500u + 300u + 100u);
}

TEST_F(Ieee1394PrinterTest, RawWritesGoToThePlainStreamAndProductionCommandsAreAnswered) {
    vprinter::VirtualPrinter& printer = AddPrinter("1394-1");
    platform::DevicePortPtr port = OpenUnit(1);
    const drvlib::Ieee1394Link link{port.get(), 128, 17, 100};
    std::string reply;
    ASSERT_EQ(drvlib::Ieee1394ProductionExchange(link, kSensorsFrame.data(), 10, &reply), 0);
    EXPECT_EQ(reply, "SS:0C;");

    Bytes data(1000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>('A' + i % 26);
    }
    unsigned long sent = 0;
    const std::size_t before = ports.Written("1394-1").size();
    ASSERT_EQ(drvlib::Ieee1394SendPieces(link, data.data() + 200, 800, &sent), 0);
    EXPECT_EQ(sent, 800u);
    // The unit was unlocked after each exchange: the next one locks it again.
    EXPECT_EQ(drvlib::Ieee1394Send(link, data.data(), 10), 0);
    const Bytes& written = ports.Written("1394-1");
    EXPECT_EQ(Bytes(written.begin() + static_cast<std::ptrdiff_t>(before), written.end() - 10),
              Bytes(data.begin() + 200, data.end()));
    EXPECT_FALSE(printer.InPacketMode());
}

// ---- On a recording driver ---------------------------------------------------------------------------

// A 1394 driver that records every request, write and read with the virtual time it came at, and
// answers from per-request queues; a request without a queued answer succeeds with nothing.
class RecordingDriver final : public platform::DeviceBackend {
public:
    struct Answer {
        DeviceError error = DeviceError::None;
        Bytes fill;                  // written to the output buffer, cut to its capacity
        std::uint32_t returned = 0;  // reported as is, believed or not
    };
    struct Event {
        std::uint32_t code = 0;  // 0 for a write or read
        Bytes input;             // the request's input block, or the bytes written
        Bytes output;            // the output buffer as the request found it
        std::uint32_t capacity = 0;
        bool buffer = false;
        std::uint64_t at = 0;
    };

    explicit RecordingDriver(platform::VirtualClock& clock) : clock_(clock) {}

    void Queue(std::uint32_t code, Answer answer) { answers_[code].push_back(std::move(answer)); }
    void QueueWrite(DeviceError error, std::uint32_t taken) { writes_.push_back({error, {}, taken}); }
    void QueueRead(DeviceError error, Bytes bytes, std::uint32_t received) {
        reads_.push_back({error, std::move(bytes), received});
    }
    std::vector<std::uint32_t> Codes() const {
        std::vector<std::uint32_t> codes;
        for (const Event& event : events) {
            codes.push_back(event.code);
        }
        return codes;
    }

    std::vector<Event> events;

    const char* Name() const override { return "recording"; }
    DeviceError DeviceControl(platform::DevicePort&, const platform::DeviceRequest& request,
                              std::uint8_t* output, std::uint32_t capacity,
                              std::uint32_t* returned) override {
        Event event{request.controlCode,         request.input, {}, capacity, output != nullptr,
                    clock_.ElapsedMilliseconds()};
        if (output != nullptr) {
            event.output.assign(output, output + capacity);
        }
        events.push_back(event);
        Answer answer = Next(answers_[request.controlCode]);
        for (std::size_t i = 0; i < answer.fill.size() && i < capacity && output != nullptr; ++i) {
            output[i] = answer.fill[i];
        }
        *returned = answer.returned;
        return answer.error;
    }
    DeviceError Write(platform::DevicePort&, const std::uint8_t* data, std::uint32_t count,
                      std::uint32_t* written) override {
        events.push_back({0, Bytes(data, data + count), {}, count, false, clock_.ElapsedMilliseconds()});
        const Answer answer = writes_.empty() ? Answer{DeviceError::None, {}, count} : Next(writes_);
        *written = answer.returned;
        return answer.error;
    }
    DeviceError Read(platform::DevicePort&, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override {
        events.push_back({0, {}, {}, capacity, true, clock_.ElapsedMilliseconds()});
        const Answer answer = Next(reads_);
        std::copy_n(answer.fill.begin(), std::min<std::size_t>(answer.fill.size(), capacity), buffer);
        *received = answer.returned;
        return answer.error;
    }

    DeviceError Open(const platform::PortAddress&, platform::DevicePortPtr*) override { return Unused(); }
    DeviceError GetTimeouts(platform::DevicePort&, platform::PortTimeouts*) override { return Unused(); }
    DeviceError SetTimeouts(platform::DevicePort&, const platform::PortTimeouts&) override {
        return Unused();
    }
    DeviceError GetLineSettings(platform::DevicePort&, platform::LineSettings*) override { return Unused(); }
    DeviceError SetLineSettings(platform::DevicePort&, const platform::LineSettings&) override {
        return Unused();
    }
    DeviceError GetComStatus(platform::DevicePort&, platform::ComStatus*) override { return Unused(); }
    DeviceError GetDeviceId(platform::DevicePort&, const platform::DeviceRequest&, std::uint8_t*,
                            std::uint32_t, platform::DeviceIdReply*) override {
        return Unused();
    }
    DeviceError SoftReset(platform::DevicePort&, const platform::DeviceRequest&) override { return Unused(); }
    DeviceError ListInterfaces(const std::string&, std::vector<platform::DeviceInterfaceEntry>*) override {
        return Unused();
    }
    DeviceError QueryDosAlias(const std::string&, std::string*) override { return Unused(); }
    DeviceError DefineDosAlias(const std::string&, const std::string&) override { return Unused(); }

private:
    static Answer Next(std::deque<Answer>& queue) {
        if (queue.empty()) {
            return {};
        }
        Answer answer = queue.front();
        queue.pop_front();
        return answer;
    }
    DeviceError Unused() {
        ADD_FAILURE() << "an operation the exchanges never make";
        return DeviceError::NotSupported;
    }

    platform::VirtualClock& clock_;
    std::map<std::uint32_t, std::deque<Answer>> answers_;
    std::deque<Answer> writes_;
    std::deque<Answer> reads_;
};

constexpr std::uint32_t kLookUp = 0x22808A;
constexpr std::uint32_t kOpen = 0x22801A;
constexpr std::uint32_t kWrite = 0x228045;
constexpr std::uint32_t kRead = 0x22809A;
constexpr std::uint32_t kClose = 0x228020;
constexpr std::uint32_t kRelease = 0x2280AA;
constexpr std::uint32_t kLock = 0x1B201C;
constexpr std::uint32_t kUnlock = 0x1B2020;
constexpr std::uint32_t kPlain = 0;  // a write or read

class Ieee1394ExchangeTest : public ::testing::Test {
protected:
    // The driver finds socket 2 and opens channel 0x11223344 on it.
    void QueueChannel() {
        driver.Queue(kLookUp, {DeviceError::None, {0x02}, 56});
        driver.Queue(kOpen, {DeviceError::None, {0x44, 0x33, 0x22, 0x11}, 4});
    }
    int Control(Bytes* reply) {
        return drvlib::Ieee1394ControlExchange(&port, kStatusCommand.data(), 5, reply);
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    RecordingDriver driver{clock};
    platform::ScopedDeviceBackend scopedDriver{driver};
    platform::DevicePort port;
    drvlib::Ieee1394Link link{&port, 128, 3, 100};
};

TEST_F(Ieee1394ExchangeTest, TheControlExchangeSendsItsBlocksInOrderAndPacesItsQueries) {
    QueueChannel();
    driver.Queue(kRead, {DeviceError::None, {}, 0});
    driver.Queue(kRead, {DeviceError::None, {}, 6});
    driver.Queue(kRead, {DeviceError::None, {'S', 'T', ':', '0', '4', ';'}, 6});
    Bytes reply;
    ASSERT_EQ(Control(&reply), 0);
    EXPECT_EQ(Text(reply), "ST:04;");
    ASSERT_EQ(driver.Codes(),
              (std::vector<std::uint32_t>{kLookUp, kOpen, kWrite, kRead, kRead, kRead, kClose, kRelease}));
    const auto& e = driver.events;
    // Lookup: 16 zero bytes in; the 56-byte block with the name from its second byte, 0x7FFF, two -1
    // words and the control service's flag 0.
    EXPECT_EQ(e[0].input, Bytes(16, 0x00));
    Bytes block(56, 0x00);
    const std::string name = "ORLEX-CTRL";
    std::copy(name.begin(), name.end(), block.begin() + 1);
    block[44] = 0xFF, block[45] = 0x7F;
    block[46] = 0xFF, block[47] = 0xFF, block[48] = 0xFF, block[49] = 0xFF;
    EXPECT_EQ(e[0].output, block);
    EXPECT_EQ(e[1].input, (Bytes{0x02, 0x00, 0x00, 0x00}));
    EXPECT_EQ(e[1].capacity, 4u);
    // Write: channel handle, length, 0, 10000 ms; the command as the data block.
    EXPECT_EQ(e[2].input, (Bytes{0x44, 0x33, 0x22, 0x11, 0x05, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x27, 0, 0}));
    EXPECT_EQ(e[2].output, kStatusCommand);
    // Length queries without a buffer, then the read of that length.
    EXPECT_EQ(e[3].input, (Bytes{0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x27, 0, 0}));
    EXPECT_FALSE(e[3].buffer);
    EXPECT_EQ(e[5].input, (Bytes{0x44, 0x33, 0x22, 0x11, 0x06, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x27, 0, 0}));
    EXPECT_EQ(e[5].capacity, 6u);
    EXPECT_EQ(e[6].input, (Bytes{0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(e[7].input, (Bytes{0x02, 0x00, 0x00, 0x00}));
    // 500 ms before the first query, 300 ms after an empty one, 100 ms after the read.
    EXPECT_EQ(e[3].at - e[2].at, 500u);
    EXPECT_EQ(e[4].at - e[3].at, 300u);
    EXPECT_EQ(e[5].at, e[4].at);
    EXPECT_EQ(e[6].at - e[5].at, 100u);
}

TEST_F(Ieee1394ExchangeTest, ControlRefusalsEndInTheirCodesAndGiveBackWhatWasTaken) {
    Bytes reply;
    EXPECT_EQ(drvlib::Ieee1394ControlExchange(nullptr, kStatusCommand.data(), 5, &reply), -1);
    EXPECT_TRUE(driver.events.empty());

    struct Case {
        const char* name;
        std::function<void()> script;
        int result;
        std::vector<std::uint32_t> codes;
    };
    const RecordingDriver::Answer refused{DeviceError::Io, {}, 0};
    const std::vector<Case> cases = {
        {"lookup refused", [&] { driver.Queue(kLookUp, refused); }, -4, {kLookUp}},
        {"lookup without a socket id",
         [&] {
             driver.Queue(kLookUp, {DeviceError::None, {}, 0});
         },
         -4,
         {kLookUp}},
        {"channel refused",
         [&] {
             driver.Queue(kLookUp, {DeviceError::None, {0x02}, 56});
             driver.Queue(kOpen, refused);
         },
         -4,
         {kLookUp, kOpen, kRelease}},
        {"write refused",
         [&] {
             QueueChannel();
             driver.Queue(kWrite, refused);
         },
         -2,
         {kLookUp, kOpen, kWrite, kClose, kRelease}},
        {"length query refused",
         [&] {
             QueueChannel();
             driver.Queue(kRead, refused);
         },
         -3,
         {kLookUp, kOpen, kWrite, kRead, kClose, kRelease}},
        {"a length of 10 MB",
         [&] {
             QueueChannel();
             driver.Queue(kRead, {DeviceError::None, {}, 10u << 20});
         },
         -3,
         {kLookUp, kOpen, kWrite, kRead, kClose, kRelease}},
        {"read refused",
         [&] {
             QueueChannel();
             driver.Queue(kRead, {DeviceError::None, {}, 4});
             driver.Queue(kRead, refused);
         },
         -3,
         {kLookUp, kOpen, kWrite, kRead, kRead, kClose, kRelease}},
        {"five empty queries",
         [&] { QueueChannel(); },
         -3,
         {kLookUp, kOpen, kWrite, kRead, kRead, kRead, kRead, kRead, kClose, kRelease}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        driver.events.clear();
        c.script();
        reply = {0x55};
        EXPECT_EQ(Control(&reply), c.result);
        EXPECT_TRUE(reply.empty());
        EXPECT_EQ(driver.Codes(), c.codes);
    }
}

TEST_F(Ieee1394ExchangeTest, ADriverThatOverstatesWhatItCopiedIsNotBelieved) {
    QueueChannel();
    driver.Queue(kRead, {DeviceError::None, {}, 3});
    driver.Queue(kRead, {DeviceError::None, {'a', 'b', 'c'}, 5000});
    Bytes reply;
    ASSERT_EQ(Control(&reply), 0);
    EXPECT_EQ(Text(reply), "abc");

    driver.events.clear();
    driver.QueueRead(DeviceError::None, Bytes(256, 'x'), 100000);
    std::string text;
    ASSERT_EQ(drvlib::Ieee1394ProductionExchange(link, kSensorsFrame.data(), 10, &text), 0);
    EXPECT_EQ(text, std::string(256, 'x'));
}

TEST_F(Ieee1394ExchangeTest, ARawWriteIsLockedRetriedEverySecondAndUnlocked) {
    const Bytes data{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(drvlib::Ieee1394Send(link, data.data(), 10), 0);
    EXPECT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock, kPlain, kUnlock}));
    EXPECT_TRUE(driver.events[0].input.empty());
    EXPECT_EQ(driver.events[1].input, data);

    // Nothing taken twice, then three bytes, then the rest at once.
    driver.events.clear();
    driver.QueueWrite(DeviceError::None, 0);
    driver.QueueWrite(DeviceError::None, 0);
    driver.QueueWrite(DeviceError::None, 3);
    ASSERT_EQ(drvlib::Ieee1394Send(link, data.data(), 10), 0);
    const auto& e = driver.events;
    ASSERT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock, kPlain, kPlain, kPlain, kPlain, kUnlock}));
    EXPECT_EQ(e[2].at - e[1].at, 1000u);
    EXPECT_EQ(e[3].at - e[2].at, 1000u);
    EXPECT_EQ(e[4].at, e[3].at);
    EXPECT_EQ(e[4].input, Bytes(data.begin() + 3, data.end()));

    // Three retries allowed: four writes that take nothing, then unlocked and -10, which callers
    // report as -16.
    driver.events.clear();
    for (int i = 0; i < 4; ++i) {
        driver.QueueWrite(DeviceError::None, 0);
    }
    const std::uint64_t before = clock.ElapsedMilliseconds();
    EXPECT_EQ(drvlib::Ieee1394Send(link, data.data(), 10), -10);
    EXPECT_EQ(clock.ElapsedMilliseconds() - before, 3000u);
    EXPECT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock, kPlain, kPlain, kPlain, kPlain, kUnlock}));
    EXPECT_EQ(drvlib::Ieee1394CallerResult(-10), -16);
    EXPECT_EQ(drvlib::Ieee1394CallerResult(-2), -2);
}

TEST_F(Ieee1394ExchangeTest, RawRefusalsEndInTheirCodes) {
    const Bytes data(10, 0x20);
    unsigned long sent = 99;
    EXPECT_EQ(drvlib::Ieee1394Send({}, data.data(), 10), -1);
    EXPECT_EQ(drvlib::Ieee1394SendPieces({}, data.data(), 10, &sent), -1);
    EXPECT_EQ(sent, 0u);
    std::string text;
    EXPECT_EQ(drvlib::Ieee1394ProductionExchange({}, kSensorsFrame.data(), 10, &text), -1);
    // Nothing to send needs no lock.
    EXPECT_EQ(drvlib::Ieee1394Send(link, data.data(), 0), 0);
    EXPECT_TRUE(driver.events.empty());

    driver.Queue(kLock, {DeviceError::Io, {}, 0});
    EXPECT_EQ(drvlib::Ieee1394Send(link, data.data(), 10), -4);
    EXPECT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock}));

    // A failed write still unlocks the unit.
    driver.events.clear();
    driver.QueueWrite(DeviceError::Io, 0);
    EXPECT_EQ(drvlib::Ieee1394ProductionExchange(link, kSensorsFrame.data(), 10, &text), -2);
    EXPECT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock, kPlain, kUnlock}));

    driver.events.clear();
    driver.QueueRead(DeviceError::Io, {}, 0);
    EXPECT_EQ(drvlib::Ieee1394ProductionExchange(link, kSensorsFrame.data(), 10, &text), -3);
}

TEST_F(Ieee1394ExchangeTest, TheProductionReplyIsReadAfterTheWaitAsTextUpToItsFirstNul) {
    driver.QueueRead(DeviceError::None, {'S', 'S', ':', '0', 'C', ';', 0x00, 'x'}, 8);
    std::string text;
    ASSERT_EQ(drvlib::Ieee1394ProductionExchange(link, kSensorsFrame.data(), 10, &text), 0);
    EXPECT_EQ(text, "SS:0C;");
    const auto& e = driver.events;
    ASSERT_EQ(driver.Codes(), (std::vector<std::uint32_t>{kLock, kPlain, kUnlock, kPlain}));
    EXPECT_EQ(e[1].input, kSensorsFrame);
    EXPECT_EQ(e[3].at - e[2].at, 100u + 100u);
    EXPECT_EQ(e[3].capacity, 256u);
}

TEST_F(Ieee1394ExchangeTest, SendPiecesWritesAtMostTheWriteSizeAndCountsWhatWasTaken) {
    Bytes data(1000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i);
    }
    unsigned long sent = 0;
    ASSERT_EQ(drvlib::Ieee1394SendPieces(link, data.data() + 200, 800, &sent), 0);
    EXPECT_EQ(sent, 800u);
    std::vector<std::uint32_t> sizes;
    Bytes joined;
    for (const auto& event : driver.events) {
        if (event.code == kPlain) {
            sizes.push_back(event.capacity);
            joined.insert(joined.end(), event.input.begin(), event.input.end());
        }
    }
    EXPECT_EQ(sizes, (std::vector<std::uint32_t>{128, 128, 128, 128, 128, 128, 32}));
    EXPECT_EQ(joined, Bytes(data.begin() + 200, data.end()));
    EXPECT_EQ(driver.events.front().code, kLock);
    EXPECT_EQ(driver.events.back().code, kUnlock);

    // The third piece fails: what went before is counted.
    driver.events.clear();
    driver.QueueWrite(DeviceError::None, 128);
    driver.QueueWrite(DeviceError::None, 128);
    driver.QueueWrite(DeviceError::Io, 0);
    EXPECT_EQ(drvlib::Ieee1394SendPieces(link, data.data(), 800, &sent), -2);
    EXPECT_EQ(sent, 256u);
    EXPECT_EQ(driver.events.back().code, kUnlock);
}

}  // namespace
}  // namespace drvtest

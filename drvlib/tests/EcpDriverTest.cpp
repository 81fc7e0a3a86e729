// Parallel printers whose device ID says "SPC" run through the maker's ECP driver: the open through
// the driver, the transport over the I/O hooks, Close, the failures; the hooks' status rules against
// a driver that answers what the test tells it; one open over loopback TCP.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "DriverFixture.h"
#include "EcpDriver.h"
#include "drvlib/CWinVexilDrv.h"
#include "platform/EcpDriverRequests.h"
#include "vprinter/model/IPrintSink.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace drvtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kSpcDeviceId[] = "device-id=MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4,SPC;";
// The VK-572D's model identifier, the k1 k2 of the EEPROM family.
constexpr unsigned char kK1 = 0x57;
constexpr unsigned char kK2 = 0x2D;

class EcpDriverTest : public DriverFixture {
protected:
    vprinter::VirtualPrinter& AddSpcPrinter() {
        vprinter::VirtualPrinter& printer = AddPrinter("LPT1");
        ports.Control("LPT1", kSpcDeviceId);
        return printer;
    }
    // A port left open would outlive the printers it reaches.
    void TearDown() override { driver.Close(); }

    CWinVexilDrv driver;
};

TEST_F(EcpDriverTest, AnSpcPrinterOpensThroughTheDriverAndCloseLetsTheDriverGo) {
    vprinter::VirtualPrinter& printer = AddSpcPrinter();
    CString model;
    ASSERT_EQ(driver.Open(1, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_EQ(driver.CheckDirectMode(), 0);
    // The OS handle that read the device ID is closed again; the driver holds the printer's port.
    EXPECT_EQ(ports.OpenCount("LPT1"), 2);
    EXPECT_EQ(ports.OpenNow("LPT1"), 1);
    EXPECT_EQ(ports.OpenNow("VKXECP"), 1);
    EXPECT_TRUE(printer.InPacketMode());
    EXPECT_TRUE(printer.Transport().ChannelOpen(0x40));
    EXPECT_FALSE(printer.Transport().ChannelOpen(0x02));

    EXPECT_EQ(driver.Close(), 0);
    EXPECT_EQ(driver.CheckDirectMode(), 1);
    EXPECT_EQ(ports.OpenNow("LPT1"), 0);
    EXPECT_EQ(ports.OpenNow("VKXECP"), 0);
    EXPECT_EQ(driver.Close(), 0);
    EXPECT_EQ(ports.OpenCount("VKXECP"), 1);
}

TEST_F(EcpDriverTest, StatusAndPrintDataTravelThroughTheHooks) {
    vprinter::VirtualPrinter& printer = AddSpcPrinter();
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ports.Control("LPT1", "error-state=10");
    STATUSINF status;
    ASSERT_EQ(driver.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(status.nError, 10);

    PrintCollector collector;
    printer.Core().SetSink(&collector);
    std::string text;
    for (int line = 0; line < 30; ++line) {
        text += "ECP LINE " + std::to_string(line) + "\r\n";
    }
    driver.SetWriteSize(128);
    unsigned long sent = 0;
    EXPECT_EQ(driver.SendEx(reinterpret_cast<unsigned char*>(text.data()), text.size(), 0, &sent), 0);
    EXPECT_EQ(sent, text.size());
    EXPECT_EQ(driver.Send(reinterpret_cast<unsigned char*>(text.data()), static_cast<int>(text.size())), 0);
    EXPECT_EQ(std::string(collector.data.begin(), collector.data.end()), text + text);
    printer.Core().SetSink(nullptr);
}

TEST_F(EcpDriverTest, ThePrinterSeesTheSameBytesAsOverTheOsHandle) {
    AddSpcPrinter();
    unsigned char data[] = {'E', 'C', 'P', 0x0D, 0x0A};
    const auto session = [&] {
        ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
        STATUSINF status;
        ASSERT_EQ(driver.Ctl_GetStatus(&status), 0);
        ASSERT_EQ(driver.Send(data, sizeof data), 0);
        driver.Close();
    };
    session();
    const Bytes overDriver = ports.Written("LPT1");
    ASSERT_FALSE(overDriver.empty());

    ports.Control("LPT1", "device-id=own");
    session();
    const Bytes& all = ports.Written("LPT1");
    EXPECT_EQ(Bytes(all.begin() + static_cast<std::ptrdiff_t>(overDriver.size()), all.end()), overDriver);
}

TEST_F(EcpDriverTest, ProductionCommandsAndTheDeviceIdQueryAreRefusedWithoutAByteSent) {
    AddSpcPrinter();
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    const std::size_t before = ports.Written("LPT1").size();
    unsigned char value = 0x77;
    EXPECT_EQ(driver.Prod_ReplySens(kK1, kK2, &value), -50);
    EXPECT_EQ(value, 0);
    value = 0x77;
    EXPECT_EQ(driver.Prod_ReplyEEP_SIDM(kK1, kK2, 0x31, &value, 0), -50);
    EXPECT_EQ(value, 0);
    CString version = "kept";
    EXPECT_EQ(driver.Prod_ReplyRomVer2(kK1, kK2, &version), -50);
    EXPECT_TRUE(version.IsEmpty());
    CString id;
    EXPECT_EQ(driver.Ctl_GetDeviceID(&id), -50);
    EXPECT_EQ(ports.Written("LPT1").size(), before);
}

TEST_F(EcpDriverTest, WithoutTheDriverTheOpenGivesMinus90AndHoldsNothing) {
    AddSpcPrinter();
    ports.InstallEcpDriver(false);
    CString model = "kept";
    EXPECT_EQ(driver.Open(1, &model, 1), -90);
    EXPECT_TRUE(model.IsEmpty());
    CString stored = "kept";
    driver.GetDeviceID(&stored);
    EXPECT_TRUE(stored.IsEmpty());
    EXPECT_EQ(driver.CheckDirectMode(), 1);
    EXPECT_EQ(ports.OpenNow("LPT1"), 0);
    EXPECT_EQ(driver.Close(), 0);

    ports.InstallEcpDriver(true);
    EXPECT_EQ(driver.Open(1, &model, 1), 0);
    EXPECT_EQ(driver.CheckDirectMode(), 0);
}

TEST_F(EcpDriverTest, AnOpenAgainWithoutCloseLeavesNoDriverPortBehind) {
    AddSpcPrinter();
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    EXPECT_EQ(ports.OpenNow("LPT1"), 1);
    EXPECT_EQ(ports.OpenNow("VKXECP"), 1);
    STATUSINF status;
    EXPECT_EQ(driver.Ctl_GetStatus(&status), 0);
    driver.Close();
    EXPECT_EQ(ports.OpenNow("LPT1"), 0);
    EXPECT_EQ(ports.OpenNow("VKXECP"), 0);
}

TEST_F(EcpDriverTest, ALineDroppedUnderAWriteFailsTheSendAsAnIoDeviceError) {
    AddSpcPrinter();
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ports.Control("LPT1", "drop-after=4");
    unsigned char data[64] = {};
    EXPECT_EQ(driver.Send(data, sizeof data), -18);
    EXPECT_EQ(drvlib::EcpLastError(), 1117u);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("ERR_VEXILDRV_CBT_FATAL"), std::string::npos);
}

// ---- The hooks against a driver that answers as the test says ------------------------------------

// The driver's device and nothing else: every request is recorded; open answers port 7; transfers
// answer with the status and count set here (reads put `readBytes` into the caller's buffer).
class AnsweringDriver final : public platform::DeviceBackend {
public:
    AnsweringDriver() : installed_(*this) {}

    std::int32_t openAnswer = 7;
    std::uint32_t status = 0;
    std::uint32_t count = 0;
    Bytes readBytes;
    bool refuseTransfers = false;
    std::int32_t portState = 0;
    bool refusePortState = false;
    std::vector<platform::DeviceRequest> requests;
    // The value of the time-out variable when the second step came.
    std::uint32_t secondStepVariable = 0;
    int devicesOpen = 0;

    const char* Name() const override { return "answering ECP driver"; }
    platform::DeviceError Open(const platform::PortAddress& address, platform::DevicePortPtr* port) override {
        if (address.kind != platform::PortKind::Path || !platform::ecp::IsDevicePath(address.path)) {
            return platform::DeviceError::NotFound;
        }
        *port = std::make_unique<Device>(devicesOpen);
        return platform::DeviceError::None;
    }
    platform::DeviceError DeviceControl(platform::DevicePort&, const platform::DeviceRequest& request,
                                        std::uint8_t* output, std::uint32_t capacity,
                                        std::uint32_t* returned) override {
        requests.push_back(request);
        *returned = 0;
        namespace ecp = platform::ecp;
        switch (request.controlCode) {
            case ecp::request::kOpenPort:
            case ecp::request::kPortState: {
                if (request.controlCode == ecp::request::kPortState && refusePortState) {
                    return platform::DeviceError::Io;
                }
                const std::int32_t value =
                    request.controlCode == ecp::request::kOpenPort ? openAnswer : portState;
                std::memcpy(output, &value, 4);
                *returned = 4;
                return platform::DeviceError::None;
            }
            case ecp::request::kTimeoutSecondStep: {
                std::uintptr_t address = 0;
                std::memcpy(&address, request.input.data() + 4, sizeof address);
                std::memcpy(&secondStepVariable, reinterpret_cast<const void*>(address), 4);
                return platform::DeviceError::None;
            }
            case ecp::request::kRead:
            case ecp::request::kWrite: {
                auto block = ecp::DecodeTransfer(request.input.data(), request.input.size());
                if (refuseTransfers || !block || capacity < ecp::kTransferBlockSize) {
                    return platform::DeviceError::Io;
                }
                if (request.controlCode == ecp::request::kRead && !readBytes.empty()) {
                    std::memcpy(reinterpret_cast<void*>(block->buffer), readBytes.data(),
                                std::min<std::size_t>(readBytes.size(), block->length));
                }
                block->status = status;
                block->count = count;
                const Bytes answer = ecp::EncodeTransfer(*block);
                std::memcpy(output, answer.data(), answer.size());
                *returned = static_cast<std::uint32_t>(answer.size());
                return platform::DeviceError::None;
            }
            default:
                return platform::DeviceError::None;
        }
    }

    platform::DeviceError Write(platform::DevicePort&, const std::uint8_t*, std::uint32_t,
                                std::uint32_t*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError Read(platform::DevicePort&, std::uint8_t*, std::uint32_t, std::uint32_t*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError GetTimeouts(platform::DevicePort&, platform::PortTimeouts*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError SetTimeouts(platform::DevicePort&, const platform::PortTimeouts&) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError GetLineSettings(platform::DevicePort&, platform::LineSettings*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError SetLineSettings(platform::DevicePort&, const platform::LineSettings&) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError GetComStatus(platform::DevicePort&, platform::ComStatus*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError GetDeviceId(platform::DevicePort&, const platform::DeviceRequest&, std::uint8_t*,
                                      std::uint32_t, platform::DeviceIdReply*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError SoftReset(platform::DevicePort&, const platform::DeviceRequest&) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError ListInterfaces(const std::string&,
                                         std::vector<platform::DeviceInterfaceEntry>*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError QueryDosAlias(const std::string&, std::string*) override {
        return platform::DeviceError::NotSupported;
    }
    platform::DeviceError DefineDosAlias(const std::string&, const std::string&) override {
        return platform::DeviceError::NotSupported;
    }

private:
    class Device final : public platform::DevicePort {
    public:
        explicit Device(int& open) : open_(open) { ++open_; }
        ~Device() override { --open_; }

    private:
        int& open_;
    };

    platform::ScopedDeviceBackend installed_;
};

class EcpHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = drvlib::EcpOpenPort(1, 5);
        ASSERT_EQ(port_, 7);
        hooks_ = &drvlib::EcpHookTable(port_);
        driver.requests.clear();
    }
    void TearDown() override {
        drvlib::EcpClosePort(port_);
        EXPECT_EQ(driver.devicesOpen, 0);
    }

    // One call of a hook with the driver's answer; the hook's result and the count it gave.
    struct Outcome {
        std::int32_t result;
        std::uint32_t count;
        std::uint32_t lastError;
    };
    Outcome Call(bool write, std::uint32_t status, std::uint32_t count = 5) {
        driver.status = status;
        driver.count = count;
        std::uint8_t buffer[5] = {};
        std::uint32_t moved = 99;
        const std::int32_t result =
            (write ? hooks_->write : hooks_->read)(nullptr, buffer, sizeof buffer, &moved);
        return {result, moved, drvlib::EcpLastError()};
    }

    AnsweringDriver driver;
    std::int32_t port_ = -1;
    const cbt::IoHookTable* hooks_ = nullptr;
};

TEST_F(EcpHookTest, TheTableHasTheTwoHooksInSlotsFourAndFiveAndNothingElse) {
    EXPECT_EQ(hooks_->reserved[0], 0u);
    EXPECT_EQ(hooks_->reserved[1], 0u);
    EXPECT_EQ(hooks_->reserved[2], 0u);
    EXPECT_EQ(hooks_->reserved[3], 0u);
    EXPECT_NE(hooks_->write, nullptr);
    EXPECT_NE(hooks_->read, nullptr);
}

TEST_F(EcpHookTest, AWriteSendsTheDriversBlockForTheCallersBytes) {
    std::uint8_t data[5] = {1, 2, 3, 4, 5};
    std::uint32_t moved = 0;
    driver.status = 128;
    driver.count = 5;
    EXPECT_NE(hooks_->write(nullptr, data, sizeof data, &moved), 0);
    EXPECT_EQ(moved, 5u);
    ASSERT_EQ(driver.requests.size(), 1u);
    EXPECT_EQ(driver.requests[0].controlCode, 0x18200Fu);
    // Port handle, buffer, length, 255, 0, result count, status, 1; the buffer word as wide as a pointer.
    Bytes expected = {7, 0, 0, 0};
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    for (std::size_t i = 0; i < sizeof address; ++i) {
        expected.push_back(static_cast<std::uint8_t>(address >> (8 * i)));
    }
    const Bytes rest = {5, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(driver.requests[0].input, expected);
}

TEST_F(EcpHookTest, WriteStatusRules) {
    // Done: the request's result, the driver's count.
    Outcome done = Call(true, 128, 5);
    EXPECT_NE(done.result, 0);
    EXPECT_EQ(done.count, 5u);
    // Not finished: the port state decides between "still going" and "not ready".
    driver.portState = 0;
    EXPECT_EQ(Call(true, 129, 2).result, 1);
    EXPECT_EQ(drvlib::EcpLastError(), 1121u);
    EXPECT_EQ(driver.requests.back().controlCode, 0x182014u);
    EXPECT_EQ(driver.requests.back().input, (Bytes{7, 0, 0, 0}));
    driver.portState = -13;
    EXPECT_EQ((Call(true, 129).result), 0);
    EXPECT_EQ(drvlib::EcpLastError(), 21u);
    driver.portState = -11;
    EXPECT_EQ(Call(true, 129).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 21u);
    // Failed, and a status of the other direction.
    EXPECT_EQ(Call(true, 130).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 1117u);
    EXPECT_EQ(Call(true, 0).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 1121u);
}

TEST_F(EcpHookTest, ReadStatusRules) {
    driver.readBytes = {0xAA, 0xBB, 0xCC};
    std::uint8_t buffer[5] = {};
    std::uint32_t moved = 0;
    driver.status = 0;
    driver.count = 3;
    EXPECT_NE(hooks_->read(nullptr, buffer, sizeof buffer, &moved), 0);
    EXPECT_EQ(moved, 3u);
    EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(driver.requests.back().controlCode, 0x18200Eu);

    driver.portState = 0;
    EXPECT_EQ(Call(false, 1, 0).result, 1);
    EXPECT_EQ(drvlib::EcpLastError(), 1121u);
    driver.portState = -11;
    EXPECT_EQ(Call(false, 1, 0).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 21u);
    EXPECT_EQ(Call(false, 2).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 1117u);
    // The write's "done" is no success for a read.
    EXPECT_EQ(Call(false, 128).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 1121u);
}

TEST_F(EcpHookTest, AFailedRequestCountsAsAFailedTransfer) {
    driver.refuseTransfers = true;
    Outcome write = Call(true, 128);
    EXPECT_EQ(write.result, 0);
    EXPECT_EQ(write.count, 0u);
    EXPECT_EQ(write.lastError, 1117u);
    Outcome read = Call(false, 0);
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.lastError, 1117u);
    // A port state the driver cannot give is a printer not ready, not a transfer still under way.
    driver.refuseTransfers = false;
    driver.refusePortState = true;
    EXPECT_EQ(Call(true, 129).result, 0);
    EXPECT_EQ(drvlib::EcpLastError(), 21u);
}

TEST_F(EcpHookTest, ACountBeyondTheBufferIsCutToIt) {
    EXPECT_EQ(Call(false, 0, 4096).count, 5u);
    EXPECT_EQ(Call(true, 128, 0xFFFFFFFF).count, 5u);
}

TEST_F(EcpHookTest, TheTimeoutStepsCarryThePortTheVariableAndTheirFlag) {
    drvlib::EcpSetTimeouts(port_);
    ASSERT_EQ(driver.requests.size(), 3u);
    EXPECT_EQ(driver.requests[0].controlCode, 0x18200Bu);
    EXPECT_EQ(driver.requests[1].controlCode, 0x18200Bu);
    EXPECT_EQ(driver.requests[2].controlCode, 0x182015u);
    for (const platform::DeviceRequest& request : driver.requests) {
        ASSERT_EQ(request.input.size(), 8 + sizeof(std::uintptr_t));
        EXPECT_EQ(Bytes(request.input.begin(), request.input.begin() + 4), (Bytes{7, 0, 0, 0}));
    }
    EXPECT_EQ(driver.requests[0].input.back(), 0);
    EXPECT_EQ(driver.requests[2].input[4 + sizeof(std::uintptr_t)], 1);
    EXPECT_EQ(driver.secondStepVariable, 100u);
}

TEST(EcpDriverPorts, ANegativeOpenAnswerIsPassedOnAndTheDeviceClosesAgain) {
    AnsweringDriver driver;
    driver.openAnswer = -3;
    EXPECT_EQ(drvlib::EcpOpenPort(1, 5), -3);
    EXPECT_EQ(driver.devicesOpen, 0);
    ASSERT_EQ(driver.requests.size(), 1u);
    EXPECT_EQ(driver.requests[0].controlCode, 0x182010u);
    EXPECT_EQ(driver.requests[0].input, (Bytes{1, 0, 0, 0, 5, 0, 0, 0}));
}

TEST(EcpDriverPorts, TheDeviceStaysOpenUntilTheLastPortClosesAndStrangeHandlesAreLeftAlone) {
    AnsweringDriver driver;
    driver.openAnswer = 3;
    ASSERT_EQ(drvlib::EcpOpenPort(2, 5), 3);
    driver.openAnswer = 4;
    ASSERT_EQ(drvlib::EcpOpenPort(3, 5), 4);
    driver.requests.clear();
    drvlib::EcpClosePort(99);
    EXPECT_TRUE(driver.requests.empty());
    drvlib::EcpClosePort(3);
    EXPECT_EQ(driver.devicesOpen, 1);
    ASSERT_EQ(driver.requests.size(), 1u);
    EXPECT_EQ(driver.requests[0].controlCode, 0x182011u);
    EXPECT_EQ(driver.requests[0].input, (Bytes{3, 0, 0, 0}));
    drvlib::EcpClosePort(4);
    EXPECT_EQ(driver.devicesOpen, 0);
}

TEST(EcpDriverOverTcp, AnSpcPrinterOfTheServerOpensThroughTheDriver) {
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    vprinter::LoopbackPrinters printers({"LPT1=VK-572D"}, "");
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    printers.InstallAsDeviceBackend();
    std::string answer;
    ASSERT_EQ(printers.Control("LPT1", kSpcDeviceId, &answer), platform::VirtualPrinterClient::Result::Ok);
    ASSERT_EQ(printers.Control("LPT1", "error-state=10", &answer),
              platform::VirtualPrinterClient::Result::Ok);
    CWinVexilDrv driver;
    CString model;
    ASSERT_EQ(driver.Open(1, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_EQ(driver.CheckDirectMode(), 0);
    STATUSINF status;
    EXPECT_EQ(driver.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(status.nError, 10);
    EXPECT_EQ(driver.Close(), 0);
    // The driver let the printer go: it opens again.
    ASSERT_EQ(driver.Open(1, &model, 1), 0);
    EXPECT_EQ(driver.Close(), 0);
}

}  // namespace
}  // namespace drvtest

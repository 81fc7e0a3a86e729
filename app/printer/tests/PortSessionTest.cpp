// The port session: nesting on the thread that holds it, refusal on any other, and every access
// object failing without touching the port while another thread holds it.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <thread>

#include "BoundPrinterFixture.h"
#include "RecordingErrorCallback.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/CPrinterSettingReader.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/ChannelExchange.h"
#include "printer/PortSession.h"
#include "printer/WaitForPrinter.h"

namespace printertest {
namespace {

using printer::PortSession;

// The refusals below are the point of the tests: they must not stop the debug build.
class RefusalsAllowed {
public:
    RefusalsAllowed() { PortSession::SetAssertOnRefusal(false); }
    ~RefusalsAllowed() { PortSession::SetAssertOnRefusal(true); }
};

// Runs the action on a thread of its own and waits for it.
void OnAnotherThread(const std::function<void()>& action) {
    std::thread other(action);
    other.join();
}

TEST(PortSessionNesting, InnerExchangesOfTheHoldingThreadNestAndThePortGoesFreeWithTheOutermost) {
    PortSession session;
    {
        PortSession::Exchange outer = session.Begin("outer");
        ASSERT_TRUE(outer);
        {
            const PortSession::Exchange inner = session.Begin("inner");
            EXPECT_TRUE(inner);
            EXPECT_EQ(inner.GetStatus(), printer::status::kSuccess);
            EXPECT_EQ(session.Depth(), 2);
            // The earliest running exchange names the holder.
            EXPECT_EQ(session.Holder(), "outer");
        }
        EXPECT_TRUE(session.IsBusy());
        EXPECT_TRUE(session.HeldByThisThread());
        // A moved exchange is held once: the move leaves nothing behind to end it twice.
        PortSession::Exchange moved = std::move(outer);
        EXPECT_FALSE(outer);
        EXPECT_EQ(session.Depth(), 1);
        moved.Release();
        EXPECT_FALSE(session.IsBusy());
        moved.Release();
        EXPECT_EQ(session.Depth(), 0);
    }
    EXPECT_EQ(session.Holder(), "");
    EXPECT_TRUE(session.Begin("again"));
}

TEST(PortSessionRefusal, TwoExchangesFromTwoThreadsNeverRunTogether) {
    RefusalsAllowed allowed;
    PortSession session;
    PortSession::Exchange held = session.Begin("sensor refresh");
    ASSERT_TRUE(held);
    OnAnotherThread([&] {
        const PortSession::Exchange refused = session.Begin("status query");
        EXPECT_FALSE(refused);
        EXPECT_EQ(refused.GetStatus(), printer::status::kPortBusy);
        EXPECT_FALSE(session.HeldByThisThread());
    });
    // The refusal took nothing from the holder.
    EXPECT_EQ(session.Depth(), 1);
    EXPECT_EQ(session.Holder(), "sensor refresh");
    held.Release();
    OnAnotherThread([&] { EXPECT_TRUE(session.Begin("status query")); });
}

class PortSessionAccess : public BoundPrinter {
protected:
    // What the process's other thread meets while this one holds the port: each access object
    // fails at once and the printer sees nothing.
    void ExpectEveryAccessRefusedOnAnotherThread() {
        const int opensBefore = ports.OpenCount("USB1");
        const std::size_t writtenBefore = ports.Written("USB1").size();
        OnAnotherThread([&] {
            IPrinterStatus* status = nullptr;
            ASSERT_EQ(CreatePrinterStatus(&status, usb1), 1);
            EXPECT_EQ(status->Refresh(), 0);
            status->Release();

            IEepromRW* eeprom = nullptr;
            ASSERT_EQ(CreateEepromRW(&eeprom, usb1, &errors), 1);
            std::uint8_t value = 0x42;
            EXPECT_EQ(eeprom->ReadByte(0x10, &value), 0);
            EXPECT_EQ(value, 0x42);
            EXPECT_EQ(eeprom->WriteByte(0x10, 0x00), 0);
            eeprom->Release();

            platform::ISequentialStream* stream = nullptr;
            EXPECT_EQ(CreatePrinterStream(&stream, kUsb1), 0);
            EXPECT_EQ(stream, nullptr);
            EXPECT_EQ(CreateD4Stream(&stream, kUsb1), 0);

            EXPECT_EQ(printer::WaitPrinterReady(usb1, 1000), 0);

            CountingSettingSink sink;
            EXPECT_EQ(CPrinterSettingReader(usb1, {}, &errors).Read(sink, CPrinterSettingReader::kAll), 0);
            EXPECT_EQ(sink.calls, 0);

            const PortSession::Exchange refused = PortSession::OfProcess().Begin("channel");
            EXPECT_EQ(printer::OpenChannel(refused, kUsb1), printer::ChannelStep::Busy);
            EXPECT_EQ(printer::CloseChannel(refused), printer::status::kPortBusy);
            StatusReplyRecord record;
            EXPECT_EQ(ReadAndParseStatusReply(refused, &record), printer::status::kPortBusy);
        });
        EXPECT_EQ(ports.OpenCount("USB1"), opensBefore);
        EXPECT_EQ(ports.Written("USB1").size(), writtenBefore);
        // A refusal is not a printer failure: nothing is told to the technician.
        EXPECT_TRUE(errors.Codes().empty());
    }

    // A sink that only counts that it was called.
    struct CountingSettingSink : printer::ISettingSink {
        void Start(int) override { ++calls; }
        void Show(printer::SettingField, const std::string&) override { ++calls; }
        void Step() override { ++calls; }
        void Finish() override { ++calls; }
        int calls = 0;
    };

    RefusalsAllowed allowed;
    RecordingErrorCallback errors;
    const printer::Target usb1{"USB1", 0x57, 0x2D, 0xFF};
};

TEST_F(PortSessionAccess, AnOpenStreamHoldsThePortUntilItsRelease) {
    platform::ISequentialStream* stream = nullptr;
    ASSERT_EQ(CreatePrinterStreamByName(&stream, "USB1"), 1);
    ExpectEveryAccessRefusedOnAnotherThread();
    // The stream itself goes on working on its own thread.
    const std::uint8_t reset[] = {0x1B, 0x40};
    EXPECT_EQ(stream->Write(reset, 2, nullptr), platform::kSOk);
    stream->Release();
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
    OnAnotherThread([&] { EXPECT_EQ(printer::WaitPrinterReady(usb1, 1000), 1); });
}

TEST_F(PortSessionAccess, AnOpenEepromChannelHoldsThePortUntilItCloses) {
    IEepromRW* eeprom = nullptr;
    ASSERT_EQ(CreateEepromRW(&eeprom, usb1, &errors), 1);
    // Nothing held before the first byte.
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
    std::uint8_t value = 0;
    ASSERT_EQ(eeprom->ReadByte(0x10, &value), 1);
    EXPECT_EQ(PortSession::OfProcess().Holder(), "EEPROM channel");
    ExpectEveryAccessRefusedOnAnotherThread();
    // The holder's own thread goes on: its next read nests and reuses the open channel.
    ASSERT_EQ(eeprom->ReadByte(0x11, &value), 1);
    EXPECT_EQ(printer->Transport().Initialisations(), 1u);
    eeprom->Release();
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(PortSessionAccess, EveryAccessObjectGivesThePortBackWhenItsExchangeEnds) {
    IPrinterStatus* status = nullptr;
    ASSERT_EQ(CreatePrinterStatus(&status, usb1), 1);
    EXPECT_EQ(status->Refresh(), 1);
    status->Release();
    EXPECT_EQ(printer::WaitPrinterReady(usb1, 1000), 1);
    IEepromRW* eeprom = nullptr;
    ASSERT_EQ(CreateEepromRW(&eeprom, usb1, &errors), 1);
    std::uint8_t value = 0;
    ASSERT_EQ(eeprom->WriteByte(0x30, 0x01), 1);
    static_cast<CEepromRwByApDllD4*>(eeprom)->CloseChannel();
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
    ASSERT_EQ(eeprom->ReadByte(0x30, &value), 1);
    std::array<std::int32_t, 256> values;
    values.fill(-1);
    EXPECT_EQ(eeprom->PrintDump(values.data()), 1);
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
    eeprom->Release();
    EXPECT_FALSE(PortSession::OfProcess().IsBusy());
}

}  // namespace
}  // namespace printertest

// The status reader against the virtual printer, through the real Plexer and ChanLink.
#include <gtest/gtest.h>

#include <string>

#include "BoundPrinterFixture.h"
#include "config/ConfigurationScope.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/ChannelExchange.h"

namespace printertest {
namespace {

class PrinterStatus : public BoundPrinter {
protected:
    void SetUp() override {
        BoundPrinter::SetUp();
        ASSERT_EQ(CreatePrinterStatus(&status, printer::Target{"USB1"}), 1);
    }
    void TearDown() override {
        if (status != nullptr) {
            status->Release();
        }
        BoundPrinter::TearDown();
    }

    config::ScopedConfiguration configuration;
    IPrinterStatus* status = nullptr;
};

TEST_F(PrinterStatus, FactoryHandsOutTheOnlyReferenceForThePortOfTheName) {
    auto* heron = static_cast<CPrinterStatusHeron*>(status);
    EXPECT_EQ(heron->ReferenceCount(), 1);
    EXPECT_EQ(heron->GetPort(), 0x0401);
    // Nothing read yet.
    EXPECT_EQ(status->GetStatusCode(), 0);
    EXPECT_EQ(status->GetErrorCode(), 0);
}

TEST_F(PrinterStatus, EachStateAndErrorTheVirtualPrinterTakesReadsBackAsItself) {
    struct Case {
        const char* words;
        int status;
        int error;
    } const cases[] = {
        {"clear-faults state=4 error=0", 4, 0},
        {"state=2", 2, 0},
        {"state=9", 9, 0},
        {"state=19", 19, 0},
        {"state=4 paper-out=1", 0, 6},
        {"paper-out=0 error-state=9", 0, 9},
        {"error-state=10", 0, 10},
        {"error-state=30", 0, 30},
        {"error-state=-1 state=4", 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        ports.Control("USB1", c.words);
        ASSERT_EQ(status->Refresh(), 1);
        EXPECT_EQ(status->GetStatusCode(), c.status);
        EXPECT_EQ(status->GetErrorCode(), c.error);
        EXPECT_EQ(static_cast<CPrinterStatusHeron*>(status)->LastStatusReply().tp, 1);
        // The channel and the port are closed after every query.
        EXPECT_EQ(ports.OpenNow("USB1"), 0);
        EXPECT_FALSE(printer->InPacketMode());
    }
}

TEST_F(PrinterStatus, BusyPrinterReportsPrintingForItsPollsThenReady) {
    ports.Control("USB1", "busy-polls=2");
    for (const int expected : {2, 2, 4}) {
        ASSERT_EQ(status->Refresh(), 1);
        EXPECT_EQ(status->GetStatusCode(), expected);
    }
}

// A failed query keeps the last good codes and never waits longer than the query's time-outs.
TEST_F(PrinterStatus, FailuresKeepTheLastGoodCodes) {
    ports.Control("USB1", "paper-out=1");
    ASSERT_EQ(status->Refresh(), 1);
    struct Case {
        const char* words;
    } const cases[] = {
        {"offline=refuse"},
        {"offline=silent"},
        {"garbage=1"},
        {"status-form=binary"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        ports.Control("USB1", "clear-faults paper-out=1 status-form=text");
        ports.Control("USB1", c.words);
        const std::uint64_t before = clock.ElapsedMilliseconds();
        EXPECT_EQ(status->Refresh(), 0);
        // A silent printer costs the status query's two-second read time-out once.
        EXPECT_LE(clock.ElapsedMilliseconds() - before, 2000u);
        EXPECT_EQ(status->GetStatusCode(), 0);
        EXPECT_EQ(status->GetErrorCode(), 6);
        EXPECT_EQ(ports.OpenNow("USB1"), 0);
    }
    // Back on line, the next query reads afresh.
    ports.Control("USB1", "clear-faults status-form=text");
    ASSERT_EQ(status->Refresh(), 1);
    EXPECT_EQ(status->GetStatusCode(), 4);
}

TEST_F(PrinterStatus, ABinaryReplyIsReportedUnparsable) {
    ports.Control("USB1", "status-form=binary");
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("status test");
    ASSERT_EQ(printer::OpenChannel(exchange, kUsb1), printer::ChannelStep::Ready);
    StatusReplyRecord record;
    EXPECT_EQ(ReadAndParseStatusReply(exchange, &record), printer::status::kReplyNotParsable);
    EXPECT_EQ(record.parseError, 1);
    ports.Control("USB1", "status-form=text");
    EXPECT_EQ(ReadAndParseStatusReply(exchange, &record), printer::status::kSuccess);
    printer::CloseChannel(exchange);
}

TEST_F(PrinterStatus, AStatusObjectSurvivesThePrinterGoingOfflineBetweenCalls) {
    ASSERT_EQ(status->Refresh(), 1);
    ports.Control("USB1", "offline=refuse");
    EXPECT_EQ(status->Refresh(), 0);
    ports.Control("USB1", "offline=no");
    EXPECT_EQ(status->Refresh(), 1);
    EXPECT_EQ(status->GetStatusCode(), 4);
}

}  // namespace
}  // namespace printertest

// Receive on the scripted back-end: the polled read, the COM queue watch, and the single reads of the
// 98 and 95 parallel path. All waits run on the virtual clock.
#include <gtest/gtest.h>

#include "WirexTestScript.h"

namespace wirex::tests {
namespace {

using platform::DeviceError;
using platform::OpenProcedure;

class PolledReceive : public WirexTest {
protected:
    void SetUp() override {
        ExpectUsbOpen();
        ASSERT_EQ(driver.PortOpen(0x0401), status::kSuccess);
    }
    void TearDown() override {
        script.ExpectClose();
        WirexTest::TearDown();
    }
    std::uint8_t buffer[kWindow] = {};
    std::uint32_t length = 0;
};

TEST_F(PolledReceive, TakesTheFirstReadThatBringsBytes) {
    script.ExpectRead({}).Times(3).ExpectRead(Bytes("@BDC ST\r\n"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 9u);
    EXPECT_EQ(std::string(buffer, buffer + 9), "@BDC ST\r\n");
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoError);
    // The wait before receive, then 10 ms after each empty poll.
    EXPECT_EQ(clock.ElapsedMilliseconds(), 10u + 3 * 10u);
}

TEST_F(PolledReceive, GivesUpAfter200EmptyPollsWithTheDefaults) {
    script.ExpectRead({}).Times(200);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 10u + 199 * 10u);
}

TEST_F(PolledReceive, ThePollLimitFollowsTheWriteTotalConstantOnTheNtFamily) {
    script.ExpectGetTimeouts({}).ExpectSetTimeouts({10, 10, 5000, 10, 55});
    EXPECT_EQ(driver.SetPortTimeOut(10, 10, 5000, 10, 55), status::kSuccess);
    script.ExpectRead({}).Times(5);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
}

TEST_F(PolledReceive, ReadFailureAndWrongCountsAndTypes) {
    script.ExpectRead({}, DeviceError::Io);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kReadFailed);

    driver.SetReceiveType(kReceiveExact);
    length = 4;
    script.ExpectRead(Bytes("ABC"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
    length = 2;
    script.ExpectRead(Bytes("ABC"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
    length = 3;
    script.ExpectRead(Bytes("ABC"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 3u);

    // The type is checked once bytes came.
    driver.SetReceiveType(4);
    script.ExpectRead(Bytes("ABC"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kBadReceiveType);
}

TEST_F(PolledReceive, AReplyThatFillsTheWindowIsTooLong) {
    script.ExpectRead(std::vector<std::uint8_t>(1023, 0x55));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 1023u);
    // The read asks for the window only; what lies beyond stays with the device.
    script.ExpectRead(std::vector<std::uint8_t>(3000, 0x55));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(length, 1024u);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
    EXPECT_EQ(script.Transcript().back(), "Read up to 1024");
}

class Wirex98PolledUsb : public Wirex98Test {};

TEST_F(Wirex98PolledUsb, ThePollLimitFollowsTheReadTotalConstant) {
    ExpectUsbOpen(1, OpenProcedure::UsbMakerClass);
    ASSERT_EQ(driver.PortOpen(0x0401), status::kSuccess);
    script.ExpectGetTimeouts({}).ExpectSetTimeouts({10, 10, 30, 10, 2000});
    EXPECT_EQ(driver.SetPortTimeOut(10, 10, 30, 10, 2000), status::kSuccess);
    std::uint8_t buffer[kWindow];
    std::uint32_t length = 0;
    script.ExpectRead({}).Times(3).ExpectClose();
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
}

class ComReceive : public WirexTest {
protected:
    void SetUp() override {
        ExpectComOpen();
        ASSERT_EQ(driver.PortOpen(0x0300), status::kSuccess);
    }
    void TearDown() override {
        script.ExpectClose();
        WirexTest::TearDown();
    }
    std::uint8_t buffer[kWindow] = {};
    std::uint32_t length = 0;
};

TEST_F(ComReceive, PacketTypeIsRefusedAfterTheWait) {
    driver.SetWaitTimeBeforeReceive(-1, -1, 70);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kPacketOnCom);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 70u);
    driver.SetReceiveType(0);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kBadReceiveType);
}

TEST_F(ComReceive, ExactLengthWaitsForTheQueueToHoldIt) {
    driver.SetReceiveType(kReceiveExact);
    length = 5;
    script.ExpectComStatus({false, 0})
        .ExpectComStatus({false, 3})
        .ExpectComStatus({false, 5})
        .ExpectRead(Bytes("HELLO"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(std::string(buffer, buffer + 5), "HELLO");
    EXPECT_EQ(clock.ElapsedMilliseconds(), 10u + 2 * 10u);
}

TEST_F(ComReceive, ExactLengthFailures) {
    driver.SetReceiveType(kReceiveExact);
    length = 5;
    // A queue that holds more than expected is never read: the wait runs out (2000 / 10 polls).
    script.ExpectComStatus({false, 6}).Times(200);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);

    script.ExpectComStatus({true, 5});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kReadFailed);

    script.ExpectComStatus({false, 5}).ExpectRead(Bytes("HEL"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);

    script.ExpectComStatus({false, 5}).ExpectRead({}, DeviceError::Io);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kReadFailed);

    // Beyond the caller's window: refused before anything is read.
    length = 1025;
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
}

TEST_F(ComReceive, WhatArrivesIsReadOnceTheQueueStopsGrowing) {
    driver.SetReceiveType(kReceiveWhatArrives);
    script.ExpectComStatus({false, 2})
        .ExpectComStatus({false, 6})
        .ExpectComStatus({false, 6})
        .ExpectRead(Bytes("ST:00;"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(clock.ElapsedMilliseconds(), 10u + 3 * 10u);

    script.ExpectComStatus({false, 0});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 0u);

    script.ExpectComStatus({false, 4}).ExpectComStatus({true, 4});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kReadFailed);
}

TEST_F(ComReceive, WhatArrivesNeverReadsMoreThanTheWindow) {
    driver.SetReceiveType(kReceiveWhatArrives);
    script.ExpectComStatus({false, 3000})
        .ExpectComStatus({false, 3000})
        .ExpectRead(std::vector<std::uint8_t>(1024, 0x41));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(length, 1024u);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
    EXPECT_EQ(script.Transcript().back(), "Read up to 1024");
}

TEST_F(ComReceive, WhatArrivesTimesOutWhileTheQueueKeepsGrowing) {
    driver.SetReceiveType(kReceiveWhatArrives);
    script.ExpectGetTimeouts({}).ExpectSetTimeouts({10, 10, 30, 10, 2000});
    EXPECT_EQ(driver.SetPortTimeOut(10, 10, 30, 10, 2000), status::kSuccess);
    script.ExpectComStatus({false, 1}).ExpectComStatus({false, 2}).ExpectComStatus({false, 3});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
}

class SingleReadReceive : public Wirex98Test {
protected:
    void SetUp() override {
        ExpectParallelOpen(OpenProcedure::ParallelDosName);
        ASSERT_EQ(driver.PortOpen(0x0480), status::kSuccess);
    }
    void TearDown() override {
        script.ExpectClose();
        WirexTest::TearDown();
    }
    std::uint8_t buffer[kWindow] = {};
    std::uint32_t length = 0;
};

TEST_F(SingleReadReceive, PacketReadsTheHeaderThenTheRestOfTheBigEndianLength) {
    script.ExpectRead({0x00, 0x00, 0x00, 0x09, 0x01, 0x00}).ExpectRead({0xAA, 0xBB, 0xCC});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 9u);
    EXPECT_EQ(buffer[6], 0xAA);
    EXPECT_EQ(buffer[8], 0xCC);
    EXPECT_EQ(script.Transcript()[script.Transcript().size() - 2], "Read up to 6");
    EXPECT_EQ(script.Transcript().back(), "Read up to 3");
    // A header-only packet reads nothing more.
    script.ExpectRead({0x00, 0x00, 0x00, 0x06, 0x01, 0x00});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 6u);
    // 1024 counts as a packet: 0x0400.
    script.ExpectRead({0x00, 0x00, 0x04, 0x00, 0x01, 0x00}).ExpectRead(std::vector<std::uint8_t>(1018, 1));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 1024u);
}

TEST_F(SingleReadReceive, MalformedPacketHeadersStopAfterTheHeader) {
    // Above the window: 0x0401.
    script.ExpectRead({0x00, 0x00, 0x04, 0x01, 0x01, 0x00});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
    EXPECT_EQ(length, 6u);
    // 0xFFFF would have been read from the wrong end as 0xFF00 or 0x00FF; both ends are large.
    script.ExpectRead({0x00, 0x00, 0xFF, 0xFF, 0x01, 0x00});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
    // Below the header's own size: nothing more is read, not 2^32 - 1 bytes.
    for (std::uint8_t low : {0x00, 0x01, 0x05}) {
        script.ExpectRead({0x00, 0x00, 0x00, low, 0x01, 0x00});
        EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
        EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
        EXPECT_EQ(length, 6u);
    }
}

TEST_F(SingleReadReceive, ShortAndFailedReads) {
    script.ExpectRead({0x00, 0x00, 0x00});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
    script.ExpectRead({}, DeviceError::Io);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kReadFailed);
    script.ExpectRead({0x00, 0x00, 0x00, 0x0A, 0x01, 0x00}).ExpectRead({1, 2});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
}

TEST_F(SingleReadReceive, ExactAndWhatArrivesTypes) {
    driver.SetReceiveType(kReceiveExact);
    length = 1025;
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
    length = 4;
    script.ExpectRead(Bytes("ABCD"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);

    driver.SetReceiveType(kReceiveWhatArrives);
    script.ExpectRead({});
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kTimeout);
    EXPECT_EQ(length, 0u);
    script.ExpectRead(Bytes("XY"));
    EXPECT_EQ(driver.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 2u);

    driver.SetReceiveType(9);
    EXPECT_EQ(driver.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kBadReceiveType);
}

}  // namespace
}  // namespace wirex::tests

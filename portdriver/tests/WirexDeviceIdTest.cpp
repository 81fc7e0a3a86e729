// The device-ID query, CheckDeviceID, GetModelName and ResetDevice on the scripted back-end.
#include <gtest/gtest.h>

#include <cstring>

#include "WirexTestScript.h"

namespace wirex::tests {
namespace {

using platform::DeviceError;
using platform::DeviceRequest;
using platform::OpenProcedure;

constexpr std::uint32_t kParQueryDeviceId = 0x0016000C;
constexpr std::uint32_t kUsbPrintGet1284Id = 0x00220034;

// A reply of exactly size bytes holding a device ID, with the USB class's length in front when asked.
std::vector<std::uint8_t> Reply(std::size_t size, bool prefixed,
                                const std::string& id = "MFG:VK;MDL:572;CMD:D4;") {
    std::string text;
    if (prefixed) {
        text.push_back(static_cast<char>(size >> 8));
        text.push_back(static_cast<char>(size & 0xFF));
    }
    text += id;
    text.resize(size, 'x');
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class UsbDeviceId : public WirexTest {
protected:
    void SetUp() override {
        ExpectUsbOpen();
        ASSERT_EQ(driver.PortOpen(0x0401), status::kSuccess);
    }
    void TearDown() override {
        script.ExpectClose();
        WirexTest::TearDown();
    }
    void ExpectId(std::vector<std::uint8_t> reply, bool prefixed = true) {
        script.ExpectDeviceId({kUsbPrintGet1284Id, {}}, std::move(reply), prefixed);
    }
    char name[kWindow + 1] = {};
    std::uint8_t d4 = 0xEE;
};

TEST_F(UsbDeviceId, TheLengthPrefixIsSkippedSoAShortIdIsFound) {
    ExpectId(Reply(0x1A, true, "MFG:VK;MDL:572;CMD:D4;"));
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(d4, 1);
    ExpectId(Reply(0x1A, true, "MFG:VK;MDL:572;CMD:D4;"));
    EXPECT_EQ(driver.GetModelName(name), status::kSuccess);
    EXPECT_STREQ(name, "572");
}

TEST_F(UsbDeviceId, ABareReplyIsSearchedFromItsFirstByte) {
    ExpectId(Bytes("MFG:VK;MDL:VK-2240II;CMD:VXPRINT;"), false);
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(d4, 0);
    ExpectId(Bytes("MFG:VK;MDL:VK-2240II;CMD:VXPRINT;"), false);
    EXPECT_EQ(driver.GetModelName(name), status::kSuccess);
    EXPECT_STREQ(name, "VK-2240II");
}

TEST_F(UsbDeviceId, ModelNameIsCopiedWithoutATerminator) {
    std::memset(name, '#', sizeof name);
    ExpectId(Bytes("MDL:ABC;"), false);
    EXPECT_EQ(driver.GetModelName(name), status::kSuccess);
    EXPECT_EQ(std::string(name, 4), "ABC#");
}

TEST_F(UsbDeviceId, WithoutAModelTheNameIsUnknownDevice) {
    for (const char* id : {"MFG:VK;CMD:D4;", "MFG:VK;MDL:572", "MDL:;"}) {
        std::memset(name, '#', sizeof name);
        ExpectId(Bytes(id), false);
        EXPECT_EQ(driver.GetModelName(name), status::kSuccess) << id;
        EXPECT_EQ(std::string(name, 15), std::string("Unknown device\0", 15)) << id;
    }
}

TEST_F(UsbDeviceId, RepliesOfTheWindowOrMoreAreTooLongOnTheNtFamily) {
    for (bool prefixed : {false, true}) {
        ExpectId(Reply(1023, prefixed), prefixed);
        EXPECT_EQ(driver.GetModelName(name), status::kSuccess);
        EXPECT_STREQ(name, "572");
        for (std::size_t size : {1024u, 2000u}) {
            ExpectId(Reply(size, prefixed), prefixed);
            EXPECT_EQ(driver.CheckDeviceID(&d4), status::kFailure) << size;
            EXPECT_EQ(driver.GetIOErrorCode(), io::kTooLong);
        }
    }
    EXPECT_EQ(script.Transcript().back(), "GetDeviceId 0x00220034");
}

TEST_F(UsbDeviceId, AnEmptyOrFailedReplyIsNoDeviceId) {
    ExpectId({}, false);
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    EXPECT_EQ(d4, 0xEE);
    script.ExpectDeviceId({kUsbPrintGet1284Id, {}}, {}, false, DeviceError::Io);
    EXPECT_EQ(driver.GetModelName(name), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    EXPECT_EQ(name[0], '\0');
}

TEST_F(UsbDeviceId, ResetSendsTheSoftResetRequestAndIgnoresItsOutcome) {
    script.ExpectSoftReset({0x00220040, {}}).ExpectSoftReset({0x00220040, {}}, DeviceError::Io);
    EXPECT_EQ(driver.ResetDevice(), status::kSuccess);
    EXPECT_EQ(driver.ResetDevice(), status::kSuccess);
}

TEST_F(WirexTest, ParallelDeviceIdIsAskedUpToThreeTimes) {
    ExpectParallelOpen();
    ASSERT_EQ(driver.PortOpen(0x0480), status::kSuccess);
    std::uint8_t d4 = 0;
    script.ExpectDeviceId({kParQueryDeviceId, {}}, {})
        .ExpectDeviceId({kParQueryDeviceId, {}}, {}, false, DeviceError::Io)
        .ExpectDeviceId({kParQueryDeviceId, {}}, Bytes("CMD:D4;"));
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(d4, 1);
    script.ExpectDeviceId({kParQueryDeviceId, {}}, {}).Times(3);
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    // The parallel reset pulses the init line: PARALLEL_INIT as the one input byte.
    script.ExpectSoftReset({0x00160008, {0x01}}).ExpectClose();
    EXPECT_EQ(driver.ResetDevice(), status::kSuccess);
}

TEST_F(WirexTest, ComPortsHaveNoDeviceIdAndNoReset) {
    ExpectComOpen();
    ASSERT_EQ(driver.PortOpen(0x0300), status::kSuccess);
    std::uint8_t d4 = 0;
    char name[kWindow + 1] = {};
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    EXPECT_EQ(driver.GetModelName(name), status::kFailure);
    EXPECT_EQ(driver.ResetDevice(), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    script.ExpectClose();
}

}  // namespace
}  // namespace wirex::tests

// The points where the 98 and 95 builds differ from the NT family.
#include <gtest/gtest.h>

#include "WirexTestScript.h"

namespace wirex::tests {
namespace {

using platform::DeviceError;
using platform::OpenProcedure;
using platform::PortKind;

TEST_F(Wirex98Test, OpensParallelByItsDosNameAndUsbThroughTheMakersClass) {
    ExpectParallelOpen(OpenProcedure::ParallelDosName);
    script.ExpectClose();
    ExpectUsbOpen(3, OpenProcedure::UsbMakerClass);
    EXPECT_EQ(driver.PortOpen(0x0480), status::kSuccess);
    EXPECT_EQ(driver.PortOpen(0x0403), status::kSuccess);
    script.ExpectClose();
}

TEST_F(Wirex98Test, UsesItsOwnRequestCodesAndAcceptsAFullWindow) {
    ExpectParallelOpen(OpenProcedure::ParallelDosName);
    ASSERT_EQ(driver.PortOpen(0x0480), status::kSuccess);
    std::uint8_t d4 = 0;
    // One attempt only, request 17.
    script.ExpectDeviceId({17, {}}, {});
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoDeviceId);
    std::vector<std::uint8_t> full = Bytes("MDL:572;CMD:D4;");
    full.resize(1024, 'x');
    script.ExpectDeviceId({17, {}}, full);
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(d4, 1);
    // A reply of 2000 bytes arrives cut to the window and is taken as it is.
    std::vector<std::uint8_t> longer = full;
    longer.resize(2000, 'y');
    script.ExpectDeviceId({17, {}}, longer);
    char name[kWindow + 1] = {};
    EXPECT_EQ(driver.GetModelName(name), status::kSuccess);
    EXPECT_STREQ(name, "572");
    script.ExpectSoftReset({7, {}}).ExpectClose();
    EXPECT_EQ(driver.ResetDevice(), status::kSuccess);
    driver.PortClose();

    ExpectUsbOpen(1, OpenProcedure::UsbMakerClass);
    ASSERT_EQ(driver.PortOpen(0x0401), status::kSuccess);
    script.ExpectDeviceId({0x00221804, {}}, Bytes("MDL:X;")).ExpectSoftReset({0x0022180C, {}}).ExpectClose();
    EXPECT_EQ(driver.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(driver.ResetDevice(), status::kSuccess);
}

TEST_F(Wirex95Test, HasNoUsbAndKeepsTheErrorCodeAcrossPortOpen) {
    script.ExpectOpen({PortKind::Parallel, 2, {}, OpenProcedure::ParallelDosName}, DeviceError::NotFound);
    EXPECT_EQ(driver.PortOpen(0x0481), status::kFailure);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoPort);
    for (std::uint32_t number : {0x0401u, 0x0440u, 0x047Fu}) {
        EXPECT_EQ(driver.PortOpen(number), status::kInvalidPort);
        EXPECT_EQ(driver.GetIOErrorCode(), io::kNoPort);  // not reset to 1
    }
    ExpectComOpen(4);
    EXPECT_EQ(driver.PortOpen(0x0303), status::kSuccess);
    script.ExpectClose();
}

TEST_F(WirexTest, TheNtFamilyResetsTheErrorCodeAtPortOpen) {
    script.ExpectOpen({PortKind::Parallel, 2, {}, OpenProcedure::ParallelDosAlias}, DeviceError::NotFound);
    EXPECT_EQ(driver.PortOpen(0x0481), status::kFailure);
    EXPECT_EQ(driver.PortOpen(0x0483), status::kInvalidPort);
    EXPECT_EQ(driver.GetIOErrorCode(), io::kNoError);
}

TEST(WirexVariants, DifferencesTable) {
    EXPECT_EQ(kVariantXp.longestDeviceId, 1023u);
    EXPECT_EQ(kVariant98.longestDeviceId, 1024u);
    EXPECT_EQ(kVariant95.longestDeviceId, 1024u);
    EXPECT_EQ(kVariantXp.parallelDeviceIdAttempts, 3u);
    EXPECT_EQ(kVariant98.parallelDeviceIdAttempts, 1u);
    EXPECT_EQ(kVariantXp.parallelReceive, ParallelReceive::Polled);
    EXPECT_EQ(kVariant95.parallelReceive, ParallelReceive::SingleRead);
    EXPECT_FALSE(kVariant95.hasUsb);
    EXPECT_FALSE(kVariant95.resetsIoErrorAtOpen);
    EXPECT_TRUE(kVariant98.usbPollLimitFromReadTotal);
    EXPECT_FALSE(kVariantXp.usbPollLimitFromReadTotal);
}

}  // namespace
}  // namespace wirex::tests

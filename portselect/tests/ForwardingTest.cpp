// The selector's attach and the forwarders, against a fake driver that lacks two functions and against
// the real port driver of this platform over a scripted port.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DriverSelector.h"
#include "platform/Clock.h"
#include "platform/DeviceScript.h"
#include "platform/DynamicLibrary.h"
#include "portselect/PlexerFunctions.h"

namespace plexer {
namespace {

platform::OsVersionInfo Version(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    platform::OsVersionInfo version;
    version.platformId = platformId;
    version.majorVersion = major;
    version.minorVersion = minor;
    return version;
}

TEST(DriverSelector, LoadsTheChosenDriverByItsName) {
    DriverSelector selector;
    std::vector<std::string> asked;
    auto recordingLoader = [&](const DriverChoice& choice) {
        asked.emplace_back(choice.library);
        return platform::LoadSharedLibrary("TolvFakeWirex.dll");
    };
    EXPECT_EQ(selector.Attach(Version(platform::kPlatformNt, 5, 1), recordingLoader), status::kSuccess);
    EXPECT_EQ(selector.Attach(Version(platform::kPlatformWindows, 4, 10), recordingLoader), status::kSuccess);
    EXPECT_EQ(asked, (std::vector<std::string>{"WirexXP.dll", "Wirex98.dll"}));
    EXPECT_TRUE(selector.HasDriver());
}

TEST(DriverSelector, RefusesUnsupportedSystemsAndMissingDrivers) {
    DriverSelector selector;
    int loads = 0;
    auto counting = [&](const DriverChoice&) {
        ++loads;
        return static_cast<platform::LibraryHandle>(nullptr);
    };
    EXPECT_EQ(selector.Attach(Version(platform::kPlatformNt, 5, 2), counting), status::kUnsupportedSystem);
    EXPECT_EQ(selector.Attach(Version(platform::kPlatformNt, 4, 0), counting), status::kUnsupportedSystem);
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(selector.Attach(Version(platform::kPlatformNt, 6, 0), counting), status::kMissing);
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(selector.HasDriver());
}

class ForwardingToFakeDriver : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ProcessSelector().Attach(
                      Version(platform::kPlatformNt, 5, 1),
                      [](const DriverChoice&) { return platform::LoadSharedLibrary("TolvFakeWirex.dll"); }),
                  status::kSuccess);
        fake_ = platform::LoadSharedLibrary("TolvFakeWirex.dll");
        configure_ = reinterpret_cast<void (*)(std::uint32_t, std::uint8_t)>(
            platform::FindLibraryFunction(fake_, "FakeConfigure"));
        ASSERT_NE(configure_, nullptr);
    }
    void TearDown() override {
        configure_(0x0001, 1);
        ProcessSelector().Detach();
        platform::FreeSharedLibrary(fake_);
    }
    platform::LibraryHandle fake_ = nullptr;
    void (*configure_)(std::uint32_t, std::uint8_t) = nullptr;
};

TEST_F(ForwardingToFakeDriver, AMissingFunctionGivesB000AndWritesNoOutArgument) {
    EXPECT_EQ(ResetDeviceByPlex(), status::kMissing);
    std::int16_t code = 1234;
    EXPECT_EQ(GetIoErrorCodeByPlex(&code), status::kMissing);
    EXPECT_EQ(code, 1234);
    // The others reach the driver, arguments unchanged.
    EXPECT_EQ(PortOpenByPlex(0x0480), 0x1100u);
    auto lastPort =
        reinterpret_cast<std::uint32_t (*)()>(platform::FindLibraryFunction(fake_, "FakeLastPortNumber"));
    EXPECT_EQ(lastPort(), 0x0480u);
    std::uint32_t size = 0;
    EXPECT_EQ(GetPreviousSentDataSizeByPlex(&size), status::kSuccess);
    EXPECT_EQ(size, 77u);
    std::uint8_t buffer[1024];
    std::uint32_t length = 0;
    EXPECT_EQ(ReceiveByPlex(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 2u);
    const std::uint8_t data[] = {1};
    EXPECT_EQ(SendByPlex(data, 0, nullptr), 0xD000u);
    char name[portselect::kModelNameBufferSize] = {};
    EXPECT_EQ(GetModelNameByPlex(name), status::kSuccess);
    EXPECT_STREQ(name, "572");
    PortCloseByPlex();
}

TEST_F(ForwardingToFakeDriver, CheckDeviceIdTurnsTheFlagIntoTheStatus) {
    configure_(0x0001, 1);
    EXPECT_EQ(CheckDeviceIDByPlex(), status::kSuccess);
    configure_(0x0001, 0);
    EXPECT_EQ(CheckDeviceIDByPlex(), status::kNoD4);
    configure_(0x1000, 0);
    EXPECT_EQ(CheckDeviceIDByPlex(), 0x1000u);
    configure_(0x1000, 1);
    EXPECT_EQ(CheckDeviceIDByPlex(), 0x1000u);
}

TEST_F(ForwardingToFakeDriver, TheSettersSucceedWhateverTheDriverSaid) {
    EXPECT_EQ(SetPortTimeOutByPlex(1, 2, 3, 4, 0xFFFFFFFF), status::kSuccess);
    auto timeout = reinterpret_cast<std::uint32_t (*)(std::uint32_t)>(
        platform::FindLibraryFunction(fake_, "FakeLastTimeout"));
    EXPECT_EQ(timeout(2), 3u);
    EXPECT_EQ(timeout(4), 0xFFFFFFFFu);
    EXPECT_EQ(SetComSettingByPlex(9600, 8, 0, 0), status::kSuccess);
    EXPECT_EQ(SetReceiveTypeByPlex(2), status::kSuccess);
    EXPECT_EQ(SetWaitTimeBeforeReceiveByPlex(-1, 20, -1), status::kSuccess);
}

TEST(ForwardingWithoutDriver, EveryCallAnswersB000AndNothingCrashes) {
    ProcessSelector().Detach();
    std::int16_t code = 5;
    std::uint32_t size = 6;
    std::uint8_t buffer[1024];
    std::uint32_t length = 7;
    char name[portselect::kModelNameBufferSize] = {};
    EXPECT_EQ(PortOpenByPlex(0x0401), status::kMissing);
    EXPECT_EQ(SendByPlex(buffer, 1, nullptr), status::kMissing);
    EXPECT_EQ(ReceiveByPlex(buffer, &length), status::kMissing);
    EXPECT_EQ(length, 7u);
    PortCloseByPlex();
    EXPECT_EQ(CheckDeviceIDByPlex(), status::kMissing);
    EXPECT_EQ(GetModelNameByPlex(name), status::kMissing);
    EXPECT_EQ(name[0], '\0');
    EXPECT_EQ(ResetDeviceByPlex(), status::kMissing);
    EXPECT_EQ(GetIoErrorCodeByPlex(&code), status::kMissing);
    EXPECT_EQ(GetPreviousSentDataSizeByPlex(&size), status::kMissing);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(SetReceiveTypeByPlex(1), status::kMissing);
    EXPECT_EQ(SetWaitTimeBeforeReceiveByPlex(1, 1, 1), status::kMissing);
    EXPECT_EQ(SetPortTimeOutByPlex(1, 1, 1, 1, 1), status::kMissing);
    EXPECT_EQ(SetComSettingByPlex(1, 1, 1, 1), status::kMissing);
}

// The shipped driver of this platform, loaded as the selector loads it, over a scripted USB printer.
TEST(ForwardingToThePlatformsDriver, ReachesTheDeviceSeam) {
    platform::OsVersionInfo own;
    ASSERT_TRUE(platform::GetOsVersion(&own));
    ASSERT_EQ(ProcessSelector().Attach(own, LoadDriverLibrary), status::kSuccess);
    platform::DeviceScript script;
    platform::ScopedDeviceBackend useScript(script);
    platform::VirtualClock clock;
    platform::ScopedClock useClock(clock);
    const std::string id = "MFG:VK;MDL:VK-572D;CMD:VXPRINT;";
    const bool usbProcedureDefault = own.platformId == platform::kPlatformLinux;
    script
        .ExpectOpen({platform::PortKind::Usb,
                     2,
                     {},
                     usbProcedureDefault ? platform::OpenProcedure::Default
                                         : platform::OpenProcedure::UsbPrinterClass})
        .Expect([&] {
            platform::DeviceScriptStep step;
            step.operation = platform::DeviceOperation::GetDeviceId;
            step.replyBytes.assign(id.begin(), id.end());
            return step;
        }())
        .ExpectClose();
    EXPECT_EQ(PortOpenByPlex(0x0402), status::kSuccess);
    EXPECT_EQ(CheckDeviceIDByPlex(), status::kNoD4);
    PortCloseByPlex();
    EXPECT_EQ(script.Mismatches(), std::vector<std::string>{});
    ProcessSelector().Detach();
}

}  // namespace
}  // namespace plexer

// Shared set-up of the port driver tests: a driver of one variant talking to a scripted conversation,
// on a virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "WirexPort.h"
#include "platform/Clock.h"
#include "platform/DeviceScript.h"

namespace wirex::tests {

inline constexpr platform::PortTimeouts kDefaultTimeouts{10, 10, 2000, 10, 2000};

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class WirexTest : public ::testing::Test {
protected:
    explicit WirexTest(const WirexVariant& variant = kVariantXp) : driver(variant) {}

    void TearDown() override {
        driver.PortClose();
        EXPECT_EQ(script.Mismatches(), std::vector<std::string>{});
    }

    // The conversation of a successful parallel open of LPT1 with the default time-outs.
    void ExpectParallelOpen(platform::OpenProcedure procedure = platform::OpenProcedure::ParallelDosAlias) {
        script.ExpectOpen({platform::PortKind::Parallel, 1, {}, procedure})
            .ExpectGetTimeouts({1, 2, 3, 4, 5})
            .ExpectSetTimeouts(kDefaultTimeouts);
    }
    void ExpectUsbOpen(std::uint32_t number = 1,
                       platform::OpenProcedure procedure = platform::OpenProcedure::UsbPrinterClass) {
        script.ExpectOpen({platform::PortKind::Usb, number, {}, procedure});
    }
    void ExpectComOpen(std::uint32_t number = 1) {
        script.ExpectOpen({platform::PortKind::Com, number, {}, {}})
            .ExpectGetLineSettings({9600, 8, false, 0})
            .ExpectSetLineSettings({9600, 8, false, 0})
            .ExpectGetTimeouts({1, 2, 3, 4, 5})
            .ExpectSetTimeouts(kDefaultTimeouts);
    }

    platform::DeviceScript script;
    platform::ScopedDeviceBackend useScript{script};
    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    WirexPort driver;
};

class Wirex98Test : public WirexTest {
protected:
    Wirex98Test() : WirexTest(kVariant98) {}
};

class Wirex95Test : public WirexTest {
protected:
    Wirex95Test() : WirexTest(kVariant95) {}
};

}  // namespace wirex::tests

// The port probe through the shipped selector and driver, over a scripted conversation: every probed
// number is opened once, and only the ports that open are asked for their model.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PortProbe.h"
#include "PortSend.h"
#include "platform/Clock.h"
#include "platform/DeviceScript.h"
#include "testsupport/TemporaryFolder.h"

namespace tolvane_cli {
namespace {

using platform::DeviceError;
using platform::PortKind;

// The Windows builds open ports by the procedures of the NT family's driver; Linux by device node.
#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

platform::OpenProcedure UsbProcedure() {
    return kWindowsBuild ? platform::OpenProcedure::UsbPrinterClass : platform::OpenProcedure::Default;
}

platform::OpenProcedure ParallelProcedure() {
    return kWindowsBuild ? platform::OpenProcedure::ParallelDosAlias : platform::OpenProcedure::Default;
}

platform::DeviceScriptStep DeviceId(const std::string& id) {
    platform::DeviceScriptStep step;
    step.operation = platform::DeviceOperation::GetDeviceId;
    step.replyBytes.assign(id.begin(), id.end());
    step.lengthPrefixed = true;
    return step;
}

TEST(PortProbe, ListsThePortsThatAnswerWithTheirModels) {
    platform::DeviceScript script;
    platform::ScopedDeviceBackend useScript(script);
    platform::VirtualClock clock;
    platform::ScopedClock useClock(clock);
    for (std::uint32_t k = 1; k <= 127; ++k) {
        if (k == 2) {
            script.ExpectOpen({PortKind::Usb, 2, {}, UsbProcedure()})
                .Expect(DeviceId(std::string("\x00\x23", 2) + "MFG:VK;MDL:VK-572D;CMD:VXPRINT,D4;"))
                .ExpectClose();
        } else {
            script.ExpectOpen({PortKind::Usb, k, {}, UsbProcedure()}, DeviceError::NotFound);
        }
    }
    script.ExpectOpen({PortKind::Parallel, 1, {}, ParallelProcedure()})
        .ExpectGetTimeouts({})
        .ExpectSetTimeouts({10, 10, 2000, 10, 2000})
        .Expect([] {
            platform::DeviceScriptStep failed;
            failed.operation = platform::DeviceOperation::GetDeviceId;
            failed.error = DeviceError::Io;
            failed.times = 3;
            return failed;
        }())
        .ExpectClose();
    script.ExpectOpen({PortKind::Parallel, 2, {}, ParallelProcedure()}, DeviceError::NotFound);
    script.ExpectOpen({PortKind::Parallel, 3, {}, ParallelProcedure()}, DeviceError::AccessDenied);

    std::ostringstream out;
    std::ostringstream errors;
    ASSERT_EQ(WritePorts(out, errors), 0) << errors.str();
    EXPECT_EQ(out.str(), "USB2\t0x0402\tVK-572D\nLPT1\t0x0480\t(no device ID)\n");
    EXPECT_EQ(script.Mismatches(), std::vector<std::string>{});
    // Absent ports cost their open attempt only: no wait on the clock.
    EXPECT_EQ(clock.ElapsedMilliseconds(), 0u);
}

TEST(PortSend, NamesThePortsTheTopDialogOffers) {
    EXPECT_EQ(PortNumberOfName("USB1"), 0x0401);
    EXPECT_EQ(PortNumberOfName("USB127"), 0x047F);
    EXPECT_EQ(PortNumberOfName("LPT1"), 0x0480);
    EXPECT_EQ(PortNumberOfName("LPT3"), 0x0482);
    for (const char* name :
         {"USB0", "USB128", "LPT0", "LPT4", "COM1", "usb1", "USB", "USB01x", "USB0001", ""}) {
        EXPECT_EQ(PortNumberOfName(name), -1) << name;
    }
}

TEST(PortSend, SendsTheFileAsItIsAndRefusesWhatItCannotUse) {
    testsupport::TemporaryFolder folder{"tolv-send"};
    folder.Write("job.prn", std::string("\x1B@Hello\r\n\f", 10));
    platform::DeviceScript script;
    platform::ScopedDeviceBackend useScript(script);
    platform::VirtualClock clock;
    platform::ScopedClock useClock(clock);
    script.ExpectOpen({PortKind::Usb, 1, {}, UsbProcedure()})
        .ExpectWrite({0x1B, '@', 'H', 'e', 'l', 'l', 'o', '\r', '\n', '\f'})
        .ExpectClose();
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(SendFile("USB1", folder.File("job.prn"), out, errors), 0) << errors.str();
    EXPECT_EQ(out.str(), "USB1: 10 bytes sent\n");
    EXPECT_EQ(script.Mismatches(), std::vector<std::string>{});

    EXPECT_EQ(SendFile("COM1", folder.File("job.prn"), out, errors), 2);
    EXPECT_EQ(SendFile("USB1", folder.File("missing.prn"), out, errors), 2);
    script.ExpectOpen({PortKind::Usb, 3, {}, UsbProcedure()}, DeviceError::NotFound);
    std::ostringstream refused;
    EXPECT_EQ(SendFile("USB3", folder.File("job.prn"), out, refused), 1);
    EXPECT_EQ(refused.str().rfind("tolvane: cannot open USB3 (status 0x1000", 0), 0u) << refused.str();
}

}  // namespace
}  // namespace tolvane_cli

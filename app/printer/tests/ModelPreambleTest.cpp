// The model preamble against the virtual printer: the six bytes for a target whose model needs them,
// nothing otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BoundPrinterFixture.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/SendModelPreamble.h"

namespace printertest {
namespace {

using ModelPreamble = BoundPrinter;

printer::Target Usb1(bool preamble) {
    printer::Target target{"USB1"};
    target.modelPreamble = preamble;
    return target;
}

TEST_F(ModelPreamble, AModelThatNeedsItGetsExactlyTheSixBytesAndThePortIsClosedAgain) {
    SendModelPreamble(Usb1(true));
    EXPECT_EQ(ports.Written("USB1"), (std::vector<std::uint8_t>{0x1C, 0x28, 0x45, 0x01, 0x00, 0x01}));
    EXPECT_TRUE(printer->Core().State().modelPreambleSeen);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(ModelPreamble, OtherModelsGetNothingAndTheirPortStaysUntouched) {
    SendModelPreamble(Usb1(false));
    EXPECT_TRUE(ports.Written("USB1").empty());
    EXPECT_EQ(ports.OpenCount("USB1"), 0);
}

TEST_F(ModelPreamble, APortThatDoesNotOpenGetsNothing) {
    ports.Control("USB1", "offline=refuse");
    SendModelPreamble(Usb1(true));
    EXPECT_TRUE(ports.Written("USB1").empty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

// The target carries the need to the access objects: each status query and each EEPROM channel
// opens with the preamble, and a model without the need gets none.
TEST_F(ModelPreamble, TheStatusQueryAndTheEepromChannelSendItFirst) {
    const std::vector<std::uint8_t> preamble = {0x1C, 0x28, 0x45, 0x01, 0x00, 0x01};
    for (const bool needed : {true, false}) {
        SCOPED_TRACE(needed);
        // The bytes written from here on start with the preamble, or do not.
        auto startsWithPreamble = [&](std::size_t from) {
            const std::vector<std::uint8_t>& written = ports.Written("USB1");
            return written.size() >= from + preamble.size() &&
                   std::equal(preamble.begin(), preamble.end(), written.begin() + static_cast<long>(from));
        };
        IPrinterStatus* status = nullptr;
        ASSERT_EQ(CreatePrinterStatus(&status, Usb1(needed)), 1);
        const std::size_t beforeQuery = ports.Written("USB1").size();
        ASSERT_EQ(status->Refresh(), 1);
        status->Release();
        EXPECT_EQ(startsWithPreamble(beforeQuery), needed);

        IEepromRW* eeprom = nullptr;
        printer::Target target = Usb1(needed);
        target.code1 = CommandCode(0);
        target.code2 = CommandCode(1);
        ASSERT_EQ(CreateEepromRW(&eeprom, target, nullptr), 1);
        const std::size_t beforeRead = ports.Written("USB1").size();
        std::uint8_t value = 0;
        ASSERT_EQ(eeprom->ReadByte(0x10, &value), 1);
        eeprom->Release();
        EXPECT_EQ(startsWithPreamble(beforeRead), needed);
    }
}

}  // namespace
}  // namespace printertest

// The eight delayed Plexer imports reach the Plexer the binder loaded: one port, whichever path opens
// or closes it.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "BoundPrinterFixture.h"
#include "portselect/PlexerFunctions.h"
#include "printer/ReceiveWindow.h"

namespace printertest {
namespace {

using DelayedImports = BoundPrinter;

TEST_F(DelayedImports, APortOpenedThroughOneBindingClosesThroughTheOther) {
    ASSERT_TRUE(printer::Succeeded(PortOpenByPlex(kUsb1)));
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    EXPECT_TRUE(printer::Succeeded(CPortLibraryBinder::ClosePort()));
    EXPECT_EQ(ports.OpenNow("USB1"), 0);

    ASSERT_TRUE(printer::Succeeded(CPortLibraryBinder::OpenPort(kUsb1)));
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    PortCloseByPlex();
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST_F(DelayedImports, RawDataModelNameAndSettingsGoThroughTheImports) {
    // The driver's own time-outs: the settings outlive the port (and, once the delayed import has
    // loaded Plexer, every later test), so nothing is left changed; the receive type goes back to
    // the driver's 1 (one packet) at the end.
    EXPECT_TRUE(printer::Succeeded(SetPortTimeOutByPlex(10, 10, 2000, 10, 2000)));
    EXPECT_TRUE(printer::Succeeded(SetReceiveTypeByPlex(3)));
    ASSERT_TRUE(printer::Succeeded(PortOpenByPlex(kUsb1)));
    std::int16_t code = 7;
    EXPECT_TRUE(printer::Succeeded(GetIoErrorCodeByPlex(&code)));

    std::array<char, portselect::kModelNameBufferSize> name{};
    ASSERT_TRUE(printer::Succeeded(GetModelNameByPlex(name.data())));
    EXPECT_EQ(std::string(name.data()), "VK-572D");

    // An EEPROM read request on the plain stream, and its answer back through the receive.
    const std::array<std::uint8_t, 13> request = {
        0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, CommandCode(0), CommandCode(1), 0x10, 0xEF, 0x08, 0xA2};
    const std::uint8_t cancel = 0;
    ASSERT_TRUE(printer::Succeeded(SendByPlex(request.data(), 13, &cancel)));
    EXPECT_EQ(ports.Written("USB1"), std::vector<std::uint8_t>(request.begin(), request.end()));
    std::array<std::uint8_t, printer::kReceiveWindow> reply{};
    std::uint32_t length = 0;
    ASSERT_TRUE(printer::Succeeded(ReceiveByPlex(reply.data(), &length)));
    ASSERT_GE(length, 16u);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", Stored(0xA2));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.data()) + 14, 2), hex);
    PortCloseByPlex();
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    SetReceiveTypeByPlex(1);
}

}  // namespace
}  // namespace printertest

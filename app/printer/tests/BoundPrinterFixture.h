// A printer of the virtual printer model at USB1, reached the way the program reaches it: through
// Plexer and ChanLink loaded by name, on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "printer/CPortLibraryBinder.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"

namespace printertest {

class BoundPrinter : public ::testing::Test {
protected:
    static constexpr std::int16_t kUsb1 = 0x0401;

    void SetUp() override {
        printer = &ports.AddPrinter("USB1", Profile());
        ASSERT_TRUE(CPortLibraryBinder::BindLibraries());
    }
    void TearDown() override {
        CPortLibraryBinder::TerminateChannel();
        CPortLibraryBinder::ClosePort();
        CPortLibraryBinder::UnbindLibraries();
    }
    virtual std::string Profile() const { return "VK-572D"; }

    std::uint8_t Stored(int address) {
        std::uint8_t value = 0;
        EXPECT_TRUE(printer->Core().EepromImage().Read(address, &value)) << address;
        return value;
    }
    std::uint8_t CommandCode(int index) const { return printer->Core().Profile().commandCode[index]; }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    vprinter::InProcessPrinterPorts ports;
    vprinter::VirtualPrinter* printer = nullptr;
};

}  // namespace printertest

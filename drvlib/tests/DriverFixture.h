// What the library's tests share: printers of the model in this process behind the device seam, the
// virtual clock (every wait of the library costs no real time), and a recorder for the messages the
// library shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"
#include "testsupport/MessageRecorder.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"
#include "vprinter/model/IPrintSink.h"

namespace drvtest {

// The print data a printer passed on, in order.
class PrintCollector : public vprinter::IPrintSink {
public:
    void PrintData(std::span<const std::uint8_t> bytes) override {
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    void ModeFlag(std::uint8_t) override {}
    void EndOfJob() override {}
    std::vector<std::uint8_t> data;
};

class DriverFixture : public ::testing::Test {
protected:
    // A printer of a shipped profile at a port name ("USB1", "LPT1").
    vprinter::VirtualPrinter& AddPrinter(const std::string& portName,
                                         const std::string& profile = "VK-572D") {
        return ports.AddPrinter(portName, profile);
    }
    // Opens the driver on a printer at USB1 (port code 11) and checks that it came up whole.
    void OpenUsb1(CWinVexilDrv& driver);
    // Milliseconds the virtual clock moved since the fixture began.
    std::uint64_t Elapsed() const { return clock.ElapsedMilliseconds(); }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    testsupport::MessageRecorder messages;
    vprinter::InProcessPrinterPorts ports;
};

}  // namespace drvtest

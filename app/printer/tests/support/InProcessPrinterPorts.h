// Printers of the virtual printer model, in this process, behind the device seam: whatever opens a
// port through the active back-end (the port driver under Plexer, and so ChanLink too) reaches the
// model printer registered at that port name. Answers fall due on the process clock, so a test on
// the virtual clock sees the printer's latency and the driver's time-outs cost no real time.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "vprinter/model/VirtualPrinter.h"

namespace printertest {

class InProcessPrinterPorts final : public platform::DeviceBackend {
public:
    InProcessPrinterPorts();
    ~InProcessPrinterPorts() override;

    // A printer of the named shipped profile ("VK-572D") at a port name ("USB1", "LPT1"). The ports
    // keep it; the reference stays valid as long as they live.
    vprinter::VirtualPrinter& AddPrinter(const std::string& portName, const std::string& profile);
    // Applies control words of the virtual printer ("offline=refuse", "busy-polls=3").
    void Control(const std::string& portName, const std::string& words);
    // Opens of each port name so far, including refused ones.
    int OpenCount(const std::string& portName) const;
    // Ports open now under the port name: 0 once every path that opened it closed it again.
    int OpenNow(const std::string& portName) const;
    // Every byte the host wrote to the port name, in order, across its opens.
    const std::vector<std::uint8_t>& Written(const std::string& portName) { return written_[portName]; }

    const char* Name() const override { return "in-process"; }
    platform::DeviceError Open(const platform::PortAddress& address, platform::DevicePortPtr* port) override;
    platform::DeviceError Write(platform::DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                                std::uint32_t* written) override;
    platform::DeviceError Read(platform::DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* received) override;
    platform::DeviceError GetTimeouts(platform::DevicePort& port, platform::PortTimeouts* timeouts) override;
    platform::DeviceError SetTimeouts(platform::DevicePort& port,
                                      const platform::PortTimeouts& timeouts) override;
    platform::DeviceError GetLineSettings(platform::DevicePort&, platform::LineSettings*) override;
    platform::DeviceError SetLineSettings(platform::DevicePort&, const platform::LineSettings&) override;
    platform::DeviceError GetComStatus(platform::DevicePort&, platform::ComStatus*) override;
    platform::DeviceError GetDeviceId(platform::DevicePort& port, const platform::DeviceRequest& request,
                                      std::uint8_t* buffer, std::uint32_t capacity,
                                      platform::DeviceIdReply* reply) override;
    platform::DeviceError SoftReset(platform::DevicePort& port,
                                    const platform::DeviceRequest& request) override;
    platform::DeviceError ListInterfaces(const std::string& interfaceClass,
                                         std::vector<platform::DeviceInterfaceEntry>* entries) override;
    platform::DeviceError QueryDosAlias(const std::string& alias, std::string* target) override;
    platform::DeviceError DefineDosAlias(const std::string& alias, const std::string& target) override;

private:
    std::map<std::string, std::unique_ptr<vprinter::VirtualPrinter>> printers_;
    std::map<std::string, int> opens_;
    std::map<std::string, int> openNow_;
    std::map<std::string, std::vector<std::uint8_t>> written_;
    platform::ScopedDeviceBackend installed_;
};

}  // namespace printertest

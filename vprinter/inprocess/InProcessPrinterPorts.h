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
#include "platform/VirtualRegistry.h"
#include "vprinter/model/VirtualPrinter.h"

namespace vprinter {

class InProcessPrinterPorts final : public platform::DeviceBackend {
public:
    InProcessPrinterPorts();
    ~InProcessPrinterPorts() override;

    // A printer of the named shipped profile ("VK-572D") at a port name ("USB1", "LPT1"; "1394-1" for
    // IEEE 1394 unit 1). The ports keep it; the reference stays valid as long as they live.
    vprinter::VirtualPrinter& AddPrinter(const std::string& portName, const std::string& profile);
    // Applies control words of the virtual printer ("offline=refuse", "busy-polls=3").
    void Control(const std::string& portName, const std::string& words);
    // Opens of each port name so far, including refused ones.
    int OpenCount(const std::string& portName) const;
    // Ports open now under the port name: 0 once every path that opened it closed it again.
    int OpenNow(const std::string& portName) const;
    // Every byte the host wrote to the port name, in order, across its opens.
    const std::vector<std::uint8_t>& Written(const std::string& portName) { return written_[portName]; }
    // The maker's ECP driver is installed unless taken away: its device "\\.\VKXECP" opens (counted
    // under the name "VKXECP") and its ports are the parallel printers here
    // (platform/VirtualEcpDriver.h). Without it the device does not open.
    void InstallEcpDriver(bool installed) { ecpDriverInstalled_ = installed; }

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
    // The IEEE 1394 interface class: one unit per printer at a port "1394-k", "PortName"
    // "KX1394D3_00k", its path opening that printer. Other classes: NotSupported.
    platform::DeviceError ListInterfaces(const std::string& interfaceClass,
                                         std::vector<platform::DeviceInterfaceEntry>* entries) override;
    platform::DeviceError QueryDosAlias(const std::string& alias, std::string* target) override;
    platform::DeviceError DefineDosAlias(const std::string& alias, const std::string& target) override;
    // The ECP driver's requests on its device; on an IEEE 1394 unit's port the 1394 driver's requests
    // (vprinter/model/Ieee1394Unit.h); on a printer's port the init signal of the maker's USB driver
    // resets the printer. Other requests are NotSupported.
    platform::DeviceError DeviceControl(platform::DevicePort& port, const platform::DeviceRequest& request,
                                        std::uint8_t* output, std::uint32_t capacity,
                                        std::uint32_t* returned) override;
    // The USB printer-class driver's registry with the USB printers of these ports plugged in
    // (platform/VirtualRegistry.h); the device paths it names open those printers.
    platform::DeviceError ReadRegistryValue(const std::string& key, const std::string& name,
                                            std::vector<std::uint8_t>* value) override;
    platform::DeviceError EnumRegistrySubkey(const std::string& key, std::uint32_t index,
                                             std::string* name) override;
    // No driver file of the maker is installed: NotFound.
    platform::DeviceError QueryFileVersion(const std::string& fileName, std::string* version) override;

private:
    platform::VirtualUsbRegistry Registry() const;

    std::map<std::string, std::unique_ptr<vprinter::VirtualPrinter>> printers_;
    std::map<std::string, int> opens_;
    std::map<std::string, int> openNow_;
    std::map<std::string, std::vector<std::uint8_t>> written_;
    bool ecpDriverInstalled_ = true;
    platform::ScopedDeviceBackend installed_;
};

}  // namespace vprinter

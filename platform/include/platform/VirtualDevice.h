// The `virtual` device back-end: every port goes to the vprinter server at host:port. The chooser
// takes it when TOLVANE_VPRINTER names the server; tests install one of their own.
#pragma once

#include <memory>
#include <string>

#include "platform/Device.h"

namespace platform {

// The init signal of the maker's USB driver: the printer resets, the driver returns one byte. The
// virtual back-ends carry out this device request on a printer's port, and the ECP driver's requests
// (platform/EcpDriverRequests.h) on the driver's device, and no other.
inline constexpr std::uint32_t kUsbInitSignalRequest = 0x0022180C;

// Null when the text is not a loopback HOST:PORT. The server need not be running yet: each Open
// connects, and a server that is not there makes the port absent.
std::unique_ptr<DeviceBackend> MakeVirtualDeviceBackend(const std::string& hostAndPort);

// The port name a port address has on the server: LPT n "LPTn", USB k "USBk", COM n "COMn"; a device
// path by the port it names (\\.\kxparp1.4 LPT1, /dev/usb/lp0 USB1, \\.\KXUSB2: USB2, a path of the
// USB enumeration USBk, a path of the IEEE 1394 enumeration 1394-k, \\.\COM3 COM3), or else by its
// last component. Empty when nothing fits.
std::string VirtualPortName(const PortAddress& address);

// A virtual IEEE 1394 unit k (from 1) sits at the port name "1394-k" (kIeee1394PortPrefix and k).
// Only the in-process printers have such units: the server's protocol carries no driver requests.
inline constexpr char kIeee1394PortPrefix[] = "1394-";
// The device path the IEEE 1394 enumeration gives for unit k; VirtualPortName names its port.
std::string VirtualIeee1394Path(std::uint32_t unit);

}  // namespace platform

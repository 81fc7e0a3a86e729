// The `virtual` device back-end: every port goes to the vprinter server at host:port. The chooser
// takes it when TOLVANE_VPRINTER names the server; tests install one of their own.
#pragma once

#include <memory>
#include <string>

#include "platform/Device.h"

namespace platform {

// Null when the text is not a loopback HOST:PORT. The server need not be running yet: each Open
// connects, and a server that is not there makes the port absent.
std::unique_ptr<DeviceBackend> MakeVirtualDeviceBackend(const std::string& hostAndPort);

// The port name a port address has on the server: LPT n "LPTn", USB k "USBk", COM n "COMn"; a device
// path by the port it names (\\.\kxparp1.4 LPT1, /dev/usb/lp0 USB1, \\.\KXUSB2: USB2, a path of the
// USB enumeration USBk, \\.\COM3 COM3), or else by its last component. Empty when nothing fits.
std::string VirtualPortName(const PortAddress& address);

}  // namespace platform

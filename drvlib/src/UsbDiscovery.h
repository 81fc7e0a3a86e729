// Finding the port of a USB printer: the registry walk of the system's printer-class USB driver (NT 5
// and later), the maker's USB and IEEE 1394 drivers' device-interface classes, and the Windows 9x
// switch of the maker's parallel port driver. Every registry and enumeration step goes through the
// device seam.
#pragma once

#include <cstdint>
#include <string>

namespace drvlib {

// The device path of USB printer port "USB00n" (n from 1), or of the first one for n = 0; empty when
// none is found.
std::string FindUsbPrinterPath(int number);

// The device path of a present interface of the class whose "PortName" equals portName (without
// regard to case); empty when none.
std::string FindInterfaceByPortName(const std::string& interfaceClass, const std::string& portName);

// Writes the maker's parallel port driver's "KCB" switch; false when no port of that driver is
// registered.
bool SwitchPortDriver(bool on);

}  // namespace drvlib

// The frames of the production commands, which travel on the data channel 0x40 inside the print data:
// ESC '|', the frame class, the parameter count (16-bit, low byte first), the model's two key bytes,
// the three-byte operation and its arguments; and the two queries that go through remote mode
// (ESC '(' 'R' ... "REMOTE1", one remote command, ESC 0 0 0). Pure: values in, bytes out.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/PrinterCommandCodes.h"

namespace drvlib {

using ProductionFrame = std::vector<std::uint8_t>;

// A production frame whose parameter count is what it carries: the two key bytes, the operation and
// the arguments.
ProductionFrame BuildProductionFrame(std::uint8_t frameClass, std::uint8_t k1, std::uint8_t k2,
                                     const protocol::production::Operation& operation,
                                     std::span<const std::uint8_t> arguments);

// EEPROM read of a serial impact dot-matrix printer: the low byte of the address, and with
// wideAddress also its high byte.
ProductionFrame EepromSerialImpactFrame(std::uint8_t k1, std::uint8_t k2, unsigned long address,
                                        bool wideAddress);
ProductionFrame EepromFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t address);
ProductionFrame EepromTwoByteFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2);
// The large-EEPROM read (frame class 1): the address low byte first.
ProductionFrame EepromLargeFrame(std::uint8_t k1, std::uint8_t k2, unsigned long address);
ProductionFrame FlashFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b);
ProductionFrame CsicFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b);
ProductionFrame RomVersionFrame(std::uint8_t k1, std::uint8_t k2);
ProductionFrame SensorsFrame(std::uint8_t k1, std::uint8_t k2);
ProductionFrame TimerIcFrame(std::uint8_t k1, std::uint8_t k2);
ProductionFrame AcknowledgeFrame(std::uint8_t k1, std::uint8_t k2);

// Enter remote mode, one remote command (its two letters, the parameter count low byte first, the
// parameters), leave remote mode.
ProductionFrame RemoteModeFrame(const char (&letters)[3], std::span<const std::uint8_t> parameters);
ProductionFrame HeadTemperatureFrame();
ProductionFrame RemoteRomVersionFrame();

}  // namespace drvlib

// The frames of the control commands that travel on channel 2: two letters (or the two bytes '|' '|'
// of the EEPROM family), the count of the parameter bytes that follow (16 bits, low byte first), the
// parameters. Pure: every builder gives the whole frame; the codes come from protocol/.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/PrinterCommandCodes.h"

namespace drvlib {

using ControlFrame = std::vector<std::uint8_t>;

// letters: two characters ("st").
ControlFrame LetterCommand(const char* letters, std::span<const std::uint8_t> parameters);
// '|' '|', count, k1 k2, the operation's three bytes, the arguments.
ControlFrame EepromFamilyCommand(std::uint8_t k1, std::uint8_t k2,
                                 const protocol::controlcmd::Operation& operation,
                                 std::span<const std::uint8_t> arguments);

// The letter commands. An int argument travels as its low byte.
ControlFrame StatusCommand();
ControlFrame DeviceIdCommand();
ControlFrame InkChangeCommand(int n);
ControlFrame CleaningCommand(int n);
ControlFrame InkRefillCommand(int n);
ControlFrame NozzleCheckCommand();
ControlFrame EndInkSequenceCommand();
ControlFrame ResumePaperOutCommand();
ControlFrame ResumePaperJamCommand();
ControlFrame MotorCurrentOffCommand();
ControlFrame ResetCommand();
// The printer takes its first byte as (a >> 4) & 0xF0, with the sign of a kept by the shift.
ControlFrame TimerSetCommand(int a, int b, int c, int d, int e, int f);
ControlFrame ClearInkChangeFlagCommand();
ControlFrame RollPaperModeCommand();
ControlFrame CarriagePositionCommand();
ControlFrame CartridgeStatusCommand(int n);
ControlFrame PaperSettingCommand(int n);
ControlFrame PaperInformationCommand(int n);
ControlFrame CartridgeInformationCommand();
ControlFrame FlashControlCommand(std::uint8_t n);

// The EEPROM family.
ControlFrame WriteEepromCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t address, std::uint8_t value);
// Five address/value pairs, in that order.
ControlFrame WriteEepromPairsCommand(std::uint8_t k1, std::uint8_t k2,
                                     const std::array<std::uint8_t, 10>& pairs);
// A two-byte address (a1 a2 as the caller gives them) and the value.
ControlFrame WriteEepromWideCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2,
                                    std::uint8_t value);
ControlFrame SaveCommand(std::uint8_t k1, std::uint8_t k2);
ControlFrame ResetEepromCommand(std::uint8_t k1, std::uint8_t k2);
ControlFrame ReadEepromCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t address);
ControlFrame ReadEepromWideCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2);
ControlFrame ReadCsicCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b);

}  // namespace drvlib

#include "ControlFrames.h"

namespace drvlib {

namespace cc = protocol::controlcmd;

namespace {

// The one parameter byte of the queries and plain actions: 1 asks for the answer or the action, 0
// is what the ink commands without a choice carry.
constexpr std::uint8_t kDo = 0x01;
constexpr std::uint8_t kNothing = 0x00;

std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

ControlFrame OneParameter(const char* letters, std::uint8_t parameter) {
    const std::uint8_t parameters[] = {parameter};
    return LetterCommand(letters, parameters);
}

void AppendCount(ControlFrame& frame, std::size_t count) {
    frame.push_back(static_cast<std::uint8_t>(count & 0xFF));
    frame.push_back(static_cast<std::uint8_t>((count >> 8) & 0xFF));
}

}  // namespace

ControlFrame LetterCommand(const char* letters, std::span<const std::uint8_t> parameters) {
    ControlFrame frame{static_cast<std::uint8_t>(letters[0]), static_cast<std::uint8_t>(letters[1])};
    AppendCount(frame, parameters.size());
    frame.insert(frame.end(), parameters.begin(), parameters.end());
    return frame;
}

ControlFrame EepromFamilyCommand(std::uint8_t k1, std::uint8_t k2, const cc::Operation& operation,
                                 std::span<const std::uint8_t> arguments) {
    ControlFrame frame{cc::kEepromFamily, cc::kEepromFamily};
    AppendCount(frame, 5 + arguments.size());
    frame.insert(frame.end(), {k1, k2, operation.code, operation.complement, operation.sub});
    frame.insert(frame.end(), arguments.begin(), arguments.end());
    return frame;
}

ControlFrame StatusCommand() {
    return OneParameter(cc::kStatus, kDo);
}
ControlFrame DeviceIdCommand() {
    return OneParameter(cc::kDeviceId, kDo);
}
ControlFrame InkChangeCommand(int n) {
    return OneParameter(cc::kInkChange, LowByte(n));
}
ControlFrame CleaningCommand(int n) {
    return OneParameter(cc::kCleaning, LowByte(n));
}
ControlFrame InkRefillCommand(int n) {
    return OneParameter(cc::kInkRefill, LowByte(n));
}
ControlFrame NozzleCheckCommand() {
    return OneParameter(cc::kNozzleCheck, kNothing);
}
ControlFrame EndInkSequenceCommand() {
    return OneParameter(cc::kEndInkSequence, kNothing);
}
ControlFrame ResumePaperOutCommand() {
    return OneParameter(cc::kResumePaperOut, kDo);
}
ControlFrame ResumePaperJamCommand() {
    return OneParameter(cc::kResumePaperJam, kDo);
}
ControlFrame MotorCurrentOffCommand() {
    return OneParameter(cc::kMotorCurrentOff, kDo);
}
ControlFrame ResetCommand() {
    return OneParameter(cc::kReset, kDo);
}

ControlFrame TimerSetCommand(int a, int b, int c, int d, int e, int f) {
    const std::uint8_t parameters[] = {
        kNothing,  LowByte((a >> 4) & 0xF0), LowByte(a), LowByte(b), LowByte(c), LowByte(d), LowByte(e),
        LowByte(f)};
    return LetterCommand(cc::kTimerSet, parameters);
}

ControlFrame ClearInkChangeFlagCommand() {
    return LetterCommand(cc::kExtended, cc::kClearInkChangeFlag);
}
ControlFrame RollPaperModeCommand() {
    return LetterCommand(cc::kExtended, cc::kReadRollPaperMode);
}
ControlFrame CarriagePositionCommand() {
    return OneParameter(cc::kCarriagePosition, kDo);
}
ControlFrame CartridgeStatusCommand(int n) {
    return OneParameter(cc::kCartridgeStatus, LowByte(n));
}
ControlFrame PaperSettingCommand(int n) {
    return OneParameter(cc::kPaperSetting, LowByte(n));
}
ControlFrame PaperInformationCommand(int n) {
    return OneParameter(cc::kPaperInformation, LowByte(n));
}
ControlFrame CartridgeInformationCommand() {
    return OneParameter(cc::kCartridgeInformation, kDo);
}
ControlFrame FlashControlCommand(std::uint8_t n) {
    return OneParameter(cc::kFlashControl, n);
}

ControlFrame WriteEepromCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t address, std::uint8_t value) {
    const std::uint8_t arguments[] = {address, value};
    return EepromFamilyCommand(k1, k2, cc::kWriteEeprom, arguments);
}

ControlFrame WriteEepromPairsCommand(std::uint8_t k1, std::uint8_t k2,
                                     const std::array<std::uint8_t, 10>& pairs) {
    return EepromFamilyCommand(k1, k2, cc::kWriteEeprom, pairs);
}

ControlFrame WriteEepromWideCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2,
                                    std::uint8_t value) {
    const std::uint8_t arguments[] = {a1, a2, value};
    return EepromFamilyCommand(k1, k2, cc::kWriteEeprom, arguments);
}

ControlFrame SaveCommand(std::uint8_t k1, std::uint8_t k2) {
    return EepromFamilyCommand(k1, k2, cc::kSave, {});
}

ControlFrame ResetEepromCommand(std::uint8_t k1, std::uint8_t k2) {
    return EepromFamilyCommand(k1, k2, cc::kResetEeprom, {});
}

ControlFrame ReadEepromCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t address) {
    const std::uint8_t arguments[] = {address};
    return EepromFamilyCommand(k1, k2, cc::kReadEeprom, arguments);
}

ControlFrame ReadEepromWideCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2) {
    const std::uint8_t arguments[] = {a1, a2};
    return EepromFamilyCommand(k1, k2, cc::kReadEeprom, arguments);
}

ControlFrame ReadCsicCommand(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b) {
    const std::uint8_t arguments[] = {a, b};
    return EepromFamilyCommand(k1, k2, cc::kReadCsic, arguments);
}

}  // namespace drvlib

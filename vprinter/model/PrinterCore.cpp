#include "vprinter/model/PrinterCore.h"

#include <algorithm>
#include <cstdio>

#include "platform/Clock.h"
#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

using namespace protocol;

constexpr std::uint8_t kLineFeed = control::kLineFeed;

bool Is(const EscFrame& frame, const factory::Command& command) {
    return frame.payload[2] == command.code && frame.payload[3] == command.complement &&
           frame.payload[4] == command.sub;
}

bool Is(const EscFrame& frame, const production::Operation& operation) {
    return frame.payload[2] == operation.code && frame.payload[3] == operation.complement &&
           frame.payload[4] == operation.sub;
}

bool Is(std::span<const std::uint8_t> parameters, const controlcmd::Operation& operation) {
    return parameters[2] == operation.code && parameters[3] == operation.complement &&
           parameters[4] == operation.sub;
}

// A printer's hidden timing error, the same for a port name on every start: -6 to 6 steps per mode.
std::array<int, kPrintModes> TimingErrorsFor(const std::string& portName) {
    std::uint32_t hash = 2166136261u;
    for (char c : portName) {
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    }
    std::array<int, kPrintModes> errors{};
    for (int mode = 0; mode < kPrintModes; ++mode) {
        errors[static_cast<std::size_t>(mode)] = static_cast<int>((hash >> (8 * mode)) % 13) - 6;
    }
    return errors;
}

}  // namespace

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

PrinterCore::PrinterCore(ModelProfile profile, std::string portName, IPrintSink* sink)
    : profile_(std::move(profile)),
      portName_(std::move(portName)),
      eeprom_(profile_, state_.eeprom),
      sink_(sink != nullptr ? sink : &nullSink_) {
    // A new printer is saved at its first close, so that its hidden timing errors and serial numbers
    // stay the same from run to run.
    FactoryDefaults();
}

void PrinterCore::FactoryDefaults() {
    state_.eeprom = Eeprom::FactoryImage(profile_, portName_);
    state_.hiddenTimingError = TimingErrorsFor(portName_);
    state_.romVersion = "1.00";
    state_.bytesReceived = 0;
    state_.linesFed = 0;
    dirty_ = true;
}

int PrinterCore::RightToLeftShift(int printMode) const {
    if (printMode < 0 || printMode >= kPrintModes) {
        return 0;
    }
    const std::size_t address =
        static_cast<std::size_t>(LayoutOf(profile_.model).bidirectionalValues + printMode);
    const int stored = static_cast<std::int8_t>(state_.eeprom[address]);
    return state_.hiddenTimingError[static_cast<std::size_t>(printMode)] - stored;
}

void PrinterCore::PrintData(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    state_.bytesReceived += bytes.size();
    const auto lines = static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), kLineFeed));
    eeprom_.CountLines(lines, state_.linesFed);
    state_.linesFed += lines;
    dirty_ = true;
    sink_->PrintData(bytes);
}

bool PrinterCore::WriteEeprom(int address, std::uint8_t value) {
    if (address > profile_.lastEepromAddress || !eeprom_.Write(address, value)) {
        return false;
    }
    dirty_ = true;
    return true;
}

std::uint8_t PrinterCore::ReadEepromOrZero(int address) {
    std::uint8_t value = 0;
    eeprom_.Read(address, &value);
    return value;
}

std::vector<std::uint8_t> PrinterCore::AnswerFactory(const EscFrame& frame) {
    const std::vector<std::uint8_t>& p = frame.payload;
    const std::size_t arguments = p.size() - 5;
    auto address = [&](std::size_t count) {
        // The address is the first argument byte, and the second one too in the two-byte form.
        return count >= 2 ? p[5] | (p[6] << 8) : p[5];
    };
    if (Is(frame, factory::kSetModeFlag) && arguments >= 1) {
        sink_->ModeFlag(p[5]);
    } else if (Is(frame, factory::kSetBidirectionalValue) && arguments >= 2) {
        if (p[5] < kPrintModes) {
            WriteEeprom(LayoutOf(profile_.model).bidirectionalValues + p[5], p[6]);
        }
    } else if (Is(frame, factory::kPrintEepromByte) && arguments >= 1) {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", ReadEepromOrZero(address(arguments)));
        PrintData(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text), 2));
    } else if ((Is(frame, factory::kWriteEepromSet1) || Is(frame, factory::kWriteEepromSet2)) &&
               arguments >= 2) {
        const bool twoByte = arguments >= 3;
        WriteEeprom(twoByte ? address(2) : address(1), p[twoByte ? 7 : 6]);
    }
    return {};
}

std::vector<std::uint8_t> PrinterCore::AnswerEscFrame(const EscFrame& frame) {
    const std::vector<std::uint8_t>& p = frame.payload;
    // A frame too short to name its operation is skipped by its declared length.
    if (p.size() < 5) {
        return {};
    }
    const bool ownKey = p[0] == profile_.commandCode[0] && p[1] == profile_.commandCode[1];
    const std::size_t arguments = p.size() - 5;
    if (frame.frameClass == production::kClassStandard &&
        (Is(frame, factory::kSetModeFlag) || Is(frame, factory::kSetBidirectionalValue) ||
         Is(frame, factory::kPrintEepromByte) || Is(frame, factory::kWriteEepromSet1) ||
         Is(frame, factory::kWriteEepromSet2))) {
        // Factory commands with another model's key are print data of another printer: ignored.
        return ownKey ? AnswerFactory(frame) : std::vector<std::uint8_t>{};
    }
    if (!ownKey) {
        return Bytes(NotAvailableText());
    }
    auto address = [&]() { return arguments >= 2 ? p[5] | (p[6] << 8) : (arguments >= 1 ? p[5] : 0); };
    if (frame.frameClass == production::kClassLargeEeprom) {
        if (Is(frame, production::kReadEeprom) && arguments >= 1) {
            return Bytes(EepromText(address(), ReadEepromOrZero(address())));
        }
        return Bytes(NotAvailableText());
    }
    if ((Is(frame, production::kReadEepromSerialImpact) || Is(frame, production::kReadEeprom)) &&
        arguments >= 1) {
        const int at = address();
        return Bytes(EepromText(at, ReadEepromOrZero(at)));
    }
    if (Is(frame, production::kReadSensors)) {
        return Bytes(SensorsText(state_.sensors));
    }
    if (Is(frame, production::kReadRomVersion)) {
        return Bytes(RomVersionText(state_.romVersion));
    }
    if (Is(frame, production::kReadFlash)) {
        return Bytes(FlashText(0));
    }
    if (Is(frame, production::kReadCsic)) {
        return Bytes(CsicText(arguments >= 1 ? p[5] : 0, 0));
    }
    if (Is(frame, production::kReadTimerIc)) {
        return Bytes(TimerText(platform::Clock().Now()));
    }
    if (Is(frame, production::kAcknowledge)) {
        return Bytes(AcknowledgeText());
    }
    return Bytes(NotAvailableText());
}

std::vector<std::uint8_t> PrinterCore::AnswerRemoteCommand(const std::string& letters,
                                                           std::span<const std::uint8_t>) {
    if (letters == remote::kHeadTemperature) {
        return Bytes(HeadTemperatureText(state_.headTemperature));
    }
    if (letters == remote::kRomVersion) {
        return Bytes(RemoteRomVersionText(state_.romVersion));
    }
    return Bytes(NotAvailableText());
}

void PrinterCore::TakeFirmware(const std::string& romVersion) {
    state_.romVersion = romVersion;
    dirty_ = true;
}

StatusFields PrinterCore::PollStatus() {
    StatusFields fields;
    fields.paperPath = state_.paperPath;
    if (state_.faults.errorCode >= 0) {
        fields.status = state::kError;
        fields.errorCode = state_.faults.errorCode;
    } else if (state_.faults.paperOut) {
        fields.status = state::kError;
        fields.errorCode = kErrorPaperOut;
    } else if (state_.faults.busyPolls > 0) {
        --state_.faults.busyPolls;
        fields.status = state::kPrinting;
        fields.errorCode = 0;
    } else {
        fields.status = state_.status;
        fields.errorCode = state_.errorCode;
    }
    return fields;
}

std::vector<std::uint8_t> PrinterCore::AnswerEepromControl(std::span<const std::uint8_t> parameters) {
    const std::string family(2, static_cast<char>(controlcmd::kEepromFamily));
    if (parameters.size() < 5 || parameters[0] != profile_.commandCode[0] ||
        parameters[1] != profile_.commandCode[1]) {
        return Bytes(ControlWordText(family, "NA"));
    }
    const std::size_t arguments = parameters.size() - 5;
    const auto args = parameters.subspan(5);
    if (Is(parameters, controlcmd::kWriteEeprom)) {
        if (arguments == 3) {
            // The two-byte-address form: low, high, value.
            WriteEeprom(args[0] | (args[1] << 8), args[2]);
        } else {
            for (std::size_t pair = 0; pair + 1 < arguments; pair += 2) {
                WriteEeprom(args[pair], args[pair + 1]);
            }
        }
        return Bytes(ControlWordText(family, "OK"));
    }
    if (Is(parameters, controlcmd::kSave)) {
        dirty_ = true;
        return Bytes(ControlWordText(family, "OK"));
    }
    if (Is(parameters, controlcmd::kResetEeprom)) {
        const std::array<int, kPrintModes> errors = state_.hiddenTimingError;
        const std::string rom = state_.romVersion;
        FactoryDefaults();
        state_.hiddenTimingError = errors;
        state_.romVersion = rom;
        return Bytes(ControlWordText(family, "OK"));
    }
    if (Is(parameters, controlcmd::kReadEeprom) && arguments >= 1) {
        const int address = arguments >= 2 ? args[0] | (args[1] << 8) : args[0];
        return Bytes(EepromText(address, ReadEepromOrZero(address)));
    }
    if (Is(parameters, controlcmd::kReadCsic)) {
        return Bytes(CsicText(arguments >= 1 ? args[0] : 0, 0));
    }
    return Bytes(ControlWordText(family, "NA"));
}

std::vector<std::uint8_t> PrinterCore::AnswerControlCommand(const std::string& letters,
                                                            std::span<const std::uint8_t> parameters) {
    if (letters == controlcmd::kStatus) {
        const StatusFields fields = PollStatus();
        return state_.statusForm == StatusForm::Binary ? StatusBinary(fields) : Bytes(StatusText(fields));
    }
    if (letters == controlcmd::kDeviceId) {
        return Bytes(DeviceId());
    }
    if (letters[0] == static_cast<char>(controlcmd::kEepromFamily) &&
        letters[1] == static_cast<char>(controlcmd::kEepromFamily)) {
        return AnswerEepromControl(parameters);
    }
    const bool known = letters == controlcmd::kReset || letters == controlcmd::kTimerSet ||
                       letters == controlcmd::kResumePaperOut || letters == controlcmd::kResumePaperJam ||
                       letters == controlcmd::kMotorCurrentOff;
    if (!known) {
        // Ink, cleaning, paper-roll and cutter commands belong to other printers. The letters are
        // echoed only when they are letters, so that noise cannot spell an answer word.
        std::string echoed = letters;
        for (char& c : echoed) {
            if (c < 'a' || c > 'z') {
                c = '?';
            }
        }
        return Bytes(ControlWordText(echoed, "NA"));
    }
    if (state_.faults.busyPolls > 0) {
        return Bytes(ControlWordText(letters, "BUSY"));
    }
    return Bytes(ControlWordText(letters, "OK"));
}

}  // namespace vprinter

#include "vprinter/model/PrinterCore.h"

#include <algorithm>
#include <cstdio>

#include "platform/Clock.h"
#include "protocol/CommandMatchers.h"
#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

using namespace protocol;

constexpr std::uint8_t kLineFeed = control::kLineFeed;

template <typename Fields>
bool CarriesKey(const Fields& fields, const ModelProfile& profile) {
    return fields.key[0] == profile.commandCode[0] && fields.key[1] == profile.commandCode[1];
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
    if (address < 0 || address > profile_.lastEepromAddress || address >= eeprom_.Size()) {
        return false;
    }
    // A worn cell: the firmware takes the write and answers as for any other, the byte stays.
    if (state_.faults.EepromStuckAt(address)) {
        return true;
    }
    if (!eeprom_.Write(address, value)) {
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

void PrinterCore::DoFactoryCommand(const factory::Frame& frame) {
    // A command cut short does nothing.
    if (!frame.Whole()) {
        return;
    }
    const std::span<const std::uint8_t> arguments = frame.arguments;
    if (frame.command == factory::kSetModeFlag) {
        sink_->ModeFlag(arguments[0]);
    } else if (frame.command == factory::kSetBidirectionalValue) {
        if (arguments[0] < kPrintModes) {
            WriteEeprom(LayoutOf(profile_.model).bidirectionalValues + arguments[0], arguments[1]);
        }
    } else if (frame.command == factory::kPrintEepromByte) {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", ReadEepromOrZero(frame.Address()));
        PrintData(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text), 2));
    } else if (frame.command == factory::kWriteEepromSet1 || frame.command == factory::kWriteEepromSet2) {
        WriteEeprom(frame.Address(), frame.AfterAddress()[0]);
    }
}

std::vector<std::uint8_t> PrinterCore::AnswerEscFrame(std::span<const std::uint8_t> bytes) {
    const factory::AddressForm form =
        profile_.twoByteAddress ? factory::AddressForm::TwoByte : factory::AddressForm::OneByte;
    if (const auto command = factory::MatchFrame(bytes, form)) {
        // Factory commands with another model's key are print data of another printer: ignored.
        if (CarriesKey(*command, profile_)) {
            DoFactoryCommand(*command);
        }
        return {};
    }
    const auto frame = production::MatchFrame(bytes);
    // A frame too short to name its operation is skipped by its declared length.
    if (!frame) {
        return {};
    }
    if (!CarriesKey(*frame, profile_)) {
        return Bytes(NotAvailableText());
    }
    if (frame->frameClass == production::kClassLargeEeprom) {
        if (frame->Is(production::kReadEeprom) && frame->HasAddress()) {
            return Bytes(EepromText(frame->Address(), ReadEepromOrZero(frame->Address())));
        }
        return Bytes(NotAvailableText());
    }
    if ((frame->Is(production::kReadEepromSerialImpact) || frame->Is(production::kReadEeprom)) &&
        frame->HasAddress()) {
        const int at = frame->Address();
        return Bytes(EepromText(at, ReadEepromOrZero(at)));
    }
    if (frame->Is(production::kReadSensors)) {
        return Bytes(SensorsText(state_.sensors));
    }
    if (frame->Is(production::kReadRomVersion)) {
        return Bytes(RomVersionText(state_.romVersion));
    }
    if (frame->Is(production::kReadFlash)) {
        return Bytes(FlashText(0));
    }
    if (frame->Is(production::kReadCsic)) {
        return Bytes(CsicText(frame->arguments.empty() ? 0 : frame->arguments[0], 0));
    }
    if (frame->Is(production::kReadTimerIc)) {
        return Bytes(TimerText(platform::Clock().Now()));
    }
    if (frame->Is(production::kAcknowledge)) {
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
    const auto command = controlcmd::MatchEepromParameters(parameters);
    if (!command || !CarriesKey(*command, profile_)) {
        return Bytes(ControlWordText(family, "NA"));
    }
    const std::span<const std::uint8_t> args = command->arguments;
    if (command->Is(controlcmd::kWriteEeprom)) {
        if (command->IsTwoByteWrite()) {
            WriteEeprom(factory::DecodeAddress(factory::AddressForm::TwoByte, args), args[2]);
        } else {
            for (std::size_t pair = 0; pair + 1 < args.size(); pair += 2) {
                WriteEeprom(factory::DecodeAddress(factory::AddressForm::OneByte, args.subspan(pair)),
                            args[pair + 1]);
            }
        }
        return Bytes(ControlWordText(family, "OK"));
    }
    if (command->Is(controlcmd::kSave)) {
        dirty_ = true;
        return Bytes(ControlWordText(family, "OK"));
    }
    if (command->Is(controlcmd::kResetEeprom)) {
        const std::array<int, kPrintModes> errors = state_.hiddenTimingError;
        const std::string rom = state_.romVersion;
        FactoryDefaults();
        state_.hiddenTimingError = errors;
        state_.romVersion = rom;
        return Bytes(ControlWordText(family, "OK"));
    }
    if (command->Is(controlcmd::kReadEeprom) && !args.empty()) {
        const int address = command->ReadAddress();
        return Bytes(EepromText(address, ReadEepromOrZero(address)));
    }
    if (command->Is(controlcmd::kReadCsic)) {
        return Bytes(CsicText(args.empty() ? 0 : args[0], 0));
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

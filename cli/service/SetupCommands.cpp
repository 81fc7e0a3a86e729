// The setting-up commands: the USB serial number, the initial setting for the customer and the print
// tests, each through the code the pages run, and the firmware file.
#include <optional>
#include <ostream>

#include "ExitCodes.h"
#include "FirmwareTransfer.h"
#include "InitialSettingBytes.h"
#include "JsonWriter.h"
#include "PrintTestNames.h"
#include "ServiceCommand.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "config/CTolvPrnParam.h"
#include "patterns/InitialSetting.h"
#include "patterns/PrintJobStarter.h"
#include "patterns/PrintTestList.h"
#include "printer/FirmwareFileSender.h"
#include "printer/UsbSerialNumber.h"

namespace tolvane_cli {
namespace {

constexpr const char* kSerialForm = "a serial number is 1 to 18 letters and digits (A-Z, a-z, 0-9)";
constexpr const char* kNotParallel = "Bad Interface, must LPT";

// One line of a text the pages show over several.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r') {
            continue;
        }
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

int UsbSerialAddress() {
    return CTolvPrnParam::Instance()->nADRSUSBSerial;
}

// The refusal of a model that keeps no serial number; nothing was sent.
int RefuseWithoutSerialField(ServiceSession& session) {
    return session.Refuse(OneLine(printer::kNoUsbSerialText) + " (profile " + session.Profile() + ")");
}

int RefuseSerial(ServiceSession& session, printer::UsbSerialCheck check) {
    return session.Refuse(std::string(printer::UsbSerialCheckText(check)) + ": " + kSerialForm);
}

int SerialRead(ServiceSession& session, const CommandArguments& arguments) {
    if (!arguments.empty()) {
        return session.Refuse("serial read takes no argument: tolvane serial read [--json]");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const int firstAddress = UsbSerialAddress();
    if (!printer::HasUsbSerialField(firstAddress)) {
        return RefuseWithoutSerialField(session);
    }
    printer::EepromHold eeprom = session.OpenEeprom();
    if (!eeprom) {
        return kExitFailed;
    }
    std::string serial;
    {
        ProgressBar bar = session.Progress("reading serial", printer::kUsbSerialLength);
        if (printer::ReadUsbSerial(eeprom.Get(), firstAddress, &serial, [&bar] { bar.Step(); }) == 0) {
            return session.Fail("the serial number could not be read from " + session.Target().portName);
        }
    }
    if (session.Options().json) {
        session.Out() << JsonValue::Object()
                             .Add("port", JsonValue::String(session.Target().portName))
                             .Add("address", JsonValue::Number(firstAddress))
                             .Add("serial", JsonValue::String(serial))
                             .Text()
                      << "\n";
    } else {
        session.Out() << serial << "\n";
    }
    return kExitSuccess;
}

std::vector<ByteChange> SerialChanges(int firstAddress, const std::string& serial) {
    std::vector<ByteChange> changes;
    const auto bytes = printer::UsbSerialBytes(serial);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        changes.push_back({firstAddress + static_cast<int>(i), bytes[i]});
    }
    return changes;
}

int SerialWrite(ServiceSession& session, const CommandArguments& arguments) {
    if (arguments.size() != 1) {
        return session.Refuse("serial write takes one serial number: tolvane serial write TEXT, where " +
                              std::string(kSerialForm));
    }
    const std::string& serial = arguments.front();
    if (const auto check = printer::CheckUsbSerial(serial, false);
        check != printer::UsbSerialCheck::Accepted) {
        return RefuseSerial(session, check);
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const int firstAddress = UsbSerialAddress();
    if (!printer::HasUsbSerialField(firstAddress)) {
        return RefuseWithoutSerialField(session);
    }
    return RunVerifiedChange(session, SerialChanges(firstAddress, serial), [&session, firstAddress, &serial] {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return false;
        }
        ProgressBar bar = session.Progress("writing serial", printer::kUsbSerialLength);
        if (printer::WriteUsbSerial(eeprom.Get(), firstAddress, serial, [&bar] { bar.Step(); }) == 0) {
            session.Err() << "tolvane: Fail to Write Serial\n";
            return false;
        }
        return true;
    });
}

// The initial setting's messages on the error stream, its steps on the progress bar.
class InitialSettingLines final : public patterns::IInitialSettingView {
public:
    explicit InitialSettingLines(ServiceSession& session) : session_(session) {}
    int Show(const std::string& text, int type) override { return session_.JobMessages().Show(text, type); }
    void OpenProgress(int steps) override { bar_.emplace(session_.Progress("initial setting", steps)); }
    void Step() override {
        if (bar_) {
            bar_->Step();
        }
    }

private:
    ServiceSession& session_;
    std::optional<ProgressBar> bar_;
};

// The check byte read over an EEPROM access of the session.
class EepromByteReader final : public patterns::IEepromByteReader {
public:
    explicit EepromByteReader(IEepromRW* eeprom) : eeprom_(eeprom) {}
    bool Read(int address, std::uint8_t& value) override { return eeprom_->ReadByte(address, &value) == 1; }

private:
    IEepromRW* eeprom_;
};

int InitialSetting(ServiceSession& session, const CommandArguments& arguments) {
    if (arguments.size() > 1) {
        return session.Refuse(
            "initial-setting takes at most one serial number: tolvane initial-setting "
            "[SERIAL], where " +
            std::string(kSerialForm));
    }
    const std::string serial = arguments.empty() ? std::string() : arguments.front();
    if (const auto check = printer::CheckUsbSerial(serial, true);
        check != printer::UsbSerialCheck::Accepted) {
        return RefuseSerial(session, check);
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    if (UsbSerialAddress() < 0 && !serial.empty()) {
        return RefuseWithoutSerialField(session);
    }
    const patterns::InitialSettingRequest request = patterns::InitialSettingRequestFromConfig(serial);
    InitialSettingBytes built;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return kExitFailed;
        }
        EepromByteReader reader(eeprom.Get());
        built = BuildInitialSettingBytes(request, reader);
    }
    if (!built.fault.empty()) {
        return session.Fail(built.fault + "; nothing was sent");
    }
    return RunVerifiedChange(session, LastWritePerAddress(built.writes), [&session, &request] {
        InitialSettingLines view(session);
        return patterns::RunInitialSetting(request, view, session.Texts()) ==
               patterns::InitialSettingResult::Done;
    });
}

int TestPrint(ServiceSession& session, const CommandArguments& arguments) {
    if (arguments.size() > 1) {
        return session.Refuse(
            "test-print takes one print test: tolvane test-print NAME (a name or number "
            "of the model's print tests)");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const std::vector<patterns::PrintTestEntry> entries =
        patterns::PrintTestEntries(patterns::kAllPrintTests, CTolvPrnParam::Instance()->nColumn);
    const std::optional<std::size_t> chosen =
        arguments.empty() ? std::nullopt : ChoosePrintTest(entries, arguments.front());
    if (!chosen) {
        const std::string what = arguments.empty() ? "test-print needs a print test"
                                                   : "no print test \"" + arguments.front() + "\"";
        return session.Refuse(what + " on " + session.Profile() + "; one of: " + PrintTestChoices(entries));
    }
    const patterns::PrintTestEntry& entry = entries[*chosen];
    patterns::PrintJobRecord job;
    patterns::StartPrintJobFromConfig(session.JobMessages(), entry.Selector(), entry.Item(), job);
    if (job.Failed()) {
        return session.Fail("the print test " + entry.text + " failed on " + session.Target().portName);
    }
    session.Out() << "printed " << entry.text << " on " << session.Target().portName << "\n";
    return kExitSuccess;
}

int Firmware(ServiceSession& session, const CommandArguments& arguments) {
    if (arguments.size() != 1 || arguments.front().empty()) {
        return session.Refuse("firmware takes one file: tolvane --port LPTn firmware FILE");
    }
    const std::string& path = arguments.front();
    std::string reason;
    const std::optional<std::uintmax_t> size = SendableFirmwareSize(path, &reason);
    if (!size) {
        return session.Refuse("the firmware file " + path + " " + reason + "; nothing was sent");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const std::string& port = session.Target().portName;
    switch (printer::SendFileToPort(path, port)) {
        case printer::FileSendOutcome::Sent:
            session.Out() << "sent " << *size << " bytes of " << path << " to " << port << "\n";
            return kExitSuccess;
        case printer::FileSendOutcome::NotParallelPort:
            return session.Refuse(std::string(kNotParallel) + ": the printer takes firmware only over a " +
                                  "parallel port, and " + port + " is not one; name LPT1-LPT3 with --port");
        case printer::FileSendOutcome::StreamNotCreated:
            return session.Fail("Failed to send file: " + port + " could not be opened");
        case printer::FileSendOutcome::ChunkNotWritten:
            return session.Fail("Failed to send file: the printer on " + port +
                                " did not take all of it; send it again before switching the printer off");
        default:
            return session.Fail("Failed to send file: " + path + " could not be read");
    }
}

constexpr ServiceCommand kCommands[] = {
    {"serial read", "[--json]", "show the printer's USB serial number",
     "Reads the USB serial number from the printer's EEPROM (18 bytes from the\n"
     "model's serial address) and prints it on one line: the characters before\n"
     "the first zero byte, an empty line when none is stored.\n"
     "--json: {\"port\": port name, \"address\": first serial address,\n"
     "\"serial\": the serial number}.\n"
     "A model without a serial number is refused (exit 2).",
     SerialRead},
    {"serial write", "TEXT", "store a USB serial number",
     "Writes TEXT as the printer's USB serial number: 1 to 18 letters and digits\n"
     "(A-Z, a-z, 0-9), one per EEPROM byte from the model's serial address, the\n"
     "bytes after the last character set to 0. A longer text, an empty one or\n"
     "one with other characters is refused (exit 2), as is a model without a\n"
     "serial number. The EEPROM is backed up first, the plan printed\n"
     "(\"0xE0: 0x56 -> 0x41\" per byte), and every byte read back (exit 4 when\n"
     "the printer holds another). --dry-run prints the plan only.",
     SerialWrite},
    {"initial-setting", "[SERIAL]", "write the initial setting for the customer",
     "Writes the initial setting of the printer for the chosen customer\n"
     "(--customer): the check byte's complement, table C, then tables A and B\n"
     "with the customer's bytes and the USB serial number SERIAL, in three\n"
     "stages; the printer must report ready after each. Without SERIAL a model\n"
     "with a serial number gets 18 zero bytes there (read it first with\n"
     "`serial read` to keep it). A model without one takes no SERIAL.\n"
     "The EEPROM is backed up first; the plan (address, old, new) is printed\n"
     "and every byte the stages write is read back (exit 4 when one differs).\n"
     "--dry-run prints the plan only. A stage that fails leaves the stages\n"
     "before it in the printer (exit 1, the stage named); restore the backup\n"
     "with `eeprom undo`. Switch the printer off and on afterwards.",
     InitialSetting},
    {"test-print", "NAME", "print one of the model's print tests",
     "Prints the print test NAME on the printer. The tests depend on the paper\n"
     "width: FF Paper(1P), A3 or A4 Copy(7P), A4 Copy(1P) or A4 Horizontal(1P),\n"
     "and Pitch x1 and Pitch x20 (136 columns) or Passbook (other widths).\n"
     "NAME is the test's name in lower case with '-' for the rest\n"
     "(ff-paper-1p, pitch-x20) or its number in that list, from 1. An unknown\n"
     "name is refused (exit 2) with the model's list. Prints \"printed TEST on\n"
     "PORT\"; exit 1 when the printer did not print it.",
     TestPrint},
    {"firmware", "FILE", "send a firmware file over the parallel port",
     "Sends FILE as it is to the printer over a parallel port (--port\n"
     "LPT1-LPT3), in pieces of 1024 bytes as the firmware page sends it: the\n"
     "printer takes firmware on no other port, and any other is refused (exit\n"
     "2) before anything is sent, as is a file that cannot be read, is empty or\n"
     "is larger than the largest download (1048612 bytes). Prints \"sent N\n"
     "bytes of FILE to PORT\"; exit 1 when the port could not be opened or the\n"
     "printer did not take the whole file. Do not switch the printer off while\n"
     "it flashes.",
     Firmware},
};

}  // namespace

std::span<const ServiceCommand> SetupCommands() {
    return kCommands;
}

}  // namespace tolvane_cli

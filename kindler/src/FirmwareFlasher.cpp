#include "FirmwareFlasher.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "FirmwareFile.h"
#include "PlexerPort.h"
#include "ScriptedTechnician.h"
#include "portselect/PrinterPorts.h"
#include "protocol/FirmwareImage.h"
#include "protocol/PrinterCommandCodes.h"
#include "ui/OpenFileDialog.h"

namespace kindler {
namespace {

namespace firmware = protocol::firmware;

// Plexer's receive type 1: each receive hands over what one read brought.
constexpr std::uint32_t kReceiveWhatOneReadBrought = 1;
// The driver's receive window; a caller's buffer holds at least this.
constexpr std::size_t kReceiveWindow = 1024;
// The image goes out in pieces of this size.
constexpr std::uint32_t kSendPiece = 4096;
// Each empty receive waits about 2 s; a printer that has not answered after this many receives is
// taken to have no answer.
constexpr int kReceivesPerReply = 15;

// Opens the first port where a printer answers with its device ID; the port stays open.
std::optional<std::int16_t> OpenFirstPrinter(PlexerPort& plexer) {
    return portselect::ForEachPrinterPort(plexer, [](const portselect::PortAnswer& answer) {
        return portselect::Succeeded(answer.modelStatus) ? portselect::AfterAnswer::KeepOpenAndStop
                                                         : portselect::AfterAnswer::CloseAndGoOn;
    });
}

bool SendAll(PlexerPort& plexer, const std::vector<std::uint8_t>& bytes) {
    const std::uint8_t cancel = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kSendPiece) {
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(kSendPiece, bytes.size() - at));
        if (!portselect::Succeeded(plexer.send(bytes.data() + at, count, &cancel))) {
            return false;
        }
    }
    return true;
}

// Reads one answer of the printer: a text that starts with the prefix and ends at the first ';'
// after it. Bytes before the prefix are skipped; the answer is bounded by the receive window.
// Empty when no such answer came.
std::string ReadAnswer(PlexerPort& plexer, const std::string& prefix) {
    std::string seen;
    std::array<std::uint8_t, kReceiveWindow> window{};
    for (int receive = 0; receive < kReceivesPerReply; ++receive) {
        plexer.setReceiveType(kReceiveWhatOneReadBrought);
        std::uint32_t length = 0;
        const std::uint32_t status = plexer.receive(window.data(), &length);
        if (!portselect::Succeeded(status)) {
            continue;
        }
        seen.append(reinterpret_cast<const char*>(window.data()),
                    std::min<std::size_t>(length, window.size()));
        const std::size_t start = seen.find(prefix);
        if (start != std::string::npos) {
            const std::size_t end = seen.find(';', start);
            if (end != std::string::npos) {
                return seen.substr(start + prefix.size(), end - start - prefix.size());
            }
            seen.erase(0, start);
        }
        if (seen.size() > kReceiveWindow) {
            return "";
        }
    }
    return "";
}

FlashOutcome Outcome(Verdict verdict, std::string message, std::string port = "") {
    FlashOutcome outcome;
    outcome.verdict = verdict;
    outcome.message = std::move(message);
    outcome.port = std::move(port);
    return outcome;
}

FlashOutcome SendToPrinter(PlexerPort& plexer, const std::string& port, const FirmwareFile& file) {
    std::vector<std::uint8_t> download =
        firmware::DownloadPrefix(static_cast<std::uint32_t>(file.image.size()));
    download.insert(download.end(), file.image.begin(), file.image.end());
    if (!SendAll(plexer, download)) {
        return Outcome(Verdict::TransferFailed,
                       "Sending the firmware to the printer on " + port + " failed (I/O error " +
                           std::to_string(plexer.IoError()) +
                           ").\nThe printer may need to be switched off and on.",
                       port);
    }
    const std::string answer = ReadAnswer(plexer, firmware::kReplyPrefix);
    if (answer.empty()) {
        return Outcome(Verdict::TransferFailed,
                       "The printer on " + port +
                           " did not confirm the firmware.\nThe printer may need to be "
                           "switched off and on.",
                       port);
    }
    const std::string refused = std::string(firmware::kRefused) + ":";
    if (answer.rfind(refused, 0) == 0) {
        return Outcome(Verdict::Refused,
                       "The printer on " + port + " refused the firmware (" + answer.substr(refused.size()) +
                           ").\nIt still runs its previous firmware.",
                       port);
    }
    const std::vector<std::uint8_t> query = RomVersionQuery();
    const std::string version = SendAll(plexer, query) ? ReadAnswer(plexer, "VI:") : "";
    if (version.empty()) {
        return Outcome(Verdict::TransferFailed,
                       "The printer on " + port + " took the firmware but did not report its ROM version.",
                       port);
    }
    FlashOutcome outcome = Outcome(
        Verdict::Updated,
        "The firmware was updated.\nThe printer on " + port + " now runs ROM version " + version + ".", port);
    outcome.romVersion = version;
    return outcome;
}

}  // namespace

std::vector<std::uint8_t> RomVersionQuery() {
    using namespace protocol;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(32);
    auto add = [&](std::span<const std::uint8_t> piece) {
        for (const std::uint8_t byte : piece) {
            bytes.push_back(byte);
        }
    };
    auto addText = [&](std::string_view text) {
        add(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    };
    const std::uint8_t noParameters[] = {0x00, 0x00};
    add(remote::kEnter);
    addText(remote::kRomVersion);
    add(noParameters);
    add(remote::kLeave);
    return bytes;
}

FlashOutcome FlashFirmware(PlexerPort& plexer) {
    if (!plexer.Bound()) {
        return Outcome(Verdict::NoLibrary, "Cannot load Plexer.dll or the port driver it chooses.");
    }
    std::string path;
    const ui::OpenFileRequest request{"Choose the firmware file",
                                      "Firmware files (*.rcc)|*.rcc|All files (*.*)|*.*", "RCC"};
    if (!ui::ChooseFileToOpen(nullptr, request, &path) || path.empty()) {
        return Outcome(Verdict::NoFileChosen,
                       "No firmware file was chosen; nothing was sent to the printer.");
    }
    const FirmwareFile file = ReadFirmwareFile(path);
    if (file.result == FirmwareFile::Result::Unreadable) {
        return Outcome(Verdict::BadFile,
                       "Cannot read the file\n" + path + "\nNothing was sent to the printer.");
    }
    if (file.result == FirmwareFile::Result::NotAnImage) {
        return Outcome(Verdict::BadFile, path + "\nis not a firmware image: " + DescribeFault(file.fault) +
                                             ".\nNothing was sent to the printer.");
    }
    const std::optional<std::int16_t> number = OpenFirstPrinter(plexer);
    if (!number.has_value()) {
        return Outcome(
            Verdict::NoPrinter,
            "No printer answered on USB1 to USB127 or LPT1 to LPT3.\nConnect the printer, switch it on "
            "and try again.");
    }
    FlashOutcome outcome = SendToPrinter(plexer, PortName(portselect::PortArgument(*number)), file);
    plexer.portClose();
    return outcome;
}

int RunKindler() {
    ScriptedTechnician technician;
    if (!technician.Ready()) {
        return kScenarioFailed;
    }
    PlexerPort plexer;
    const FlashOutcome outcome = FlashFirmware(plexer);
    platform::ShowMessage(outcome.message,
                          outcome.verdict == Verdict::Updated        ? platform::MessageIcon::Information
                          : outcome.verdict == Verdict::NoFileChosen ? platform::MessageIcon::None
                                                                     : platform::MessageIcon::Stop);
    return technician.Finish() ? static_cast<int>(outcome.verdict) : kScenarioFailed;
}

}  // namespace kindler

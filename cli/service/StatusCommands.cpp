// What the printer is and how it is: its model and settings as the information page reads them, its
// status as the waiting dialog shows it, and its sensors as the sensor status page reports them. Each
// runs the very reader or job of its page; --watch repeats the status and the sensors once a second.
#include <array>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "JsonWriter.h"
#include "PortAnswer.h"
#include "ServiceCommand.h"
#include "ServiceSession.h"
#include "Watch.h"
#include "patterns/EngineTexts.h"
#include "patterns/SelectedPrinter.h"
#include "patterns/SensorJob.h"
#include "patterns/SensorTexts.h"
#include "printer/CPrinterSettingReader.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/IPrinterStatus.h"

namespace tolvane_cli {
namespace {

using printer::SettingField;

// A reading takes no words; --watch only where the reading can be repeated.
int CheckReadingArguments(ServiceSession& session, const char* command, const CommandArguments& words,
                          bool watches) {
    if (!words.empty()) {
        return session.Refuse(std::string(command) + " takes no words, only " +
                              (watches ? "[--watch] [--json]" : "[--json]") + "; \"" + words.front() +
                              "\" is not one of its options");
    }
    if (session.Options().watch && !watches) {
        return session.Refuse(std::string(command) + " reads once; --watch is for status and sensors");
    }
    return kExitSuccess;
}

// A printer's bytes on a terminal: anything but printable ASCII shows as '.'.
std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte >= 0x20 && byte < 0x7F ? c : '.';
    }
    return shown;
}

// ---- info

// The fields of the information pane with the labels it shows them under.
struct InfoField {
    SettingField field;
    const char* label;
    const char* json;
};

constexpr std::array<InfoField, 6> kInfoFields = {{
    {SettingField::DeviceId, "Device ID:", "deviceId"},
    {SettingField::UsbSerial, "USB S/No.:", "usbSerial"},
    {SettingField::CharacterTable, "Character Table:", "characterTable"},
    {SettingField::PrintingDirection, "Printing Direction:", "printingDirection"},
    {SettingField::IbmCharacter, "IBM Character:", "ibmCharacter"},
    {SettingField::PageLength, "Page Length:", "pageLength"},
}};

// The reader's texts, kept rather than shown; its steps move the progress bar.
class CollectedSettings final : public printer::ISettingSink {
public:
    explicit CollectedSettings(ProgressBar& bar) : bar_(bar) {}
    void Start(int) override {}
    void Show(SettingField field, const std::string& text) override { texts_[field] = text; }
    void Step() override { bar_.Step(); }
    void Finish() override { bar_.Finish(); }

    std::string Text(SettingField field) const {
        const auto found = texts_.find(field);
        return found == texts_.end() ? std::string() : found->second;
    }

private:
    ProgressBar& bar_;
    std::map<SettingField, std::string> texts_;
};

// The model name the printer reported: the device ID without the maker's word the reader puts first.
std::string ModelName(const std::string& deviceId) {
    const std::size_t space = deviceId.find(' ');
    return space == std::string::npos ? deviceId : deviceId.substr(space + 1);
}

int RunInfo(ServiceSession& session, const CommandArguments& words) {
    if (const int status = CheckReadingArguments(session, "info", words, false); status != kExitSuccess) {
        return status;
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    ProgressBar bar = session.Progress("reading the settings",
                                       CPrinterSettingReader::StepCount(CPrinterSettingReader::kAll));
    CollectedSettings settings(bar);
    CPrinterSettingReader reader(session.Target(), patterns::SelectedSettingMap());
    if (reader.Read(settings, CPrinterSettingReader::kAll) == 0) {
        bar.Finish();
        return ReadingFailed(session, "the printer's settings could not be read");
    }
    const std::string deviceId = settings.Text(SettingField::DeviceId);
    if (session.Options().json) {
        JsonValue object = JsonValue::Object();
        object.Add("port", JsonValue::String(session.Target().portName))
            .Add("profile", JsonValue::String(session.Profile()))
            .Add("customer", JsonValue::String(session.Customer()))
            .Add("model", JsonValue::String(ModelName(deviceId)));
        for (const InfoField& field : kInfoFields) {
            object.Add(field.json, JsonValue::String(settings.Text(field.field)));
        }
        session.Out() << object.Text() << "\n";
        return kExitSuccess;
    }
    for (const InfoField& field : kInfoFields) {
        std::string label = field.label;
        label.resize(21, ' ');
        session.Out() << label << Printable(settings.Text(field.field)) << "\n";
    }
    return kExitSuccess;
}

// ---- status

// The waiting dialog's word for a printer that gave no status.
constexpr const char* kOffline = "OFFLINE";

// One status reading on the output. A printer that gives no status is shown as offline and the
// reading succeeds when it is watched; read once, it fails.
int ShowStatus(ServiceSession& session, IPrinterStatus& status, bool watched) {
    if (status.Refresh() == 0) {
        if (!watched) {
            return ReadingFailed(session, std::string("the printer gave no status (") + kOffline + ")");
        }
        if (session.Options().json) {
            session.Out() << JsonValue::Object()
                                 .Add("status", JsonValue::Null())
                                 .Add("statusText", JsonValue::String(kOffline))
                                 .Add("error", JsonValue::Null())
                                 .Add("errorText", JsonValue::String(""))
                                 .Add("ready", JsonValue::Bool(false))
                                 .Add("offline", JsonValue::Bool(true))
                                 .Text()
                          << "\n";
        } else {
            session.Out() << "status: " << kOffline << "\n";
        }
        session.Out().flush();
        return kExitSuccess;
    }
    const int code = status.GetStatusCode();
    const int error = status.GetErrorCode();
    const std::string statusText = patterns::StatusText(session.Texts(), code);
    // The error code names an error only while the status says there is one.
    const bool failing = code == printer::printer_status::kError;
    const std::string errorText = failing ? patterns::ErrorText(session.Texts(), error) : std::string();
    if (session.Options().json) {
        session.Out() << JsonValue::Object()
                             .Add("status", JsonValue::Number(code))
                             .Add("statusText", JsonValue::String(statusText))
                             .Add("error", JsonValue::Number(error))
                             .Add("errorText", JsonValue::String(errorText))
                             .Add("ready", JsonValue::Bool(code == printer::printer_status::kReady))
                             .Add("offline", JsonValue::Bool(false))
                             .Text()
                      << "\n";
    } else {
        session.Out() << "status: " << code << " " << statusText << "\n";
        session.Out() << "error: " << error << (failing ? " " + errorText : std::string()) << "\n";
    }
    session.Out().flush();
    return kExitSuccess;
}

int RunStatus(ServiceSession& session, const CommandArguments& words) {
    if (const int status = CheckReadingArguments(session, "status", words, true); status != kExitSuccess) {
        return status;
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    IPrinterStatus* made = nullptr;
    if (CreatePrinterStatus(&made, session.Target()) == 0 || made == nullptr) {
        return session.Fail("no status object could be made for " + session.Target().portName);
    }
    // One object for the whole watch, given back on every way out.
    struct Release {
        IPrinterStatus* status;
        ~Release() { status->Release(); }
    } const held{made};
    if (!session.Options().watch) {
        return ShowStatus(session, *made, false);
    }
    return Watch([&] { return ShowStatus(session, *made, true); });
}

// ---- sensors

// The sensors in bit order, as the report lists them, by the names the --json output gives them.
constexpr std::array<const char*, patterns::kSensorCount> kSensorKeys = {
    "carriageHome", "frontPaperEnd", "rearPaperEnd", "topPaperEnd", "releaseLever", "platenGap"};

std::string WithoutCarriageReturns(const std::string& text) {
    std::string lines;
    for (const char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    return lines;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

// The report's parts: the sensor byte of its heading ("Sensor Status:3f(Hex)") and each sensor's
// state after its colon, in report order. False when the report is not of that form.
bool ParseSensorReport(const std::string& lines, int* byte, std::vector<std::string>* states) {
    const std::string heading = "Sensor Status:";
    if (lines.rfind(heading, 0) != 0) {
        return false;
    }
    const auto digit = [&](std::size_t at) {
        const char c = at < lines.size() ? lines[at] : '\0';
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    const int high = digit(heading.size());
    const int low = digit(heading.size() + 1);
    if (high < 0 || low < 0) {
        return false;
    }
    *byte = high * 16 + low;
    states->clear();
    std::size_t start = lines.find('\n');
    while (start != std::string::npos && start + 1 < lines.size()) {
        const std::size_t end = lines.find('\n', start + 1);
        const std::string line =
            lines.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            states->push_back(Trimmed(line.substr(colon + 1)));
        }
        start = end;
    }
    return states->size() == kSensorKeys.size();
}

int ShowSensors(ServiceSession& session, bool watched) {
    std::string report;
    if (!patterns::RunSensorJobFromConfig(session.JobMessages(), report)) {
        return ReadingFailed(session, "the sensor status could not be read");
    }
    const std::string lines = WithoutCarriageReturns(report);
    if (session.Options().json) {
        int byte = 0;
        std::vector<std::string> states;
        JsonValue object = JsonValue::Object();
        if (ParseSensorReport(lines, &byte, &states)) {
            object.Add("sensors", JsonValue::Number(byte));
            for (std::size_t sensor = 0; sensor < kSensorKeys.size(); ++sensor) {
                object.Add(kSensorKeys[sensor], JsonValue::String(states[sensor]));
            }
        } else {
            object.Add("sensors", JsonValue::Null());
        }
        object.Add("report", JsonValue::String(lines));
        session.Out() << object.Text() << "\n";
    } else {
        session.Out() << lines;
        if (lines.empty() || lines.back() != '\n') {
            session.Out() << "\n";
        }
        if (watched) {
            session.Out() << "\n";
        }
    }
    session.Out().flush();
    return kExitSuccess;
}

int RunSensors(ServiceSession& session, const CommandArguments& words) {
    if (const int status = CheckReadingArguments(session, "sensors", words, true); status != kExitSuccess) {
        return status;
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    if (!session.Options().watch) {
        return ShowSensors(session, false);
    }
    // As on the page: a failed job ends the watch rather than failing again every second.
    return Watch([&] { return ShowSensors(session, true); });
}

constexpr std::array<ServiceCommand, 3> kCommands = {{
    {"info", "[--json]", "show the printer's model and settings",
     "Reads the model name the printer reports and the settings the printer\n"
     "information page shows, under the labels of the information pane:\n"
     "Device ID, USB S/No., Character Table, Printing Direction, IBM\n"
     "Character and Page Length (whole inches). A model without a USB serial\n"
     "number shows none. Bytes of the serial outside printable ASCII show as\n"
     "'.'.\n"
     "\n"
     "--json prints one object instead (all strings):\n"
     "  port, profile, customer  what the command worked with\n"
     "  model              the model name the printer reports\n"
     "  deviceId           the Device ID as the pane shows it\n"
     "  usbSerial          the USB serial number (empty: the model has none)\n"
     "  characterTable     the character table's name\n"
     "  printingDirection  \"Bi-d\", \"Uni-d\", \"Auto\" or \"unknown\"\n"
     "  ibmCharacter       \"Table1\", \"Table2\" or \"unknown\"\n"
     "  pageLength         the page length in inches with the inch mark\n",
     RunInfo},
    {"status", "[--watch] [--json]", "show the printer's status and error",
     "Asks the printer for its status once and prints\n"
     "  status: CODE TEXT\n"
     "  error: CODE [TEXT]\n"
     "with the texts of the language file (the error's text only while the\n"
     "status is 0, an error). Status 4 is ready. No status from the printer:\n"
     "exit 1, or 3 when the port does not open at all.\n"
     "--watch asks again once a second until Ctrl+C; a reading without an\n"
     "answer then prints \"status: OFFLINE\" and the watch goes on.\n"
     "\n"
     "--json prints one object per reading, one line each:\n"
     "  status      the status code (number; null when offline)\n"
     "  statusText  its text (\"OFFLINE\" when offline)\n"
     "  error       the error code (number; null when offline)\n"
     "  errorText   its text while status is 0, else \"\"\n"
     "  ready       true when the status is 4\n"
     "  offline     true when the printer gave no status (--watch only)\n",
     RunStatus},
    {"sensors", "[--watch] [--json]", "show the printer's sensor states",
     "Runs the sensor status job the sensor status page runs and prints its\n"
     "report: the sensor byte in hexadecimal, then the state of the carriage\n"
     "home, front, rear and top paper end, release lever and platen gap\n"
     "sensors. --watch runs it again once a second until Ctrl+C, a blank line\n"
     "between the reports; a failed job ends the watch (exit 1).\n"
     "\n"
     "--json prints one object per report, one line each:\n"
     "  sensors        the sensor byte (number; null if the report is unknown)\n"
     "  carriageHome, frontPaperEnd, rearPaperEnd, topPaperEnd, releaseLever,\n"
     "  platenGap      each sensor's state as the report words it\n"
     "  report         the whole report text\n",
     RunSensors},
}};

}  // namespace

std::span<const ServiceCommand> StatusCommands() {
    return kCommands;
}

}  // namespace tolvane_cli

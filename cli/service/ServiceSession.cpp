#include "ServiceSession.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <ostream>

#include "ExitCodes.h"
#include "NumberArgument.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ProfileListing.h"
#include "patterns/SelectedPrinter.h"
#include "platform/ModulePath.h"
#include "platform/StandardStreams.h"
#include "portselect/PlexerBinding.h"
#include "portselect/PortNumbers.h"
#include "portselect/PrinterPorts.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/CPortLibraryBinder.h"
#include "printer/CRefCounted.h"
#include "printer/IPrinterErrorCallback.h"

namespace tolvane_cli {
namespace {

constexpr const char* kPortForms = "LPT1-LPT3, USB1-USB10, /dev/usb/lpN (N 0-9) or /dev/parportN (N 0-2)";

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The port name the printer service takes for a name or device path; empty when it names none.
std::string ServicePortName(const std::string& given) {
    std::string name = given;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto numbered = [&](const std::string& prefix, long lowest, long highest) -> std::optional<long> {
        if (given.rfind(prefix, 0) != 0) {
            return std::nullopt;
        }
        return ParseNumber(given.substr(prefix.size()), lowest, highest);
    };
    if (const auto usb = numbered("/dev/usb/lp", 0, 9)) {
        return "USB" + std::to_string(*usb + 1);
    }
    if (const auto parallel = numbered("/dev/parport", 0, 2)) {
        return "LPT" + std::to_string(*parallel + 1);
    }
    for (const auto& [prefix, highest] : {std::pair<std::string, long>{"USB", 10}, {"LPT", 3}}) {
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size() && name[prefix.size()] != '0' &&
            name[prefix.size()] != '+' && name[prefix.size()] != '-') {
            if (const auto number = ParseNumber(name.substr(prefix.size()), 1, highest)) {
                return prefix + std::to_string(*number);
            }
        }
    }
    return "";
}

// Tells every failure of an access object on the error stream, one line each.
class ErrorLines final : public printer::CRefCounted<IPrinterErrorCallback> {
public:
    ErrorLines(std::ostream& err, std::string port) : err_(err), port_(std::move(port)) {}
    int OnError(int code) override {
        err_ << "tolvane: " << Describe(code) << " (" << port_ << ")\n";
        return code;
    }

private:
    static const char* Describe(int code) {
        switch (code) {
            case printer::error::kPortOpen:
                return "the port could not be opened";
            case printer::error::kSend:
                return "sending to the printer failed";
            case printer::error::kReadEeprom:
                return "reading the EEPROM failed";
            case printer::error::kChannel:
                return "the printer did not accept the service channel";
            case printer::error::kNoReply:
                return "the printer gave no reply";
            default:
                return "the printer failed";
        }
    }
    std::ostream& err_;
    std::string port_;
};

// Nobody answers a question on the command line: it is told and answered Cancel.
class ErrorStreamMessages final : public patterns::IJobMessages {
public:
    explicit ErrorStreamMessages(std::ostream& err) : err_(err) {}
    int Show(const std::string& text, int type) override {
        std::string line;
        for (const char c : text) {
            line += (c == '\r' || c == '\n') ? ' ' : c;
        }
        err_ << "tolvane: " << line << "\n";
        return type == patterns::kMessageInformation ? patterns::kAnswerOk : patterns::kAnswerCancel;
    }

private:
    std::ostream& err_;
};

}  // namespace

ServiceSession::ServiceSession(const ServiceOptions& options, std::ostream& out, std::ostream& err)
    : options_(options),
      out_(out),
      err_(err),
      errIsTerminal_(&err == &std::cerr && platform::StderrIsTerminal()) {}

ServiceSession::~ServiceSession() {
    if (librariesBound_) {
        CPortLibraryBinder::UnbindLibraries();
    }
}

const CTolvLangText& ServiceSession::Texts() const {
    return *CTolvLangText::Instance();
}

int ServiceSession::Fail(const std::string& message) {
    err_ << "tolvane: " << message << "\n";
    return kExitFailed;
}

int ServiceSession::Refuse(const std::string& message) {
    err_ << "tolvane: " << message << "\n";
    return kExitUsage;
}

int ServiceSession::Open() {
    if (opened_) {
        return kExitSuccess;
    }
    for (int (ServiceSession::*step)() : {&ServiceSession::ChoosePort, &ServiceSession::ChooseProfile,
                                          &ServiceSession::ChooseCustomer, &ServiceSession::ChooseLanguage}) {
        if (const int status = (this->*step)(); status != kExitSuccess) {
            return status;
        }
    }
    // The selections as the top dialog stores them; the settings file is left as it is.
    CTolvAppParam& settings = *CTolvAppParam::Instance();
    settings.strProfile = profile_;
    settings.strPortName = target_.portName;
    settings.strCustomerName = customer_;
    settings.nCustomerIndex = customerIndex_;
    settings.strLanguage = language_;
    // The model and the texts are made from the settings above, so each file is read once.
    if (CTolvPrnParam::Instance()->strProfileName != profile_) {
        CTolvPrnParam::Instance()->SetProfile(profile_);
    }
    CTolvLangText& texts = *CTolvLangText::Instance();
    if (texts.GetProfileName() != profile_) {
        texts.SetProfile(profile_);
    }
    if (texts.GetLanguageName() != language_) {
        texts.SetLanguage(language_);
    }
    target_ = patterns::SelectedPrinter();
    // The program binds the port libraries at start-up; a command binds them for its run.
    if (!CPortLibraryBinder::BindLibraries()) {
        CPortLibraryBinder::UnbindLibraries();
        return Fail("the driver selector or the channel library could not be loaded from " +
                    platform::ExecutableFolder());
    }
    librariesBound_ = true;
    opened_ = true;
    return kExitSuccess;
}

int ServiceSession::ChoosePort() {
    if (!options_.port.empty()) {
        target_.portName = ServicePortName(options_.port);
        if (target_.portName.empty()) {
            return Refuse("no port named \"" + options_.port + "\": a port is " + kPortForms);
        }
        return kExitSuccess;
    }
    const portselect::PlexerBinding plexer(err_);
    if (!plexer.Bound()) {
        return Fail("the driver selector could not be loaded, so no port can be searched");
    }
    portselect::ForEachPrinterPort(plexer, [&](const portselect::PortAnswer& answer) {
        const std::string name =
            ServicePortName(portselect::PortName(static_cast<std::uint32_t>(answer.number)));
        if (name.empty() || !portselect::Succeeded(answer.modelStatus)) {
            return portselect::AfterAnswer::CloseAndGoOn;
        }
        target_.portName = name;
        reportedModel_ = std::string(answer.model);
        return portselect::AfterAnswer::KeepOpenAndStop;
    });
    // The walk leaves the chosen port open; the printer service opens it again its own way.
    plexer.portClose();
    if (target_.portName.empty()) {
        err_ << "tolvane: no printer answered on USB1-USB10 or LPT1-LPT3; name one with --port\n";
        return kExitNoPrinter;
    }
    return kExitSuccess;
}

int ServiceSession::ChooseProfile() {
    const std::vector<std::string> profiles = config::ListProfiles();
    if (!options_.profile.empty()) {
        if (!Contains(profiles, options_.profile)) {
            return Refuse("no model profile named \"" + options_.profile +
                          "\" (tolvane profiles lists them)");
        }
        profile_ = options_.profile;
        return kExitSuccess;
    }
    if (const std::string& stored = CTolvAppParam::Instance()->strProfile; Contains(profiles, stored)) {
        profile_ = stored;
        return kExitSuccess;
    }
    if (reportedModel_.empty()) {
        reportedModel_ = AskModel();
    }
    for (const std::string& profile : profiles) {
        if (!reportedModel_.empty() && reportedModel_.find(profile) != std::string::npos) {
            profile_ = profile;
            return kExitSuccess;
        }
    }
    return Refuse(
        "no --profile given, none in TOLVANE.INI, and no profile for the model the printer reports (" +
        (reportedModel_.empty() ? std::string("none") : reportedModel_) + ")");
}

std::string ServiceSession::AskModel() {
    const portselect::PlexerBinding plexer(err_);
    if (!plexer.Bound()) {
        return "";
    }
    std::string model;
    if (portselect::Succeeded(plexer.portOpen(portselect::PortArgument(target_.Port())))) {
        if (!portselect::Succeeded(portselect::AskModel(plexer, &model))) {
            model.clear();
        }
        plexer.portClose();
    }
    return model;
}

int ServiceSession::ChooseCustomer() {
    // The model is read for the chosen profile when it is first made.
    CTolvAppParam::Instance()->strProfile = profile_;
    CTolvPrnParam& model = *CTolvPrnParam::Instance();
    if (model.strProfileName != profile_) {
        model.SetProfile(profile_);
    }
    std::vector<int> slots;
    for (int slot = 0; slot < CTolvPrnParam::kCustomerSlots; ++slot) {
        if (!model.customer[slot].strTitle.empty()) {
            slots.push_back(slot);
        }
    }
    if (slots.empty()) {
        return Refuse("the profile " + profile_ + " lists no customer");
    }
    int chosen = -1;
    if (!options_.customer.empty()) {
        for (const int slot : slots) {
            if (model.customer[slot].strTitle == options_.customer) {
                chosen = slot;
            }
        }
        if (const auto number = ParseNumber(options_.customer, 0, CTolvPrnParam::kCustomerSlots - 1);
            chosen < 0 && number && !model.customer[*number].strTitle.empty()) {
            chosen = static_cast<int>(*number);
        }
        if (chosen < 0) {
            std::string titles;
            for (const int slot : slots) {
                titles +=
                    (titles.empty() ? "" : ", ") + std::to_string(slot) + " " + model.customer[slot].strTitle;
            }
            return Refuse("no customer \"" + options_.customer + "\" in " + profile_ + " (" + titles + ")");
        }
    } else {
        const std::string& deviceId = CTolvAppParam::Instance()->strPrinterID;
        for (const int slot : slots) {
            if (chosen < 0 && !deviceId.empty() && model.customer[slot].strDeviceID == deviceId) {
                chosen = slot;
            }
        }
        if (chosen < 0) {
            chosen = slots.front();
        }
    }
    customerIndex_ = chosen;
    customer_ = model.customer[chosen].strTitle;
    return kExitSuccess;
}

int ServiceSession::ChooseLanguage() {
    const std::vector<std::string> languages = config::ListLanguages(profile_);
    if (!options_.language.empty()) {
        if (!Contains(languages, options_.language)) {
            return Refuse("the profile " + profile_ + " has no language \"" + options_.language + "\"");
        }
        language_ = options_.language;
        return kExitSuccess;
    }
    if (languages.empty()) {
        return Refuse("the profile " + profile_ + " has no language file");
    }
    const std::string& stored = CTolvAppParam::Instance()->strLanguage;
    language_ = Contains(languages, stored) ? stored : languages.front();
    return kExitSuccess;
}

printer::EepromHold ServiceSession::OpenEeprom() {
    IPrinterErrorCallback* callback = nullptr;
    printer::HandOut<ErrorLines>(&callback, platform::kIidIUnknown, err_, target_.portName);
    IEepromRW* eeprom = nullptr;
    const int made = CreateEepromRW(&eeprom, target_, callback);
    if (callback != nullptr) {
        callback->Release();
    }
    if (made == 0 || eeprom == nullptr) {
        err_ << "tolvane: no EEPROM access could be made for " << target_.portName << "\n";
        return printer::EepromHold();
    }
    return printer::EepromHold(eeprom);
}

patterns::IJobMessages& ServiceSession::JobMessages() {
    if (!messages_) {
        messages_ = std::make_unique<ErrorStreamMessages>(err_);
    }
    return *messages_;
}

ProgressBar ServiceSession::Progress(const std::string& label, int steps) {
    return ProgressBar(err_, errIsTerminal_, label, steps);
}

}  // namespace tolvane_cli

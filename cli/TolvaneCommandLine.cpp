#include "TolvaneCommandLine.h"

#include <ostream>

#include "PortProbe.h"
#include "PortSend.h"
#include "ProfileSummary.h"
#include "ServiceDispatch.h"
#include "ServiceHelp.h"
#include "config/CTolvLangText.h"
#include "config/ConfigurationScope.h"
#include "config/MenuTables.h"
#include "config/ProfileListing.h"

namespace tolvane_cli {
namespace {

constexpr int kLastPartsRow = CTolvLangText::kPartsSlots - 1;

int Usage(std::ostream& err) {
    WriteOverview(err);
    return kExitUsage;
}

bool IsCatalogueCommand(const std::string& word) {
    for (const char* command : {"profiles", "ports", "send", "menu", "parts", "sequence"}) {
        if (word == command) {
            return true;
        }
    }
    return false;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& known : names) {
        if (known == name) {
            return true;
        }
    }
    return false;
}

bool KnownProfileAndLanguage(const std::string& profile, const std::string& language, std::ostream& err) {
    if (!Contains(config::ListProfiles(), profile)) {
        err << "tolvane: no model profile named " << profile << "\n";
        return false;
    }
    if (!Contains(config::ListLanguages(profile), language)) {
        err << "tolvane: profile " << profile << " has no language " << language << "\n";
        return false;
    }
    return true;
}

// A row of the parts list: decimal digits only, within the list's slots.
bool ParsePartsRow(const std::string& text, int& row) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    row = config::ItemNumber(text);
    return row <= kLastPartsRow;
}

int Dispatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        return Usage(err);
    }
    const std::string& command = arguments[0];
    if (command == "ports" && arguments.size() == 1) {
        return WritePorts(out, err);
    }
    if (command == "send" && arguments.size() == 3) {
        return SendFile(arguments[1], arguments[2], out, err);
    }
    if (command == "profiles" && arguments.size() == 1) {
        WriteProfiles(out);
        return kExitSuccess;
    }
    const bool listCommand = (command == "menu" || command == "parts") && arguments.size() == 3;
    const bool sequenceCommand = command == "sequence" && arguments.size() > 3;
    if (!listCommand && !sequenceCommand) {
        return Usage(err);
    }
    const std::string& profile = arguments[1];
    const std::string& language = arguments[2];
    if (!KnownProfileAndLanguage(profile, language, err)) {
        return kExitUsage;
    }
    if (command == "menu") {
        WriteMenu(out, profile, language);
        return kExitSuccess;
    }
    if (command == "parts") {
        WriteParts(out, profile, language);
        return kExitSuccess;
    }
    std::vector<int> rows;
    for (std::size_t i = 3; i < arguments.size(); ++i) {
        int row = 0;
        if (!ParsePartsRow(arguments[i], row)) {
            err << "tolvane: a parts row is a number from 0 to " << kLastPartsRow << ", not \""
                << arguments[i] << "\"\n";
            return kExitUsage;
        }
        rows.push_back(row);
    }
    return WriteSequence(out, profile, language, rows) == 0 ? kExitSuccess : kExitNothingSelected;
}

}  // namespace

int RunTolvane(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    // The configuration lives for one run, as in the program.
    const config::ScopedConfiguration configuration;
    if (!arguments.empty() && IsCatalogueCommand(arguments[0])) {
        return Dispatch(arguments, out, err);
    }
    return RunServiceCommandLine(arguments, out, err);
}

}  // namespace tolvane_cli

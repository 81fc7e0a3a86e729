// tolvane: the command line of the service tool. It reads the same profile and language files as the
// program beside it and answers what a technician or maintainer asks of them.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "PortProbe.h"
#include "ProfileSummary.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "config/MenuTables.h"

namespace {

constexpr int kUsageError = 2;

int Usage() {
    std::cerr << "usage: tolvane profiles\n"
                 "       tolvane ports\n"
                 "       tolvane menu PROFILE LANGUAGE\n"
                 "       tolvane parts PROFILE LANGUAGE\n"
                 "       tolvane sequence PROFILE LANGUAGE ROW [ROW ...]   (rows of the parts list)\n";
    return kUsageError;
}

bool KnownProfileAndLanguage(const std::string& profile, const std::string& language) {
    for (const std::string& known : tolvane_cli::ListProfiles()) {
        if (known == profile) {
            for (const std::string& knownLanguage : tolvane_cli::ListLanguages(profile)) {
                if (knownLanguage == language) {
                    return true;
                }
            }
            std::cerr << "tolvane: profile " << profile << " has no language " << language << "\n";
            return false;
        }
    }
    std::cerr << "tolvane: no model profile named " << profile << "\n";
    return false;
}

int Run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return Usage();
    }
    const std::string& command = arguments[0];
    if (command == "ports" && arguments.size() == 1) {
        return tolvane_cli::WritePorts(std::cout, std::cerr);
    }
    if (command == "profiles" && arguments.size() == 1) {
        tolvane_cli::WriteProfiles(std::cout);
        return 0;
    }
    if (arguments.size() < 3 || (command != "menu" && command != "parts" && command != "sequence")) {
        return Usage();
    }
    if (!KnownProfileAndLanguage(arguments[1], arguments[2])) {
        return kUsageError;
    }
    if (command == "menu" && arguments.size() == 3) {
        tolvane_cli::WriteMenu(std::cout, arguments[1], arguments[2]);
        return 0;
    }
    if (command == "parts" && arguments.size() == 3) {
        tolvane_cli::WriteParts(std::cout, arguments[1], arguments[2]);
        return 0;
    }
    if (command == "sequence" && arguments.size() > 3) {
        std::vector<int> rows;
        for (std::size_t i = 3; i < arguments.size(); ++i) {
            const std::string& text = arguments[i];
            if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
                text.size() > 3) {
                std::cerr << "tolvane: a parts row is a number from 0 to 199, not \"" << text << "\"\n";
                return kUsageError;
            }
            rows.push_back(config::ItemNumber(text));
        }
        return tolvane_cli::WriteSequence(std::cout, arguments[1], arguments[2], rows);
    }
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    const int status = Run(std::vector<std::string>(argv + 1, argv + argc));
    config::DeleteConfigurationSingletons();
    return status;
}

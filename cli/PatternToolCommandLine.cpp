#include "PatternToolCommandLine.h"

#include <charconv>
#include <filesystem>
#include <ostream>
#include <set>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "patterns/CPattern.h"
#include "patterns/PatternModelFromConfig.h"
#include "platform/MessageBox.h"
#include "platform/ModulePath.h"
#include "protocol/PrinterCommandCodes.h"

namespace pattern_tool {

namespace {

constexpr const char* kProgram = "tolvane-patterns";

std::string LastCustomerSlot() {
    return std::to_string(CTolvPrnParam::kCustomerSlots - 1);
}

std::string Usage() {
    return "usage: tolvane-patterns --profile NAME [--customer N] --list\n"
           "       tolvane-patterns --profile NAME [--customer N] BLOCK [KEY=VALUE ...]\n"
           "Writes the print data of one block, built for the model profile NAME, to standard output.\n"
           "Numbers are decimal or hexadecimal after 0x. --customer selects the customer slot 0-" +
           LastCustomerSlot() + " (default 0).\n";
}

// Messages of the builders ("Wrong character code", ...) go to standard error instead of a dialog.
class StandardErrorPresenter : public platform::IMessagePresenter {
public:
    explicit StandardErrorPresenter(std::ostream& err) : err_(err), installed_(*this) {}
    platform::MessageAnswer Show(const std::string& text, platform::TextEncoding, platform::MessageIcon,
                                 platform::MessageButtons) override {
        err_ << kProgram << ": " << text << '\n';
        return platform::MessageAnswer::Ok;
    }

private:
    std::ostream& err_;
    platform::ScopedMessagePresenter installed_;
};

// A profile is a folder directly below Parameter; nothing that could lead elsewhere.
bool IsPlainFolderName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

long long Largest(const BlockParameter& parameter, const patterns::PatternModel& model) {
    if (parameter.eepromAddress) {
        return protocol::factory::LargestAddress(model.eepromAddressForm);
    }
    return parameter.maximum;
}

std::string RangeText(const BlockParameter& parameter, const patterns::PatternModel& model) {
    if (parameter.kind == BlockParameter::Kind::Text) {
        return parameter.name + "=TEXT";
    }
    return parameter.name + "=" + std::to_string(parameter.minimum) + ".." +
           std::to_string(Largest(parameter, model));
}

std::string DefaultText(const BlockParameter& parameter, const patterns::PatternModel& model) {
    switch (parameter.defaultKind) {
        case BlockParameter::Default::ModelColumns:
            return std::to_string(model.columns) + ", the profile's width";
        case BlockParameter::Default::Value:
            return parameter.kind == BlockParameter::Kind::Text ? "empty"
                                                                : std::to_string(parameter.defaultNumber);
        case BlockParameter::Default::None:
            break;
    }
    return "";
}

void List(std::ostream& out, const patterns::PatternModel& model) {
    for (const PatternBlock& block : PatternBlocks()) {
        out << block.name;
        for (const BlockParameter& parameter : block.parameters) {
            if (parameter.defaultKind == BlockParameter::Default::None) {
                out << ' ' << RangeText(parameter, model);
            } else {
                out << " [" << RangeText(parameter, model) << ", default " << DefaultText(parameter, model)
                    << ']';
            }
        }
        out << "\n    " << block.summary << '\n';
    }
}

int UsageError(std::ostream& err, const std::string& message) {
    err << kProgram << ": " << message << '\n';
    return kExitUsage;
}

}  // namespace

bool ParseNumber(const std::string& text, long long& value) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') {
        return false;
    }
    unsigned long long magnitude = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (status != std::errc() || end != digits.data() + digits.size()) {
        return false;
    }
    constexpr unsigned long long kLargest = 0x7FFFFFFFFFFFFFFFull;
    if (magnitude > kLargest) {
        return false;
    }
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

bool ParseCommandLine(const std::vector<std::string>& arguments, Request& request, std::string& error) {
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        const bool hasNext = index + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            request.help = true;
        } else if (argument == "--list") {
            request.list = true;
        } else if (argument == "--profile") {
            if (!hasNext) {
                error = "--profile needs a profile name";
                return false;
            }
            request.profile = arguments[++index];
        } else if (argument == "--customer") {
            long long customer = 0;
            if (!hasNext || !ParseNumber(arguments[index + 1], customer) || customer < 0 ||
                customer >= CTolvPrnParam::kCustomerSlots) {
                error = "--customer needs a customer slot from 0 to " + LastCustomerSlot();
                return false;
            }
            request.customer = static_cast<int>(customer);
            ++index;
        } else if (argument.size() > 1 && argument[0] == '-' && argument.find('=') == std::string::npos) {
            error = "unknown option '" + argument + "'";
            return false;
        } else if (request.block.empty()) {
            if (argument.find('=') != std::string::npos) {
                error = "'" + argument + "' comes before the block name";
                return false;
            }
            request.block = argument;
        } else {
            const std::size_t equals = argument.find('=');
            if (equals == std::string::npos || equals == 0) {
                error = "'" + argument + "' is not of the form KEY=VALUE";
                return false;
            }
            request.assignments.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
        }
    }
    return true;
}

bool ResolveArguments(const PatternBlock& block,
                      const std::vector<std::pair<std::string, std::string>>& assignments,
                      const patterns::PatternModel& model, BlockArguments& resolved, std::string& error) {
    std::set<std::string> given;
    for (const auto& [key, text] : assignments) {
        const BlockParameter* parameter = nullptr;
        for (const BlockParameter& candidate : block.parameters) {
            if (candidate.name == key) {
                parameter = &candidate;
            }
        }
        if (parameter == nullptr) {
            error = "block '" + block.name + "' has no parameter '" + key + "'";
            return false;
        }
        if (!given.insert(key).second) {
            error = "parameter '" + key + "' is given twice";
            return false;
        }
        if (parameter->kind == BlockParameter::Kind::Text) {
            resolved.texts[key] = text;
            continue;
        }
        long long number = 0;
        if (!ParseNumber(text, number)) {
            error = "parameter '" + key + "' needs a number, not '" + text + "'";
            return false;
        }
        if (number < parameter->minimum || number > Largest(*parameter, model)) {
            error = "parameter '" + key + "' must lie in " + std::to_string(parameter->minimum) + ".." +
                    std::to_string(Largest(*parameter, model)) + ", not " + text;
            return false;
        }
        resolved.numbers[key] = number;
    }
    for (const BlockParameter& parameter : block.parameters) {
        if (given.count(parameter.name) != 0) {
            continue;
        }
        switch (parameter.defaultKind) {
            case BlockParameter::Default::None:
                error = "block '" + block.name + "' needs " + RangeText(parameter, model);
                return false;
            case BlockParameter::Default::ModelColumns:
                resolved.numbers[parameter.name] = model.columns;
                break;
            case BlockParameter::Default::Value:
                if (parameter.kind == BlockParameter::Kind::Text) {
                    resolved.texts[parameter.name] = parameter.defaultText;
                } else {
                    resolved.numbers[parameter.name] = parameter.defaultNumber;
                }
                break;
        }
    }
    return true;
}

int RunPatternTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    StandardErrorPresenter presenter(err);
    Request request;
    std::string error;
    if (!ParseCommandLine(arguments, request, error)) {
        return UsageError(err, error + "\n" + Usage());
    }
    if (request.help) {
        out << Usage();
        return kExitSuccess;
    }
    if (request.profile.empty()) {
        return UsageError(err, "name a model profile with --profile NAME\n" + Usage());
    }
    if (!IsPlainFolderName(request.profile)) {
        return UsageError(err, "'" + request.profile + "' is not a profile name");
    }

    const config::ScopedConfiguration configuration;
    CTolvAppParam::Instance()->nCustomerIndex = request.customer;
    CTolvPrnParam* printer = CTolvPrnParam::Instance();
    printer->SetProfile(request.profile);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(platform::NativePath(printer->GetPath()), ignored)) {
        return UsageError(err, "there is no profile '" + request.profile + "' (" +
                                   platform::NativePath(printer->GetPath()) + " is missing)");
    }
    patterns::PatternModel model = patterns::PatternModelFromConfig();

    if (request.list) {
        List(out, model);
        return kExitSuccess;
    }
    if (request.block.empty()) {
        return UsageError(err, "name a block; --list shows them");
    }
    const PatternBlock* block = FindBlock(request.block);
    if (block == nullptr) {
        return UsageError(err, "there is no block '" + request.block + "'; --list shows them");
    }
    BlockArguments resolved;
    if (!ResolveArguments(*block, request.assignments, model, resolved, error)) {
        return UsageError(err, error);
    }

    if (block->prepareModel) {
        block->prepareModel(model, resolved);
    }
    CPattern pattern(model);
    if (!block->build(pattern, resolved, error)) {
        err << kProgram << ": " << block->name << ": " << error << '\n';
        return kExitBuildFailed;
    }
    const auto bytes = pattern.Bytes();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        err << kProgram << ": the print data could not be written to standard output\n";
        return kExitBuildFailed;
    }
    return kExitSuccess;
}

}  // namespace pattern_tool

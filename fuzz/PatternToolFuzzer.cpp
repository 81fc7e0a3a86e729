// The command line of tolvane-patterns, on the shipped model profiles. The input is the argument list,
// one argument a line.
//
// Properties: a command line understood holds a customer slot 0-14 and KEY=VALUE pairs with a key;
// a number read writes back as the same text form; a run ends with 0, 1 or 2, writes nothing to
// standard output when it refuses, says why on standard error, and gives the same bytes when run again.
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PatternToolCommandLine.h"

namespace {

std::vector<std::string> Arguments(const std::string& input) {
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start < input.size() && arguments.size() < 16) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        arguments.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

void CheckNumber(const std::string& text) {
    long long value = 0;
    if (!pattern_tool::ParseNumber(text, value)) {
        return;
    }
    long long again = 0;
    FUZZ_CHECK(pattern_tool::ParseNumber(std::to_string(value), again) && again == value,
               fuzz::Printable(text) + " reads as " + std::to_string(value) + ", which does not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> arguments =
        Arguments(std::string(reinterpret_cast<const char*>(data), size));
    std::string shown;
    for (const std::string& argument : arguments) {
        shown += "'" + fuzz::Printable(argument) + "' ";
        CheckNumber(argument);
    }

    pattern_tool::Request request;
    std::string error;
    if (pattern_tool::ParseCommandLine(arguments, request, error)) {
        FUZZ_CHECK(request.customer >= 0 && request.customer <= 14, "customer slot of " + shown);
        FUZZ_CHECK(request.block.find('=') == std::string::npos, "block name with '=' in " + shown);
        for (const auto& [key, value] : request.assignments) {
            FUZZ_CHECK(!key.empty() && key.find('=') == std::string::npos, "assignment key of " + shown);
        }
    } else {
        FUZZ_CHECK(!error.empty(), "a refusal without a reason: " + shown);
    }

    std::ostringstream out;
    std::ostringstream err;
    const int status = pattern_tool::RunPatternTool(arguments, out, err);
    FUZZ_CHECK(status == pattern_tool::kExitSuccess || status == pattern_tool::kExitBuildFailed ||
                   status == pattern_tool::kExitUsage,
               "exit status " + std::to_string(status) + " of " + shown);
    if (status == pattern_tool::kExitUsage) {
        FUZZ_CHECK(out.str().empty(), "a refused command line writes print data: " + shown);
    }
    if (status != pattern_tool::kExitSuccess) {
        FUZZ_CHECK(!err.str().empty(), "a failure without a message: " + shown);
        return 0;
    }
    std::ostringstream outAgain;
    std::ostringstream errAgain;
    FUZZ_CHECK(
        pattern_tool::RunPatternTool(arguments, outAgain, errAgain) == status && outAgain.str() == out.str(),
        "a second run gives other bytes: " + shown);
    return 0;
}

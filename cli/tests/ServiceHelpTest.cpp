// The manual page: roff that man renders as written, whatever the help texts hold, with every command
// of the tables in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "ServiceDispatch.h"
#include "ServiceHelp.h"
#include "TolvaneCommandLine.h"

namespace {

using tolvane_cli::RoffText;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ManPage(const std::vector<const tolvane_cli::ServiceCommand*>& commands) {
    std::ostringstream out;
    tolvane_cli::WriteManPage(out, commands);
    return out.str();
}

int RunNoCommand(tolvane_cli::ServiceSession&, const tolvane_cli::CommandArguments&) {
    return tolvane_cli::kExitSuccess;
}

TEST(RoffText, GuardsRequestsAndEscapesWhatRoffReads) {
    EXPECT_EQ(RoffText(".so /etc/passwd"), "\\&.so /etc/passwd");
    EXPECT_EQ(RoffText("'br"), "\\&'br");
    EXPECT_EQ(RoffText("a.b 'c'"), "a.b 'c'");
    EXPECT_EQ(RoffText("--dry-run"), "\\-\\-dry\\-run");
    EXPECT_EQ(RoffText("Parameter\\VK-572D\\fB"), "Parameter\\eVK\\-572D\\efB");
    EXPECT_EQ(RoffText(""), "");
    // Tabs stay; other control characters would be roff's business, so they go.
    EXPECT_EQ(RoffText("a\tb\rc\x01"), "a\tbc");
}

TEST(RoffText, WritesCharactersBeyondAsciiByCodePoint) {
    EXPECT_EQ(RoffText("caf\xC3\xA9"), "caf\\[u00E9]");
    EXPECT_EQ(RoffText("\xE2\x80\x93"), "\\[u2013]");
    EXPECT_EQ(RoffText("\xF0\x9F\x96\xA8!"), "\\[u1F5A8]!");
    // Malformed: a lone continuation byte, a cut sequence, an overlong slash, a surrogate.
    EXPECT_EQ(RoffText("\x80x"), "\\[uFFFD]x");
    EXPECT_EQ(RoffText("\xE2\x80"), "\\[uFFFD]\\[uFFFD]");
    EXPECT_EQ(RoffText("\xC0\xAF"), "\\[uFFFD]\\[uFFFD]");
    EXPECT_EQ(RoffText("\xED\xA0\x80"), "\\[uFFFD]\\[uFFFD]\\[uFFFD]");
}

TEST(ManPage, HelpTextsCannotIssueRequestsAndKeepTheirLayout) {
    const tolvane_cli::ServiceCommand hostile{
        "odd thing", "[--from A] C:\\DIR", "summary",
        ".ft B\n'sp 9\nplain text\\n with a backslash\n  col-one   col-two  \n\n"
        "last line without newline",
        RunNoCommand};
    const std::vector<std::string> lines = SplitLines(ManPage({&hostile}));
    const auto at =
        std::find(lines.begin(), lines.end(), "\\fBtolvane odd thing\\fR [\\-\\-from A] C:\\eDIR");
    ASSERT_NE(at, lines.end());
    ASSERT_EQ(*(at - 1), ".TP");
    const std::vector<std::string> body(at + 1, at + 8);
    EXPECT_EQ(body, (std::vector<std::string>{"\\&.ft B", "\\&'sp 9", "plain text\\en with a backslash",
                                              "  col\\-one   col\\-two", ".br", ".sp",
                                              "last line without newline"}));
}

TEST(ManPage, ListsEveryCommandInPlainRoff) {
    const std::vector<const tolvane_cli::ServiceCommand*> commands = tolvane_cli::AllServiceCommands();
    ASSERT_FALSE(commands.empty());
    const std::string page = ManPage(commands);
    const std::vector<std::string> lines = SplitLines(page);

    for (const tolvane_cli::ServiceCommand* command : commands) {
        const std::string tag = "\\fB" + RoffText(std::string("tolvane ") + command->name) + "\\fR";
        const auto at = std::find_if(lines.begin(), lines.end(),
                                     [&](const std::string& line) { return line.starts_with(tag); });
        ASSERT_NE(at, lines.end()) << command->name;
        EXPECT_EQ(*(at - 1), ".TP") << command->name;
        // The whole help follows, line for line.
        for (std::string line : SplitLines(command->help)) {
            line.erase(line.find_last_not_of(' ') + 1);
            if (!line.empty()) {
                EXPECT_NE(std::find(at + 1, lines.end(), RoffText(line)), lines.end())
                    << command->name << ": " << line;
            }
        }
    }

    // Only the page's own requests start a line, and a comment is the only place left unescaped.
    const std::set<std::string> requests = {".TH", ".SH", ".TP", ".PP", ".RS", ".RE",
                                            ".nf", ".fi", ".sp", ".br", ".nh", ".ad"};
    std::vector<std::string> sections;
    for (const std::string& line : lines) {
        ASSERT_FALSE(line.starts_with("'")) << line;
        if (line.starts_with(".\\\"")) {
            continue;
        }
        if (line.starts_with(".")) {
            EXPECT_TRUE(requests.contains(line.substr(0, 3))) << line;
            if (line.starts_with(".SH ")) {
                sections.push_back(line.substr(4));
            }
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '-') {
                ASSERT_TRUE(i > 0 && line[i - 1] == '\\') << line;
            }
            ASSERT_LT(static_cast<unsigned char>(line[i]), 0x80) << line;
        }
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "OPTIONS",
                                                  "\"EXIT STATUS\"", "ENVIRONMENT", "FILES", "EXAMPLES"}));
    // The options become tagged paragraphs, names escaped.
    EXPECT_NE(page.find(".TP\n\\fB\\-\\-port\\fR \\fIPORT\\fR\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fB\\-\\-dry\\-run\\fR\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fB4\\fR\n"), std::string::npos);
    EXPECT_NE(page.find("\\fBTOLVANE_DEVICE_DIR\\fR"), std::string::npos);
}

TEST(ManPage, IsReachedByAHiddenHelpWord) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(tolvane_cli::RunTolvane({"help", "--man"}, out, err), tolvane_cli::kExitSuccess);
    EXPECT_EQ(out.str(), ManPage(tolvane_cli::AllServiceCommands()));
    EXPECT_EQ(err.str(), "");

    std::ostringstream overview;
    EXPECT_EQ(tolvane_cli::RunTolvane({"--help"}, overview, err), tolvane_cli::kExitSuccess);
    EXPECT_EQ(overview.str().find("--man"), std::string::npos);
    // Only the exact words: anything more is an ordinary command line.
    std::ostringstream more;
    EXPECT_EQ(tolvane_cli::RunTolvane({"help", "--man", "status"}, more, err), tolvane_cli::kExitUsage);
    EXPECT_EQ(more.str(), "");
}

}  // namespace

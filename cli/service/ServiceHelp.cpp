#include "ServiceHelp.h"

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ServiceDispatch.h"
#include "config/CTolvLangText.h"

namespace tolvane_cli {

namespace {

constexpr int kLastPartsRow = CTolvLangText::kPartsSlots - 1;

}  // namespace

const std::string kCatalogueSynopsis =
    "usage: tolvane profiles\n"
    "       tolvane ports\n"
    "       tolvane send PORT FILE   (the file's bytes, as they are, to LPT1-LPT3 or USB1-USB127)\n"
    "       tolvane menu PROFILE LANGUAGE\n"
    "       tolvane parts PROFILE LANGUAGE\n"
    "       tolvane sequence PROFILE LANGUAGE ROW [ROW ...]   (rows of the parts list, 0 to " +
    std::to_string(kLastPartsRow) +
    ")\n"
    "       tolvane [OPTIONS] COMMAND [ARGUMENTS]   (a command on one printer, below)\n";

const char* const kCommonOptionsHelp =
    "  --port PORT        USB1-USB10, LPT1-LPT3, /dev/usb/lpN or /dev/parportN;\n"
    "                     default: the first port where a printer answers\n"
    "  --profile NAME     the model profile (tolvane profiles); default:\n"
    "                     TOLVANE.INI's, else the one named like the printer's model\n"
    "  --customer NAME|N  a customer title or slot number of the profile; default:\n"
    "                     the customer of TOLVANE.INI's printer ID, else the first\n"
    "  --language NAME    default: TOLVANE.INI's when the profile has it, else the\n"
    "                     profile's first\n"
    "  --json             reading commands print one JSON object on standard output\n"
    "  --watch            status and sensors read again every second until Ctrl+C\n"
    "  --dry-run          changing commands show each byte as\n"
    "                     \"ADDRESS: OLD -> NEW\" and write nothing\n"
    "  --backup-dir DIR   where the backup taken before every change goes; default:\n"
    "                     the per-user data folder's tolvane/backups\n"
    "  --help             this text, or a command's own with the command\n";

const char* const kExitStatusHelp =
    "  0  done\n"
    "  1  the printer refused or failed a step\n"
    "  2  a bad command line or input: nothing was sent\n"
    "  3  no printer answered\n"
    "  4  the printer does not hold what was written (each address is named)\n";

void WriteOverview(std::ostream& out) {
    out << kCatalogueSynopsis << "\nCommands on one printer:\n";
    for (const ServiceCommand* command : AllServiceCommands()) {
        std::string synopsis = std::string(command->name) + " " + command->arguments;
        synopsis.resize(synopsis.size() < 40 ? 40 : synopsis.size() + 1, ' ');
        out << "  " << synopsis << command->summary << "\n";
    }
    out << "\nOptions:\n"
        << kCommonOptionsHelp << "\nExit status:\n"
        << kExitStatusHelp
        << "\nEvery command that changes the EEPROM first saves all of it as a backup (its path\n"
        << "is printed), then reads every written byte back. tolvane COMMAND --help tells more.\n";
}

void WriteCommandHelp(std::ostream& out, const ServiceCommand& command) {
    out << "usage: tolvane [OPTIONS] " << command.name << (command.arguments[0] != '\0' ? " " : "")
        << command.arguments << "\n\n"
        << command.help << (std::string(command.help).ends_with("\n") ? "" : "\n") << "\nOptions:\n"
        << kCommonOptionsHelp << "\nExit status:\n"
        << kExitStatusHelp;
}

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point of the UTF-8 sequence at text[*at], advancing *at past it; U+FFFD and one byte
// for a malformed, overlong or surrogate sequence.
char32_t DecodeUtf8(std::string_view text, std::size_t* at) {
    const auto lead = static_cast<unsigned char>(text[*at]);
    std::size_t length = 0;
    char32_t point = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07u;
        least = 0x10000;
    }
    if (length == 0 || *at + length > text.size()) {
        ++*at;
        return kReplacementCharacter;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[*at + i]);
        if ((next & 0xC0u) != 0x80u) {
            ++*at;
            return kReplacementCharacter;
        }
        point = (point << 6) | (next & 0x3Fu);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++*at;
        return kReplacementCharacter;
    }
    *at += length;
    return point;
}

std::string_view TrimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t");
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view TrimLeft(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The lines of a help text, trailing blanks removed; a final newline ends the last line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(TrimRight(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::string Bold(std::string_view text) {
    return "\\fB" + RoffText(text) + "\\fR";
}

std::string Italic(std::string_view text) {
    return "\\fI" + RoffText(text) + "\\fR";
}

// A help text as a filled paragraph that keeps the help's layout where it matters: an indented line
// (a table row, an example) stands on a line of its own, a blank line leaves a gap.
void WriteHelpParagraphs(std::ostream& out, std::string_view text) {
    for (const std::string_view line : Lines(text)) {
        if (line.empty()) {
            out << ".sp\n";
        } else if (line[0] == ' ' || line[0] == '\t') {
            // roff breaks before a line that starts with a blank and keeps its indentation.
            out << RoffText(line) << "\n.br\n";
        } else {
            out << RoffText(line) << "\n";
        }
    }
}

// A list laid out as "  TAG  text" with deeper indented lines continuing the text (the options, the
// exit statuses) as tagged paragraphs: the tag's first word bold, the rest of it (the option's
// value) italic.
void WriteTaggedList(std::ostream& out, std::string_view text) {
    for (const std::string_view line : Lines(text)) {
        const std::string_view content = TrimLeft(line);
        if (content.empty()) {
            continue;
        }
        if (line.size() - content.size() > 2) {
            out << RoffText(content) << "\n";
            continue;
        }
        const std::size_t gap = content.find("  ");
        const std::string_view tag = content.substr(0, gap);
        const std::size_t space = tag.find(' ');
        out << ".TP\n" << Bold(tag.substr(0, space));
        if (space != std::string_view::npos) {
            out << " " << Italic(tag.substr(space + 1));
        }
        out << "\n";
        if (gap != std::string_view::npos) {
            out << RoffText(TrimLeft(content.substr(gap))) << "\n";
        }
    }
}

// The usage lines without "usage:", the program's name bold, one per line.
void WriteSynopsis(std::ostream& out) {
    constexpr std::string_view kProgram = "tolvane";
    for (std::string_view line : Lines(kCatalogueSynopsis)) {
        if (line.starts_with("usage:")) {
            line.remove_prefix(6);
        }
        line = TrimLeft(line);
        if (line.starts_with(kProgram)) {
            line.remove_prefix(kProgram.size());
            out << Bold(kProgram) << RoffText(line) << "\n.br\n";
        } else if (!line.empty()) {
            out << RoffText(line) << "\n.br\n";
        }
    }
}

void WriteTagged(std::ostream& out, const std::string& tag, std::string_view text) {
    out << ".TP\n" << tag << "\n";
    WriteHelpParagraphs(out, text);
}

// Commands shown as typed, indented and unfilled.
void WriteExample(std::ostream& out, std::string_view what, std::string_view commands) {
    out << ".PP\n";
    WriteHelpParagraphs(out, what);
    out << ".RS 4\n.nf\n";
    for (const std::string_view line : Lines(commands)) {
        out << RoffText(line) << "\n";
    }
    out << ".fi\n.RE\n";
}

}  // namespace

std::string RoffText(std::string_view line) {
    std::string roff;
    if (!line.empty() && (line[0] == '.' || line[0] == '\'')) {
        roff += "\\&";
    }
    for (std::size_t at = 0; at < line.size();) {
        const char c = line[at];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const char32_t point = DecodeUtf8(line, &at);
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\[u%04X]", static_cast<unsigned>(point));
            roff += escape;
            continue;
        }
        ++at;
        if (c == '\\') {
            roff += "\\e";
        } else if (c == '-') {
            roff += "\\-";
        } else if (c == '\t' || (c >= ' ' && c != '\x7F')) {
            roff += c;
        }
    }
    return roff;
}

void WriteManPage(std::ostream& out) {
    WriteManPage(out, AllServiceCommands());
}

void WriteManPage(std::ostream& out, const std::vector<const ServiceCommand*>& commands) {
    out << ".\\\" tolvane(1), written by `tolvane help --man` from the texts of tolvane --help.\n"
        << ".TH TOLVANE 1 \"\" \"Tolvane\" \"Tolvane commands\"\n"
        << ".nh\n.ad l\n"
        << ".SH NAME\ntolvane \\- service and adjustment commands for 24\\-pin dot\\-matrix printers\n"
        << ".SH SYNOPSIS\n";
    WriteSynopsis(out);

    out << ".SH DESCRIPTION\n";
    WriteHelpParagraphs(
        out,
        "tolvane is the command line of the Tolvane service tool. Its printer commands do the\n"
        "service items of the program on one printer, with the program's own printer code: read\n"
        "the printer's information, status, sensors, counters and fatal error history, dump, save,\n"
        "write and restore its EEPROM, store adjustments, print tests, write the serial number and\n"
        "the initial setting, send firmware. They read the model profiles and language files of\n"
        "the program, in the Parameter folder beside it.\n");
    out << ".PP\n";
    WriteHelpParagraphs(
        out,
        "Every command that changes the EEPROM first saves all of it as a backup in the backup\n"
        "folder (the path is printed on standard error), then writes, then reads every written\n"
        "byte back and exits with status 4, naming each address, when the printer does not hold\n"
        "what was written. With --dry-run it only shows each byte it would write.\n");
    out << ".PP\n";
    WriteHelpParagraphs(
        out,
        "Results go to standard output, messages and progress bars to standard error. With\n"
        "--json a reading command prints one JSON object on standard output instead; each\n"
        "command's help below lists its fields. Arguments are checked before anything is sent to\n"
        "the printer.\n");
    out << ".PP\nThe commands on the profiles and the ports, which need no printer:\n";
    WriteTagged(out, Bold("profiles"),
                "one block per model profile: columns, EEPROM addressing, customers with their\n"
                "device IDs, languages.\n");
    WriteTagged(out, Bold("ports"), "every port where a printer answers, with the model it reports.\n");
    WriteTagged(out, Bold("send") + " " + Italic("PORT FILE"),
                "the file's bytes, as they are, to the printer at PORT (LPT1-LPT3, USB1-USB127).\n");
    WriteTagged(out, Bold("menu") + " " + Italic("PROFILE LANGUAGE"),
                "the item menu of the profile: item number, identifier, name.\n");
    WriteTagged(out, Bold("parts") + " " + Italic("PROFILE LANGUAGE"),
                "the parts list with its row numbers and the items each part requires.\n");
    WriteTagged(out, Bold("sequence") + " " + Italic("PROFILE LANGUAGE ROW") + " ...",
                "the items a sequential run does for the parts of those rows (exit 1 when they\n"
                "select none).\n");

    out << ".SH COMMANDS\n";
    WriteHelpParagraphs(out,
                        "The commands on one printer. tolvane COMMAND --help prints a command's own "
                        "help.\n");
    for (const ServiceCommand* command : commands) {
        std::string synopsis = Bold(std::string("tolvane ") + command->name);
        if (command->arguments[0] != '\0') {
            // Appended piece by piece: GCC 12 at -O3 warns falsely on a temporary's insert here.
            synopsis += ' ';
            synopsis += RoffText(command->arguments);
        }
        WriteTagged(out, synopsis, command->help);
    }

    out << ".SH OPTIONS\n";
    WriteHelpParagraphs(out, "The options may stand anywhere after the program's name.\n");
    WriteTaggedList(out, kCommonOptionsHelp);

    out << ".SH \"EXIT STATUS\"\n";
    WriteTaggedList(out, kExitStatusHelp);

    out << ".SH ENVIRONMENT\n";
    WriteTagged(out, Bold("TOLVANE_VPRINTER") + "=" + Italic("HOST:PORT"),
                "the printers are those of the virtual printer (vprinter) listening there,\n"
                "not the ports of this computer.\n");
    WriteTagged(out, Bold("TOLVANE_DEVICE_DIR") + "=" + Italic("DIR"),
                "the folder that stands for /dev/ where the ports are opened: DIR/usb/lp0 is\n"
                "USB1, DIR/parport1 is LPT2.\n");
    WriteTagged(out, Bold("XDG_DATA_HOME"),
                "the per-user data folder the backup folder lies in; ~/.local/share when unset.\n");

    out << ".SH FILES\n";
    WriteTagged(out, Bold("TOLVANE.INI"),
                "the settings of the program, in its folder (/usr/lib/tolvane when installed\n"
                "from the package): the profile, the printer ID and the language chosen last,\n"
                "the defaults of --profile, --customer and --language.\n");
    WriteTagged(out, Bold("Parameter/"),
                "beside the program: a folder per model profile, with its Parameter.ini and its\n"
                "language files (LANGUAGE.mnu, LANGUAGEText.dat).\n");
    WriteTagged(out, Bold("~/.local/share/tolvane/backups/"),
                "the backup folder ($XDG_DATA_HOME/tolvane/backups/ when that is set; --backup-dir\n"
                "names another): PRINTER-YYYYMMDD-HHMMSS.eep,\n"
                "PRINTER being the serial number the printer holds, else the profile's name.\n"
                "eeprom undo restores the newest one of the printer.\n");

    out << ".SH EXAMPLES\n";
    WriteExample(out, "The printers that answer, then the first one's status for a script:\n",
                 "tolvane ports\ntolvane --port USB1 status --json\n");
    WriteExample(out, "Keep the whole EEPROM in a file, then look at part of it:\n",
                 "tolvane --port USB1 eeprom save before.eep\n"
                 "tolvane --port USB1 eeprom dump --from 0xA0 --to 0xAF\n");
    WriteExample(out, "See what a write would change, make it, and take it back:\n",
                 "tolvane --port USB1 --dry-run eeprom write 0x23 0x5A\n"
                 "tolvane --port USB1 eeprom write 0x23 0x5A\n"
                 "tolvane --port USB1 eeprom undo\n");
    WriteExample(out, "Rehearse on a virtual printer:\n",
                 "vprinter --listen 127.0.0.1:9555 --printer USB1=VK-572D &\n"
                 "TOLVANE_VPRINTER=127.0.0.1:9555 tolvane --port USB1 bid read\n");
    WriteExample(out, "This page, from the program itself:\n", "tolvane help --man | man -l -\n");
}

}  // namespace tolvane_cli

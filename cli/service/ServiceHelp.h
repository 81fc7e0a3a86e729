// tolvane's help: the overview (`tolvane --help`), one command's help (`tolvane eeprom dump --help`)
// and the manual page, all from the same texts: the command tables and the shared parts below.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "ServiceCommand.h"

namespace tolvane_cli {

// The usage lines of the commands on the profile files and ports (profiles, ports, send, menu,
// parts, sequence) and of the printer commands as a whole.
extern const std::string kCatalogueSynopsis;
// The options every printer command takes, and the exit statuses.
extern const char* const kCommonOptionsHelp;
extern const char* const kExitStatusHelp;

// The usage lines, every printer command with its summary, the options and the exit statuses.
void WriteOverview(std::ostream& out);
void WriteCommandHelp(std::ostream& out, const ServiceCommand& command);

// The manual page tolvane(1) in man(7) roff, written by `tolvane help --man`: the usage lines, every
// printer command with its help, the options, the exit statuses, the environment, the files and
// examples. The second form takes the commands to list (the first lists them all).
void WriteManPage(std::ostream& out);
void WriteManPage(std::ostream& out, const std::vector<const ServiceCommand*>& commands);

// One line of plain text as roff input: a backslash as \e, every hyphen as \- (so that options and
// minus signs stay ASCII hyphens when copied from the page), a character beyond ASCII by its code
// point (\[u00E9]; a malformed UTF-8 byte as U+FFFD), other control characters but the tab dropped,
// and a dot or apostrophe at the start guarded with \& so it is not taken for a request.
std::string RoffText(std::string_view line);

}  // namespace tolvane_cli

// What the `tolvane` command line tells about the installed model profiles and their language files,
// read through the same configuration classes the program uses.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tolvane_cli {

// One block per profile: columns, EEPROM addressing, customers with their device IDs, languages.
void WriteProfiles(std::ostream& out);

// The item menu of one profile and language, one line per row: item number, identifier, name.
void WriteMenu(std::ostream& out, const std::string& profile, const std::string& language);

// The run of the sequential mode for the ticked parts (row numbers of the parts list); 1 when the
// technician would be told to select parts.
int WriteSequence(std::ostream& out, const std::string& profile, const std::string& language,
                  const std::vector<int>& tickedRows);

// The parts list with its row numbers and the items each part requires.
void WriteParts(std::ostream& out, const std::string& profile, const std::string& language);

}  // namespace tolvane_cli

// Where the configuration files lie below the executable's folder. Folders are separated by '\' as on
// the technicians' PCs; the file functions accept it on every platform.
#pragma once

#include <string>

namespace config {

// executable folder + "TOLVANE.INI"
std::string SettingsFilePath();

// executable folder + "Parameter\" + profile + "\"
std::string ProfileFolder(const std::string& profile);

}  // namespace config

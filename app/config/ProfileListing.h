// The model profiles and their languages as the top dialog lists them: the folders below Parameter
// beside the executable, and the menu files in a profile's folder.
#pragma once

#include <string>
#include <vector>

namespace config {

// Every profile folder, in the order the file system returns it, each name cut before its last '.'
// (unless that '.' is the first character); names that begin with '.' are left out.
std::vector<std::string> ListProfiles();

// The languages of a profile: its .MNU files (any case), each name cut before its last '.'.
std::vector<std::string> ListLanguages(const std::string& profile);

}  // namespace config

#include "config/ProfileListing.h"

#include "config/ProfilePaths.h"
#include "config/StringTable.h"
#include "platform/FileSearch.h"
#include "platform/ModulePath.h"

namespace config {
namespace {

// The name before its last '.', unless that '.' is the first character.
std::string WithoutExtension(const std::string& name) {
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

std::vector<std::string> ListProfiles() {
    std::vector<std::string> profiles;
    const std::string pattern = platform::ExecutableFolder() + kStrParameterFolder + "\\*";
    for (const platform::FoundFile& entry : platform::FindFiles(pattern)) {
        if (entry.isDirectory && !entry.name.empty() && entry.name[0] != '.') {
            profiles.push_back(WithoutExtension(entry.name));
        }
    }
    return profiles;
}

std::vector<std::string> ListLanguages(const std::string& profile) {
    std::vector<std::string> languages;
    for (const platform::FoundFile& entry : platform::FindFiles(ProfileFolder(profile) + "*.MNU")) {
        if (!entry.isDirectory) {
            languages.push_back(WithoutExtension(entry.name));
        }
    }
    return languages;
}

}  // namespace config

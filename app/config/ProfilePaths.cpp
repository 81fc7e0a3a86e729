#include "config/ProfilePaths.h"

#include "config/StringTable.h"
#include "platform/ModulePath.h"

namespace config {

std::string SettingsFilePath() {
    return platform::ExecutableFolder() + kStrIniFileName;
}

std::string ProfileFolder(const std::string& profile) {
    return platform::ExecutableFolder() + kStrParameterFolder + "\\" + profile + "\\";
}

}  // namespace config

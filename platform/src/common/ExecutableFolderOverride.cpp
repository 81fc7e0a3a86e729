#include "ExecutableFolderOverride.h"

#include <mutex>

namespace platform::detail {
namespace {

std::mutex& OverrideMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& OverrideFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string ExecutableFolderOverride() {
    std::lock_guard<std::mutex> lock(OverrideMutex());
    return OverrideFolder();
}

void SetExecutableFolderOverride(const std::string& folder, char separator) {
    std::lock_guard<std::mutex> lock(OverrideMutex());
    OverrideFolder() = folder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
        OverrideFolder().push_back(separator);
    }
}

}  // namespace platform::detail

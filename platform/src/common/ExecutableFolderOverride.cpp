#include "ExecutableFolderOverride.h"

#include <mutex>

#include "platform/ModulePath.h"

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

std::string RunningExecutableFolder() {
    static const std::string running = FolderOfRunningExecutable();
    return running;
}

}  // namespace platform::detail

namespace platform {

std::string ExecutableFolder() {
    std::string folder = detail::ExecutableFolderOverride();
    if (!folder.empty()) {
        return folder;
    }
    return detail::RunningExecutableFolder();
}

void OverrideExecutableFolder(const std::string& folder) {
    detail::SetExecutableFolderOverride(folder, detail::kPathSeparator);
}

}  // namespace platform

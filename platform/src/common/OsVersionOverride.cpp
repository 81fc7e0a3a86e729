#include <mutex>

#include "platform/OsVersion.h"

namespace platform {
namespace {

std::mutex overrideLock;
bool overridden = false;
OsVersionInfo overriddenInfo;

}  // namespace

void OverrideOsVersion(const OsVersionInfo* info) {
    std::lock_guard<std::mutex> guard(overrideLock);
    overridden = info != nullptr;
    overriddenInfo = info != nullptr ? *info : OsVersionInfo{};
}

namespace detail {

bool OverriddenOsVersion(OsVersionInfo* info) {
    std::lock_guard<std::mutex> guard(overrideLock);
    if (overridden) {
        *info = overriddenInfo;
    }
    return overridden;
}

}  // namespace detail
}  // namespace platform

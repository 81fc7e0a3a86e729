// The real Win32 private-profile functions; paths go to them unchanged.
#include <windows.h>

#include "platform/PrivateProfile.h"

namespace platform {

std::uint32_t ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                std::uint32_t size, const char* path) {
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path);
}

std::uint32_t ProfileReadInt(const char* section, const char* key, int defaultValue, const char* path) {
    return GetPrivateProfileIntA(section, key, defaultValue, path);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path) {
    return WritePrivateProfileStringA(section, key, value, path) != FALSE;
}

}  // namespace platform

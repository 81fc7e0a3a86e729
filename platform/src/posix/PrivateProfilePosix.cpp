// Linux has no private-profile functions; our own implementation stands in for them.
#include "platform/PortableProfile.h"
#include "platform/PrivateProfile.h"

namespace platform {

std::uint32_t ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                std::uint32_t size, const char* path) {
    return portable::ProfileReadString(section, key, defaultValue, buffer, size, path);
}

std::uint32_t ProfileReadInt(const char* section, const char* key, int defaultValue, const char* path) {
    return portable::ProfileReadInt(section, key, defaultValue, path);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* path) {
    return portable::ProfileWriteString(section, key, value, path);
}

}  // namespace platform

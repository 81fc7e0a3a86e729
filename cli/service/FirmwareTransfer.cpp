#include "FirmwareTransfer.h"

#include <fstream>

#include "platform/ModulePath.h"

namespace tolvane_cli {

std::optional<std::uintmax_t> SendableFirmwareSize(const std::string& path, std::string* reason) {
    std::ifstream file(platform::NativePath(path), std::ios::binary | std::ios::ate);
    if (!file) {
        *reason = "cannot be opened for reading";
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    file.seekg(0);
    // A folder opens on some systems but gives no byte.
    if (size <= 0 || file.peek() == std::ifstream::traits_type::eof()) {
        *reason = size == 0 ? "is empty" : "cannot be read";
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(size) > kLargestFirmwareFile) {
        *reason = "has " + std::to_string(size) + " bytes; a firmware download has at most " +
                  std::to_string(kLargestFirmwareFile);
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(size);
}

}  // namespace tolvane_cli

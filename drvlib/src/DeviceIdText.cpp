#include "DeviceIdText.h"

#include <cstring>

namespace drvlib {

std::string DeviceIdFromBuffer(const std::uint8_t* buffer, std::size_t received) {
    const void* nul = std::memchr(buffer, 0, received);
    const std::size_t length =
        nul == nullptr ? received : static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - buffer);
    return std::string(reinterpret_cast<const char*>(buffer), length);
}

std::string DeviceIdValue(std::string_view deviceId, std::string_view key) {
    const std::size_t at = deviceId.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t from = at + key.size();
    const std::size_t end = deviceId.find(';', from);
    return std::string(
        deviceId.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
}

std::string ModelText(std::string_view deviceId) {
    return DeviceIdValue(deviceId, "MFG:") + " " + DeviceIdValue(deviceId, "MDL:");
}

}  // namespace drvlib

#include "DeviceIdText.h"

#include <cstring>

namespace wirex {

std::string_view DeviceIdText(const std::uint8_t* reply, std::uint32_t received, bool lengthPrefixed) {
    if (reply == nullptr) {
        return {};
    }
    std::uint32_t start = lengthPrefixed ? 2 : 0;
    if (received <= start) {
        return {};
    }
    const char* text = reinterpret_cast<const char*>(reply + start);
    const void* nul = std::memchr(text, '\0', received - start);
    std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : received - start;
    return {text, length};
}

bool AnnouncesD4(std::string_view text) {
    return text.find("D4") != std::string_view::npos;
}

std::optional<std::string_view> ModelName(std::string_view text, std::size_t maxLength) {
    std::size_t key = text.find("MDL:");
    if (key == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t start = key + 4;
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos || end == start || end - start > maxLength) {
        return std::nullopt;
    }
    return text.substr(start, end - start);
}

}  // namespace wirex

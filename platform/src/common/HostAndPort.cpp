#include <charconv>

#include "platform/LoopbackSocket.h"

namespace platform {

bool IsLoopbackAddress(const std::string& host) {
    if (host == "::1") {
        return true;
    }
    // Four decimal parts of 0-255, the first 127.
    int parts[4] = {};
    const char* at = host.data();
    const char* end = host.data() + host.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || next == at || next - at > 3 || parts[i] < 0 || parts[i] > 255) {
            return false;
        }
        at = next;
        if (i < 3) {
            if (at == end || *at != '.') {
                return false;
            }
            ++at;
        }
    }
    return at == end && parts[0] == 127;
}

bool ParseHostAndPort(const std::string& text, std::string* host, std::uint16_t* port) {
    std::size_t colon = std::string::npos;
    if (!text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') {
            return false;
        }
        *host = text.substr(1, close - 1);
        colon = close + 1;
    } else {
        colon = text.rfind(':');
        if (colon == std::string::npos || text.find(':') != colon) {
            return false;
        }
        *host = text.substr(0, colon);
    }
    const std::string digits = text.substr(colon + 1);
    unsigned value = 0;
    const auto [next, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || next != digits.data() + digits.size() || value > 65535 ||
        host->empty()) {
        return false;
    }
    *port = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace platform

// A text as the scripted technician's scenario quotes it.
#pragma once

#include <string>

namespace pagetest {

inline std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '"' || c == '\\') {
            quoted += std::string("\\") + c;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace pagetest

#include "ConfigTest.h"

#include <sstream>

std::vector<std::string> KeyLines(const std::string& iniText) {
    std::vector<std::string> lines;
    std::istringstream in(iniText);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            section = line;
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            const auto value = line.find_first_not_of(" \t", equals + 1);
            lines.push_back(section + line.substr(0, equals + 1) +
                            (value == std::string::npos ? "" : line.substr(value)));
        }
    }
    return lines;
}

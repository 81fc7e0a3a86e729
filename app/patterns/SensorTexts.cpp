#include "patterns/SensorTexts.h"

#include <cstdio>

namespace patterns {

namespace {

// The check and the report align their colons with different tab counts, and the report spells the
// platen gap's clear state its own way; both are what the technician has always seen.
struct SensorLine {
    const char* checkName;
    const char* reportName;
    const char* whenSet;
    const char* whenClear;
    const char* reportWhenClear;
};

constexpr std::array<SensorLine, kSensorCount> kLines = {{
    {"  CR home position\t: ", "  CR home position\t: ", "Inside", "Outside", "Outside"},
    {"  Front paper end\t: ", "  Front paper end\t: ", "Paper on", "Paper out", "Paper out"},
    {"  Rear paper end\t: ", "  Rear paper end\t: ", "Paper on", "Paper out", "Paper out"},
    {"  Top paper end\t\t: ", "  Top paper end\t: ", "Paper on", "Paper out", "Paper out"},
    {"  Release lever\t\t: ", "  Release lever\t: ", "Friction", "Tractor", "Tractor"},
    {"  Platen gap\t\t: ", "  Platen gap\t: ", "Copy mode", "Normal mode", "Nomal mode"},
}};

bool BitSet(std::uint8_t sensors, int sensor) {
    return (sensors & (1u << sensor)) != 0;
}

}  // namespace

bool SensorCheckText(std::uint8_t sensors, const SensorExpectation& expected, std::string& text) {
    char heading[64];
    std::snprintf(heading, sizeof heading, "NG Sensor (Status:%02x(Hex))\r\n\n",
                  static_cast<unsigned>(sensors));
    text = heading;
    bool asExpected = true;
    for (int sensor = 0; sensor < kSensorCount; ++sensor) {
        const int wanted = expected[static_cast<std::size_t>(sensor)];
        if (wanted != 0 && wanted != 1) {
            continue;
        }
        const bool set = BitSet(sensors, sensor);
        if (set == (wanted == 1)) {
            continue;
        }
        const SensorLine& line = kLines[static_cast<std::size_t>(sensor)];
        text += line.checkName;
        text += set ? line.whenSet : line.whenClear;
        text += "\r\n";
        asExpected = false;
    }
    return asExpected;
}

std::string SensorStatusReportText(std::uint8_t sensors) {
    char heading[64];
    std::snprintf(heading, sizeof heading, "Sensor Status:%02x(Hex)\r\n\r\n", static_cast<unsigned>(sensors));
    std::string text = heading;
    for (int sensor = 0; sensor < kSensorCount; ++sensor) {
        const SensorLine& line = kLines[static_cast<std::size_t>(sensor)];
        text += line.reportName;
        text += BitSet(sensors, sensor) ? line.whenSet : line.reportWhenClear;
        text += "\r\n";
    }
    return text;
}

}  // namespace patterns

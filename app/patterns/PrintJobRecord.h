// One print job of the service command engine: what the page that starts it fills in, what the job
// starter completes, and what the engine gives back.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace patterns {

// Port indexes below this one name a printer; from it on (COM1) nothing is opened or sent.
inline constexpr int kFirstPortIndexWithoutPrinter = 30;

struct PrintJobRecord {
    // 0 or 1: which item table maps the item to a job kind.
    std::int32_t selector = 0;
    // The bi-directional value of each print mode (Mode 1, Mode 2, Mode 4 bar), written by mode 1.
    std::array<std::int32_t, 3> bidirectionalValues = {};
    // The position of the chosen port in the program's port-name list; -1 when it has none.
    std::int32_t portIndex = -1;
    // Printed by the information report.
    std::string usbSerialText;
    // Out: the sensor status report of the sensor job.
    std::string sensorReport;
    // Non-zero with a port index of 10-19: open the printer by its device path, portName.
    std::int32_t byName = 0;
    std::string portName;
    // In: the item number; out: -1 when the job failed.
    std::int32_t item = 0;
    // Bi-directional jobs: 1 writes the value, anything else prints the pattern.
    std::int32_t mode = 0;
    // Bi-directional jobs: 0, 1 or 2 (Mode 1, Mode 2, Mode 4 bar).
    std::int32_t modeIndex = 0;
    // Bi-directional pattern: the value printed next to the label.
    std::int32_t value = 0;
    // Margin pages: 1 when the job follows a margin the technician entered, with that margin (mm).
    // The margin reaches the printer through its EEPROM before the job; no job kind reads these.
    std::int32_t marginInput = 0;
    double topMargin = 0.0;
    double bottomMargin = 0.0;

    bool Failed() const { return item == -1; }
};

}  // namespace patterns

// The flashing program's one run: ask for the firmware file, find the first printer that answers
// (the USB ports, then LPT1 to LPT3, as the program's own discovery goes), send the file, ask the
// printer which ROM version it runs now, and say how it went.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "portselect/PortNumbers.h"

namespace kindler {

class PlexerPort;

enum class Verdict : int {
    Updated = 0,
    NoFileChosen = 1,
    BadFile = 2,
    NoPrinter = 3,
    TransferFailed = 4,
    Refused = 5,
    NoLibrary = 6,
};

struct FlashOutcome {
    Verdict verdict = Verdict::NoLibrary;
    std::string message;     // what the technician is told
    std::string port;        // "USB1", "LPT2"; empty before a printer was found
    std::string romVersion;  // Updated: the version the printer reports now
};

// The plain-stream query that makes the printer report its ROM version ("VI:<version>;"); it needs
// no model's command code, so it works on whatever printer answered.
std::vector<std::uint8_t> RomVersionQuery();

// The name of a port number of the driver selector ("USB3", "LPT1").
using portselect::PortName;

FlashOutcome FlashFirmware(PlexerPort& plexer);

// The whole program: binds Plexer, flashes, shows the outcome in a message box. Returns the verdict
// as the exit code (kScenarioFailed when a scripted run did not go as written).
int RunKindler();

}  // namespace kindler

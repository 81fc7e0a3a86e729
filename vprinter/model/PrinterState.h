// Everything one virtual printer knows about itself: what survives a restart (the EEPROM image with
// its counters and fatal-error history, the hidden timing errors, the ROM version, totals) and what
// does not (state, error, sensors, faults).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "vprinter/model/ModelProfile.h"

namespace vprinter {

// Status codes of the family: 0 error (the error code says which), 2 printing, 4 ready.
namespace state {
inline constexpr int kError = 0;
inline constexpr int kPrinting = 2;
inline constexpr int kReady = 4;
}  // namespace state

// The error code of an empty paper path.
inline constexpr int kErrorPaperOut = 6;

// Sensor byte bits, as the production command reports them.
namespace sensor {
inline constexpr std::uint8_t kCarriageHome = 0x01;
inline constexpr std::uint8_t kFrontPaper = 0x02;
inline constexpr std::uint8_t kRearPaper = 0x04;
inline constexpr std::uint8_t kTopPaper = 0x08;
inline constexpr std::uint8_t kReleaseLeverFriction = 0x10;
inline constexpr std::uint8_t kPlatenGapCopy = 0x20;
inline constexpr std::uint8_t kAllPaper = kFrontPaper | kRearPaper | kTopPaper;
}  // namespace sensor

enum class Offline { No, Silent, Refuse };
enum class StatusForm { Text, Binary };

// Faults on demand; all off in a new printer and after clear-faults. Not saved.
struct Faults {
    bool paperOut = false;
    int errorCode = -1;  // an error state with this code; -1 none
    int busyPolls = 0;   // status polls still answered "printing"
    Offline offline = Offline::No;
    std::uint32_t latencyMilliseconds = 0;  // every reply is held back this long
    long long dropAfterBytes = -1;          // host bytes still taken before the line drops; -1 never
    bool garbage = false;                   // replies are replaced by noise of the same length
    bool creditStarvation = false;          // the transport grants no credit
    int refusedChannel = -1;                // OpenChannel of this socket is refused; -1 none
    // A device ID the printer reports instead of its own (another maker's, one without "D4", one
    // naming the ECP driver "SPC"); empty: its own.
    std::string deviceId;
    // EEPROM cells that have worn out: a host write to one is acknowledged as usual but the cell keeps
    // its old byte. Reads are unaffected.
    bool eepromStuckAll = false;
    std::vector<int> eepromStuck;  // ascending, no address twice

    bool EepromStuckAt(int address) const {
        return eepromStuckAll || std::binary_search(eepromStuck.begin(), eepromStuck.end(), address);
    }
};

struct PrinterState {
    // Saved.
    std::vector<std::uint8_t> eeprom;
    std::array<int, kPrintModes> hiddenTimingError{};  // in the printer's timing steps
    std::string romVersion = "1.00";
    std::uint64_t bytesReceived = 0;
    std::uint64_t linesFed = 0;

    // Not saved.
    int status = state::kReady;
    int errorCode = 0;
    int paperPath = 1;  // TP: 1 the rear tractor
    std::uint8_t sensors = sensor::kRearPaper | sensor::kTopPaper;
    StatusForm statusForm = StatusForm::Text;
    int headTemperature = 25;
    bool modelPreambleSeen = false;
    Faults faults;
};

}  // namespace vprinter

// Every EEPROM change tolvane makes goes through here: it reads what the addresses hold, shows the
// plan and stops there for --dry-run, takes a backup of the whole EEPROM, makes the change, and reads
// every changed address back. A printer that acknowledges a write and keeps the old byte is caught,
// by address, with its own exit status.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "printer/IEepromRW.h"

namespace tolvane_cli {

class ServiceSession;

struct ByteChange {
    int address = 0;
    std::uint8_t value = 0;
};

// Makes the change once the backup is taken; true when every step of it reached the printer. The
// EEPROM access used for the plan and the backup is released before, so the change may open the port
// its own way (a print job, another access object).
using ApplyChange = std::function<bool()>;

// The steps above. The plan goes to standard output, one line per byte ("0x10: 0x00 -> 0xA5"), also
// for a byte that already holds the value. Exit statuses: kExitSuccess; kExitFailed when a read of
// the plan, the backup or the change failed (nothing is changed before the backup is on disk);
// kExitVerifyFailed when the printer holds another byte than written at one or more addresses, each
// named on the error stream ("0xA2: wrote 0x05, the printer holds 0x00").
int RunVerifiedChange(ServiceSession& session, const std::vector<ByteChange>& changes,
                      const ApplyChange& apply);

// The usual change: each byte written in order through a new EEPROM access, with the pages' pause
// between two writes; false at the first write the printer did not take.
bool WriteBytes(ServiceSession& session, const std::vector<ByteChange>& changes);

}  // namespace tolvane_cli

// The bytes an initial setting leaves in the printer's EEPROM, known before it runs: the stages are
// built by the engine's own builders into a buffer that is never sent, and every EEPROM write in it
// is read back out. The check byte's complement is built from the byte the printer holds now.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "VerifiedChange.h"
#include "patterns/IEepromByteReader.h"
#include "patterns/InitialSetting.h"

namespace tolvane_cli {

struct InitialSettingBytes {
    // Every write in the order the stages send them; an address written twice is in twice.
    std::vector<ByteChange> writes;
    // Empty when the stages were built; else why not (nothing may then be sent, since the run would
    // stop at that stage with the stages before it already in the printer).
    std::string fault;
};

// reader: the printer's EEPROM, for the check byte; only asked when the model has a check byte.
InitialSettingBytes BuildInitialSettingBytes(const patterns::InitialSettingRequest& request,
                                             patterns::IEepromByteReader& reader);

// The EEPROM writes of a buffer of print data (ESC '@', the factory writes of set 1 and set 2), in
// order. twoByteAddress: the model's EEPROM takes two address bytes.
std::vector<ByteChange> EepromWritesIn(std::span<const std::uint8_t> printData, bool twoByteAddress);

// The byte each address holds after the writes: the last one written there, by address.
std::vector<ByteChange> LastWritePerAddress(const std::vector<ByteChange>& writes);

}  // namespace tolvane_cli

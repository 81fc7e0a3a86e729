// The EEPROM table writes: one factory write command per map entry or customer byte that has a value.
#include <algorithm>

#include "patterns/CVexilCommon.h"

using namespace patterns;

namespace {

constexpr int kMapAddresses = 256;
constexpr int kNoMoreAddresses = -1;

bool IsByteValue(int value) {
    return value >= 0 && value <= 0xFF;
}

}  // namespace

std::vector<int> CVexilCommon::CustomerAddresses() const {
    std::vector<int> addresses;
    for (const int address : model_.customerAddresses) {
        if (address == kNoMoreAddresses) {
            break;
        }
        addresses.push_back(address);
    }
    return addresses;
}

bool CVexilCommon::TableWrites(const std::vector<int>& table, bool setTwo, bool stopAtFailure) {
    bool allWritten = true;
    const int entries = std::min(kMapAddresses, static_cast<int>(table.size()));
    for (int address = 0; address < entries; ++address) {
        const int value = table[static_cast<std::size_t>(address)];
        if (!IsByteValue(value)) {
            continue;
        }
        const auto byte = static_cast<std::uint8_t>(value);
        const bool written = setTwo ? WriteEepromSet2(address, byte) : WriteEepromSet1(address, byte);
        if (!written) {
            allWritten = false;
            if (stopAtFailure) {
                break;
            }
        }
    }
    return allWritten;
}

bool CVexilCommon::CustomerPart(bool setTwo, bool stopAtFailure) {
    bool allWritten = true;
    const std::vector<int> addresses = CustomerAddresses();
    // A customer list shorter than the address list leaves the remaining addresses alone, and so does
    // any value that is not a byte: -1 is the profile's own "no value".
    const std::size_t entries = std::min(addresses.size(), model_.customerValues.size());
    for (std::size_t entry = 0; entry < entries; ++entry) {
        const int value = model_.customerValues[entry];
        if (!IsByteValue(value)) {
            continue;
        }
        const auto byte = static_cast<std::uint8_t>(value);
        const int address = addresses[entry];
        const bool written = setTwo ? WriteEepromSet2(address, byte) : WriteEepromSet1(address, byte);
        if (!written) {
            allWritten = false;
            if (stopAtFailure) {
                break;
            }
        }
    }
    return allWritten;
}

bool CVexilCommon::DefaultWritesSet1() {
    const bool tableWritten = TableWrites(model_.eepromInit, false, false);
    const bool customerWritten = CustomerPart(false, false);
    return tableWritten && customerWritten;
}

bool CVexilCommon::DefaultWritesSet2() {
    return TableWrites(model_.eepromVerify, true, true) && CustomerPart(true, true);
}

bool CVexilCommon::CustomerWrites() {
    return CustomerPart(true, true);
}

bool CVexilCommon::TableCWrites() {
    return TableWrites(model_.eepromCompare, true, false);
}

bool CVexilCommon::ComplementWrite(int address, IEepromByteReader& reader) {
    if (!FitsAddressForm(address) || !FitsAddressForm(address + 1)) {
        return false;
    }
    std::uint8_t value = 0;
    if (!reader.Read(address, value)) {
        return false;
    }
    return WriteEepromSet2(address + 1, static_cast<std::uint8_t>(~value));
}

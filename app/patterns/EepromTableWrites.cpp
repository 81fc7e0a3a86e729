// The EEPROM table writes: one factory write command per map entry or customer byte that has a value.
#include <algorithm>

#include "patterns/CVexilCommon.h"

using namespace patterns;
using namespace protocol;

namespace {

constexpr int kMapAddresses = 256;
constexpr int kNoMoreAddresses = -1;

}  // namespace

std::vector<CVexilCommon::EepromEntry> CVexilCommon::MapEntries(const std::vector<int>& map) {
    std::vector<EepromEntry> entries;
    const int addresses = std::min(kMapAddresses, static_cast<int>(map.size()));
    for (int address = 0; address < addresses; ++address) {
        entries.push_back({address, map[static_cast<std::size_t>(address)]});
    }
    return entries;
}

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

std::vector<CVexilCommon::EepromEntry> CVexilCommon::CustomerEntries() const {
    const std::vector<int> addresses = CustomerAddresses();
    // A customer list shorter than the address list leaves the remaining addresses alone.
    const std::size_t count = std::min(addresses.size(), model_.customerValues.size());
    std::vector<EepromEntry> entries;
    for (std::size_t entry = 0; entry < count; ++entry) {
        entries.push_back({addresses[entry], model_.customerValues[entry]});
    }
    return entries;
}

bool CVexilCommon::WriteEntries(std::span<const EepromEntry> entries, const factory::Command& writeSet,
                                AfterFailedWrite afterFailure) {
    bool allWritten = true;
    for (const EepromEntry& entry : entries) {
        // Any value that is not a byte leaves the address alone: -1 is the profile's own "no value".
        if (!IsByteValue(entry.value)) {
            continue;
        }
        const std::uint8_t argument[] = {static_cast<std::uint8_t>(entry.value)};
        if (!AddressedCommand(writeSet, entry.address, argument)) {
            allWritten = false;
            if (afterFailure == AfterFailedWrite::Stop) {
                break;
            }
        }
    }
    return allWritten;
}

bool CVexilCommon::DefaultWritesSet1() {
    std::vector<EepromEntry> entries = MapEntries(model_.eepromInit);
    const std::vector<EepromEntry> customer = CustomerEntries();
    entries.insert(entries.end(), customer.begin(), customer.end());
    return WriteEntries(entries, factory::kWriteEepromSet1, AfterFailedWrite::GoOn);
}

bool CVexilCommon::DefaultWritesSet2() {
    std::vector<EepromEntry> entries = MapEntries(model_.eepromVerify);
    const std::vector<EepromEntry> customer = CustomerEntries();
    entries.insert(entries.end(), customer.begin(), customer.end());
    return WriteEntries(entries, factory::kWriteEepromSet2, AfterFailedWrite::Stop);
}

bool CVexilCommon::CustomerWrites() {
    return WriteEntries(CustomerEntries(), factory::kWriteEepromSet2, AfterFailedWrite::Stop);
}

bool CVexilCommon::TableCWrites() {
    return WriteEntries(MapEntries(model_.eepromCompare), factory::kWriteEepromSet2, AfterFailedWrite::GoOn);
}

bool CVexilCommon::ComplementWrite(int address, IEepromByteReader& reader) {
    const factory::AddressForm form = model_.eepromAddressForm;
    if (!factory::FitsAddressForm(form, address) || !factory::FitsAddressForm(form, address + 1)) {
        return false;
    }
    std::uint8_t value = 0;
    if (!reader.Read(address, value)) {
        return false;
    }
    return WriteEepromSet2(address + 1, static_cast<std::uint8_t>(~value));
}

#include "printer/EepromDump.h"

namespace printer {
namespace {

// The object's last address, kept inside the image whatever the object answers.
int LastAddressOf(IEepromRW* eeprom) {
    const int last = eeprom->GetLastAddress();
    return last < kEepromImageEntries ? last : kEepromImageEntries - 1;
}

bool Cancelled(const bool* cancel) {
    return cancel != nullptr && *cancel;
}

IEepromDumpObserver& Silent() {
    static IEepromDumpObserver nobody;
    return nobody;
}

}  // namespace

int ReadEepromDump(IEepromRW* eeprom, EepromImage* image, const EepromImage* mask, const bool* cancel,
                   IEepromDumpObserver* observer) {
    IEepromDumpObserver& watch = observer != nullptr ? *observer : Silent();
    image->fill(kNotRead);
    if (eeprom == nullptr) {
        return 0;
    }
    const int last = LastAddressOf(eeprom);
    for (int address = 0; address <= last; ++address) {
        const auto index = static_cast<std::size_t>(address);
        if (address % 16 == 0) {
            watch.OnRow(address / 16);
        }
        if (Cancelled(cancel)) {
            return 0;
        }
        if (mask != nullptr && !IsByteEntry((*mask)[index])) {
            watch.OnCell(address, kNotRead);
            continue;
        }
        std::uint8_t value = 0;
        if (eeprom->ReadByte(address, &value) == 0) {
            return 0;
        }
        (*image)[index] = value;
        watch.OnCell(address, value);
    }
    return 1;
}

int WriteEepromDump(IEepromRW* eeprom, const EepromImage& image, const EepromImage* mask, const bool* cancel,
                    IEepromDumpObserver* observer) {
    IEepromDumpObserver& watch = observer != nullptr ? *observer : Silent();
    if (eeprom == nullptr) {
        return 0;
    }
    const int last = LastAddressOf(eeprom);
    for (int address = 0; address <= last; ++address) {
        const auto index = static_cast<std::size_t>(address);
        if (Cancelled(cancel)) {
            return 0;
        }
        if ((mask != nullptr && !IsByteEntry((*mask)[index])) || !IsByteEntry(image[index])) {
            continue;
        }
        const bool written = eeprom->WriteByte(address, static_cast<std::uint8_t>(image[index])) != 0;
        watch.OnWritten(address, written);
        if (!written) {
            return 0;
        }
    }
    return 1;
}

}  // namespace printer

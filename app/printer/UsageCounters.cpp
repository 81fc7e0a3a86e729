#include "printer/UsageCounters.h"

namespace printer {

int ReadUsageCounters(IEepromRW* eeprom, const std::function<void(int index, std::uint32_t value)>& shown,
                      const StepCallback& step) {
    if (eeprom == nullptr) {
        return 0;
    }
    int read = 0;
    for (const UsageCounter& counter : kUsageCounters) {
        std::uint32_t value = 0;
        for (int j = 0; j < 4; ++j) {
            std::uint8_t byte = 0;
            if (eeprom->ReadByte(counter.firstAddress + j, &byte) == 0) {
                return read;
            }
            value |= static_cast<std::uint32_t>(byte) << (8 * j);
            if (step) {
                step();
            }
        }
        if (shown) {
            shown(read, value);
        }
        ++read;
    }
    return read;
}

int ResetUsageCounters(IEepromRW* eeprom, int flags, const StepCallback& step) {
    if (eeprom == nullptr) {
        return 0;
    }
    for (const UsageCounter& counter : kUsageCounters) {
        for (int j = 0; j < 4; ++j) {
            if ((flags & counter.flag) != 0 && eeprom->WriteByte(counter.firstAddress + j, 0) == 0) {
                return 0;
            }
            if (step) {
                step();
            }
        }
    }
    return 1;
}

}  // namespace printer

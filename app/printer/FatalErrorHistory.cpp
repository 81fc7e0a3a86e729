#include "printer/FatalErrorHistory.h"

namespace printer {

int ReadFatalErrorHistory(IEepromRW* eeprom,
                          const std::function<void(int index, const FatalErrorEntry&)>& entry,
                          const std::function<void()>& step) {
    if (eeprom == nullptr) {
        return 0;
    }
    for (int i = 0; i < kFatalHistoryEntries; ++i) {
        FatalErrorEntry read;
        if (eeprom->ReadByte(kFatalCodeAddress + i, &read.code) == 0) {
            return i;
        }
        read.lineCountRead = true;
        for (int j = 0; j < 4; ++j) {
            std::uint8_t byte = 0;
            if (eeprom->ReadByte(kFatalLineCountAddress + 4 * i + j, &byte) == 0) {
                read.lineCountRead = false;
                break;
            }
            read.lineCount |= static_cast<std::uint32_t>(byte) << (8 * j);
        }
        if (entry) {
            entry(i, read);
        }
        if (step) {
            step();
        }
    }
    return kFatalHistoryEntries;
}

}  // namespace printer

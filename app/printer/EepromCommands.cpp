#include "printer/EepromCommands.h"

#include "protocol/PrinterCommandCodes.h"

namespace printer::eeprom {
namespace {

using namespace protocol;

constexpr std::uint8_t kEsc = control::kEscape;

}  // namespace

std::array<std::uint8_t, 13> ReadRequest(std::uint8_t code1, std::uint8_t code2, std::uint8_t address) {
    const auto& read = production::kReadEepromSerialImpact;
    // The length counts what follows it: the command code, the operation and the address.
    return {kEsc,      esc::kInitialise, kEsc,     esc::kFactory, factory::kSelector, 6, 0, code1, code2,
            read.code, read.complement,  read.sub, address};
}

std::array<std::uint8_t, 16> WriteRequest(std::uint8_t code1, std::uint8_t code2, std::uint8_t address,
                                          std::uint8_t value) {
    const auto& write = factory::kWriteEepromSet1;
    return {control::kCancelLine,
            control::kCancelLine,
            kEsc,
            esc::kInitialise,
            kEsc,
            esc::kFactory,
            factory::kSelector,
            write.length,
            0,
            code1,
            code2,
            write.code,
            write.complement,
            write.sub,
            address,
            value};
}

std::array<std::uint8_t, 14> DumpPreamble() {
    return {kEsc,
            esc::kSuperscript,
            kEsc,
            kEsc,
            esc::kSuperscript,
            control::kFileSeparator,
            kEsc,
            esc::kInitialise,
            control::kFileSeparator,
            fs::kKanjiOff,
            control::kCancelLine,
            kEsc,
            esc::kPrintQuality,
            '0'};
}

std::array<std::uint8_t, 11> DumpModePreamble(std::uint8_t code1, std::uint8_t code2) {
    const auto& flag = factory::kSetModeFlag;
    return {kEsc,  esc::kFactory, factory::kSelector, flag.length, 0,   code1,
            code2, flag.code,     flag.complement,    flag.sub,    0x00};
}

}  // namespace printer::eeprom

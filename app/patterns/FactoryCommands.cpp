// The factory commands: ESC '|' blocks that the printer's firmware takes from inside print data.
#include <vector>

#include "patterns/CVexilCommon.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

namespace {

constexpr int kLargestOneByteAddress = 0xFF;
constexpr int kLargestTwoByteAddress = 0xFFFF;

}  // namespace

bool CVexilCommon::FitsAddressForm(int address) const {
    const int largest = model_.twoByteEepromAddress ? kLargestTwoByteAddress : kLargestOneByteAddress;
    return address >= 0 && address <= largest;
}

bool CVexilCommon::FactoryCommand(const factory::Command& command, std::span<const std::uint8_t> arguments,
                                  bool twoByteAddressForm) {
    const std::uint8_t length = twoByteAddressForm ? command.lengthTwoByteAddress : command.length;
    std::vector<std::uint8_t> bytes = {
        control::kEscape,    esc::kFactory, factory::kSelector, length,     0, model_.firstIdByte,
        model_.secondIdByte, command.code,  command.complement, command.sub};
    bytes.insert(bytes.end(), arguments.begin(), arguments.end());
    return Append(bytes);
}

bool CVexilCommon::SetModeFlag(std::uint8_t value) {
    const std::uint8_t arguments[] = {value};
    return FactoryCommand(factory::kSetModeFlag, arguments, false);
}

bool CVexilCommon::SetBidirectionalValue(std::uint8_t index, std::uint8_t value) {
    const std::uint8_t arguments[] = {index, value};
    return FactoryCommand(factory::kSetBidirectionalValue, arguments, false);
}

bool CVexilCommon::PrintEepromByte(int address) {
    if (!FitsAddressForm(address)) {
        return false;
    }
    std::vector<std::uint8_t> arguments = {static_cast<std::uint8_t>(address & 0xFF)};
    if (model_.twoByteEepromAddress) {
        arguments.push_back(static_cast<std::uint8_t>(address >> 8));
    }
    return FactoryCommand(factory::kPrintEepromByte, arguments, model_.twoByteEepromAddress);
}

bool CVexilCommon::EepromWrite(const factory::Command& command, int address, std::uint8_t value) {
    if (!FitsAddressForm(address)) {
        return false;
    }
    std::vector<std::uint8_t> arguments = {static_cast<std::uint8_t>(address & 0xFF)};
    if (model_.twoByteEepromAddress) {
        arguments.push_back(static_cast<std::uint8_t>(address >> 8));
    }
    arguments.push_back(value);
    return FactoryCommand(command, arguments, model_.twoByteEepromAddress);
}

bool CVexilCommon::WriteEepromSet1(int address, std::uint8_t value) {
    return EepromWrite(factory::kWriteEepromSet1, address, value);
}

bool CVexilCommon::WriteEepromSet2(int address, std::uint8_t value) {
    return EepromWrite(factory::kWriteEepromSet2, address, value);
}

// The factory commands: ESC '|' blocks that the printer's firmware takes from inside print data.
#include <vector>

#include "patterns/CVexilCommon.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

bool CVexilCommon::FactoryCommand(const factory::Command& command, std::uint8_t length,
                                  std::span<const std::uint8_t> arguments) {
    std::vector<std::uint8_t> bytes = {
        control::kEscape,    esc::kFactory, factory::kSelector, length,     0, model_.firstIdByte,
        model_.secondIdByte, command.code,  command.complement, command.sub};
    bytes.insert(bytes.end(), arguments.begin(), arguments.end());
    return Append(bytes);
}

bool CVexilCommon::AddressedCommand(const factory::Command& command, int address,
                                    std::span<const std::uint8_t> argumentsAfterAddress) {
    const factory::AddressForm form = model_.eepromAddressForm;
    if (!factory::FitsAddressForm(form, address)) {
        return false;
    }
    const factory::AddressBytes encoded = factory::EncodeAddress(form, address);
    const std::span<const std::uint8_t> addressBytes = encoded.View();
    std::vector<std::uint8_t> arguments(addressBytes.begin(), addressBytes.end());
    arguments.insert(arguments.end(), argumentsAfterAddress.begin(), argumentsAfterAddress.end());
    return FactoryCommand(command, factory::LengthField(command, form), arguments);
}

bool CVexilCommon::SetModeFlag(std::uint8_t value) {
    const std::uint8_t arguments[] = {value};
    return FactoryCommand(factory::kSetModeFlag, factory::kSetModeFlag.length, arguments);
}

bool CVexilCommon::SetBidirectionalValue(std::uint8_t index, std::uint8_t value) {
    const std::uint8_t arguments[] = {index, value};
    return FactoryCommand(factory::kSetBidirectionalValue, factory::kSetBidirectionalValue.length, arguments);
}

bool CVexilCommon::PrintEepromByte(int address) {
    return AddressedCommand(factory::kPrintEepromByte, address, {});
}

bool CVexilCommon::WriteEepromSet1(int address, std::uint8_t value) {
    const std::uint8_t arguments[] = {value};
    return AddressedCommand(factory::kWriteEepromSet1, address, arguments);
}

bool CVexilCommon::WriteEepromSet2(int address, std::uint8_t value) {
    const std::uint8_t arguments[] = {value};
    return AddressedCommand(factory::kWriteEepromSet2, address, arguments);
}

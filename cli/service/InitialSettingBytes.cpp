#include "InitialSettingBytes.h"

#include <map>

#include "NumberArgument.h"
#include "patterns/CPattern.h"
#include "printer/UsbSerialNumber.h"
#include "protocol/CommandMatchers.h"
#include "protocol/PrintDataFramer.h"

namespace tolvane_cli {
namespace {

namespace factory = protocol::factory;

bool IsEepromWrite(const factory::Command& command) {
    return command.Names() == factory::kWriteEepromSet1.Names() ||
           command.Names() == factory::kWriteEepromSet2.Names();
}

}  // namespace

std::vector<ByteChange> EepromWritesIn(std::span<const std::uint8_t> printData, bool twoByteAddress) {
    const factory::AddressForm form =
        twoByteAddress ? factory::AddressForm::TwoByte : factory::AddressForm::OneByte;
    std::vector<ByteChange> writes;
    std::size_t at = 0;
    while (at < printData.size()) {
        const std::span<const std::uint8_t> rest = printData.subspan(at);
        const protocol::framing::CommandFrame frame = protocol::framing::FrameCommand(rest, twoByteAddress);
        // A command cut off at the end of the buffer is no write.
        if (frame.length == 0 || frame.status == protocol::framing::FrameStatus::NeedMore ||
            frame.length > rest.size()) {
            break;
        }
        if (frame.status == protocol::framing::FrameStatus::Complete) {
            const auto command = factory::MatchFrame(rest.first(frame.length), form);
            if (command && IsEepromWrite(command->command) && command->Whole()) {
                writes.push_back({command->Address(), command->AfterAddress()[0]});
            }
        }
        at += frame.length;
    }
    return writes;
}

std::vector<ByteChange> LastWritePerAddress(const std::vector<ByteChange>& writes) {
    std::map<int, std::uint8_t> last;
    for (const ByteChange& write : writes) {
        last[write.address] = write.value;
    }
    std::vector<ByteChange> changes;
    for (const auto& [address, value] : last) {
        changes.push_back({address, value});
    }
    return changes;
}

InitialSettingBytes BuildInitialSettingBytes(const patterns::InitialSettingRequest& request,
                                             patterns::IEepromByteReader& reader) {
    InitialSettingBytes built;
    CPattern pattern(request.model);
    // The stages in the order the run sends them; each one as the run builds it.
    if (request.checkAddress != -1 && !pattern.ComplementWrite(request.checkAddress, reader)) {
        built.fault =
            "the check byte at " + Hex(request.checkAddress) + " could not be read from the printer";
        return built;
    }
    if (!pattern.TableCWrites()) {
        built.fault = "the profile's table C holds an address the printer's EEPROM commands cannot carry";
        return built;
    }
    bool defaults = pattern.Initialise() && pattern.DefaultWritesSet1();
    if (defaults && request.model.usbSerialAddress >= 0) {
        const auto serial = printer::UsbSerialBytes(request.serial);
        for (int i = 0; i < printer::kUsbSerialLength && defaults; ++i) {
            defaults = pattern.WriteEepromSet1(request.model.usbSerialAddress + i,
                                               serial[static_cast<std::size_t>(i)]);
        }
    }
    if (!defaults || !pattern.DefaultWritesSet2()) {
        built.fault =
            "the profile's default values or serial number address hold an address the printer's "
            "EEPROM commands cannot carry";
        return built;
    }
    if (pattern.Overflowed()) {
        built.fault = "the initial setting does not fit the command buffer";
        return built;
    }
    built.writes =
        EepromWritesIn(pattern.Bytes(), request.model.eepromAddressForm == factory::AddressForm::TwoByte);
    return built;
}

}  // namespace tolvane_cli

#include "vprinter/model/Eeprom.h"

#include <algorithm>
#include <cctype>

namespace vprinter {
namespace {

constexpr std::uint64_t kLinesPerDrivingHour = 1000;

// Letters and digits of the port name, so that two virtual printers never share a serial number.
std::string SerialFrom(const std::string& prefix, const std::string& portName, std::size_t length) {
    std::string serial = prefix;
    for (char c : portName) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            serial.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    while (serial.size() < length) {
        serial.push_back('0');
    }
    serial.resize(length);
    return serial;
}

}  // namespace

Eeprom::Eeprom(const ModelProfile& profile, std::vector<std::uint8_t>& image)
    : profile_(profile), layout_(LayoutOf(profile.model)), image_(image) {
    image_.resize(static_cast<std::size_t>(profile.EepromSize()), 0);
}

std::vector<std::uint8_t> Eeprom::FactoryImage(const ModelProfile& profile, const std::string& portName) {
    std::vector<std::uint8_t> image(static_cast<std::size_t>(profile.EepromSize()), 0);
    for (std::size_t address = 0; address < profile.eepromInit.size(); ++address) {
        const int value = profile.eepromInit[address];
        if (value >= 0 && value <= 0xFF) {
            image[address] = static_cast<std::uint8_t>(value);
        }
    }
    for (std::size_t i = 0; i < profile.customerAddresses.size(); ++i) {
        const int address = profile.customerAddresses[i];
        const int value = profile.customerValues[i];
        if (address >= 0 && address < profile.EepromSize() && value >= 0 && value <= 0xFF) {
            image[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value);
        }
    }
    const EepromLayout& layout = LayoutOf(profile.model);
    const std::string mechanism = SerialFrom("VM", portName, kMechanismSerialLength);
    std::copy(mechanism.begin(), mechanism.end(), image.begin() + layout.mechanismSerial);
    if (profile.usbSerialAddress >= 0 &&
        profile.usbSerialAddress + kUsbSerialLength <= profile.EepromSize()) {
        // Fourteen characters, padded with 0 bytes as the firmware stores it.
        const std::string usb = SerialFrom("VPRT", portName, 14);
        std::copy(usb.begin(), usb.end(), image.begin() + profile.usbSerialAddress);
    }
    Eeprom eeprom(profile, image);
    eeprom.UpdateChecksum();
    return image;
}

bool Eeprom::Write(int address, std::uint8_t value) {
    if (address < 0 || address >= Size()) {
        return false;
    }
    image_[static_cast<std::size_t>(address)] = value;
    // The firmware keeps its checksum current; a host write to the checksum itself stands until the
    // next write elsewhere.
    if (address != layout_.checksum && address != layout_.checksum + 1) {
        UpdateChecksum();
    }
    return true;
}

bool Eeprom::Read(int address, std::uint8_t* value) const {
    if (address < 0 || address >= Size()) {
        return false;
    }
    *value = image_[static_cast<std::size_t>(address)];
    return true;
}

std::uint32_t Eeprom::Read32(int address) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        std::uint8_t byte = 0;
        Read(address + i, &byte);
        value = (value << 8) | byte;
    }
    return value;
}

void Eeprom::Put32(int address, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        if (address + i >= 0 && address + i < Size()) {
            image_[static_cast<std::size_t>(address + i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

void Eeprom::Write32(int address, std::uint32_t value) {
    Put32(address, value);
    UpdateChecksum();
}

void Eeprom::CountLines(std::uint64_t lines, std::uint64_t linesBefore) {
    if (lines == 0) {
        return;
    }
    // The counters wrap at 32 bits as the firmware's do.
    Put32(layout_.ribbonLineCount, Read32(layout_.ribbonLineCount) + static_cast<std::uint32_t>(lines));
    Put32(layout_.drivingLineCount, Read32(layout_.drivingLineCount) + static_cast<std::uint32_t>(lines));
    const std::uint64_t hours =
        (linesBefore + lines) / kLinesPerDrivingHour - linesBefore / kLinesPerDrivingHour;
    Put32(layout_.drivingHours, Read32(layout_.drivingHours) + static_cast<std::uint32_t>(hours));
    UpdateChecksum();
}

void Eeprom::RecordFatalError(std::uint8_t code) {
    for (int entry = kFatalHistoryEntries - 1; entry > 0; --entry) {
        image_[static_cast<std::size_t>(layout_.fatalHistoryCodes + entry)] =
            image_[static_cast<std::size_t>(layout_.fatalHistoryCodes + entry - 1)];
        Write32(layout_.fatalHistoryLineCounts + 4 * entry,
                Read32(layout_.fatalHistoryLineCounts + 4 * (entry - 1)));
    }
    image_[static_cast<std::size_t>(layout_.fatalHistoryCodes)] = code;
    Write32(layout_.fatalHistoryLineCounts, Read32(layout_.drivingLineCount));
}

void Eeprom::UpdateChecksum() {
    unsigned sum = 0;
    for (int address = 0; address < layout_.checksum && address < Size(); ++address) {
        sum += image_[static_cast<std::size_t>(address)];
    }
    if (layout_.checksum + 1 < Size()) {
        image_[static_cast<std::size_t>(layout_.checksum)] = static_cast<std::uint8_t>(sum & 0xFF);
        image_[static_cast<std::size_t>(layout_.checksum + 1)] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    }
}

}  // namespace vprinter

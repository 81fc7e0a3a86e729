#include "printer/UsbSerialNumber.h"

namespace printer {
namespace {

// The one-byte EEPROM address reaches no further.
constexpr int kLastOneByteAddress = 0xFF;

// Spelled out rather than isalnum: the locale must not widen the set, and bytes above 0x7F are
// refused rather than handed to a classifier that takes them as negative values.
bool IsAsciiLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void StepOnce(const SerialStep& step) {
    if (step) {
        step();
    }
}

}  // namespace

UsbSerialCheck CheckUsbSerial(std::string_view text, bool allowEmpty) {
    if ((text.empty() && !allowEmpty) || text.size() > static_cast<std::size_t>(kUsbSerialLength)) {
        return UsbSerialCheck::LengthWrong;
    }
    for (char c : text) {
        if (!IsAsciiLetterOrDigit(c)) {
            return UsbSerialCheck::LetterWrong;
        }
    }
    return UsbSerialCheck::Accepted;
}

const char* UsbSerialCheckText(UsbSerialCheck check) {
    switch (check) {
        case UsbSerialCheck::LengthWrong:
            return "Serial No Length Wrong";
        case UsbSerialCheck::LetterWrong:
            return "Serial No Letter Wrong";
        default:
            return "";
    }
}

bool HasUsbSerialField(int firstAddress) {
    return firstAddress >= 0 && firstAddress + kUsbSerialLength - 1 <= kLastOneByteAddress;
}

std::array<std::uint8_t, kUsbSerialLength> UsbSerialBytes(std::string_view text) {
    std::array<std::uint8_t, kUsbSerialLength> bytes{};
    for (std::size_t i = 0; i < text.size() && i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(text[i]);
    }
    return bytes;
}

int WriteUsbSerial(IEepromRW* eeprom, int firstAddress, std::string_view text, const SerialStep& step) {
    if (eeprom == nullptr || !HasUsbSerialField(firstAddress) ||
        CheckUsbSerial(text, true) != UsbSerialCheck::Accepted) {
        return 0;
    }
    const std::array<std::uint8_t, kUsbSerialLength> bytes = UsbSerialBytes(text);
    for (int i = 0; i < kUsbSerialLength; ++i) {
        if (eeprom->WriteByte(firstAddress + i, bytes[static_cast<std::size_t>(i)]) == 0) {
            return 0;
        }
        StepOnce(step);
    }
    return 1;
}

int ReadUsbSerial(IEepromRW* eeprom, int firstAddress, std::string* text, const SerialStep& step) {
    text->clear();
    if (eeprom == nullptr || !HasUsbSerialField(firstAddress)) {
        return 0;
    }
    std::string read;
    bool ended = false;
    for (int i = 0; i < kUsbSerialLength; ++i) {
        std::uint8_t byte = 0;
        if (eeprom->ReadByte(firstAddress + i, &byte) == 0) {
            return 0;
        }
        ended = ended || byte == 0;
        if (!ended) {
            read.push_back(static_cast<char>(byte));
        }
        StepOnce(step);
    }
    *text = read;
    return 1;
}

}  // namespace printer

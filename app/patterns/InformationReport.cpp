// The printer information report printed by the full factory test: program, EEPROM bytes as the printer
// reads them next to the bytes expected for the customer, factory and date, belt and PC numbers, USB
// serial number and ROM version.
#include <cstdio>
#include <string>
#include <vector>

#include "patterns/CVexilCommon.h"
#include "platform/Clock.h"

using namespace patterns;

namespace {

constexpr std::size_t kProgramNameField = 16;
// How many customer bytes the EEPROM and reference lines show.
constexpr std::size_t kCustomerBytesWithUsbSerial = 7;
constexpr std::size_t kCustomerBytesWithoutUsbSerial = 8;

std::string ReferenceText(const std::vector<int>& addresses, const std::vector<int>& values) {
    std::string text = "<<";
    for (std::size_t entry = 0; entry < addresses.size(); ++entry) {
        const int value = entry < values.size() ? values[entry] : -1;
        if (IsByteValue(value)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned>(value));
            text += hex;
        } else {
            text += "-- ";
        }
    }
    if (text.back() == ' ') {
        text.pop_back();
    }
    return text + ">>";
}

std::string DateText(const platform::LocalTime& now) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%d  %02d:%02d", now.day, now.month, now.year, now.hour,
                  now.minute);
    return text;
}

}  // namespace

bool CVexilCommon::InformationReport(std::string_view serialText, std::string_view romVersionText) {
    bool complete = true;
    const bool hasUsbSerial = model_.HasUsbSerialAddress();

    PrintQuality(1);
    TenCpi();

    AppendTextWithNul("Program Name    : ");
    AppendText(model_.programName);
    if (model_.programName.size() < kProgramNameField) {
        RepeatByte(' ', static_cast<int>(kProgramNameField - model_.programName.size()));
    }
    AppendText(model_.eepromTitle);
    NewLines(1);

    std::vector<int> addresses = CustomerAddresses();
    const std::size_t shown = hasUsbSerial ? kCustomerBytesWithUsbSerial : kCustomerBytesWithoutUsbSerial;
    if (addresses.size() > shown) {
        addresses.resize(shown);
    }

    // The printer itself prints the byte it holds at each address.
    AppendTextWithNul("EEPROM          :               ");
    AppendTextWithNul("<<");
    for (std::size_t entry = 0; entry < addresses.size(); ++entry) {
        if (entry > 0) {
            AppendText(" ");
        }
        complete = PrintEepromByte(addresses[entry]) && complete;
    }
    AppendTextWithNul(">>");
    NewLines(1);

    AppendTextWithNul("Reference       :               ");
    AppendText(ReferenceText(addresses, model_.customerValues));
    NewLines(1);

    AppendTextWithNul("Factory Setting : ");
    AppendText(model_.factorySetting);
    NewLines(1);

    AppendTextWithNul("Print date      : ");
    AppendText(DateText(platform::Clock().Now()));
    NewLines(1);

    AppendTextWithNul("Belt/PC No.     : ");
    AppendText(model_.beltNumber);
    AppendTextWithNul(" / ");
    AppendText(model_.pcNumber);
    NewLines(1);

    if (hasUsbSerial) {
        AppendTextWithNul("USB S/No.       : ");
        AppendText(serialText);
    }
    NewLines(1);
    if (hasUsbSerial) {
        AppendTextWithNul("ROM Ver.        : ");
        AppendText(romVersionText);
    }
    NewLines(1);

    PrintQuality(0);
    NewLines(1);
    return complete && !overflowed_;
}

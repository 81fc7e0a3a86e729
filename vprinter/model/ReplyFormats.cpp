#include "vprinter/model/ReplyFormats.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace vprinter {
namespace {

// Two decimal digits; the family's codes stay below 100.
int TwoDigits(int value) {
    return value < 0 ? 0 : (value > 99 ? 99 : value);
}

// One byte, written as two hexadecimal digits in the text status.
int OneByte(int value) {
    return value < 0 ? 0 : (value > 0xFF ? 0xFF : value);
}

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    char text[128];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return std::string();
    }
    return std::string(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
}

}  // namespace

std::string StatusText(const StatusFields& fields) {
    std::string warnings;
    for (int code : fields.warnings) {
        warnings += Format("%02d", TwoDigits(code));
    }
    return Format("@BDC ST\r\nST:%02X;ER:%02X;TP:%02X;", OneByte(fields.status), OneByte(fields.errorCode),
                  OneByte(fields.paperPath)) +
           "WR:" + warnings + ";IQ:00000000;MI:00;TC:0;";
}

std::vector<std::uint8_t> StatusBinary(const StatusFields& fields) {
    const char head[] = "@BDC ST2\r\n";
    std::vector<std::uint8_t> block(head, head + 10);
    block.push_back(0);
    block.push_back(0);
    auto field = [&block](std::uint8_t type, std::vector<std::uint8_t> data) {
        block.push_back(type);
        block.push_back(static_cast<std::uint8_t>(data.size()));
        block.insert(block.end(), data.begin(), data.end());
    };
    field(1, {static_cast<std::uint8_t>(TwoDigits(fields.status))});
    field(2, {static_cast<std::uint8_t>(TwoDigits(fields.errorCode))});
    field(3, {static_cast<std::uint8_t>(TwoDigits(fields.paperPath))});
    std::vector<std::uint8_t> warnings;
    for (int code : fields.warnings) {
        warnings.push_back(static_cast<std::uint8_t>(TwoDigits(code)));
    }
    field(4, warnings);
    block[10] = static_cast<std::uint8_t>(block.size() & 0xFF);
    block[11] = static_cast<std::uint8_t>(block.size() >> 8);
    return block;
}

std::string EepromText(int address, std::uint8_t value) {
    return Format("EE:%04X VALUE:%02X;", address & 0xFFFF, value);
}

std::string SensorsText(std::uint8_t sensors) {
    return Format("SS:%02X;", sensors);
}

std::string RomVersionText(const std::string& version) {
    return "VR:" + version + ";";
}

std::string FlashText(std::uint8_t value) {
    return Format("BZ:%02X;", value);
}

std::string CsicText(std::uint8_t a, std::uint8_t value) {
    return Format("IC:%02X%02X;", a, value);
}

std::string TimerText(const platform::LocalTime& now) {
    return Format("TI%04d%02d%02d%02d%02d%02d;", now.year, now.month, now.day, now.hour, now.minute,
                  now.second);
}

std::string AcknowledgeText() {
    return "AK;";
}

std::string HeadTemperatureText(int celsius) {
    return Format("HT:%02d;", TwoDigits(celsius));
}

std::string RemoteRomVersionText(const std::string& version) {
    return "VI:" + version + ";";
}

std::string NotAvailableText() {
    return "NA;";
}

std::string ControlWordText(const std::string& letters, const char* word) {
    return letters + ":" + word + ";";
}

std::string DeviceIdText(const std::string& model) {
    return "MFG:ORLEX;MDL:" + model + ";CMD:VXPRINT24,D4;CLS:PRINTER;DES:ORLEX " + model + ";";
}

}  // namespace vprinter

// Reads the printer's model name and its settings (USB serial number, character table, printing
// direction, IBM character table, page length) and hands them to a sink one field at a time,
// stepping as it goes. The EEPROM object reports its own failures through the error callback given.
#pragma once

#include <array>

#include "printer/IPrinterErrorCallback.h"
#include "printer/IPrinterSettingReader.h"
#include "printer/Target.h"

namespace printer {

// Where the model keeps the settings, and whose names they carry.
struct SettingMap {
    // The first of the 18 USB serial number bytes (nADRSUSBSerial); negative for a model without.
    int usbSerial = -1;
    // pnEEPInitAddress cut or padded with 0 to seven entries: [1] [2] character table (low, high),
    // [3] printing direction, [4] IBM character table, [5] [6] page length (low, high).
    std::array<int, 7> initial{};
    // The Thai customer's printers have character tables of their own.
    bool thaiCustomer = false;
};

}  // namespace printer

class CPrinterSettingReader : public IPrinterSettingReader {
public:
    // Mask bits and the progress steps each takes.
    static constexpr int kDeviceId = 1;            // 1 step
    static constexpr int kUsbSerial = 2;           // 18 steps, one per byte
    static constexpr int kReserved = 4;            // only cleared; 1 step counted
    static constexpr int kCharacterTable = 8;      // 1 step
    static constexpr int kPrintingDirection = 16;  // 1 step
    static constexpr int kIbmCharacter = 32;       // 1 step
    static constexpr int kPageLength = 64;         // 1 step
    static constexpr int kAll = 255;
    static constexpr int kUsbSerialLength = 18;

    // callback: given to the EEPROM object of each Read (none: failures are told by the result
    // alone); borrowed, so the caller keeps it for as long as it reads.
    CPrinterSettingReader(printer::Target target, printer::SettingMap map,
                          IPrinterErrorCallback* callback = nullptr);

    // The progress steps of a mask: 24 for every setting.
    static int StepCount(int mask);

    // The whole read is one exchange of the port session; 0 at once, with nothing shown, when the
    // session refuses it.
    int Read(printer::ISettingSink& sink, int mask) override;

private:
    printer::Target target_;
    printer::SettingMap map_;
    IPrinterErrorCallback* callback_;
};

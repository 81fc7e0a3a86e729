// Reads the printer's model name and its settings (USB serial number, character table, printing
// direction, IBM character table, page length) into the main window's information pane, one field at
// a time, stepping the progress window as it goes. The EEPROM object reports its own failures.
#pragma once

#include "printer/IPrinterSettingReader.h"

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

    // The progress steps of a mask: 24 for every setting.
    static int StepCount(int mask);

    int Read(IProgressCallback* progress, int mask) override;
};

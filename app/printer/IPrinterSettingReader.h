// Reads the printer's model name and settings and hands each text to a sink as it is read, so a
// window can show them one by one. Not reference-counted: the caller makes one as a local object.
#pragma once

#include <string>

namespace printer {

// The settings the reader names, in the order it reads them.
enum class SettingField {
    DeviceId,   // "ORLEX " and the model name the printer reports
    UsbSerial,  // the USB serial number, growing by a character per byte read
    Reserved,   // a field the reader only clears
    CharacterTable,
    PrintingDirection,
    IbmCharacter,
    PageLength,
};

// Where the reader's texts and progress go.
class ISettingSink {
public:
    virtual ~ISettingSink() = default;
    // Before the first read: the fields of the mask are cleared (Show with an empty text), then this
    // with the number of steps the whole read takes.
    virtual void Start(int steps) = 0;
    // A field's text as read so far.
    virtual void Show(SettingField field, const std::string& text) = 0;
    // One step of the read done.
    virtual void Step() = 0;
    // Every setting of the mask was read.
    virtual void Finish() = 0;
};

}  // namespace printer

class IPrinterSettingReader {
public:
    virtual ~IPrinterSettingReader() = default;
    // mask: the settings to read (CPrinterSettingReader's bits). 1 when every one was read, 0 at the
    // first that was not; the fields shown before it keep their texts.
    virtual int Read(printer::ISettingSink& sink, int mask) = 0;
};

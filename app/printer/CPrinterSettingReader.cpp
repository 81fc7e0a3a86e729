#include "printer/CPrinterSettingReader.h"

#include <cstdint>
#include <string>
#include <utility>

#include "printer/CAutoPrinterStream.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/IEepromRW.h"
#include "printer/PortSession.h"
#include "printer/SettingTexts.h"

namespace {

using printer::SettingField;

struct Setting {
    int bit;
    int steps;
    SettingField field;
};

constexpr Setting kSettings[] = {
    {CPrinterSettingReader::kDeviceId, 1, SettingField::DeviceId},
    {CPrinterSettingReader::kUsbSerial, CPrinterSettingReader::kUsbSerialLength, SettingField::UsbSerial},
    {CPrinterSettingReader::kReserved, 1, SettingField::Reserved},
    {CPrinterSettingReader::kCharacterTable, 1, SettingField::CharacterTable},
    {CPrinterSettingReader::kPrintingDirection, 1, SettingField::PrintingDirection},
    {CPrinterSettingReader::kIbmCharacter, 1, SettingField::IbmCharacter},
    {CPrinterSettingReader::kPageLength, 1, SettingField::PageLength},
};

// Holds the references of one Read and gives each back on every way out.
template <class Interface>
class Held {
public:
    explicit Held(Interface* object = nullptr) : object_(object) {}
    ~Held() { Reset(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    void Reset() {
        if (object_ != nullptr) {
            object_->Release();
            object_ = nullptr;
        }
    }
    Interface* operator->() const { return object_; }
    Interface* Get() const { return object_; }
    Interface** Out() { return &object_; }

private:
    Interface* object_;
};

}  // namespace

CPrinterSettingReader::CPrinterSettingReader(printer::Target target, printer::SettingMap map,
                                             IPrinterErrorCallback* callback)
    : target_(std::move(target)), map_(map), callback_(callback) {}

int CPrinterSettingReader::StepCount(int mask) {
    int total = 0;
    for (const Setting& setting : kSettings) {
        if ((mask & setting.bit) != 0) {
            total += setting.steps;
        }
    }
    return total;
}

int CPrinterSettingReader::Read(printer::ISettingSink& sink, int mask) {
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("setting reader");
    if (!exchange) {
        return 0;
    }
    for (const Setting& setting : kSettings) {
        if ((mask & setting.bit) != 0) {
            sink.Show(setting.field, std::string());
        }
    }
    sink.Start(StepCount(mask));

    Held<IEepromRW> eeprom;
    if (CreateEepromRW(eeprom.Out(), target_, callback_) == 0) {
        return 0;
    }
    std::string modelName;
    {
        Held<platform::ISequentialStream> stream;
        if (CreatePrinterStreamByName(stream.Out(), target_.portName) == 0) {
            return 0;
        }
        modelName =
            static_cast<CAutoPrinterStream*>(static_cast<IPrinterStream*>(stream.Get()))->GetModelName();
    }

    if ((mask & kDeviceId) != 0) {
        if (!modelName.empty()) {
            sink.Show(SettingField::DeviceId, "ORLEX " + modelName);
        }
        sink.Step();
    }
    if ((mask & kUsbSerial) != 0) {
        // A model without a USB serial number has no cells to read: its field stays empty.
        if (map_.usbSerial >= 0) {
            char serial[kUsbSerialLength + 1] = {};
            for (int i = 0; i < kUsbSerialLength; ++i) {
                std::uint8_t byte = 0;
                if (eeprom->ReadByte(map_.usbSerial + i, &byte) == 0) {
                    return 0;
                }
                serial[i] = static_cast<char>(byte);
                sink.Show(SettingField::UsbSerial, serial);
                sink.Step();
            }
        } else {
            for (int i = 0; i < kUsbSerialLength; ++i) {
                sink.Step();
            }
        }
    }

    const std::array<int, 7>& address = map_.initial;
    if ((mask & kCharacterTable) != 0) {
        std::uint16_t table = 0;
        if (ReadEepromWord(eeprom.Get(), address[1], address[2], &table) == 0) {
            return 0;
        }
        sink.Show(SettingField::CharacterTable, printer::CharacterTableName(table, map_.thaiCustomer));
        sink.Step();
    }
    if ((mask & kPrintingDirection) != 0) {
        std::uint8_t direction = 0;
        if (address[3] < 0 || eeprom->ReadByte(address[3], &direction) == 0) {
            return 0;
        }
        sink.Show(SettingField::PrintingDirection, printer::PrintingDirectionName(direction));
        sink.Step();
    }
    if ((mask & kIbmCharacter) != 0) {
        std::uint8_t ibm = 0;
        if (address[4] < 0 || eeprom->ReadByte(address[4], &ibm) == 0) {
            return 0;
        }
        sink.Show(SettingField::IbmCharacter, printer::IbmCharacterName(ibm));
        sink.Step();
    }
    if ((mask & kPageLength) != 0) {
        std::uint16_t length = 0;
        if (ReadEepromWord(eeprom.Get(), address[5], address[6], &length) == 0) {
            return 0;
        }
        sink.Show(SettingField::PageLength, printer::PageLengthText(length));
        sink.Step();
    }

    eeprom.Reset();
    sink.Finish();
    return 1;
}

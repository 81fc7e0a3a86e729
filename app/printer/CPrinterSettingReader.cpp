#include "printer/CPrinterSettingReader.h"

#include <array>
#include <cstdint>
#include <string>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/IProgressCallback.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/CEepromRwByApDllD4.h"
#include "printer/IEepromRW.h"
#include "printer/SettingTexts.h"

namespace {

struct Setting {
    int bit;
    int steps;
    std::string CAdjustInfoFields::*field;
};

constexpr Setting kSettings[] = {
    {CPrinterSettingReader::kDeviceId, 1, &CAdjustInfoFields::strDeviceID},
    {CPrinterSettingReader::kUsbSerial, CPrinterSettingReader::kUsbSerialLength,
     &CAdjustInfoFields::strUSBSerial},
    {CPrinterSettingReader::kReserved, 1, &CAdjustInfoFields::strReserved},
    {CPrinterSettingReader::kCharacterTable, 1, &CAdjustInfoFields::strCharTable},
    {CPrinterSettingReader::kPrintingDirection, 1, &CAdjustInfoFields::strPrintDirection},
    {CPrinterSettingReader::kIbmCharacter, 1, &CAdjustInfoFields::strIBMChar},
    {CPrinterSettingReader::kPageLength, 1, &CAdjustInfoFields::strPageLength},
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

// The pane the fields go to, and a redraw after each change. Without a published pane the texts are
// read all the same and go nowhere.
class PaneWriter {
public:
    PaneWriter() : pane_(FindInformationPane()) {}
    void Set(std::string CAdjustInfoFields::*field, const std::string& text) {
        if (pane_ != nullptr) {
            pane_->m_fields.*field = text;
            pane_->UpdateText();
        }
    }

private:
    CAdjustInfoInnerDlg* pane_;
};

// The EEPROM addresses of the settings: pnEEPInitAddress cut or padded with 0 to seven entries.
std::array<int, 7> SettingAddresses() {
    std::array<int, 7> addresses{};
    const std::vector<int>& listed = CTolvPrnParam::Instance()->pnEEPInitAddress;
    for (std::size_t i = 0; i < addresses.size() && i < listed.size(); ++i) {
        addresses[i] = listed[i];
    }
    return addresses;
}

}  // namespace

int CPrinterSettingReader::StepCount(int mask) {
    int total = 0;
    for (const Setting& setting : kSettings) {
        if ((mask & setting.bit) != 0) {
            total += setting.steps;
        }
    }
    return total;
}

int CPrinterSettingReader::Read(IProgressCallback* progress, int mask) {
    if (progress != nullptr) {
        progress->AddRef();
    }
    Held<IProgressCallback> heldProgress(progress);
    auto step = [progress] {
        if (progress != nullptr) {
            progress->Step();
        }
    };

    PaneWriter pane;
    for (const Setting& setting : kSettings) {
        if ((mask & setting.bit) != 0) {
            pane.Set(setting.field, std::string());
        }
    }
    if (progress != nullptr) {
        progress->SetStepCount(StepCount(mask));
    }

    const CTolvAppParam& settings = *CTolvAppParam::Instance();
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    Held<IEepromRW> eeprom;
    if (CreateEepromRW(eeprom.Out(), settings.strPortName, model.ModelIdByte(0), model.ModelIdByte(1),
                       static_cast<std::uint32_t>(model.nADRSMax)) == 0) {
        return 0;
    }
    std::string modelName;
    {
        Held<platform::ISequentialStream> stream;
        if (CreatePrinterStreamByName(stream.Out(), settings.strPortName) == 0) {
            return 0;
        }
        modelName =
            static_cast<CAutoPrinterStream*>(static_cast<IPrinterStream*>(stream.Get()))->GetModelName();
    }

    if ((mask & kDeviceId) != 0) {
        if (!modelName.empty()) {
            pane.Set(&CAdjustInfoFields::strDeviceID, "ORLEX " + modelName);
        }
        step();
    }
    if ((mask & kUsbSerial) != 0) {
        // A model without a USB serial number has no cells to read: its field stays empty.
        if (model.nADRSUSBSerial >= 0) {
            char serial[kUsbSerialLength + 1] = {};
            for (int i = 0; i < kUsbSerialLength; ++i) {
                std::uint8_t byte = 0;
                if (eeprom->ReadByte(model.nADRSUSBSerial + i, &byte) == 0) {
                    return 0;
                }
                serial[i] = static_cast<char>(byte);
                pane.Set(&CAdjustInfoFields::strUSBSerial, serial);
                step();
            }
        } else {
            for (int i = 0; i < kUsbSerialLength; ++i) {
                step();
            }
        }
    }

    const std::array<int, 7> address = SettingAddresses();
    if ((mask & kCharacterTable) != 0) {
        std::uint16_t table = 0;
        if (ReadEepromWord(eeprom.Get(), address[1], address[2], &table) == 0) {
            return 0;
        }
        pane.Set(&CAdjustInfoFields::strCharTable,
                 printer::CharacterTableName(table, settings.strCustomerName == "THAI"));
        step();
    }
    if ((mask & kPrintingDirection) != 0) {
        std::uint8_t direction = 0;
        if (address[3] < 0 || eeprom->ReadByte(address[3], &direction) == 0) {
            return 0;
        }
        pane.Set(&CAdjustInfoFields::strPrintDirection, printer::PrintingDirectionName(direction));
        step();
    }
    if ((mask & kIbmCharacter) != 0) {
        std::uint8_t ibm = 0;
        if (address[4] < 0 || eeprom->ReadByte(address[4], &ibm) == 0) {
            return 0;
        }
        pane.Set(&CAdjustInfoFields::strIBMChar, printer::IbmCharacterName(ibm));
        step();
    }
    if ((mask & kPageLength) != 0) {
        std::uint16_t length = 0;
        if (ReadEepromWord(eeprom.Get(), address[5], address[6], &length) == 0) {
            return 0;
        }
        pane.Set(&CAdjustInfoFields::strPageLength, printer::PageLengthText(length));
        step();
    }

    eeprom.Reset();
    if (progress != nullptr) {
        progress->ResetPosition();
    }
    return 1;
}

#include "vprinter/model/ModelProfile.h"

#include <filesystem>
#include <system_error>

#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "platform/ModulePath.h"

namespace vprinter {
namespace {

// Both shipped models keep the firmware's values at the same places.
constexpr EepromLayout kLayouts[] = {
    {nullptr, 0x04, 0x08, 0x0C, 0x77, 0x7C, 0xA2, 0xC0, 0xFE},
};

bool IsPlainFolderName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

}  // namespace

const EepromLayout& LayoutOf(const std::string& model) {
    for (const EepromLayout& layout : kLayouts) {
        if (layout.model != nullptr && model == layout.model) {
            return layout;
        }
    }
    return kLayouts[0];
}

bool LoadModelProfile(const std::string& profile, ModelProfile* out, std::string* error) {
    if (!IsPlainFolderName(profile)) {
        *error = "'" + profile + "' is not a profile name";
        return false;
    }
    // The profile reader is the program's singleton; it is loaded for this one read and let go again,
    // so that several printers of different models can be read one after the other.
    const config::ScopedConfiguration configuration;
    CTolvPrnParam& printer = *CTolvPrnParam::Instance();
    printer.SetProfile(profile);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(platform::NativePath(printer.GetPath()), ignored)) {
        *error = "there is no profile '" + profile + "' (" + platform::NativePath(printer.GetPath()) +
                 " is missing)";
        return false;
    }
    ModelProfile model;
    model.model = profile;
    model.columns = printer.nColumn;
    // An EEPROM of fewer than 256 bytes is read as 256; an absurd size is bounded to what a two-byte
    // address can reach.
    model.lastEepromAddress =
        printer.nADRSMax < 255 ? 255 : (printer.nADRSMax > 0xFFFF ? 0xFFFF : printer.nADRSMax);
    model.twoByteAddress = printer.HasTwoByteEepromAddress();
    model.commandCode[0] = printer.ModelIdByte(0);
    model.commandCode[1] = printer.ModelIdByte(1);
    model.usbSerialAddress = printer.nADRSUSBSerial;
    model.needsModelPreamble = printer.NeedsModelPreamble(0);
    for (std::size_t i = 0; i < model.eepromInit.size(); ++i) {
        model.eepromInit[i] = i < printer.pnEEPInit.size() ? printer.pnEEPInit[i] : -1;
    }
    for (std::size_t i = 0; i < printer.pnEEPInitAddress.size() && printer.pnEEPInitAddress[i] != -1; ++i) {
        model.customerAddresses.push_back(printer.pnEEPInitAddress[i]);
        const std::vector<int>& values = printer.pnCustomerData[0];
        model.customerValues.push_back(i < values.size() ? values[i] : -1);
    }
    *out = std::move(model);
    return true;
}

}  // namespace vprinter

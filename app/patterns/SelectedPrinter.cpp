#include "patterns/SelectedPrinter.h"

#include <cstdint>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"

namespace patterns {

printer::Target SelectedPrinter() {
    const CTolvAppParam& settings = *CTolvAppParam::Instance();
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    printer::Target target;
    target.portName = settings.strPortName;
    target.code1 = model.ModelIdByte(0);
    target.code2 = model.ModelIdByte(1);
    target.lastAddress = static_cast<std::uint32_t>(model.nADRSMax);
    target.modelPreamble = model.NeedsModelPreamble(settings.nCustomerIndex);
    return target;
}

printer::SettingMap SelectedSettingMap() {
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    printer::SettingMap map;
    map.usbSerial = model.nADRSUSBSerial;
    // pnEEPInitAddress cut or padded with 0 to seven entries.
    for (std::size_t i = 0; i < map.initial.size() && i < model.pnEEPInitAddress.size(); ++i) {
        map.initial[i] = model.pnEEPInitAddress[i];
    }
    map.thaiCustomer = CTolvAppParam::Instance()->strCustomerName == "THAI";
    return map;
}

printer::MarginScale SelectedMarginScale() {
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    printer::MarginScale scale;
    scale.stepsPerInch = model.nMarginStepsPerInch > 0 ? model.nMarginStepsPerInch
                                                       : printer::StepsPerInchOfModel(model.strProfileName);
    // The third mechanical adjustment value; a profile listing fewer has no offset.
    constexpr std::size_t kBottomOffsetIndex = 2;
    scale.bottomOffset =
        model.pnMecaAdjVal.size() > kBottomOffsetIndex ? model.pnMecaAdjVal[kBottomOffsetIndex] : 0;
    return scale;
}

}  // namespace patterns

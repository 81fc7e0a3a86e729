#include "patterns/PatternModelFromConfig.h"

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"

namespace patterns {

PatternModel PatternModelFromConfig() {
    const CTolvPrnParam& printer = *CTolvPrnParam::Instance();
    const CTolvAppParam& settings = *CTolvAppParam::Instance();

    PatternModel model;
    model.firstIdByte = printer.ModelIdByte(0);
    model.secondIdByte = printer.ModelIdByte(1);
    model.columns = printer.nColumn;
    model.eepromAddressForm = printer.HasTwoByteEepromAddress() ? protocol::factory::AddressForm::TwoByte
                                                                : protocol::factory::AddressForm::OneByte;
    model.eepromInit = printer.pnEEPInit;
    model.eepromVerify = printer.pnEEPVerify;
    model.eepromCompare = printer.pnEEPCompare;
    model.customerAddresses = printer.pnEEPInitAddress;
    const int customer = settings.nCustomerIndex;
    if (customer >= 0 && customer < CTolvPrnParam::kCustomerSlots) {
        model.customerValues = printer.pnCustomerData[customer];
        model.programName = printer.strInfoName[customer];
    }
    model.eepromTitle = printer.strEEPTitle;
    model.usbSerialAddress = printer.nADRSUSBSerial;
    model.factorySetting = settings.strFactorySetting;
    model.beltNumber = settings.strBeltNo;
    model.pcNumber = settings.strPcNo;
    return model;
}

}  // namespace patterns

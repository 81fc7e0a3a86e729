// The model profile of the selected printer: Parameter\{profile}\Parameter.ini below the executable's
// folder. Read only; reloaded whenever another profile is chosen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/CParamLoaderIniFile.h"
#include "config/Singleton.h"
#include "protocol/PrinterCommandCodes.h"

// One destination of the model ([CUSTOMERnn] and [CCODEn]).
struct TolvCustomer {
    std::string strTitle;     // shown in the customer list; empty for an unused slot
    std::string strDeviceID;  // the IEEE 1284 device ID the customer's printer reports
    std::string strCustomerInf[10];
    std::string strCCodeInf[10];
};

class CTolvPrnParam : public _singleton<CTolvPrnParam> {
public:
    static constexpr int kCustomerSlots = 15;
    static constexpr int kEepromMapSize = 256;

    // Points the loader at the named profile's file, reads it again (every member is overwritten, with
    // the defaults where the file has nothing) and counts the customers again.
    void SetProfile(const std::string& name);

    // Parameter\{profile}\Parameter.ini below the executable's folder.
    const std::string& GetPath() const;

    // EEPROM commands carry a two-byte address on models whose EEPROM reaches past address 255.
    bool HasTwoByteEepromAddress() const {
        return protocol::factory::AddressFormForLastAddress(nADRSMax) ==
               protocol::factory::AddressForm::TwoByte;
    }
    // Identification byte 0 or 1 of the model: the low byte of that element of pnRNumber, 0 when the
    // profile lists fewer numbers.
    std::uint8_t ModelIdByte(int index) const;

    // The printer of the customer in that slot must be told its model (protocol::fs::
    // kModelPreambleCommand) before each status query and EEPROM channel: the profile names its
    // device ID in strPreambleDeviceID and the customer's device ID is exactly that text. Never for
    // a slot outside 0-14 or an empty strPreambleDeviceID.
    bool NeedsModelPreamble(int customerIndex) const;

    // [CONTROL]
    std::string strCustomVer;
    std::vector<int> pnRNumber;
    int nPin = 24;
    int nColumn = 80;
    int nADRSMax = 127;  // highest EEPROM address
    int nUseOrlexPort = 0;
    int nBeltNameIn = 1;
    int nADRSUSBSerial = 1;  // first of the 18 bytes of the USB serial number; -1 when the model has none
    int nADRSCheck = 1;
    std::vector<int> pnMecaAdjVal;
    std::string strPreambleDeviceID;  // the device ID that needs the model preamble; empty for none
    // Paper feed steps per inch of the stored margins; 0 when the profile does not say (the margin
    // pages then go by the model name).
    int nMarginStepsPerInch = 0;

    // [BID]
    std::vector<int> pnDefaultBidVal;  // one per print mode
    std::vector<int> pnBidValueRange;  // smallest and largest value
    std::string strBidName[3];

    // [EEPROM_TITLE] and the three maps of 256 addresses; a value 0..255 is the byte written (INIT)
    // or expected (COMPARE, VERIFY), any other value leaves the address alone.
    std::string strEEPTitle;
    std::vector<int> pnEEPCompare;
    std::vector<int> pnEEPInit;
    std::vector<int> pnEEPVerify;

    // [EEPROM_CUSTOMER_INIT]: the addresses, ending at the first -1 or at the end of the list, and per
    // customer the byte for each of them (-1 skips the address).
    std::vector<int> pnEEPInitAddress;
    std::vector<int> pnCustomerData[kCustomerSlots];

    // [INFORMATION_NAME]
    std::string strInfoName[kCustomerSlots];

    TolvCustomer customer[kCustomerSlots];

    std::string strProfileName;   // taken from the settings when created, then from SetProfile
    std::string strCustomerName;  // the settings' customer name when created
    int nCustomerCount = 0;       // 1 + the highest slot with a title; slots without one below it count

private:
    friend class _singleton<CTolvPrnParam>;
    CTolvPrnParam();
    ~CTolvPrnParam();
    CTolvPrnParam(const CTolvPrnParam&) = delete;
    CTolvPrnParam& operator=(const CTolvPrnParam&) = delete;

    void Bind();
    void LoadProfile();

    std::unique_ptr<CParamLoaderIniFile> loader_;
};

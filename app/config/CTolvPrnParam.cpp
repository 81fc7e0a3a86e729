#include "config/CTolvPrnParam.h"

#include <cstdio>

#include "config/CTolvAppParam.h"
#include "config/ProfilePaths.h"
#include "config/StringTable.h"
#include "config/TextFormat.h"

namespace {

constexpr int kSlicesPerMap = 16;
constexpr int kSliceLength = 16;
constexpr const char* kSliceDefault = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
constexpr const char* kUnusedAddresses = "-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1";

}  // namespace

CTolvPrnParam::CTolvPrnParam() : loader_(std::make_unique<CParamLoaderIniFile>()) {
    Bind();
    const CTolvAppParam* settings = CTolvAppParam::Instance();
    strProfileName = settings->strProfile;
    strCustomerName = settings->strCustomerName;
    LoadProfile();
}

CTolvPrnParam::~CTolvPrnParam() = default;

void CTolvPrnParam::Bind() {
    IParamLoader& loader = *loader_;
    loader.AddString("CONTROL", "strCustomVer", &strCustomVer, "1.00");
    loader.AddIntList("CONTROL", "pnRNumber", &pnRNumber, "0 0");
    loader.AddInt("CONTROL", "nPin", &nPin, 24);
    loader.AddInt("CONTROL", "nColumn", &nColumn, 80);
    loader.AddInt("CONTROL", "nADRSMax", &nADRSMax, 127);
    loader.AddInt("CONTROL", "nUseOrlexPort", &nUseOrlexPort, 0);
    loader.AddInt("CONTROL", "nBeltNameIn", &nBeltNameIn, 1);
    loader.AddInt("CONTROL", "nADRSUSBSerial", &nADRSUSBSerial, 1);
    loader.AddInt("CONTROL", "nADRSCheck", &nADRSCheck, 1);
    loader.AddIntList("CONTROL", "pnMecaAdjVal", &pnMecaAdjVal, "0 0 0");
    loader.AddString("CONTROL", "strPreambleDeviceID", &strPreambleDeviceID, "");
    loader.AddInt("CONTROL", "nMarginStepsPerInch", &nMarginStepsPerInch, 0);

    loader.AddIntList("BID", "pnDefaultBidVal", &pnDefaultBidVal, "0 0 0");
    loader.AddIntList("BID", "pnBidValueRange", &pnBidValueRange, "-12 12");
    loader.AddString("BID", "strBidName00", &strBidName[0], "VR0");
    loader.AddString("BID", "strBidName01", &strBidName[1], "VR1");
    loader.AddString("BID", "strBidName02", &strBidName[2], "VR2");

    loader.AddString("EEPROM_TITLE", "strEEPTitle", &strEEPTitle, "");

    // Slice n holds addresses 16n .. 16n+15 and is named after its first address: pnADRS_0x00 ..
    // pnADRS_0xF0. Bound in increasing order, each map grows to its full 256 entries on every load.
    const struct {
        const char* section;
        std::vector<int>* map;
    } maps[] = {
        {"EEPROM_COMPARE", &pnEEPCompare}, {"EEPROM_INIT", &pnEEPInit}, {"EEPROM_VERIFY", &pnEEPVerify}};
    for (const auto& map : maps) {
        for (int slice = 0; slice < kSlicesPerMap; ++slice) {
            loader.AddIntListSlice(map.section, config::FormatText("pnADRS_0x%X0", slice), map.map,
                                   slice * kSliceLength, kSliceLength, kSliceDefault);
        }
    }

    loader.AddIntList("EEPROM_CUSTOMER_INIT", "pnEEPInitAddress", &pnEEPInitAddress, kUnusedAddresses);
    for (int i = 0; i < kCustomerSlots; ++i) {
        loader.AddIntList("EEPROM_CUSTOMER_INIT", config::FormatText("pnCustomerData%02d", i),
                          &pnCustomerData[i], kUnusedAddresses);
    }
    for (int i = 0; i < kCustomerSlots; ++i) {
        loader.AddString("INFORMATION_NAME", config::FormatText("strInfoName%02d", i), &strInfoName[i], "");
    }
    for (int i = 0; i < kCustomerSlots; ++i) {
        // The customer sections have two digits (CUSTOMER00), the character code sections none (CCODE0).
        const std::string customerSection = config::FormatText("CUSTOMER%02d", i);
        const std::string codeSection = config::FormatText("CCODE%d", i);
        TolvCustomer& entry = customer[i];
        loader.AddString(customerSection, "strTitle", &entry.strTitle, "");
        loader.AddString(customerSection, "strDeviceID", &entry.strDeviceID, "");
        for (int line = 0; line < 10; ++line) {
            loader.AddString(customerSection, config::FormatText("strCustomerInf%02d", line),
                             &entry.strCustomerInf[line], "");
        }
        for (int line = 0; line < 10; ++line) {
            loader.AddString(codeSection, config::FormatText("strCCodeInf%02d", line),
                             &entry.strCCodeInf[line], "");
        }
    }
}

void CTolvPrnParam::LoadProfile() {
    loader_->SetPath(config::ProfileFolder(strProfileName) + kStrParameterFolder + ".ini");
    loader_->Load();
    // Slots without a title below the last titled one still count: the customer list keeps them as
    // empty rows so that a row's index is the customer's slot.
    nCustomerCount = 0;
    for (int i = 0; i < kCustomerSlots; ++i) {
        if (!customer[i].strTitle.empty()) {
            nCustomerCount = i + 1;
        }
    }
}

void CTolvPrnParam::SetProfile(const std::string& name) {
    strProfileName = name;
    LoadProfile();
}

const std::string& CTolvPrnParam::GetPath() const {
    return loader_->GetPath();
}

std::uint8_t CTolvPrnParam::ModelIdByte(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= pnRNumber.size()) {
        return 0;
    }
    return static_cast<std::uint8_t>(pnRNumber[static_cast<std::size_t>(index)] & 0xFF);
}

bool CTolvPrnParam::NeedsModelPreamble(int customerIndex) const {
    if (customerIndex < 0 || customerIndex >= kCustomerSlots || strPreambleDeviceID.empty()) {
        return false;
    }
    return customer[customerIndex].strDeviceID == strPreambleDeviceID;
}

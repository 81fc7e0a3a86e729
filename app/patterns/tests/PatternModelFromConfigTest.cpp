
#include "PatternTestSupport.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "config/ConfigurationScope.h"
#include "patterns/PatternModelFromConfig.h"
#include "testsupport/TemporaryFolder.h"

namespace {

constexpr const char* kProfile =
    "[CONTROL]\n"
    "pnRNumber=0x157 0x2D\n"
    "nColumn=106\n"
    "nADRSMax=300\n"
    "nADRSUSBSerial=-1\n"
    "[EEPROM_TITLE]\n"
    "strEEPTitle=EEP-TEST\n"
    "[EEPROM_INIT]\n"
    "pnADRS_0x10=1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n"
    "[EEPROM_CUSTOMER_INIT]\n"
    "pnEEPInitAddress=0x20 0x21 -1\n"
    "pnCustomerData02=0x05 -1\n"
    "[INFORMATION_NAME]\n"
    "strInfoName02=TEST-UK\n";

// A profile folder of its own, made the executable's folder for the configuration classes.
class PatternModelFromConfig : public ::testing::Test {
protected:
    PatternModelFromConfig() { folder_.Write("Parameter/TEST/Parameter.ini", kProfile); }

    testsupport::TemporaryFolder folder_{"tolv-patterns"};
    config::ScopedConfiguration configuration_{folder_.Path()};
};

TEST_F(PatternModelFromConfig, TakesTheModelTheCustomerAndTheRunsTexts) {
    CTolvAppParam* settings = CTolvAppParam::Instance();
    settings->nCustomerIndex = 2;
    settings->strFactorySetting = "Plant 2";
    settings->strBeltNo = "B-17";
    settings->strPcNo = "PC-03";
    CTolvPrnParam::Instance()->SetProfile("TEST");

    const patterns::PatternModel model = patterns::PatternModelFromConfig();
    EXPECT_EQ(model.firstIdByte, 0x57);
    EXPECT_EQ(model.secondIdByte, 0x2D);
    EXPECT_EQ(model.columns, 106);
    EXPECT_EQ(model.eepromAddressForm, protocol::factory::AddressForm::TwoByte);
    ASSERT_EQ(model.eepromInit.size(), 256u);
    EXPECT_EQ(model.eepromInit[0x10], 1);
    EXPECT_EQ(model.eepromInit[0x1F], 16);
    EXPECT_EQ(model.customerAddresses, (std::vector<int>{0x20, 0x21, -1}));
    EXPECT_EQ(model.customerValues, (std::vector<int>{0x05, -1}));
    EXPECT_EQ(model.programName, "TEST-UK");
    EXPECT_EQ(model.eepromTitle, "EEP-TEST");
    EXPECT_FALSE(model.HasUsbSerialAddress());
    EXPECT_EQ(model.factorySetting, "Plant 2");
    EXPECT_EQ(model.beltNumber, "B-17");
    EXPECT_EQ(model.pcNumber, "PC-03");
}

TEST_F(PatternModelFromConfig, ACustomerIndexOutsideTheSlotsGivesNoCustomerBytes) {
    for (const int index : {-1, 15}) {
        SCOPED_TRACE(index);
        CTolvAppParam::Instance()->nCustomerIndex = index;
        CTolvPrnParam::Instance()->SetProfile("TEST");
        const patterns::PatternModel model = patterns::PatternModelFromConfig();
        EXPECT_TRUE(model.customerValues.empty());
        EXPECT_TRUE(model.programName.empty());
    }
}

}  // namespace

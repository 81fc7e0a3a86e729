#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigTest.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"

namespace {

class PrnParamTest : public ConfigTest {
protected:
    void WriteProfile(const std::string& name, const std::string& text) {
        folder_.Write("Parameter/" + name + "/Parameter.ini", text);
    }
    // The profile chosen in TOLVANE.INI is the one read when the object is created.
    CTolvPrnParam& Open(const std::string& name) {
        folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=" + name + "\r\n");
        return *CTolvPrnParam::Instance();
    }
};

TEST_F(PrnParamTest, MissingProfileGivesTheDefaults) {
    const CTolvPrnParam& p = Open("NoSuchModel");
    EXPECT_EQ(p.strProfileName, "NoSuchModel");
    EXPECT_EQ(p.GetPath(), folder_.Path() + "Parameter\\NoSuchModel\\Parameter.ini");
    EXPECT_EQ(p.nCustomerCount, 0);
    EXPECT_EQ(p.strCustomVer, "1.00");
    EXPECT_EQ(p.pnRNumber, (std::vector<int>{0, 0}));
    EXPECT_EQ((std::vector<int>{p.nPin, p.nColumn, p.nADRSMax, p.nUseOrlexPort, p.nBeltNameIn,
                                p.nADRSUSBSerial, p.nADRSCheck}),
              (std::vector<int>{24, 80, 127, 0, 1, 1, 1}));
    EXPECT_EQ(p.pnBidValueRange, (std::vector<int>{-12, 12}));
    EXPECT_EQ(p.pnDefaultBidVal, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(p.strBidName[0] + p.strBidName[1] + p.strBidName[2], "VR0VR1VR2");
    for (const std::vector<int>* map : {&p.pnEEPCompare, &p.pnEEPInit, &p.pnEEPVerify}) {
        EXPECT_EQ(*map, std::vector<int>(256, 0));
    }
    EXPECT_EQ(p.pnEEPInitAddress, std::vector<int>(15, -1));
    EXPECT_EQ(p.pnCustomerData[14], std::vector<int>(15, -1));
    EXPECT_FALSE(p.HasTwoByteEepromAddress());
    EXPECT_EQ(p.ModelIdByte(0), 0);
}

TEST_F(PrnParamTest, ReadsTheNamedKeysAndSections) {
    WriteProfile("VK-1",
                 "[CONTROL]\r\npnRNumber=0x1234 86\r\nnColumn=136\r\nnADRSMax=511\r\n"
                 "[EEPROM_INIT]\r\npnADRS_0x10=-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\r\n"
                 "pnADRS_0xA0=1 2 3\r\n"
                 "[EEPROM_CUSTOMER_INIT]\r\npnEEPInitAddress=0x20 0x21\r\npnCustomerData03=5 6\r\n"
                 "[INFORMATION_NAME]\r\nstrInfoName14=Belt\r\n"
                 "[CUSTOMER03]\r\nstrTitle=Europe\r\nstrDeviceID=ORLEX VK-1\r\nstrCustomerInf09=nine\r\n"
                 "[CCODE3]\r\nstrCCodeInf00=PC437\r\n[CCODE03]\r\nstrCCodeInf01=wrong section\r\n");
    const CTolvPrnParam& p = Open("VK-1");
    EXPECT_EQ(p.ModelIdByte(0), 0x34);
    EXPECT_EQ(p.ModelIdByte(1), 86);
    EXPECT_EQ(p.ModelIdByte(2), 0);
    EXPECT_EQ(p.ModelIdByte(-1), 0);
    EXPECT_EQ(p.nColumn, 136);
    EXPECT_TRUE(p.HasTwoByteEepromAddress());
    // Slice 1 covers addresses 0x10 .. 0x1F, slice 10 (0xA0) is written with upper-case hex.
    std::vector<int> init(256, 0);
    std::fill(init.begin() + 0x10, init.begin() + 0x20, -1);
    init[0xA0] = 1;
    init[0xA1] = 2;
    init[0xA2] = 3;
    EXPECT_EQ(p.pnEEPInit, init);
    EXPECT_EQ(p.pnEEPCompare, std::vector<int>(256, 0));
    EXPECT_EQ(p.pnEEPInitAddress, (std::vector<int>{0x20, 0x21}));
    EXPECT_EQ(p.pnCustomerData[3], (std::vector<int>{5, 6}));
    EXPECT_EQ(p.strInfoName[14], "Belt");
    EXPECT_EQ(p.customer[3].strTitle, "Europe");
    EXPECT_EQ(p.customer[3].strDeviceID, "ORLEX VK-1");
    EXPECT_EQ(p.customer[3].strCustomerInf[9], "nine");
    EXPECT_EQ(p.customer[3].strCCodeInf[0], "PC437");
    EXPECT_EQ(p.customer[3].strCCodeInf[1], "");
}

TEST_F(PrnParamTest, CustomerCountCountsTheGapsBelowTheLastTitle) {
    WriteProfile("Many",
                 "[CUSTOMER00]\r\nstrTitle=A\r\nstrDeviceID=ORLEX Many\r\n[CUSTOMER01]\r\nstrTitle=B\r\n"
                 "[CUSTOMER04]\r\nstrTitle=E\r\n[CUSTOMER05]\r\nstrDeviceID=no title\r\n"
                 "[EEPROM_VERIFY]\r\npnADRS_0x00=9 9\r\n");
    WriteProfile("Few", "[CUSTOMER00]\r\nstrTitle=Only\r\n");
    CTolvPrnParam& p = Open("Many");
    EXPECT_EQ(p.nCustomerCount, 5);

    // Everything the second file leaves out returns to its default.
    p.SetProfile("Few");
    EXPECT_EQ(p.strProfileName, "Few");
    EXPECT_EQ(p.nCustomerCount, 1);
    EXPECT_EQ(p.customer[0].strTitle, "Only");
    EXPECT_EQ(p.customer[0].strDeviceID, "");
    EXPECT_EQ(p.customer[1].strTitle, "");
    EXPECT_EQ(p.customer[4].strTitle, "");
    EXPECT_EQ(p.pnEEPVerify, std::vector<int>(256, 0));

    p.SetProfile("Gone");
    EXPECT_EQ(p.nCustomerCount, 0);
}

TEST_F(PrnParamTest, TheModelPreambleGoesToTheDeviceIdTheProfileNames) {
    WriteProfile("Told",
                 "[CONTROL]\r\nstrPreambleDeviceID=ORLEX VK-9\r\n"
                 "[CUSTOMER00]\r\nstrTitle=A\r\nstrDeviceID=ORLEX VK-9\r\n"
                 "[CUSTOMER01]\r\nstrTitle=B\r\nstrDeviceID=ORLEX VK-90\r\n"
                 "[CUSTOMER02]\r\nstrTitle=C\r\nstrDeviceID=orlex vk-9\r\n"
                 "[CUSTOMER14]\r\nstrTitle=D\r\nstrDeviceID=ORLEX VK-9\r\n");
    // Without the row no customer needs it, not even those without a device ID.
    WriteProfile("Untold",
                 "[CUSTOMER00]\r\nstrTitle=A\r\n[CUSTOMER01]\r\nstrTitle=B\r\nstrDeviceID=ORLEX VK-9\r\n");
    CTolvPrnParam& p = Open("Told");
    EXPECT_EQ(p.strPreambleDeviceID, "ORLEX VK-9");
    const std::vector<std::pair<int, bool>> told = {{0, true},  {1, false},  {2, false}, {3, false},
                                                    {14, true}, {-1, false}, {15, false}};
    for (const auto& [slot, needs] : told) {
        EXPECT_EQ(p.NeedsModelPreamble(slot), needs) << slot;
    }
    p.SetProfile("Untold");
    EXPECT_EQ(p.strPreambleDeviceID, "");
    for (int slot = -1; slot <= CTolvPrnParam::kCustomerSlots; ++slot) {
        EXPECT_FALSE(p.NeedsModelPreamble(slot)) << slot;
    }
}

TEST_F(PrnParamTest, TakesTheCustomerNameFromTheSettings) {
    CTolvAppParam::Instance()->strCustomerName = "Europe";
    EXPECT_EQ(CTolvPrnParam::Instance()->strCustomerName, "Europe");
}

TEST_F(PrnParamTest, TheMarginStepIsThereOnlyWhileTheProfileGivesIt) {
    WriteProfile("Stepped", "[CONTROL]\r\nnMarginStepsPerInch=360\r\n");
    WriteProfile("Unstepped", "[CONTROL]\r\nnPin=24\r\n");
    CTolvPrnParam& p = Open("Stepped");
    EXPECT_EQ(p.nMarginStepsPerInch, 360);
    // A profile without the key must not keep the step of the one before it.
    p.SetProfile("Unstepped");
    EXPECT_EQ(p.nMarginStepsPerInch, 0);
}

}  // namespace

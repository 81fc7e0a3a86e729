#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigTest.h"
#include "config/CTolvAppParam.h"

namespace {

using AppParamTest = ConfigTest;

TEST_F(AppParamTest, MissingFileGivesTheDefaults) {
    const CTolvAppParam& p = *CTolvAppParam::Instance();
    EXPECT_EQ(p.GetPath(), folder_.Path() + "TOLVANE.INI");
    EXPECT_EQ(p.strProfile, "ProfileName");
    EXPECT_EQ(p.strPrinterID, "ProfileName");
    EXPECT_EQ(p.strProgName, "ProgName");
    EXPECT_EQ(p.strLanguage, "ProgName");
    EXPECT_EQ(p.pnInterface, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ((std::vector<int>{p.bDebugMode, p.bLockProfile, p.nPrinters, p.bMaximizeWnd, p.bErrSound,
                                p.nStartUpMenu, p.nQRScanOffline, p.nQRManualInput, p.nPacValve, p.nInkValve,
                                p.nAirValve, p.nVcmValve, p.nIOBoard}),
              (std::vector<int>{0, 0, 1, 0, 0, 0, 0, 0, 3, 3, 4, 5, 2}));
    EXPECT_EQ(p.strCustomerName + p.strPortName + p.strFactorySetting + p.strBeltNo + p.strPcNo, "");
    EXPECT_EQ(p.nCustomerIndex, 0);
}

TEST_F(AppParamTest, SaveReplacesKeysInPlaceAndAddsTheMissingOnes) {
    folder_.Write("TOLVANE.INI", "[Profile]\r\nstrLanguage=English\r\nnPrinters=2\r\n");
    CTolvAppParam& p = *CTolvAppParam::Instance();
    EXPECT_EQ(p.strLanguage, "English");
    p.strProfile = "VK-572D";
    p.pnInterface = {1, 10, 100, -1};
    p.Save();
    // Keys of an existing section stay where they were; new ones follow in binding order. nIOBoard
    // joins the [Setting] section written before [Valve].
    EXPECT_EQ(KeyLines(folder_.Read("TOLVANE.INI")), (std::vector<std::string>{
                                                         "[Profile]strLanguage=English",
                                                         "[Profile]nPrinters=2",
                                                         "[Profile]strProfile=VK-572D",
                                                         "[Profile]strPrinterID=ProfileName",
                                                         "[Profile]bLockProfile=0",
                                                         "[Profile]strProgName=ProgName",
                                                         "[Profile]bMaximizeWnd=0",
                                                         "[Profile]bErrSound=0",
                                                         "[Debug]bDebugMode=0",
                                                         "[Temp]nStartUpMenu=0",
                                                         "[Setting]pnInterface=1  10  100  -1",
                                                         "[Setting]nQRScanOffline=0",
                                                         "[Setting]nQRManualInput=0",
                                                         "[Setting]nIOBoard=2",
                                                         "[Valve]nPacValve=3",
                                                         "[Valve]nInkValve=3",
                                                         "[Valve]nAirValve=4",
                                                         "[Valve]nVcmValve=5",
                                                     }));
}

TEST_F(AppParamTest, ANewFileHoldsTheKeysInTableOrderAndReadsBack) {
    CTolvAppParam::Instance()->strProfile = "VK-2240II";
    CTolvAppParam::Instance()->Save();
    EXPECT_EQ(KeyLines(folder_.Read("TOLVANE.INI")), (std::vector<std::string>{
                                                         "[Debug]bDebugMode=0",
                                                         "[Profile]strProfile=VK-2240II",
                                                         "[Profile]strPrinterID=ProfileName",
                                                         "[Profile]bLockProfile=0",
                                                         "[Profile]strProgName=ProgName",
                                                         "[Profile]nPrinters=1",
                                                         "[Profile]bMaximizeWnd=0",
                                                         "[Profile]strLanguage=ProgName",
                                                         "[Profile]bErrSound=0",
                                                         "[Temp]nStartUpMenu=0",
                                                         "[Setting]pnInterface=0   0   0   0",
                                                         "[Setting]nQRScanOffline=0",
                                                         "[Setting]nQRManualInput=0",
                                                         "[Setting]nIOBoard=2",
                                                         "[Valve]nPacValve=3",
                                                         "[Valve]nInkValve=3",
                                                         "[Valve]nAirValve=4",
                                                         "[Valve]nVcmValve=5",
                                                     }));

    CTolvAppParam::DeleteInstance();
    EXPECT_EQ(CTolvAppParam::Instance()->strProfile, "VK-2240II");
}

TEST_F(AppParamTest, SaveKeepsCommentsAndForeignLines) {
    folder_.Write("TOLVANE.INI",
                  "; written by the service department\r\n[Profile]\r\nstrProfile=VK-572D ;model\r\n"
                  "strNote=kept\r\n");
    CTolvAppParam::Instance()->Save();
    const std::string file = folder_.Read("TOLVANE.INI");
    EXPECT_EQ(file.rfind("; written by the service department\r\n", 0), 0u) << file;
    EXPECT_NE(file.find("strProfile=VK-572D" + std::string(14, ' ') + ";model\r\n"), std::string::npos)
        << file;
    EXPECT_NE(file.find("strNote=kept\r\n"), std::string::npos);
}

}  // namespace

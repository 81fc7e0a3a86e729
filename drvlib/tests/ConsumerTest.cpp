// The device-driver library as the program uses it: through its public header only, linked as the
// program links it (on Windows through the import library of VexilDrv.dll), against printers of the
// vprinter server over loopback TCP. Every member the program calls is called here, and strings
// cross the module boundary both ways: texts the library fills are grown and freed here, and texts
// made here are copied and freed inside the library. A string whose buffer came from another heap
// than the one that frees it would end the program on Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

// The command code of the VK-572D (its profile's pnRNumber), which every production command carries.
constexpr unsigned char kCode1 = 0x57;
constexpr unsigned char kCode2 = 0x2D;

// The device path of the virtual printer at USB1, as the USB port discovery finds it.
constexpr char kUsb1DevicePath[] =
    "\\\\?\\USB#VID_1D6F&PID_0005#VPRINTER-USB1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

class ConsumerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
    }

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, ""};
};

TEST_F(ConsumerTest, TheProgramsCallsReachThePrinter) {
    auto* driver = new CWinVexilDrv;
    CString model;
    ASSERT_EQ(driver->Open(11, &model, 1), 0);
    driver->SetWriteSize(128);
    EXPECT_EQ(model, "ORLEX VK-572D");

    STATUSINF status;
    ASSERT_EQ(driver->Ctl_GetStatus(&status), 0);
    EXPECT_EQ(status.nStatus, 4);
    EXPECT_EQ(status.nError, 0);

    unsigned char sensors = 0xFF;
    EXPECT_EQ(driver->Prod_ReplySens(kCode1, kCode2, &sensors), 0);
    EXPECT_EQ(sensors, 0x0C);
    CString version;
    EXPECT_EQ(driver->Prod_ReplyRomVer2(kCode1, kCode2, &version), 0);
    EXPECT_EQ(version, "1.00");
    unsigned char value = 0;
    EXPECT_EQ(driver->Prod_ReplyEEP_SIDM(kCode1, kCode2, 0x20, &value, 0), 0);

    // ESC @ alone, then a page of text in pieces of the write size.
    unsigned char reset[] = {0x1B, 0x40};
    EXPECT_GE(driver->Send(reset, sizeof reset), 0);
    std::vector<unsigned char> text;
    for (int line = 0; line < 20; ++line) {
        const std::string row = "Line " + std::to_string(line) + ": the quick brown fox\r\n";
        text.insert(text.end(), row.begin(), row.end());
    }
    text.push_back(0x0C);
    unsigned long sent = 0;
    EXPECT_EQ(driver->SendEx(text.data(), static_cast<unsigned long>(text.size()), 0, &sent), 0);
    EXPECT_EQ(sent, text.size());

    EXPECT_EQ(driver->Close(), 0);
    delete driver;
}

TEST_F(ConsumerTest, OpensByDevicePath) {
    CWinVexilDrv driver;
    CString model;
    ASSERT_EQ(driver.Open(CString(kUsb1DevicePath), &model), 0);
    driver.SetWriteSize(128);
    EXPECT_EQ(model, "ORLEX VK-572D");
    STATUSINF status;
    EXPECT_EQ(driver.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(driver.Close(), 0);

    ASSERT_EQ(driver.Open(CString("\\\\.\\USB1"), &model), 0);
    EXPECT_EQ(driver.Close(), 0);
}

TEST_F(ConsumerTest, CopiesHandThePortBackOnceEach) {
    CWinVexilDrv original;
    ASSERT_EQ(original.Open(11, nullptr, 1), 0);
    {
        CWinVexilDrv copy(original);
        CWinVexilDrv assigned;
        assigned = original;
        assigned = assigned;
        CString copied;
        copy.GetDeviceID(&copied);
        EXPECT_EQ(copied, "ORLEX VK-572D");
        // Both go without Close: each gives back its own share of the port and nothing more.
    }
    STATUSINF status;
    EXPECT_EQ(original.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(original.Close(), 0);

    // Nothing holds the printer's port any longer: a new object opens it.
    CWinVexilDrv again;
    EXPECT_EQ(again.Open(11, nullptr, 1), 0);
    EXPECT_EQ(again.Close(), 0);
}

TEST_F(ConsumerTest, StringsCrossTheModuleBoundaryBothWays) {
    CWinVexilDrv driver;
    CString model;
    CString version;
    ASSERT_EQ(driver.Open(11, &model, 1), 0);
    ASSERT_EQ(driver.Prod_ReplyRomVer2(kCode1, kCode2, &version), 0);

    // Filled inside the library, grown here far past any first allocation, freed here.
    for (int i = 0; i < 120; ++i) {
        model += " 0123456789";
        version.Append("abcdefghij", 10);
    }
    EXPECT_EQ(model.GetLength(), 13 + 120 * 11);
    EXPECT_EQ(version.GetLength(), 4 + 1200);
    EXPECT_EQ(model.Left(13), "ORLEX VK-572D");
    EXPECT_EQ(driver.Close(), 0);

    // Made here, longer than any small-string buffer: the library copies it, fails to open the path
    // and frees its copies; it also empties the long model text this side allocated.
    std::string missing = "\\\\.\\";
    for (int i = 0; i < 150; ++i) {
        missing += "NoSuchPrinter";
    }
    const CString longPath(missing.c_str());
    EXPECT_EQ(driver.Open(longPath, &model), -1);
    EXPECT_TRUE(model.IsEmpty());
    EXPECT_EQ(longPath.GetLength(), static_cast<int>(missing.size()));
    model += "grown again after the library emptied it";
    EXPECT_EQ(model, "grown again after the library emptied it");
}

}  // namespace

// Opening by port code and by device path against printers of the model in process: the device-ID
// check, the connection the printer sees, the result codes the printer can provoke, Close.
#include <gtest/gtest.h>

#include <string>

#include "DriverFixture.h"
#include "DriverModule.h"
#include "drvlib/CWinVexilDrv.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace drvtest {
namespace {

class OpenCloseTest : public DriverFixture {};

TEST_F(OpenCloseTest, AUsbPrinterOpensByNumberWithTheConnectionAndTheDataChannelUp) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    CWinVexilDrv driver;
    CString model;
    ASSERT_EQ(driver.Open(11, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    CString stored;
    driver.GetDeviceID(&stored);
    EXPECT_EQ(stored, "ORLEX VK-572D");
    EXPECT_EQ(driver.CheckDirectMode(), 1);
    EXPECT_TRUE(printer.InPacketMode());
    EXPECT_TRUE(printer.Transport().ChannelOpen(0x40));
    // The control probe opened channel 2 and closed it again.
    EXPECT_FALSE(printer.Transport().ChannelOpen(0x02));

    EXPECT_EQ(driver.Close(), 0);
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    // Closing twice is harmless: the port counts as closed.
    EXPECT_EQ(driver.Close(), 0);
}

TEST_F(OpenCloseTest, PortCodesPickTheirPort) {
    AddPrinter("USB2");
    AddPrinter("LPT1");
    CWinVexilDrv driver;
    CString model;
    // 10: the first USB printer port found.
    ASSERT_EQ(driver.Open(10, &model, 1), 0);
    EXPECT_EQ(ports.OpenNow("USB2"), 1);
    driver.Close();
    // 0: LPT1.
    ASSERT_EQ(driver.Open(0, &model, 1), 0);
    EXPECT_EQ(ports.OpenNow("LPT1"), 1);
    driver.Close();
    // USB1 is not there.
    EXPECT_EQ(driver.Open(11, &model, 1), -1);
    EXPECT_TRUE(model.IsEmpty());
}

TEST_F(OpenCloseTest, AParallelPortThatOpensUnderNeitherNameGivesMinus91) {
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Open(3, nullptr, 1), -91);
    // Both names were tried and each was given the settling pause.
    EXPECT_GE(Elapsed(), 200u);
}

TEST_F(OpenCloseTest, AForeignParallelPrinterIsRetriedTenTimesThenRefusedAtOnceUntilAnOpenSucceeds) {
    AddPrinter("LPT1");
    ports.Control("LPT1", "device-id=MFG:OTHER;MDL:X-1;CMD:VXPRINT,D4;");
    CWinVexilDrv driver;
    CString model;
    const std::uint64_t before = Elapsed();
    EXPECT_EQ(driver.Open(1, &model, 1), -5);
    EXPECT_EQ(ports.OpenCount("LPT1"), 11);
    EXPECT_GE(Elapsed() - before, 10u * 100u);

    // The latch: the next open of a foreign printer gives up at once.
    EXPECT_EQ(driver.Open(1, &model, 1), -5);
    EXPECT_EQ(ports.OpenCount("LPT1"), 12);

    // Once the printer is the maker's, the open succeeds and the retries are armed again.
    ports.Control("LPT1", "device-id=own");
    ASSERT_EQ(driver.Open(1, &model, 1), 0);
    driver.Close();
    ports.Control("LPT1", "device-id=MFG:OTHER;MDL:X-1;CMD:D4;");
    const int opensBefore = ports.OpenCount("LPT1");
    EXPECT_EQ(driver.Open(1, &model, 1), -5);
    EXPECT_EQ(ports.OpenCount("LPT1") - opensBefore, 11);
}

TEST_F(OpenCloseTest, ADeviceIdWithoutD4IsRefusedOnParallelAndUsb) {
    AddPrinter("USB1");
    AddPrinter("LPT1");
    ports.Control("USB1", "device-id=MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT;");
    ports.Control("LPT1", "device-id=MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT;");
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Open(11, nullptr, 1), -6);
    EXPECT_EQ(driver.Open(1, nullptr, 1), -6);
    driver.Close();
    EXPECT_EQ(ports.OpenNow("LPT1"), 0);
}

TEST_F(OpenCloseTest, DeviceIdsWithoutKeysOrTerminatorAreReadSafely) {
    AddPrinter("USB1");
    CWinVexilDrv driver;
    CString model;
    // No MFG: or MDL: key: both values are empty.
    ports.Control("USB1", "device-id=CMD:D4;");
    ASSERT_EQ(driver.Open(11, &model, 1), 0);
    EXPECT_EQ(model, " ");
    driver.Close();
    // Longer than the 256-byte buffer and without a terminator inside it: cut at the buffer.
    ports.Control("USB1", "device-id=MFG:ORLEX;MDL:" + std::string(400, 'W') + ";CMD:D4;");
    EXPECT_EQ(driver.Open(11, &model, 1), -6);
    CString stored;
    driver.GetDeviceID(&stored);
    EXPECT_LT(stored.GetLength(), 256);
    EXPECT_EQ(stored.Find("ORLEX W"), 0);
}

TEST_F(OpenCloseTest, OpenByPathTakesTheDeviceAsUsb) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    CWinVexilDrv driver;
    CString model;
    EXPECT_EQ(driver.Open(CString(), &model), -1);
    ASSERT_EQ(driver.Open(CString("\\\\.\\USB1"), &model), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_TRUE(printer.Transport().ChannelOpen(0x40));
    driver.Close();
    EXPECT_EQ(driver.Open(CString("\\\\.\\USB7"), &model), -1);
}

TEST_F(OpenCloseTest, ASilentPrinterGivesNoConnectionAndLeavesNothingOpen) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    // The port still answers its device ID (the port driver's), but the printer no packet.
    ports.Control("USB1", "offline=silent");
    CWinVexilDrv driver;
    CString model;
    EXPECT_EQ(driver.Open(11, &model, 1), -80);
    EXPECT_TRUE(model.IsEmpty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    // Close after a failed open calls nothing through an empty connection.
    EXPECT_EQ(driver.Close(), 0);
    EXPECT_FALSE(printer.InPacketMode());
}

TEST_F(OpenCloseTest, ARefusedControlProbeEndsTheConnectionAndClosesThePort) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    ports.Control("USB1", "refuse-channel=2");
    CWinVexilDrv driver;
    CString model;
    EXPECT_EQ(driver.Open(11, &model, 1), -13);
    EXPECT_TRUE(model.IsEmpty());
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_EQ(driver.Close(), 0);
}

TEST_F(OpenCloseTest, ARefusedDataChannelLeavesTheConnectionUpWithResultOne) {
    vprinter::VirtualPrinter& printer = AddPrinter("USB1");
    ports.Control("USB1", "refuse-channel=0x40");
    CWinVexilDrv driver;
    CString model;
    EXPECT_EQ(driver.Open(11, &model, 1), 1);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_TRUE(printer.InPacketMode());
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    EXPECT_EQ(driver.Close(), 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
    EXPECT_FALSE(printer.InPacketMode());
}

TEST_F(OpenCloseTest, CopiesShareThePortAndTheLastOneClosesIt) {
    AddPrinter("USB1");
    auto* original = new CWinVexilDrv;
    ASSERT_EQ(original->Open(11, nullptr, 1), 0);
    CWinVexilDrv copy(*original);
    CWinVexilDrv assigned;
    assigned = *original;
    assigned = assigned;
    delete original;
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    CString model;
    copy.GetDeviceID(&model);
    EXPECT_EQ(model, "ORLEX VK-572D");
    EXPECT_EQ(copy.Close(), 0);
    EXPECT_EQ(ports.OpenNow("USB1"), 1);
    assigned.Close();
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

TEST(OpenOverTcpTest, TheServersPrintersOpenByNumberAndByPath) {
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    vprinter::LoopbackPrinters printers({"USB1=VK-572D", "LPT2=VK-2240II"}, "");
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    printers.InstallAsDeviceBackend();
    CWinVexilDrv driver;
    CString model;
    ASSERT_EQ(driver.Open(11, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-572D");
    driver.Close();
    ASSERT_EQ(driver.Open(2, &model, 1), 0);
    EXPECT_EQ(model, "ORLEX VK-2240II");
    driver.Close();
}

}  // namespace
}  // namespace drvtest

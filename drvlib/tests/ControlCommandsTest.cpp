// The control commands: their frames byte for byte, then the whole exchange against printers of the
// model in process (USB through the packet engine, LPT through the transport library) and one over
// loopback TCP, with the faults the printer can put on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ControlFrames.h"
#include "DriverFixture.h"
#include "DriverModule.h"
#include "drvlib/CWinVexilDrv.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace drvtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The VK-572D's model identifier, the k1 k2 of the EEPROM family.
constexpr unsigned char kK1 = 0x57;
constexpr unsigned char kK2 = 0x2D;

TEST(ControlFrames, LetterCommandsCarryTheirParameterCountLowByteFirst) {
    EXPECT_EQ(drvlib::StatusCommand(), (Bytes{'s', 't', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::DeviceIdCommand(), (Bytes{'d', 'i', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::InkChangeCommand(0x105), (Bytes{'x', 'i', 0x01, 0x00, 0x05}));
    EXPECT_EQ(drvlib::CleaningCommand(2), (Bytes{'c', 'h', 0x01, 0x00, 0x02}));
    EXPECT_EQ(drvlib::NozzleCheckCommand(), (Bytes{'n', 'c', 0x01, 0x00, 0x00}));
    EXPECT_EQ(drvlib::EndInkSequenceCommand(), (Bytes{'e', 'i', 0x01, 0x00, 0x00}));
    EXPECT_EQ(drvlib::ResetCommand(), (Bytes{'r', 's', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::CarriagePositionCommand(), (Bytes{'c', 'x', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::CartridgeInformationCommand(), (Bytes{'i', 'i', 0x01, 0x00, 0x01}));
    EXPECT_EQ(drvlib::PaperInformationCommand(-1), (Bytes{'c', 'm', 0x01, 0x00, 0xFF}));
    EXPECT_EQ(drvlib::FlashControlCommand(3), (Bytes{'f', 'l', 0x01, 0x00, 0x03}));
    EXPECT_EQ(drvlib::ClearInkChangeFlagCommand(),
              (Bytes{'e', 'x', 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x19, 0x00}));
    EXPECT_EQ(drvlib::RollPaperModeCommand(), (Bytes{'e', 'x', 0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05}));
}

TEST(ControlFrames, TimerSetShiftsItsFirstArgumentWithItsSign) {
    // 2026 = 0x7EA: (0x7EA >> 4) & 0xF0 = 0x70; the value itself goes as its low byte 0xEA.
    EXPECT_EQ(drvlib::TimerSetCommand(2026, 1, 2, 3, 4, 5),
              (Bytes{'t', 'i', 0x08, 0x00, 0x00, 0x70, 0xEA, 0x01, 0x02, 0x03, 0x04, 0x05}));
    // -32 >> 4 is -2, whose low byte masked with F0 is F0.
    EXPECT_EQ(drvlib::TimerSetCommand(-32, 0x112, 0, 0, 0, 0),
              (Bytes{'t', 'i', 0x08, 0x00, 0x00, 0xF0, 0xE0, 0x12, 0x00, 0x00, 0x00, 0x00}));
}

TEST(ControlFrames, TheEepromFamilyCarriesTheModelIdAndAThreeByteOperation) {
    EXPECT_EQ(drvlib::WriteEepromCommand(0x9A, 0x01, 0x10, 0x55),
              (Bytes{0x7C, 0x7C, 0x07, 0x00, 0x9A, 0x01, 0x42, 0xBD, 0x21, 0x10, 0x55}));
    EXPECT_EQ(drvlib::WriteEepromPairsCommand(0x9A, 0x01, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
              (Bytes{0x7C, 0x7C, 0x0F, 0x00, 0x9A, 0x01, 0x42, 0xBD, 0x21, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(drvlib::WriteEepromWideCommand(0x9A, 0x01, 0x34, 0x12, 0x55),
              (Bytes{0x7C, 0x7C, 0x08, 0x00, 0x9A, 0x01, 0x42, 0xBD, 0x21, 0x34, 0x12, 0x55}));
    EXPECT_EQ(drvlib::SaveCommand(0x9A, 0x01), (Bytes{0x7C, 0x7C, 0x05, 0x00, 0x9A, 0x01, 0x50, 0xAF, 0x28}));
    EXPECT_EQ(drvlib::ResetEepromCommand(0x9A, 0x01),
              (Bytes{0x7C, 0x7C, 0x05, 0x00, 0x9A, 0x01, 0xD0, 0x2F, 0x68}));
    EXPECT_EQ(drvlib::ReadEepromCommand(0x9A, 0x01, 0x22),
              (Bytes{0x7C, 0x7C, 0x06, 0x00, 0x9A, 0x01, 0x41, 0xBE, 0xA0, 0x22}));
    EXPECT_EQ(drvlib::ReadEepromWideCommand(0x9A, 0x01, 0x22, 0x01),
              (Bytes{0x7C, 0x7C, 0x07, 0x00, 0x9A, 0x01, 0x41, 0xBE, 0xA0, 0x22, 0x01}));
    EXPECT_EQ(drvlib::ReadCsicCommand(0x9A, 0x01, 0x03, 0x04),
              (Bytes{0x7C, 0x7C, 0x07, 0x00, 0x9A, 0x01, 0x61, 0x9E, 0xB0, 0x03, 0x04}));
}

class ControlCommandsTest : public DriverFixture {
protected:
    void SetUp() override {
        printer = &AddPrinter("USB1");
        OpenUsb1(driver);
    }
    STATUSINF Status(int expected = 0) {
        STATUSINF status;
        EXPECT_EQ(driver.Ctl_GetStatus(&status), expected);
        return status;
    }

    vprinter::VirtualPrinter* printer = nullptr;
    CWinVexilDrv driver;
};

TEST_F(ControlCommandsTest, AStatusPollOverUsbGoesInPacketsOfTheEngineOnChannel2) {
    const std::size_t before = ports.Written("USB1").size();
    const STATUSINF status = Status();
    EXPECT_EQ(status.nStatus, 4);
    EXPECT_EQ(status.nError, 0);
    EXPECT_EQ(status.nTC, 0);
    EXPECT_TRUE(messages.Texts().empty());

    const Bytes written(ports.Written("USB1").begin() + static_cast<std::ptrdiff_t>(before),
                        ports.Written("USB1").end());
    const Bytes openChannel = {0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02,
                               0x01, 0x00, 0x01, 0x00, 0x00, 0x01, 0xFF, 0xFF};
    const Bytes credit = {0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x02, 0x02, 0x00, 0x01};
    const Bytes creditRequest = {0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04,
                                 0x02, 0x02, 0x00, 0x01, 0xFF, 0xFF};
    const Bytes command = {0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01};
    const Bytes closeChannel = {0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x02, 0x02, 0x00};
    Bytes expected;
    for (const Bytes* packet : {&openChannel, &credit, &creditRequest, &command, &closeChannel}) {
        expected.insert(expected.end(), packet->begin(), packet->end());
    }
    EXPECT_EQ(written, expected);
    EXPECT_FALSE(printer->Transport().ChannelOpen(0x02));
}

TEST_F(ControlCommandsTest, StatusFollowsThePrintersFaults) {
    ports.Control("USB1", "error-state=10");
    EXPECT_EQ(Status().nError, 10);  // the printer writes ER:0A
    ports.Control("USB1", "status-form=binary");
    const STATUSINF binary = Status();
    EXPECT_EQ(binary.nStatus, 0);
    EXPECT_EQ(binary.nError, 10);
    ports.Control("USB1", "error-state=-1 paper-out=1 status-form=text");
    EXPECT_EQ(Status().nError, 6);
    ports.Control("USB1", "paper-out=0 busy-polls=1");
    EXPECT_EQ(Status().nStatus, 2);
    EXPECT_EQ(Status().nStatus, 4);
}

TEST_F(ControlCommandsTest, StandardWordsFromADotMatrixPrinter) {
    EXPECT_EQ(driver.Ctl_Reset(), 0);
    EXPECT_EQ(driver.Ctl_ColdStart(), 0);
    EXPECT_EQ(driver.Ctl_TimerSet(2026, 1, 1, 9, 0, 0), 0);
    EXPECT_EQ(driver.Ctl_InkChange(1), -21);  // "xi:NA;": not a command of this printer
    EXPECT_EQ(driver.Ctl_PrintNozzleCheck(), -21);
    EXPECT_EQ(driver.Ctl_GetRollPaperMode(), -21);
    EXPECT_EQ(driver.Ctl_GetCRPosition(), -23);
    ports.Control("USB1", "busy-polls=1");
    EXPECT_EQ(driver.Ctl_MotorCurrentOff(), -22);
    CString id;
    EXPECT_EQ(driver.Ctl_GetDeviceID(&id), 0);
    EXPECT_EQ(id, "ORLEX VK-572D");
}

TEST_F(ControlCommandsTest, EepromBytesRoundTrip) {
    ports.Control("USB1", "poke=0x30:0x5A");
    unsigned char value = 0;
    ASSERT_EQ(driver.Ctl_ReplyEEP(kK1, kK2, 0x30, &value), 0);
    EXPECT_EQ(value, 0x5A);
    ASSERT_EQ(driver.Ctl_WriteEEP(kK1, kK2, 0x31, 0x11, 0x32, 0x22, 0x33, 0x33, 0x34, 0x44, 0x35, 0x55), 0);
    ASSERT_EQ(driver.Ctl_ReplyEEP(kK1, kK2, 0x35, &value), 0);
    EXPECT_EQ(value, 0x55);
    ASSERT_EQ(driver.Ctl_WriteEEP(kK1, kK2, 0x31, 0x66), 0);
    ASSERT_EQ(driver.Ctl_ReplyEEP2(kK1, kK2, 0x31, 0x00, &value), 0);
    EXPECT_EQ(value, 0x66);
    // Another model's identifier: "||:NA;" holds no "EE".
    EXPECT_EQ(driver.Ctl_ReplyEEP(0x12, 0x34, 0x30, &value), -23);
    EXPECT_EQ(driver.Ctl_Save(0x12, 0x34), -21);
}

TEST_F(ControlCommandsTest, GarbledRepliesEndInResultCodes) {
    ports.Control("USB1", "garbage=1");
    EXPECT_LT(driver.Ctl_Reset(), 0);
    STATUSINF status;
    status.nStatus = 77;
    const int result = driver.Ctl_GetStatus(&status);
    EXPECT_LT(result, 0);
    EXPECT_EQ(status.nStatus, 77);
    // The noise breaks the channel-2 reply, which the engine names; the status poll shows its code.
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), std::to_string(result));
    EXPECT_EQ(messages.Messages().back().icon, platform::MessageIcon::None);

    ports.Control("USB1", "garbage=0");
    EXPECT_EQ(Status().nStatus, 4);
}

TEST_F(ControlCommandsTest, ASilentPrinterEndsTheExchangeWithinSeconds) {
    ports.Control("USB1", "offline=silent");
    const std::uint64_t start = Elapsed();
    EXPECT_EQ(driver.Ctl_GetStatus(nullptr), -4);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"-4"});
    EXPECT_LE(Elapsed() - start, 4000u);
    EXPECT_EQ(driver.Ctl_ReplyEEP(kK1, kK2, 0x30, nullptr), -4);
}

class ControlCommandsParallelTest : public DriverFixture {};

TEST_F(ControlCommandsParallelTest, AStatusPollOverLptBorrowsTheTransportLibrary) {
    vprinter::VirtualPrinter& printer = AddPrinter("LPT1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    ports.Control("LPT1", "error-state=10");
    STATUSINF status;
    ASSERT_EQ(driver.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(status.nStatus, 0);
    EXPECT_EQ(status.nError, 10);
    EXPECT_FALSE(printer.Transport().ChannelOpen(0x02));
    EXPECT_TRUE(printer.Transport().ChannelOpen(0x40));
    EXPECT_EQ(driver.Ctl_Reset(), 0);

    // A printer that stops answering refuses channel 2 through the transport library.
    ports.Control("LPT1", "offline=silent");
    EXPECT_EQ(driver.Ctl_Reset(), -13);
    driver.Close();
}

// A transport library whose channels never hold a reply.
std::int32_t TOLVANE_STDCALL NothingWaiting(cbt::Connection, std::uint8_t, std::uint8_t*,
                                            std::uint32_t* length) {
    *length = 0;
    return 0;
}

TEST_F(ControlCommandsParallelTest, NoReplyAfterThirtyPollsIsMinus3) {
    vprinter::VirtualPrinter& printer = AddPrinter("LPT1");
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(1, nullptr, 1), 0);
    drvlib::TransportEntries& transport = drvlib::Transport();
    const auto read = transport.read;
    transport.read = &NothingWaiting;
    const std::uint64_t start = Elapsed();
    const int result = driver.Ctl_Reset();
    transport.read = read;
    EXPECT_EQ(result, -3);
    // The channel settles for 500 ms, the reply gets the wait time (100 ms), then 30 polls 100 ms apart.
    EXPECT_GE(Elapsed() - start, 500u + 100u + 30u * 100u);
    EXPECT_FALSE(printer.Transport().ChannelOpen(0x02));
    driver.Close();
}

TEST_F(ControlCommandsParallelTest, NoConnectionIsAResultCode) {
    CWinVexilDrv driver;
    EXPECT_EQ(driver.Ctl_Reset(), -13);
    CString id = "kept";
    EXPECT_EQ(driver.Ctl_GetDeviceID(&id), -13);
    EXPECT_EQ(id, "kept");
}

TEST(ControlCommandsOverTcp, AStatusPollReachesAServersPrinter) {
    testsupport::TemporaryFolder folder{"drvlib-control"};
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
    ASSERT_TRUE(printers.Ok()) << printers.Error();
    printers.InstallAsDeviceBackend();
    std::string answer;
    ASSERT_EQ(printers.Control("USB1", "error-state=10", &answer),
              platform::VirtualPrinterClient::Result::Ok);
    CWinVexilDrv driver;
    ASSERT_EQ(driver.Open(11, nullptr, 1), 0);
    STATUSINF status;
    EXPECT_EQ(driver.Ctl_GetStatus(&status), 0);
    EXPECT_EQ(status.nError, 10);
    EXPECT_EQ(driver.Ctl_Reset(), 0);
    driver.Close();
}

}  // namespace
}  // namespace drvtest

// The Linux build of the driver on real device nodes of this machine: a pseudo-terminal pair stands for
// COM1, plain files for printer nodes that do not answer device requests.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "WirexPort.h"
#include "platform/Clock.h"
#include "platform/Device.h"
#include "testsupport/TemporaryFolder.h"

namespace wirex {
namespace {

class LinuxPorts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(openpty(&master_, &slave_, terminal_, nullptr, nullptr), 0);
        std::filesystem::create_symlink(terminal_, folder_.File("ttyS0"));
        std::filesystem::create_directories(folder_.File("usb"));
        setenv(platform::kDeviceFolderVariable, folder_.Path().c_str(), 1);
    }
    void TearDown() override {
        driver_.PortClose();
        unsetenv(platform::kDeviceFolderVariable);
        close(master_);
        close(slave_);
    }
    std::string FromPrinterSide(std::size_t count) {
        std::string text(count, '\0');
        std::size_t got = 0;
        while (got < count) {
            ssize_t done = read(master_, text.data() + got, count - got);
            if (done <= 0) {
                break;
            }
            got += static_cast<std::size_t>(done);
        }
        text.resize(got);
        return text;
    }
    // Writes from the printer's side and waits until the terminal has queued all of it: the pair hands
    // bytes over asynchronously, and the driver's virtual clock would not wait for them.
    void ToPc(const std::string& text) {
        ASSERT_EQ(write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        int queued = 0;
        for (int round = 0; round < 1000000 && queued < static_cast<int>(text.size()); ++round) {
            pollfd ready{slave_, POLLIN, 0};
            poll(&ready, 1, 100);
            ioctl(slave_, FIONREAD, &queued);
        }
        ASSERT_EQ(queued, static_cast<int>(text.size()));
    }

    testsupport::TemporaryFolder folder_{"tolv-wirex-linux"};
    int master_ = -1;
    int slave_ = -1;
    char terminal_[256] = {};
    platform::VirtualClock clock_;
    platform::ScopedClock useClock_{clock_};
    WirexPort driver_{kVariantLinux};
};

TEST_F(LinuxPorts, TheSeamOfThisBuildIsLinux) {
    EXPECT_STREQ(platform::ActiveDeviceBackend().Name(), "linux");
}

TEST_F(LinuxPorts, ComSettingsReachTheTerminal) {
    ASSERT_EQ(driver_.SetComSetting(19200, 7, 0x01, 2), status::kSuccess);
    ASSERT_EQ(driver_.PortOpen(0x0300), status::kSuccess);
    termios line{};
    ASSERT_EQ(tcgetattr(slave_, &line), 0);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B19200));
    // The byte size is no setting of a pseudo-terminal (it stays CS8); a real ttyS keeps it.
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);
    EXPECT_NE(line.c_iflag & INPCK, 0u);

    // Keep values leave the line alone; only parity checking goes off.
    ASSERT_EQ(driver_.SetComSetting(0xFFFFFFFF, 0xFF, 0x00, 0xFF), status::kSuccess);
    ASSERT_EQ(tcgetattr(slave_, &line), 0);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B19200));
    EXPECT_EQ(line.c_iflag & INPCK, 0u);
    // A rate the line cannot run, and 1.5 stop bits, are refused as line-setting failures.
    EXPECT_EQ(driver_.SetComSetting(12345, 8, 0, 0), status::kFailure);
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kLineSettings);
    EXPECT_EQ(driver_.SetComSetting(9600, 8, 0, 1), status::kFailure);
}

TEST_F(LinuxPorts, SendAndTheComReceiveTypesOverThePair) {
    ASSERT_EQ(driver_.PortOpen(0x0300), status::kSuccess);
    const std::uint8_t command[] = {'@', 'B', 'D', 'C', ' ', 'S', 'T', '\r', '\n'};
    ASSERT_EQ(driver_.Send(command, sizeof command, nullptr), status::kSuccess);
    EXPECT_EQ(FromPrinterSide(9), "@BDC ST\r\n");

    std::uint8_t buffer[kWindow] = {};
    std::uint32_t length = 5;
    driver_.SetReceiveType(kReceiveExact);
    ToPc("ST:00");
    ASSERT_EQ(driver_.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(std::string(buffer, buffer + 5), "ST:00");

    driver_.SetReceiveType(kReceiveWhatArrives);
    ToPc("ER:00;TP:1;");
    ASSERT_EQ(driver_.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 11u);
    EXPECT_EQ(std::string(buffer, buffer + 11), "ER:00;TP:1;");

    // Nothing queued: an empty reply, at once.
    ASSERT_EQ(driver_.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 0u);
    // More than the window queued: the window is read, the rest stays for the next call.
    ToPc(std::string(1500, 'Z'));
    EXPECT_EQ(driver_.Receive(buffer, &length), status::kFailure);
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kTooLong);
    EXPECT_EQ(length, 1024u);
    ASSERT_EQ(driver_.Receive(buffer, &length), status::kSuccess);
    EXPECT_EQ(length, 476u);
}

TEST_F(LinuxPorts, AbsentDevicesFailAsNoPort) {
    EXPECT_EQ(driver_.PortOpen(0x0301), status::kFailure);  // no ttyS1
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kNoPort);
    EXPECT_EQ(driver_.PortOpen(0x0401), status::kFailure);  // no usb/lp0
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kNoPort);
    EXPECT_EQ(driver_.PortOpen(0x0480), status::kFailure);  // no parport0
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kNoPort);
}

TEST_F(LinuxPorts, ANodeThatIsNoPrinterHasNoDeviceId) {
    folder_.Write("usb/lp0", "");
    ASSERT_EQ(driver_.PortOpen(0x0401), status::kSuccess);
    std::uint8_t d4 = 0;
    EXPECT_EQ(driver_.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kNoDeviceId);
    const std::uint8_t data[] = {0x1B, 0x40};
    EXPECT_EQ(driver_.Send(data, 2, nullptr), status::kSuccess);
    EXPECT_EQ(folder_.Read("usb/lp0"), "\x1B\x40");
}

// A node that takes no usblp request (a plain file here, a pseudo-terminal in the command line's
// tests) gives the ID usblp publishes for its printer in sysfs, here the folder's sys/.
TEST_F(LinuxPorts, APrinterNodeWithoutTheRequestGivesThePublishedDeviceId) {
    folder_.Write("usb/lp0", "");
    folder_.Write("usb/lp1", "");
    folder_.Write("sys/class/usbmisc/lp0/device/ieee1284_id",
                  "MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4;CLS:PRINTER;DES:ORLEX VK-572D;");
    ASSERT_EQ(driver_.PortOpen(0x0401), status::kSuccess);
    std::uint8_t d4 = 0;
    ASSERT_EQ(driver_.CheckDeviceID(&d4), status::kSuccess);
    EXPECT_EQ(d4, 1);
    char model[kWindow + 1] = {};
    ASSERT_EQ(driver_.GetModelName(model), status::kSuccess);
    EXPECT_STREQ(model, "VK-572D");
    driver_.PortClose();

    // At the seam: behind its big-endian length, which counts itself (69 characters + 2), and cut
    // to the capacity asked with.
    platform::DeviceBackend& seam = platform::ActiveDeviceBackend();
    platform::DevicePortPtr port;
    ASSERT_EQ(seam.Open({platform::PortKind::Usb, 1, {}, {}}, &port), platform::DeviceError::None);
    std::uint8_t id[kWindow] = {};
    platform::DeviceIdReply reply;
    ASSERT_EQ(seam.GetDeviceId(*port, {}, id, sizeof id, &reply), platform::DeviceError::None);
    EXPECT_EQ(reply.received, 71u);
    EXPECT_TRUE(reply.lengthPrefixed);
    EXPECT_EQ(id[0], 0);
    EXPECT_EQ(id[1], 71);
    EXPECT_EQ(std::string(id + 2, id + 6), "MFG:");
    ASSERT_EQ(seam.GetDeviceId(*port, {}, id, 6, &reply), platform::DeviceError::None);
    EXPECT_EQ(reply.received, 6u);
    EXPECT_EQ(id[1], 71);
    port.reset();

    // The second printer's node has nothing published: no device ID, as before.
    ASSERT_EQ(driver_.PortOpen(0x0402), status::kSuccess);
    EXPECT_EQ(driver_.CheckDeviceID(&d4), status::kFailure);
    EXPECT_EQ(driver_.GetIOErrorCode(), io::kNoDeviceId);
}

}  // namespace
}  // namespace wirex

// Both library files loaded by name, on a port of the device seam's virtual back-end: the server's
// printer on loopback TCP.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cbt/Kcbt.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualPrinterClient.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace {

struct Entries {
    decltype(&KCBT_Open) open = nullptr;
    decltype(&KCBT_Close) close = nullptr;
    decltype(&KCBT_Sleep) sleep = nullptr;
    decltype(&KCBT_Write) write = nullptr;
    decltype(&KCBT_Read) read = nullptr;
    decltype(&KCBT_OpenChannel) openChannel = nullptr;
};

class KcbtOverTcp : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(printers.Ok()) << printers.Error();
        printers.InstallAsDeviceBackend();
        ASSERT_EQ(printers.Backend().Open({platform::PortKind::Usb, 1, {}, {}}, &port),
                  platform::DeviceError::None);

        library = platform::LoadSharedLibrary(GetParam());
        ASSERT_NE(library, nullptr) << GetParam();
        const auto find = [this](auto* slot, const char* name) {
            *slot = reinterpret_cast<std::remove_pointer_t<decltype(slot)>>(
                platform::FindLibraryFunction(library, name));
        };
        find(&kcbt.open, "KCBT_Open");
        find(&kcbt.close, "KCBT_Close");
        find(&kcbt.sleep, "KCBT_Sleep");
        find(&kcbt.write, "KCBT_Write");
        find(&kcbt.read, "KCBT_Read");
        find(&kcbt.openChannel, "KCBT_OpenChannel");
        for (const char* name :
             {"KCBT_Awake", "KCBT_CloseChannel", "KCBT_GetSocketID", "KCBT_GetServiceName"}) {
            EXPECT_NE(platform::FindLibraryFunction(library, name), nullptr) << name;
        }
        ASSERT_TRUE(kcbt.open && kcbt.close && kcbt.sleep && kcbt.write && kcbt.read && kcbt.openChannel);
    }
    void TearDown() override { port.reset(); }
    void Control(const std::string& words) {
        std::string answer;
        ASSERT_EQ(printers.Control("USB1", words, &answer), platform::VirtualPrinterClient::Result::Ok)
            << answer;
    }

    testsupport::TemporaryFolder folder{"cbt-tcp"};
    vprinter::LoopbackPrinters printers{{"USB1=VK-572D"}, folder.Path()};
    platform::DevicePortPtr port;
    platform::LibraryHandle library = nullptr;
    Entries kcbt;
};

TEST_P(KcbtOverTcp, PrintDataAndAControlExchangeOnAnOpenPort) {
    cbt::Connection connection = nullptr;
    ASSERT_EQ(kcbt.open(port.get(), nullptr, &connection), 0);
    ASSERT_EQ(kcbt.openChannel(connection, 0x40), 0);
    ASSERT_EQ(kcbt.openChannel(connection, 2), 0);
    const std::vector<std::uint8_t> data(200000, 0x20);
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(kcbt.write(connection, 0x40, data.data(), &length), 0);
    EXPECT_EQ(length, data.size());

    const std::uint8_t status[] = {'s', 't', 0x01, 0x00, 0x01};
    length = sizeof status;
    ASSERT_EQ(kcbt.write(connection, 2, status, &length), 0);
    length = 0;
    for (int poll = 0; poll < 20 && length == 0; ++poll) {
        ASSERT_EQ(kcbt.read(connection, 2, nullptr, &length), 0);
    }
    std::string reply(length, '\0');
    ASSERT_EQ(kcbt.read(connection, 2, reinterpret_cast<std::uint8_t*>(reply.data()), &length), 0);
    EXPECT_EQ(reply.rfind("@BDC ST\r\n", 0), 0u);
    EXPECT_EQ(kcbt.sleep(connection), 0);
    EXPECT_EQ(kcbt.close(connection), 0);
}

TEST_P(KcbtOverTcp, APortDroppedMidWriteIsFatal) {
    cbt::Connection connection = nullptr;
    ASSERT_EQ(kcbt.open(port.get(), nullptr, &connection), 0);
    ASSERT_EQ(kcbt.openChannel(connection, 0x40), 0);
    Control("drop-after=5000");
    const std::vector<std::uint8_t> data(200000, 0x20);
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    EXPECT_LE(kcbt.write(connection, 0x40, data.data(), &length), -50);
    EXPECT_LT(kcbt.read(connection, 0x40, nullptr, &length), -50);
    kcbt.close(connection);
}

INSTANTIATE_TEST_SUITE_P(BothNames, KcbtOverTcp, ::testing::Values("K_QDRM4TA.DLL", "KCBTRG.DLL"));

}  // namespace

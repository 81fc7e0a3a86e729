// Both library files loaded by name, on a port of the device seam's virtual back-end: the server's
// printer on loopback TCP.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cbt/Kcbt.h"
#include "platform/Device.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualDevice.h"
#include "platform/VirtualPrinterClient.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/ServerOptions.h"
#include "vprinter/server/VirtualPrinterServer.h"

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
        vprinter::ServerOptions options;
        std::string error;
        ASSERT_TRUE(vprinter::ParseServerOptions(
            {"--listen", "127.0.0.1:0", "--printer", "USB1=VK-572D", "--state", folder.Path()}, &options,
            &error))
            << error;
        std::ostringstream out;
        std::ostringstream report;
        ASSERT_TRUE(server.Start(options, out, report)) << report.str();
        server.RunInBackground();
        address = "127.0.0.1:" + std::to_string(server.Port());
        backend = platform::MakeVirtualDeviceBackend(address);
        platform::InstallDeviceBackend(backend.get());
        ASSERT_EQ(backend->Open({platform::PortKind::Usb, 1, {}, {}}, &port), platform::DeviceError::None);

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
    void TearDown() override {
        port.reset();
        platform::InstallDeviceBackend(nullptr);
        server.Stop();
    }
    void Control(const std::string& words) {
        std::string error;
        auto client = platform::VirtualPrinterClient::Connect(address, &error);
        ASSERT_TRUE(client) << error;
        std::string answer;
        ASSERT_EQ(client->Control("USB1 " + words, &answer), platform::VirtualPrinterClient::Result::Ok);
    }

    testsupport::TemporaryFolder folder{"cbt-tcp"};
    vprinter::VirtualPrinterServer server;
    std::string address;
    std::unique_ptr<platform::DeviceBackend> backend;
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

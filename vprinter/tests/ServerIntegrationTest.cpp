// The server on loopback TCP with its clients: the frames, one client per port, the device seam's
// virtual back-end in front of it, faults through the control verb, and the state across a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "d4/PacketMode.h"
#include "d4/Transaction.h"
#include "platform/Clock.h"
#include "platform/LoopbackSocket.h"
#include "platform/VirtualDevice.h"
#include "platform/VirtualPrinterClient.h"
#include "protocol/VirtualPortFrames.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/VirtualPrinterServer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Result = platform::VirtualPrinterClient::Result;

class Server : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder{"vprinter-server"};
    std::unique_ptr<vprinter::VirtualPrinterServer> server;
    std::string address;

    void SetUp() override { Start(); }
    void TearDown() override { server->Stop(); }

    void Start() {
        vprinter::ServerOptions options;
        std::string error;
        ASSERT_TRUE(vprinter::ParseServerOptions({"--listen", "127.0.0.1:0", "--printer", "USB1=VK-572D",
                                                  "--printer", "LPT2=VK-2240II", "--state", folder.Path()},
                                                 &options, &error))
            << error;
        server = std::make_unique<vprinter::VirtualPrinterServer>();
        std::ostringstream out, report;
        ASSERT_TRUE(server->Start(options, out, report)) << report.str();
        EXPECT_NE(out.str().find("USB1 VK-572D ready on 127.0.0.1:"), std::string::npos);
        address = "127.0.0.1:" + std::to_string(server->Port());
        server->RunInBackground();
    }
    std::unique_ptr<platform::VirtualPrinterClient> Client() {
        std::string error;
        auto client = platform::VirtualPrinterClient::Connect(address, &error);
        EXPECT_TRUE(client) << error;
        return client;
    }
    std::string Exchange(platform::VirtualPrinterClient& client, const Bytes& request) {
        std::uint32_t taken = 0;
        EXPECT_EQ(client.Write(request.data(), static_cast<std::uint32_t>(request.size()), &taken),
                  Result::Ok);
        EXPECT_EQ(taken, request.size());
        std::uint8_t buffer[1024];
        std::uint32_t received = 0;
        EXPECT_EQ(client.Read(buffer, sizeof buffer, 1000, &received), Result::Ok);
        return std::string(buffer, buffer + received);
    }
    // Waits for the server thread to notice a client that went away.
    Result OpenWhenFree(platform::VirtualPrinterClient& client, const std::string& port) {
        Result result = Result::PortBusy;
        for (int attempt = 0; attempt < 100000 && result == Result::PortBusy; ++attempt) {
            result = client.Open(port);
            std::this_thread::yield();
        }
        return result;
    }
};

const Bytes kEepromRead{0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x10, 0xEF, 0x08, 0x00};

TEST_F(Server, ListOpenAndOneClientPerPort) {
    auto first = Client();
    auto second = Client();
    std::string list;
    EXPECT_EQ(first->ListPorts(&list), Result::Ok);
    EXPECT_EQ(list, "USB1 VK-572D\nLPT2 VK-2240II\n");
    EXPECT_EQ(first->Open("usb1"), Result::Ok);
    EXPECT_EQ(second->Open("USB1"), Result::PortBusy);
    EXPECT_EQ(second->Open("USB9"), Result::NoSuchPort);
    EXPECT_EQ(second->Open("LPT2"), Result::Ok);
    EXPECT_EQ(Exchange(*first, kEepromRead), "EE:0000 VALUE:57;");
    std::string id;
    EXPECT_EQ(second->DeviceId(&id), Result::Ok);
    EXPECT_NE(id.find("MDL:VK-2240II;"), std::string::npos);
    EXPECT_EQ(first->Close(), Result::Ok);
    EXPECT_EQ(second->Open("USB1"), Result::Ok);
}

TEST_F(Server, AClientThatGoesAwayMidExchangeFreesItsPort) {
    auto first = Client();
    ASSERT_EQ(first->Open("USB1"), Result::Ok);
    std::uint32_t taken = 0;
    first->Write(kEepromRead.data(), 5, &taken);
    first.reset();
    auto second = Client();
    EXPECT_EQ(OpenWhenFree(*second, "USB1"), Result::Ok);
    // The half command of the first client is gone with its session.
    EXPECT_EQ(Exchange(*second, kEepromRead), "EE:0000 VALUE:57;");
}

TEST_F(Server, RequestsWithoutAnOpenPortAndBadFramesAreRefused) {
    auto client = Client();
    std::uint32_t taken = 0;
    EXPECT_EQ(client->Write(kEepromRead.data(), 3, &taken), Result::NotOpen);
    std::string answer;
    EXPECT_EQ(client->Control("USB7 get", &answer), Result::NoSuchPort);
    EXPECT_EQ(client->Control("USB1 paper-out=perhaps", &answer), Result::BadRequest);
    EXPECT_EQ(answer.rfind("ERROR", 0), 0u);
    // A frame of another version is answered once, then the connection ends.
    std::string error;
    auto raw = platform::ConnectToLoopback("127.0.0.1", server->Port(), &error);
    ASSERT_TRUE(raw);
    std::uint8_t frame[protocol::vport::kHeaderSize];
    protocol::vport::EncodeHeader({2, protocol::vport::Verb::ListPorts, protocol::vport::Status::Ok, 0},
                                  frame);
    ASSERT_TRUE(raw->SendAll(frame, sizeof frame));
    std::uint8_t reply[protocol::vport::kHeaderSize];
    ASSERT_TRUE(raw->ReceiveAll(reply, sizeof reply));
    EXPECT_EQ(reply[4], static_cast<std::uint8_t>(protocol::vport::Status::BadVersion));
}

TEST_F(Server, VirtualBackEndOpensEveryKindOfPortAndAbsentPortsAreMissing) {
    auto backend = platform::MakeVirtualDeviceBackend(address);
    ASSERT_TRUE(backend);
    platform::DevicePortPtr usb;
    ASSERT_EQ(backend->Open({platform::PortKind::Usb, 1, {}, {}}, &usb), platform::DeviceError::None);
    std::uint8_t id[1024];
    platform::DeviceIdReply reply;
    ASSERT_EQ(backend->GetDeviceId(*usb, {}, id, sizeof id, &reply), platform::DeviceError::None);
    EXPECT_TRUE(reply.lengthPrefixed);
    EXPECT_EQ((id[0] << 8) | id[1], static_cast<int>(reply.received));
    EXPECT_NE(std::string(id + 2, id + reply.received).find("CMD:VXPRINT24,D4;"), std::string::npos);

    platform::DevicePortPtr absent;
    EXPECT_EQ(backend->Open({platform::PortKind::Usb, 5, {}, {}}, &absent), platform::DeviceError::NotFound);
    EXPECT_EQ(backend->Open({platform::PortKind::Com, 1, {}, {}}, &absent), platform::DeviceError::NotFound);
    EXPECT_EQ(backend->Open({platform::PortKind::Usb, 1, {}, {}}, &absent),
              platform::DeviceError::AccessDenied);

    platform::DevicePortPtr parallel;
    ASSERT_EQ(backend->Open({platform::PortKind::Path, 0, "\\\\.\\kxparp2.4", {}}, &parallel),
              platform::DeviceError::None);
    usb.reset();
    std::vector<platform::DeviceInterfaceEntry> entries;
    ASSERT_EQ(backend->ListInterfaces("{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}", &entries),
              platform::DeviceError::None);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].portNumber, 1u);
    EXPECT_NE(entries[0].devicePath.find("vid_1d6f"), std::string::npos);
    platform::DevicePortPtr byPath;
    EXPECT_EQ(backend->Open({platform::PortKind::Path, 0, entries[0].devicePath, {}}, &byPath),
              platform::DeviceError::None);
}

// The control exchange of a USB port through the back-end, as the device-driver library writes it.
TEST_F(Server, PacketModeStatusThroughTheVirtualBackEnd) {
    auto backend = platform::MakeVirtualDeviceBackend(address);
    platform::DevicePortPtr port;
    ASSERT_EQ(backend->Open({platform::PortKind::Usb, 1, {}, {}}, &port), platform::DeviceError::None);
    auto exchange = [&](const Bytes& request) {
        std::uint32_t written = 0;
        EXPECT_EQ(backend->Write(*port, request.data(), static_cast<std::uint32_t>(request.size()), &written),
                  platform::DeviceError::None);
        std::uint8_t buffer[256];
        std::uint32_t received = 0;
        EXPECT_EQ(backend->Read(*port, buffer, sizeof buffer, &received), platform::DeviceError::None);
        return Bytes(buffer, buffer + received);
    };
    EXPECT_EQ(exchange(d4::PacketModeOpening(0x20)).size(), 9u);
    EXPECT_EQ(exchange({0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x00,
                        0x01, 0xFF, 0xFF})
                  .size(),
              16u);
    exchange({0x00, 0x00, 0x00, 0x0B, 0x01, 0x00, 0x03, 0x02, 0x02, 0x00, 0x01});
    EXPECT_EQ(exchange({0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x02, 0x02, 0x00, 0x01, 0xFF, 0xFF}).back(),
              0x01);
    std::string answer;
    auto control = Client();
    ASSERT_EQ(control->Control("USB1 paper-out=1", &answer), Result::Ok);
    const Bytes status = exchange({0x02, 0x02, 0x00, 0x0B, 0x01, 0x01, 's', 't', 0x01, 0x00, 0x01});
    ASSERT_GT(status.size(), 6u);
    EXPECT_NE(std::string(status.begin() + 6, status.end()).find("ST:00;ER:06;"), std::string::npos);
}

TEST_F(Server, FaultsReachTheClient) {
    auto control = Client();
    auto client = Client();
    std::string answer;
    ASSERT_EQ(control->Control("USB1 offline=refuse", &answer), Result::Ok);
    EXPECT_EQ(client->Open("USB1"), Result::PortUnavailable);
    ASSERT_EQ(control->Control("USB1 offline=no drop-after=4", &answer), Result::Ok);
    ASSERT_EQ(client->Open("USB1"), Result::Ok);
    std::uint32_t taken = 0;
    EXPECT_EQ(client->Write(kEepromRead.data(), static_cast<std::uint32_t>(kEepromRead.size()), &taken),
              Result::Disconnected);
    EXPECT_EQ(taken, 4u);
    ASSERT_EQ(client->Open("USB1"), Result::Ok);
    // Slow replies are held on the process clock; a virtual one makes the wait free.
    platform::VirtualClock clock;
    platform::ScopedClock installed(clock);
    ASSERT_EQ(control->Control("USB1 latency-ms=1500", &answer), Result::Ok);
    EXPECT_EQ(Exchange(*client, kEepromRead), "");
    std::uint8_t buffer[64];
    std::uint32_t received = 0;
    EXPECT_EQ(client->Read(buffer, sizeof buffer, 1000, &received), Result::Ok);
    EXPECT_EQ(std::string(buffer, buffer + received), "EE:0000 VALUE:57;");
    EXPECT_GE(clock.ElapsedMilliseconds(), 1500u);
}

TEST_F(Server, StateSurvivesARestart) {
    {
        auto client = Client();
        ASSERT_EQ(client->Open("USB1"), Result::Ok);
        const Bytes write{0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07,
                          0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0x60, 0x3C};
        std::uint32_t taken = 0;
        ASSERT_EQ(client->Write(write.data(), static_cast<std::uint32_t>(write.size()), &taken), Result::Ok);
        ASSERT_EQ(client->Close(), Result::Ok);
    }
    server->Stop();
    Start();
    auto client = Client();
    std::string answer;
    ASSERT_EQ(client->Control("USB1 peek=0x60", &answer), Result::Ok);
    EXPECT_EQ(answer, "OK\npeek=0x60:0x3C\n");
}

// Each connection's first frame is told once, with its verb, before it is answered; later frames, a
// stranger without the magic and anything after the observer is cleared are not.
TEST_F(Server, TheFirstFrameOfEachConnectionIsToldOnce) {
    std::mutex lock;
    std::vector<protocol::vport::Verb> told;
    server->ObserveFirstFrames([&](protocol::vport::Verb verb) {
        std::lock_guard<std::mutex> guard(lock);
        told.push_back(verb);
    });
    const auto toldSoFar = [&] {
        std::lock_guard<std::mutex> guard(lock);
        return told;
    };
    using protocol::vport::Verb;
    auto first = Client();
    ASSERT_EQ(first->Open("USB1"), Result::Ok);
    EXPECT_EQ(toldSoFar(), std::vector<Verb>{Verb::Open});
    std::string answer;
    ASSERT_EQ(first->Control("USB1 get", &answer), Result::Ok);
    ASSERT_EQ(first->Close(), Result::Ok);
    EXPECT_EQ(toldSoFar(), std::vector<Verb>{Verb::Open});
    auto second = Client();
    ASSERT_EQ(second->ListPorts(&answer), Result::Ok);
    ASSERT_EQ(second->ListPorts(&answer), Result::Ok);
    EXPECT_EQ(toldSoFar(), (std::vector<Verb>{Verb::Open, Verb::ListPorts}));

    // The server drops a stranger at its first header; its end is seen once that is done.
    std::string error;
    auto stranger = platform::ConnectToLoopback("127.0.0.1", server->Port(), &error);
    ASSERT_TRUE(stranger) << error;
    const std::uint8_t junk[protocol::vport::kHeaderSize] = {'G', 'E', 'T', ' ', '/',
                                                             ' ', 'H', 'T', 'T', 'P'};
    ASSERT_TRUE(stranger->SendAll(junk, sizeof junk));
    std::uint8_t reply = 0;
    EXPECT_FALSE(stranger->ReceiveAll(&reply, 1));
    EXPECT_EQ(toldSoFar().size(), 2u);

    server->ObserveFirstFrames(nullptr);
    auto third = Client();
    ASSERT_EQ(third->Open("LPT2"), Result::Ok);
    EXPECT_EQ(toldSoFar().size(), 2u);
}

}  // namespace

namespace {

// With a print folder, what a host prints comes out as page images and a job log once the job ends.
TEST(ServerPrintFolder, PrintsAJobOnPaperWhenThePortCloses) {
    testsupport::TemporaryFolder folder{"vprinter-print"};
    vprinter::ServerOptions options;
    std::string error;
    ASSERT_TRUE(
        vprinter::ParseServerOptions({"--listen", "127.0.0.1:0", "--printer", "USB1=VK-572D", "--state",
                                      folder.File("state"), "--print-dir", folder.File("prints")},
                                     &options, &error))
        << error;
    vprinter::VirtualPrinterServer server;
    std::ostringstream out, report;
    ASSERT_TRUE(server.Start(options, out, report)) << report.str();
    server.RunInBackground();
    {
        auto client =
            platform::VirtualPrinterClient::Connect("127.0.0.1:" + std::to_string(server.Port()), &error);
        ASSERT_TRUE(client) << error;
        ASSERT_EQ(client->Open("USB1"), Result::Ok);
        const std::string text = "Needle check\r\n\f";
        std::uint32_t taken = 0;
        ASSERT_EQ(client->Write(reinterpret_cast<const std::uint8_t*>(text.data()),
                                static_cast<std::uint32_t>(text.size()), &taken),
                  Result::Ok);
        EXPECT_EQ(client->Close(), Result::Ok);
    }
    server.Stop();
    int pages = 0;
    int logs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("prints"))) {
        pages += entry.path().extension() == ".png" ? 1 : 0;
        logs += entry.path().extension() == ".txt" ? 1 : 0;
    }
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(logs, 1);
}

}  // namespace

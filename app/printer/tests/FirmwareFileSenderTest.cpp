// The firmware file sender against a printer of the virtual printer model on LPT1: a download larger
// than one chunk goes through the plain print stream, which opens the port for every chunk, and the
// printer runs the new firmware afterwards.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "BoundPrinterFixture.h"
#include "printer/FirmwareFileSender.h"
#include "protocol/FirmwareImage.h"
#include "testsupport/TemporaryFolder.h"

namespace printertest {
namespace {

class FirmwareFileSender : public BoundPrinter {
protected:
    void SetUp() override {
        lpt = &ports.AddPrinter("LPT1", "VK-572D");
        BoundPrinter::SetUp();
    }

    // The download command (ESC '|' 'F' 'W' and the image's byte count, low byte first), then the image.
    std::string DownloadFile(const std::string& version, std::size_t payloadBytes) {
        std::vector<std::uint8_t> payload(payloadBytes);
        for (std::size_t i = 0; i < payload.size(); ++i) {
            payload[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        }
        const std::vector<std::uint8_t> image = protocol::firmware::BuildImage(version, payload);
        const auto n = static_cast<std::uint32_t>(image.size());
        std::string bytes = {0x1B,
                             0x7C,
                             0x46,
                             0x57,
                             static_cast<char>(n & 0xFF),
                             static_cast<char>((n >> 8) & 0xFF),
                             static_cast<char>((n >> 16) & 0xFF),
                             static_cast<char>((n >> 24) & 0xFF)};
        bytes.append(image.begin(), image.end());
        return bytes;
    }

    testsupport::TemporaryFolder files{"tolv-firmware-sender"};
    vprinter::VirtualPrinter* lpt = nullptr;
};

TEST_F(FirmwareFileSender, ADownloadOfSeveralChunksReachesThePrinterWhole) {
    namespace firmware = protocol::firmware;
    constexpr std::size_t kFraming = firmware::kHeaderSize + firmware::kDownloadPrefixSize;
    // Two whole chunks and a short one; then exactly three chunks, which end with an empty read.
    const std::vector<std::pair<std::string, std::size_t>> downloads = {{"T2.20", 2 * 1024 + 100 - kFraming},
                                                                        {"T2.21", 3 * 1024 - kFraming}};
    for (const auto& [version, payload] : downloads) {
        const std::string bytes = DownloadFile(version, payload);
        files.Write("main.rcc", bytes);
        const int opensBefore = ports.OpenCount("LPT1");
        ASSERT_EQ(printer::SendFileToPort(files.File("main.rcc"), "LPT1"), printer::FileSendOutcome::Sent);
        EXPECT_EQ(lpt->Core().State().romVersion, version);
        // The stream's creation, then one opening per chunk written.
        EXPECT_EQ(ports.OpenCount("LPT1") - opensBefore, 1 + static_cast<int>((bytes.size() + 1023) / 1024));
        EXPECT_EQ(ports.OpenNow("LPT1"), 0);
    }
}

}  // namespace
}  // namespace printertest

// The file check before anything is sent: a good image is read whole, a wrong one is named for its
// first fault, and a missing one is unreadable. Files are written by the image builder, then broken.
#include <gtest/gtest.h>

#include "FirmwareFile.h"
#include "FirmwareFlasher.h"
#include "testsupport/TemporaryFolder.h"

namespace {

namespace firmware = protocol::firmware;
using Fault = firmware::ImageFault;

std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> Payload(std::size_t size) {
    return std::vector<std::uint8_t>(size, 0x5A);
}

TEST(FirmwareFile, AGoodImageIsReadWholeAndBrokenOnesAreNamed) {
    testsupport::TemporaryFolder folder{"kindler-file"};
    const auto good = firmware::BuildImage("2.10", Payload(1000));
    folder.Write("good.rcc", AsText(good));
    const kindler::FirmwareFile read = kindler::ReadFirmwareFile(folder.File("good.rcc"));
    ASSERT_EQ(read.result, kindler::FirmwareFile::Result::Ok);
    EXPECT_EQ(read.image, good);
    EXPECT_EQ(read.header.version, "2.10");

    auto broken = good;
    broken.back() ^= 0x80;
    auto magic = good;
    magic[3] = '0';
    struct Case {
        const char* name;
        std::string bytes;
        Fault fault;
    } const cases[] = {
        {"empty.rcc", "", Fault::Truncated},
        {"cut.rcc", AsText(good).substr(0, good.size() - 10), Fault::Truncated},
        {"checksum.rcc", AsText(broken), Fault::Checksum},
        {"magic.rcc", AsText(magic), Fault::Magic},
        {"longer.rcc", AsText(good) + "x", Fault::Length},
        {"huge.rcc", AsText(firmware::BuildImage("2.10", Payload(firmware::kLargestPayload + 1))),
         Fault::Size},
        {"huge-magic.rcc", "XXXX" + std::string(firmware::kLargestImage, 'a'), Fault::Magic},
    };
    for (const Case& c : cases) {
        folder.Write(c.name, c.bytes);
        const kindler::FirmwareFile file = kindler::ReadFirmwareFile(folder.File(c.name));
        EXPECT_EQ(file.result, kindler::FirmwareFile::Result::NotAnImage) << c.name;
        EXPECT_EQ(file.fault, c.fault) << c.name;
        EXPECT_TRUE(file.image.empty()) << c.name;
    }
    EXPECT_EQ(kindler::ReadFirmwareFile(folder.File("missing.rcc")).result,
              kindler::FirmwareFile::Result::Unreadable);
}

TEST(FirmwareFlasher, RomVersionQueryBytesAndPortNames) {
    const std::vector<std::uint8_t> expected = {0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 0x52,
                                                0x45, 0x4D, 0x4F, 0x54, 0x45, 0x31, 0x56,
                                                0x49, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00};
    EXPECT_EQ(kindler::RomVersionQuery(), expected);
    EXPECT_EQ(kindler::PortName(0x0401), "USB1");
    EXPECT_EQ(kindler::PortName(0x047F), "USB127");
    EXPECT_EQ(kindler::PortName(0x0480), "LPT1");
    EXPECT_EQ(kindler::PortName(0x0482), "LPT3");
}

}  // namespace

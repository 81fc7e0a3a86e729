// A firmware download on the printer's plain byte stream: the image is checked whole before the
// printer takes it, a bad one is refused with a reason and changes nothing, and the stream carries on
// as print data after the announced bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "PrinterTestSupport.h"
#include "protocol/FirmwareImage.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/model/StateFile.h"

namespace {

using namespace vprintertest;
namespace firmware = protocol::firmware;

Bytes Payload(std::size_t size) {
    Bytes payload(size);
    for (std::size_t i = 0; i < size; ++i) {
        payload[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return payload;
}

// The download as written from the command's layout, not from the builder.
Bytes Download(const Bytes& image) {
    const auto n = static_cast<std::uint32_t>(image.size());
    return Concat({{0x1B, 0x7C, 0x46, 0x57, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                    static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)},
                   image});
}

Bytes RomQuery() {
    return {0x1B, '(', 'R', 0x08, 0x00, 0x00, 'R',  'E',  'M',  'O', 'T',
            'E',  '1', 'V', 'I',  0x00, 0x00, 0x1B, 0x00, 0x00, 0x00};
}

class FirmwareDownload : public ::testing::Test {
protected:
    RecordingSink sink;
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1", &sink};

    void SetUp() override { ASSERT_TRUE(printer.Open()); }
    std::string Send(const Bytes& image) {
        Write(printer, Download(image));
        return ReadAll(printer);
    }
    std::string RomVersion() {
        Write(printer, RomQuery());
        return ReadAll(printer);
    }
};

TEST(FirmwareImageLayout, HeaderBytesAndTheStandardCrcCheckValue) {
    const Bytes payload = Text("123456789");
    EXPECT_EQ(firmware::Crc32(payload), 0xCBF43926u);
    const Bytes expected = Concat({Text("TVFW"),
                                   Text("2.10"),
                                   Bytes(12, 0),
                                   {0x09, 0x00, 0x00, 0x00},
                                   {0x26, 0x39, 0xF4, 0xCB},
                                   payload});
    EXPECT_EQ(firmware::BuildImage("2.10", payload), expected);
    firmware::ImageHeader header;
    ASSERT_EQ(firmware::CheckImage(expected, &header), firmware::ImageFault::None);
    EXPECT_EQ(header.version, "2.10");
    EXPECT_EQ(header.payloadLength, 9u);
}

TEST_F(FirmwareDownload, AGoodImageIsTakenAndTheRomVersionQueriesShowIt) {
    EXPECT_EQ(RomVersion(), "VI:1.00;");
    EXPECT_EQ(Send(firmware::BuildImage("2.10", Payload(5000))), "FW:OK:2.10;");
    EXPECT_EQ(printer.Core().State().romVersion, "2.10");
    EXPECT_TRUE(printer.Core().Dirty());
    EXPECT_EQ(RomVersion(), "VI:2.10;");
    // The production query answers with the new version too.
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x21, 0xDE, 0x90});
    EXPECT_EQ(ReadAll(printer), "VR:2.10;");
    EXPECT_EQ(sink.data, "");
}

TEST_F(FirmwareDownload, AnImageInSmallPiecesIsJoinedAndPrintDataFollowsIt) {
    const Bytes stream =
        Concat({Text("ab"), Download(firmware::BuildImage("3.0-b", Payload(777))), Text("cd")});
    for (std::size_t at = 0; at < stream.size(); at += 13) {
        Write(printer, Bytes(stream.begin() + static_cast<std::ptrdiff_t>(at),
                             stream.begin() + static_cast<std::ptrdiff_t>(std::min(at + 13, stream.size()))));
    }
    EXPECT_EQ(ReadAll(printer), "FW:OK:3.0-b;");
    EXPECT_EQ(sink.data, "abcd");
}

TEST_F(FirmwareDownload, BadImagesAreRefusedWithTheirReasonAndChangeNothing) {
    const Bytes good = firmware::BuildImage("2.10", Payload(300));

    Bytes truncated(good.begin(), good.end() - 1);
    EXPECT_EQ(Send(truncated), "FW:NG:TRUNCATED;");
    EXPECT_EQ(Send(Bytes(good.begin(), good.begin() + 10)), "FW:NG:TRUNCATED;");

    Bytes checksum = good;
    checksum[firmware::kHeaderSize + 150] ^= 0x01;
    EXPECT_EQ(Send(checksum), "FW:NG:CHECKSUM;");

    Bytes magic = good;
    magic[0] = 'X';
    EXPECT_EQ(Send(magic), "FW:NG:MAGIC;");

    Bytes longer = good;
    longer.push_back(0);
    EXPECT_EQ(Send(longer), "FW:NG:LENGTH;");

    EXPECT_EQ(Send(firmware::BuildImage("2;10", Payload(10))), "FW:NG:VERSION;");
    EXPECT_EQ(Send(firmware::BuildImage("", Payload(10))), "FW:NG:VERSION;");
    EXPECT_EQ(Send(firmware::BuildImage("2.10", {})), "FW:NG:SIZE;");

    EXPECT_EQ(printer.Core().State().romVersion, "1.00");
    EXPECT_EQ(RomVersion(), "VI:1.00;");
    EXPECT_EQ(sink.data, "");
}

TEST_F(FirmwareDownload, OversizeImagesAreRefusedAndTheirBytesSwallowed) {
    // A header that claims more than the flash holds.
    Bytes claims = firmware::BuildImage("2.10", Payload(16));
    claims[firmware::kLengthOffset + 2] = 0x10;  // 0x100010 bytes
    EXPECT_EQ(Send(claims), "FW:NG:SIZE;");

    // An image really larger than the flash: every announced byte is taken, none of it printed, and
    // the printer keeps no more than the largest image while it arrives.
    const Bytes huge = firmware::BuildImage("9.99", Payload(firmware::kLargestPayload + 4096));
    EXPECT_EQ(Send(huge), "FW:NG:SIZE;");
    Write(printer, Text("after"));
    EXPECT_EQ(sink.data, "after");
    EXPECT_EQ(printer.Core().State().romVersion, "1.00");

    // The largest image the flash holds is taken.
    EXPECT_EQ(Send(firmware::BuildImage("4.00", Payload(firmware::kLargestPayload))), "FW:OK:4.00;");
}

TEST_F(FirmwareDownload, AResetInTheMiddleAbandonsTheDownload) {
    const Bytes download = Download(firmware::BuildImage("2.10", Payload(400)));
    Write(printer, Bytes(download.begin(), download.begin() + 200));
    printer.SoftReset();
    EXPECT_EQ(ReadAll(printer), "");
    Write(printer, Text("xy"));
    EXPECT_EQ(sink.data, "xy");
    EXPECT_EQ(Send(firmware::BuildImage("2.11", Payload(400))), "FW:OK:2.11;");
}

TEST_F(FirmwareDownload, TheHostOpeningItsPortForEveryPieceDoesNotEndTheDownload) {
    // As the print stream sends a file: one opening of the port per 1024 bytes.
    const Bytes download = Download(firmware::BuildImage("2.20", Payload(3000)));
    for (std::size_t at = 0; at < download.size(); at += 1024) {
        ASSERT_TRUE(printer.Open());
        Write(printer,
              Bytes(download.begin() + static_cast<std::ptrdiff_t>(at),
                    download.begin() + static_cast<std::ptrdiff_t>(std::min(at + 1024, download.size()))));
        printer.Close();
    }
    EXPECT_EQ(printer.Core().State().romVersion, "2.20");
    ASSERT_TRUE(printer.Open());
    Write(printer, Text("xy"));
    EXPECT_EQ(sink.data, "xy");
    EXPECT_EQ(RomVersion(), "VI:2.20;");

    // A command cut by a closing is still forgotten.
    Write(printer, {0x1B, 0x7C, 0x00, 0x05});
    printer.Close();
    ASSERT_TRUE(printer.Open());
    Write(printer, Text("z"));
    EXPECT_EQ(sink.data, "xyz");
}

TEST_F(FirmwareDownload, TheNewVersionSurvivesARestart) {
    testsupport::TemporaryFolder folder{"vprinter-firmware"};
    vprinter::StateStore store{folder.Path()};
    std::ostringstream report;
    ASSERT_EQ(Send(firmware::BuildImage("5.01", Payload(64))), "FW:OK:5.01;");
    ASSERT_TRUE(store.Save(printer.Core(), report)) << report.str();

    vprinter::VirtualPrinter restarted{Profile("VK-572D"), "USB1"};
    store.Load(restarted.Core(), report);
    EXPECT_EQ(restarted.Core().State().romVersion, "5.01");
    EXPECT_EQ(report.str(), "");
}

}  // namespace

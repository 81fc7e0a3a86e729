// The printer on its plain byte stream: the EEPROM requests of the access layer, the factory commands
// inside print data, the production and remote-mode commands, the model preamble. Every request here
// is written byte for byte as the program's builders document it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrinterTestSupport.h"
#include "vprinter/model/ControlVerb.h"

namespace {

using namespace vprintertest;

// VK-572D: command code 0x57 0x2D, one-byte addresses. VK-2240II: 0x22 0x40, two-byte addresses.
class RawStream : public ::testing::Test {
protected:
    RecordingSink sink;
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1", &sink};
    RecordingSink wideSink;
    vprinter::VirtualPrinter wide{Profile("VK-2240II"), "LPT2", &wideSink};

    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        ASSERT_TRUE(wide.Open());
    }
    std::uint8_t Eeprom(vprinter::VirtualPrinter& p, int address) {
        return p.Core().State().eeprom.at(static_cast<std::size_t>(address));
    }
};

TEST_F(RawStream, EepromReadRequestIsAnsweredWithTheValueAtOffsetsFourteenAndFifteen) {
    printer.Core().EepromImage().Write(0xA2, 0x5A);
    Write(printer, {0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x10, 0xEF, 0x08, 0xA2});
    const std::string reply = ReadAll(printer);
    EXPECT_EQ(reply, "EE:00A2 VALUE:5A;");
    EXPECT_EQ(reply.substr(14, 2), "5A");
    // ESC @ reaches the renderer; the request does not.
    EXPECT_EQ(sink.data, std::string("\x1B@", 2));
}

TEST_F(RawStream, EepromWriteRequestWithItsCanAndResetPrefix) {
    Write(printer,
          {0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0x23, 0x5A});
    EXPECT_EQ(Eeprom(printer, 0x23), 0x5A);
    EXPECT_EQ(ReadAll(printer), "");
    EXPECT_EQ(sink.data, std::string("\x18\x18\x1B@", 4));
}

TEST_F(RawStream, TwoByteAddressWritesOfAWideModel) {
    const std::uint8_t low = Eeprom(wide, 0x23);
    // Set 1 at 0x123 (two-byte form, length still 7), then set 2 at 0x124 in the same write.
    Write(wide, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A,
                 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x05, 0xFA, 0x82, 0x24, 0x01, 0x6B});
    EXPECT_EQ(Eeprom(wide, 0x123), 0x5A);
    EXPECT_EQ(Eeprom(wide, 0x124), 0x6B);
    EXPECT_EQ(Eeprom(wide, 0x23), low);
    EXPECT_EQ(wideSink.data, "");
}

TEST_F(RawStream, OneByteRequestsAloneInTheirWriteReachTheFirst256BytesOfAWideModel) {
    Write(wide,
          {0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x04, 0xFB, 0x02, 0xA2, 0x07});
    EXPECT_EQ(Eeprom(wide, 0xA2), 0x07);
    Write(wide, {0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x22, 0x40, 0x10, 0xEF, 0x08, 0xA2});
    EXPECT_EQ(ReadAll(wide), "EE:00A2 VALUE:07;");
    // The production read of a wide model with its high byte (parameter count still 6).
    wide.Core().EepromImage().Write(0x134, 0xA5);
    Write(wide, {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x22, 0x40, 0x10, 0xEF, 0x08, 0x34, 0x01});
    EXPECT_EQ(ReadAll(wide), "EE:0134 VALUE:A5;");
}

TEST_F(RawStream, WideModelRequestsAmongOtherBytesMeanTheSameWhereverTheHostSplitsTheWrite) {
    // Print data, set 1 at 0x0ED, the read of 0x134, set 2 at 0x1A0, print data, as a job's buffer
    // holds them, in two writes split at every point. A cut just after a high address byte leaves what
    // looks like a whole one-byte request at the end of the first write.
    const Bytes stream =
        Concat({Text("ab"),
                {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x04, 0xFB, 0x02, 0xED, 0x00, 0x1A},
                {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x22, 0x40, 0x10, 0xEF, 0x08, 0x34, 0x01},
                {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x05, 0xFA, 0x82, 0xA0, 0x01, 0x6B},
                Text("cd")});
    wide.Core().EepromImage().Write(0x134, 0xA5);
    for (std::size_t split = 1; split < stream.size(); ++split) {
        for (const int address : {0xED, 0x00, 0xA0, 0x1A0}) {
            wide.Core().EepromImage().Write(address, 0x55);
        }
        wideSink.data.clear();
        Write(wide, Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(split)));
        Write(wide, Bytes(stream.begin() + static_cast<std::ptrdiff_t>(split), stream.end()));
        EXPECT_EQ(Eeprom(wide, 0xED), 0x1A) << split;
        EXPECT_EQ(Eeprom(wide, 0x1A0), 0x6B) << split;
        EXPECT_EQ(Eeprom(wide, 0x00), 0x55) << split;
        EXPECT_EQ(Eeprom(wide, 0xA0), 0x55) << split;
        EXPECT_EQ(ReadAll(wide), "EE:0134 VALUE:A5;") << split;
        EXPECT_EQ(wideSink.data, "abcd") << split;
    }
}

TEST_F(RawStream, ValueCommandStoresTheCorrectionAndShiftsRightToLeftLines) {
    printer.Core().State().hiddenTimingError = {2, -4, 5};
    EXPECT_EQ(printer.Core().RightToLeftShift(1), -4);
    // Mode index 1, value -3 as a signed byte.
    Write(printer, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0x01, 0xFD});
    EXPECT_EQ(Eeprom(printer, 0xA3), 0xFD);
    EXPECT_EQ(printer.Core().RightToLeftShift(1), -1);
    Write(printer, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0x01, 0xFC});
    EXPECT_EQ(printer.Core().RightToLeftShift(1), 0);
}

TEST_F(RawStream, ModeFlagAndPrintEepromByteInsidePrintData) {
    printer.Core().EepromImage().Write(0x20, 0x01);
    Write(printer, Concat({Text("<<"),
                           {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x01, 0xFE, 0x80, 0x20},
                           Text(">>"),
                           {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x03, 0xFC, 0x81, 0x01}}));
    EXPECT_EQ(sink.data, "<<01>>");
    EXPECT_EQ(sink.modeFlags, std::vector<int>{1});
    EXPECT_EQ(ReadAll(printer), "");
}

TEST_F(RawStream, DumpPreamblesArePrintDataAndTheModeFlag) {
    const Bytes preamble1{0x1B, 0x53, 0x1B, 0x1B, 0x53, 0x1C, 0x1B, 0x40, 0x1C, 0x2E, 0x18, 0x1B, 0x78, 0x30};
    const Bytes preamble2{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x03, 0xFC, 0x81, 0x00};
    Write(printer, preamble1);
    Write(printer, preamble2);
    EXPECT_EQ(sink.data, std::string(preamble1.begin(), preamble1.end()));
    EXPECT_EQ(sink.modeFlags, std::vector<int>{0});
}

TEST_F(RawStream, BitImageAndCharacterDataAreNeverTakenForCommands) {
    // Six bytes of graphics that spell the start of a factory write, then a defined character whose
    // columns do the same.
    const Bytes image{0x1B, 0x2A, 32, 0x02, 0x00, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57};
    const Bytes character{0x1B, 0x26, 0x00, 'A', 'A', 0x00, 0x01, 0x00, 0x1B, 0x7C, 0x00};
    const Bytes write{0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0x30, 0x77};
    Write(printer, Concat({image, character, write}));
    EXPECT_EQ(sink.data,
              std::string(image.begin(), image.end()) + std::string(character.begin(), character.end()));
    EXPECT_EQ(Eeprom(printer, 0x30), 0x77);
}

// The data of every command that carries data, spelling a reset (ESC @) and the packet-mode entry
// (ESC | D 4): printed as the command's data, never obeyed.
std::vector<Bytes> CarriersOf(const Bytes& data) {
    return {
        Concat({{0x1B, 'K', 0x06, 0x00}, data}),        // 60-dpi graphics, six columns
        Concat({{0x1B, 'L', 0x06, 0x00}, data}),        // 120-dpi graphics
        Concat({{0x1B, 'Y', 0x06, 0x00}, data}),        // 120-dpi graphics, high speed
        Concat({{0x1B, 'Z', 0x06, 0x00}, data}),        // 240-dpi graphics
        Concat({{0x1B, '^', 0x00, 0x03, 0x00}, data}),  // nine-needle graphics, three columns of two bytes
        Concat({{0x1B, '*', 0x00, 0x06, 0x00}, data}),  // 8-needle bit image, six columns
        Concat({{0x1B, '*', 39, 0x02, 0x00}, data}),    // 24-needle bit image, two columns of three bytes
        Concat({{0x1B, '*', 72, 0x01, 0x00}, data}),    // 48-dot bit image, one column of six bytes
        Concat({{0x1B, '.', 0x00, 10, 10, 0x01, 48, 0x00}, data}),      // raster graphics, one row of 48 dots
        Concat({{0x1B, '&', 0x00, 'A', 'A', 0x00, 0x02, 0x00}, data}),  // 'A' defined, two columns
        Concat({{0x1B, '(', 'x', 0x06, 0x00}, data}),                   // an extended command's parameters
        Concat({{0x1C, '2', 0x77, 0x21}, data, Bytes(66, 0x00)}),       // a user-defined kanji
    };
}

TEST_F(RawStream, ImageDataThatSpellsAResetOrThePacketModeEntryIsOnlyPrinted) {
    const Bytes sensors{0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12};
    const Bytes romVersion{0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x21, 0xDE, 0x90};
    for (const bool byteByByte : {false, true}) {
        for (const Bytes& carrier : CarriersOf({0x1B, 0x40, 0x1B, 0x7C, 0x44, 0x34})) {
            const std::string what = std::string(byteByByte ? "a byte a write, " : "one write, ") + "ESC " +
                                     static_cast<char>(carrier[1]);
            // An answer waits unread: a reset would drop it.
            Write(printer, sensors);
            const Bytes job = Concat({Text("<"), carrier, Text(">")});
            if (byteByByte) {
                for (const std::uint8_t byte : job) {
                    Write(printer, Bytes{byte});
                }
            } else {
                Write(printer, job);
            }
            EXPECT_FALSE(printer.InPacketMode()) << what;
            // Still on the plain stream, where the next request is answered in plain text.
            Write(printer, romVersion);
            EXPECT_EQ(ReadAll(printer), "SS:0C;VR:1.00;") << what;
            EXPECT_EQ(sink.data, std::string(job.begin(), job.end())) << what;
            sink.data.clear();
        }
    }
}

TEST_F(RawStream, AnUnknownCommandIsPassedOnAndTheByteThatShowedItIsReadAgain) {
    // ESC | followed by ESC: no frame of the printer's, but the ESC starts the sensors request.
    Write(printer, {0x1B, 0x7C, 0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12});
    EXPECT_EQ(ReadAll(printer), "SS:0C;");
    EXPECT_EQ(sink.data, std::string("\x1B|", 2));
    // The same, a byte at a time.
    sink.data.clear();
    for (const std::uint8_t byte :
         Bytes{0x1B, 0x7C, 0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12}) {
        Write(printer, Bytes{byte});
    }
    EXPECT_EQ(ReadAll(printer), "SS:0C;");
    EXPECT_EQ(sink.data, std::string("\x1B|", 2));
}

TEST_F(RawStream, CommandsSplitAcrossWritesAreJoined) {
    const Bytes read{0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12};
    for (std::uint8_t byte : read) {
        Write(printer, Bytes{byte});
    }
    EXPECT_EQ(ReadAll(printer), "SS:0C;");
}

TEST_F(RawStream, ProductionCommandsAnswerWithTheirKeys) {
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x21, 0xDE, 0x90});
    EXPECT_EQ(ReadAll(printer), "VR:1.00;");
    Write(printer, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x71, 0x8E, 0xB8, 0x01, 0x02});
    EXPECT_EQ(ReadAll(printer), "BZ:00;");
    Write(printer, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x61, 0x9E, 0xB0, 0x03, 0x00});
    EXPECT_EQ(ReadAll(printer), "IC:0300;");
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0xFA, 0x05, 0x7D});
    EXPECT_EQ(ReadAll(printer), "AK;");
    printer.Core().EepromImage().Write(0x10, 0x02);
    Write(printer, {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x41, 0xBE, 0xA0, 0x10});
    EXPECT_EQ(ReadAll(printer), "EE:0010 VALUE:02;");
    wide.Core().EepromImage().Write(0x1FF, 0x99);
    Write(wide, {0x1B, 0x7C, 0x01, 0x07, 0x00, 0x22, 0x40, 0x41, 0xBE, 0xA0, 0xFF, 0x01});
    EXPECT_EQ(ReadAll(wide), "EE:01FF VALUE:99;");
}

TEST_F(RawStream, AnotherModelsKeyOrAnUnknownOperationIsNotAvailable) {
    const std::uint8_t before = Eeprom(printer, 0x30);
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x22, 0x40, 0x24, 0xDB, 0x12});
    EXPECT_EQ(ReadAll(printer), "NA;");
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x99, 0x66, 0x01});
    EXPECT_EQ(ReadAll(printer), "NA;");
    // A factory write with another model's key changes nothing.
    Write(printer, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x22, 0x40, 0x04, 0xFB, 0x02, 0x30, 0x77});
    EXPECT_EQ(Eeprom(printer, 0x30), before);
    EXPECT_EQ(ReadAll(printer), "");
}

TEST_F(RawStream, RemoteModeAnswersHeadTemperatureAndRomVersion) {
    const Bytes enter{0x1B, '(', 'R', 0x08, 0x00, 0x00, 'R', 'E', 'M', 'O', 'T', 'E', '1'};
    const Bytes leave{0x1B, 0x00, 0x00, 0x00};
    Write(printer, Concat({enter, Text("HT"), {0x01, 0x00, 0x01}, leave}));
    EXPECT_EQ(ReadAll(printer), "HT:25;");
    Write(printer, Concat({enter, Text("VI"), {0x02, 0x00, 0x01, 0x00}, leave, Text("x")}));
    EXPECT_EQ(ReadAll(printer), "VI:1.00;");
    EXPECT_EQ(sink.data, "x");
}

TEST_F(RawStream, ModelPreambleIsTakenAndNotPrinted) {
    Write(printer, {0x1C, 0x28, 0x45, 0x01, 0x00, 0x01});
    EXPECT_TRUE(printer.Core().State().modelPreambleSeen);
    EXPECT_EQ(sink.data, "");
}

TEST(ModelPreambleRule, TheProfileSaysWhetherThePrinterNeedsItAndTheReportShowsIt) {
    // The shipped models answer without it.
    for (const char* shipped : {"VK-572D", "VK-2240II"}) {
        EXPECT_FALSE(Profile(shipped).needsModelPreamble) << shipped;
    }
    vprinter::ModelProfile profile = Profile("VK-572D");
    profile.needsModelPreamble = true;
    RecordingSink sink;
    vprinter::VirtualPrinter told{profile, "USB3", &sink};
    ASSERT_TRUE(told.Open());
    const auto report = [&] { return vprinter::ApplyControl(told, "get").text; };
    EXPECT_NE(report().find("model-preamble=0\nmodel-preamble-needed=1\n"), std::string::npos);
    Write(told, {0x1C, 0x28, 0x45, 0x01, 0x00, 0x01});
    EXPECT_NE(report().find("model-preamble=1\nmodel-preamble-needed=1\n"), std::string::npos);
}

TEST_F(RawStream, ResetDropsUnreadAnswersSoTheNextAnswerStartsAtOffsetZero) {
    Write(printer, {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12});
    Write(printer, {0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x10, 0xEF, 0x08, 0x00});
    EXPECT_EQ(ReadAll(printer), "EE:0000 VALUE:57;");
}

TEST_F(RawStream, LineFeedsCountDrivingLinesInTheEeprom) {
    Write(printer, Text("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(Eeprom(printer, 0x0C), 3);
    EXPECT_EQ(Eeprom(printer, 0x04), 3);
    EXPECT_EQ(printer.Core().State().linesFed, 3u);
}

TEST_F(RawStream, EveryThousandthLineAddsADrivingHourAndTheChecksumFollows) {
    Write(printer, Bytes(999, '\n'));
    EXPECT_EQ(Eeprom(printer, 0x08), 0);
    Write(printer, Bytes(1002, '\n'));
    EXPECT_EQ(Eeprom(printer, 0x08), 2);
    EXPECT_EQ(Eeprom(printer, 0x0C) | (Eeprom(printer, 0x0D) << 8), 2001);
    unsigned sum = 0;
    for (int address = 0; address < 0xFE; ++address) {
        sum += Eeprom(printer, address);
    }
    EXPECT_EQ(Eeprom(printer, 0xFE) | (Eeprom(printer, 0xFF) << 8), sum & 0xFFFF);
}

TEST_F(RawStream, DeviceIdNamesMakerModelAndTheTransport) {
    EXPECT_EQ(printer.DeviceId(), "MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4;CLS:PRINTER;DES:ORLEX VK-572D;");
    EXPECT_NE(wide.DeviceId().find("MDL:VK-2240II;"), std::string::npos);
}

TEST_F(RawStream, FactoryImageFollowsTheProfile) {
    // EEPROM_INIT layout code, the first customer's character table, the USB serial number.
    EXPECT_EQ(Eeprom(printer, 0x00), 0x57);
    EXPECT_EQ(Eeprom(printer, 0x01), 0x2D);
    EXPECT_EQ(Eeprom(printer, 0x21), 0x05);
    EXPECT_EQ(Eeprom(printer, 0xE0), 'V');
    EXPECT_EQ(printer.Core().State().eeprom.size(), 256u);
    EXPECT_EQ(wide.Core().State().eeprom.size(), 512u);
}

}  // namespace

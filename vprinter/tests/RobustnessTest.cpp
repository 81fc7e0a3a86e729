// Untrusted host bytes: a few hundred thousand random, truncated and mutated inputs, on the plain
// stream and in packet mode. The printer must neither crash nor hold more than its bounds.
#include <gtest/gtest.h>

#include <random>

#include "PrinterTestSupport.h"
#include "d4/PacketMode.h"
#include "d4/Transaction.h"

namespace {

using namespace vprintertest;

// Valid requests of every family, cut and mutated below.
std::vector<Bytes> Templates() {
    return {
        {0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x06, 0x00, 0x57, 0x2D, 0x10, 0xEF, 0x08, 0xA2},
        {0x18, 0x18, 0x1B, 0x40, 0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0x23, 0x5A},
        {0x1B, 0x7C, 0x00, 0x05, 0x00, 0x57, 0x2D, 0x24, 0xDB, 0x12},
        {0x1B, 0x7C, 0xFF, 0xFF, 0x00, 0x57},
        {0x1B, '(', 'R', 0x08, 0x00, 0x00, 'R', 'E', 'M', 'O', 'T', 'E', '1', 'H', 'T', 0x01, 0x00, 0x01},
        {0x1B, 0x2A, 39, 0xFF, 0xFF, 0x00},
        {0x1B, 0x26, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00},
        {0x1C, 0x28, 0x45, 0xFF, 0xFF, 0x01},
        {0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20},
        d4::EncodeTransactionPacket(d4::OpenChannelRequest({2, 2}, 0x100, 0x100, 1, 0xFFFF)),
        d4::EncodeTransactionPacket(d4::OpenChannelRequest({0x40, 0x40}, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF)),
        d4::EncodeTransactionPacket(d4::CreditRequest({0x40, 0x40}, 0xFFFF, 0xFFFF)),
        d4::EncodeTransactionPacket(d4::CreditGrant({2, 2}, 0xFFFF)),
        {0x02, 0x02, 0x00, 0x0B, 0xFF, 0x01, 's', 't', 0x01, 0x00, 0x01},
        {0x02, 0x02, 0x00, 0x0A, 0x01, 0x01, '|', '|', 0xFF, 0xFF},
        {0x40, 0x40, 0xFF, 0xFF, 0x01, 0x01, 0x1B, 0x7C},
        d4::PacketModeClosing(),
    };
}

void CheckBounds(vprinter::VirtualPrinter& printer, std::size_t eepromSize) {
    ASSERT_LE(printer.OutputBytes(), vprinter::VirtualPrinter::kLargestOutput);
    ASSERT_LE(printer.Transport().Waiting(), 2 * vprinter::PrinterTransport::kLargestWaiting);
    ASSERT_EQ(printer.Core().State().eeprom.size(), eepromSize);
}

TEST(Robustness, RandomTruncatedAndMutatedInputsNeverCrashOrGrow) {
    vprinter::VirtualPrinter narrow{Profile("VK-572D"), "USB1"};
    vprinter::VirtualPrinter wide{Profile("VK-2240II"), "LPT2"};
    ASSERT_TRUE(narrow.Open());
    ASSERT_TRUE(wide.Open());
    const std::vector<Bytes> templates = Templates();
    std::mt19937 random(20260101);
    std::uint8_t sink[4096];
    constexpr int kInputs = 300000;
    for (int i = 0; i < kInputs; ++i) {
        vprinter::VirtualPrinter& printer = (i & 1) ? wide : narrow;
        Bytes input;
        const unsigned kind = random() % 4;
        if (kind == 0) {
            input.resize(random() % 48);
            for (std::uint8_t& byte : input) {
                byte = static_cast<std::uint8_t>(random());
            }
        } else {
            input = templates[random() % templates.size()];
            if (kind == 1) {
                input.resize(random() % (input.size() + 1));
            } else if (kind == 2 && !input.empty()) {
                input[random() % input.size()] = static_cast<std::uint8_t>(random());
            }
        }
        printer.Write(input);
        if (random() % 4 == 0) {
            printer.Read(sink, sizeof sink);
        }
        if (random() % 5000 == 0) {
            printer.Close();
            ASSERT_TRUE(printer.Open());
        }
        if (i % 1000 == 0) {
            CheckBounds(narrow, 256);
            CheckBounds(wide, 512);
        }
    }
    CheckBounds(narrow, 256);
    CheckBounds(wide, 512);
}

TEST(Robustness, HugeWritesAndUnfinishedLongCommandsStayBounded) {
    vprinter::VirtualPrinter printer{Profile("VK-572D"), "USB1"};
    ASSERT_TRUE(printer.Open());
    Bytes huge(8 * 1024 * 1024);
    std::mt19937 random(7);
    for (std::uint8_t& byte : huge) {
        byte = static_cast<std::uint8_t>(random());
    }
    printer.Write(huge);
    CheckBounds(printer, 256);
    // A factory frame that announces 65535 bytes and never ends, fed a byte at a time.
    printer.Close();
    ASSERT_TRUE(printer.Open());
    printer.Write(Bytes{0x1B, 0x7C, 0x00, 0xFF, 0xFF});
    for (int i = 0; i < 70000; ++i) {
        printer.Write(Bytes{0x00});
    }
    CheckBounds(printer, 256);
    // Packet mode: an endless stream of packets that announce their full length.
    Write(printer, d4::PacketModeOpening(0x20));
    for (int i = 0; i < 200; ++i) {
        printer.Write(Bytes(65536, 0x40));
    }
    CheckBounds(printer, 256);
}

}  // namespace

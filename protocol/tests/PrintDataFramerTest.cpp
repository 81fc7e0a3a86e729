// Where each command of the print data ends: one line per input, written from the commands'
// definitions, incomplete and unknown inputs included.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "protocol/PrintDataFramer.h"

namespace {

using protocol::framing::CommandFrame;
using protocol::framing::FrameCommand;
using protocol::framing::FrameStatus;

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values) {
    Bytes bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

Bytes Repeat(std::uint8_t byte, std::size_t count) {
    return Bytes(count, byte);
}

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

// Bytes that would reset the printer and take it into packet mode if they were read as commands.
const Bytes kHostile = B({0x1B, '@', 0x1B, '|', 'D', '4'});

// The whole command is in the bytes given: a reader carries it out (or drops an unknown one) now.
bool Whole(const CommandFrame& frame, std::size_t given) {
    return frame.status == FrameStatus::Unknown ||
           (frame.status == FrameStatus::Complete && frame.length <= given);
}

struct Case {
    const char* what;
    Bytes bytes;
    bool twoByteAddress;
    bool complete;
    std::size_t length;
};

TEST(PrintDataFramer, FramesEachCommandByItsDocumentedLength) {
    const std::vector<Case> cases = {
        {"ESC @", B({0x1B, '@', 'x'}), false, true, 2},
        {"ESC U n", B({0x1B, 'U', 1}), false, true, 3},
        {"ESC U without argument", B({0x1B, 'U'}), false, false, 0},
        {"ESC : 0 n 0", B({0x1B, ':', 0, 0, 0, 'A'}), false, true, 5},
        {"ESC C n", B({0x1B, 'C', 70, 'A'}), false, true, 3},
        {"ESC C 0 n (inches)", B({0x1B, 'C', 0, 11, 'A'}), false, true, 4},
        {"ESC ( C 2 0 mL mH", B({0x1B, '(', 'C', 2, 0, 0x78, 0x0F, 'A'}), false, true, 7},
        {"ESC ( t 3 0 a b c", B({0x1B, '(', 't', 3, 0, 1, 1, 0}), false, true, 8},
        {"ESC ( cut in its parameters", B({0x1B, '(', 't', 3, 0, 1}), false, false, 0},
        {"ESC D list ended by NUL", B({0x1B, 'D', 2, 78, 0, 'A'}), false, true, 5},
        {"ESC D without NUL stops at 32 stops", B({0x1B, 'D'}) + Repeat(1, 40), false, true, 34},
        {"ESC * 32 two columns", B({0x1B, '*', 32, 2, 0, 1, 2, 3, 4, 5, 6, 'A'}), false, true, 11},
        {"ESC * 38 cut in its data", B({0x1B, '*', 38, 2, 0, 1, 2, 3}), false, false, 0},
        {"ESC * 0 (8 needles, one byte a column)", B({0x1B, '*', 0, 3, 0, 1, 2, 3}), false, true, 8},
        {"ESC & one character of two columns", B({0x1B, '&', 0, 'A', 'A', 0, 2, 0, 1, 2, 3, 4, 5, 6}), false,
         true, 14},
        {"ESC & first code above last", B({0x1B, '&', 0, 'B', 'A', 'x'}), false, true, 5},
        {"ESC & cut in the second header", B({0x1B, '&', 0, 'A', 'B', 0, 0, 0, 0}), false, false, 0},
        {"ESC K (8-needle graphics)", B({0x1B, 'K', 2, 0, 9, 9}), false, true, 6},
        {"ESC $ nL nH", B({0x1B, '$', 1, 0}), false, true, 4},
        {"unknown ESC letter", B({0x1B, 'Z' + 1, 5}), false, true, 2},
        {"FS &", B({0x1C, '&', 'A'}), false, true, 2},
        {"FS ( E 1 0 1", B({0x1C, '(', 'E', 1, 0, 1}), false, true, 6},
        {"set mode flag", B({0x1B, '|', 0, 6, 0, 0x57, 0x2D, 0x03, 0xFC, 0x81, 1}), false, true, 11},
        {"set bi-directional value", B({0x1B, '|', 0, 7, 0, 0x57, 0x2D, 0x00, 0xFF, 0x00, 0, 0xFD}), false,
         true, 12},
        {"EEPROM write, one-byte address", B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x5A}),
         false, true, 12},
        // The firmware of a two-byte model reads one more byte than the write's length field says.
        {"EEPROM write, two-byte address",
         B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A}), true, true, 13},
        {"print EEPROM byte, two-byte address",
         B({0x1B, '|', 0, 7, 0, 0x41, 0x42, 0x01, 0xFE, 0x80, 0x23, 0x00}), true, true, 12},
        {"EEPROM read request, skipped by its length",
         B({0x1B, '|', 0, 6, 0, 0x41, 0x42, 0x10, 0xEF, 0x08, 0xA2}), false, true, 11},
        {"factory block with a wrong complement", B({0x1B, '|', 0, 6, 0, 0x41, 0x42, 0x03, 0x00, 0x81, 1}),
         false, true, 11},
        {"factory block cut in its head", B({0x1B, '|', 0, 6, 0, 0x41, 0x42}), false, false, 0},
    };
    for (const auto& testCase : cases) {
        const auto frame = FrameCommand(testCase.bytes, testCase.twoByteAddress);
        EXPECT_EQ(Whole(frame, testCase.bytes.size()), testCase.complete) << testCase.what;
        if (testCase.complete) {
            EXPECT_EQ(frame.length, testCase.length) << testCase.what;
        }
    }
}

TEST(PrintDataFramer, AbsurdCountsNeedOnlyTheirOwnLength) {
    // 65535 columns of three bytes: the frame asks for exactly that much and no more.
    Bytes image = B({0x1B, '*', 39, 0xFF, 0xFF});
    EXPECT_FALSE(Whole(FrameCommand(image, false), image.size()));
    image.resize(5 + 3 * 65535);
    const auto frame = FrameCommand(image, false);
    EXPECT_TRUE(Whole(frame, image.size()));
    EXPECT_EQ(frame.length, 5u + 3u * 65535u);
}

// One command per letter after ESC and FS, written out whole from its definition; head is where its
// data starts, or 0 for a command without data.
struct LetterCase {
    Bytes bytes;
    std::size_t head = 0;
};

std::vector<LetterCase> LetterCases() {
    const Bytes column3 = B({0x80, 0x00, 0x01});
    return {
        {B({0x1B, 0x0F})},             // condensed
        {B({0x1B, 0x0E})},             // double width for one line
        {B({0x1B, 0x19, '1'})},        // feeder bin 1
        {B({0x1B, ' ', 5})},           // 5 units after each character
        {B({0x1B, '!', 0x30})},        // master select
        {B({0x1B, '#'})},              // cancel the eighth-bit setting
        {B({0x1B, '$', 0x10, 0x01})},  // absolute position 272/60 inch
        {B({0x1B, '%', 1})},           // user-defined set
        {B({0x1B, '&', 0, 'A', 'B', 0, 1, 0}) + column3 + B({1, 2, 1}) + column3 + column3},
        {B({0x1B, '(', 't', 3, 0, 1, 1, 0})},               // character table 1
        {B({0x1B, '*', 39, 2, 0}) + column3 + column3, 5},  // 180-dpi 24-needle, two columns
        {B({0x1B, '+', 42})},
        {B({0x1B, '-', 1})},
        // Raster graphics, uncompressed: one dot row of 16 dots, two bytes.
        {B({0x1B, '.', 0, 20, 20, 1, 16, 0, 0xFF, 0x0F}), 8},
        {B({0x1B, '/', 2})},  // vertical tab channel 2
        {B({0x1B, '0'})},
        {B({0x1B, '1'})},
        {B({0x1B, '2'})},
        {B({0x1B, '3', 24})},
        {B({0x1B, '4'})},
        {B({0x1B, '5'})},
        {B({0x1B, '6'})},
        {B({0x1B, '7'})},
        {B({0x1B, '8'})},
        {B({0x1B, '9'})},
        {B({0x1B, ':', 0, 0, 0})},  // copy the ROM characters to RAM
        {B({0x1B, '<'})},
        {B({0x1B, '='})},
        {B({0x1B, '>'})},
        {B({0x1B, '?', 'K', 3})},  // ESC K prints at density 3
        {B({0x1B, '@'})},
        {B({0x1B, 'A', 12})},
        {B({0x1B, 'B', 10, 20, 0})},  // vertical tab stops at lines 10 and 20
        {B({0x1B, 'C', 70})},
        {B({0x1B, 'D', 2, 78, 0})},  // tab stops at columns 2 and 78
        {B({0x1B, 'E'})},
        {B({0x1B, 'F'})},
        {B({0x1B, 'G'})},
        {B({0x1B, 'H'})},
        {B({0x1B, 'I', 1})},
        {B({0x1B, 'J', 30})},
        {B({0x1B, 'K', 3, 0, 0xFF, 0x81, 0xFF}), 4},  // three 60-dpi columns
        {B({0x1B, 'L', 2, 0, 0xAA, 0x55}), 4},
        {B({0x1B, 'M'})},
        {B({0x1B, 'N', 6})},
        {B({0x1B, 'O'})},
        {B({0x1B, 'P'})},
        {B({0x1B, 'Q', 80})},
        {B({0x1B, 'R', 8})},
        {B({0x1B, 'S', 0})},
        {B({0x1B, 'T'})},
        {B({0x1B, 'U', 1})},
        {B({0x1B, 'W', 1})},
        {B({0x1B, 'X', 0, 0x18, 0})},  // 12-point
        {B({0x1B, 'Y', 1, 0, 0x3C}), 4},
        {B({0x1B, 'Z', 2, 0, 0x01, 0x80}), 4},
        {B({0x1B, '\\', 0xF6, 0xFF})},                         // ten units to the left
        {B({0x1B, '^', 0, 2, 0, 0xFF, 0x80, 0x00, 0x80}), 5},  // two nine-needle columns of two bytes
        {B({0x1B, 'a', 1})},
        {B({0x1B, 'b', 1, 10, 0})},  // channel 1, a stop at line 10
        {B({0x1B, 'c', 0x78, 0x00})},
        {B({0x1B, 'e', 0, 8})},
        {B({0x1B, 'f', 0, 10})},
        {B({0x1B, 'g'})},
        {B({0x1B, 'i', 0})},
        {B({0x1B, 'j', 30})},
        {B({0x1B, 'k', 1})},
        {B({0x1B, 'l', 5})},
        {B({0x1B, 'm', 4})},
        {B({0x1B, 'p', 0})},
        {B({0x1B, 'q', 0})},
        {B({0x1B, 'r', 0})},
        {B({0x1B, 's', 1})},
        {B({0x1B, 't', 1})},
        {B({0x1B, 'w', 1})},
        {B({0x1B, 'x', 1})},
        {B({0x1B, 'y', 0})},
        {B({0x1B, '|', 0, 6, 0, 0x57, 0x2D, 0x03, 0xFC, 0x81, 1})},  // set mode flag 1
        {B({0x1C, '!', 0x04})},
        {B({0x1C, '&'})},
        {B({0x1C, '(', 'E', 1, 0, 1})},  // the model preamble
        {B({0x1C, '-', 1})},
        {B({0x1C, '.'})},
        {B({0x1C, '2', 0x77, 0x21}) + Repeat(0xFF, 72), 4},  // a user-defined kanji of 24 x 24 dots
        {B({0x1C, 'C', 1})},
        {B({0x1C, 'S', 0, 3})},
        {B({0x1C, 'T', 0, 2})},
        {B({0x1C, 'W', 1})},
        {B({0x1C, 'k', 0})},
        {B({0x1C, 'r', 1})},
        {B({0x1C, 'x', 1})},
    };
}

std::string Name(const Bytes& bytes) {
    std::string name = bytes[0] == 0x1B ? "ESC " : "FS ";
    return name + (bytes[1] >= 0x21 && bytes[1] < 0x7F ? std::string(1, static_cast<char>(bytes[1]))
                                                       : "byte " + std::to_string(bytes[1]));
}

TEST(PrintDataFramer, EveryLetterFramesItsWholeCommandAndNoMore) {
    for (const LetterCase& letter : LetterCases()) {
        const Bytes& command = letter.bytes;
        const std::size_t head = letter.head == 0 ? command.size() : letter.head;
        // Followed by text, the command still ends where it ends.
        const CommandFrame frame = FrameCommand(command + B({'x', 'y'}), false);
        EXPECT_EQ(frame.status, FrameStatus::Complete) << Name(command);
        EXPECT_EQ(frame.length, command.size()) << Name(command);
        EXPECT_EQ(frame.head, head) << Name(command);
        // Cut anywhere, it is either not known yet (and then only inside its head) or known to be just
        // as long, never shorter.
        bool known = false;
        for (std::size_t cut = 1; cut < command.size(); ++cut) {
            const CommandFrame part = FrameCommand(Bytes(command.begin(), command.begin() + cut), false);
            if (part.status == FrameStatus::NeedMore) {
                EXPECT_FALSE(known) << Name(command) << " cut at " << cut;
                EXPECT_GT(part.length, cut) << Name(command) << " cut at " << cut;
                EXPECT_LE(part.length, head) << Name(command) << " cut at " << cut;
                continue;
            }
            EXPECT_EQ(part.status, FrameStatus::Complete) << Name(command) << " cut at " << cut;
            EXPECT_EQ(part.length, command.size()) << Name(command) << " cut at " << cut;
            EXPECT_EQ(part.head, head) << Name(command) << " cut at " << cut;
            known = true;
        }
    }
}

TEST(PrintDataFramer, EveryRowOfTheTablesHasItsCase) {
    const std::vector<LetterCase> cases = LetterCases();
    const auto covered = [&](std::uint8_t introducer, std::uint8_t letter) {
        for (const LetterCase& letterCase : cases) {
            if (letterCase.bytes[0] == introducer && letterCase.bytes[1] == letter) {
                return true;
            }
        }
        return false;
    };
    for (const auto& row : protocol::framing::kEscapeRows) {
        EXPECT_TRUE(covered(0x1B, row.letter)) << "ESC " << static_cast<int>(row.letter);
    }
    for (const auto& row : protocol::framing::kFileSeparatorRows) {
        EXPECT_TRUE(covered(0x1C, row.letter)) << "FS " << static_cast<int>(row.letter);
    }
    EXPECT_EQ(cases.size(),
              protocol::framing::kEscapeRows.size() + protocol::framing::kFileSeparatorRows.size());
}

TEST(PrintDataFramer, ImageAndCharacterDataIsNeverReadAsCommands) {
    // Data that spells a reset and the packet-mode entry, inside every command that carries data.
    const std::vector<LetterCase> carriers = {
        {B({0x1B, 'K', 6, 0}) + kHostile, 4},
        {B({0x1B, 'L', 6, 0}) + kHostile, 4},
        {B({0x1B, 'Y', 6, 0}) + kHostile, 4},
        {B({0x1B, 'Z', 6, 0}) + kHostile, 4},
        {B({0x1B, '^', 1, 3, 0}) + kHostile, 5},
        {B({0x1B, '*', 0, 6, 0}) + kHostile, 5},
        {B({0x1B, '*', 39, 2, 0}) + kHostile, 5},
        {B({0x1B, '*', 72, 1, 0}) + kHostile, 5},  // 48 dots: six bytes a column
        {B({0x1B, '.', 0, 10, 10, 1, 48, 0}) + kHostile, 8},
        {B({0x1B, '&', 0, 'A', 'A', 0, 2, 0}) + kHostile},
        {B({0x1B, '(', 'x', 6, 0}) + kHostile},
        {B({0x1C, '(', 'x', 6, 0}) + kHostile},
        {B({0x1C, '2', 0x77, 0x21}) + kHostile + Repeat(0, 66), 4},
    };
    for (const LetterCase& carrier : carriers) {
        const CommandFrame frame = FrameCommand(carrier.bytes + kHostile, false);
        EXPECT_EQ(frame.status, FrameStatus::Complete) << Name(carrier.bytes);
        EXPECT_EQ(frame.length, carrier.bytes.size()) << Name(carrier.bytes);
        EXPECT_EQ(frame.head, carrier.head == 0 ? carrier.bytes.size() : carrier.head) << Name(carrier.bytes);
    }
}

TEST(PrintDataFramer, BitImageDensitiesGiveTheirBytesPerColumn) {
    using protocol::framing::BitImageBytesPerColumn;
    for (const int density : {0, 1, 2, 3, 4, 6}) {
        EXPECT_EQ(BitImageBytesPerColumn(static_cast<std::uint8_t>(density)), 1u) << density;
    }
    for (const int density : {32, 33, 38, 39, 40}) {
        EXPECT_EQ(BitImageBytesPerColumn(static_cast<std::uint8_t>(density)), 3u) << density;
    }
    for (const int density : {71, 72, 73}) {
        EXPECT_EQ(BitImageBytesPerColumn(static_cast<std::uint8_t>(density)), 6u) << density;
    }
    // ESC * 73 with 10 columns: 5 + 60 bytes.
    EXPECT_EQ(FrameCommand(B({0x1B, '*', 73, 10, 0}), false).length, 65u);
}

TEST(PrintDataFramer, UnknownCommandsDropOnlyTheBytesThatShowedThemUnknown) {
    struct Unknown {
        const char* what;
        Bytes bytes;
        std::size_t dropped;
    };
    const std::vector<Unknown> cases = {
        {"ESC and a letter the family lacks", B({0x1B, 'z', 'A'}), 2},
        {"ESC and a byte above 0x7F", B({0x1B, 0xC1, 'A'}), 2},
        {"FS and a letter the family lacks", B({0x1C, 'z', 'A'}), 2},
        // The selector is read again: here it starts the factory frame that follows.
        {"ESC | and no known selector", B({0x1B, '|', 0x1B, '|', 0, 5, 0}), 2},
        {"ESC | D not followed by 4", B({0x1B, '|', 'D', 0x1B}), 3},
        {"ESC | F not followed by W", B({0x1B, '|', 'F', 'X'}), 3},
        {"run-length compressed raster graphics", B({0x1B, '.', 1, 10, 10, 24, 0x40, 0x01, 0x05}), 8},
    };
    for (const auto& testCase : cases) {
        const CommandFrame frame = FrameCommand(testCase.bytes, false);
        EXPECT_EQ(frame.status, FrameStatus::Unknown) << testCase.what;
        EXPECT_EQ(frame.length, testCase.dropped) << testCase.what;
        // Decided by the byte after the dropped ones at the latest.
        const Bytes decided(testCase.bytes.begin(),
                            testCase.bytes.begin() + static_cast<std::ptrdiff_t>(testCase.dropped + 1));
        EXPECT_EQ(FrameCommand(decided, false).status, FrameStatus::Unknown) << testCase.what;
    }
}

TEST(PrintDataFramer, ThePrintersOwnFrames) {
    // The packet-mode entry: four bytes, nothing after them belongs to it.
    EXPECT_EQ(FrameCommand(B({0x1B, '|', 'D', '4', 0x00, 0x00}), false).length, 4u);
    // A firmware download: ESC | F W, a 32-bit count, the image passed by as data.
    const CommandFrame download = FrameCommand(B({0x1B, '|', 'F', 'W', 0x10, 0x27, 0x00, 0x00}), false);
    EXPECT_EQ(download.status, FrameStatus::Complete);
    EXPECT_EQ(download.length, 8u + 10000u);
    EXPECT_EQ(download.head, 8u);
    EXPECT_EQ(FrameCommand(B({0x1B, '|', 'F', 'W', 0x10, 0x27}), false).length, 8u);  // needed
    // A production read of the large EEPROM (class 1): by its length field, on any model.
    EXPECT_EQ(FrameCommand(B({0x1B, '|', 1, 7, 0, 0x22, 0x40, 0x41, 0xBE, 0xA0, 0xFF, 0x01}), true).length,
              12u);
}

TEST(PrintDataFramer, TwoByteModelsReadAHighByteOnlyAfterTheWritesAndTheSerialImpactRead) {
    struct Request {
        const char* what;
        Bytes bytes;
        std::size_t oneByteModel;
        std::size_t twoByteModel;
    };
    const std::vector<Request> requests = {
        {"write set 1", B({0x1B, '|', 0, 7, 0, 0x22, 0x40, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A}), 12, 13},
        {"write set 2", B({0x1B, '|', 0, 7, 0, 0x22, 0x40, 0x05, 0xFA, 0x82, 0x24, 0x01, 0x6B}), 12, 13},
        {"serial-impact read", B({0x1B, '|', 0, 6, 0, 0x22, 0x40, 0x10, 0xEF, 0x08, 0x34, 0x01}), 11, 12},
        // Length 7 already counts the high byte of the print-EEPROM-byte command.
        {"print EEPROM byte", B({0x1B, '|', 0, 7, 0, 0x22, 0x40, 0x01, 0xFE, 0x80, 0x34, 0x01}), 12, 12},
        {"bi-directional value", B({0x1B, '|', 0, 7, 0, 0x22, 0x40, 0x00, 0xFF, 0x00, 1, 0xFD}), 12, 12},
        {"sensors", B({0x1B, '|', 0, 5, 0, 0x22, 0x40, 0x24, 0xDB, 0x12}), 10, 10},
        {"a write whose length field is not 7",
         B({0x1B, '|', 0, 8, 0, 0x22, 0x40, 0x04, 0xFB, 0x02, 1, 2, 3}), 13, 13},
    };
    for (const auto& request : requests) {
        EXPECT_EQ(FrameCommand(request.bytes, false).length, request.oneByteModel) << request.what;
        EXPECT_EQ(FrameCommand(request.bytes, true).length, request.twoByteModel) << request.what;
    }
    // The two-byte model needs the operation before it knows.
    const CommandFrame early = FrameCommand(B({0x1B, '|', 0, 7, 0, 0x22, 0x40}), true);
    EXPECT_EQ(early.status, FrameStatus::NeedMore);
    EXPECT_EQ(early.length, 10u);
}

TEST(PrintDataFramer, RemoteModeCommandsAndTheirEnd) {
    using protocol::framing::FrameRemoteCommand;
    EXPECT_EQ(FrameRemoteCommand(B({'H', 'T', 1, 0, 1, 'V'})).length, 5u);
    EXPECT_EQ(FrameRemoteCommand(B({'V', 'I', 2, 0, 1, 0})).length, 6u);
    EXPECT_EQ(FrameRemoteCommand(B({0x1B, 0, 0, 0, 'x'})).length, 4u);
    EXPECT_EQ(FrameRemoteCommand(B({'H', 'T', 1})).status, FrameStatus::NeedMore);
}

TEST(PrintDataFramer, LengthsStayWithinTheirBounds) {
    // The largest counts each shape can carry.
    EXPECT_EQ(FrameCommand(B({0x1B, '*', 73, 0xFF, 0xFF}), false).length, 5u + 6u * 65535u);
    EXPECT_EQ(FrameCommand(B({0x1B, '.', 0, 10, 10, 255, 0xFF, 0xFF}), false).length, 8u + 255u * 8192u);
    EXPECT_EQ(FrameCommand(B({0x1B, '^', 0, 0xFF, 0xFF}), false).length, 5u + 2u * 65535u);
    EXPECT_EQ(FrameCommand(B({0x1B, '|', 'F', 'W', 0xFF, 0xFF, 0xFF, 0xFF}), false).length,
              8u + std::size_t{0xFFFFFFFFu});
    // 256 defined characters of 255 columns each: the longest head a reader holds.
    Bytes characters = B({0x1B, '&', 0, 0, 255});
    for (int code = 0; code < 256; ++code) {
        const Bytes header = B({0, 255, 0});
        characters.insert(characters.end(), header.begin(), header.end());
        characters.insert(characters.end(), 3 * 255, 0x1B);
    }
    const CommandFrame frame = FrameCommand(characters, false);
    EXPECT_EQ(frame.length, protocol::framing::kLongestHead);
    EXPECT_EQ(frame.head, protocol::framing::kLongestHead);
}

}  // namespace

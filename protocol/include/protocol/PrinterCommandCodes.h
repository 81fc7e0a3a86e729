// The command codes of the printer family, in one place for both ends of the wire: the builders of
// the program read their bytes from here and the virtual printer decodes what it receives with the
// same names. No other file spells out a control character or a command letter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace protocol {

// The three bytes that name an operation of the factory, production and control EEPROM commands: the
// command byte, its complement (0xFF - code) and the sub-command byte. The firmware takes a command
// only when the complement matches, so a stray byte cannot start one.
struct Operation {
    std::uint8_t code;
    std::uint8_t complement;
    std::uint8_t sub;
    friend constexpr bool operator==(const Operation&, const Operation&) = default;
};

template <typename Named>
constexpr bool IsComplemented(const Named& operation) {
    return operation.complement == 0xFF - operation.code;
}

template <typename Named, std::size_t N>
constexpr bool AllComplemented(const std::array<Named, N>& operations) {
    for (const Named& operation : operations) {
        if (!IsComplemented(operation)) {
            return false;
        }
    }
    return true;
}

// Control characters.
namespace control {
inline constexpr std::uint8_t kNul = 0x00;
inline constexpr std::uint8_t kTab = 0x09;  // HT
inline constexpr std::uint8_t kLineFeed = 0x0A;
inline constexpr std::uint8_t kFormFeed = 0x0C;
inline constexpr std::uint8_t kCarriageReturn = 0x0D;
inline constexpr std::uint8_t kCondensed = 0x0F;        // SI: condensed printing on
inline constexpr std::uint8_t kCancelCondensed = 0x12;  // DC2
inline constexpr std::uint8_t kCancelLine = 0x18;       // CAN: drops the text of the current line
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kFileSeparator = 0x1C;  // FS: opens the kanji commands
inline constexpr std::uint8_t kSpace = 0x20;
}  // namespace control

// The letter that follows ESC.
namespace esc {
inline constexpr std::uint8_t kInitialise = '@';
inline constexpr std::uint8_t kUnidirectional = 'U';
inline constexpr std::uint8_t kUserDefinedSet = '%';
inline constexpr std::uint8_t kPageLengthLines = 'C';
inline constexpr std::uint8_t kLineSpacingSixthInch = '2';
inline constexpr std::uint8_t kLineSpacing180 = '3';
inline constexpr std::uint8_t kPrintQuality = 'x';
inline constexpr std::uint8_t kPrintMode = 'y';
inline constexpr std::uint8_t kTabStops = 'D';
inline constexpr std::uint8_t kTenCpi = 'P';
inline constexpr std::uint8_t kTwelveCpi = 'M';
inline constexpr std::uint8_t kCancelBold = 'F';
inline constexpr std::uint8_t kCopyRomToRam = ':';
inline constexpr std::uint8_t kExtended = '(';  // followed by a letter and a 16-bit length
inline constexpr std::uint8_t kLineSpacing360 = '+';
inline constexpr std::uint8_t kUnderline = '-';
inline constexpr std::uint8_t kFeed = 'J';
inline constexpr std::uint8_t kReverseFeed = 'j';
inline constexpr std::uint8_t kDefineCharacters = '&';
inline constexpr std::uint8_t kBitImage = '*';
inline constexpr std::uint8_t kFactory = '|';
inline constexpr std::uint8_t kSuperscript = 'S';
}  // namespace esc

// The letter after ESC '(' and the fixed length that follows it.
namespace extended {
inline constexpr std::uint8_t kCharacterTable = 't';
inline constexpr std::uint8_t kCharacterTableLength = 3;
inline constexpr std::uint8_t kPageLengthUnits = 'C';
inline constexpr std::uint8_t kPageLengthUnitsLength = 2;
// ESC '(' 'R' with the eight bytes 0 "REMOTE1" puts the printer into remote mode (see remote below).
inline constexpr std::uint8_t kRemoteMode = 'R';
}  // namespace extended

// The density byte of ESC '*': 24-needle graphics, three bytes per column.
namespace bitimage {
inline constexpr std::uint8_t kSixtyDpi = 32;   // six columns per character at 10 cpi
inline constexpr std::uint8_t kNinetyDpi = 38;  // nine columns per character at 10 cpi
}  // namespace bitimage

// The letter that follows FS.
namespace fs {
inline constexpr std::uint8_t kKanjiOn = '&';
inline constexpr std::uint8_t kKanjiOff = '.';
// FS '(' letter nL nH data: the extended FS commands.
inline constexpr std::uint8_t kExtended = '(';
// FS '(' 'E' 1 0 1: the model preamble some models need before they answer on the channel. Which
// models need it is a row of the model profile, not a rule of the protocol.
inline constexpr std::uint8_t kModelPreamble = 'E';
inline constexpr std::array<std::uint8_t, 6> kModelPreambleCommand = {
    control::kFileSeparator, kExtended, kModelPreamble, 0x01, 0x00, 0x01};
}  // namespace fs

// Factory commands: ESC '|' 0, a 16-bit length (low byte first), then the two model identifier
// bytes, the command byte, its complement, the sub-command byte and the arguments. The length field
// holds what the firmware expects, which is not always the payload's size: an EEPROM write with a
// two-byte address carries 7 in front of its 8 payload bytes, exactly like the one-byte form, while
// the print-EEPROM-byte command with a two-byte address carries 7 in front of 7.
namespace factory {

inline constexpr std::uint8_t kSelector = 0x00;  // the byte between ESC '|' and the length
// What every length field counts besides the arguments: the two identifier bytes and the operation.
inline constexpr std::uint8_t kFixedParameters = 5;

struct Command {
    std::uint8_t code;
    std::uint8_t complement;
    std::uint8_t sub;
    std::uint8_t length;                // with a one-byte address, or without an address
    std::uint8_t lengthTwoByteAddress;  // with a two-byte address
    bool addressed = false;             // the arguments start with an EEPROM address

    constexpr Operation Names() const { return {code, complement, sub}; }
    friend constexpr bool operator==(const Command&, const Command&) = default;
};

inline constexpr Command kSetModeFlag{0x03, 0xFC, 0x81, 6, 6};
inline constexpr Command kSetBidirectionalValue{0x00, 0xFF, 0x00, 7, 7};
inline constexpr Command kPrintEepromByte{0x01, 0xFE, 0x80, 6, 7, true};
inline constexpr Command kWriteEepromSet1{0x04, 0xFB, 0x02, 7, 7, true};
inline constexpr Command kWriteEepromSet2{0x05, 0xFA, 0x82, 7, 7, true};

// Every factory command; the printer takes no other operation in a factory frame.
inline constexpr std::array kCommands = {kSetModeFlag, kSetBidirectionalValue, kPrintEepromByte,
                                         kWriteEepromSet1, kWriteEepromSet2};

constexpr bool IsComplemented(const Command& command) {
    return protocol::IsComplemented(command);
}
static_assert(IsComplemented(kSetModeFlag) && IsComplemented(kSetBidirectionalValue) &&
              IsComplemented(kPrintEepromByte) && IsComplemented(kWriteEepromSet1) &&
              IsComplemented(kWriteEepromSet2));
static_assert(AllComplemented(kCommands));

// The EEPROM address that follows the sub-command byte of the print-EEPROM-byte and write commands:
// one byte, or on a model whose EEPROM reaches past address 255 two bytes, low byte first.
enum class AddressForm : std::uint8_t { OneByte, TwoByte };

constexpr int LargestAddress(AddressForm form) {
    return form == AddressForm::TwoByte ? 0xFFFF : 0xFF;
}

// The form a model takes: two bytes once its EEPROM reaches past what one byte addresses.
constexpr AddressForm AddressFormForLastAddress(int lastAddress) {
    return lastAddress > LargestAddress(AddressForm::OneByte) ? AddressForm::TwoByte : AddressForm::OneByte;
}

constexpr bool FitsAddressForm(AddressForm form, int address) {
    return address >= 0 && address <= LargestAddress(form);
}

constexpr std::uint8_t LengthField(const Command& command, AddressForm form) {
    return form == AddressForm::TwoByte ? command.lengthTwoByteAddress : command.length;
}

struct AddressBytes {
    std::array<std::uint8_t, 2> bytes{};
    std::size_t count = 0;
    constexpr std::span<const std::uint8_t> View() const { return {bytes.data(), count}; }
};

// The bytes of an address that fits the form (FitsAddressForm).
constexpr AddressBytes EncodeAddress(AddressForm form, int address) {
    AddressBytes encoded;
    encoded.bytes[encoded.count++] = static_cast<std::uint8_t>(address & 0xFF);
    if (form == AddressForm::TwoByte) {
        encoded.bytes[encoded.count++] = static_cast<std::uint8_t>((address >> 8) & 0xFF);
    }
    return encoded;
}

constexpr std::size_t AddressSize(AddressForm form) {
    return form == AddressForm::TwoByte ? 2 : 1;
}

// The address at the start of the bytes, which hold at least the form's one or two address bytes.
constexpr int DecodeAddress(AddressForm form, std::span<const std::uint8_t> bytes) {
    return form == AddressForm::TwoByte ? bytes[0] | (bytes[1] << 8) : bytes[0];
}

// The argument bytes of a command in a form: what its length field counts besides the fixed
// parameters, and the high address byte that a two-byte address adds to the addressed commands
// whatever their length field says.
constexpr std::size_t ArgumentCount(const Command& command, AddressForm form) {
    const bool wide = command.addressed && form == AddressForm::TwoByte;
    return static_cast<std::size_t>(command.length - kFixedParameters) + (wide ? 1 : 0);
}

}  // namespace factory

// Production commands: the same ESC '|' frame as the factory commands (class byte 0x00, or 0x01 for
// the large-EEPROM read), but the three bytes after the model identifier name an operation whose
// answer is a short text ("EE:...;") that the printer queues for the host to read. The parameter
// count is what the host sends; the EEPROM read with a two-byte address still says 6.
namespace production {

inline constexpr std::uint8_t kClassStandard = 0x00;
inline constexpr std::uint8_t kClassLargeEeprom = 0x01;

using Operation = protocol::Operation;

inline constexpr Operation kReadEepromSerialImpact{0x10, 0xEF, 0x08};  // address [, high byte]
inline constexpr Operation kReadEeprom{0x41, 0xBE, 0xA0};              // address [, high byte]
inline constexpr Operation kReadRomVersion{0x21, 0xDE, 0x90};
inline constexpr Operation kReadSensors{0x24, 0xDB, 0x12};
inline constexpr Operation kReadFlash{0x71, 0x8E, 0xB8};  // a, b
inline constexpr Operation kReadCsic{0x61, 0x9E, 0xB0};   // a, b
inline constexpr Operation kReadTimerIc{0x45, 0xBA, 0xA2};
inline constexpr Operation kAcknowledge{0xFA, 0x05, 0x7D};

inline constexpr std::array kOperations = {kReadEepromSerialImpact,
                                           kReadEeprom,
                                           kReadRomVersion,
                                           kReadSensors,
                                           kReadFlash,
                                           kReadCsic,
                                           kReadTimerIc,
                                           kAcknowledge};
static_assert(AllComplemented(kOperations));

}  // namespace production

// Remote mode, inside print data: ESC '(' 'R' 8 0 then 0 "REMOTE1" enters it; then remote commands
// (two letters, a 16-bit little-endian parameter count, the parameters); ESC 0 0 0 leaves it.
namespace remote {

inline constexpr char kEnterText[] = "REMOTE1";  // after the 0 byte of the ESC '(' 'R' data
inline constexpr std::uint8_t kEnterLength = 8;
static_assert(kEnterLength == 1 + sizeof kEnterText - 1, "the 0 byte and the text");
inline constexpr std::uint8_t kLeave[] = {0x1B, 0x00, 0x00, 0x00};

// The whole entry: ESC '(' 'R' 8 0, then 0 "REMOTE1". Every builder sends these bytes and every
// decoder takes exactly these.
inline constexpr std::array<std::uint8_t, 5 + kEnterLength> kEnter = [] {
    std::array<std::uint8_t, 5 + kEnterLength> bytes{control::kEscape, esc::kExtended, extended::kRemoteMode,
                                                     kEnterLength,     0x00,           0x00};
    for (std::size_t i = 0; i + 1 < sizeof kEnterText; ++i) {
        bytes[6 + i] = static_cast<std::uint8_t>(kEnterText[i]);
    }
    return bytes;
}();
inline constexpr char kHeadTemperature[] = "HT";
inline constexpr char kRomVersion[] = "VI";
// The parameters the production queries send with these two commands.
inline constexpr std::uint8_t kHeadTemperatureQuery[] = {0x01};
inline constexpr std::uint8_t kRomVersionQuery[] = {0x01, 0x00};

}  // namespace remote

// Control commands, carried on the control channel: two letters, a 16-bit little-endian parameter
// count, the parameters. The EEPROM family starts with the two bytes '|' '|' instead of letters and
// carries the model identifier and a three-byte operation in its parameters.
namespace controlcmd {

inline constexpr char kStatus[] = "st";
inline constexpr char kDeviceId[] = "di";
inline constexpr char kReset[] = "rs";
inline constexpr char kTimerSet[] = "ti";
inline constexpr char kResumePaperOut[] = "pe";
inline constexpr char kResumePaperJam[] = "pj";
inline constexpr char kMotorCurrentOff[] = "mo";
inline constexpr std::uint8_t kEepromFamily = '|';  // both letters

using Operation = protocol::Operation;

// address, value (up to five pairs); or address low, address high, value
inline constexpr Operation kWriteEeprom{0x42, 0xBD, 0x21};
inline constexpr Operation kSave{0x50, 0xAF, 0x28};
inline constexpr Operation kResetEeprom{0xD0, 0x2F, 0x68};
inline constexpr Operation kReadEeprom{0x41, 0xBE, 0xA0};  // address [, high byte]
inline constexpr Operation kReadCsic{0x61, 0x9E, 0xB0};    // a, b

inline constexpr std::array kEepromOperations = {kWriteEeprom, kSave, kResetEeprom, kReadEeprom, kReadCsic};
static_assert(AllComplemented(kEepromOperations));

// The ink, cleaning, cutter and paper-roll commands of the family's ink-jet and large-format
// printers; the dot-matrix models answer them "NA".
inline constexpr char kInkChange[] = "xi";
inline constexpr char kCleaning[] = "ch";
inline constexpr char kInkRefill[] = "rf";
inline constexpr char kNozzleCheck[] = "nc";
inline constexpr char kEndInkSequence[] = "ei";
inline constexpr char kExtended[] = "ex";  // the parameters name the operation (below)
inline constexpr char kCarriagePosition[] = "cx";
inline constexpr char kCartridgeStatus[] = "cs";
inline constexpr char kPaperSetting[] = "mr";
inline constexpr char kPaperInformation[] = "cm";
inline constexpr char kCartridgeInformation[] = "ii";
inline constexpr char kFlashControl[] = "fl";

// The parameters of the "ex" operations.
inline constexpr std::uint8_t kClearInkChangeFlag[] = {0x00, 0x00, 0x00, 0x00, 0x19, 0x00};
inline constexpr std::uint8_t kReadRollPaperMode[] = {0x01, 0x00, 0x00, 0x00, 0x05};

}  // namespace controlcmd

// The byte sequence that takes a port from the plain byte stream into the packet transport of the
// d4 codec (d4/README.md gives the whole entry and exit). ESC '|' is followed here by 'D' where a
// factory or production frame has its class byte 0x00 or 0x01, so the printer tells them apart at the
// third byte. In packet mode a packet header that starts with these bytes restarts the transport,
// so a host that lost its place can always enter again.
namespace packetmode {
inline constexpr std::uint8_t kEnter[] = {0x1B, '|', 'D', '4'};
}  // namespace packetmode

// The maker's IEEE 1394 driver: a unit is reached without the packet transport, through the driver's
// device requests. Control commands go over a channel to the control service, which the driver
// finds by name; print data and production commands are plain writes and reads on the unit, between
// a lock and an unlock. Numbers in the blocks are little-endian.
namespace ieee1394 {

inline constexpr char kInterfaceClass[] = "{BD41AC70-537F-11D4-9AFE-00105A21D193}";
// The device key's "PortName" of unit n (from 1) is this text and the decimal n.
inline constexpr char kPortNamePrefix[] = "KX1394D3_00";
inline constexpr char kControlService[] = "ORLEX-CTRL";

inline constexpr std::uint32_t kLookUpService = 0x22808A;  // the lookup block in, the socket id out
inline constexpr std::uint32_t kOpenChannel = 0x22801A;    // socket id in, channel handle out
inline constexpr std::uint32_t kWrite = 0x228045;          // transfer block in, the bytes with it
inline constexpr std::uint32_t kRead = 0x22809A;           // transfer block in, the reply (or its length)
inline constexpr std::uint32_t kCloseChannel = 0x228020;   // channel handle in
inline constexpr std::uint32_t kReleaseSocket = 0x2280AA;  // socket id in
inline constexpr std::uint32_t kLock = 0x1B201C;           // no blocks
inline constexpr std::uint32_t kUnlock = 0x1B2020;         // no blocks

// The service lookup: a zeroed input block, and the lookup block, which the driver reads and fills.
inline constexpr std::size_t kLookUpInputSize = 16;
inline constexpr std::size_t kLookUpBlockSize = 56;
inline constexpr std::size_t kLookUpSocketAt = 0;      // one byte, written by the driver
inline constexpr std::size_t kLookUpNameAt = 1;        // the name, NUL-terminated
inline constexpr std::size_t kLookUpNameField = 41;    // bytes 1 to 41: 40 characters and the NUL
inline constexpr std::size_t kLookUpLargestAt = 44;    // 16 bits, kLookUpLargest
inline constexpr std::size_t kLookUpFirstAnyAt = 46;   // 16 bits, 0xFFFF (-1)
inline constexpr std::size_t kLookUpSecondAnyAt = 48;  // 16 bits, 0xFFFF (-1)
inline constexpr std::size_t kLookUpFlagAt = 50;       // one byte: 0 for the control service
inline constexpr std::uint16_t kLookUpLargest = 0x7FFF;
inline constexpr std::uint16_t kLookUpAny = 0xFFFF;

// The 32-bit word that carries a socket id or a channel handle.
inline constexpr std::size_t kWordSize = 4;
// The transfer block of a write or read: four 32-bit words.
inline constexpr std::size_t kTransferBlockSize = 16;
inline constexpr std::size_t kTransferHandleAt = 0;
inline constexpr std::size_t kTransferLengthAt = 4;
inline constexpr std::size_t kTransferReservedAt = 8;  // 0
inline constexpr std::size_t kTransferTimeoutAt = 12;  // milliseconds
inline constexpr std::uint32_t kTransferTimeoutMilliseconds = 10000;

}  // namespace ieee1394

// The page length in lines (ESC 'C') that every printed pattern and report sets; the virtual printer
// breaks its pages at the same length.
inline constexpr std::uint8_t kPatternPageLines = 70;

}  // namespace protocol

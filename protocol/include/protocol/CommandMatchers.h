// The printer's reading of its own commands, one matcher per family: given the bytes of one command as
// the framing cut them out (protocol/PrintDataFramer.h on the plain stream, the control channel's
// count on channel 2), each says whether they are a command of its family and splits the fields.
// The families do not overlap: a factory frame is never a production frame.
//
//   factory      ESC '|' 0, length, id1 id2, one of factory::kCommands, the arguments
//   production   ESC '|' 0 or 1, length, id1 id2, any other operation, the arguments
//   control      two letters, a 16-bit count, the parameters; '|' '|' carries id1 id2, an operation and
//                its arguments in its parameters
//   remote       the entry ESC '(' 'R' 8 0 0 "REMOTE1"; in remote mode two letters, a 16-bit count and
//                the parameters, or the four bytes that leave it
//   preamble     FS '(' 'E', a 16-bit count, the parameters
//
// Pure and constexpr: no I/O, no allocation; a field is a view into the bytes given.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/PrinterCommandCodes.h"

namespace protocol {

namespace detail {

constexpr std::size_t Little16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | (static_cast<std::size_t>(bytes[at + 1]) << 8);
}

// The ESC '|' frame of the factory and production commands.
inline constexpr std::size_t kClassAt = 2;
inline constexpr std::size_t kLengthAt = 3;
inline constexpr std::size_t kKeyAt = 5;
inline constexpr std::size_t kOperationAt = 7;
inline constexpr std::size_t kArgumentsAt = 10;

constexpr bool IsEscBarFrame(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kArgumentsAt && bytes[0] == control::kEscape && bytes[1] == esc::kFactory;
}

constexpr Operation OperationAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

}  // namespace detail

namespace factory {

struct Frame {
    Command command{};
    std::array<std::uint8_t, 2> key{};        // the model identifier the frame carries
    std::span<const std::uint8_t> arguments;  // everything after the operation
    // An addressed command's address form: two bytes when the model takes them and the frame holds
    // them, one byte otherwise (a two-byte model takes the one-byte form too).
    AddressForm addressForm = AddressForm::OneByte;

    // The arguments the command needs are all there.
    constexpr bool Whole() const { return arguments.size() >= ArgumentCount(command, addressForm); }
    // Of a whole addressed command: the EEPROM address, and the bytes after it.
    constexpr int Address() const { return DecodeAddress(addressForm, arguments); }
    constexpr std::span<const std::uint8_t> AfterAddress() const {
        return arguments.subspan(AddressSize(addressForm));
    }
};

// frame: one whole ESC '|' frame. modelForm: the address form of the printer's EEPROM.
constexpr std::optional<Frame> MatchFrame(std::span<const std::uint8_t> frame, AddressForm modelForm) {
    if (!detail::IsEscBarFrame(frame) || frame[detail::kClassAt] != kSelector) {
        return std::nullopt;
    }
    const Operation operation = detail::OperationAt(frame, detail::kOperationAt);
    const auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                      [&](const Command& known) { return known.Names() == operation; });
    if (command == kCommands.end()) {
        return std::nullopt;
    }
    Frame fields;
    fields.command = *command;
    fields.key = {frame[detail::kKeyAt], frame[detail::kKeyAt + 1]};
    fields.arguments = frame.subspan(detail::kArgumentsAt);
    if (command->addressed && modelForm == AddressForm::TwoByte &&
        fields.arguments.size() >= ArgumentCount(*command, AddressForm::TwoByte)) {
        fields.addressForm = AddressForm::TwoByte;
    }
    return fields;
}

}  // namespace factory

namespace production {

struct Frame {
    std::uint8_t frameClass = kClassStandard;
    std::uint16_t declaredLength = 0;  // the length field, which is not always the bytes that follow
    std::array<std::uint8_t, 2> key{};
    Operation operation{};
    std::span<const std::uint8_t> arguments;

    constexpr bool Is(const Operation& named) const { return operation == named; }
    // The EEPROM address of a read: one byte, or two (low byte first) when the frame carries two.
    constexpr bool HasAddress() const { return !arguments.empty(); }
    constexpr int Address() const {
        return factory::DecodeAddress(
            arguments.size() >= 2 ? factory::AddressForm::TwoByte : factory::AddressForm::OneByte, arguments);
    }
};

// frame: one whole ESC '|' frame of class 0 or 1 that is not a factory command. The operation may be
// one the printer does not know (it answers those "NA").
constexpr std::optional<Frame> MatchFrame(std::span<const std::uint8_t> frame) {
    if (!detail::IsEscBarFrame(frame)) {
        return std::nullopt;
    }
    const std::uint8_t frameClass = frame[detail::kClassAt];
    if (frameClass != kClassStandard && frameClass != kClassLargeEeprom) {
        return std::nullopt;
    }
    // Any address form: only the operation decides.
    if (factory::MatchFrame(frame, factory::AddressForm::OneByte)) {
        return std::nullopt;
    }
    Frame fields;
    fields.frameClass = frameClass;
    fields.declaredLength = static_cast<std::uint16_t>(detail::Little16(frame, detail::kLengthAt));
    fields.key = {frame[detail::kKeyAt], frame[detail::kKeyAt + 1]};
    fields.operation = detail::OperationAt(frame, detail::kOperationAt);
    fields.arguments = frame.subspan(detail::kArgumentsAt);
    return fields;
}

}  // namespace production

namespace controlcmd {

inline constexpr std::size_t kHeadSize = 4;  // two letters and the count

struct Command {
    std::array<char, 2> letters{};
    std::span<const std::uint8_t> parameters;
    std::size_t length = 0;  // the head and the parameters

    constexpr bool Is(const char (&named)[3]) const {
        return letters[0] == named[0] && letters[1] == named[1];
    }
    constexpr bool IsEepromFamily() const {
        return letters[0] == static_cast<char>(kEepromFamily) &&
               letters[1] == static_cast<char>(kEepromFamily);
    }
};

// The command at the front of bytes, once all of it is there; bytes after it are left alone.
constexpr std::optional<Command> MatchCommand(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeadSize) {
        return std::nullopt;
    }
    const std::size_t length = kHeadSize + detail::Little16(bytes, 2);
    if (bytes.size() < length) {
        return std::nullopt;
    }
    return Command{{static_cast<char>(bytes[0]), static_cast<char>(bytes[1])},
                   bytes.subspan(kHeadSize, length - kHeadSize),
                   length};
}

struct EepromCommand {
    std::array<std::uint8_t, 2> key{};
    Operation operation{};
    std::span<const std::uint8_t> arguments;

    constexpr bool Is(const Operation& named) const { return operation == named; }
    // The address of a read: one byte, or two (low byte first) when the command carries two.
    constexpr int ReadAddress() const {
        return factory::DecodeAddress(
            arguments.size() >= 2 ? factory::AddressForm::TwoByte : factory::AddressForm::OneByte, arguments);
    }
    // A write carries address/value pairs, or exactly three bytes: a two-byte address and the value.
    constexpr bool IsTwoByteWrite() const { return arguments.size() == 3; }
};

// The parameters of a '|' '|' command: the identifier, the operation, its arguments.
constexpr std::optional<EepromCommand> MatchEepromParameters(std::span<const std::uint8_t> parameters) {
    constexpr std::size_t kOperationAt = 2;
    constexpr std::size_t kArgumentsAt = 5;
    if (parameters.size() < kArgumentsAt) {
        return std::nullopt;
    }
    return EepromCommand{{parameters[0], parameters[1]},
                         detail::OperationAt(parameters, kOperationAt),
                         parameters.subspan(kArgumentsAt)};
}

}  // namespace controlcmd

namespace remote {

// Exactly the entry, no byte more or less.
constexpr bool MatchEnter(std::span<const std::uint8_t> bytes) {
    return bytes.size() == kEnter.size() && std::equal(kEnter.begin(), kEnter.end(), bytes.begin());
}

struct Command {
    bool leave = false;  // the four bytes that end remote mode; no letters
    std::array<char, 2> letters{};
    std::span<const std::uint8_t> parameters;
    std::size_t length = 0;

    constexpr bool Is(const char (&named)[3]) const {
        return !leave && letters[0] == named[0] && letters[1] == named[1];
    }
};

// The remote command at the front of bytes, once all of it is there.
constexpr std::optional<Command> MatchCommand(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kHeadSize = sizeof kLeave;
    if (bytes.size() < kHeadSize) {
        return std::nullopt;
    }
    if (std::equal(std::begin(kLeave), std::end(kLeave), bytes.begin())) {
        return Command{true, {}, {}, kHeadSize};
    }
    const std::size_t length = kHeadSize + detail::Little16(bytes, 2);
    if (bytes.size() < length) {
        return std::nullopt;
    }
    return Command{false,
                   {static_cast<char>(bytes[0]), static_cast<char>(bytes[1])},
                   bytes.subspan(kHeadSize, length - kHeadSize),
                   length};
}

}  // namespace remote

namespace fs {

// The parameters of a whole model preamble; the printer takes it whatever they say.
constexpr std::optional<std::span<const std::uint8_t>> MatchModelPreamble(
    std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kHeadSize = 5;
    if (bytes.size() < kHeadSize || bytes[0] != control::kFileSeparator || bytes[1] != kExtended ||
        bytes[2] != kModelPreamble || bytes.size() != kHeadSize + detail::Little16(bytes, 3)) {
        return std::nullopt;
    }
    return bytes.subspan(kHeadSize);
}

}  // namespace fs

}  // namespace protocol

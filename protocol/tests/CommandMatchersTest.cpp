// One table per family: whole commands written out byte by byte as the host sends them, and what the
// matcher splits out of them; then near misses that are not commands of the family.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/CommandMatchers.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using protocol::factory::AddressForm;

// The matchers are constant expressions, and they take what the builders send.
static_assert(protocol::remote::MatchEnter(protocol::remote::kEnter));
static_assert(protocol::fs::MatchModelPreamble(protocol::fs::kModelPreambleCommand).has_value());

constexpr std::uint8_t kK1 = 0x57;
constexpr std::uint8_t kK2 = 0x2D;

Bytes Of(const std::vector<int>& values) {
    Bytes bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes View(std::span<const std::uint8_t> bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

TEST(FactoryMatcher, SplitsEveryFactoryCommandInBothAddressForms) {
    namespace factory = protocol::factory;
    struct Case {
        const char* what;
        Bytes bytes;
        AddressForm model;
        factory::Command command;
        AddressForm form;
        int address;  // -1: the command has none
        Bytes afterAddress;
    };
    const std::vector<Case> cases = {
        {"set mode flag 1",
         Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x03, 0xFC, 0x81, 1}),
         AddressForm::OneByte,
         factory::kSetModeFlag,
         AddressForm::OneByte,
         -1,
         {}},
        {"bi-directional value 2 = -3",
         Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x00, 0xFF, 0x00, 2, 0xFD}),
         AddressForm::TwoByte,
         factory::kSetBidirectionalValue,
         AddressForm::OneByte,
         -1,
         {}},
        {"print EEPROM byte 0xA2",
         Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x01, 0xFE, 0x80, 0xA2}),
         AddressForm::OneByte,
         factory::kPrintEepromByte,
         AddressForm::OneByte,
         0xA2,
         {}},
        {"print EEPROM byte 0x0123, two-byte",
         Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x01, 0xFE, 0x80, 0x23, 0x01}),
         AddressForm::TwoByte,
         factory::kPrintEepromByte,
         AddressForm::TwoByte,
         0x123,
         {}},
        {"write set 1 0x23 = 0x5A", Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x04, 0xFB, 0x02, 0x23, 0x5A}),
         AddressForm::OneByte, factory::kWriteEepromSet1, AddressForm::OneByte, 0x23, Of({0x5A})},
        // Length 7 in front of eight payload bytes.
        {"write set 1 0x0123 = 0x5A, two-byte",
         Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x04, 0xFB, 0x02, 0x23, 0x01, 0x5A}), AddressForm::TwoByte,
         factory::kWriteEepromSet1, AddressForm::TwoByte, 0x123, Of({0x5A})},
        // A two-byte model takes the one-byte form when the frame holds no high byte.
        {"write set 2 0x24 = 0x6B to a two-byte model",
         Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x05, 0xFA, 0x82, 0x24, 0x6B}), AddressForm::TwoByte,
         factory::kWriteEepromSet2, AddressForm::OneByte, 0x24, Of({0x6B})},
        // A one-byte model never reads a second address byte.
        {"write set 2 with a spare byte to a one-byte model",
         Of({0x1B, '|', 0, 8, 0, kK1, kK2, 0x05, 0xFA, 0x82, 0x24, 0x6B, 0x01}), AddressForm::OneByte,
         factory::kWriteEepromSet2, AddressForm::OneByte, 0x24, Of({0x6B, 0x01})},
    };
    for (const Case& c : cases) {
        const auto frame = factory::MatchFrame(c.bytes, c.model);
        ASSERT_TRUE(frame.has_value()) << c.what;
        EXPECT_EQ(frame->command, c.command) << c.what;
        EXPECT_EQ(frame->key[0], kK1) << c.what;
        EXPECT_EQ(frame->key[1], kK2) << c.what;
        EXPECT_EQ(View(frame->arguments), Bytes(c.bytes.begin() + 10, c.bytes.end())) << c.what;
        EXPECT_EQ(frame->addressForm, c.form) << c.what;
        EXPECT_TRUE(frame->Whole()) << c.what;
        if (c.address >= 0) {
            EXPECT_EQ(frame->Address(), c.address) << c.what;
            EXPECT_EQ(View(frame->AfterAddress()), c.afterAddress) << c.what;
        }
        // Production frames are the others.
        EXPECT_FALSE(protocol::production::MatchFrame(c.bytes).has_value()) << c.what;
    }
}

TEST(FactoryMatcher, CommandsCutShortMatchButAreNotWhole) {
    namespace factory = protocol::factory;
    const auto flag =
        factory::MatchFrame(Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x03, 0xFC, 0x81}), AddressForm::OneByte);
    ASSERT_TRUE(flag.has_value());
    EXPECT_FALSE(flag->Whole());
    const auto write =
        factory::MatchFrame(Of({0x1B, '|', 0, 7, 0, kK1, kK2, 0x04, 0xFB, 0x02, 0x23}), AddressForm::TwoByte);
    ASSERT_TRUE(write.has_value());
    EXPECT_EQ(write->addressForm, AddressForm::OneByte);
    EXPECT_FALSE(write->Whole());
}

TEST(FactoryMatcher, NearMissesAreNotFactoryCommands) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"class 1", Of({0x1B, '|', 1, 6, 0, kK1, kK2, 0x01, 0xFE, 0x80, 0xA2})},
        {"a wrong complement", Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x03, 0xFD, 0x81, 1})},
        {"a wrong sub-command", Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x03, 0xFC, 0x82, 1})},
        {"a production operation", Of({0x1B, '|', 0, 6, 0, kK1, kK2, 0x10, 0xEF, 0x08, 0xA2})},
        {"no operation", Of({0x1B, '|', 0, 2, 0, kK1, kK2})},
        {"FS instead of ESC", Of({0x1C, '|', 0, 6, 0, kK1, kK2, 0x03, 0xFC, 0x81, 1})},
        {"the packet-mode entry", Of({0x1B, '|', 'D', '4', 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(protocol::factory::MatchFrame(bytes, AddressForm::TwoByte).has_value()) << what;
    }
}

TEST(ProductionMatcher, SplitsTheFramesOfTheProductionFamily) {
    namespace production = protocol::production;
    struct Case {
        const char* what;
        Bytes bytes;
        std::uint8_t frameClass;
        std::uint16_t declaredLength;
        protocol::Operation operation;
        int address;  // of an EEPROM read; -1 for the other operations
    };
    const std::vector<Case> cases = {
        // The parameter count stays 6 in front of the two-byte address.
        {"serial-impact EEPROM read 0x1234, wide",
         Of({0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x10, 0xEF, 0x08, 0x34, 0x12}), 0, 6,
         production::kReadEepromSerialImpact, 0x1234},
        {"serial-impact EEPROM read 0x34",
         Of({0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x10, 0xEF, 0x08, 0x34}), 0, 6,
         production::kReadEepromSerialImpact, 0x34},
        {"EEPROM read", Of({0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0xA2}), 0, 6,
         production::kReadEeprom, 0xA2},
        {"EEPROM read, two bytes", Of({0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0x00, 0x01}),
         0, 7, production::kReadEeprom, 0x100},
        {"large-EEPROM read", Of({0x1B, 0x7C, 0x01, 0x07, 0x00, kK1, kK2, 0x41, 0xBE, 0xA0, 0x34, 0x12}), 1,
         7, production::kReadEeprom, 0x1234},
        {"flash", Of({0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x71, 0x8E, 0xB8, 1, 2}), 0, 7,
         production::kReadFlash, -1},
        {"CSIC", Of({0x1B, 0x7C, 0x00, 0x07, 0x00, kK1, kK2, 0x61, 0x9E, 0xB0, 3, 4}), 0, 7,
         production::kReadCsic, -1},
        {"ROM version", Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x21, 0xDE, 0x90}), 0, 5,
         production::kReadRomVersion, -1},
        {"sensors", Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x24, 0xDB, 0x12}), 0, 5,
         production::kReadSensors, -1},
        {"timer IC", Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x45, 0xBA, 0xA2}), 0, 5,
         production::kReadTimerIc, -1},
        {"acknowledge", Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0xFA, 0x05, 0x7D}), 0, 5,
         production::kAcknowledge, -1},
        // An operation the printer does not know is still a production frame: it answers "NA".
        {"an unknown operation",
         Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x99, 0x66, 0x00}),
         0,
         5,
         {0x99, 0x66, 0x00},
         -1},
    };
    for (const Case& c : cases) {
        const auto frame = production::MatchFrame(c.bytes);
        ASSERT_TRUE(frame.has_value()) << c.what;
        EXPECT_EQ(frame->frameClass, c.frameClass) << c.what;
        EXPECT_EQ(frame->declaredLength, c.declaredLength) << c.what;
        EXPECT_EQ(frame->key[0], kK1) << c.what;
        EXPECT_EQ(frame->key[1], kK2) << c.what;
        EXPECT_TRUE(frame->Is(c.operation)) << c.what;
        EXPECT_EQ(View(frame->arguments), Bytes(c.bytes.begin() + 10, c.bytes.end())) << c.what;
        if (c.address >= 0) {
            ASSERT_TRUE(frame->HasAddress()) << c.what;
            EXPECT_EQ(frame->Address(), c.address) << c.what;
        }
        EXPECT_FALSE(protocol::factory::MatchFrame(c.bytes, AddressForm::TwoByte).has_value()) << c.what;
    }
}

TEST(ProductionMatcher, NearMissesAreNotProductionFrames) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"class 2", Of({0x1B, 0x7C, 0x02, 0x05, 0x00, kK1, kK2, 0x24, 0xDB, 0x12})},
        {"cut before the sub-command", Of({0x1B, 0x7C, 0x00, 0x05, 0x00, kK1, kK2, 0x24, 0xDB})},
        {"the firmware download", Of({0x1B, 0x7C, 'F', 'W', 0x10, 0x27, 0x00, 0x00, 0, 0})},
        {"a factory command", Of({0x1B, 0x7C, 0x00, 0x06, 0x00, kK1, kK2, 0x01, 0xFE, 0x80, 0xA2})},
        {"ESC and another letter", Of({0x1B, '(', 0x00, 0x05, 0x00, kK1, kK2, 0x24, 0xDB, 0x12})},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(protocol::production::MatchFrame(bytes).has_value()) << what;
    }
}

TEST(ControlMatcher, SplitsLetterCommandsAndTheEepromFamily) {
    namespace controlcmd = protocol::controlcmd;
    struct Case {
        const char* what;
        Bytes bytes;
        const char* letters;
        bool eeprom;
    };
    const std::vector<Case> cases = {
        {"status", Text("st") + Of({0x01, 0x00, 0x01}), "st", false},
        {"timer set", Text("ti") + Of({0x08, 0x00, 0x00, 0xF0, 1, 2, 3, 4, 5, 6}), "ti", false},
        {"clear the ink-change flag", Text("ex") + Of({0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x19, 0x00}), "ex",
         false},
        {"EEPROM write", Of({0x7C, 0x7C, 0x07, 0x00, kK1, kK2, 0x42, 0xBD, 0x21, 0x23, 0x5A}), "||", true},
        {"EEPROM save", Of({0x7C, 0x7C, 0x05, 0x00, kK1, kK2, 0x50, 0xAF, 0x28}), "||", true},
    };
    for (const Case& c : cases) {
        // Followed by the next command, the match ends where this one ends.
        const Bytes stream = c.bytes + Text("st") + Of({0x01, 0x00, 0x01});
        const auto command = controlcmd::MatchCommand(stream);
        ASSERT_TRUE(command.has_value()) << c.what;
        EXPECT_EQ(command->length, c.bytes.size()) << c.what;
        EXPECT_EQ(std::string(command->letters.begin(), command->letters.end()), c.letters) << c.what;
        EXPECT_EQ(View(command->parameters), Bytes(c.bytes.begin() + 4, c.bytes.end())) << c.what;
        EXPECT_EQ(command->IsEepromFamily(), c.eeprom) << c.what;
    }
    EXPECT_TRUE(controlcmd::MatchCommand(Text("st") + Of({0x01, 0x00, 0x01}))->Is(controlcmd::kStatus));
    EXPECT_FALSE(controlcmd::MatchCommand(Text("st") + Of({0x01, 0x00, 0x01}))->Is(controlcmd::kDeviceId));
}

TEST(ControlMatcher, ACommandIsOnlyMatchedWhenAllOfItIsThere) {
    namespace controlcmd = protocol::controlcmd;
    const Bytes whole = Of({0x7C, 0x7C, 0x07, 0x00, kK1, kK2, 0x42, 0xBD, 0x21, 0x23, 0x5A});
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        EXPECT_FALSE(controlcmd::MatchCommand(std::span(whole).first(cut)).has_value()) << cut;
    }
    // No parameters at all is a whole command too.
    EXPECT_EQ(controlcmd::MatchCommand(Text("st") + Of({0x00, 0x00}))->length, 4u);
}

TEST(ControlMatcher, EepromParametersNameTheOperationAndTheAddress) {
    namespace controlcmd = protocol::controlcmd;
    struct Case {
        const char* what;
        Bytes parameters;
        protocol::Operation operation;
        bool twoByteWrite;
        int readAddress;  // -1: not a read
    };
    const std::vector<Case> cases = {
        {"write one pair", Of({kK1, kK2, 0x42, 0xBD, 0x21, 0x23, 0x5A}), controlcmd::kWriteEeprom, false, -1},
        {"write five pairs", Of({kK1, kK2, 0x42, 0xBD, 0x21, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
         controlcmd::kWriteEeprom, false, -1},
        {"write with a two-byte address", Of({kK1, kK2, 0x42, 0xBD, 0x21, 0x23, 0x01, 0x5A}),
         controlcmd::kWriteEeprom, true, -1},
        {"save", Of({kK1, kK2, 0x50, 0xAF, 0x28}), controlcmd::kSave, false, -1},
        {"reset", Of({kK1, kK2, 0xD0, 0x2F, 0x68}), controlcmd::kResetEeprom, false, -1},
        {"read", Of({kK1, kK2, 0x41, 0xBE, 0xA0, 0xA2}), controlcmd::kReadEeprom, false, 0xA2},
        {"read with a two-byte address", Of({kK1, kK2, 0x41, 0xBE, 0xA0, 0x23, 0x01}),
         controlcmd::kReadEeprom, false, 0x123},
        {"CSIC", Of({kK1, kK2, 0x61, 0x9E, 0xB0, 1, 2}), controlcmd::kReadCsic, false, -1},
    };
    for (const Case& c : cases) {
        const auto command = controlcmd::MatchEepromParameters(c.parameters);
        ASSERT_TRUE(command.has_value()) << c.what;
        EXPECT_EQ(command->key[0], kK1) << c.what;
        EXPECT_EQ(command->key[1], kK2) << c.what;
        EXPECT_TRUE(command->Is(c.operation)) << c.what;
        EXPECT_EQ(View(command->arguments), Bytes(c.parameters.begin() + 5, c.parameters.end())) << c.what;
        if (command->Is(controlcmd::kWriteEeprom)) {
            EXPECT_EQ(command->IsTwoByteWrite(), c.twoByteWrite) << c.what;
        }
        if (c.readAddress >= 0) {
            EXPECT_EQ(command->ReadAddress(), c.readAddress) << c.what;
        }
    }
    EXPECT_FALSE(controlcmd::MatchEepromParameters(Of({kK1, kK2, 0x50, 0xAF})).has_value());
}

TEST(RemoteMatcher, TheEntryIsExactlyTheTextAfterTheZeroByte) {
    namespace remote = protocol::remote;
    const Bytes entry = Of({0x1B, '(', 'R', 0x08, 0x00, 0x00}) + Text("REMOTE1");
    EXPECT_EQ(Bytes(remote::kEnter.begin(), remote::kEnter.end()), entry);
    EXPECT_TRUE(remote::MatchEnter(entry));
    const std::vector<std::pair<const char*, Bytes>> misses = {
        {"another text", Of({0x1B, '(', 'R', 0x08, 0x00, 0x00}) + Text("REMOTE2")},
        {"no zero byte", Of({0x1B, '(', 'R', 0x08, 0x00}) + Text("REMOTE1") + Of({0x00})},
        {"a longer count", Of({0x1B, '(', 'R', 0x09, 0x00, 0x00}) + Text("REMOTE1") + Of({0x00})},
        {"cut short", Of({0x1B, '(', 'R', 0x08, 0x00, 0x00}) + Text("REMOTE")},
        {"a byte too many", entry + Of({0x00})},
        {"FS instead of ESC", Of({0x1C, '(', 'R', 0x08, 0x00, 0x00}) + Text("REMOTE1")},
    };
    for (const auto& [what, bytes] : misses) {
        EXPECT_FALSE(remote::MatchEnter(bytes)) << what;
    }
}

TEST(RemoteMatcher, TheProductionQueriesSplitIntoEntryCommandAndLeave) {
    namespace remote = protocol::remote;
    struct Case {
        const char* what;
        Bytes frame;  // the whole frame the host sends
        const char* letters;
        Bytes parameters;
    };
    const Bytes entry = Of({0x1B, '(', 'R', 0x08, 0x00, 0x00}) + Text("REMOTE1");
    const Bytes leave = Of({0x1B, 0x00, 0x00, 0x00});
    const std::vector<Case> cases = {
        {"head temperature, 22 bytes", entry + Text("HT") + Of({0x01, 0x00, 0x01}) + leave, "HT", Of({0x01})},
        {"ROM version, 23 bytes", entry + Text("VI") + Of({0x02, 0x00, 0x01, 0x00}) + leave, "VI",
         Of({0x01, 0x00})},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(remote::MatchEnter(std::span(c.frame).first(entry.size()))) << c.what;
        const auto rest = std::span(c.frame).subspan(entry.size());
        const auto command = remote::MatchCommand(rest);
        ASSERT_TRUE(command.has_value()) << c.what;
        EXPECT_FALSE(command->leave) << c.what;
        EXPECT_EQ(std::string(command->letters.begin(), command->letters.end()), c.letters) << c.what;
        EXPECT_EQ(View(command->parameters), c.parameters) << c.what;
        const auto end = remote::MatchCommand(rest.subspan(command->length));
        ASSERT_TRUE(end.has_value()) << c.what;
        EXPECT_TRUE(end->leave) << c.what;
        EXPECT_EQ(command->length + end->length + entry.size(), c.frame.size()) << c.what;
    }
    EXPECT_TRUE(
        remote::MatchCommand(std::span(cases[0].frame).subspan(entry.size()))->Is(remote::kHeadTemperature));
    EXPECT_TRUE(
        remote::MatchCommand(std::span(cases[1].frame).subspan(entry.size()))->Is(remote::kRomVersion));
    EXPECT_EQ(cases[0].frame.size(), 22u);
    EXPECT_EQ(cases[1].frame.size(), 23u);
    // Not there yet.
    EXPECT_FALSE(remote::MatchCommand(Text("HT") + Of({0x01, 0x00})).has_value());
    EXPECT_FALSE(remote::MatchCommand(Of({0x1B, 0x00, 0x00})).has_value());
    // The leave bytes are no command with letters.
    EXPECT_FALSE(remote::MatchCommand(leave)->Is(remote::kHeadTemperature));
}

TEST(ModelPreambleMatcher, TakesFsParenthesisEWithItsParameters) {
    namespace fs = protocol::fs;
    const Bytes preamble = Of({0x1C, 0x28, 0x45, 0x01, 0x00, 0x01});
    EXPECT_EQ(Bytes(fs::kModelPreambleCommand.begin(), fs::kModelPreambleCommand.end()), preamble);
    const auto parameters = fs::MatchModelPreamble(preamble);
    ASSERT_TRUE(parameters.has_value());
    EXPECT_EQ(View(*parameters), Of({0x01}));
    EXPECT_EQ(View(*fs::MatchModelPreamble(Of({0x1C, 0x28, 0x45, 0x00, 0x00}))), Bytes{});
    const std::vector<std::pair<const char*, Bytes>> misses = {
        {"another letter", Of({0x1C, 0x28, 0x46, 0x01, 0x00, 0x01})},
        {"ESC instead of FS", Of({0x1B, 0x28, 0x45, 0x01, 0x00, 0x01})},
        {"a count beyond the bytes", Of({0x1C, 0x28, 0x45, 0x02, 0x00, 0x01})},
        {"a byte beyond the count", Of({0x1C, 0x28, 0x45, 0x01, 0x00, 0x01, 0x01})},
        {"no count", Of({0x1C, 0x28, 0x45})},
    };
    for (const auto& [what, bytes] : misses) {
        EXPECT_FALSE(fs::MatchModelPreamble(bytes).has_value()) << what;
    }
}

}  // namespace

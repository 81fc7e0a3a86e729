#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "ProductionReplies.h"

namespace {

using drvlib::DecodeAnswerByte;
using drvlib::DecodeAnswerText;

struct ByteCase {
    std::string_view reply;
    std::optional<int> value;
};

void ExpectBytes(const drvlib::ProductionAnswer& answer, std::initializer_list<ByteCase> cases) {
    for (const ByteCase& c : cases) {
        const std::optional<std::uint8_t> decoded = DecodeAnswerByte(c.reply, answer);
        if (c.value) {
            EXPECT_EQ(decoded, std::optional<std::uint8_t>(static_cast<std::uint8_t>(*c.value))) << c.reply;
        } else {
            EXPECT_EQ(decoded, std::nullopt) << c.reply;
        }
    }
}

struct TextCase {
    std::string_view reply;
    std::optional<std::string> text;
};

void ExpectTexts(const drvlib::ProductionAnswer& answer, std::initializer_list<TextCase> cases) {
    for (const TextCase& c : cases) {
        EXPECT_EQ(DecodeAnswerText(c.reply, answer), c.text) << c.reply;
    }
}

TEST(ProductionReplies, EepromByteIsTheTwoCharactersBeforeTheGroupsSemicolon) {
    ExpectBytes(drvlib::kEepromAnswer, {
                                           {"EE:00A2 VALUE:5A;", 0x5A},
                                           {"EE:xxA5;", 0xA5},
                                           {"EE:a5;", 0xA5},
                                           {"EE:00;", 0x00},
                                           {"XX:12;EE:0040 VALUE:FF;", 0xFF},
                                           {"EE:00A2 VALUE:5A;SS:0C;", 0x5A},
                                       });
}

// A reply that does not carry the byte must never read as one: 0 from an empty reply would be written
// back complemented as 0xFF by a caller.
TEST(ProductionReplies, EepromReplyWithoutItsByteIsNoAnswer) {
    ExpectBytes(drvlib::kEepromAnswer, {
                                           {"", std::nullopt},
                                           {"NA;", std::nullopt},
                                           {"EE:00A2 VALUE:5A", std::nullopt},  // cut before the ';'
                                           {"EE;", std::nullopt},               // not the key's own letters
                                           {"EE:;", std::nullopt},
                                           {"EE:5;", std::nullopt},
                                           {"EE:00A2 VALUE:5G;", std::nullopt},
                                           {"EE:00A2 VALUE: 5;", std::nullopt},
                                           {"EE:00A2 VALUE:-5;", std::nullopt},
                                           {"ee:5A;", std::nullopt},
                                           {";EE", std::nullopt},
                                       });
}

TEST(ProductionReplies, SensorAndFlashBytesReadLikeTheEepromByte) {
    ExpectBytes(drvlib::kSensorsAnswer,
                {{"SS:0C;", 0x0C}, {"SS:0c;", 0x0C}, {"SS:", std::nullopt}, {"", std::nullopt}});
    ExpectBytes(drvlib::kFlashAnswer, {{"BZ:00;", 0x00}, {"BZ:7F;", 0x7F}, {"EE:01;", std::nullopt}});
}

TEST(ProductionReplies, CsicByteIsTheHexFromFiveAfterTheKey) {
    ExpectBytes(drvlib::kCsicAnswer, {
                                         {"IC:aaVV;", std::nullopt},
                                         {"IC:1F3C;", 0x3C},
                                         {"IC:1F7;", 0x07},
                                         {"IC:1F;", std::nullopt},     // no value after the address
                                         {"IC:1;", std::nullopt},      // the group ends before the value
                                         {"IC:1F3C4;", std::nullopt},  // three digits are no byte
                                         {"IC:1F3C", std::nullopt},
                                     });
}

TEST(ProductionReplies, TextAnswersRunFromTheirOffsetToTheSemicolon) {
    ExpectTexts(drvlib::kRomVersionAnswer, {{"VR:1.00;", "1.00"},
                                            {"VR:;", ""},
                                            {"XX:00;VR:2.10;YY:1;", "2.10"},
                                            {"VR;", std::nullopt},
                                            {"VR:1.00", std::nullopt},
                                            {"NA;", std::nullopt},
                                            {"", std::nullopt}});
    ExpectTexts(drvlib::kTimerIcAnswer,
                {{"TI20260101090000;", "20260101090000"}, {"TI;", ""}, {"TI", std::nullopt}});
    ExpectTexts(drvlib::kHeadTemperatureAnswer, {{"HT:25;", "25"}, {"HT:", std::nullopt}});
    ExpectTexts(drvlib::kRemoteRomVersionAnswer, {{"VI:1.00;", "1.00"}, {"VR:1.00;", std::nullopt}});
}

TEST(ProductionReplies, AcknowledgementIsTheKeyItself) {
    ExpectTexts(drvlib::kAcknowledgeAnswer,
                {{"AK;", "AK"}, {"xxAK:OK;", "AK"}, {"AK", std::nullopt}, {"NA;", std::nullopt}});
}

// The decoders stop at the text they are given: a key at the very end, or the text cut inside a group.
TEST(ProductionReplies, DecodersStayInsideATextCutAnywhere) {
    const std::string whole = "EE:00A2 VALUE:5A;";
    for (std::size_t length = 0; length < whole.size(); ++length) {
        EXPECT_EQ(DecodeAnswerByte(std::string_view(whole).substr(0, length), drvlib::kEepromAnswer),
                  std::nullopt)
            << length;
    }
    const std::string version = "VR:1.00;";
    for (std::size_t length = 0; length < version.size(); ++length) {
        EXPECT_EQ(DecodeAnswerText(std::string_view(version).substr(0, length), drvlib::kRomVersionAnswer),
                  std::nullopt)
            << length;
    }
}

}  // namespace

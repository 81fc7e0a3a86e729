#include <functional>

#include "PatternTestSupport.h"

namespace {

struct CommandCase {
    const char* name;
    std::function<bool(CVexilCommon&)> build;
    Bytes expected;
};

const CommandCase kCommands[] = {
    {"initialise", [](CVexilCommon& p) { return p.Initialise(); }, B({0x1B, 0x40})},
    {"unidirectional on", [](CVexilCommon& p) { return p.Unidirectional(1); }, B({0x1B, 0x55, 0x01})},
    {"user-defined set off", [](CVexilCommon& p) { return p.UserDefinedSet(0); }, B({0x1B, 0x25, 0x00})},
    {"page length 70 lines", [](CVexilCommon& p) { return p.PageLengthLines(70); }, B({0x1B, 0x43, 70})},
    {"1/6-inch spacing", [](CVexilCommon& p) { return p.LineSpacingSixthInch(); }, B({0x1B, 0x32})},
    {"24/180-inch spacing", [](CVexilCommon& p) { return p.LineSpacing180(24); }, B({0x1B, 0x33, 24})},
    {"letter quality", [](CVexilCommon& p) { return p.PrintQuality(1); }, B({0x1B, 0x78, 0x01})},
    {"print-mode byte", [](CVexilCommon& p) { return p.PrintMode(1); }, B({0x1B, 0x79, 0x01})},
    {"tab stops 2 and 78", [](CVexilCommon& p) { return p.TwoTabStops(2, 78); },
     B({0x1B, 0x44, 2, 78, 0x00})},
    {"tab", [](CVexilCommon& p) { return p.Tab(); }, B({0x09})},
    {"10 cpi", [](CVexilCommon& p) { return p.TenCpi(); }, B({0x1B, 0x50})},
    {"12 cpi", [](CVexilCommon& p) { return p.TwelveCpi(); }, B({0x1B, 0x4D})},
    {"cancel condensed", [](CVexilCommon& p) { return p.CancelCondensed(); }, B({0x12})},
    {"cancel bold", [](CVexilCommon& p) { return p.CancelBold(); }, B({0x1B, 0x46})},
    {"kanji on", [](CVexilCommon& p) { return p.KanjiOn(); }, B({0x1C, 0x26})},
    {"kanji off", [](CVexilCommon& p) { return p.KanjiOff(); }, B({0x1C, 0x2E})},
    {"copy ROM to RAM", [](CVexilCommon& p) { return p.CopyRomToRam(0); }, B({0x1B, 0x3A, 0x00, 0x00, 0x00})},
    {"character table", [](CVexilCommon& p) { return p.CharacterTable(1, 1, 0); },
     B({0x1B, 0x28, 0x74, 0x03, 0x00, 0x01, 0x01, 0x00})},
    {"42/360-inch spacing", [](CVexilCommon& p) { return p.LineSpacing360(42); }, B({0x1B, 0x2B, 42})},
    {"underline", [](CVexilCommon& p) { return p.Underline(1); }, B({0x1B, 0x2D, 0x01})},
    {"feed 86/180", [](CVexilCommon& p) { return p.Feed(86); }, B({0x1B, 0x4A, 86})},
    {"reverse feed 128/180", [](CVexilCommon& p) { return p.ReverseFeed(128); }, B({0x1B, 0x6A, 128})},
    {"define 'A'..'X'", [](CVexilCommon& p) { return p.DefineCharacters('A', 'X'); },
     B({0x1B, 0x26, 0x00, 0x41, 0x58})},
    {"define one character", [](CVexilCommon& p) { return p.DefineCharacters('A', 'A'); },
     B({0x1B, 0x26, 0x00, 0x41, 0x41})},
    {"three raw bytes", [](CVexilCommon& p) { return p.RawBytes(0, 12, 0); }, B({0x00, 0x0C, 0x00})},
    {"bit image 480 columns", [](CVexilCommon& p) { return p.BitImage(32, 480); },
     B({0x1B, 0x2A, 32, 0xE0, 0x01})},
    {"page length 3960 units", [](CVexilCommon& p) { return p.PageLengthUnits(3960); },
     B({0x1B, 0x28, 0x43, 0x02, 0x00, 0x78, 0x0F})},
    {"form end", [](CVexilCommon& p) { return p.FormEnd(); }, B({0x0D, 0x0C, 0x1B, 0x40})},
    {"three new lines", [](CVexilCommon& p) { return p.NewLines(3); },
     B({0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A})},
    {"no new line", [](CVexilCommon& p) { return p.NewLines(0); }, B({})},
    {"repeat byte", [](CVexilCommon& p) { return p.RepeatByte(166, 4); }, B({166, 166, 166, 166})},
    {"negative repeat", [](CVexilCommon& p) { return p.RepeatByte('A', -4); }, B({})},
    {"cancel line", [](CVexilCommon& p) { return p.CancelLine(); }, B({0x18})},
    {"carriage return", [](CVexilCommon& p) { return p.CarriageReturn(); }, B({0x0D})},
    {"form feed", [](CVexilCommon& p) { return p.FormFeed(); }, B({0x0C})},
    {"reset", [](CVexilCommon& p) { return p.Reset(); }, B({0x1B, 0x40, 0x1C, 0x2E, 0x18})},
    {"two blank lines", [](CVexilCommon& p) { return p.BlankLines(2); },
     B({0x1B, 0x32, 0x0D, 0x0A, 0x0D, 0x0A})},
    {"bit string of ones", [](CVexilCommon& p) { return p.BitString("11111111", 2); }, B({0xFF, 0xFF})},
    {"bit string high nibble", [](CVexilCommon& p) { return p.BitString("11110000", 1); }, B({0xF0})},
    {"bit string of zeros", [](CVexilCommon& p) { return p.BitString("00000000", 3); },
     B({0x00, 0x00, 0x00})},
    {"bit string, most significant first", [](CVexilCommon& p) { return p.BitString("10000001", 1); },
     B({0x81})},
    {"bit string of two bytes", [](CVexilCommon& p) { return p.BitString("0000000111111110", 2); },
     B({0x01, 0xFE, 0x01, 0xFE})},
};

TEST(SingleCommands, AppendExactlyTheirBytes) {
    for (const CommandCase& command : kCommands) {
        SCOPED_TRACE(command.name);
        MessageRecorder messages;
        CPattern pattern(TestModel());
        EXPECT_TRUE(command.build(pattern));
        EXPECT_EQ(Contents(pattern), command.expected);
        EXPECT_TRUE(messages.Texts().empty());
    }
}

TEST(SingleCommands, DefiningCharactersBackwardsShowsTheMessageAndAppendsNothing) {
    MessageRecorder messages;
    CPattern pattern(TestModel());
    EXPECT_FALSE(pattern.DefineCharacters('B', 'A'));
    EXPECT_EQ(pattern.WritePosition(), 0u);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Wrong character code"});
}

TEST(SingleCommands, ABitStringThatIsNotWholeBytesShowsTheRasterMessageAndAppendsNothing) {
    const char* const kInvalid[] = {"1111111", "111111111", "", "1111 000", "2222222x"};
    for (const char* bits : kInvalid) {
        SCOPED_TRACE(bits);
        MessageRecorder messages;
        CPattern pattern(TestModel());
        EXPECT_FALSE(pattern.BitString(bits, 3));
        EXPECT_EQ(pattern.WritePosition(), 0u);
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::string>{"ラスターイメージが不正です。\n8bitでありません。"});
    }
}

}  // namespace

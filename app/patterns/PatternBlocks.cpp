// The pattern blocks of the printed test sequences: frame, character-generator check, black bars,
// width ruler, shaded band, back-feed check, bottom line and the E block.
#include <algorithm>
#include <string>
#include <vector>

#include "patterns/CVexilCommon.h"
#include "platform/DebugOutput.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

namespace {

// The widest column count whose tab stop and bit-image column count still fit their bytes.
constexpr int kWidestPaper = 255;

// Spaces between the ruler's leading 'E' and its 24 mark characters, by paper width. Each mark
// character is one 10 cpi cell wide, so (w - 24) / 2 spaces centre the marks on the line (shifted one
// column right by the 'E').
struct RulerIndentRow {
    int columns;
    int spaces;
};
constexpr RulerIndentRow kRulerIndents[] = {
    {80, 28},   // (80 - 24) / 2: centred on 80-column paper
    {106, 41},  // (106 - 24) / 2: centred on 106-column paper
    {136, 56},  // (136 - 24) / 2: centred on 136-column paper
};

int RulerIndent(int columns) {
    for (const RulerIndentRow& row : kRulerIndents) {
        if (row.columns == columns) {
            return row.spaces;
        }
    }
    // Any other width is indented by its own column count, which no centring explains; the printed
    // layout of such a ruler depends on it, so it stays.
    return columns;
}

}  // namespace

bool CVexilCommon::ColumnsAccepted(int columns) {
    if (columns >= 1 && columns <= kWidestPaper) {
        return true;
    }
    const std::string text =
        "CVexilCommon: a paper width of " + std::to_string(columns) + " columns builds no pattern\n";
    platform::DebugOutput(text.c_str());
    return false;
}

bool CVexilCommon::DefineCharacter(const UserCharacter& character) {
    std::vector<std::uint8_t> bytes = {
        character.leftSpace, static_cast<std::uint8_t>(character.columns.size()), character.rightSpace};
    for (const Column& column : character.columns) {
        bytes.insert(bytes.end(), column.begin(), column.end());
    }
    return Append(bytes);
}

bool CVexilCommon::DefineCharacterSet(std::uint8_t first, std::uint8_t last,
                                      std::span<const UserCharacter> characters) {
    if (!DefineCharacters(first, last)) {
        return false;
    }
    bool defined = true;
    for (const UserCharacter& character : characters) {
        defined = DefineCharacter(character) && defined;
    }
    return defined;
}

bool CVexilCommon::DefineOneCharacter(std::uint8_t code, const UserCharacter& character) {
    return DefineCharacterSet(code, code, std::span<const UserCharacter>(&character, 1));
}

bool CVexilCommon::BlackBarRaster(int columns) {
    BitImage(bitimage::kSixtyDpi, static_cast<std::uint16_t>(columns * 6));
    return BitString("11111111", columns * 18);
}

bool CVexilCommon::Frame(int columns) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    const std::uint8_t solidRow[] = {'A', 'A', control::kNul};

    KanjiOff();
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    SetModeFlag(0);
    PageLengthLines(protocol::kPatternPageLines);
    TwoTabStops(2, static_cast<std::uint8_t>(std::max(0, columns - 2)));
    CopyRomToRam(0);
    DefineOneCharacter('A', SolidBlock());
    Append(solidRow);
    CarriageReturn();
    Tab();

    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(1);
    TenCpi();
    CancelBold();
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    SetModeFlag(1);
    DefineOneCharacter('A', TopLine());
    RepeatByte('A', columns - 4);
    CarriageReturn();
    Tab();
    Tab();

    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    SetModeFlag(0);
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    DefineOneCharacter('A', SolidBlock());
    RepeatByte('A', 2);
    UserDefinedSet(0);
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::CgRomCheck() {
    TenCpi();
    PrintQuality(0);
    PrintMode(0);
    AppendTextWithNul("CG & ROM Check\r\n");
    PrintQuality(1);
    KanjiOn();
    CancelLine();
    RepeatByte(166, 10);
    RepeatByte(34, 10);
    CharacterTable(1, 1, 0);
    NewLines(1);
    KanjiOff();
    CancelLine();
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::BlackBars(int count, int columns) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    SetModeFlag(0);
    for (int bar = 0; bar < count; ++bar) {
        BlackBarRaster(columns);
        NewLines(1);
    }
    PageLengthLines(protocol::kPatternPageLines);
    return !overflowed_;
}

bool CVexilCommon::WidthRuler(int columns, int rows) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    // 'J' is a plain line on needle 1; 'K' adds a short mark on needles 20 and 24 every six columns;
    // 'L' has the marks without the line.
    constexpr Column kMarkColumn{0x80, 0x00, 0x11};
    constexpr Column kLowMarkColumn{0x00, 0x00, 0x11};
    const UserCharacter ruler[] = {
        UserCharacter::FromRuns({{36, kTopNeedleColumn}}),
        UserCharacter::Repeated(6, {{1, kMarkColumn}, {5, kTopNeedleColumn}}),
        UserCharacter::Repeated(6, {{1, kLowMarkColumn}, {5, kEmptyColumn}}),
    };

    KanjiOff();
    SetModeFlag(0);
    PrintQuality(1);
    DefineCharacterSet('J', 'L', ruler);
    for (int row = 0; row < rows; ++row) {
        LineSpacing360(42);
        Unidirectional(1);
        KanjiOff();
        TenCpi();
        CancelCondensed();
        CancelBold();
        PrintQuality(1);
        Byte('E');
        RepeatByte(control::kSpace, RulerIndent(columns));
        UserDefinedSet(1);
        RepeatByte('J', 8);
        RepeatByte('K', 8);
        RepeatByte('L', 8);
        UserDefinedSet(0);
        NewLines(1);
    }
    LineSpacingSixthInch();
    Unidirectional(0);
    return !overflowed_;
}

bool CVexilCommon::ShadedBand(int columns, int rows) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    KanjiOff();
    PageLengthLines(protocol::kPatternPageLines);
    LineSpacing180(24);
    PrintQuality(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    SetModeFlag(0);
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    DefineOneCharacter('A', SolidBlock());
    PageLengthLines(protocol::kPatternPageLines);
    Underline(1);
    Unidirectional(1);
    for (int row = 0; row < rows; ++row) {
        Byte(control::kSpace);
        RepeatByte('A', columns - 2);
        Byte(control::kSpace);
        NewLines(1);
    }
    UserDefinedSet(0);
    LineSpacingSixthInch();
    Underline(0);
    Unidirectional(0);
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::BackFeedCheck() {
    LineSpacing180(30);
    PrintQuality(0);
    PrintMode(1);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    AppendTextWithNul("Back feed check\r\n");
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    DefineOneCharacter('A', TopLine());
    // The six pieces land end to end on one line only when the reverse feed takes the paper back
    // exactly as far as the line feed moved it.
    for (int indent = 10; indent <= 60; indent += 10) {
        RepeatByte('A', 10);
        NewLines(1);
        PageLengthLines(protocol::kPatternPageLines);
        ReverseFeed(30);
        if (indent != 60) {
            RepeatByte(control::kSpace, indent);
        }
    }
    LineSpacingSixthInch();
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::BottomLine() {
    SetModeFlag(0);
    LineSpacing180(30);
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    PrintQuality(1);
    UserDefinedSet(1);
    CopyRomToRam(0);
    DefineOneCharacter('A', UserCharacter::FromRuns({{36, kBottomNeedleColumn}}));
    RepeatByte(control::kSpace, 5);
    RepeatByte('A', 15);
    UserDefinedSet(0);
    PrintQuality(0);
    PageLengthLines(protocol::kPatternPageLines);
    return !overflowed_;
}

bool CVexilCommon::EBlock() {
    KanjiOff();
    CancelCondensed();
    CancelBold();
    CancelLine();
    SetModeFlag(0);
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(0);
    TenCpi();
    RepeatByte('E', 45);
    NewLines(1);
    for (int row = 0; row < 21; ++row) {
        RepeatByte('E', 5);
        NewLines(1);
    }
    return !overflowed_;
}

// The bars of the bi-directional alignment: one per print mode. Each row is printed in both directions,
// so a wrong correction value shows as vertical lines that do not meet.
#include <string>

#include "patterns/CVexilCommon.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

namespace {

constexpr int kRows = 4;

}  // namespace

bool CVexilCommon::ModeLabel(std::string_view label, bool showValue, int value) {
    AppendTextWithNul(label);
    if (showValue) {
        AppendText("     Value = " + std::to_string(value));
    }
    return NewLines(1);
}

bool CVexilCommon::Mode1Bar(int columns, bool showValue, int value) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    KanjiOff();
    PageLengthLines(protocol::kPatternPageLines);
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    ModeLabel("Mode 1", showValue, value);

    LineSpacing180(24);
    SetModeFlag(1);
    PrintQuality(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    // One full column, the fifth of twelve.
    DefineOneCharacter('A',
                       UserCharacter::FromRuns({{4, kEmptyColumn}, {1, kFullColumn}, {7, kEmptyColumn}}));
    for (int row = 0; row < kRows; ++row) {
        RepeatByte('A', columns);
        NewLines(1);
    }
    LineSpacingSixthInch();
    PageLengthLines(protocol::kPatternPageLines);
    UserDefinedSet(0);
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::Mode2Bar(int columns, bool showValue, int value) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    PrintQuality(0);
    PrintMode(0);
    TenCpi();
    ModeLabel("Mode 2", showValue, value);

    KanjiOff();
    LineSpacing180(24);
    SetModeFlag(1);
    for (int row = 0; row < kRows; ++row) {
        // Nine columns per character: one full column and eight empty ones.
        BitImage(bitimage::kNinetyDpi, static_cast<std::uint16_t>(columns * 9));
        for (int character = 0; character < columns; ++character) {
            BitString("11111111", 3);
            BitString("00000000", 24);
        }
        NewLines(1);
    }
    LineSpacingSixthInch();
    PageLengthLines(protocol::kPatternPageLines);
    NewLines(1);
    return !overflowed_;
}

bool CVexilCommon::Mode4Bar(int columns, bool showValue, int value) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    KanjiOff();
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    ModeLabel("Mode 4", showValue, value);

    LineSpacing180(24);
    PrintQuality(1);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    TwelveCpi();
    Byte(control::kCondensed);
    PageLengthLines(protocol::kPatternPageLines);
    SetModeFlag(1);
    CopyRomToRam(0);
    const UserCharacter pair[] = {
        UserCharacter::FromRuns({{4, kEmptyColumn}, {1, kFullColumn}, {31, kEmptyColumn}}),
        UserCharacter::FromRuns({{36, kEmptyColumn}}),
    };
    DefineCharacterSet('A', 'B', pair);
    const std::uint8_t pairCodes[] = {'A', 'B'};
    for (int row = 0; row < kRows; ++row) {
        AppendRepeated(pairCodes, columns);
        NewLines(1);
    }
    LineSpacingSixthInch();
    PageLengthLines(protocol::kPatternPageLines);
    UserDefinedSet(0);
    CancelCondensed();
    CancelBold();
    NewLines(1);
    return !overflowed_;
}

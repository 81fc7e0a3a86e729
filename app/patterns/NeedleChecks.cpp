// The needle checks: one downloaded character per needle, so that a broken or sticking needle shows as
// a missing or smeared line in its place.
#include <vector>

#include "patterns/CVexilCommon.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

namespace {

constexpr int kNeedles = 24;
constexpr std::uint8_t kFirstNeedleCode = 'A';
constexpr std::uint8_t kLastNeedleCode = kFirstNeedleCode + kNeedles - 1;  // 'X'
constexpr int kCopiesPerNeedle = 3;

// Character 'A' + k: twelve columns in which only needle k + 1 fires.
std::vector<UserCharacter> NeedleCharacters() {
    std::vector<UserCharacter> characters;
    for (int needle = 1; needle <= kNeedles; ++needle) {
        characters.push_back(UserCharacter::FromRuns({{12, NeedleColumn(needle)}}));
    }
    return characters;
}

}  // namespace

bool CVexilCommon::NeedleCheck() {
    LineSpacing180(30);
    PrintQuality(0);
    PrintMode(0);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    SetModeFlag(0);
    AppendTextWithNul("Needle check\r\n");
    AppendTextWithNul(" 1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n");
    PrintQuality(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    PageLengthLines(protocol::kPatternPageLines);
    CopyRomToRam(0);
    DefineCharacterSet(kFirstNeedleCode, kLastNeedleCode, NeedleCharacters());
    for (int needle = 0; needle < kNeedles; ++needle) {
        RepeatByte(static_cast<std::uint8_t>(kFirstNeedleCode + needle), kCopiesPerNeedle);
    }
    NewLines(1);
    UserDefinedSet(0);
    NewLines(1);
    PageLengthLines(protocol::kPatternPageLines);
    return !overflowed_;
}

bool CVexilCommon::NeedleCheckReverse() {
    PageLengthLines(protocol::kPatternPageLines);
    LineSpacing180(30);
    PrintQuality(0);
    UserDefinedSet(0);
    TenCpi();
    CancelCondensed();
    CancelBold();
    SetModeFlag(0);
    AppendTextWithNul("Needle check\r\n");
    // Two spaces before 10, one more than in the forward heading, which moves 10 to 24 one column to
    // the right; the printed layout of this check depends on it, so it stays.
    AppendTextWithNul(" 1  2  3  4  5  6  7  8  9  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24\r\n");
    PrintQuality(0);
    UserDefinedSet(1);
    TenCpi();
    CancelCondensed();
    CancelBold();
    PageLengthLines(protocol::kPatternPageLines);
    SetModeFlag(0);
    CopyRomToRam(0);
    DefineCharacterSet(kFirstNeedleCode, kLastNeedleCode, NeedleCharacters());
    for (int needle = 0; needle < kNeedles; ++needle) {
        RepeatByte(static_cast<std::uint8_t>(kLastNeedleCode - needle), kCopiesPerNeedle);
    }
    NewLines(1);
    UserDefinedSet(0);
    NewLines(1);
    PageLengthLines(protocol::kPatternPageLines);
    return !overflowed_;
}

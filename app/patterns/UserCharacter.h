// A downloaded character: a three-byte header (left space, width in columns, right space) followed by
// three bytes per column. In a column, bit 7 of the first byte fires needle 1 and bit 0 of the third
// byte fires needle 24.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace patterns {

using Column = std::array<std::uint8_t, 3>;

inline constexpr Column kEmptyColumn{0x00, 0x00, 0x00};
inline constexpr Column kFullColumn{0xFF, 0xFF, 0xFF};
inline constexpr Column kTopNeedleColumn{0x80, 0x00, 0x00};     // needle 1 only
inline constexpr Column kBottomNeedleColumn{0x00, 0x00, 0x01};  // needle 24 only

// The column in which only the given needle (1-24) fires.
Column NeedleColumn(int needle);

struct UserCharacter {
    std::uint8_t leftSpace = 0;
    std::uint8_t rightSpace = 0;
    std::vector<Column> columns;

    // Consecutive runs of identical columns, without side spaces.
    static UserCharacter FromRuns(std::initializer_list<std::pair<int, Column>> runs);
    // The same run sequence repeated the given number of times.
    static UserCharacter Repeated(int times, std::initializer_list<std::pair<int, Column>> runs);
};

// Twelve columns with every needle firing: a solid block a character wide.
UserCharacter SolidBlock();
// Twelve columns with needle 1 only: a line along the top of the character cell.
UserCharacter TopLine();

}  // namespace patterns

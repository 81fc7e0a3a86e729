#include "patterns/UserCharacter.h"

namespace patterns {

Column NeedleColumn(int needle) {
    Column column = kEmptyColumn;
    if (needle >= 1 && needle <= 24) {
        const int bit = needle - 1;
        column[static_cast<std::size_t>(bit / 8)] = static_cast<std::uint8_t>(0x80 >> (bit % 8));
    }
    return column;
}

UserCharacter SolidBlock() {
    return UserCharacter::FromRuns({{12, kFullColumn}});
}

UserCharacter TopLine() {
    return UserCharacter::FromRuns({{12, kTopNeedleColumn}});
}

UserCharacter UserCharacter::FromRuns(std::initializer_list<std::pair<int, Column>> runs) {
    return Repeated(1, runs);
}

UserCharacter UserCharacter::Repeated(int times, std::initializer_list<std::pair<int, Column>> runs) {
    UserCharacter character;
    for (int time = 0; time < times; ++time) {
        for (const auto& [count, column] : runs) {
            if (count > 0) {
                character.columns.insert(character.columns.end(), static_cast<std::size_t>(count), column);
            }
        }
    }
    return character;
}

}  // namespace patterns

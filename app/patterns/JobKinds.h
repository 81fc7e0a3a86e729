// The job kinds of the service command engine: which kind an item starts, and the sensors a kind
// checks before it prints.
#pragma once

#include <optional>

#include "patterns/SensorTexts.h"

namespace patterns {

// The kinds with a sequence of their own.
namespace kind {
inline constexpr int kFactoryTest = 1;
inline constexpr int kShortTest = 3;
inline constexpr int kBidirectionalMode1 = 5;
inline constexpr int kBidirectionalMode2 = 6;
inline constexpr int kBidirectionalMode4 = 7;
inline constexpr int kPageFrameWithBar = 16;
inline constexpr int kFormEnd = 18;
inline constexpr int kSensorReport = 19;
inline constexpr int kEBlock = 20;
inline constexpr int kPageFrame = 22;
inline constexpr int kTwentyPages = 23;
inline constexpr int kHighest = 26;
}  // namespace kind

// The kind the item starts with this selector; -1 for none (an item outside the tables included).
int JobKindOf(int selector, int item);

// The sensors the kind checks before it prints, when it checks any.
std::optional<SensorExpectation> SensorGateOf(int kind);

}  // namespace patterns

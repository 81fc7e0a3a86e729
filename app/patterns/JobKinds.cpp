#include "patterns/JobKinds.h"

#include <array>

namespace patterns {

namespace {

// Indexed by item number.
constexpr std::array<int, 14> kSelector0 = {-1, -1, 8, 0, 1, 3, 16, 20, 5, 6, 7, -1, 18, 19};
constexpr std::array<int, 12> kSelector1 = {-1, -1, 1, 20, 3, 16, 22, 23, -1, -1, -1, -1};

template <std::size_t Count>
int Lookup(const std::array<int, Count>& table, int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= Count) {
        return -1;
    }
    return table[static_cast<std::size_t>(item)];
}

struct GateRow {
    int kind;
    SensorExpectation expected;  // carriage home, front, rear, top paper end, release lever, platen gap
};

constexpr std::array<GateRow, 3> kGates = {{
    // Continuous paper from the rear, lever on tractor, normal gap.
    {kind::kFactoryTest, {0, 0, 1, 1, 0, 0}},
    // A cut sheet at the front, lever on friction, gap for copies.
    {kind::kShortTest, {0, 1, 0, 0, 1, 1}},
    // A cut sheet at the front, lever on friction, normal gap.
    {kind::kPageFrameWithBar, {0, 1, 0, 0, 1, 0}},
}};

}  // namespace

int JobKindOf(int selector, int item) {
    switch (selector) {
        case 0:
            return Lookup(kSelector0, item);
        case 1:
            return Lookup(kSelector1, item);
        default:
            return -1;
    }
}

std::optional<SensorExpectation> SensorGateOf(int kind) {
    for (const GateRow& row : kGates) {
        if (row.kind == kind) {
            return row.expected;
        }
    }
    return std::nullopt;
}

}  // namespace patterns

// The platen gap figures, seen from the right side of the printer: the platen roller on the left, the
// print head on its carriage to the right of it, the gap lever with its locking screw below.
#include <array>

#include "res/Figures.h"

namespace res {
namespace {

constexpr std::uint32_t kInk = 0x202020;
constexpr std::uint32_t kPlaten = 0x5A6E8C;
constexpr std::uint32_t kHead = 0x0B4080;
constexpr std::uint32_t kGauge = 0xE0A000;
constexpr std::uint32_t kMotion = 0xE70080;
constexpr std::uint32_t kDone = 0x00A000;

using S = FigureShape;

// The platen as an octagon around (70, 55), the shaft at its centre.
#define TOLV_PLATEN                                                                            \
    S{S::Line, 102, 42, 83, 23, 3, kPlaten}, S{S::Line, 83, 23, 57, 23, 3, kPlaten},           \
        S{S::Line, 57, 23, 38, 42, 3, kPlaten}, S{S::Line, 38, 42, 38, 68, 3, kPlaten},        \
        S{S::Line, 38, 68, 57, 87, 3, kPlaten}, S{S::Line, 57, 87, 83, 87, 3, kPlaten},        \
        S{S::Line, 83, 87, 102, 68, 3, kPlaten}, S{S::Line, 102, 68, 102, 42, 3, kPlaten}, S { \
        S::Box, 66, 51, 74, 59, 0, kInk                                                        \
    }
// The head on its carriage, the carriage shaft running away from the viewer.
#define TOLV_HEAD                                                                     \
    S{S::Box, 114, 42, 150, 68, 0, kHead}, S{S::Line, 150, 55, 190, 55, 4, kInk}, S { \
        S::Box, 186, 49, 198, 61, 0, kInk                                             \
    }
// The gap lever's locking screw at (215, 92): a slotted head.
#define TOLV_SCREW                             \
    S{S::Box, 209, 86, 221, 98, 0, kInk}, S {  \
        S::Line, 211, 92, 219, 92, 2, 0xFFFFFF \
    }

constexpr FigureShape kLoosenScrew[] = {
    TOLV_PLATEN,
    TOLV_HEAD,
    TOLV_SCREW,
    // The lever in its locked place, up to the left.
    S{S::Line, 215, 92, 192, 30, 4, kInk},
    // Turn the screw to the left: a quarter circle round it with its arrow head.
    S{S::Line, 232, 92, 229, 80, 2, kMotion},
    S{S::Line, 229, 80, 221, 74, 2, kMotion},
    S{S::Line, 221, 74, 210, 74, 2, kMotion},
    S{S::Line, 210, 74, 216, 69, 2, kMotion},
    S{S::Line, 210, 74, 216, 79, 2, kMotion},
};

constexpr FigureShape kLayGauge[] = {
    TOLV_PLATEN,
    TOLV_HEAD,
    TOLV_SCREW,
    S{S::Line, 215, 92, 192, 30, 4, kInk},
    // The thickness gauge standing in the gap between the platen and the head's nose.
    S{S::Box, 106, 8, 111, 76, 0, kGauge},
    // Slide it in from above.
    S{S::Line, 125, 6, 125, 30, 2, kMotion},
    S{S::Line, 125, 30, 120, 24, 2, kMotion},
    S{S::Line, 125, 30, 130, 24, 2, kMotion},
};

constexpr FigureShape kSetLever[] = {
    TOLV_PLATEN,
    TOLV_HEAD,
    TOLV_SCREW,
    S{S::Box, 106, 8, 111, 76, 0, kGauge},
    // Move the lever until the gauge just drags...
    S{S::Line, 215, 92, 236, 30, 4, kInk},
    S{S::Line, 196, 24, 232, 18, 2, kMotion},
    S{S::Line, 232, 18, 225, 14, 2, kMotion},
    S{S::Line, 232, 18, 226, 23, 2, kMotion},
    // ...then turn the screw to the right to lock it there.
    S{S::Line, 198, 92, 201, 80, 2, kMotion},
    S{S::Line, 201, 80, 209, 74, 2, kMotion},
    S{S::Line, 209, 74, 220, 74, 2, kMotion},
    S{S::Line, 220, 74, 214, 69, 2, kMotion},
    S{S::Line, 220, 74, 214, 79, 2, kMotion},
    // The gap is set.
    S{S::Line, 250, 60, 258, 70, 3, kDone},
    S{S::Line, 258, 70, 272, 46, 3, kDone},
};

#undef TOLV_PLATEN
#undef TOLV_HEAD
#undef TOLV_SCREW

constexpr std::array<Figure, 3> kPlatenGapFigures = {{
    {280, 110, kLoosenScrew},
    {280, 110, kLayGauge},
    {280, 110, kSetLever},
}};

}  // namespace

std::span<const Figure> PlatenGapFigures() {
    return kPlatenGapFigures;
}

}  // namespace res

#include "printer/PaperEndThresholds.h"

#include <array>

namespace printer {
namespace {

constexpr std::array<int, 4> kTopPaperEnd = {0xAA, 0xAB, 0xAC, 0xAD};
constexpr std::array<int, 2> kRearPaperEnd = {0xA6, 0xA7};
constexpr std::array<int, 2> kFrontPaperEnd = {0xA8, 0xA9};

constexpr std::array<PaperEndThreshold, 3> kThresholds = {{
    {1, "Initialize TPE Threshold", kTopPaperEnd},
    {2, "Initialize PE Threshold", kRearPaperEnd},
    {4, "Initialize Front PE Threshold", kFrontPaperEnd},
}};

}  // namespace

const PaperEndThreshold* PaperEndThresholdOf(int kind) {
    for (const PaperEndThreshold& threshold : kThresholds) {
        if (threshold.kind == kind) {
            return &threshold;
        }
    }
    return nullptr;
}

int ClearPaperEndThreshold(IEepromRW* eeprom, int kind, const std::function<void()>& step) {
    const PaperEndThreshold* threshold = PaperEndThresholdOf(kind);
    if (threshold == nullptr) {
        return 1;
    }
    for (const int address : threshold->addresses) {
        if (eeprom == nullptr || eeprom->WriteByte(address, 0) == 0) {
            return 0;
        }
        if (step) {
            step();
        }
    }
    return 1;
}

}  // namespace printer

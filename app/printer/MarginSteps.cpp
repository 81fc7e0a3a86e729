#include "printer/MarginSteps.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace printer {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// The margin the top byte 0 stands for, and the bottom margin of a step count of 0.
constexpr double kTopOrigin = 8.5;
constexpr double kBottomOrigin = 0.75;
// A bottom step count that reads this far below zero is a count past 255 that the byte wrapped.
constexpr double kBottomWrapBelow = -0.1;
// Margins are shown in twentieths of a millimetre.
constexpr double kGridPerMillimetre = 20.0;

constexpr MarginRule kTopRule = {0x7C, true, 5.0, 12.5};
constexpr MarginRule kBottomRule = {0x7E, false, 0.0, 6.8};

struct ModelSteps {
    const char* model;
    int stepsPerInch;
};
constexpr std::array<ModelSteps, 4> kModelSteps = {{
    {"VK-610+II", 360},
    {"VK-2240II", 360},
    {"VN-610+II", 432},
    {"VN-2380II", 432},
}};

double StepMillimetres(const MarginScale& scale) {
    return kMillimetresPerInch / scale.stepsPerInch;
}

// The margin before it is held inside the accepted range.
double UnboundedMargin(MarginEdge edge, std::uint8_t stored, const MarginScale& scale) {
    double margin = 0.0;
    if (edge == MarginEdge::Top) {
        margin = kTopOrigin - static_cast<std::int8_t>(stored) * StepMillimetres(scale);
    } else {
        const int steps = stored - scale.bottomOffset;
        margin = steps * StepMillimetres(scale) + kBottomOrigin;
        if (margin < kBottomWrapBelow) {
            margin = (steps + 256) * StepMillimetres(scale) + kBottomOrigin;
        }
    }
    return std::floor(margin * kGridPerMillimetre + 0.5) / kGridPerMillimetre;
}

double Bounded(double margin, const MarginRule& rule) {
    if (margin < rule.lowest) {
        return rule.lowest;
    }
    return margin > rule.highest ? rule.highest : margin;
}

}  // namespace

const MarginRule& MarginRuleOf(MarginEdge edge) {
    return edge == MarginEdge::Top ? kTopRule : kBottomRule;
}

int StepsPerInchOfModel(const std::string& model) {
    for (const ModelSteps& row : kModelSteps) {
        if (model == row.model) {
            return row.stepsPerInch;
        }
    }
    return 0;
}

double MarginFromStored(MarginEdge edge, std::uint8_t stored, const MarginScale& scale) {
    // + 0.0 turns a negative zero into the zero the technician expects to see.
    return Bounded(UnboundedMargin(edge, stored, scale), MarginRuleOf(edge)) + 0.0;
}

std::uint8_t StoredForMargin(MarginEdge edge, double millimetres, const MarginScale& scale) {
    // Every byte is tried: the conversion wraps, rounds and holds, so the byte is the one whose
    // reading lies nearest, not a division turned round. Among bytes that read alike (the held ends of
    // the range) the one whose margin before holding lies nearest wins.
    constexpr double kSame = 1e-9;
    int best = 0;
    double bestShown = 0.0;
    double bestUnbounded = 0.0;
    for (int stored = 0; stored <= 0xFF; ++stored) {
        const double unbounded = UnboundedMargin(edge, static_cast<std::uint8_t>(stored), scale);
        const double shown = std::fabs(Bounded(unbounded, MarginRuleOf(edge)) - millimetres);
        const double beyond = std::fabs(unbounded - millimetres);
        if (stored == 0 || shown < bestShown - kSame ||
            (shown < bestShown + kSame && beyond < bestUnbounded - kSame)) {
            best = stored;
            bestShown = shown;
            bestUnbounded = beyond;
        }
    }
    return static_cast<std::uint8_t>(best);
}

bool ParseMarginText(const std::string& text, double* millimetres) {
    std::size_t at = 0;
    const auto blank = [&text](std::size_t i) {
        return i < text.size() && (text[i] == ' ' || text[i] == '\t');
    };
    while (blank(at)) {
        ++at;
    }
    const std::size_t start = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    int digits = 0;
    int points = 0;
    while (at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) != 0 || text[at] == '.')) {
        (text[at] == '.' ? points : digits) += 1;
        ++at;
    }
    const std::size_t end = at;
    while (blank(at)) {
        ++at;
    }
    if (digits == 0 || points > 1 || at != text.size()) {
        return false;
    }
    *millimetres = std::strtod(text.substr(start, end - start).c_str(), nullptr) + 0.0;
    return true;
}

int ReadMargin(IEepromRW* eeprom, MarginEdge edge, const MarginScale& scale, double* millimetres,
               const MarginStep& step) {
    std::uint8_t stored = 0;
    const bool read = eeprom != nullptr && eeprom->ReadByte(MarginRuleOf(edge).address, &stored) != 0;
    if (step) {
        step();
    }
    if (!read) {
        return 0;
    }
    *millimetres = MarginFromStored(edge, stored, scale);
    return 1;
}

MarginStore StoreMargin(IEepromRW* eeprom, MarginEdge edge, double millimetres, const MarginScale& scale,
                        double* stored, const MarginStep& step) {
    const int address = MarginRuleOf(edge).address;
    const std::uint8_t wanted = StoredForMargin(edge, millimetres, scale);
    const bool written = eeprom != nullptr && eeprom->WriteByte(address, wanted) != 0;
    if (step) {
        step();
    }
    if (!written) {
        return MarginStore::WriteFailed;
    }
    // The printer takes a moment to commit a byte before it answers for it.
    eeprom->Pause1(0, 0);
    std::uint8_t held = 0;
    const bool read = eeprom->ReadByte(address, &held) != 0;
    if (step) {
        step();
    }
    if (!read) {
        return MarginStore::ReadBackFailed;
    }
    *stored = MarginFromStored(edge, held, scale);
    return held == wanted ? MarginStore::Stored : MarginStore::NotKept;
}

}  // namespace printer

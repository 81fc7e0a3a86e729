// The margin conversions, pinned by the readings a technician sees for stored bytes, the store with
// its read-back and the paper-end threshold clearing, checked in the EEPROM of a virtual printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ModelPrinterStream.h"
#include "platform/Clock.h"
#include "printer/CEepromRwByESC.h"
#include "printer/MarginSteps.h"
#include "printer/PaperEndThresholds.h"
#include "testsupport/MessageRecorder.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"

namespace printertest {
namespace {

using printer::MarginEdge;
using printer::MarginScale;

std::string Shown(double millimetres) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", millimetres);
    return text;
}

TEST(MarginReading, StoredBytesReadAsTheTechnicianSeesThem) {
    const MarginScale k360{360, 0};
    const MarginScale k432{432, 0};
    const MarginScale offset20{360, 20};
    const struct {
        MarginEdge edge;
        MarginScale scale;
        int stored;
        const char* shown;
    } cases[] = {
        {MarginEdge::Top, k360, 0, "8.50"},
        {MarginEdge::Top, k360, 10, "7.80"},
        {MarginEdge::Top, k360, 43, "5.45"},
        {MarginEdge::Top, k360, 0x9C, "12.50"},  // -100, held at the upper limit
        {MarginEdge::Top, k360, 0xF4, "9.35"},   // -12: a signed byte
        {MarginEdge::Top, k360, 0x80, "12.50"},  // -128
        {MarginEdge::Top, k360, 0x7F, "5.00"},   // 127, held at the lower limit
        {MarginEdge::Top, k432, 10, "7.90"},
        {MarginEdge::Bottom, k360, 0, "0.75"},
        {MarginEdge::Bottom, k360, 10, "1.45"},
        {MarginEdge::Bottom, k360, 255, "6.80"},
        {MarginEdge::Bottom, k360, 0x80, "6.80"},    // unsigned: 128 steps
        {MarginEdge::Bottom, offset20, 19, "0.70"},  // one step below the offset
        {MarginEdge::Bottom, offset20, 8, "0.00"},   // twelve below: just above the wrap, held at 0
        {MarginEdge::Bottom, offset20, 7, "6.80"},   // thirteen below: a count past 255 that wrapped
        {MarginEdge::Bottom, offset20, 20, "0.75"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(printer::MarginFromStored(c.edge, static_cast<std::uint8_t>(c.stored), c.scale)),
                  c.shown)
            << (c.edge == MarginEdge::Top ? "top " : "bottom ") << c.stored << " K " << c.scale.stepsPerInch
            << " M " << c.scale.bottomOffset;
    }
}

// Every margin the technician may enter is stored as the byte that reads back nearest to it: the
// margin itself whenever the feed step reaches it, within half a step otherwise, and the nearest end
// of what the byte can hold beyond that.
TEST(MarginReading, EveryAcceptedMarginRoundTripsThroughItsByte) {
    for (const MarginEdge edge : {MarginEdge::Top, MarginEdge::Bottom}) {
        for (const MarginScale scale : {MarginScale{360, 0}, MarginScale{432, 0}, MarginScale{360, 20}}) {
            const printer::MarginRule& rule = printer::MarginRuleOf(edge);
            double lowest = rule.highest;
            double highest = rule.lowest;
            for (int stored = 0; stored <= 0xFF; ++stored) {
                const double reading =
                    printer::MarginFromStored(edge, static_cast<std::uint8_t>(stored), scale);
                lowest = std::min(lowest, reading);
                highest = std::max(highest, reading);
                // A margin read off the printer is stored as the same margin.
                EXPECT_EQ(Shown(printer::MarginFromStored(
                              edge, printer::StoredForMargin(edge, reading, scale), scale)),
                          Shown(reading))
                    << stored;
            }
            const double step = 25.4 / scale.stepsPerInch;
            for (int twentieths = static_cast<int>(std::lround(rule.lowest * 20));
                 twentieths <= static_cast<int>(std::lround(rule.highest * 20)); ++twentieths) {
                const double entered = twentieths / 20.0;
                const double reading =
                    printer::MarginFromStored(edge, printer::StoredForMargin(edge, entered, scale), scale);
                if (entered < lowest) {
                    EXPECT_EQ(Shown(reading), Shown(lowest)) << entered;
                } else {
                    EXPECT_LE(std::fabs(reading - entered), step / 2 + 0.025 + 1e-9)
                        << entered << " K " << scale.stepsPerInch << " M " << scale.bottomOffset;
                }
            }
        }
    }
}

TEST(MarginReading, TheStepIsKnownForTheFourNamedModelsOnly) {
    EXPECT_EQ(printer::StepsPerInchOfModel("VK-610+II"), 360);
    EXPECT_EQ(printer::StepsPerInchOfModel("VK-2240II"), 360);
    EXPECT_EQ(printer::StepsPerInchOfModel("VN-610+II"), 432);
    EXPECT_EQ(printer::StepsPerInchOfModel("VN-2380II"), 432);
    EXPECT_EQ(printer::StepsPerInchOfModel("VK-572D"), 0);
    EXPECT_EQ(printer::StepsPerInchOfModel("vk-2240ii"), 0);
    EXPECT_FALSE(MarginScale{}.Known());
}

TEST(MarginText, OnlyPlainDecimalNumbersAreMargins) {
    const struct {
        const char* text;
        bool accepted;
        double value;
    } cases[] = {
        {"7.5", true, 7.5}, {" 12.5 ", true, 12.5}, {"12.", true, 12.0}, {".5", true, 0.5},
        {"-0", true, 0.0},  {"+6.8", true, 6.8},    {"-13", true, -13},  {"", false, 0},
        {"abc", false, 0},  {"-", false, 0},        {".", false, 0},     {"1.2.3", false, 0},
        {"1e1", false, 0},  {"0x5", false, 0},      {"nan", false, 0},   {"5 5", false, 0},
    };
    for (const auto& c : cases) {
        double value = -99.0;
        EXPECT_EQ(printer::ParseMarginText(c.text, &value), c.accepted) << '"' << c.text << '"';
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
            EXPECT_FALSE(std::signbit(value) && value == 0.0) << c.text;
        }
    }
}

vprinter::ModelProfile Vk572d() {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile("VK-572D", &profile, &error)) << error;
    return profile;
}

class AdjustmentBytes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        ASSERT_EQ(printer::HandOut<CEepromRwByESC>(&eeprom, platform::kIidIUnknown, stream,
                                                   printer.Core().Profile().commandCode[0],
                                                   printer.Core().Profile().commandCode[1], 0xFFu, nullptr),
                  1);
    }
    void TearDown() override { eeprom->Release(); }
    void DropTheLine() { ASSERT_TRUE(vprinter::ApplyControl(printer, "drop-after=0").ok); }
    std::uint8_t Stored(int address) {
        std::uint8_t value = 0;
        EXPECT_TRUE(printer.Core().EepromImage().Read(address, &value));
        return value;
    }
    void Store(int address, std::uint8_t value) {
        ASSERT_TRUE(printer.Core().EepromImage().Write(address, value));
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    testsupport::MessageRecorder messages;
    vprinter::VirtualPrinter printer{Vk572d(), "USB1"};
    ModelPrinterStream* stream = new ModelPrinterStream(printer);
    IEepromRW* eeprom = nullptr;
    int steps = 0;
    std::function<void()> step = [this] { ++steps; };
};

TEST_F(AdjustmentBytes, AStoredMarginIsTheByteThePrinterHoldsAndReadsBackAlike) {
    const MarginScale k360{360, 0};
    double held = 0.0;
    EXPECT_EQ(printer::StoreMargin(eeprom, MarginEdge::Top, 7.81, k360, &held, step),
              printer::MarginStore::Stored);
    EXPECT_EQ(Stored(0x7C), 10);
    EXPECT_EQ(Shown(held), "7.80");
    EXPECT_EQ(printer::StoreMargin(eeprom, MarginEdge::Bottom, 0.3, k360, &held, step),
              printer::MarginStore::Stored);
    EXPECT_EQ(Stored(0x7E), 0);  // 0.75 mm is as low as this model's offset lets the byte go
    EXPECT_EQ(Shown(held), "0.75");
    EXPECT_EQ(steps, 4);

    Store(0x7C, 0xF4);
    double read = 0.0;
    EXPECT_EQ(printer::ReadMargin(eeprom, MarginEdge::Top, k360, &read, step), 1);
    EXPECT_EQ(Shown(read), "9.35");
}

TEST_F(AdjustmentBytes, ALostLineStoresNothingAndReadsNothing) {
    const MarginScale k360{360, 0};
    Store(0x7C, 43);
    DropTheLine();
    double held = -1.0;
    EXPECT_EQ(printer::StoreMargin(eeprom, MarginEdge::Top, 8.5, k360, &held, step),
              printer::MarginStore::WriteFailed);
    EXPECT_EQ(held, -1.0);
    double read = -1.0;
    EXPECT_EQ(printer::ReadMargin(eeprom, MarginEdge::Top, k360, &read, step), 0);
    EXPECT_EQ(read, -1.0);
    EXPECT_EQ(Stored(0x7C), 43);
}

TEST_F(AdjustmentBytes, EachThresholdKindClearsItsOwnBytesOnly) {
    const std::vector<std::pair<int, std::vector<int>>> kinds = {
        {1, {0xAA, 0xAB, 0xAC, 0xAD}}, {2, {0xA6, 0xA7}}, {4, {0xA8, 0xA9}}, {8, {}}};
    for (const auto& [kind, cleared] : kinds) {
        for (int address = 0xA6; address <= 0xAD; ++address) {
            Store(address, 0x5A);
        }
        steps = 0;
        EXPECT_EQ(printer::ClearPaperEndThreshold(eeprom, kind, step), 1) << kind;
        EXPECT_EQ(steps, static_cast<int>(cleared.size())) << kind;
        for (int address = 0xA6; address <= 0xAD; ++address) {
            const bool isCleared = std::find(cleared.begin(), cleared.end(), address) != cleared.end();
            EXPECT_EQ(Stored(address), isCleared ? 0 : 0x5A) << kind << " " << address;
        }
    }
    EXPECT_EQ(printer::PaperEndThresholdOf(8), nullptr);
    EXPECT_STREQ(printer::PaperEndThresholdOf(4)->caption, "Initialize Front PE Threshold");
}

TEST_F(AdjustmentBytes, AFailedWriteEndsTheClearingThere) {
    for (int address = 0xAA; address <= 0xAD; ++address) {
        Store(address, 0x5A);
    }
    // The line drops once the first byte is cleared.
    const std::function<void()> dropAfterFirst = [this] {
        if (++steps == 1) {
            DropTheLine();
        }
    };
    EXPECT_EQ(printer::ClearPaperEndThreshold(eeprom, 1, dropAfterFirst), 0);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(Stored(0xAA), 0);
    EXPECT_EQ(Stored(0xAB), 0x5A);
    EXPECT_EQ(Stored(0xAC), 0x5A);
    EXPECT_EQ(Stored(0xAD), 0x5A);
}

}  // namespace
}  // namespace printertest

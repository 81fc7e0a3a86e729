// The top and bottom margins as the printer keeps them: one EEPROM byte each, counted in paper feed
// steps of 25.4 / K mm, and shown to the technician in millimetres on a grid of 0.05 mm.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "printer/IEepromRW.h"

namespace printer {

enum class MarginEdge { Top, Bottom };

// What turns a stored byte into millimetres for one model.
struct MarginScale {
    // K: paper feed steps per inch; 0 when nobody knows it for the model.
    int stepsPerInch = 0;
    // M: the bottom margin's step offset (the third mechanical adjustment value of the profile).
    int bottomOffset = 0;

    bool Known() const { return stepsPerInch > 0; }
};

struct MarginRule {
    int address;      // the EEPROM byte that holds the margin
    bool signedByte;  // the top margin is a signed byte, the bottom one unsigned
    double lowest;    // the accepted range in mm, both limits included
    double highest;
};

const MarginRule& MarginRuleOf(MarginEdge edge);

// K of the models whose feed step is known by name; 0 for any other name.
int StepsPerInchOfModel(const std::string& model);

// The margin the printer works with for a stored byte, rounded to 0.05 mm and held inside the
// accepted range. The scale must be known.
double MarginFromStored(MarginEdge edge, std::uint8_t stored, const MarginScale& scale);
// The byte whose margin lies nearest the given one (the same margin whenever the 0.05 mm grid value
// is one the feed step reaches). The scale must be known.
std::uint8_t StoredForMargin(MarginEdge edge, double millimetres, const MarginScale& scale);

// A margin as the technician types it: optional sign, digits with at most one decimal point, blanks
// around. False for anything else (empty, letters, exponents, hexadecimal, several points).
bool ParseMarginText(const std::string& text, double* millimetres);

using MarginStep = std::function<void()>;

// Reads the margin's byte: 1 with the margin in *millimetres, 0 when the read failed (then
// *millimetres is unchanged). step follows the read, whatever came of it.
int ReadMargin(IEepromRW* eeprom, MarginEdge edge, const MarginScale& scale, double* millimetres,
               const MarginStep& step);

enum class MarginStore {
    Stored,          // the printer holds the byte written
    WriteFailed,     // the write did not reach the printer
    ReadBackFailed,  // written, but the printer could not be asked what it holds
    NotKept,         // the printer holds another byte than the one written
};

// Writes the byte nearest the margin and reads it back; *stored gets the margin the printer now
// holds whenever the read-back succeeded. step follows the write and the read-back.
MarginStore StoreMargin(IEepromRW* eeprom, MarginEdge edge, double millimetres, const MarginScale& scale,
                        double* stored, const MarginStep& step);

}  // namespace printer

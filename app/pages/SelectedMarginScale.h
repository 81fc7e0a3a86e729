// The margin scale of the model the technician chose: the feed step the profile gives, else the one
// its name is known by, and the bottom margin's step offset from the profile.
#pragma once

#include "printer/MarginSteps.h"

namespace pages {

// stepsPerInch is 0 when neither the profile nor the model name gives the feed step.
printer::MarginScale SelectedMarginScale();

}  // namespace pages

// Fills the pattern builders' record from the selected model profile and the run's settings.
#pragma once

#include "patterns/PatternModel.h"

namespace patterns {

// Reads CTolvPrnParam::Instance() and CTolvAppParam::Instance(): the model's command code, columns,
// addressing, maps and USB serial address; the selected customer's addresses, bytes and information
// name; the texts entered for the report. A customer index outside the profile's slots gives no
// customer bytes and an empty name.
PatternModel PatternModelFromConfig();

}  // namespace patterns

// The printer the technician chose, as the printer service takes it: the port of the settings and
// what the selected model needs (command code, last address, model preamble, where its settings
// live, its margin scale). The pages, the screens and the command line build their targets here, at
// their edge; the service reads no settings of its own.
#pragma once

#include "printer/CPrinterSettingReader.h"
#include "printer/MarginSteps.h"
#include "printer/Target.h"

namespace patterns {

printer::Target SelectedPrinter();
printer::SettingMap SelectedSettingMap();

// The margin scale of the selected model: the feed step the profile gives, else the one its name is
// known by, and the bottom margin's step offset from the profile. stepsPerInch is 0 when neither the
// profile nor the model name gives the feed step.
printer::MarginScale SelectedMarginScale();

}  // namespace patterns

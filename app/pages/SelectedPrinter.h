// The printer the technician chose, as the printer service takes it: the port of the settings and
// what the selected model needs (command code, last address, model preamble, where its settings
// live). The pages and the screens build their targets here, at their edge; the service reads no
// settings of its own.
#pragma once

#include "printer/CPrinterSettingReader.h"
#include "printer/Target.h"

namespace pages {

printer::Target SelectedPrinter();
printer::SettingMap SelectedSettingMap();

}  // namespace pages

// The technicians' and tests' handle on a virtual printer: words "key=value" (or a bare key) that set
// state, sensors and faults, read back what the printer holds, and save it. The server's control verb
// and its --fault option both end here; vprinter/README.md lists the keys.
#pragma once

#include <string>
#include <string_view>

#include "vprinter/model/VirtualPrinter.h"

namespace vprinter {

struct ControlOutcome {
    bool ok = true;
    bool saveRequested = false;  // "save": the owner writes the state file
    std::string text;            // "OK\n" and, for the queries, one "key=value" line each; or "ERROR ...\n"
};

// Applies the words in order; the first bad word stops and reports, leaving the earlier ones applied.
ControlOutcome ApplyControl(VirtualPrinter& printer, std::string_view words);

}  // namespace vprinter

// The engine's sensor job on the selected printer, for whoever shows the sensor status: the pages'
// refresh thread and the command line.
#pragma once

#include <string>

#include "patterns/IJobMessages.h"

namespace patterns {

// The sensor job of the engine (selector 0, item 13) on the selected printer: true with the report,
// false when the job failed (its messages went to `messages`).
bool RunSensorJobFromConfig(IJobMessages& messages, std::string& report);

}  // namespace patterns

// The job runner of the service command engine: runs one numbered print job on the printer. It opens
// the printer through a device-driver object of its own, checks the sensors where the job asks for
// it, builds the job's bytes, sends them while it watches the status, writes the customer's EEPROM
// values after the factory test and closes the printer. It always returns; the job's item is -1 when
// the job failed, and the technician has seen why.
#pragma once

#include "patterns/IJobMessages.h"
#include "patterns/PatternModel.h"
#include "patterns/PrintJobRecord.h"

class CTolvLangText;

namespace patterns {

struct PrintJobContext {
    // The model and customer the bytes are built for, with the model identifier bytes of the job.
    PatternModel model;
    // The model's nUseOrlexPort.
    int useOrlexPort = 0;
    IJobMessages& messages;
    // The language texts the messages come from.
    const CTolvLangText& texts;
};

void RunPrintJob(const PrintJobContext& context, PrintJobRecord& job);

// Shown when the port session is taken by another exchange with the printer.
inline constexpr const char* kPortBusyText =
    "The printer is busy with another job.\nTry again when it has ended.";

}  // namespace patterns

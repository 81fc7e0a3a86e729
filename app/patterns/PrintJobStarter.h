// The job starter: completes a page's job record and runs it with the job runner. UI-free: the page
// side hands in the message sink (its message dialog) and the texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "patterns/PrintJobRunner.h"

namespace patterns {

// The program's port names by port index: "LPT1" at 0 and 1, "LPT2" to "LPT9", "USB(Auto)" at 10,
// "USB1" to "USB9", "1394(Auto)" at 20, "1394_1" to "1394_9", "COM1" at 30 and 31.
const std::vector<std::string>& ProgramPortNames();

// The last position of the name in the list (so LPT1 is 1 and COM1 31); -1 when none matches.
int PortIndexOf(const std::vector<std::string>& portNames, const std::string& portName);

struct PrintJobStart {
    // The model, the customer and the run's texts the bytes are built for.
    PatternModel model;
    // The model identifier bytes: the low bytes of the two numbers of pnRNumber.
    std::uint8_t firstIdByte = 0;
    std::uint8_t secondIdByte = 0;
    int useOrlexPort = 0;
    // The program's port-name list and the port chosen in the top dialog.
    std::vector<std::string> portNames;
    std::string chosenPort;
    IJobMessages& messages;
    const CTolvLangText& texts;
};

// Stores the identifier bytes, sets the job's selector, item and port index, and runs the job; the
// outcome is in the job record (item -1: failed).
void StartPrintJob(const PrintJobStart& start, int selector, int item, PrintJobRecord& job);

// As above with everything from the configuration: the selected model profile and customer
// (CTolvPrnParam, CTolvAppParam, with the port in strPortName), the language texts (CTolvLangText)
// and the program's port names.
void StartPrintJobFromConfig(IJobMessages& messages, int selector, int item, PrintJobRecord& job);

}  // namespace patterns

#include "patterns/PrintJobStarter.h"

namespace patterns {

namespace {

std::vector<std::string> BuildPortNames() {
    // LPT1 stands at 0 and 1: the list's first entry was never a port of its own.
    std::vector<std::string> names = {"LPT1"};
    for (int number = 1; number <= 9; ++number) {
        names.push_back("LPT" + std::to_string(number));
    }
    names.push_back("USB(Auto)");
    for (int number = 1; number <= 9; ++number) {
        names.push_back("USB" + std::to_string(number));
    }
    names.push_back("1394(Auto)");
    for (int number = 1; number <= 9; ++number) {
        names.push_back("1394_" + std::to_string(number));
    }
    // COM1 lies past the last printer index: the engine never prints through it.
    names.push_back("COM1");
    names.push_back("COM1");
    return names;
}

}  // namespace

const std::vector<std::string>& ProgramPortNames() {
    static const std::vector<std::string> names = BuildPortNames();
    return names;
}

int PortIndexOf(const std::vector<std::string>& portNames, const std::string& portName) {
    for (std::size_t position = portNames.size(); position > 0; --position) {
        if (portNames[position - 1] == portName) {
            return static_cast<int>(position - 1);
        }
    }
    return -1;
}

void StartPrintJob(const PrintJobStart& start, int selector, int item, PrintJobRecord& job) {
    PrintJobContext context{start.model, start.useOrlexPort, start.messages, start.texts};
    context.model.firstIdByte = start.firstIdByte;
    context.model.secondIdByte = start.secondIdByte;
    job.selector = selector;
    job.item = item;
    job.portIndex = PortIndexOf(start.portNames, start.chosenPort);
    RunPrintJob(context, job);
}

}  // namespace patterns

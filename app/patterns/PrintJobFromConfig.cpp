#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "patterns/PatternModelFromConfig.h"
#include "patterns/PrintJobStarter.h"

namespace patterns {

void StartPrintJobFromConfig(IJobMessages& messages, int selector, int item, PrintJobRecord& job) {
    const CTolvPrnParam& printer = *CTolvPrnParam::Instance();
    const PrintJobStart start{PatternModelFromConfig(),
                              printer.ModelIdByte(0),
                              printer.ModelIdByte(1),
                              printer.nUseOrlexPort,
                              ProgramPortNames(),
                              CTolvAppParam::Instance()->strPortName,
                              messages,
                              *CTolvLangText::Instance()};
    StartPrintJob(start, selector, item, job);
}

}  // namespace patterns

// One run of the job runner, from open to close. Inside the engine only.
#pragma once

#include <string>

#include "drvlib/CWinVexilDrv.h"
#include "numora/CWinNumora.h"
#include "patterns/CPattern.h"
#include "patterns/PrintJobRunner.h"

namespace patterns {

class PrintJob {
public:
    PrintJob(const PrintJobContext& context, PrintJobRecord& job);
    void Run();

private:
    enum class Outcome { Done, Failed };

    bool HasPrinter() const { return job_.portIndex < kFirstPortIndexWithoutPrinter; }
    bool Open();
    bool SensorGatePasses(int kind);
    Outcome RunKind(int kind);
    void NormalEnd();
    // Closes the printer without sending what is left; shows the message first when there is one.
    void FailureEnd(const std::string& message = {});

    // Sends and empties the buffer; without a printer the bytes are dropped.
    bool Send();
    bool ReadRomVersion(std::string& version);
    void ShowError(const std::string& text) { context_.messages.Show(text, kMessageError); }

    // The kinds' sequences (JobSequences.cpp).
    Outcome FactoryTest();
    Outcome ShortTest();
    Outcome ShortTest136();
    Outcome ShortTest106();
    Outcome PageFrameWithBar();
    Outcome Bidirectional();
    Outcome SensorReport();
    Outcome EBlockPage();
    Outcome PageFramePage();
    Outcome TwentyPages();
    // After the factory test's report: wait until the printer has printed it, then write the
    // customer's EEPROM values and make sure the printer took them.
    Outcome WaitAndWrite();

    const PrintJobContext& context_;
    PrintJobRecord& job_;
    CPattern pattern_;
    CWinVexilDrv driver_;
    CWinNumora numora_;
    bool opened_ = false;
};

}  // namespace patterns

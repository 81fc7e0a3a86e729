// The initial setting of a printer for its customer: the check byte's complement, table C, then
// table A and B with the customer's bytes and the USB serial number, sent as three stages through the
// service command engine. The printer must report ready (state 4) after each stage before the next
// one goes; a stage that fails ends the run and leaves the stages before it in the printer, so every
// failure message names the stage it stopped at.
#pragma once

#include <string>
#include <vector>

#include "patterns/IJobMessages.h"
#include "patterns/PatternModel.h"

class CTolvLangText;

namespace patterns {

// What the run shows on the way: the engine's and the run's messages, and the progress window that
// opens once the printer is open.
class IInitialSettingView : public IJobMessages {
public:
    virtual void OpenProgress(int steps) = 0;
    virtual void Step() = 0;
};

struct InitialSettingRequest {
    // The model and customer with the model identifier bytes already set.
    PatternModel model;
    // The model's nADRSCheck: the address whose complement is written first; -1 skips that stage.
    int checkAddress = -1;
    int useOrlexPort = 0;
    // The program's port-name list and the port chosen in the top dialog.
    std::vector<std::string> portNames;
    std::string chosenPort;
    // The serial number typed on the page; empty writes 18 zeros on a model with a serial number.
    std::string serial;
};

enum class InitialSettingResult {
    NotStarted,   // the port is not in the list: nothing shown, nothing opened
    Refused,      // the serial was refused, or the port is busy: nothing sent
    OpenFailed,   // the printer did not open
    StageFailed,  // a stage failed (its message names it); the stages before it are in the printer
    Done,         // every stage went and the printer reported ready after the last
};

inline constexpr int kInitialSettingSteps = 33;
inline constexpr int kCheckStageWaitMs = 1000;
inline constexpr int kStageWaitMs = 1500;
inline constexpr const char* kInitialSettingDoneText =
    "Successfully.\r\nPlease turn off the power supply of a printer. ";

// The first position of the port name in the list; -1 when none matches.
int FirstPortIndexOf(const std::vector<std::string>& portNames, const std::string& portName);

// Checks the serial against the model first (a model without a serial field takes none, a text must
// pass the serial number's rules), then opens the printer, runs the stages and closes it again on
// every path after the open.
InitialSettingResult RunInitialSetting(const InitialSettingRequest& request, IInitialSettingView& view,
                                       const CTolvLangText& texts);

// The same request from the selected model profile, customer and port of the configuration.
InitialSettingRequest InitialSettingRequestFromConfig(const std::string& serial);

}  // namespace patterns

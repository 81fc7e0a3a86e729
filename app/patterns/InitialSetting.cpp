#include "patterns/InitialSetting.h"

#include <cstdint>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "drvlib/CWinVexilDrv.h"
#include "patterns/CPattern.h"
#include "patterns/EngineTexts.h"
#include "patterns/PatternModelFromConfig.h"
#include "patterns/PrintJobRunner.h"
#include "patterns/PrintJobStarter.h"
#include "platform/Clock.h"
#include "printer/PortSession.h"
#include "printer/UsbSerialNumber.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace patterns {
namespace {

// The printer's state once it has taken a stage and is ready for the next.
constexpr int kStateReady = 4;

enum class Stage { CheckByte, TableC, Defaults };

const char* StageName(Stage stage) {
    switch (stage) {
        case Stage::CheckByte:
            return "check byte";
        case Stage::TableC:
            return "table C";
        default:
            return "default values and serial number";
    }
}

// One run on an open printer. Every stage appends, sends, waits and reads the state; the first
// failure shows one message that names the stage, and the run ends.
class InitialSettingRun {
public:
    InitialSettingRun(const InitialSettingRequest& request, IInitialSettingView& view,
                      const CTolvLangText& texts, CPattern& pattern)
        : request_(request), view_(view), texts_(texts), pattern_(pattern) {
        stageCount_ = request.checkAddress != -1 ? 3 : 2;
    }

    InitialSettingResult Run() {
        pattern_.EmptyBuffer();
        view_.OpenProgress(kInitialSettingSteps);
        if (request_.checkAddress != -1) {
            stage_ = Stage::CheckByte;
            if (!Appended(pattern_.Initialise()) ||
                !Appended(pattern_.ComplementWrite(request_.checkAddress, pattern_.EepromReader()),
                          "The check byte could not be read from the printer.") ||
                !SentAndReady(kCheckStageWaitMs, CustomMessageText(texts_, 2))) {
                return InitialSettingResult::StageFailed;
            }
        }
        stage_ = Stage::TableC;
        const std::string notReady = CustomMessageText(texts_, 0) + "\n" + CustomMessageText(texts_, 1);
        if (!Appended(pattern_.TableCWrites()) || !SentAndReady(kStageWaitMs, notReady)) {
            return InitialSettingResult::StageFailed;
        }
        stage_ = Stage::Defaults;
        if (!Appended(pattern_.Initialise()) || !Appended(pattern_.DefaultWritesSet1()) ||
            !SerialAppended() || !Appended(pattern_.DefaultWritesSet2()) ||
            !SentAndReady(kStageWaitMs, notReady)) {
            return InitialSettingResult::StageFailed;
        }
        view_.Show(kInitialSettingDoneText, kMessageInformation);
        return InitialSettingResult::Done;
    }

private:
    // Which stage failed and what that means for the printer.
    std::string StageNote() const {
        const int number = static_cast<int>(stage_) - (stageCount_ == 3 ? 0 : 1) + 1;
        std::string note = "\n\nThe initial setting stopped at stage " + std::to_string(number) + " of " +
                           std::to_string(stageCount_) + " (" + StageName(stage_) + ").";
        note += number == 1 ? "\nNo earlier stage was sent to the printer."
                            : "\nThe earlier stages are in the printer: it is only partly set.";
        return note;
    }

    bool Fail(const std::string& text) {
        view_.Show(text + StageNote(), kMessageInformation);
        return false;
    }

    bool Appended(bool appended, const char* reason = "The commands of the stage could not be built.") {
        if (!appended) {
            // Nothing of the stage has gone: the buffer is not sent half built.
            pattern_.EmptyBuffer();
            return Fail(reason);
        }
        view_.Step();
        return true;
    }

    // The serial's 18 bytes with write set 1; none on a model without a serial number (the request was
    // checked before the printer was opened).
    bool SerialAppended() {
        if (request_.model.usbSerialAddress < 0) {
            return true;
        }
        const auto bytes = printer::UsbSerialBytes(request_.serial);
        for (int i = 0; i < printer::kUsbSerialLength; ++i) {
            if (!Appended(pattern_.WriteEepromSet1(request_.model.usbSerialAddress + i,
                                                   bytes[static_cast<std::size_t>(i)]))) {
                return false;
            }
        }
        return true;
    }

    bool SentAndReady(int waitMs, const std::string& notReadyText) {
        if (!pattern_.SendBuffer(view_, texts_)) {
            // The engine has shown why; the stage is still named.
            return Fail("The printer did not take the stage.");
        }
        view_.Step();
        platform::Clock().Sleep(static_cast<std::uint32_t>(waitMs));
        view_.Step();
        int state = 0;
        int error = 0;
        if (!pattern_.GetStatus(&state, &error)) {
            return Fail("Can not status");
        }
        view_.Step();
        if (state != kStateReady) {
            return Fail(notReadyText);
        }
        return true;
    }

    const InitialSettingRequest& request_;
    IInitialSettingView& view_;
    const CTolvLangText& texts_;
    CPattern& pattern_;
    Stage stage_ = Stage::CheckByte;
    int stageCount_ = 3;
};

// The serial against the model and the serial number's rules; the refusal's text, or empty.
std::string SerialRefusal(const InitialSettingRequest& request) {
    if (request.model.usbSerialAddress < 0) {
        // Tables without the serial are still a full setting; a typed serial would be silently lost.
        return request.serial.empty() ? std::string() : printer::kNoUsbSerialText;
    }
    return printer::UsbSerialCheckText(printer::CheckUsbSerial(request.serial, true));
}

}  // namespace

int FirstPortIndexOf(const std::vector<std::string>& portNames, const std::string& portName) {
    for (std::size_t position = 0; position < portNames.size(); ++position) {
        if (portNames[position] == portName) {
            return static_cast<int>(position);
        }
    }
    return -1;
}

InitialSettingResult RunInitialSetting(const InitialSettingRequest& request, IInitialSettingView& view,
                                       const CTolvLangText& texts) {
    const int portIndex = FirstPortIndexOf(request.portNames, request.chosenPort);
    if (portIndex < 0) {
        return InitialSettingResult::NotStarted;
    }
    if (const std::string refusal = SerialRefusal(request); !refusal.empty()) {
        view.Show(refusal, kMessageInformation);
        return InitialSettingResult::Refused;
    }
    printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("initial setting");
    if (!exchange) {
        view.Show(kPortBusyText, kMessageError);
        return InitialSettingResult::Refused;
    }
    CWinVexilDrv driver;
    CPattern pattern(request.model);
    pattern.SetUseOrlexPort(request.useOrlexPort);
    pattern.AttachDriver(&driver);
    platform::CString model;
    if (pattern.Open(portIndex, &model) < 0) {
        // The driver may hold a port after a failed open; Close lets it go.
        pattern.Close();
        view.Show(res::LoadResourceString(res::kStrInterfaceError), kMessageInformation);
        return InitialSettingResult::OpenFailed;
    }
    const InitialSettingResult result = InitialSettingRun(request, view, texts, pattern).Run();
    pattern.Close();
    return result;
}

InitialSettingRequest InitialSettingRequestFromConfig(const std::string& serial) {
    const CTolvPrnParam& printer = *CTolvPrnParam::Instance();
    InitialSettingRequest request;
    request.model = PatternModelFromConfig();
    request.model.firstIdByte = printer.ModelIdByte(0);
    request.model.secondIdByte = printer.ModelIdByte(1);
    request.checkAddress = printer.nADRSCheck;
    request.useOrlexPort = printer.nUseOrlexPort;
    request.portNames = ProgramPortNames();
    request.chosenPort = CTolvAppParam::Instance()->strPortName;
    request.serial = serial;
    return request;
}

}  // namespace patterns

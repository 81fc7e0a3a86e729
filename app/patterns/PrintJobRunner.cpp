#include "patterns/PrintJobRunner.h"

#include "patterns/EngineTexts.h"
#include "patterns/JobKinds.h"
#include "patterns/OverprintFlag.h"
#include "patterns/PrintJob.h"
#include "printer/PortSession.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace patterns {

namespace {

// Port indexes 10-19 are the USB entries of the port-name list, the only ones a device path opens.
constexpr int kFirstUsbPortIndex = 10;
constexpr int kLastUsbPortIndex = 19;

}  // namespace

void RunPrintJob(const PrintJobContext& context, PrintJobRecord& job) {
    // One exchange with the printer at a time: a job never interleaves with a status read or an
    // EEPROM access on the wire.
    printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("print job");
    if (!exchange) {
        context.messages.Show(kPortBusyText, kMessageError);
        job.item = -1;
        return;
    }
    PrintJob(context, job).Run();
}

PrintJob::PrintJob(const PrintJobContext& context, PrintJobRecord& job)
    : context_(context), job_(job), pattern_(context.model) {
    pattern_.SetUseOrlexPort(context.useOrlexPort);
}

void PrintJob::Run() {
    // A port name the list does not hold has no index; opening "port -1" would fail without a word
    // after the page already showed its value as set.
    if (job_.portIndex < 0) {
        FailureEnd(res::LoadResourceString(res::kStrInterfaceError));
        return;
    }
    if (HasPrinter()) {
        pattern_.AttachDriver(&driver_);
        if (!Open()) {
            FailureEnd();
            return;
        }
        pattern_.EmptyBuffer();
    }
    const int kind = JobKindOf(job_.selector, job_.item);
    if (kind < 0 || kind > kind::kHighest) {
        NormalEnd();
        return;
    }
    if (!SensorGatePasses(kind)) {
        return;
    }
    if (RunKind(kind) == Outcome::Failed) {
        return;
    }
    NormalEnd();
}

bool PrintJob::Open() {
    platform::CString model;
    const bool byName =
        job_.byName != 0 && job_.portIndex >= kFirstUsbPortIndex && job_.portIndex <= kLastUsbPortIndex;
    const int result =
        byName ? pattern_.OpenByName(job_.portName, &model) : pattern_.Open(job_.portIndex, &model);
    // The driver holds a port even after some failed opens; Close lets it go in either case.
    opened_ = true;
    return result >= 0;
}

bool PrintJob::SensorGatePasses(int kind) {
    const std::optional<SensorExpectation> expected = SensorGateOf(kind);
    // Models without a USB serial number have no sensor command; without a printer nothing is read.
    if (!expected || !context_.model.HasUsbSerialAddress() || !HasPrinter()) {
        return true;
    }
    std::string text;
    if (pattern_.SensorCheck(*expected, text)) {
        return true;
    }
    FailureEnd(text);
    return false;
}

void PrintJob::NormalEnd() {
    if (HasPrinter()) {
        if (!pattern_.SendBuffer(context_.messages, context_.texts)) {
            job_.item = -1;
        }
        pattern_.Close();
        opened_ = false;
    }
    pattern_.EmptyBuffer();
}

void PrintJob::FailureEnd(const std::string& message) {
    if (!message.empty()) {
        ShowError(message);
    }
    if (opened_) {
        pattern_.Close();
        opened_ = false;
    }
    pattern_.EmptyBuffer();
    job_.item = -1;
}

bool PrintJob::Send() {
    if (!HasPrinter()) {
        pattern_.EmptyBuffer();
        return true;
    }
    return pattern_.SendBuffer(context_.messages, context_.texts);
}

bool PrintJob::ReadRomVersion(std::string& version) {
    if (!HasPrinter()) {
        version.clear();
        return true;
    }
    if (pattern_.ReadRomVersion(version)) {
        return true;
    }
    // The report would print an empty version as the printer's.
    FailureEnd(MessageText(context_.texts, 4));
    return false;
}

PrintJob::Outcome PrintJob::RunKind(int kind) {
    switch (kind) {
        case kind::kFactoryTest:
            return FactoryTest();
        case kind::kShortTest:
            return ShortTest();
        case kind::kBidirectionalMode1:
        case kind::kBidirectionalMode2:
        case kind::kBidirectionalMode4:
            return Bidirectional();
        case kind::kPageFrameWithBar:
            return PageFrameWithBar();
        case kind::kFormEnd:
            pattern_.FormEnd();
            SetOverprintPending(false);
            return Outcome::Done;
        case kind::kSensorReport:
            return SensorReport();
        case kind::kEBlock:
            return EBlockPage();
        case kind::kPageFrame:
            return PageFramePage();
        case kind::kTwentyPages:
            return TwentyPages();
        default:
            return Outcome::Done;
    }
}

}  // namespace patterns

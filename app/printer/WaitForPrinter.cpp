#include "printer/WaitForPrinter.h"

#include "platform/Clock.h"
#include "printer/CPrinterStatusHeron.h"
#include "printer/PortSession.h"

namespace printer {
namespace {

constexpr int kPollInterval = 100;

}  // namespace

int WaitPrinterReady(const Target& target, int timeoutMs) {
    const PortSession::Exchange exchange = PortSession::OfProcess().Begin("waiting for the printer");
    if (!exchange) {
        return 0;
    }
    IPrinterStatus* status = nullptr;
    if (CreatePrinterStatus(&status, target) == 0) {
        return 0;
    }
    const int polls = timeoutMs / kPollInterval;
    for (int poll = 0; poll < polls; ++poll) {
        if (status->Refresh() != 0) {
            status->Release();
            return 1;
        }
        platform::Clock().Sleep(kPollInterval);
    }
    status->Release();
    return 0;
}

}  // namespace printer

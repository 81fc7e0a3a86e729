#include "printer/SendModelPreamble.h"

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "printer/CPortLibraryBinder.h"
#include "protocol/PrinterCommandCodes.h"

void SendModelPreamble(std::int16_t port) {
    if (!CTolvPrnParam::Instance()->NeedsModelPreamble(CTolvAppParam::Instance()->nCustomerIndex)) {
        return;
    }
    if (!printer::Succeeded(CPortLibraryBinder::OpenPort(port))) {
        return;
    }
    const auto& preamble = protocol::fs::kModelPreambleCommand;
    CPortLibraryBinder::SendRaw(preamble.data(), static_cast<std::uint32_t>(preamble.size()));
    CPortLibraryBinder::ClosePort();
}

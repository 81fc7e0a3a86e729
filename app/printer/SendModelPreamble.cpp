#include "printer/SendModelPreamble.h"

#include "printer/CPortLibraryBinder.h"
#include "printer/PortSession.h"
#include "protocol/PrinterCommandCodes.h"

void SendModelPreamble(const printer::Target& target) {
    if (!target.modelPreamble) {
        return;
    }
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("model preamble");
    if (!exchange || !printer::Succeeded(CPortLibraryBinder::OpenPort(target.Port()))) {
        return;
    }
    const auto& preamble = protocol::fs::kModelPreambleCommand;
    CPortLibraryBinder::SendRaw(preamble.data(), static_cast<std::uint32_t>(preamble.size()));
    CPortLibraryBinder::ClosePort();
}

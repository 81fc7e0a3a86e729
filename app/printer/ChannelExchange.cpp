#include "printer/ChannelExchange.h"

#include "printer/CPortLibraryBinder.h"

namespace printer {

ChannelStep OpenChannel(const PortSession::Exchange& exchange, std::int16_t port) {
    if (!exchange) {
        return ChannelStep::Busy;
    }
    if (!Succeeded(CPortLibraryBinder::OpenPort(port))) {
        return ChannelStep::Open;
    }
    if (!Succeeded(CPortLibraryBinder::CheckD4Support())) {
        CPortLibraryBinder::ClosePort();
        return ChannelStep::Support;
    }
    if (!Succeeded(CPortLibraryBinder::NegotiateChannel())) {
        CPortLibraryBinder::ClosePort();
        return ChannelStep::Negotiation;
    }
    return ChannelStep::Ready;
}

Status CloseChannel(const PortSession::Exchange& exchange) {
    if (!exchange) {
        return status::kPortBusy;
    }
    const Status terminated = CPortLibraryBinder::TerminateChannel();
    const Status closed = CPortLibraryBinder::ClosePort();
    if (!Succeeded(terminated)) {
        return terminated;
    }
    return closed;
}

}  // namespace printer

// The steps every exchange over the IEEE 1284.4 channel runs on the binder: open the port, check that
// the printer speaks the channel protocol, negotiate the channel; the exchange; terminate the
// channel, close the port. Each step takes the caller's port session exchange as proof that the
// caller holds the port; with a refused one nothing reaches the libraries.
#pragma once

#include <cstdint>

#include "printer/PortSession.h"
#include "printer/PortStatus.h"

namespace printer {

// The step at which opening a channel stopped; Busy when the exchange given was refused.
enum class ChannelStep { Busy, Open, Support, Negotiation, Ready };

// Opens the port, checks D4 support and negotiates. A failed check or negotiation closes the port
// again at once, so no port is left open behind a failure; a failed open leaves nothing to close.
ChannelStep OpenChannel(const PortSession::Exchange& exchange, std::int16_t port);

// Terminates the channel and closes the port. Success only when both did; kPortBusy, touching
// nothing, for a refused exchange.
Status CloseChannel(const PortSession::Exchange& exchange);

}  // namespace printer

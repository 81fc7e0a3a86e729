// The steps every exchange over the IEEE 1284.4 channel runs on the binder: open the port, check that
// the printer speaks the channel protocol, negotiate the channel; the exchange; terminate the
// channel, close the port.
#pragma once

#include <cstdint>

#include "printer/PortStatus.h"

namespace printer {

// The step at which opening a channel stopped.
enum class ChannelStep { Open, Support, Negotiation, Ready };

// Opens the port, checks D4 support and negotiates. A failed check or negotiation closes the port
// again at once, so no port is left open behind a failure; a failed open leaves nothing to close.
ChannelStep OpenChannel(std::int16_t port);

// Terminates the channel and closes the port. Success only when both did.
Status CloseChannel();

}  // namespace printer

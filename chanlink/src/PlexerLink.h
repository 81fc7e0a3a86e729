// The port under the channel: Plexer's SendByPlex, ReceiveByPlex and SetReceiveTypeByPlex, found by
// name in the Plexer the program has already loaded.
#pragma once

#include "ChannelSession.h"
#include "portselect/PlexerExports.h"

namespace chanlink {

class PlexerLink : public PortLink {
public:
    // False when Plexer cannot be had or lacks one of the three functions.
    bool Bind();

    std::uint32_t Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) override;
    std::uint32_t Receive(std::uint8_t* window, std::uint32_t* length) override;

private:
    decltype(&::SendByPlex) send_ = nullptr;
    decltype(&::ReceiveByPlex) receive_ = nullptr;
    decltype(&::SetReceiveTypeByPlex) setReceiveType_ = nullptr;
};

}  // namespace chanlink

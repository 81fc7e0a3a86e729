// The seven exports over one process-wide session on Plexer's open port.
#include "ChannelSession.h"
#include "PlexerLink.h"
#include "chanlink/ChanLink.h"

namespace {

chanlink::PlexerLink& Link() {
    static chanlink::PlexerLink link;
    return link;
}

chanlink::ChannelSession& Session() {
    static chanlink::ChannelSession session(Link());
    return session;
}

}  // namespace

extern "C" {

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4Negotiation(const std::uint8_t* cancel) {
    if (!Link().Bind()) {
        return chanlink::status::kLibraryMissing;
    }
    return Session().Negotiate(cancel);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4Termination(const std::uint8_t* cancel) {
    return Session().Terminate(cancel);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetD4CommandRCode(std::uint32_t code1, std::uint32_t code2) {
    Session().SetCommandCode(static_cast<std::uint8_t>(code1), static_cast<std::uint8_t>(code2));
    return chanlink::status::kSuccess;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SendDataChannel(const std::uint8_t* data, std::uint32_t count,
                                                             const std::uint8_t* cancel) {
    return Session().SendData(data, count, cancel);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ReceiveDataChannel(std::uint8_t* buffer) {
    std::uint32_t received = 0;
    return Session().ReceiveData(buffer, &received);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4ReadEeprom(std::uint32_t address, std::uint8_t* value,
                                                          const std::uint8_t* cancel) {
    return Session().ReadEeprom(address, value, cancel);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL D4GetStatusReply(char* buffer, const std::uint8_t* cancel) {
    return Session().GetStatusReply(buffer, cancel);
}

}  // extern "C"

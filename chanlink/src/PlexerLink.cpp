#include "PlexerLink.h"

#include "chanlink/ChanLink.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "portselect/PlexerFunctions.h"

namespace chanlink {
namespace {

// Plexer's receive type 1: one receive hands over what one read brought, with its length.
constexpr std::uint32_t kReceiveWhatOneReadBrought = 1;

}  // namespace

bool PlexerLink::Bind() {
    if (send_ != nullptr) {
        return true;
    }
    // The program loaded Plexer before us; this load only counts one more reference to the same
    // module, kept for the life of the process.
    platform::LibraryHandle plexer = platform::LoadSharedLibrary("Plexer.dll");
    if (plexer == nullptr) {
        platform::DebugOutput("ChanLink: Plexer.dll cannot be loaded\n");
        return false;
    }
    auto send = TOLVANE_PLEXER_FUNCTION(plexer, SendByPlex);
    auto receive = TOLVANE_PLEXER_FUNCTION(plexer, ReceiveByPlex);
    auto setReceiveType = TOLVANE_PLEXER_FUNCTION(plexer, SetReceiveTypeByPlex);
    if (send == nullptr || receive == nullptr || setReceiveType == nullptr) {
        platform::DebugOutput(
            "ChanLink: Plexer.dll lacks SendByPlex, ReceiveByPlex or SetReceiveTypeByPlex\n");
        platform::FreeSharedLibrary(plexer);
        return false;
    }
    send_ = send;
    receive_ = receive;
    setReceiveType_ = setReceiveType;
    return true;
}

std::uint32_t PlexerLink::Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) {
    return send_(data, count, cancel);
}

std::uint32_t PlexerLink::Receive(std::uint8_t* window, std::uint32_t* length) {
    // The program's plain stream reads switch the type too; set ours before every receive.
    setReceiveType_(kReceiveWhatOneReadBrought);
    return receive_(window, length);
}

}  // namespace chanlink

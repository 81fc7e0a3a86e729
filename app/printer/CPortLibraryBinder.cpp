#include "printer/CPortLibraryBinder.h"

#include "platform/CallingConvention.h"
#include "portselect/PlexerFunctions.h"
#include "portselect/PortNumbers.h"

namespace {

using printer::Status;
namespace status = printer::status;

// The channel library's exports as it declares them: plain integers and caller-owned buffers. The
// selector's take their types from its own declarations.
using ChannelSendFunction = Status TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t, const std::uint8_t*);
using ChannelControlFunction = Status TOLVANE_STDCALL(const std::uint8_t*);
using CommandCodeFunction = Status TOLVANE_STDCALL(std::uint32_t, std::uint32_t);
using ReceiveChannelFunction = Status TOLVANE_STDCALL(std::uint8_t*);
using ReadEepromFunction = Status TOLVANE_STDCALL(std::uint32_t, std::uint8_t*, const std::uint8_t*);
using StatusReplyFunction = Status TOLVANE_STDCALL(char*, const std::uint8_t*);

// Frees both libraries when the process ends.
struct UnbindAtExit {
    ~UnbindAtExit() { CPortLibraryBinder::UnbindLibraries(); }
} unbindAtExit;

}  // namespace

void* CPortLibraryBinder::Find(platform::LibraryHandle library, const char* name) {
    return library == nullptr ? nullptr : platform::FindLibraryFunction(library, name);
}

bool CPortLibraryBinder::BindLibraries(const std::string& selectorName, const std::string& channelName) {
    UnbindLibraries();
    selector_ = platform::LoadSharedLibrary(selectorName);
    channel_ = platform::LoadSharedLibrary(channelName);
    cancel_ = 0;
    return selector_ != nullptr && channel_ != nullptr;
}

void CPortLibraryBinder::UnbindLibraries() {
    if (channel_ != nullptr) {
        platform::FreeSharedLibrary(channel_);
        channel_ = nullptr;
    }
    if (selector_ != nullptr) {
        platform::FreeSharedLibrary(selector_);
        selector_ = nullptr;
    }
}

Status CPortLibraryBinder::OpenPort(std::int16_t port) {
    auto* open = TOLVANE_PLEXER_FUNCTION(selector_, PortOpenByPlex);
    if (open == nullptr) {
        return status::kLibraryMissing;
    }
    const Status result = open(portselect::PortArgument(port));
    if (auto* errorCode = TOLVANE_PLEXER_FUNCTION(selector_, GetIoErrorCodeByPlex)) {
        std::int16_t scratch = 0;
        errorCode(&scratch);
    }
    return result;
}

Status CPortLibraryBinder::ClosePort() {
    auto* close = TOLVANE_PLEXER_FUNCTION(selector_, PortCloseByPlex);
    if (close == nullptr) {
        return status::kLibraryMissing;
    }
    close();
    return status::kSuccess;
}

Status CPortLibraryBinder::CheckD4Support() {
    auto* check = TOLVANE_PLEXER_FUNCTION(selector_, CheckDeviceIDByPlex);
    return check == nullptr ? status::kLibraryMissing : check();
}

Status CPortLibraryBinder::SendRaw(const std::uint8_t* data, std::uint32_t count) {
    auto* send = TOLVANE_PLEXER_FUNCTION(selector_, SendByPlex);
    if (send == nullptr) {
        return status::kLibraryMissing;
    }
    const std::uint8_t notCancelled = 0;
    return send(data, count, &notCancelled);
}

Status CPortLibraryBinder::PreviousSentSize(std::uint32_t* size) {
    auto* previous = TOLVANE_PLEXER_FUNCTION(selector_, GetPreviousSentDataSizeByPlex);
    return previous == nullptr ? status::kLibraryMissing : previous(size);
}

Status CPortLibraryBinder::NegotiateChannel() {
    auto* negotiate = reinterpret_cast<ChannelControlFunction*>(Find(channel_, "D4Negotiation"));
    return negotiate == nullptr ? status::kLibraryMissing : negotiate(&cancel_);
}

Status CPortLibraryBinder::TerminateChannel() {
    auto* terminate = reinterpret_cast<ChannelControlFunction*>(Find(channel_, "D4Termination"));
    return terminate == nullptr ? status::kLibraryMissing : terminate(&cancel_);
}

Status CPortLibraryBinder::SetCommandCode(std::uint8_t code1, std::uint8_t code2) {
    auto* setCode = reinterpret_cast<CommandCodeFunction*>(Find(channel_, "SetD4CommandRCode"));
    if (setCode == nullptr) {
        return status::kLibraryMissing;
    }
    setCode(code1, code2);
    return status::kSuccess;
}

Status CPortLibraryBinder::SendChannelData(const std::uint8_t* data, std::uint32_t count) {
    auto* send = reinterpret_cast<ChannelSendFunction*>(Find(channel_, "SendDataChannel"));
    return send == nullptr ? status::kLibraryMissing : send(data, count, &cancel_);
}

Status CPortLibraryBinder::ReceiveChannelData(std::uint8_t* buffer) {
    auto* receive = reinterpret_cast<ReceiveChannelFunction*>(Find(channel_, "ReceiveDataChannel"));
    return receive == nullptr ? status::kLibraryMissing : receive(buffer);
}

Status CPortLibraryBinder::ReadChannelEeprom(std::uint32_t address, std::uint8_t* value) {
    auto* read = reinterpret_cast<ReadEepromFunction*>(Find(channel_, "D4ReadEeprom"));
    return read == nullptr ? status::kLibraryMissing : read(address, value, &cancel_);
}

Status CPortLibraryBinder::ReadStatusReply(char* buffer) {
    auto* read = reinterpret_cast<StatusReplyFunction*>(Find(channel_, "D4GetStatusReply"));
    return read == nullptr ? status::kLibraryMissing : read(buffer, &cancel_);
}

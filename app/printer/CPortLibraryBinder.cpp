#include "printer/CPortLibraryBinder.h"

#include "platform/CallingConvention.h"

namespace {

using printer::Status;
namespace status = printer::status;

// The exports as both libraries declare them: plain integers and caller-owned buffers.
using PortOpenFunction = Status TOLVANE_STDCALL(std::uint32_t);
using PortCloseFunction = void TOLVANE_STDCALL();
using CheckDeviceIdFunction = Status TOLVANE_STDCALL();
using SendFunction = Status TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t, const std::uint8_t*);
using IoErrorCodeFunction = Status TOLVANE_STDCALL(std::int16_t*);
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
    auto* open = reinterpret_cast<PortOpenFunction*>(Find(selector_, "PortOpenByPlex"));
    if (open == nullptr) {
        return status::kLibraryMissing;
    }
    // The signed port number travels sign-extended in its 32-bit slot.
    const Status result = open(static_cast<std::uint32_t>(static_cast<std::int32_t>(port)));
    if (auto* errorCode = reinterpret_cast<IoErrorCodeFunction*>(Find(selector_, "GetIoErrorCodeByPlex"))) {
        std::int16_t scratch = 0;
        errorCode(&scratch);
    }
    return result;
}

Status CPortLibraryBinder::ClosePort() {
    auto* close = reinterpret_cast<PortCloseFunction*>(Find(selector_, "PortCloseByPlex"));
    if (close == nullptr) {
        return status::kLibraryMissing;
    }
    close();
    return status::kSuccess;
}

Status CPortLibraryBinder::CheckD4Support() {
    auto* check = reinterpret_cast<CheckDeviceIdFunction*>(Find(selector_, "CheckDeviceIDByPlex"));
    return check == nullptr ? status::kLibraryMissing : check();
}

Status CPortLibraryBinder::SendRaw(const std::uint8_t* data, std::uint32_t count) {
    auto* send = reinterpret_cast<SendFunction*>(Find(selector_, "SendByPlex"));
    if (send == nullptr) {
        return status::kLibraryMissing;
    }
    const std::uint8_t notCancelled = 0;
    return send(data, count, &notCancelled);
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
    auto* send = reinterpret_cast<SendFunction*>(Find(channel_, "SendDataChannel"));
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

#include "printer/CEepromRwByApDllD4.h"

#include "printer/CAutoPrinterStream.h"
#include "printer/CPortLibraryBinder.h"
#include "printer/ChannelExchange.h"
#include "printer/EepromCommands.h"
#include "printer/SendModelPreamble.h"

namespace {

printer::PortSession::Exchange BeginExchange(const char* who) {
    return printer::PortSession::OfProcess().Begin(who);
}

}  // namespace

CEepromRwByApDllD4::CEepromRwByApDllD4(const printer::Target& target, IPrinterErrorCallback* callback)
    : CEepromRwByESC(nullptr, target.code1, target.code2, target.lastAddress, callback), target_(target) {}

CEepromRwByApDllD4::~CEepromRwByApDllD4() {
    CloseReadChannel();
    CloseWriteChannel();
}

int CEepromRwByApDllD4::OpenChannelFor(const printer::PortSession::Exchange& exchange) {
    SendModelPreamble(target_);
    switch (printer::OpenChannel(exchange, target_.Port())) {
        case printer::ChannelStep::Ready:
            channel_ = BeginExchange("EEPROM channel");
            return -1;
        case printer::ChannelStep::Busy:
        case printer::ChannelStep::Open:
            return printer::error::kPortOpen;
        case printer::ChannelStep::Support:
        case printer::ChannelStep::Negotiation:
            break;
    }
    return printer::error::kChannel;
}

int CEepromRwByApDllD4::ReadByte(int address, std::uint8_t* value) {
    const printer::PortSession::Exchange exchange = BeginExchange("EEPROM read");
    if (!exchange) {
        return 0;
    }
    CloseWriteChannel();
    if (!Addressable(address)) {
        ReportError(printer::error::kReadEeprom);
        return 0;
    }
    if (!readChannelOpen_) {
        const int failure = OpenChannelFor(exchange);
        if (failure >= 0) {
            ReportError(failure);
            return 0;
        }
        readChannelOpen_ = 1;
    }
    CPortLibraryBinder::SetCommandCode(Code1(), Code2());
    std::uint8_t byte = 0;
    if (printer::Succeeded(
            CPortLibraryBinder::ReadChannelEeprom(static_cast<std::uint32_t>(address), &byte))) {
        *value = byte;
        return 1;
    }
    CloseChannel();
    ReportError(printer::error::kReadEeprom);
    return 0;
}

int CEepromRwByApDllD4::WriteByte(int address, std::uint8_t value) {
    const printer::PortSession::Exchange exchange = BeginExchange("EEPROM write");
    if (!exchange) {
        return 0;
    }
    CloseReadChannel();
    if (!Addressable(address)) {
        ReportError(printer::error::kSend);
        return 0;
    }
    if (!writeChannelOpen_) {
        const int failure = OpenChannelFor(exchange);
        if (failure >= 0) {
            ReportError(failure);
            return 0;
        }
        writeChannelOpen_ = 1;
    }
    const auto request =
        printer::eeprom::WriteRequest(Code1(), Code2(), static_cast<std::uint8_t>(address), value);
    if (printer::Succeeded(CPortLibraryBinder::SendChannelData(request.data(),
                                                               static_cast<std::uint32_t>(request.size())))) {
        return 1;
    }
    CloseChannel();
    ReportError(printer::error::kSend);
    return 0;
}

int CEepromRwByApDllD4::PrintDump(const std::int32_t* values) {
    CloseChannel();
    // The dump goes to the printer as print data on the data channel of the same port; the stream
    // holds the port session from its creation to its release, so it lives for the dump alone.
    platform::ISequentialStream* stream = nullptr;
    if (CreateD4Stream(&stream, target_.Port()) == 0) {
        return 0;
    }
    AdoptStream(stream);
    const int printed = CEepromRwByESC::PrintDump(values);
    AdoptStream(nullptr);
    return printed;
}

int CEepromRwByApDllD4::CloseChannel() {
    const int write = CloseWriteChannel();
    const int read = CloseReadChannel();
    return write && read ? 1 : 0;
}

void CEepromRwByApDllD4::CloseOpenChannel() {
    printer::CloseChannel(channel_);
    channel_.Release();
}

int CEepromRwByApDllD4::CloseReadChannel() {
    if (readChannelOpen_) {
        CloseOpenChannel();
        readChannelOpen_ = 0;
    }
    return 1;
}

int CEepromRwByApDllD4::CloseWriteChannel() {
    if (writeChannelOpen_) {
        CloseOpenChannel();
        writeChannelOpen_ = 0;
    }
    return 1;
}

int CreateEepromRW(IEepromRW** out, const printer::Target& target, IPrinterErrorCallback* callback) {
    return printer::HandOut<CEepromRwByApDllD4>(out, platform::kIidIUnknown, target, callback);
}

#include "printer/CEepromRwByApDllD4.h"

#include "printer/CAutoPrinterStream.h"
#include "printer/CPortLibraryBinder.h"
#include "printer/ChannelExchange.h"
#include "printer/EepromCommands.h"
#include "printer/PortNameToNumber.h"
#include "printer/SendModelPreamble.h"

CEepromRwByApDllD4::CEepromRwByApDllD4(const std::string& portName, std::uint8_t code1, std::uint8_t code2,
                                       std::uint32_t lastAddress, IPrinterErrorCallback* callback)
    : CEepromRwByESC(nullptr, code1, code2, lastAddress, callback), port_(PortNameToNumber(portName)) {
    // The dump goes to the printer as print data on the data channel of the same port.
    platform::ISequentialStream* stream = nullptr;
    if (CreateD4Stream(&stream, port_) == 1) {
        AdoptStream(stream);
    }
}

CEepromRwByApDllD4::~CEepromRwByApDllD4() {
    CloseReadChannel();
    CloseWriteChannel();
}

int CEepromRwByApDllD4::OpenChannelFor() {
    SendModelPreamble(port_);
    switch (printer::OpenChannel(port_)) {
        case printer::ChannelStep::Ready:
            return -1;
        case printer::ChannelStep::Open:
            return printer::error::kPortOpen;
        case printer::ChannelStep::Support:
        case printer::ChannelStep::Negotiation:
            break;
    }
    return printer::error::kChannel;
}

int CEepromRwByApDllD4::ReadByte(int address, std::uint8_t* value) {
    CloseWriteChannel();
    if (!Addressable(address)) {
        Callback()->OnError(printer::error::kReadEeprom);
        return 0;
    }
    if (!readChannelOpen_) {
        const int failure = OpenChannelFor();
        if (failure >= 0) {
            Callback()->OnError(failure);
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
    Callback()->OnError(printer::error::kReadEeprom);
    return 0;
}

int CEepromRwByApDllD4::WriteByte(int address, std::uint8_t value) {
    CloseReadChannel();
    if (!Addressable(address)) {
        Callback()->OnError(printer::error::kSend);
        return 0;
    }
    if (!writeChannelOpen_) {
        const int failure = OpenChannelFor();
        if (failure >= 0) {
            Callback()->OnError(failure);
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
    Callback()->OnError(printer::error::kSend);
    return 0;
}

int CEepromRwByApDllD4::CloseChannel() {
    const int write = CloseWriteChannel();
    const int read = CloseReadChannel();
    return write && read ? 1 : 0;
}

int CEepromRwByApDllD4::CloseReadChannel() {
    if (readChannelOpen_) {
        printer::CloseChannel();
        readChannelOpen_ = 0;
    }
    return 1;
}

int CEepromRwByApDllD4::CloseWriteChannel() {
    if (writeChannelOpen_) {
        printer::CloseChannel();
        writeChannelOpen_ = 0;
    }
    return 1;
}

int CreateEepromRW(IEepromRW** out, const std::string& portName, std::uint8_t code1, std::uint8_t code2,
                   std::uint32_t lastAddress) {
    return printer::HandOut<CEepromRwByApDllD4>(out, platform::kIidIUnknown, portName, code1, code2,
                                                lastAddress, nullptr);
}

#include "printer/CAutoPrinterStream.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "portselect/ImportedSelector.h"
#include "portselect/PrinterPorts.h"
#include "printer/CPortLibraryBinder.h"
#include "printer/ChannelExchange.h"
#include "printer/PlainPortCalls.h"
#include "printer/PortNameToNumber.h"
#include "printer/StreamDebugText.h"

namespace {

using printer::Succeeded;
namespace plainport = printer::plainport;

constexpr std::int16_t kSearch = -1;

// The model name the open port's printer reports; false when it names none.
bool ReadModelName(std::string* modelName) {
    return Succeeded(portselect::AskModel(portselect::ImportedSelector(), modelName));
}

// The first port that opens and names its printer (every USB printer number, then the three LPT
// ports), with that name; kPortNotFound when none does.
std::int16_t SearchPrinter(std::string* modelName) {
    const std::optional<std::int16_t> found = portselect::ForEachPrinterPort(
        portselect::ImportedSelector(), [&](const portselect::PortAnswer& answer) {
            if (!Succeeded(answer.modelStatus)) {
                return portselect::AfterAnswer::CloseAndGoOn;
            }
            *modelName = answer.model;
            return portselect::AfterAnswer::KeepOpenAndStop;
        });
    if (found.has_value()) {
        const std::string line = "*** [" + *modelName + "] is detected\n";
        printer::StreamDebugText(line.c_str());
    }
    // Nothing keeps a searched port open, found or not.
    plainport::Close();
    return found.value_or(CAutoPrinterStream::kPortNotFound);
}

template <class Stream>
int HandOutStream(platform::ISequentialStream** out, std::int16_t port, std::string name,
                  printer::PortSession::Exchange exchange) {
    return printer::HandOut<Stream>(out, platform::kIidISequentialStream, static_cast<std::int32_t>(port),
                                    std::move(name), std::move(exchange));
}

printer::PortSession::Exchange BeginStream(platform::ISequentialStream** out) {
    printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("print stream");
    if (!exchange) {
        *out = nullptr;
    }
    return exchange;
}

}  // namespace

CAutoPrinterStream::CAutoPrinterStream(std::int32_t port, std::string modelName,
                                       printer::PortSession::Exchange exchange)
    : port_(port), modelName_(std::move(modelName)), exchange_(std::move(exchange)) {}

CAutoPrinterStream::~CAutoPrinterStream() {
    plainport::Close();
}

platform::HResult CAutoPrinterStream::Read(void* buffer, std::uint32_t count, std::uint32_t* read) {
    const bool opened = Succeeded(plainport::Open(static_cast<std::int16_t>(port_)));
    // The driver may fill a whole receive window whatever the caller asked for: it receives into a
    // buffer of that size at least, and the caller gets no more than its count.
    std::vector<std::uint8_t> reply(std::max(count, printer::kReceiveWindow), 0);
    std::uint32_t received = count;
    bool receivedOk = false;
    if (opened) {
        plainport::SetReceiveType(plainport::kReceiveAnything);
        receivedOk = Succeeded(plainport::Receive(reply.data(), &received));
    }
    plainport::Close();
    if (opened && receivedOk) {
        received = std::min(received, count);
        std::memcpy(buffer, reply.data(), received);
        if (read != nullptr) {
            *read = received;
        }
        return platform::kSOk;
    }
    ReportIoError();
    if (read != nullptr) {
        *read = 0;
    }
    return platform::kSFalse;
}

CAutoPrinterStream::Attempt CAutoPrinterStream::WriteOnce(const std::uint8_t* data, std::uint32_t count) {
    Attempt attempt;
    if (!Succeeded(plainport::Open(static_cast<std::int16_t>(port_)))) {
        return attempt;
    }
    if (Succeeded(plainport::Send(data, count))) {
        attempt.succeeded = true;
        attempt.taken = count;
    } else {
        // A send the driver cut short (a time-out, a dropped line) wrote a part of the data; the
        // driver keeps the size until the next send. Without it, or with a size past what was
        // offered, nothing tells how far the printer got.
        std::uint32_t sent = 0;
        attempt.takenKnown = Succeeded(CPortLibraryBinder::PreviousSentSize(&sent)) && sent <= count;
        attempt.taken = attempt.takenKnown ? sent : 0;
    }
    plainport::Close();
    return attempt;
}

platform::HResult CAutoPrinterStream::Write(const void* data, std::uint32_t count, std::uint32_t* written) {
    if (count == 0) {
        if (written != nullptr) {
            *written = 0;
        }
        return platform::kSOk;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint32_t taken = 0;
    bool failedBefore = false;
    int attemptsWithoutProgress = 0;
    for (;;) {
        const Attempt attempt = WriteOnce(bytes + taken, count - taken);
        taken += attempt.taken;
        if (attempt.succeeded) {
            if (failedBefore) {
                printer::StreamDebugText("\n");
            }
            if (written != nullptr) {
                *written = count;
            }
            return platform::kSOk;
        }
        failedBefore = true;
        attemptsWithoutProgress = attempt.taken > 0 ? 0 : attemptsWithoutProgress + 1;
        printer::StreamDebugText(":");
        platform::Clock().Sleep(kWriteRetryPause);
        // All taken with a failed step, an unknown count or a printer that stopped taking data: no
        // attempt is left that could send the rest without repeating or losing bytes.
        if (taken == count || !attempt.takenKnown || attemptsWithoutProgress == kWriteAttempts) {
            break;
        }
    }
    printer::StreamDebugText("\n");
    ReportIoError();
    if (written != nullptr) {
        *written = taken;
    }
    return platform::kSFalse;
}

platform::HResult CAutoPrinterD4Stream::QueryInterface(const platform::Iid& iid, void** object) {
    if (iid == platform::kIidIUnknown || iid == platform::kIidISequentialStream) {
        return CAutoPrinterStream::QueryInterface(iid, object);
    }
    *object = nullptr;
    return platform::kENoInterface;
}

platform::HResult CAutoPrinterD4Stream::Read(void* buffer, std::uint32_t count, std::uint32_t* read) {
    const auto port = static_cast<std::int16_t>(port_);
    bool ok = false;
    std::uint32_t taken = 0;
    if (printer::OpenChannel(exchange_, port) == printer::ChannelStep::Ready) {
        // The channel library takes no length and may fill a whole reply packet: it receives into a
        // buffer of the size it may fill, and the caller gets no more than it asked for.
        std::vector<std::uint8_t> reply(printer::kReceiveWindow, 0);
        const bool received = Succeeded(CPortLibraryBinder::ReceiveChannelData(reply.data()));
        CPortLibraryBinder::TerminateChannel();
        const bool closed = Succeeded(CPortLibraryBinder::ClosePort());
        if (received && closed) {
            taken = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(reply.size()));
            std::memcpy(buffer, reply.data(), taken);
            ok = true;
        }
    }
    if (!ok) {
        ReportIoError();
    }
    if (read != nullptr) {
        *read = taken;
    }
    return ok ? platform::kSOk : platform::kSFalse;
}

CAutoPrinterStream::Attempt CAutoPrinterD4Stream::WriteOnce(const std::uint8_t* data, std::uint32_t count) {
    Attempt attempt;
    if (printer::OpenChannel(exchange_, static_cast<std::int16_t>(port_)) != printer::ChannelStep::Ready) {
        // No data byte goes out before the channel is ready.
        return attempt;
    }
    const bool sent = Succeeded(CPortLibraryBinder::SendChannelData(data, count));
    const bool terminated = Succeeded(CPortLibraryBinder::TerminateChannel());
    const bool closed = Succeeded(CPortLibraryBinder::ClosePort());
    if (sent) {
        // The library answers success only when every byte reached the printer.
        attempt.taken = count;
        attempt.succeeded = terminated && closed;
    } else {
        // A failed send may have delivered any number of packets, and the library does not say how many.
        attempt.takenKnown = false;
    }
    return attempt;
}

const char* CAutoPrinterD4Stream::IoErrorText(std::int16_t code) {
    switch (code) {
        case -120:
            return "COMの通信設定が出来ない。\n";
        case -119:
            return "パケットモードはサポートしていない\n";
        case -112:
            return "受信種が不明。\n";
        case -111:
            return "読み出したサイズが大きすぎる\n";
        case -110:
            return "DeviceIoControl関数でのエラー発生\n";
        case -105:
            return "デバイスハンドルが不正\n";
        case -104:
            return "読込み時タイムアウト\n";
        case -82:
            return "読込み時にエラーが起きた(原因不明)\n";
        case -81:
            return "書込み時にエラーが起きた(タイムアウト or 原因不明)\n";
        default:
            return nullptr;
    }
}

void CAutoPrinterD4Stream::ReportIoError() {
    std::int16_t code = 0;
    if (!Succeeded(plainport::IoErrorCode(&code))) {
        return;
    }
    if (const char* text = IoErrorText(code)) {
        printer::StreamDebugText(text);
    }
}

int CreatePrinterStream(platform::ISequentialStream** out, std::int16_t port) {
    printer::PortSession::Exchange exchange = BeginStream(out);
    if (!exchange) {
        return 0;
    }
    std::string name;
    if (port == kSearch) {
        port = SearchPrinter(&name);
    } else if (Succeeded(plainport::Open(port))) {
        // The port stays open: the next open, or the stream's end, closes it.
        ReadModelName(&name);
    }
    return HandOutStream<CAutoPrinterStream>(out, port, std::move(name), std::move(exchange));
}

int CreatePrinterStreamByName(platform::ISequentialStream** out, const std::string& portName) {
    return CreatePrinterStream(out, PortNameToNumber(portName));
}

int CreateD4Stream(platform::ISequentialStream** out, std::int16_t port) {
    printer::PortSession::Exchange exchange = BeginStream(out);
    if (!exchange) {
        return 0;
    }
    std::string name;
    if (port == kSearch) {
        port = SearchPrinter(&name);
    }
    return HandOutStream<CAutoPrinterD4Stream>(out, port, std::move(name), std::move(exchange));
}

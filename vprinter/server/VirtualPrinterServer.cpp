#include "vprinter/server/VirtualPrinterServer.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/Clock.h"
#include "protocol/VirtualPortFrames.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/server/RenderingPrintSink.h"

namespace vprinter {
namespace {

using namespace protocol::vport;

constexpr std::uint32_t kAcceptWaitMilliseconds = 100;
// A Read with a long time-out waits in steps of this, so that the server's end is not held up.
constexpr std::uint32_t kReadStepMilliseconds = 50;
constexpr std::uint32_t kLargestRead = 1024 * 1024;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool SendFrame(platform::TcpStream& stream, Verb verb, Status status, std::span<const std::uint8_t> payload) {
    std::uint8_t header[kHeaderSize];
    EncodeHeader(FrameHeader{kVersion, verb, status, static_cast<std::uint32_t>(payload.size())}, header);
    if (payload.size() <= 4096) {
        std::uint8_t frame[kHeaderSize + 4096];
        std::copy(header, header + kHeaderSize, frame);
        std::copy(payload.begin(), payload.end(), frame + kHeaderSize);
        return stream.SendAll(frame, kHeaderSize + payload.size());
    }
    return stream.SendAll(header, kHeaderSize) && stream.SendAll(payload.data(), payload.size());
}

bool SendText(platform::TcpStream& stream, Verb verb, Status status, const std::string& text) {
    return SendFrame(
        stream, verb, status,
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

VirtualPrinterServer::~VirtualPrinterServer() {
    Stop();
}

bool VirtualPrinterServer::Start(const ServerOptions& options, std::ostream& out, std::ostream& report) {
    report_ = &report;
    store_ = std::make_unique<StateStore>(options.stateFolder);
    for (const PrinterOption& option : options.printers) {
        ModelProfile profile;
        std::string error;
        if (!LoadModelProfile(option.profile, &profile, &error)) {
            report << "vprinter: " << option.port << ": " << error << "\n";
            return false;
        }
        auto slot = std::make_unique<Slot>();
        slot->printer = std::make_unique<VirtualPrinter>(profile, option.port);
        store_->Load(slot->printer->Core(), report);
        if (!options.printFolder.empty()) {
            slot->sink = std::make_unique<RenderingPrintSink>(slot->printer->Core(), options.printFolder);
            slot->printer->Core().SetSink(slot->sink.get());
        }
        slots_.push_back(std::move(slot));
    }
    for (const FaultOption& fault : options.faults) {
        const ControlOutcome outcome = ApplyControl(*Find(fault.port)->printer, fault.words);
        if (!outcome.ok) {
            report << "vprinter: --fault " << fault.port << ": " << outcome.text;
            return false;
        }
    }
    std::string error;
    listener_ = platform::ListenOnLoopback(options.host, options.port, &error);
    if (!listener_) {
        report << "vprinter: " << error << "\n";
        return false;
    }
    const std::string address =
        (options.host.find(':') != std::string::npos ? "[" + options.host + "]" : options.host) + ":" +
        std::to_string(listener_->Port());
    for (const auto& slot : slots_) {
        out << "vprinter: " << slot->printer->Core().PortName() << " "
            << slot->printer->Core().Profile().model << " ready on " << address << "\n";
    }
    out.flush();
    return true;
}

VirtualPrinterServer::Slot* VirtualPrinterServer::Find(const std::string& portName) {
    const std::string wanted = Upper(portName);
    for (const auto& slot : slots_) {
        if (slot->printer->Core().PortName() == wanted) {
            return slot.get();
        }
    }
    return nullptr;
}

void VirtualPrinterServer::Release(Slot& slot) {
    // Called with the slot locked.
    slot.printer->Close();
    slot.owner = 0;
    if (slot.printer->Core().Dirty()) {
        std::lock_guard<std::mutex> reportGuard(reportLock_);
        store_->Save(slot.printer->Core(), *report_);
    }
}

void VirtualPrinterServer::SaveAll() {
    for (const auto& slot : slots_) {
        std::lock_guard<std::mutex> guard(slot->lock);
        if (slot->printer->Core().Dirty()) {
            std::lock_guard<std::mutex> reportGuard(reportLock_);
            store_->Save(slot->printer->Core(), *report_);
        }
    }
}

void VirtualPrinterServer::ReapFinished(bool all) {
    std::lock_guard<std::mutex> guard(connectionsLock_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        Connection& connection = **it;
        if (all) {
            connection.stream->Shutdown();
        }
        if (all || connection.finished) {
            if (connection.thread.joinable()) {
                connection.thread.join();
            }
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void VirtualPrinterServer::Run() {
    while (!stopping_) {
        std::unique_ptr<platform::TcpStream> stream = listener_->Accept(kAcceptWaitMilliseconds);
        ReapFinished(false);
        if (!stream) {
            continue;
        }
        std::lock_guard<std::mutex> guard(connectionsLock_);
        auto connection = std::make_unique<Connection>();
        connection->id = nextConnection_++;
        connection->stream = std::move(stream);
        Connection* raw = connection.get();
        connection->thread = std::thread([this, raw] {
            Serve(*raw);
            raw->finished = true;
        });
        connections_.push_back(std::move(connection));
    }
    ReapFinished(true);
    SaveAll();
}

void VirtualPrinterServer::RunInBackground() {
    background_ = std::thread([this] { Run(); });
}

void VirtualPrinterServer::Stop() {
    stopping_ = true;
    if (background_.joinable()) {
        background_.join();
    }
}

void VirtualPrinterServer::ObserveFirstFrames(FirstFrameObserver observer) {
    std::lock_guard<std::mutex> guard(observerLock_);
    firstFrameObserver_ = std::move(observer);
}

void VirtualPrinterServer::TellFirstFrame(Verb verb) {
    std::lock_guard<std::mutex> guard(observerLock_);
    if (firstFrameObserver_) {
        firstFrameObserver_(verb);
    }
}

void VirtualPrinterServer::Serve(Connection& connection) {
    platform::TcpStream& stream = *connection.stream;
    Slot* open = nullptr;
    bool firstFrame = true;
    std::vector<std::uint8_t> payload;
    std::vector<std::uint8_t> readBuffer;
    for (;;) {
        std::uint8_t headerBytes[kHeaderSize];
        if (!stream.ReceiveAll(headerBytes, kHeaderSize)) {
            break;
        }
        FrameHeader header;
        const HeaderProblem problem = DecodeHeader(headerBytes, &header);
        if (problem == HeaderProblem::BadMagic) {
            break;  // not a client of ours; nothing it says can be trusted
        }
        if (firstFrame) {
            firstFrame = false;
            TellFirstFrame(header.verb);
        }
        if (problem == HeaderProblem::BadVersion) {
            SendText(stream, header.verb, Status::BadVersion, "vprinter speaks version 1\n");
            break;
        }
        if (problem == HeaderProblem::TooLarge) {
            SendText(stream, header.verb, Status::BadRequest, "payload too large\n");
            break;
        }
        payload.resize(header.payloadLength);
        if (header.payloadLength > 0 && !stream.ReceiveAll(payload.data(), payload.size())) {
            break;
        }
        const std::string text(payload.begin(), payload.end());
        bool sent = true;
        switch (header.verb) {
            case Verb::ListPorts: {
                std::string list;
                for (const auto& slot : slots_) {
                    list +=
                        slot->printer->Core().PortName() + " " + slot->printer->Core().Profile().model + "\n";
                }
                sent = SendText(stream, header.verb, Status::Ok, list);
                break;
            }
            case Verb::Open: {
                // Opening a port while holding another closes the other first, as the port driver does.
                if (open != nullptr) {
                    std::lock_guard<std::mutex> guard(open->lock);
                    Release(*open);
                    open = nullptr;
                }
                Slot* slot = Find(text);
                Status status = Status::NoSuchPort;
                if (slot != nullptr) {
                    std::lock_guard<std::mutex> guard(slot->lock);
                    if (slot->owner != 0) {
                        status = Status::PortBusy;
                    } else if (!slot->printer->Open()) {
                        status = Status::PortUnavailable;
                    } else {
                        slot->owner = connection.id;
                        open = slot;
                        status = Status::Ok;
                    }
                }
                sent = SendText(stream, header.verb, status, "");
                break;
            }
            case Verb::Close:
                if (open != nullptr) {
                    std::lock_guard<std::mutex> guard(open->lock);
                    Release(*open);
                    open = nullptr;
                }
                sent = SendText(stream, header.verb, Status::Ok, "");
                break;
            case Verb::Write: {
                if (open == nullptr) {
                    sent = SendText(stream, header.verb, Status::NotOpen, "");
                    break;
                }
                VirtualPrinter::WriteResult result;
                {
                    std::lock_guard<std::mutex> guard(open->lock);
                    result = open->printer->Write(payload);
                }
                sent = SendFrame(stream, header.verb, result.disconnected ? Status::Disconnected : Status::Ok,
                                 EncodeCount(result.taken));
                break;
            }
            case Verb::Read: {
                const std::optional<ReadRequest> request = DecodeReadRequest(payload);
                if (!request) {
                    sent = SendText(stream, header.verb, Status::BadRequest, "");
                    break;
                }
                if (open == nullptr) {
                    sent = SendText(stream, header.verb, Status::NotOpen, "");
                    break;
                }
                readBuffer.resize(std::min(request->largest, kLargestRead));
                const std::uint32_t start = platform::Clock().TickCount();
                std::size_t count = 0;
                bool disconnected = false;
                for (;;) {
                    std::optional<std::uint32_t> wait;
                    {
                        std::lock_guard<std::mutex> guard(open->lock);
                        count = open->printer->Read(readBuffer.data(), readBuffer.size());
                        disconnected = open->printer->Disconnected();
                        wait = open->printer->MillisecondsUntilReply();
                    }
                    const std::uint32_t elapsed = platform::Clock().TickCount() - start;
                    if (count > 0 || disconnected || readBuffer.empty() ||
                        elapsed >= request->timeoutMilliseconds || stopping_) {
                        break;
                    }
                    std::uint32_t step =
                        std::min(request->timeoutMilliseconds - elapsed, kReadStepMilliseconds);
                    if (wait && *wait > 0) {
                        step = std::min(step, *wait);
                    }
                    platform::Clock().Sleep(std::max<std::uint32_t>(step, 1));
                }
                sent = SendFrame(stream, header.verb,
                                 disconnected && count == 0 ? Status::Disconnected : Status::Ok,
                                 std::span<const std::uint8_t>(readBuffer.data(), count));
                break;
            }
            case Verb::DeviceId:
                if (open == nullptr) {
                    sent = SendText(stream, header.verb, Status::NotOpen, "");
                } else {
                    std::string id;
                    {
                        std::lock_guard<std::mutex> guard(open->lock);
                        id = open->printer->DeviceId();
                    }
                    sent = SendText(stream, header.verb, Status::Ok, id);
                }
                break;
            case Verb::SoftReset:
                if (open == nullptr) {
                    sent = SendText(stream, header.verb, Status::NotOpen, "");
                } else {
                    {
                        std::lock_guard<std::mutex> guard(open->lock);
                        open->printer->SoftReset();
                    }
                    sent = SendText(stream, header.verb, Status::Ok, "");
                }
                break;
            case Verb::Control: {
                const std::size_t space = text.find(' ');
                Slot* slot = Find(text.substr(0, space));
                if (slot == nullptr) {
                    sent =
                        SendText(stream, header.verb, Status::NoSuchPort, "ERROR no printer at that port\n");
                    break;
                }
                ControlOutcome outcome;
                {
                    std::lock_guard<std::mutex> guard(slot->lock);
                    outcome = ApplyControl(
                        *slot->printer, space == std::string::npos ? std::string() : text.substr(space + 1));
                    if (outcome.saveRequested) {
                        std::ostringstream saveReport;
                        if (!store_->Save(slot->printer->Core(), saveReport)) {
                            outcome.ok = false;
                            outcome.text = "ERROR " + saveReport.str();
                        }
                    }
                }
                sent =
                    SendText(stream, header.verb, outcome.ok ? Status::Ok : Status::BadRequest, outcome.text);
                break;
            }
            default:
                sent = SendText(stream, header.verb, Status::BadRequest, "unknown verb\n");
                break;
        }
        if (!sent) {
            break;
        }
    }
    // A client that goes away mid-exchange frees its port.
    if (open != nullptr) {
        std::lock_guard<std::mutex> guard(open->lock);
        Release(*open);
    }
}

}  // namespace vprinter

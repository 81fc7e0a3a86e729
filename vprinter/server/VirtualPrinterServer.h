// The vprinter server: virtual printers at port names, served to any number of clients over
// loopback TCP in the frames of protocol/VirtualPortFrames.h. A port is held by one client from Open
// to Close (or to its disconnection); another client's Open is refused meanwhile, as a real port
// would be. One thread accepts, one thread serves each client; each printer has its own lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/LoopbackSocket.h"
#include "protocol/VirtualPortFrames.h"
#include "vprinter/model/StateFile.h"
#include "vprinter/model/VirtualPrinter.h"
#include "vprinter/server/ServerOptions.h"

namespace vprinter {

class VirtualPrinterServer {
public:
    VirtualPrinterServer() = default;
    ~VirtualPrinterServer();
    VirtualPrinterServer(const VirtualPrinterServer&) = delete;
    VirtualPrinterServer& operator=(const VirtualPrinterServer&) = delete;

    // Loads the profiles and the saved states, applies the start faults and listens. Reports every
    // problem on `report`; false when the server cannot start. On success writes one ready line per
    // printer to `out`.
    bool Start(const ServerOptions& options, std::ostream& out, std::ostream& report);

    // Accepts and serves until Stop (from any thread, or a signal handler's flag through
    // RequestStop). Returns after every client thread ended and every printer's state was saved.
    void Run();
    void RequestStop() { stopping_ = true; }
    // Starts Run on a thread of its own (for tests and benchmarks); Stop ends and joins it.
    void RunInBackground();
    void Stop();

    std::uint16_t Port() const { return listener_ ? listener_->Port() : 0; }

    // Told of the first frame of every connection, with its verb, on that connection's thread as soon
    // as the frame's header is in and before it is served: the moment a client first reaches the
    // printers (a benchmark times a program's start-up by it). A header without the frames' magic
    // is no client of ours and is not told. May be set or cleared (an empty function) while the
    // server runs; the observer must not call back into the server.
    using FirstFrameObserver = std::function<void(protocol::vport::Verb)>;
    void ObserveFirstFrames(FirstFrameObserver observer);

private:
    struct Slot {
        std::mutex lock;
        std::unique_ptr<IPrintSink> sink;
        std::unique_ptr<VirtualPrinter> printer;
        std::uint64_t owner = 0;  // the connection holding the port; 0 none
    };
    struct Connection {
        std::uint64_t id = 0;
        std::unique_ptr<platform::TcpStream> stream;
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    void Serve(Connection& connection);
    Slot* Find(const std::string& portName);
    void Release(Slot& slot);
    void SaveAll();
    void ReapFinished(bool all);
    void TellFirstFrame(protocol::vport::Verb verb);

    std::unique_ptr<platform::TcpListener> listener_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::unique_ptr<StateStore> store_;
    std::mutex connectionsLock_;
    std::vector<std::unique_ptr<Connection>> connections_;
    std::atomic<bool> stopping_{false};
    std::uint64_t nextConnection_ = 1;
    std::thread background_;
    std::ostream* report_ = nullptr;
    std::mutex reportLock_;
    std::mutex observerLock_;
    FirstFrameObserver firstFrameObserver_;
};

}  // namespace vprinter

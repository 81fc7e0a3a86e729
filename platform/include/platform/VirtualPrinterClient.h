// A client of the vprinter server: one connection, at most one port open on it. The `virtual` device
// back-end opens one per port; tests and benchmarks use it directly, and the control verb sets the
// printers' state and faults. Every call blocks until the server answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class TcpStream;

class VirtualPrinterClient {
public:
    // The server's answers (protocol/VirtualPortFrames.h), plus the client's own failure.
    enum class Result : std::uint8_t {
        Ok = 0,
        NoSuchPort = 1,
        PortBusy = 2,
        NotOpen = 3,
        PortUnavailable = 4,
        BadRequest = 5,
        Disconnected = 6,
        BadVersion = 7,
        Unreachable = 100,  // no connection to the server, or it broke
    };

    // Connects to "127.0.0.1:9555"; null with the reason when the address is not loopback or nothing
    // listens there.
    static std::unique_ptr<VirtualPrinterClient> Connect(const std::string& hostAndPort, std::string* error);
    ~VirtualPrinterClient();
    VirtualPrinterClient(const VirtualPrinterClient&) = delete;
    VirtualPrinterClient& operator=(const VirtualPrinterClient&) = delete;

    Result ListPorts(std::string* list);  // "USB1 VK-572D\n..."
    Result Open(const std::string& portName);
    Result Close();
    Result Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t* taken);
    // Up to `largest` bytes, waiting up to `timeoutMilliseconds` for the first.
    Result Read(std::uint8_t* buffer, std::uint32_t largest, std::uint32_t timeoutMilliseconds,
                std::uint32_t* received);
    Result DeviceId(std::string* id);
    Result SoftReset();
    // "USB1 paper-out=1 get" -> the server's text.
    Result Control(const std::string& request, std::string* answer);

private:
    explicit VirtualPrinterClient(std::unique_ptr<TcpStream> stream);
    Result Exchange(std::uint8_t verb, const std::uint8_t* payload, std::size_t size,
                    std::vector<std::uint8_t>* reply);

    std::unique_ptr<TcpStream> stream_;
    std::vector<std::uint8_t> reply_;
};

}  // namespace platform

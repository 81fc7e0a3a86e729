// TCP on the loopback interface, for the virtual printer's server and its clients. Nothing here
// reaches beyond the machine: listeners and connections take numeric loopback addresses only
// (127.0.0.0/8 and ::1). Blocking sockets with Nagle's delay off, so that a short request and its
// answer cross at once. One back-end per OS (BSD sockets, Winsock).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// True for a numeric IPv4 address in 127.0.0.0/8 and for ::1.
bool IsLoopbackAddress(const std::string& host);

// "127.0.0.1:9555" or "[::1]:9555" into host and port. False for anything else, a port above 65535
// included. Port 0 asks the OS for a free one when listening.
bool ParseHostAndPort(const std::string& text, std::string* host, std::uint16_t* port);

class TcpStream {
public:
    virtual ~TcpStream() = default;
    // Blocks until every byte went out; false when the connection broke.
    virtual bool SendAll(const std::uint8_t* data, std::size_t count) = 0;
    // Blocks until `count` bytes came; false when the peer closed or the connection broke first.
    virtual bool ReceiveAll(std::uint8_t* buffer, std::size_t count) = 0;
    // Ends both directions; a receive blocked in another thread returns false. Does not block.
    virtual void Shutdown() = 0;
};

class TcpListener {
public:
    virtual ~TcpListener() = default;
    virtual std::uint16_t Port() const = 0;
    // Waits up to `milliseconds` for a client; null when none came (or the listener failed).
    virtual std::unique_ptr<TcpStream> Accept(std::uint32_t milliseconds) = 0;
};

// Null with the reason in *error when the address is not loopback or the OS refuses.
std::unique_ptr<TcpListener> ListenOnLoopback(const std::string& host, std::uint16_t port,
                                              std::string* error);
std::unique_ptr<TcpStream> ConnectToLoopback(const std::string& host, std::uint16_t port, std::string* error);

}  // namespace platform

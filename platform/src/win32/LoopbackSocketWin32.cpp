#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "platform/LoopbackSocket.h"

namespace platform {
namespace {

// Winsock is started once for the process and left running; Windows tears it down at exit.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

std::string LastError() {
    return "Winsock error " + std::to_string(WSAGetLastError());
}

bool LoopbackAddress(const std::string& host, std::uint16_t port, sockaddr_storage* address, int* length) {
    if (!IsLoopbackAddress(host)) {
        return false;
    }
    std::memset(address, 0, sizeof *address);
    if (host == "::1") {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(address);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        v6->sin6_addr = in6addr_loopback;
        *length = sizeof *v6;
        return true;
    }
    auto* v4 = reinterpret_cast<sockaddr_in*>(address);
    v4->sin_family = AF_INET;
    v4->sin_port = htons(port);
    *length = sizeof *v4;
    return inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1;
}

void NoDelay(SOCKET socket) {
    BOOL on = TRUE;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

class WinsockStream : public TcpStream {
public:
    explicit WinsockStream(SOCKET socket) : socket_(socket) { NoDelay(socket_); }
    ~WinsockStream() override { closesocket(socket_); }

    bool SendAll(const std::uint8_t* data, std::size_t count) override {
        while (count > 0) {
            const int chunk = count > 0x40000000 ? 0x40000000 : static_cast<int>(count);
            const int sent = send(socket_, reinterpret_cast<const char*>(data), chunk, 0);
            if (sent <= 0) {
                return false;
            }
            data += sent;
            count -= static_cast<std::size_t>(sent);
        }
        return true;
    }

    bool ReceiveAll(std::uint8_t* buffer, std::size_t count) override {
        while (count > 0) {
            const int chunk = count > 0x40000000 ? 0x40000000 : static_cast<int>(count);
            const int received = recv(socket_, reinterpret_cast<char*>(buffer), chunk, 0);
            if (received <= 0) {
                return false;
            }
            buffer += received;
            count -= static_cast<std::size_t>(received);
        }
        return true;
    }

    void Shutdown() override { shutdown(socket_, SD_BOTH); }

private:
    SOCKET socket_;
};

class WinsockListener : public TcpListener {
public:
    WinsockListener(SOCKET socket, std::uint16_t port) : socket_(socket), port_(port) {}
    ~WinsockListener() override { closesocket(socket_); }
    std::uint16_t Port() const override { return port_; }

    std::unique_ptr<TcpStream> Accept(std::uint32_t milliseconds) override {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait{static_cast<long>(milliseconds / 1000), static_cast<long>((milliseconds % 1000) * 1000)};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) {
            return nullptr;
        }
        const SOCKET client = accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return nullptr;
        }
        return std::make_unique<WinsockStream>(client);
    }

private:
    SOCKET socket_;
    std::uint16_t port_;
};

}  // namespace

std::unique_ptr<TcpListener> ListenOnLoopback(const std::string& host, std::uint16_t port,
                                              std::string* error) {
    sockaddr_storage address{};
    int length = 0;
    if (!LoopbackAddress(host, port, &address, &length)) {
        *error = host + " is not a loopback address (127.0.0.0/8 or ::1)";
        return nullptr;
    }
    if (!StartWinsock()) {
        *error = "Winsock does not start";
        return nullptr;
    }
    const SOCKET listener = socket(address.ss_family, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        *error = "cannot create a socket: " + LastError();
        return nullptr;
    }
    // Two servers on one port would split the clients between them; Windows allows that only when
    // asked, so the listener takes the port for itself.
    BOOL exclusive = TRUE;
    setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
               sizeof exclusive);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener, 16) != 0) {
        *error = "cannot listen on " + host + ":" + std::to_string(port) + ": " + LastError();
        closesocket(listener);
        return nullptr;
    }
    sockaddr_storage bound{};
    int boundLength = sizeof bound;
    getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &boundLength);
    const std::uint16_t actual =
        ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                          : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    return std::make_unique<WinsockListener>(listener, actual);
}

std::unique_ptr<TcpStream> ConnectToLoopback(const std::string& host, std::uint16_t port,
                                             std::string* error) {
    sockaddr_storage address{};
    int length = 0;
    if (!LoopbackAddress(host, port, &address, &length)) {
        *error = host + " is not a loopback address (127.0.0.0/8 or ::1)";
        return nullptr;
    }
    if (!StartWinsock()) {
        *error = "Winsock does not start";
        return nullptr;
    }
    const SOCKET stream = socket(address.ss_family, SOCK_STREAM, IPPROTO_TCP);
    if (stream == INVALID_SOCKET) {
        *error = "cannot create a socket: " + LastError();
        return nullptr;
    }
    if (connect(stream, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        *error = "cannot connect to " + host + ":" + std::to_string(port) + ": " + LastError();
        closesocket(stream);
        return nullptr;
    }
    return std::make_unique<WinsockStream>(stream);
}

}  // namespace platform

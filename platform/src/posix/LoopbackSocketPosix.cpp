#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/LoopbackSocket.h"

namespace platform {
namespace {

// The address of a numeric loopback host; false for anything else.
bool LoopbackAddress(const std::string& host, std::uint16_t port, sockaddr_storage* address,
                     socklen_t* length) {
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

void NoDelay(int socket) {
    int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

class PosixStream : public TcpStream {
public:
    explicit PosixStream(int socket) : socket_(socket) { NoDelay(socket_); }
    ~PosixStream() override { close(socket_); }

    bool SendAll(const std::uint8_t* data, std::size_t count) override {
        while (count > 0) {
            const ssize_t sent = send(socket_, data, count, MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) {
                continue;
            }
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
            const ssize_t received = recv(socket_, buffer, count, 0);
            if (received < 0 && errno == EINTR) {
                continue;
            }
            if (received <= 0) {
                return false;
            }
            buffer += received;
            count -= static_cast<std::size_t>(received);
        }
        return true;
    }

    void Shutdown() override { shutdown(socket_, SHUT_RDWR); }

private:
    int socket_;
};

class PosixListener : public TcpListener {
public:
    PosixListener(int socket, std::uint16_t port) : socket_(socket), port_(port) {}
    ~PosixListener() override { close(socket_); }
    std::uint16_t Port() const override { return port_; }

    std::unique_ptr<TcpStream> Accept(std::uint32_t milliseconds) override {
        pollfd waiting{socket_, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(milliseconds)) <= 0) {
            return nullptr;
        }
        const int client = accept(socket_, nullptr, nullptr);
        if (client < 0) {
            return nullptr;
        }
        return std::make_unique<PosixStream>(client);
    }

private:
    int socket_;
    std::uint16_t port_;
};

}  // namespace

std::unique_ptr<TcpListener> ListenOnLoopback(const std::string& host, std::uint16_t port,
                                              std::string* error) {
    sockaddr_storage address{};
    socklen_t length = 0;
    if (!LoopbackAddress(host, port, &address, &length)) {
        *error = host + " is not a loopback address (127.0.0.0/8 or ::1)";
        return nullptr;
    }
    const int listener = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        *error = std::string("cannot create a socket: ") + std::strerror(errno);
        return nullptr;
    }
    int on = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener, 16) != 0) {
        *error = "cannot listen on " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        close(listener);
        return nullptr;
    }
    sockaddr_storage bound{};
    socklen_t boundLength = sizeof bound;
    getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &boundLength);
    const std::uint16_t actual =
        ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                          : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    return std::make_unique<PosixListener>(listener, actual);
}

std::unique_ptr<TcpStream> ConnectToLoopback(const std::string& host, std::uint16_t port,
                                             std::string* error) {
    sockaddr_storage address{};
    socklen_t length = 0;
    if (!LoopbackAddress(host, port, &address, &length)) {
        *error = host + " is not a loopback address (127.0.0.0/8 or ::1)";
        return nullptr;
    }
    const int stream = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (stream < 0) {
        *error = std::string("cannot create a socket: ") + std::strerror(errno);
        return nullptr;
    }
    while (connect(stream, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        if (errno == EINTR) {
            continue;
        }
        *error = "cannot connect to " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        close(stream);
        return nullptr;
    }
    return std::make_unique<PosixStream>(stream);
}

}  // namespace platform

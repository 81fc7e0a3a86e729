#include "printer/PortSession.h"

#include <atomic>
#include <cassert>
#include <utility>

#include "platform/DebugOutput.h"

namespace printer {
namespace {

std::atomic<bool> assertOnRefusal{true};

}  // namespace

PortSession::Exchange::Exchange(Exchange&& other) noexcept
    : session_(std::exchange(other.session_, nullptr)), serial_(other.serial_) {}

PortSession::Exchange& PortSession::Exchange::operator=(Exchange&& other) noexcept {
    if (this != &other) {
        Release();
        session_ = std::exchange(other.session_, nullptr);
        serial_ = other.serial_;
    }
    return *this;
}

PortSession::Exchange::~Exchange() {
    Release();
}

void PortSession::Exchange::Release() {
    if (session_ != nullptr) {
        std::exchange(session_, nullptr)->End(serial_);
    }
}

PortSession& PortSession::OfProcess() {
    static PortSession session;
    return session;
}

void PortSession::SetAssertOnRefusal(bool assert) {
    assertOnRefusal = assert;
}

PortSession::Exchange PortSession::Begin(std::string_view who) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!running_.empty() && owner_ != std::this_thread::get_id()) {
        const std::string text =
            "port session: " + std::string(who) + " refused, " + running_.front().who + " holds the port\n";
        lock.unlock();
        platform::DebugOutput(text.c_str());
        assert(!assertOnRefusal && "two exchanges with the printer at once");
        return Exchange();
    }
    if (running_.empty()) {
        owner_ = std::this_thread::get_id();
    }
    const std::uint64_t serial = nextSerial_++;
    running_.push_back({serial, std::string(who)});
    return Exchange(this, serial);
}

bool PortSession::IsBusy() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !running_.empty();
}

bool PortSession::HeldByThisThread() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !running_.empty() && owner_ == std::this_thread::get_id();
}

std::string PortSession::Holder() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_.empty() ? std::string() : running_.front().who;
}

int PortSession::Depth() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(running_.size());
}

void PortSession::End(std::uint64_t serial) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase_if(running_, [serial](const Running& running) { return running.serial == serial; });
    if (running_.empty()) {
        owner_ = std::thread::id();
    }
}

}  // namespace printer

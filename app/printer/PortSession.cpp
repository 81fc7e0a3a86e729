#include "printer/PortSession.h"

#include <utility>

#include "platform/DebugOutput.h"

namespace printer {

PortSession::Exchange::Exchange(Exchange&& other) noexcept
    : session_(std::exchange(other.session_, nullptr)) {}

PortSession::Exchange& PortSession::Exchange::operator=(Exchange&& other) noexcept {
    if (this != &other) {
        if (session_ != nullptr) {
            session_->End();
        }
        session_ = std::exchange(other.session_, nullptr);
    }
    return *this;
}

PortSession::Exchange::~Exchange() {
    if (session_ != nullptr) {
        session_->End();
    }
}

PortSession& PortSession::OfProcess() {
    static PortSession session;
    return session;
}

PortSession::Exchange PortSession::Begin(std::string_view who) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (busy_) {
        const std::string text =
            "port session: " + std::string(who) + " refused, " + holder_ + " holds the port";
        platform::DebugOutput(text.c_str());
        return Exchange();
    }
    busy_ = true;
    holder_.assign(who);
    return Exchange(this);
}

bool PortSession::IsBusy() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return busy_;
}

std::string PortSession::Holder() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return holder_;
}

void PortSession::End() {
    std::lock_guard<std::mutex> lock(mutex_);
    busy_ = false;
    holder_.clear();
}

}  // namespace printer

// A status object whose polls answer from a list: each entry is one Refresh (offline, or a status and
// error code); the last entry repeats. It counts its polls and its references, so a test sees how
// often the printer was asked and that every holder gave its reference back.
#pragma once

#include <vector>

#include "printer/CRefCounted.h"
#include "printer/IPrinterStatus.h"

namespace printertest {

struct StatusPoll {
    bool online = true;
    int status = 4;
    int error = 0;
};

inline constexpr StatusPoll kOffline{false, 0, 0};
inline constexpr StatusPoll kReady{true, 4, 0};
inline constexpr StatusPoll kBusy{true, 2, 0};

class ScriptedPrinterStatus : public printer::CRefCounted<IPrinterStatus> {
public:
    ScriptedPrinterStatus(std::vector<StatusPoll> polls, bool* destroyed = nullptr)
        : polls_(std::move(polls)), destroyed_(destroyed) {}
    ~ScriptedPrinterStatus() override {
        if (destroyed_ != nullptr) {
            *destroyed_ = true;
        }
    }

    int Refresh() override {
        const StatusPoll& poll = polls_[std::min(count_, polls_.size() - 1)];
        ++count_;
        if (!poll.online) {
            return 0;
        }
        status_ = poll.status;
        error_ = poll.error;
        return 1;
    }
    int GetStatusCode() override { return status_; }
    int GetErrorCode() override { return error_; }

    std::size_t Polls() const { return count_; }

private:
    std::vector<StatusPoll> polls_;
    bool* destroyed_;
    std::size_t count_ = 0;
    int status_ = 0;
    int error_ = 0;
};

}  // namespace printertest

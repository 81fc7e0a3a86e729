#include "pages/SensorRefresher.h"

#include <utility>

#include "pages/SensorStatusFlag.h"
#include "platform/Clock.h"

namespace pages {
namespace {

// The thread sleeps in slices so that Stop ends it without waiting out a whole period.
constexpr unsigned kSleepSliceMs = 50;

}  // namespace

SensorRefresher::SensorRefresher(SensorJob job) : job_(std::move(job)) {}

SensorRefresher::~SensorRefresher() {
    RequestStop();
    CloseMessages();
    Join();
}

bool SensorRefresher::Start() {
    if (thread_.joinable()) {
        RequestStop();
        CloseMessages();
        Join();
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = false;
    }
    ended_ = false;
    SensorStatusRunning() = 1;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SensorRefresher::RequestStop() {
    SensorStatusRunning() = 0;
}

void SensorRefresher::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SensorRefresher::Run() {
    while (SensorStatusRunning().load() != 0) {
        if (!RefreshOnce()) {
            break;
        }
        for (unsigned slept = 0; slept < kRefreshPeriodMs && SensorStatusRunning().load() != 0;
             slept += kSleepSliceMs) {
            platform::Clock().Sleep(kSleepSliceMs);
        }
    }
    ended_ = true;
}

bool SensorRefresher::RefreshOnce() {
    int idle = 0;
    if (!busy_.compare_exchange_strong(idle, 1)) {
        return true;
    }
    if (SensorStatusRunning().load() == 0) {
        busy_ = 0;
        return false;
    }
    std::string report;
    const bool done = job_(*this, report);
    if (done) {
        std::lock_guard<std::mutex> lock(mutex_);
        report_ = std::move(report);
    }
    ++refreshes_;
    // A printer that stopped answering would otherwise be opened, and its failure shown, every
    // second until the technician manages to press Stop between the messages.
    if (!done) {
        SensorStatusRunning() = 0;
    }
    busy_ = 0;
    return done;
}

std::optional<std::string> SensorRefresher::TakeReport() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(report_, std::nullopt);
}

std::optional<PendingJobMessage> SensorRefresher::TakeMessage() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!message_ || messageTaken_) {
        return std::nullopt;
    }
    messageTaken_ = true;
    return message_;
}

bool SensorRefresher::MessageWaiting() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return message_.has_value() && !messageTaken_;
}

void SensorRefresher::Answer(int answer) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        answer_ = answer;
    }
    answered_.notify_all();
}

void SensorRefresher::CloseMessages() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        if (message_ && !answer_) {
            answer_ = patterns::kAnswerCancel;
        }
    }
    answered_.notify_all();
}

int SensorRefresher::Show(const std::string& text, int type) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (closed_) {
        return patterns::kAnswerCancel;
    }
    message_ = PendingJobMessage{text, type};
    messageTaken_ = false;
    answer_.reset();
    // Not a timed wait: the technician answers when he has read it, or the page closes the box.
    answered_.wait(lock, [this] { return answer_.has_value(); });
    const int answer = *answer_;
    message_.reset();
    answer_.reset();
    return answer;
}

}  // namespace pages

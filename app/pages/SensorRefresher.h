// The sensor status refresh, apart from the page that shows it: a thread that runs the engine's
// sensor job once a second while the process's running flag is set. It never touches a window: the
// report and the engine's messages wait here until the GUI thread takes them, and a message's answer
// comes back the same way.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "patterns/IJobMessages.h"
#include "patterns/SensorJob.h"

namespace pages {

// One sensor job: true with the report, false when the job failed (its messages went to `messages`).
using SensorJob = std::function<bool(patterns::IJobMessages& messages, std::string& report)>;

// A message of the engine waiting for the GUI thread.
struct PendingJobMessage {
    std::string text;
    int type = 0;
};

class SensorRefresher : private patterns::IJobMessages {
public:
    static constexpr unsigned kRefreshPeriodMs = 1000;

    explicit SensorRefresher(SensorJob job = patterns::RunSensorJobFromConfig);
    // Stops the thread and waits for it; a message still waiting is answered Cancel.
    ~SensorRefresher() override;
    SensorRefresher(const SensorRefresher&) = delete;
    SensorRefresher& operator=(const SensorRefresher&) = delete;

    // Sets the running flag and starts the thread. A thread of an earlier start is stopped and
    // joined first, so two never share the port. False when the thread cannot be started.
    bool Start();
    // Clears the running flag: the thread ends after its current refresh.
    void RequestStop();
    // True while a refresh runs.
    bool IsBusy() const { return busy_.load() != 0; }
    // True from Start until the thread has ended (by RequestStop, a failed job or the flag cleared
    // elsewhere).
    bool IsActive() const { return thread_.joinable() && !ended_.load(); }
    // True when a thread was started and has ended but was not joined yet.
    bool HasEnded() const { return thread_.joinable() && ended_.load(); }
    // Waits for the thread to end; the caller cleared the flag and saw busy clear, or closed the
    // messages, so the wait is at most the rest of one sleep slice.
    void Join();
    // Refreshes completed since the construction.
    int Refreshes() const { return refreshes_.load(); }

    // GUI side. The report of the last refresh when it was not taken yet.
    std::optional<std::string> TakeReport();
    // A message the thread waits on; the GUI thread shows it and hands the answer to Answer.
    std::optional<PendingJobMessage> TakeMessage();
    // True while a message waits that was not taken yet.
    bool MessageWaiting() const;
    void Answer(int answer);
    // From now on every message is answered Cancel without waiting for the GUI thread (the page is
    // going); a message already waiting is answered Cancel as well. Open again with Start.
    void CloseMessages();

private:
    void Run();
    // One refresh; false when the thread is to end.
    bool RefreshOnce();
    int Show(const std::string& text, int type) override;

    SensorJob job_;
    std::thread thread_;
    std::atomic<int> busy_{0};
    std::atomic<bool> ended_{false};
    std::atomic<int> refreshes_{0};

    mutable std::mutex mutex_;
    std::condition_variable answered_;
    std::optional<std::string> report_;
    std::optional<PendingJobMessage> message_;
    bool messageTaken_ = false;
    std::optional<int> answer_;
    bool closed_ = false;
};

}  // namespace pages

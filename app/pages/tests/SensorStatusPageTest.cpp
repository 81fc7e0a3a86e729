// The sensor status page and its refresh thread, against the virtual printer: the report reaches the
// page's field on the GUI thread, Stop and leaving the page end and join the thread, a restart never
// runs two jobs at once, and a failed job stops the refresh instead of repeating its message.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "ServicePageFixture.h"
#include "pages/CHeronSensorStatusPage.h"
#include "pages/SensorStatusFlag.h"
#include "patterns/SensorTexts.h"
#include "platform/Clock.h"
#include "res/ResourceIds.h"
#include "testsupport/ScopedWindow.h"
#include "ui/Scenario.h"

namespace pagetest {
namespace {

const char kFinish[] = "click 12325\n";

// The text as a scenario's quoted text writes it.
std::string Quoted(const std::string& text) {
    std::string quoted;
    for (char c : text) {
        quoted += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return quoted;
}

// Wraps the sensor job: counts the jobs, notices two at once, and lets the GUI thread wait for the
// thread's progress (a wait on an event of the other thread, not on time).
class JobWatch {
public:
    pages::SensorJob Wrap(pages::SensorJob job) {
        return [this, job](patterns::IJobMessages& messages, std::string& report) {
            if (++running_ > 1) {
                overlapped_ = true;
            }
            const bool done = job(messages, report);
            --running_;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                ++jobs_;
            }
            changed_.notify_all();
            return done;
        };
    }
    // True once `count` jobs have ended; false after a generous real time-out, so a fault fails the
    // test instead of hanging it.
    bool WaitForJobs(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return jobs_ >= count; });
    }
    int Jobs() {
        std::lock_guard<std::mutex> lock(mutex_);
        return jobs_;
    }
    bool Overlapped() const { return overlapped_.load(); }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int jobs_ = 0;
    std::atomic<int> running_{0};
    std::atomic<bool> overlapped_{false};
};

// The page whose delivery timer first waits until the thread has run `jobsBeforeDelivery` jobs in
// all, so the scenario sees the thread's work at a known point.
class WatchedSensorPage : public CHeronSensorStatusPage {
public:
    WatchedSensorPage(JobWatch& watch, pages::SensorJob job = patterns::RunSensorJobFromConfig)
        : CHeronSensorStatusPage(watch.Wrap(std::move(job))), watch_(watch) {}
    void OnTimer(int id) override {
        if (jobsBeforeDelivery > 0) {
            EXPECT_TRUE(watch_.WaitForJobs(jobsBeforeDelivery));
            // The refresh keeps the job's report just after the job returned.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (Refresher().Refreshes() < jobsBeforeDelivery &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
        }
        if (endAfterMessage) {
            // The message was answered at the last delivery: the thread ends by itself.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (Refresher().IsActive() && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
        }
        if (messageBeforeDelivery) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!Refresher().MessageWaiting() && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
            messageBeforeDelivery = false;
            endAfterMessage = true;
        }
        CHeronSensorStatusPage::OnTimer(id);
    }
    int jobsBeforeDelivery = 1;
    bool messageBeforeDelivery = false;
    bool endAfterMessage = false;

private:
    JobWatch& watch_;
};

// The sheet inside a child dialog of the adjustment dialog's template, with its Status (7000) and
// Printer Info (1017) buttons, in a host window run modally; Finish ends the host.
class AdjustmentChild : public ui::CDialog {
public:
    AdjustmentChild() : CDialog(res::kDialogAdjustment) {}
    bool OnCommand(int id, ui::Notification code) override {
        if (id == ui::kIdOk) {
            ui::SendCommand(GetParent(), ui::kIdOk);
            return true;
        }
        return CDialog::OnCommand(id, code);
    }
};

class AdjustmentHost : public ui::CDialog {
public:
    explicit AdjustmentHost(CMyPropertyPage& page) : CDialog(102), page_(page) {}
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        adjustment.Create(m_hWnd);
        adjustment.ShowWindow(true);
        sheet.AddPage(&page_);
        sheet.Create(adjustment);
        sheet.SetActivePage(0);
        return true;
    }
    testsupport::ScopedWindow<AdjustmentChild> adjustment;
    testsupport::ScopedWindow<HostSheet> sheet;

private:
    CMyPropertyPage& page_;
};

class SensorStatusPageTest : public ServicePageTest {
protected:
    ~SensorStatusPageTest() override { pages::SensorStatusRunning() = 0; }

    void RunInAdjustmentDialog(CMyPropertyPage& page, const std::string& script) {
        std::string error;
        std::optional<ui::Scenario> scenario = ui::Scenario::Parse(script, &error);
        ASSERT_TRUE(scenario.has_value()) << error;
        headless_.AttachScenario(&*scenario);
        {
            AdjustmentHost host(page);
            host.DoModal();
        }
        headless_.AttachScenario(nullptr);
        EXPECT_TRUE(scenario->Finished() && scenario->Failures().empty()) << scenario->Report();
    }

    JobWatch watch_;
};

TEST_F(SensorStatusPageTest, TheStatusAndPrinterInfoButtonsRestWhileTheThreadRuns) {
    WatchedSensorPage page(watch_);
    RunInAdjustmentDialog(
        page,
        "expect-enabled 7000 yes\nexpect-enabled 1017 yes\nclick 1211\n"
        "expect-enabled 7000 no\nexpect-enabled 1017 no\nwait 100\nclick 1211\n"
        "expect-enabled 7000 yes\nexpect-enabled 1017 yes\nclick 1211\nexpect-enabled 7000 no\n"
        "wait 100\n" +
            std::string(kFinish));
    // Finish stopped the second refresh and gave the buttons back.
    EXPECT_FALSE(page.Refresher().IsActive());
}

TEST_F(SensorStatusPageTest, StartShowsThePrintersSensorsUntilStop) {
    Control("sensors=0x05");
    WatchedSensorPage page(watch_);
    Run(page,
        "expect-text 1211 \"Start\"\nclick 1211\nexpect-text 1211 \"Stop\"\nwait 100\n"
        "expect-text 1217 \"" +
            Quoted(patterns::SensorStatusReportText(0x05)) +
            "\"\nclick 1211\nexpect-text 1211 \"Start\"\nexpect-enabled 1211 yes\n" + kFinish);
    EXPECT_EQ(patterns::SensorStatusReportText(0x05).rfind("Sensor Status:05(Hex)\r\n\r\n", 0), 0u);
    EXPECT_GE(watch_.Jobs(), 1);
    EXPECT_FALSE(page.Refresher().IsActive());
    EXPECT_FALSE(page.Refresher().HasEnded()) << "joined";
    EXPECT_EQ(pages::SensorStatusRunning().load(), 0);

    // Every sensor set: the field follows the printer on the next start.
    Control("sensors=0x3F");
    JobWatch again;
    WatchedSensorPage second(again);
    Run(second, "click 1211\nwait 100\nexpect-text 1217 \"" + Quoted(patterns::SensorStatusReportText(0x3F)) +
                    "\"\nclick 1211\n" + kFinish);
}

TEST_F(SensorStatusPageTest, StartAgainRightAfterStopNeverRunsTwoJobsAtOnce) {
    WatchedSensorPage page(watch_);
    page.jobsBeforeDelivery = 0;
    Run(page, "click 1211\nclick 1211\nclick 1211\nclick 1211\nclick 1211\nwait 300\nclick 1211\n" +
                  std::string(kFinish));
    EXPECT_FALSE(watch_.Overlapped());
    EXPECT_FALSE(page.Refresher().IsActive());
}

TEST_F(SensorStatusPageTest, LeavingThePageWhileItRefreshesStopsAndJoinsTheThread) {
    JobWatch second;
    WatchedSensorPage first(watch_);
    WatchedSensorPage next(second);
    // Next leaves the first page with its thread running; Finish leaves the second one the same way.
    Run({&first, &next}, "click 1211\nwait 100\nclick 12324\nclick 1211\nwait 100\n" + std::string(kFinish));
    EXPECT_FALSE(first.Refresher().IsActive());
    EXPECT_FALSE(first.Refresher().HasEnded());
    EXPECT_FALSE(next.Refresher().IsActive());
    EXPECT_FALSE(next.Refresher().HasEnded());
    EXPECT_FALSE(watch_.Overlapped() || second.Overlapped());
}

TEST_F(SensorStatusPageTest, CancelOfTheRunStopsTheThreadBeforeThePagesGo) {
    WatchedSensorPage page(watch_);
    Run(page, "click 1211\nwait 100\nclose\n");
    EXPECT_FALSE(page.Refresher().IsActive());
    EXPECT_EQ(pages::SensorStatusRunning().load(), 0);
}

TEST_F(SensorStatusPageTest, AFailedJobShowsItsMessageOnceAndStopsTheRefresh) {
    WatchedSensorPage page(watch_, [](patterns::IJobMessages& messages, std::string&) {
        messages.Show("Communication error", patterns::kMessageError);
        return false;
    });
    page.jobsBeforeDelivery = 0;
    page.messageBeforeDelivery = true;
    // The message waits for the GUI thread, which shows it from the delivery timer; once answered
    // the thread ends by itself and the page offers Start again.
    Run(page,
        "click 1211\nwait 100\nexpect-text 1005@118 \"Communication error\"\nclick 2@118\nwait 200\n"
        "expect-text 1211 \"Start\"\n" +
            std::string(kFinish));
    EXPECT_EQ(watch_.Jobs(), 1);
    EXPECT_FALSE(page.Refresher().IsActive());
}

TEST(SensorRefresher, GoingWhileAMessageWaitsAnswersItCancelAndJoins) {
    std::atomic<int> answer{0};
    {
        pages::SensorRefresher refresher([&](patterns::IJobMessages& messages, std::string&) {
            answer = messages.Show("Communication error", patterns::kMessageError);
            return false;
        });
        ASSERT_TRUE(refresher.Start());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        std::optional<pages::PendingJobMessage> message;
        while (!(message = refresher.TakeMessage()) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->text, "Communication error");
        EXPECT_EQ(message->type, patterns::kMessageError);
        EXPECT_TRUE(refresher.IsBusy());
        // Nobody answers: the refresher goes.
    }
    EXPECT_EQ(answer.load(), patterns::kAnswerCancel);
    EXPECT_EQ(pages::SensorStatusRunning().load(), 0);
}

TEST(SensorRefresher, AStartWhileTheOldThreadRunsEndsItFirst) {
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    std::atomic<int> jobs{0};
    platform::VirtualClock clock;
    platform::ScopedClock useClock(clock);
    pages::SensorRefresher refresher([&](patterns::IJobMessages&, std::string& report) {
        if (++running > 1) {
            overlapped = true;
        }
        report = "report";
        ++jobs;
        --running;
        return true;
    });
    for (int start = 0; start < 20; ++start) {
        ASSERT_TRUE(refresher.Start());
    }
    refresher.RequestStop();
    while (refresher.IsBusy()) {
        std::this_thread::yield();
    }
    refresher.Join();
    EXPECT_FALSE(overlapped.load());
    EXPECT_FALSE(refresher.IsActive());
    EXPECT_EQ(refresher.Refreshes(), jobs.load());
    if (jobs.load() > 0) {
        EXPECT_EQ(refresher.TakeReport(), std::optional<std::string>("report"));
    }
    EXPECT_FALSE(refresher.TakeReport().has_value());
}

}  // namespace
}  // namespace pagetest

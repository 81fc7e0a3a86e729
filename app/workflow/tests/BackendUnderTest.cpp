#include "BackendUnderTest.h"

#include "platform/Clock.h"

namespace screentest {
namespace {

// A timer id no dialog of the program uses.
constexpr int kWatchdogTimer = 0x7E57;
constexpr unsigned kWatchdogPeriod = 500;
constexpr int kIdleTicksAllowed = 4;
// Real windows take a step about every 150 ms; no scenario of the tests comes near this.
constexpr std::uint32_t kDriveLimit = 60000;

}  // namespace

struct BackendUnderTest::HeadlessSetup {
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    ui::HeadlessBackend backend;
    ui::ScopedBackend scopedBackend{backend};
};

std::vector<BackendKind> TestedBackends() {
#ifdef _WIN32
    return {BackendKind::Headless, BackendKind::Win32};
#else
    return {BackendKind::Headless};
#endif
}

std::string BackendCaseName(const ::testing::TestParamInfo<BackendKind>& info) {
    return info.param == BackendKind::Win32 ? "win32" : "headless";
}

BackendUnderTest::BackendUnderTest(BackendKind kind) {
    if (kind == BackendKind::Headless) {
        headless_ = std::make_unique<HeadlessSetup>();
    }
}

BackendUnderTest::~BackendUnderTest() {
    Attach(nullptr);
}

ui::HeadlessBackend* BackendUnderTest::Headless() {
    return headless_ != nullptr ? &headless_->backend : nullptr;
}

void BackendUnderTest::Attach(ui::Scenario* scenario) {
    attached_ = scenario;
    idleTicks_ = 0;
    ui::Backend().AttachScenario(scenario);
}

void BackendUnderTest::Drive(ui::Scenario& scenario) {
    Attach(&scenario);
    if (headless_ != nullptr) {
        while (!scenario.Finished()) {
            const ui::StepOutcome outcome = scenario.RunNextStep();
            if (outcome.kind == ui::StepOutcome::Wait) {
                headless_->backend.AdvanceTime(static_cast<unsigned>(outcome.milliseconds));
            }
        }
    } else {
        // The back-end runs the steps from its timer while messages are dispatched here.
        platform::IClock& clock = platform::Clock();
        const std::uint32_t start = clock.TickCount();
        while (!scenario.Finished() && clock.TickCount() - start < kDriveLimit) {
            ui::Backend().PumpMessages();
            clock.Sleep(5);
        }
        // What the last step posted (a key) is handled before the test looks.
        ui::Backend().PumpMessages();
        if (!scenario.Finished()) {
            scenario.Fail("the steps did not run within a minute");
        }
    }
    Attach(nullptr);
}

void BackendUnderTest::Arm(ui::CDialog& dialog) {
    if (headless_ == nullptr) {
        dialog.SetTimer(kWatchdogTimer, kWatchdogPeriod);
    }
}

bool BackendUnderTest::OnTimer(ui::CDialog& dialog, int id) {
    if (id != kWatchdogTimer) {
        return false;
    }
    if (attached_ == nullptr || !attached_->Finished()) {
        idleTicks_ = 0;
    } else if (++idleTicks_ >= kIdleTicksAllowed && dialog.IsModal()) {
        attached_->Fail("the dialog was still open two seconds after the last step");
        dialog.KillTimer(kWatchdogTimer);
        dialog.EndDialog(ui::kIdCancel);
    }
    return true;
}

}  // namespace screentest

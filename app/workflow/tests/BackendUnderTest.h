// The back-end a screen's scenario test runs on. Every build runs the cases on the headless
// back-end on a virtual clock; the Windows build runs the same cases on real windows as well, where
// the scripted technician's steps arrive through window messages and time is the real clock. In the
// Windows build a test program's ordinary run takes the headless cases and a run of its own on a
// display takes the real windows (the cases named ".../win32").
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/CDialog.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace screentest {

enum class BackendKind { Headless, Win32 };

// The back-ends of this build, for INSTANTIATE_TEST_SUITE_P, and the cases' name suffix.
std::vector<BackendKind> TestedBackends();
std::string BackendCaseName(const ::testing::TestParamInfo<BackendKind>& info);

class BackendUnderTest {
public:
    explicit BackendUnderTest(BackendKind kind);
    ~BackendUnderTest();
    BackendUnderTest(const BackendUnderTest&) = delete;
    BackendUnderTest& operator=(const BackendUnderTest&) = delete;

    // Null on real windows, whose fonts, colours and boxes only the screenshots show.
    ui::HeadlessBackend* Headless();

    // Runs the steps against the windows that exist now, when no modal loop runs; a wait passes on
    // the back-end's clock. The outcome is left in the scenario.
    void Drive(ui::Scenario& scenario);
    // Hands the scenario to the modal loops that run next; null takes it back.
    void Attach(ui::Scenario* scenario);

    // Keeps a modal dialog on real windows from waiting for a technician who has gone: once the
    // attached scenario has no step left, a dialog that has not ended within two seconds fails the
    // scenario and is ended with Cancel (the headless back-end does the same for such a dialog at
    // once). A modal dialog of the test calls Arm from OnInitDialog and OnTimer from its OnTimer.
    void Arm(ui::CDialog& dialog);
    // True when the timer was the watchdog's.
    bool OnTimer(ui::CDialog& dialog, int id);

private:
    struct HeadlessSetup;
    std::unique_ptr<HeadlessSetup> headless_;
    ui::Scenario* attached_ = nullptr;
    int idleTicks_ = 0;
};

}  // namespace screentest

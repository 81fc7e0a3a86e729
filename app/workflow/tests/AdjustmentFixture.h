// The adjustment screen in a test: a profile with a language file, pages of the test's own for every
// item number but the page-less ones, and a stand-in for the main window that hosts the screen.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BackendUnderTest.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CApplicationLook.h"
#include "pages/CMyPropertyPage.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/Scenario.h"
#include "workflow/CAdjustSequenceInnerDlg.h"
#include "workflow/CTolvAdjustmentDlg.h"
#include "workflow/IScreenHost.h"
#include "workflow/ItemPageFactory.h"

namespace adjusttest {

// What the test pages were asked, kept by the test since the pages go with the run.
struct PageLog {
    bool agreeToFinish = true;
    int finishes = 0;
    int stops = 0;
    int cancels = 0;
    int made = 0;
};

// A page that may refuse to finish and notes how often the sheet asked it to stop its work, and
// whether anything cancelled it.
class TestPage : public CMyPropertyPage {
public:
    explicit TestPage(PageLog& log, int templateId = 302) : CMyPropertyPage(templateId), log_(log) {}
    bool OnWizardFinish() override {
        ++log_.finishes;
        return log_.agreeToFinish;
    }
    void OnStopWork() override {
        ++log_.stops;
        CMyPropertyPage::OnStopWork();
    }
    void OnCancel() override {
        ++log_.cancels;
        CMyPropertyPage::OnCancel();
    }

private:
    PageLog& log_;
};

// The main window's part: holds the sequence pane and the adjustment dialog and records the returns.
class MainWindowStandIn : public ui::CDialog, public workflow::IScreenHost {
public:
    explicit MainWindowStandIn(int mode);
    // The window goes while the screens inside it are whole.
    ~MainWindowStandIn() override;

    void ShowTopScreen() override {}
    void ShowItemMenu(bool) override {}
    void ShowPartsList(bool) override {}
    // As the main window does: nothing changes when no item got a page.
    void StartAdjustment(const std::vector<int>& items) override;
    void ReturnFromAdjustment() override;
    void RequestClose() override {}

    int mode;
    int returns = 0;
    // Set while a scenario runs the window modally on real windows.
    screentest::BackendUnderTest* watchdog = nullptr;
    bool endModalOnReturn = true;
    CAdjustSequenceInnerDlg sequence;
    CTolvAdjustmentDlg adjustment;
    std::vector<int> firstRun;

    bool OnInitDialog() override;
    void OnTimer(int id) override;
};

// What the adjustment tests share, on the back-end given.
class AdjustmentSetup {
protected:
    explicit AdjustmentSetup(screentest::BackendKind kind);
    ~AdjustmentSetup();

    // Runs the main window modally with the items as its first run, driven by the scenario text.
    // The scenario's failures are reported as test failures.
    void RunScenario(MainWindowStandIn& window, const std::vector<int>& items, const std::string& script);
    // Item numbers that get no page (besides 0 and below, which never do).
    std::set<int> pageless_{206};
    // Item numbers whose page has a template other than 302 (310 x 136 units).
    std::map<int, int> pageTemplates_;
    PageLog pages_;

    testsupport::TemporaryFolder folder_{"tolv-adjust"};
    config::ScopedConfiguration configuration_{folder_.Path()};
    screentest::BackendUnderTest backend_;
    CApplicationLook look_;
    ScopedApplicationLook scopedLook_{look_};
    workflow::ScopedItemPageMaker maker_;
};

// The cases that look into the headless back-end's windows.
class AdjustmentTest : public ::testing::Test, public AdjustmentSetup {
protected:
    AdjustmentTest() : AdjustmentSetup(screentest::BackendKind::Headless) {}
    ui::HeadlessBackend& headless_{*backend_.Headless()};
};

// The scenario cases, on every back-end of the build (TEST_P, instantiated with TestedBackends).
class AdjustmentRunTest : public ::testing::TestWithParam<screentest::BackendKind>, public AdjustmentSetup {
protected:
    AdjustmentRunTest() : AdjustmentSetup(GetParam()) {}
};

}  // namespace adjusttest

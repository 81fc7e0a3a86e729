// What the screen tests share: a folder of their own made the executable's folder (holding copies of
// the shipped profiles), the back-end the case runs on, a recorder for the message seam, a
// host that records what the screens ask of the main window, and virtual printers of the server in
// this process, reached over loopback through the shipped selector and port driver.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BackendUnderTest.h"
#include "config/ConfigurationScope.h"
#include "platform/Device.h"
#include "testsupport/MessageRecorder.h"
#include "testsupport/TemporaryFolder.h"
#include "ui/CDialog.h"
#include "vprinter/server/LoopbackPrinters.h"
#include "workflow/IScreenHost.h"

namespace screentest {

// Records the screen switches a screen asks for, in order, as texts such as "ShowItemMenu(reset)".
class RecordingHost : public workflow::IScreenHost {
public:
    void ShowTopScreen() override { calls.push_back("ShowTopScreen"); }
    void ShowItemMenu(bool reset) override {
        calls.push_back(reset ? "ShowItemMenu(reset)" : "ShowItemMenu");
    }
    void ShowPartsList(bool reset) override {
        calls.push_back(reset ? "ShowPartsList(reset)" : "ShowPartsList");
    }
    void StartAdjustment(const std::vector<int>& items) override {
        calls.push_back("StartAdjustment");
        runs.push_back(items);
    }
    void ReturnFromAdjustment() override { calls.push_back("ReturnFromAdjustment"); }
    void RequestClose() override { calls.push_back("RequestClose"); }

    std::vector<std::string> calls;
    std::vector<std::vector<int>> runs;
};

// Virtual printers ("USB1=VK-572D") of a server in this process, installed as the device back-end for
// the life of the object. Profiles are read from the executable's folder.
class PrinterServer {
public:
    explicit PrinterServer(const std::vector<std::string>& printers);

    bool Started() const { return printers_.Ok(); }
    const std::string& Report() const { return printers_.Error(); }

private:
    testsupport::TemporaryFolder state_{"tolv-screens-state"};
    vprinter::LoopbackPrinters printers_;
};

// Copies the profiles beside the test program into folder/Parameter; returns true.
bool CopyShippedProfiles(const testsupport::TemporaryFolder& folder);

// The scenario cases run on every back-end of the build (TEST_P, instantiated with TestedBackends).
class ScreenTest : public ::testing::TestWithParam<BackendKind> {
protected:
    ScreenTest();
    ~ScreenTest() override;

    // Runs the scripted technician's steps against the windows that exist now; every failed step is a
    // test failure.
    void Run(const std::string& steps);
    // The main window's stand-in: the parent the screens are created in, shown.
    ui::HWindow MainWindow();
    // TOLVANE.INI as it stands in the folder; empty when it was never written.
    std::string SettingsFile() const;

    testsupport::TemporaryFolder folder_{"tolv-screens"};
    bool profilesCopied_ = CopyShippedProfiles(folder_);
    config::ScopedConfiguration configuration_{folder_.Path()};
    testsupport::MessageRecorder messages_;
    BackendUnderTest backend_{GetParam()};
    // No printer is attached unless a test starts a server: no real port is ever opened.
    platform::ScopedDeviceBackend noPrinters_{platform::NullDeviceBackend()};
    RecordingHost host_;

private:
    std::unique_ptr<ui::CDialog> main_;
};

}  // namespace screentest

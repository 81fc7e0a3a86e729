#include "ScreenTest.h"

#include <filesystem>

#include "platform/ModulePath.h"
#include "res/ResourceIds.h"
#include "ui/Scenario.h"

namespace screentest {

PrinterServer::PrinterServer(const std::vector<std::string>& printers) : printers_(printers, state_.Path()) {
    // Afterwards no port at all, rather than the machine's own.
    printers_.InstallAsDeviceBackend(&platform::NullDeviceBackend());
}

bool CopyShippedProfiles(const testsupport::TemporaryFolder& folder) {
    std::filesystem::copy(platform::ExecutableFolder() + "Parameter", folder.Root() / "Parameter",
                          std::filesystem::copy_options::recursive);
    return true;
}

ScreenTest::ScreenTest() = default;

ScreenTest::~ScreenTest() {
    if (main_ != nullptr && main_->IsWindow()) {
        main_->DestroyWindow();
    }
}

ui::HWindow ScreenTest::MainWindow() {
    if (main_ == nullptr) {
        main_ = std::make_unique<ui::CDialog>(res::kDialogMain);
        EXPECT_TRUE(main_->Create(nullptr));
        main_->ShowWindow(true);
    }
    return *main_;
}

void ScreenTest::Run(const std::string& steps) {
    std::string error;
    std::optional<ui::Scenario> scenario = ui::Scenario::Parse(steps, &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    backend_.Drive(*scenario);
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
}

std::string ScreenTest::SettingsFile() const {
    std::error_code missing;
    if (!std::filesystem::exists(folder_.Root() / "TOLVANE.INI", missing)) {
        return {};
    }
    return folder_.Read("TOLVANE.INI");
}

}  // namespace screentest

#include "MainWindowParts.h"

namespace workflowtest {

bool Screen::OnInitDialog() {
    // The adjustment template's OK only reserves its id; the test's screen offers it as "Finish".
    if (GetTemplateId() == res::kDialogAdjustment) {
        GetDlgItem(res::kIdOk).ShowWindow(true);
    }
    return CDialog::OnInitDialog();
}

bool Screen::OnCommand(int id, ui::Notification code) {
    if (code != ui::Notification::Clicked || host_ == nullptr) {
        return false;
    }
    switch (GetTemplateId() * 10000 + id) {
        case res::kDialogTop * 10000 + 1001:
            host_->ShowPartsList(true);
            return true;
        case res::kDialogTop * 10000 + 1002:
            host_->ShowItemMenu(true);
            return true;
        case res::kDialogTop * 10000 + res::kIdCancel:
            host_->RequestClose();
            return true;
        case res::kDialogItemMenu * 10000 + res::kIdOk:
            host_->StartAdjustment({101});
            return true;
        case res::kDialogAdjustment * 10000 + res::kIdOk:
            host_->ReturnFromAdjustment();
            return true;
        case res::kDialogItemMenu * 10000 + res::kIdCancel:
        case res::kDialogPartsList * 10000 + res::kIdCancel:
            host_->ShowTopScreen();
            return true;
        default:
            return false;
    }
}

MainWindowParts::MainWindowParts() = default;
MainWindowParts::~MainWindowParts() = default;

ui::CDialog& MainWindowParts::GetScreen(Screen screen) {
    switch (screen) {
        case kItemMenu:
            return itemMenu_;
        case kPartsList:
            return partsList_;
        case kAdjustment:
            return adjustment_;
        default:
            return top_;
    }
}

ui::CWindow MainWindowParts::MakeCompanion(Companion companion, ui::HWindow owner) {
    ui::CDialog& frame = companion == kInformationFrame ? informationFrame_ : sequenceFrame_;
    if (!frame.IsWindow()) {
        frame.Create(owner);
    }
    return frame;
}

ui::CWindow MainWindowParts::GetCompanion(Companion companion) {
    return companion == kInformationFrame ? ui::CWindow(informationFrame_) : ui::CWindow(sequenceFrame_);
}

void MainWindowParts::ShowAbout(ui::HWindow owner) {
    // Looks at the companions once the box runs modally over the main window, then closes.
    class About : public ui::CDialog {
    public:
        explicit About(MainWindowParts& parts) : CDialog(res::kDialogAbout), parts_(parts) {}
        bool OnInitDialog() override {
            PostMessage(1);
            return CDialog::OnInitDialog();
        }
        void OnPostedMessage(int, long, long) override {
            for (int companion = 0; companion < kCompanionCount; ++companion) {
                ui::CWindow frame = parts_.GetCompanion(static_cast<Companion>(companion));
                if (frame.IsWindow()) {
                    parts_.companionsEnabledDuringAbout.push_back(frame.IsWindowEnabled());
                }
            }
            EndDialog(ui::kIdOk);
        }

    private:
        MainWindowParts& parts_;
    } about(*this);
    aboutOwner = owner;
    about.DoModal(owner);
}

}  // namespace workflowtest

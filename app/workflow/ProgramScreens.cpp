#include "workflow/ProgramScreens.h"

#include "dialogs/CAboutDlg.h"
#include "res/ResourceIds.h"

namespace workflow {

ProgramScreens::ProgramScreens(IScreenHost& host, std::function<int()> mode)
    : top_(host), itemMenu_(host), partsList_(host), adjustment_(host, sequencePane_, std::move(mode)) {}

ProgramScreens::~ProgramScreens() {
    // The printer access must not write into a pane that is gone.
    if (FindInformationPane() == &informationPane_) {
        PublishInformationPane(nullptr);
    }
}

ui::CDialog& ProgramScreens::GetScreen(Screen screen) {
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

ui::CWindow ProgramScreens::MakeCompanion(Companion companion, ui::HWindow owner) {
    CScrollFrameDlg& frame = companion == kInformationFrame ? informationFrame_ : sequenceFrame_;
    if (frame.IsWindow()) {
        return frame;
    }
    if (!frame.Create(owner)) {
        return {};
    }
    frame.ShowWindow(false);
    frame.SetWindowText(
        res::LoadResourceString(companion == kInformationFrame ? res::kStrInformation : res::kStrSequence));
    ui::CDialog& pane = companion == kInformationFrame ? static_cast<ui::CDialog&>(informationPane_)
                                                       : static_cast<ui::CDialog&>(sequencePane_);
    if (pane.Create(frame)) {
        frame.SetChild(pane);
    }
    if (companion == kInformationFrame && informationPane_.IsWindow()) {
        PublishInformationPane(&informationPane_);
    }
    return frame;
}

ui::CWindow ProgramScreens::GetCompanion(Companion companion) {
    return companion == kInformationFrame ? ui::CWindow(informationFrame_) : ui::CWindow(sequenceFrame_);
}

void ProgramScreens::Relay(Companion companion) {
    CScrollFrameDlg& frame = companion == kInformationFrame ? informationFrame_ : sequenceFrame_;
    if (frame.IsWindow() && frame.GetChild().IsWindow()) {
        frame.SetChild(frame.GetChild());
    }
}

void ProgramScreens::ResetItemMenu() {
    itemMenu_.Reset();
}

void ProgramScreens::ResetPartsList() {
    partsList_.Reset();
}

bool ProgramScreens::PrepareItems(const std::vector<int>& items) {
    return adjustment_.PrepareItems(items) != 0;
}

void ProgramScreens::FillSequence(const std::vector<int>& items) {
    sequencePane_.Fill(items);
    Relay(kSequenceFrame);
}

void ProgramScreens::ClearInformation() {
    informationPane_.ClearFields();
    Relay(kInformationFrame);
}

void ProgramScreens::RefreshInformation(const std::string& profile, const std::string& port,
                                        const std::string& customer) {
    informationPane_.m_fields.strProfile = profile;
    informationPane_.m_fields.strPort = port;
    informationPane_.m_fields.strCustomer = customer;
    informationPane_.UpdateText();
    Relay(kInformationFrame);
}

void ProgramScreens::ShowAbout(ui::HWindow owner) {
    CAboutDlg about;
    about.DoModal(owner);
}

}  // namespace workflow

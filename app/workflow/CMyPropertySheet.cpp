#include "workflow/CMyPropertySheet.h"

#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kFirstExtraButtonLeft = 12;
constexpr int kExtraButtonGap = 1;

}  // namespace

CMyPropertySheet::CMyPropertySheet() = default;

bool CMyPropertySheet::Create(ui::HWindow parent) {
    extraButtons_.clear();
    if (!CPropertySheet::Create(parent)) {
        return false;
    }
    GetButton(ui::kIdWizardBack).SetWindowText(res::LoadResourceString(res::kStrBack));
    GetButton(ui::kIdWizardNext).SetWindowText(res::LoadResourceString(res::kStrNext));
    GetButton(ui::kIdWizardFinish).SetWindowText(res::LoadResourceString(res::kStrFinish));
    GetButton(ui::kIdCancel).SetWindowText(res::LoadResourceString(res::kStrCancel));
    ApplyFonts();
    return true;
}

void CMyPropertySheet::ApplyFonts() {
    ApplyLookFont(*this);
}

ui::CButton CMyPropertySheet::AddButton(const std::string& caption, int id, int width) {
    const ui::Rect cancel = GetButton(ui::kIdCancel).GetWindowRect();
    int left = kFirstExtraButtonLeft;
    if (!extraButtons_.empty()) {
        left = ui::CWindow(extraButtons_.back()).GetWindowRect().right + kExtraButtonGap;
    }
    const ui::CButton button =
        ui::Backend().CreateButton(m_hWnd, id, caption, {left, cancel.top, left + width, cancel.bottom});
    if (button.IsWindow()) {
        button.EnableWindow(true);
        button.ShowWindow(true);
        if (const CApplicationLook* look = CApplicationLook::Installed()) {
            button.SetFont(look->GetFont(CApplicationLook::kFontB));
        }
        extraButtons_.push_back(button);
    }
    return button;
}

bool CMyPropertySheet::OnCommand(int id, ui::Notification code) {
    if (code != ui::Notification::Clicked) {
        return false;
    }
    switch (id) {
        case ui::kIdWizardBack:
        case ui::kIdWizardNext:
            return CPropertySheet::OnCommand(id, code);
        case ui::kIdWizardFinish:
            if (PressFinish()) {
                ui::SendCommand(GetParent(), res::kIdOk);
            }
            return true;
        default:
            PassToOwner(id, code);
            return true;
    }
}

ui::ControlColors CMyPropertySheet::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}

bool CMyPropertySheet::PreTranslateKey(ui::Key key) {
    if (key == ui::Key::Escape) {
        const bool canCancel = GetButton(ui::kIdCancel).IsWindowEnabled();
        ui::SendCommand(m_hWnd, canCancel ? ui::kIdCancel : ui::kIdWizardFinish);
        return true;
    }
    // Enter presses the wizard's default button, never the dialog's OK: a run ends only through
    // a page that agreed to Finish.
    return CPropertySheet::PreTranslateKey(key);
}

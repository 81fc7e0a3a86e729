#include "pages/CMyPropertyPage.h"

#include "dialogs/CApplicationLook.h"

CMyPropertyPage::CMyPropertyPage(int templateId) : CPropertyPage(templateId) {}

namespace {

// What the page base passes when it closes a progress window; 802 ignores it.
constexpr int kCloseValue = 10;

}  // namespace

CMyPropertyPage::~CMyPropertyPage() {
    DestroyWindow();
    // A page whose window never existed may still have opened one.
    ProgressControl(kCloseProgress, kCloseValue);
}

bool CMyPropertyPage::OnInitDialog() {
    const bool result = CPropertyPage::OnInitDialog();
    ApplyLookFont(*this);
    return result;
}

bool CMyPropertyPage::OnSetActive() {
    if (ui::CPropertySheet* sheet = GetSheet()) {
        sheet->SetWizardButtons(WizardButtonsFor(IndexInSheet(), sheet->GetPageCount()));
    }
    if (host_ != nullptr) {
        host_->SetCurrentItem(m_nItem);
    }
    return CPropertyPage::OnSetActive();
}

void CMyPropertyPage::OnDestroy() {
    ProgressControl(kCloseProgress, kCloseValue);
    CPropertyPage::OnDestroy();
}

ui::ControlColors CMyPropertyPage::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}

int CMyPropertyPage::WizardButtonsFor(int index, int count) {
    if (count <= 1) {
        return ui::kWizardFinish;
    }
    if (index <= 0) {
        return ui::kWizardNext;
    }
    if (index >= count - 1) {
        return ui::kWizardBack | ui::kWizardFinish;
    }
    return ui::kWizardBack | ui::kWizardNext;
}

int CMyPropertyPage::IndexInSheet() const {
    const ui::CPropertySheet* sheet = GetSheet();
    for (int index = 0; sheet != nullptr && index < sheet->GetPageCount(); ++index) {
        if (sheet->GetPage(index) == this) {
            return index;
        }
    }
    return -1;
}

#include "dialogs/CProgressDialog.h"

#include <algorithm>
#include <new>

#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kIdProgressBar = 1151;

}  // namespace

CProgressDialog* CProgressDialog::Open(int maximum, int startPosition, ui::HWindow owner) {
    auto* dialog = new (std::nothrow) CProgressDialog(maximum, startPosition, owner);
    if (dialog == nullptr) {
        return nullptr;
    }
    if (!dialog->IsWindow()) {
        dialog->Release();
        return nullptr;
    }
    void* handed = nullptr;
    dialog->QueryInterface(platform::kIidIUnknown, &handed);
    return dialog;
}

CProgressDialog::CProgressDialog(int maximum, int startPosition, ui::HWindow owner)
    : CDialog(res::kDialogProgress), maximum_(maximum), startPosition_(std::min(maximum, startPosition)) {
    Create(owner);
}

CProgressDialog::~CProgressDialog() = default;

platform::HResult CProgressDialog::QueryInterface(const platform::Iid&, void** object) {
    *object = static_cast<IProgressCallback*>(this);
    AddRef();
    return platform::kSOk;
}

std::int32_t CProgressDialog::AddRef() {
    return ++references_;
}

std::int32_t CProgressDialog::Release() {
    if (--references_ > 0) {
        return references_;
    }
    if (IsWindow()) {
        ShowWindow(false);
        DestroyWindow();
    }
    delete this;
    return 0;
}

bool CProgressDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    bar_ = GetDlgItem(kIdProgressBar);
    SetStepCount(0);
    return true;
}

bool CProgressDialog::PreTranslateKey(ui::Key) {
    return true;
}

void CProgressDialog::SetStepCount(int count) {
    bar_.SetRange(0, count > 0 ? count : maximum_);
    bar_.SetPos(startPosition_);
    bar_.SetStep(1);
}

void CProgressDialog::Step() {
    bar_.StepIt();
}

void CProgressDialog::ResetPosition() {
    bar_.SetPos(startPosition_);
}

void CProgressDialog::SetTitle(const std::string& title) {
    SetWindowText(title);
    Invalidate();
}

ui::ControlColors CProgressDialog::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}

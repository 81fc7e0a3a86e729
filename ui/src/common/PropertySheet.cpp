#include "ui/PropertySheet.h"

#include <algorithm>

namespace ui {
namespace {

// The wizard's button row, in pixels: the size of a push button and the gaps around it.
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kRowHeight = kButtonHeight + 2 * kButtonGap;

}  // namespace

bool CPropertyPage::OnSetActive() {
    return true;
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

int CPropertyPage::OnWizardBack() {
    return 0;
}

int CPropertyPage::OnWizardNext() {
    return 0;
}

bool CPropertyPage::OnWizardFinish() {
    return true;
}

void CPropertyPage::OnStopWork() {}

void CPropertyPage::OnCancel() {}

bool CPropertyPage::PreTranslateKey(Key) {
    return false;
}

CPropertySheet::CPropertySheet() : CDialog(0) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->sheet_ = this;
    pages_.push_back(page);
    if (m_hWnd != nullptr) {
        const Rect size = PageSize(*page, GetParent());
        GrowPageArea(size.Width(), size.Height());
    }
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount()) {
        return;
    }
    CPropertyPage* page = pages_[static_cast<std::size_t>(index)];
    page->DestroyWindow();
    page->sheet_ = nullptr;
    pages_.erase(pages_.begin() + index);
    if (active_ == index) {
        active_ = -1;
    } else if (active_ > index) {
        --active_;
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(active_);
}

bool CPropertySheet::SetActivePage(int index) {
    CPropertyPage* page = GetPage(index);
    if (page == nullptr || m_hWnd == nullptr) {
        return false;
    }
    if (!page->IsWindow() && !page->Create(m_hWnd)) {
        return false;
    }
    const Rect own = page->GetWindowRect();
    page->MoveWindow(
        {pageArea_.left, pageArea_.top, pageArea_.left + own.Width(), pageArea_.top + own.Height()});
    CPropertyPage* previous = GetActivePage();
    if (!page->OnSetActive()) {
        if (previous != nullptr && previous != page) {
            // What the refused page set on its way (the wizard buttons, say) is the previous
            // page's again.
            previous->OnSetActive();
        }
        return false;
    }
    if (previous != nullptr && previous != page) {
        previous->ShowWindow(false);
    }
    active_ = index;
    page->ShowWindow(true);
    return true;
}

Rect CPropertySheet::PageSize(const CPropertyPage& page, HWindow parent) const {
    const res::DialogTemplate* form = res::FindDialogTemplate(page.GetTemplateId());
    return form != nullptr ? Backend().MapDialogRect(parent, {0, 0, form->cx, form->cy}) : Rect{};
}

bool CPropertySheet::Create(HWindow parent) {
    // The page area is as large as the largest page template.
    int width = 0;
    int height = 0;
    for (CPropertyPage* page : pages_) {
        const Rect size = PageSize(*page, parent);
        width = std::max(width, size.Width());
        height = std::max(height, size.Height());
    }
    width = std::max(width, 4 * (kButtonWidth + kButtonGap) + kButtonGap);
    if (!CreateEmpty(parent, width, height + kRowHeight)) {
        return false;
    }
    pageArea_ = {0, 0, width, height};
    const int top = height + kButtonGap;
    int right = width - kButtonGap;
    auto place = [&](int id, int resourceText, const char* fallback, int left) {
        const std::string caption = res::LoadResourceString(resourceText);
        Backend().CreateButton(m_hWnd, id, caption.empty() ? fallback : caption,
                               {left, top, left + kButtonWidth, top + kButtonHeight});
    };
    place(kIdCancel, 135, "Cancel", right - kButtonWidth);
    right -= kButtonWidth + kButtonGap;
    place(kIdWizardNext, 133, "Next >", right - kButtonWidth);
    place(kIdWizardFinish, 134, "Finish", right - kButtonWidth);
    right -= kButtonWidth;
    place(kIdWizardBack, 132, "< Back", right - kButtonWidth);
    ApplyWizardButtons(kWizardNext);
    return true;
}

void CPropertySheet::GrowPageArea(int width, int height) {
    const int wider = std::max(0, width - pageArea_.Width());
    const int taller = std::max(0, height - pageArea_.Height());
    if (wider == 0 && taller == 0) {
        return;
    }
    IBackend& backend = Backend();
    for (HWindow child : backend.GetChildren(m_hWnd)) {
        if (backend.DialogOf(child) != nullptr) {
            continue;  // a page; it is placed when it becomes active
        }
        // The wizard's own buttons keep to the right edge; buttons a derived sheet added keep their
        // place from the left.
        const int id = backend.GetId(child);
        const bool wizardButton =
            id == kIdWizardBack || id == kIdWizardNext || id == kIdWizardFinish || id == kIdCancel;
        const int right = wizardButton ? wider : 0;
        const Rect place = backend.GetRect(child);
        backend.Move(child,
                     {place.left + right, place.top + taller, place.right + right, place.bottom + taller});
    }
    pageArea_.right += wider;
    pageArea_.bottom += taller;
    const Rect own = GetWindowRect();
    MoveWindow({own.left, own.top, own.right + wider, own.bottom + taller});
}

void CPropertySheet::SetWizardButtons(int flags) {
    PostMessage(kMessageSetWizardButtons, flags);
}

void CPropertySheet::ApplyWizardButtons(int flags) {
    buttons_ = flags;
    const bool finish = (flags & kWizardFinish) != 0;
    GetButton(kIdWizardBack).EnableWindow((flags & kWizardBack) != 0);
    GetButton(kIdWizardNext).ShowWindow(!finish);
    GetButton(kIdWizardNext).EnableWindow((flags & kWizardNext) != 0);
    GetButton(kIdWizardFinish).ShowWindow(finish);
    GetButton(kIdWizardFinish).EnableWindow(finish);
}

void CPropertySheet::OnPostedMessage(int code, long first, long) {
    if (code == kMessageSetWizardButtons) {
        ApplyWizardButtons(static_cast<int>(first));
    }
}

bool CPropertySheet::PreTranslateKey(Key key) {
    if (key == Key::Escape) {
        SendCommand(m_hWnd, kIdCancel);
        return true;
    }
    for (int id : {kIdWizardNext, kIdWizardFinish}) {
        const CButton button = GetButton(id);
        if (button.IsWindowVisible() && button.IsWindowEnabled()) {
            SendCommand(m_hWnd, id);
            break;
        }
    }
    return true;
}

bool CPropertySheet::OnCommand(int id, Notification code) {
    if (code != Notification::Clicked) {
        return false;
    }
    switch (id) {
        case kIdWizardBack:
            GoBack();
            return true;
        case kIdWizardNext:
            GoNext();
            return true;
        case kIdWizardFinish:
            PressFinish();
            return true;
        default:
            return false;
    }
}

void CPropertySheet::GoBack() {
    CPropertyPage* page = GetActivePage();
    if (page == nullptr || active_ == 0 || page->OnWizardBack() == -1 || !page->OnKillActive()) {
        return;
    }
    SetActivePage(active_ - 1);
}

void CPropertySheet::GoNext() {
    CPropertyPage* page = GetActivePage();
    if (page == nullptr || active_ + 1 >= GetPageCount() || page->OnWizardNext() == -1 ||
        !page->OnKillActive()) {
        return;
    }
    SetActivePage(active_ + 1);
}

bool CPropertySheet::PressFinish() {
    CPropertyPage* page = GetActivePage();
    return page != nullptr && page->OnWizardFinish();
}

bool CPropertySheet::PassToOwner(int id, Notification code) {
    if (CPropertyPage* page = GetActivePage()) {
        page->OnStopWork();
    }
    return SendCommand(GetParent(), id, code);
}

}  // namespace ui

#include "dialogs/CScrollFrameDlg.h"

#include <algorithm>

#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

CScrollFrameDlg::CScrollFrameDlg() : CDialog(res::kDialogScrollFrame) {}

bool CScrollFrameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    return true;
}

void CScrollFrameDlg::SetChild(ui::CWindow child) {
    m_child = child;
    if (!IsWindow() || !child.IsWindow()) {
        return;
    }
    const ui::Rect placed = child.GetWindowRect();
    child.MoveWindow({0, 0, placed.Width(), placed.Height()});
    child.ShowWindow(true);

    const int childHeight = placed.Height();
    ShowScrollBar(childHeight >= GetClientRect().Height());
    // The scroll bar, once shown, takes its width from the client area: measure after it.
    const int clientHeight = GetClientRect().Height();
    m_scrollInfo = {0, childHeight, clientHeight, 0};
    SetScrollInfo(m_scrollInfo);

    const ui::Rect frame = GetWindowRect();
    const int frameWidth = placed.Width() + frame.Width() - GetClientRect().Width();
    MoveWindow({frame.left, frame.top, frame.left + frameWidth, frame.bottom});
}

void CScrollFrameDlg::OnVScroll(ui::ScrollRequest request, int position, ui::HWindow bar) {
    if (bar != nullptr || !m_child.IsWindow()) {
        return;
    }
    const int clientHeight = GetClientRect().Height();
    // The child may have grown or shrunk since it was set (the information pane re-lays itself).
    const int last = std::max(0, m_child.GetWindowRect().Height() - clientHeight);
    const int page = clientHeight - 2 * kLine;
    int wanted = m_scrollInfo.position;
    switch (request) {
        case ui::ScrollRequest::LineUp:
            wanted -= kLine;
            break;
        case ui::ScrollRequest::LineDown:
            wanted += kLine;
            break;
        case ui::ScrollRequest::PageUp:
            wanted -= page;
            break;
        case ui::ScrollRequest::PageDown:
            wanted += page;
            break;
        case ui::ScrollRequest::ThumbTrack:
        case ui::ScrollRequest::ThumbPosition:
            wanted = position;
            break;
        case ui::ScrollRequest::Top:
            wanted = 0;
            break;
        case ui::ScrollRequest::Bottom:
            wanted = last;
            break;
        case ui::ScrollRequest::End:
            return;
    }
    wanted = std::clamp(wanted, 0, last);
    const int change = wanted - m_scrollInfo.position;
    if (change == 0) {
        return;
    }
    m_scrollInfo.position = wanted;
    SetScrollInfo(m_scrollInfo);
    const ui::Rect placed = m_child.GetWindowRect();
    m_child.MoveWindow({placed.left, placed.top - change, placed.right, placed.bottom - change});
}

ui::ControlColors CScrollFrameDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}

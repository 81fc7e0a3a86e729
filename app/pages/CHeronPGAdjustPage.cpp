#include "pages/CHeronPGAdjustPage.h"

#include <cstdio>

#include "res/Figures.h"

CHeronPGAdjustPage::CHeronPGAdjustPage() : CMyPropertyPage(kTemplate) {}

CHeronPGAdjustPage::~CHeronPGAdjustPage() {
    // The figure windows are the page's children: they go before the page's own window does.
    DestroyFigures();
}

void CHeronPGAdjustPage::DestroyFigures() {
    for (const std::unique_ptr<CFigureWindow>& figure : figures_) {
        if (figure->IsWindow()) {
            figure->DestroyWindow();
        }
    }
    figures_.clear();
    shown_ = -1;
}

bool CHeronPGAdjustPage::OnInitDialog() {
    const bool focus = CMyPropertyPage::OnInitDialog();
    DestroyFigures();
    // The figures take the size of the template's picture frame and stand centred in the page.
    const ui::Rect frame = GetDlgItem(kFirstFrame).GetWindowRect();
    const ui::Rect page = GetClientRect();
    const int left = (page.Width() - frame.Width()) / 2;
    const int top = (page.Height() - frame.Height()) / 2;
    for (const res::Figure& drawing : res::PlatenGapFigures()) {
        auto figure = std::make_unique<CFigureWindow>(drawing);
        if (!figure->Create(m_hWnd, frame.Width(), frame.Height())) {
            continue;
        }
        figure->MoveWindow({left, top, left + frame.Width(), top + frame.Height()});
        figures_.push_back(std::move(figure));
    }
    const ui::CWindow bar = GetDlgItem(kScrollBar);
    if (figures_.empty()) {
        bar.ShowWindow(false);
        GetDlgItem(kFigureCaption).ShowWindow(false);
        return focus;
    }
    ui::ScrollInfo range;
    range.maximum = FigureCount() - 1;
    bar.SetScrollInfo(range);
    ShowFigure(0);
    return focus;
}

ui::HWindow CHeronPGAdjustPage::FigureWindow(int index) const {
    return index >= 0 && index < FigureCount()
               ? static_cast<ui::HWindow>(*figures_[static_cast<std::size_t>(index)])
               : nullptr;
}

void CHeronPGAdjustPage::ShowFigure(int index) {
    if (index < 0 || index >= FigureCount()) {
        return;
    }
    for (int i = 0; i < FigureCount(); ++i) {
        figures_[static_cast<std::size_t>(i)]->ShowWindow(i == index);
    }
    shown_ = index;
    const ui::CWindow figure = FigureWindow(index);
    const ui::Rect at = figure.GetWindowRect();
    const ui::CWindow caption = GetDlgItem(kFigureCaption);
    const ui::Rect size = caption.GetWindowRect();
    caption.MoveWindow({at.left - kCaptionOffset, at.top - kCaptionOffset,
                        at.left - kCaptionOffset + size.Width(), at.top - kCaptionOffset + size.Height()});
    char text[24];
    std::snprintf(text, sizeof text, "Fig. %d", index + 1);
    caption.SetWindowText(text);
    figure.Invalidate();
}

void CHeronPGAdjustPage::OnVScroll(ui::ScrollRequest request, int position, ui::HWindow bar) {
    if (bar == nullptr || ui::CWindow(bar).GetDlgCtrlID() != kScrollBar || figures_.empty()) {
        CMyPropertyPage::OnVScroll(request, position, bar);
        return;
    }
    const ui::CWindow scroll = bar;
    ui::ScrollInfo info = scroll.GetScrollInfo();
    int next = info.position;
    switch (request) {
        case ui::ScrollRequest::LineUp:
        case ui::ScrollRequest::PageUp:
            next = info.position - 1;
            break;
        case ui::ScrollRequest::LineDown:
        case ui::ScrollRequest::PageDown:
            next = info.position + 1;
            break;
        case ui::ScrollRequest::ThumbTrack:
        case ui::ScrollRequest::ThumbPosition:
            next = position;
            break;
        default:
            return;
    }
    // Past either end the figure at that end stays.
    if (next < 0 || next >= FigureCount()) {
        return;
    }
    info.position = next;
    scroll.SetScrollInfo(info);
    ShowFigure(next);
}

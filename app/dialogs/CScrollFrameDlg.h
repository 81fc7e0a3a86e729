// A captioned companion window beside the main window that holds one child window (the information
// or the sequence pane) and scrolls it vertically when it is taller than the frame.
#pragma once

#include "ui/CDialog.h"

class CScrollFrameDlg : public ui::CDialog {
public:
    // A line of scrolling, in pixels; a page is the client height less twice this.
    static constexpr int kLine = 10;

    CScrollFrameDlg();

    // Hosts the child at the frame's top-left corner and shows it; the scroll bar shows when the
    // child is at least as tall as the client area; the frame becomes exactly as wide as the child.
    void SetChild(ui::CWindow child);
    ui::CWindow GetChild() const { return m_child; }
    int GetScrollPosition() const { return m_scrollInfo.position; }

    bool OnInitDialog() override;
    void OnVScroll(ui::ScrollRequest request, int position, ui::HWindow bar) override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

private:
    ui::ScrollInfo m_scrollInfo;
    ui::CWindow m_child;
};

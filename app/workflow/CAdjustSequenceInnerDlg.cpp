#include "workflow/CAdjustSequenceInnerDlg.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "config/CTolvLangText.h"
#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kFirstSlotTop = 7;
constexpr int kSlotGap = 15;
constexpr int kLineWidth = 2;

constexpr ui::Color kLineColor = ui::Rgb(0, 0, 0);

}  // namespace

CAdjustSequenceInnerDlg::CAdjustSequenceInnerDlg() : CDialog(res::kDialogSequencePane) {}

void CAdjustSequenceInnerDlg::Fill(const std::vector<int>& items) {
    for (int box = 0; box < kBoxes; ++box) {
        Box(box).ShowWindow(false);
    }
    states_.fill(kPending);
    count_ = 0;
    items_ = items;

    const CApplicationLook* look = CApplicationLook::Installed();
    const ui::Rect first = Box(0).GetWindowRect();
    int top = kFirstSlotTop;
    const std::size_t boxed = std::min<std::size_t>(items_.size(), kBoxes);
    for (std::size_t i = 0; i < boxed; ++i) {
        const int number = items_[i];
        if (number <= 0) {
            continue;
        }
        ui::CStatic box = Box(static_cast<int>(i));
        const std::string caption = CTolvLangText::Instance()->GetSequenceCaption(number);
        box.SetWindowText(caption);
        // A one-line caption sits in the middle of its box; one with line breaks fills it from the top.
        box.SetCenterVertically(caption.find("\r\n") == std::string::npos);
        if (look != nullptr) {
            box.SetFont(look->GetFont(CApplicationLook::kFontA));
        }
        box.MoveWindow({first.left, top, first.right, top + first.Height()});
        box.ShowWindow(true);
        ++count_;
        top += first.Height() + kSlotGap;
    }

    const ui::Rect pane = GetWindowRect();
    MoveWindow({pane.left, pane.top, pane.right, pane.top + top});
    for (std::size_t i = 0; i < boxed; ++i) {
        if (items_[i] > 0) {
            SetCurrent(items_[i]);
            break;
        }
    }
    Invalidate();
}

void CAdjustSequenceInnerDlg::SetCurrent(int number) {
    BoxState state = kDone;
    const std::size_t boxed = std::min<std::size_t>(items_.size(), kBoxes);
    for (std::size_t i = 0; i < boxed; ++i) {
        if (items_[i] <= 0) {
            continue;
        }
        if (state == kDone && items_[i] == number) {
            states_[i] = kCurrent;
            state = kPending;
        } else {
            states_[i] = state;
        }
        Box(static_cast<int>(i)).Invalidate();
    }
    Invalidate();
}

CAdjustSequenceInnerDlg::BoxState CAdjustSequenceInnerDlg::GetState(int box) const {
    return box >= 0 && box < kBoxes ? states_[static_cast<std::size_t>(box)] : kPending;
}

ui::ControlColors CAdjustSequenceInnerDlg::OnCtlColor(ui::HWindow control, ui::ColorTarget target) {
    const int box = ui::CWindow(control).GetDlgCtrlID() - kFirstBox;
    if (control == m_hWnd || box < 0 || box >= kBoxes) {
        return LookColors(target);
    }
    CApplicationLook::Brush brush = CApplicationLook::kBrushOrange;
    if (states_[static_cast<std::size_t>(box)] == kCurrent) {
        brush = CApplicationLook::kBrushGreen;
    } else if (states_[static_cast<std::size_t>(box)] == kDone) {
        brush = CApplicationLook::kBrushDoneBlue;
    }
    ui::ControlColors colors;
    const CApplicationLook* look = CApplicationLook::Installed();
    colors.brush = look != nullptr ? look->GetBrush(brush) : nullptr;
    colors.hasBackColor = true;
    colors.backColor = CApplicationLook::ColorOf(brush);
    return colors;
}

void CAdjustSequenceInnerDlg::OnPaint(ui::IPainter& painter) {
    bool havePrevious = false;
    ui::Rect previous;
    for (int box = 0; box < kBoxes; ++box) {
        const ui::CStatic shown = Box(box);
        if (!shown.IsWindowVisible()) {
            continue;
        }
        const ui::Rect rect = shown.GetWindowRect();
        if (havePrevious) {
            const int x = (previous.left + previous.right) / 2;
            painter.DrawLine(x, previous.bottom, x, rect.top, kLineWidth, kLineColor);
        }
        previous = rect;
        havePrevious = true;
    }
}

bool CAdjustSequenceInnerDlg::PreTranslateKey(ui::Key) {
    return true;
}

#include "workflow/CAdjustSequenceInnerDlg.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "config/CTolvLangText.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kFirstSlotTop = 7;
constexpr int kSlotGap = 15;
constexpr int kLineWidth = 2;

constexpr ui::Color kCurrentColor = ui::Rgb(0, 255, 0);
constexpr ui::Color kDoneColor = ui::Rgb(11, 128, 222);
constexpr ui::Color kPendingColor = ui::Rgb(222, 128, 11);
constexpr ui::Color kLineColor = ui::Rgb(0, 0, 0);

}  // namespace

CAdjustSequenceInnerDlg::CAdjustSequenceInnerDlg() : CDialog(res::kDialogSequencePane) {}

bool CAdjustSequenceInnerDlg::OnInitDialog() {
    current_.CreateSolidBrush(kCurrentColor);
    done_.CreateSolidBrush(kDoneColor);
    pending_.CreateSolidBrush(kPendingColor);
    return CDialog::OnInitDialog();
}

void CAdjustSequenceInnerDlg::Fill(const std::vector<int>& items) {
    for (int box = 0; box < kBoxes; ++box) {
        Box(box).ShowWindow(false);
    }
    states_.fill(kPending);
    count_ = 0;
    items_ = items;

    const ui::Rect first = Box(0).GetWindowRect();
    int top = kFirstSlotTop;
    const std::size_t boxed = std::min<std::size_t>(items_.size(), kBoxes);
    for (std::size_t i = 0; i < boxed; ++i) {
        const int number = items_[i];
        if (number <= 0) {
            continue;
        }
        ui::CStatic box = Box(static_cast<int>(i));
        box.SetWindowText(CTolvLangText::Instance()->GetSequenceCaption(number));
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
        return CDialog::OnCtlColor(control, target);
    }
    const ui::CBrush* brush = &pending_;
    if (states_[static_cast<std::size_t>(box)] == kCurrent) {
        brush = &current_;
    } else if (states_[static_cast<std::size_t>(box)] == kDone) {
        brush = &done_;
    }
    ui::ControlColors colors;
    colors.brush = brush->Get();
    colors.hasBackColor = true;
    colors.backColor = brush->GetColor();
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

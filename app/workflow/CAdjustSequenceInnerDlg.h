// The sequence pane beside the main window: the items of a run as a column of coloured boxes
// joined by lines, the current one green, the done ones blue and the pending ones orange.
#pragma once

#include <array>
#include <vector>

#include "ui/CDialog.h"

class CAdjustSequenceInnerDlg : public ui::CDialog {
public:
    static constexpr int kBoxes = 24;
    static constexpr int kFirstBox = 8000;

    enum BoxState : unsigned char { kPending = 0, kCurrent = 1, kDone = 2 };

    CAdjustSequenceInnerDlg();

    // One box per entry with a number above 0, at the entry's position in the list; an entry beyond
    // the last box has none. The first entry becomes current.
    void Fill(const std::vector<int>& items);
    // The entries before the first one equal to number are done, that one current, the rest pending.
    void SetCurrent(int number);

    BoxState GetState(int box) const;
    int GetCount() const { return count_; }

    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;
    void OnPaint(ui::IPainter& painter) override;
    // Enter and Escape mean nothing in the pane.
    bool PreTranslateKey(ui::Key key) override;

private:
    ui::CStatic Box(int index) const { return GetDlgItem(kFirstBox + index); }

    std::array<BoxState, kBoxes> states_{};
    int count_ = 0;
    std::vector<int> items_;
};

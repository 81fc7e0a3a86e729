// Guides the mechanical platen gap adjustment: one figure at a time, centred in the page, captioned
// "Fig. n", the scroll bar stepping through them.
#pragma once

#include <memory>
#include <vector>

#include "pages/CFigureWindow.h"
#include "pages/CMyPropertyPage.h"

class CHeronPGAdjustPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 306;
    static constexpr int kFigureCaption = 1205;
    static constexpr int kFirstFrame = 1200;
    static constexpr int kScrollBar = 1204;
    // The caption stands this many pixels up and left of the figure's top-left corner.
    static constexpr int kCaptionOffset = 20;

    CHeronPGAdjustPage();
    ~CHeronPGAdjustPage() override;

    bool OnInitDialog() override;
    void OnVScroll(ui::ScrollRequest request, int position, ui::HWindow bar) override;

    int FigureCount() const { return static_cast<int>(figures_.size()); }
    // The figure shown now; -1 when none is.
    int ShownFigure() const { return shown_; }
    ui::HWindow FigureWindow(int index) const;

protected:
    // Hides every other figure, shows figure index and puts the caption above it.
    void ShowFigure(int index);

private:
    void DestroyFigures();

    std::vector<std::unique_ptr<CFigureWindow>> figures_;
    int shown_ = -1;
};

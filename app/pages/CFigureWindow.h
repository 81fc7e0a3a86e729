// A child window that draws one figure of the resources, scaled from the figure's design box into
// its client area.
#pragma once

#include "res/Figures.h"
#include "ui/CDialog.h"

class CFigureWindow : public ui::CDialog {
public:
    explicit CFigureWindow(const res::Figure& figure);
    ~CFigureWindow() override;

    // The window, hidden, of the given size inside parent; false when it cannot be made.
    bool Create(ui::HWindow parent, int width, int height);
    void OnPaint(ui::IPainter& painter) override;

    const res::Figure& Figure() const { return figure_; }

private:
    const res::Figure& figure_;
};

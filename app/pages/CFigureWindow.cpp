#include "pages/CFigureWindow.h"

#include <algorithm>

namespace {

ui::Color ColourOf(std::uint32_t rgb) {
    return ui::Rgb(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

}  // namespace

// A window without a template: the id is never looked up.
CFigureWindow::CFigureWindow(const res::Figure& figure) : CDialog(0), figure_(figure) {}

CFigureWindow::~CFigureWindow() {
    if (IsWindow()) {
        DestroyWindow();
    }
}

bool CFigureWindow::Create(ui::HWindow parent, int width, int height) {
    if (!CreateEmpty(parent, width, height)) {
        return false;
    }
    ShowWindow(false);
    return true;
}

void CFigureWindow::OnPaint(ui::IPainter& painter) {
    const ui::Rect client = GetClientRect();
    painter.FillRect(client, ui::Rgb(255, 255, 255));
    if (figure_.width <= 0 || figure_.height <= 0) {
        return;
    }
    const auto x = [&](int at) { return client.left + at * client.Width() / figure_.width; };
    const auto y = [&](int at) { return client.top + at * client.Height() / figure_.height; };
    const int scale = std::max(1, client.Width() / figure_.width);
    for (const res::FigureShape& shape : figure_.shapes) {
        if (shape.kind == res::FigureShape::Box) {
            painter.FillRect({x(shape.x0), y(shape.y0), x(shape.x1), y(shape.y1)}, ColourOf(shape.colour));
        } else {
            painter.DrawLine(x(shape.x0), y(shape.y0), x(shape.x1), y(shape.y1), shape.width * scale,
                             ColourOf(shape.colour));
        }
    }
}

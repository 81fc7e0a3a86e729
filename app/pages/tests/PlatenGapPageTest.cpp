// The platen gap page: its figures, their caption and the scroll bar that steps through them, on the
// headless back-end and, in the Windows build, on real windows.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "BackendCase.h"
#include "pages/CHeronPGAdjustPage.h"
#include "platform/Clock.h"
#include "res/Figures.h"
#include "testsupport/ScopedWindow.h"
#include "ui/Headless.h"
#include "ui/PropertySheet.h"
#include "ui/Scenario.h"

namespace {

class HostWindow : public ui::CDialog {
public:
    HostWindow() : CDialog(102) {}
};

class PlatenGapPageTest : public uitest::BackendCase {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Create(nullptr));
        sheet_.AddPage(&page_);
        ASSERT_TRUE(sheet_.Create(window_));
        ASSERT_TRUE(sheet_.SetActivePage(0));
        ui::PumpWaitingMessages();
    }
    void Scroll(ui::ScrollRequest request, int position = 0) {
        page_.OnVScroll(request, position, page_.GetDlgItem(CHeronPGAdjustPage::kScrollBar));
    }
    // On real windows, a picture of the screen for the technician's eye (where the run keeps them).
    void Picture(const std::string& name) {
        if (dynamic_cast<ui::HeadlessBackend*>(&ui::Backend()) != nullptr) {
            return;
        }
        window_.ShowWindow(true);
        std::string error;
        std::optional<ui::Scenario> scenario =
            ui::Scenario::Parse("wait 500\nscreenshot " + name + "\n", &error);
        ASSERT_TRUE(scenario.has_value()) << error;
        ui::Backend().AttachScenario(&*scenario);
        for (int turns = 0; !scenario->Finished() && turns < 2000; ++turns) {
            ui::Backend().PumpMessages();
            platform::Clock().Sleep(5);
        }
        ui::Backend().AttachScenario(nullptr);
        EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
    }
    std::string Caption() { return page_.GetDlgItem(CHeronPGAdjustPage::kFigureCaption).GetWindowText(); }
    // The figures shown now, as a string of 0 and 1.
    std::string Visible() {
        std::string shown;
        for (int i = 0; i < page_.FigureCount(); ++i) {
            shown += ui::CWindow(page_.FigureWindow(i)).IsWindowVisible() ? '1' : '0';
        }
        return shown;
    }

    testsupport::ScopedWindow<HostWindow> window_;
    CHeronPGAdjustPage page_;
    testsupport::ScopedWindow<ui::CPropertySheet> sheet_;
};

TEST_P(PlatenGapPageTest, TheFirstFigureIsShownCentredWithItsCaptionAboveIt) {
    ASSERT_EQ(page_.FigureCount(), 3);
    EXPECT_EQ(Visible(), "100");
    EXPECT_EQ(Caption(), "Fig. 1");
    const ui::Rect figure = ui::CWindow(page_.FigureWindow(0)).GetWindowRect();
    const ui::Rect frame = page_.GetDlgItem(CHeronPGAdjustPage::kFirstFrame).GetWindowRect();
    const ui::Rect client = page_.GetClientRect();
    EXPECT_EQ(figure.Width(), frame.Width());
    EXPECT_EQ(figure.Height(), frame.Height());
    EXPECT_LE(std::abs((figure.left - client.left) - (client.right - figure.right)), 1);
    EXPECT_LE(std::abs((figure.top - client.top) - (client.bottom - figure.bottom)), 1);
    const ui::Rect caption = page_.GetDlgItem(CHeronPGAdjustPage::kFigureCaption).GetWindowRect();
    EXPECT_EQ(caption.left, figure.left - 20);
    EXPECT_EQ(caption.top, figure.top - 20);
    const ui::ScrollInfo range = page_.GetDlgItem(CHeronPGAdjustPage::kScrollBar).GetScrollInfo();
    EXPECT_EQ(range.minimum, 0);
    EXPECT_EQ(range.maximum, 2);
    EXPECT_EQ(range.position, 0);
}

TEST_P(PlatenGapPageTest, TheScrollBarStepsThroughTheFiguresAndStopsAtEitherEnd) {
    Picture("platen-gap-fig1");
    Scroll(ui::ScrollRequest::LineDown);
    Picture("platen-gap-fig2");
    Scroll(ui::ScrollRequest::PageDown);
    Picture("platen-gap-fig3");
    EXPECT_EQ(Caption(), "Fig. 3");
    EXPECT_EQ(Visible(), "001");
    Scroll(ui::ScrollRequest::LineDown);
    EXPECT_EQ(Caption(), "Fig. 3");
    EXPECT_EQ(Visible(), "001");
    EXPECT_EQ(page_.GetDlgItem(CHeronPGAdjustPage::kScrollBar).GetScrollInfo().position, 2);
    Scroll(ui::ScrollRequest::PageUp);
    EXPECT_EQ(Caption(), "Fig. 2");
    Scroll(ui::ScrollRequest::ThumbTrack, 0);
    EXPECT_EQ(Visible(), "100");
    Scroll(ui::ScrollRequest::LineUp);
    EXPECT_EQ(Caption(), "Fig. 1");
    Scroll(ui::ScrollRequest::ThumbPosition, 2);
    EXPECT_EQ(Caption(), "Fig. 3");
    // The end of a scroll changes nothing.
    Scroll(ui::ScrollRequest::End, 0);
    EXPECT_EQ(Visible(), "001");
}

TEST_P(PlatenGapPageTest, EachFigureIsDrawnInsideItsWindow) {
    // Only the headless back-end keeps what was painted.
    auto* headless = dynamic_cast<ui::HeadlessBackend*>(&ui::Backend());
    for (int i = 0; headless != nullptr && i < page_.FigureCount(); ++i) {
        const ui::CWindow figure = page_.FigureWindow(i);
        figure.Invalidate();
        const std::vector<ui::PaintedLine> lines = headless->PaintedLines(figure);
        EXPECT_GT(lines.size(), 10u) << i;
        const ui::Rect client = figure.GetClientRect();
        for (const ui::PaintedLine& line : lines) {
            for (const auto& [x, y] : {std::pair{line.x0, line.y0}, std::pair{line.x1, line.y1}}) {
                EXPECT_TRUE(x >= client.left && x <= client.right && y >= client.top && y <= client.bottom)
                    << i << ": " << x << "," << y;
            }
        }
    }
    // Every drawing stays inside its design box, so no back-end draws outside the window.
    for (const res::Figure& drawing : res::PlatenGapFigures()) {
        for (const res::FigureShape& shape : drawing.shapes) {
            EXPECT_TRUE(shape.x0 >= 0 && shape.x1 <= drawing.width && shape.y0 >= 0 &&
                        shape.y1 <= drawing.height);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, PlatenGapPageTest, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "HeadlessFixture.h"
#include "testsupport/ScopedWindow.h"
#include "ui/DataExchange.h"
#include "ui/Gdi.h"
#include "ui/Scenario.h"

namespace {

using uitest::HeadlessTest;

// The message dialog's template: static 1005, OK and Cancel.
class Probe : public ui::CDialog {
public:
    Probe() : CDialog(118) {}
    bool OnInitDialog() override {
        inits++;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(ui::CDataExchange* exchange) override { ui::DDX_Text(exchange, 1005, number); }
    void OnTimer(int id) override {
        ticks.push_back({id, platform::Clock().TickCount()});
        if (ticks.size() == 3) {
            KillTimer(id);
        }
    }
    bool OnCommand(int id, ui::Notification code) override {
        commands.push_back(id);
        return CDialog::OnCommand(id, code);
    }
    int inits = 0;
    int number = 7;
    std::vector<std::pair<int, std::uint32_t>> ticks;
    std::vector<int> commands;
};

std::optional<ui::Scenario> Steps(const char* text) {
    std::string error;
    auto scenario = ui::Scenario::Parse(text, &error);
    EXPECT_TRUE(scenario.has_value()) << error;
    return scenario;
}

TEST_F(HeadlessTest, DialogsAreMadeFromTheirTemplate) {
    Probe probe;
    ASSERT_TRUE(probe.Create(nullptr));
    EXPECT_EQ(probe.inits, 1);
    EXPECT_EQ(probe.GetWindowText(), "Message");
    EXPECT_FALSE(probe.IsWindowVisible()) << "a modeless window is shown by its creator";
    EXPECT_EQ(probe.GetDlgItem(1).GetWindowText(), "OK");
    EXPECT_EQ(probe.GetDlgItem(1005).GetWindowText(), "7") << "OnInitDialog fills the controls";
    // Dialog units become pixels with the dialog font's base units.
    const ui::Rect ok = probe.GetDlgItem(1).GetWindowRect();
    EXPECT_EQ(ok, (ui::Rect{90, 120, 165, 143}));
    EXPECT_FALSE(probe.GetDlgItem(4242).IsWindow());
    probe.DestroyWindow();
    EXPECT_FALSE(probe.IsWindow());
}

TEST_F(HeadlessTest, ModalLoopRunsTheScenarioAndRestoresTheOwner) {
    testsupport::ScopedWindow<Probe> owner;
    ASSERT_TRUE(owner.Create(nullptr));
    Probe modal;
    auto scenario = Steps("expect-text 1005 \"7\"\ntype 1005 \"12\"\nclick 1\n");
    headless_.AttachScenario(&*scenario);
    bool ownerDisabled = false;
    owner.SetTimer(1, 10);  // runs inside the modal loop
    owner.PostMessage(5);
    EXPECT_EQ(modal.DoModal(owner), ui::kIdOk);
    ownerDisabled = !owner.IsWindowEnabled();
    EXPECT_FALSE(ownerDisabled);
    EXPECT_EQ(modal.number, 12) << "OK runs the data exchange";
    EXPECT_FALSE(modal.IsWindow()) << "the modal window is gone when DoModal returns";
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
    EXPECT_TRUE(scenario->Finished());
    headless_.AttachScenario(nullptr);
}

TEST_F(HeadlessTest, InvalidNumberKeepsTheDialogOpen) {
    Probe modal;
    auto scenario = Steps("type 1005 \"12x\"\nclick 1\nanswer ok \"Please enter an integer.\"\nclick 2\n");
    headless_.AttachScenario(&*scenario);
    EXPECT_EQ(modal.DoModal(), ui::kIdCancel);
    EXPECT_EQ(modal.number, 7);
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
    headless_.AttachScenario(nullptr);
}

TEST_F(HeadlessTest, AStrayModalEndsWithCancelAndIsReported) {
    Probe modal;
    auto scenario = Steps("click 1005\n");  // a static cannot end the dialog
    headless_.AttachScenario(&*scenario);
    EXPECT_EQ(modal.DoModal(), ui::kIdCancel);
    ASSERT_EQ(headless_.StrayModals().size(), 1u);
    EXPECT_EQ(scenario->Failures().size(), 1u);
    headless_.AttachScenario(nullptr);
}

TEST_F(HeadlessTest, TimersRunOnTheVirtualClock) {
    testsupport::ScopedWindow<Probe> probe;
    ASSERT_TRUE(probe.Create(nullptr));
    const std::uint32_t start = clock_.TickCount();
    probe.SetTimer(20, 1000);
    headless_.AdvanceTime(999);
    EXPECT_TRUE(probe.ticks.empty());
    headless_.AdvanceTime(5000);
    ASSERT_EQ(probe.ticks.size(), 3u) << "the third tick kills the timer";
    EXPECT_EQ(probe.ticks[0].second - start, 1000u);
    EXPECT_EQ(probe.ticks[2].second - start, 3000u);
    EXPECT_EQ(clock_.ElapsedMilliseconds(), 5999u);
}

TEST_F(HeadlessTest, KeysGoToTheInnermostDialogThatWantsThem) {
    testsupport::ScopedWindow<Probe> outer;
    ASSERT_TRUE(outer.Create(nullptr));
    EXPECT_TRUE(ui::RouteKey(outer.GetDlgItem(1005), ui::Key::Escape));
    EXPECT_TRUE(ui::RouteKey(outer.GetDlgItem(1005), ui::Key::Enter));
    EXPECT_EQ(outer.commands, (std::vector<int>{ui::kIdCancel, ui::kIdOk}));
}

TEST_F(HeadlessTest, FontsAndColoursAreInspectable) {
    class Coloured : public Probe {
    public:
        ui::ControlColors OnCtlColor(ui::HWindow, ui::ColorTarget target) override {
            ui::ControlColors colors;
            colors.brush = brush.Get();
            colors.transparent = target == ui::ColorTarget::Static;
            return colors;
        }
        ui::CBrush brush;
    };
    testsupport::ScopedWindow<Coloured> probe;
    ASSERT_TRUE(probe.brush.CreateSolidBrush(ui::Rgb(226, 243, 227)));
    ASSERT_TRUE(probe.Create(nullptr));
    ui::CFont font;
    ASSERT_TRUE(font.CreateFontIndirect({"Arial", 15, ui::kFontWeightBold}));
    probe.GetDlgItem(1005).SetFont(font);
    EXPECT_EQ(headless_.FontOf(probe.GetDlgItem(1005)).face, "Arial");
    EXPECT_EQ(headless_.FontOf(probe.GetDlgItem(1)).face, "MS Shell Dlg");
    const ui::ControlColors colors = headless_.ColorsOf(probe.GetDlgItem(1005));
    EXPECT_TRUE(colors.transparent);
    EXPECT_EQ(headless_.BrushColor(colors.brush), ui::Rgb(226, 243, 227));
    font.DeleteObject();
    EXPECT_EQ(headless_.FontOf(probe.GetDlgItem(1005)).face, "MS Shell Dlg") << "no dangling font";
}

// The model the layouts of the tests rest on: lines break at line feeds only, a line is as high as a
// positive font height, or 6/5 of a character height; characters are half a line wide.
TEST_F(HeadlessTest, CharacterPositionsFollowLineFeedsAndTheFont) {
    testsupport::ScopedWindow<Probe> probe;
    ASSERT_TRUE(probe.Create(nullptr));
    ui::CEdit text = probe.GetDlgItem(1005);
    text.SetWindowText("ab\r\ncd\r\n");
    EXPECT_EQ(text.PosFromChar(0), (ui::Point{0, 0}));
    EXPECT_EQ(text.PosFromChar(4), (ui::Point{0, 13})) << "the dialog font, 11 high";
    ui::CFont font;
    ASSERT_TRUE(font.CreateFontIndirect({"Arial", 15, ui::kFontWeightBold}));
    text.SetFont(font);
    EXPECT_EQ(text.PosFromChar(5), (ui::Point{7, 15}));
    EXPECT_EQ(text.PosFromChar(7).y, 15) << "a line's line feed is on that line";
    EXPECT_EQ(text.PosFromChar(8), (ui::Point{-1, -1}));
    EXPECT_EQ(text.PosFromChar(-1), (ui::Point{-1, -1}));
}

}  // namespace

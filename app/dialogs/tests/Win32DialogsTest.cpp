// The shared dialogs on real windows, driven by the same scenario text as on the headless back-end.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/CApplicationLook.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "dialogs/CMessageDlg.h"
#include "dialogs/CScrollFrameDlg.h"
#include "testsupport/ScopedWindow.h"
#include "ui/Scenario.h"

namespace {

struct Attached {
    explicit Attached(const char* text) {
        std::string error;
        auto parsed = ui::Scenario::Parse(text, &error);
        EXPECT_TRUE(parsed.has_value()) << error;
        scenario = std::move(*parsed);
        ui::Backend().AttachScenario(&scenario);
    }
    ~Attached() { ui::Backend().AttachScenario(nullptr); }
    ui::Scenario scenario;
};

TEST(Win32DialogsTest, AnErrorMessageIgnoresEnterOnRealWindows) {
    // The hidden OK button is still the template's default button: Enter must not reach it.
    Attached run("key enter\nexpect-visible 2 yes\nexpect-text 2 \"NG\"\nclick 2\n");
    CMessageDlg dialog;
    EXPECT_EQ(dialog.Run("No Reply", CMessageDlg::kError), ui::kIdCancel);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
    EXPECT_TRUE(run.scenario.Finished());
}

TEST(Win32DialogsTest, AnInformationEndsWithEnterAndWearsFontB) {
    CApplicationLook look;
    ASSERT_TRUE(look.Create("English"));
    ScopedApplicationLook installed(look);
    class Probe : public CMessageDlg {
    public:
        bool OnInitDialog() override {
            CMessageDlg::OnInitDialog();
            font = GetDlgItem(1005).GetFont();
            return false;
        }
        ui::FontObject* font = nullptr;
    } dialog;
    Attached run("expect-visible 2 no\nexpect-text 1005 \"Done\"\nkey enter\n");
    EXPECT_EQ(dialog.Run("Done", CMessageDlg::kInformation), ui::kIdOk);
    EXPECT_EQ(dialog.font, look.GetFont(CApplicationLook::kFontB));
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
}

TEST(Win32DialogsTest, ALanguageChangeRedressesTheRealWindows) {
    CApplicationLook look;
    ASSERT_TRUE(look.Create("English"));
    ScopedApplicationLook installed(look);
    testsupport::ScopedWindow<CMessageDlg> message;
    ASSERT_TRUE(message.Create(nullptr));
    ui::FontObject* english = look.GetFont(CApplicationLook::kFontB);
    EXPECT_EQ(message.GetDlgItem(1005).GetFont(), english);
    ASSERT_TRUE(look.Create("Japanese"));
    EXPECT_NE(look.GetFont(CApplicationLook::kFontB), english);
    EXPECT_EQ(message.GetDlgItem(1005).GetFont(), look.GetFont(CApplicationLook::kFontB));
    EXPECT_EQ(message.GetDlgItem(2).GetFont(), look.GetFont(CApplicationLook::kFontB));
}

// The pane asks the box where its last character is: a value too long for the narrow pane breaks
// into more lines, and the box grows with them instead of cutting them off.
TEST(Win32DialogsTest, TheInformationPaneGrowsWithValuesThatWrap) {
    CApplicationLook look;
    ASSERT_TRUE(look.Create("English"));
    ScopedApplicationLook installed(look);
    testsupport::ScopedWindow<ui::CDialog> main(102);
    ASSERT_TRUE(main.Create(nullptr));
    testsupport::ScopedWindow<CAdjustInfoInnerDlg> pane;
    ASSERT_TRUE(pane.Create(main));
    // Font B's lines are 15 high; the last character of "Printer info" is on its ninth line.
    const int unwrapped = pane.GetDlgItem(1164).GetWindowRect().Height();
    EXPECT_EQ(unwrapped, 8 * 15);
    pane.m_fields.strDeviceID = "ORLEX VK-572D ORLEX VK-572D ORLEX VK-572D ORLEX VK-572D";
    pane.UpdateText();
    const int wrapped = pane.GetDlgItem(1164).GetWindowRect().Height();
    EXPECT_GE(wrapped, unwrapped + 2 * 15);
    EXPECT_EQ(pane.GetDlgItem(1163).GetWindowRect().Height(), wrapped + 25);
}

TEST(Win32DialogsTest, TheScrollFrameFitsItsClientAreaToTheChildBesideARealScrollBar) {
    testsupport::ScopedWindow<CScrollFrameDlg> frame;
    ASSERT_TRUE(frame.Create(nullptr));
    testsupport::ScopedWindow<ui::CDialog> child(183);
    ASSERT_TRUE(child.Create(frame));
    child.MoveWindow({0, 0, 240, 2000});
    frame.SetChild(child);
    EXPECT_TRUE(ui::Backend().IsScrollBarVisible(frame));
    EXPECT_EQ(frame.GetClientRect().Width(), 240);
    frame.OnVScroll(ui::ScrollRequest::LineDown, 0, nullptr);
    EXPECT_EQ(child.GetWindowRect().top, -10);
    frame.OnVScroll(ui::ScrollRequest::Bottom, 0, nullptr);
    EXPECT_EQ(child.GetWindowRect().top, -(2000 - frame.GetClientRect().Height()));
}

TEST(Win32DialogsTest, ShowMessageBecomesASystemBoxTheTechnicianAnswers) {
    CDialogMessagePresenter presenter;
    presenter.Install();
    Attached run("answer no \"Again?\"\n");
    EXPECT_EQ(
        platform::ShowMessage("Again?", platform::MessageIcon::Question, platform::MessageButtons::YesNo),
        platform::MessageAnswer::No);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
}

}  // namespace

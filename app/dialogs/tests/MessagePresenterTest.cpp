#include <gtest/gtest.h>

#include <string>

#include "DialogsTest.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "dialogs/CMessageDlg.h"
#include "ui/Scenario.h"

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

class MessagePresenterTest : public DialogsTest {
protected:
    void SetUp() override { presenter_.Install(); }
    CDialogMessagePresenter presenter_;
};

TEST_F(MessagePresenterTest, ShowMessageBecomesABoxOfTheDialogFramework) {
    EXPECT_EQ(platform::ShowMessage("fatel error"), MessageAnswer::Ok);
    EXPECT_EQ(platform::ShowMessage("Cannot found customuer file", MessageIcon::Stop), MessageAnswer::Ok);
    headless_.SetMessageBoxAnswer(ui::kIdNo);
    EXPECT_EQ(platform::ShowMessage("Again?", MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::No);
    headless_.SetMessageBoxAnswer(ui::kIdCancel);
    EXPECT_EQ(platform::ShowMessage("Go on?", MessageIcon::Information, MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    const auto& boxes = headless_.MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "fatel error");
    EXPECT_EQ(boxes[0].caption, "Tolvane");
    EXPECT_EQ(boxes[0].buttons, ui::BoxButtons::Ok);
    EXPECT_EQ(boxes[0].icon, ui::BoxIcon::None);
    EXPECT_EQ(boxes[1].icon, ui::BoxIcon::Stop);
    EXPECT_EQ(boxes[2].buttons, ui::BoxButtons::YesNo);
    EXPECT_EQ(boxes[2].icon, ui::BoxIcon::Question);
    EXPECT_EQ(boxes[3].buttons, ui::BoxButtons::OkCancel);
    EXPECT_EQ(boxes[3].icon, ui::BoxIcon::Information);
}

TEST_F(MessagePresenterTest, AScriptedTechnicianAnswersItInsideADialog) {
    // A message raised from a handler of a modal dialog, as a page's input check does.
    class Asking : public CMessageDlg {
    public:
        bool OnCommand(int id, ui::Notification code) override {
            if (id == ui::kIdOk) {
                answer = platform::ShowMessage("Wrong Data\r\nMust Hex Number", MessageIcon::Stop);
            }
            return CMessageDlg::OnCommand(id, code);
        }
        MessageAnswer answer = MessageAnswer::Cancel;
    } dialog;
    std::string error;
    auto scenario = ui::Scenario::Parse("click 1\nanswer ok \"Wrong Data\\r\\nMust Hex Number\"\n", &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    headless_.AttachScenario(&*scenario);
    EXPECT_EQ(dialog.Run("Write?", CMessageDlg::kQuestion), ui::kIdOk);
    headless_.AttachScenario(nullptr);
    EXPECT_EQ(dialog.answer, MessageAnswer::Ok);
    EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
}

TEST_F(MessagePresenterTest, LanguageFileBytesGoToTheBoxAsTheyAre) {
    const std::string shiftJis = "\x83\x65\x83\x58\x83\x67";
    platform::ShowMessage(shiftJis, platform::TextEncoding::LanguageFile, MessageIcon::Stop);
    ASSERT_EQ(headless_.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless_.MessageBoxes()[0].text, shiftJis);
}

#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

TEST_F(MessagePresenterTest, ProgramTextsBeyondAsciiGoToThePlatformsOwnBoxAndTheDialogsComeBack) {
    if (kWindowsBuild) {
        GTEST_SKIP() << "the platform's own box is a real message box on Windows";
    }
    testing::internal::CaptureStderr();
    platform::ShowMessage("\xE3\x81\x82 too long", MessageIcon::Stop);
    const std::string standardError = testing::internal::GetCapturedStderr();
    EXPECT_NE(standardError.find("too long"), std::string::npos);
    EXPECT_TRUE(headless_.MessageBoxes().empty());
    platform::ShowMessage("fatel error");
    EXPECT_EQ(headless_.MessageBoxes().size(), 1u) << "the presenter is installed again";
}

TEST_F(MessagePresenterTest, UninstallBringsBackThePlatformsOwn) {
    if (kWindowsBuild) {
        GTEST_SKIP() << "the platform's own box is a real message box on Windows";
    }
    presenter_.Uninstall();
    testing::internal::CaptureStderr();
    platform::ShowMessage("fatel error");
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(headless_.MessageBoxes().empty());
}

}  // namespace

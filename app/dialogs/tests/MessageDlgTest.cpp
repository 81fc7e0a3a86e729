#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DialogsTest.h"
#include "dialogs/CMessageDlg.h"
#include "ui/Scenario.h"

namespace {

class MessageDlgTest : public DialogsTest {
protected:
    // Runs a message dialog under the technician's steps; the steps must all run, with no failure.
    int RunWith(const std::string& text, int type, const char* steps) {
        std::string error;
        std::optional<ui::Scenario> scenario = ui::Scenario::Parse(steps, &error);
        EXPECT_TRUE(scenario.has_value()) << error;
        headless_.AttachScenario(&*scenario);
        CMessageDlg dialog;
        const int result = dialog.Run(text, type);
        headless_.AttachScenario(nullptr);
        EXPECT_TRUE(scenario->Failures().empty()) << scenario->Report();
        EXPECT_TRUE(scenario->Finished()) << scenario->Report();
        EXPECT_TRUE(headless_.StrayModals().empty());
        return result;
    }
};

TEST_F(MessageDlgTest, InformationShowsOnlyOkAndTheText) {
    EXPECT_EQ(RunWith("Cannot Read EEPROM", CMessageDlg::kInformation,
                      "expect-text 1005 \"Cannot Read EEPROM\"\n"
                      "expect-visible 1 yes\n"
                      "expect-visible 2 no\n"
                      "key enter\n"),
              ui::kIdOk);
}

TEST_F(MessageDlgTest, QuestionOffersOkAndCancel) {
    EXPECT_EQ(RunWith("Write?", CMessageDlg::kQuestion,
                      "expect-visible 1 yes\n"
                      "expect-visible 2 yes\n"
                      "expect-text 2 \"Cancel\"\n"
                      "click 2\n"),
              ui::kIdCancel);
    EXPECT_EQ(RunWith("Write?", CMessageDlg::kQuestion, "click 1\n"), ui::kIdOk);
}

TEST_F(MessageDlgTest, ErrorIgnoresEnterAndEndsOnlyThroughNgOrEscape) {
    // Enter runs first and must leave the dialog open, or the NG click would find no dialog.
    EXPECT_EQ(RunWith("No Reply", CMessageDlg::kError,
                      "expect-visible 1 no\n"
                      "expect-text 2 \"NG\"\n"
                      "key enter\n"
                      "expect-text 1005 \"No Reply\"\n"
                      "click 2\n"),
              ui::kIdCancel);
    EXPECT_EQ(RunWith("No Reply", CMessageDlg::kError, "key enter\nkey escape\n"), ui::kIdCancel);
}

TEST_F(MessageDlgTest, TheCloseBoxCancels) {
    EXPECT_EQ(RunWith("Done", CMessageDlg::kInformation, "close\n"), ui::kIdCancel);
}

}  // namespace

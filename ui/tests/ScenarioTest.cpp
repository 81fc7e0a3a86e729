#include <gtest/gtest.h>

#include "HeadlessFixture.h"
#include "ui/CDialog.h"
#include "ui/Scenario.h"

namespace {

TEST(ScenarioParseTest, Steps) {
    std::string error;
    auto scenario = ui::Scenario::Parse(
        "# a comment\n"
        "click 1001\n"
        "type 1124@153 \"3\\n\\\"x\\\"\"\n"
        "select 1188 \"VK-572D\"\n"
        "select 1174 #4\n"
        "tick 1173 #2 on   # trailing comment\n"
        "answer yes \"Would you cancel?\"\n"
        "answer ok\n"
        "wait 1000\n",
        &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    const ui::ScenarioStep* step = scenario->PeekStep();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->action, ui::StepAction::Click);
    EXPECT_EQ(step->control, 1001);
    EXPECT_EQ(step->line, 2);
}

TEST(ScenarioParseTest, Faults) {
    struct Case {
        const char* text;
        const char* error;
    } const cases[] = {
        {"push 1", "line 1: unknown step 'push'"},
        {"click", "line 1: a control id is missing"},
        {"click x1", "line 1: a control id must be a number"},
        {"click 1@x", "line 1: a template after @ must be a number"},
        {"type 1 3", "line 1: a text in double quotes is missing"},
        {"type 1 \"3", "line 1: a text without its closing quote"},
        {"tick 1 #2 maybe", "line 1: expected on or off"},
        {"tick 1 2 on", "line 1: a row (#n) is missing"},
        {"answer perhaps", "line 1: expected ok, cancel, yes or no"},
        {"\nwait soon", "line 2: a number is missing"},
        {"wait -1", "line 1: the number must not be negative"},
        {"wait -01616967879", "line 1: the number must not be negative"},
        {"expect-rows 1174 -3", "line 1: the number must not be negative"},
        {"click 1 2", "line 1: unexpected '2'"},
        {"key tab", "line 1: expected enter or escape"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ui::Scenario::Parse(c.text, &error).has_value()) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

using uitest::HeadlessTest;

TEST_F(HeadlessTest, MessageBoxesTakeTheScenariosAnswers) {
    std::string error;
    auto scenario = ui::Scenario::Parse("answer yes \"Would you cancel?\"\nanswer ok \"other\"\n", &error);
    ASSERT_TRUE(scenario.has_value());
    headless_.AttachScenario(&*scenario);
    EXPECT_EQ(ui::MessageBox(nullptr, "Would you cancel?", "Confirmation", ui::BoxButtons::YesNo),
              ui::kIdYes);
    EXPECT_EQ(ui::MessageBox(nullptr, "fatel error", ""), ui::kIdOk);
    ASSERT_EQ(scenario->Failures().size(), 1u);
    EXPECT_NE(scenario->Failures()[0].find("expected \"other\""), std::string::npos);
    // A box the scenario did not foresee is refused.
    EXPECT_EQ(ui::MessageBox(nullptr, "Really?", "", ui::BoxButtons::YesNo), ui::kIdNo);
    EXPECT_EQ(scenario->Failures().size(), 2u);
    EXPECT_EQ(headless_.MessageBoxes().size(), 3u);
    headless_.AttachScenario(nullptr);
}

}  // namespace

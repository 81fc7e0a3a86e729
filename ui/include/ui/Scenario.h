// The scripted technician: a scenario of steps (click control 1001, type "3" into 1124, answer the
// next message box with OK, expect a text, ...) that drives whichever back-end runs. The headless
// back-end runs a step whenever a modal loop waits for input; the Win32 back-end runs them from a
// thread timer, inside whatever loop is running, system message boxes included.
//
// Text form, one step a line ('#' not followed by a digit starts a comment; texts in double quotes with \n,
// \" and \\):
//   click <id>                     push a button, toggle a check box
//   type <id> "<text>"             replace an edit box's text
//   select <id> "<row text>"       choose a row of a list (exact text) ...
//   select <id> #<row>             ... or by its number
//   dblclick <id> #<row>           double-click a row
//   tick <id> #<row> on|off        a row's check box of a check-list box
//   key enter|escape               the key, at the focus
//   close                          the close box of the innermost modal window
//   syscommand <id>                a command of the modal window's system menu
//   answer ok|cancel|yes|no ["<text>"]   the next system message box (and its text)
//   file "<path>" | file cancel    the next open-file dialog: choose that path, or cancel
//   expect-text <id> "<text>"      expect-enabled <id> yes|no     expect-visible <id> yes|no
//   expect-selection <id> "<text>" expect-rows <id> <count>       expect-check <id> #<row> on|off
//   wait <milliseconds>            let timers run (the virtual clock in the headless back-end)
//   screenshot <name>              a picture of the screen, where the back-end can take one
// A control id may be followed by @<template> to look only inside dialogs of that template.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/Types.h"

namespace ui {

enum class StepAction {
    Click,
    Type,
    Select,
    DoubleClick,
    Tick,
    Key,
    Close,
    SysCommand,
    Answer,
    ChooseFile,
    ExpectText,
    ExpectEnabled,
    ExpectVisible,
    ExpectSelection,
    ExpectRows,
    ExpectCheck,
    Wait,
    Screenshot,
};

struct ScenarioStep {
    StepAction action = StepAction::Click;
    int control = 0;
    int inTemplate = 0;  // 0: any dialog
    int row = -1;        // a row number, or -1 when a text names it
    std::string text;
    bool flag = false;  // yes/on
    int number = 0;     // answer, key, milliseconds, count
    int line = 0;       // in the scenario's text, for failure reports
};

// What a step leaves to the back-end's driver.
struct StepOutcome {
    enum Kind { Done, Wait, Screenshot, Finished } kind = Done;
    int milliseconds = 0;
    std::string name;
};

class Scenario {
public:
    Scenario() = default;
    explicit Scenario(std::vector<ScenarioStep> steps) : steps_(std::move(steps)) {}

    // Null with the reason in error when a line does not parse.
    static std::optional<Scenario> Parse(const std::string& text, std::string* error);
    static std::optional<Scenario> Load(const std::string& path, std::string* error);

    bool Finished() const { return next_ >= steps_.size(); }
    const ScenarioStep* PeekStep() const { return Finished() ? nullptr : &steps_[next_]; }
    // Runs the next step on the back-end in use; an Answer step is left for AnswerMessageBox.
    StepOutcome RunNextStep();
    // A system message box asks for its answer: consumes an Answer step and checks its text. A box
    // the scenario did not expect is a failure and answers Cancel (No).
    int AnswerMessageBox(const std::string& text, BoxButtons buttons);
    // An open-file dialog asks for its answer: consumes a file step. True with the path chosen; false
    // for cancel, and for a dialog the scenario did not expect (a failure).
    bool AnswerOpenFile(std::string* path);

    void Fail(const std::string& reason);
    const std::vector<std::string>& Failures() const { return failures_; }
    // All failures and, when steps are left, the first step that never ran.
    std::string Report() const;

private:
    HWindow FindControl(const ScenarioStep& step);
    bool RequireUsable(HWindow control, const ScenarioStep& step);
    std::string Where(const ScenarioStep& step) const;

    std::vector<ScenarioStep> steps_;
    std::size_t next_ = 0;
    std::vector<std::string> failures_;
};

}  // namespace ui

#include "ui/Scenario.h"

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

#include "ui/CDialog.h"

namespace ui {
namespace {

struct Words {
    std::vector<std::string> items;
    std::string error;
};

// Splits a line into words; a double-quoted text is one word (its quotes removed, \n \" \\ read).
Words SplitLine(const std::string& line) {
    Words words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        // '#' before a digit names a row; anywhere else it starts a comment.
        if (line[i] == '#' &&
            (i + 1 >= line.size() || !std::isdigit(static_cast<unsigned char>(line[i + 1])))) {
            break;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size()) {
                    char escaped = line[i++];
                    word += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
                } else {
                    word += c;
                }
            }
            if (!closed) {
                words.error = "a text without its closing quote";
            }
            words.items.push_back("\"" + word);  // the mark tells a quoted text from a bare word
            continue;
        }
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            word += line[i++];
        }
        words.items.push_back(word);
    }
    return words;
}

bool IsQuoted(const std::string& word) {
    return !word.empty() && word[0] == '"';
}

bool ReadNumber(const std::string& word, int* value) {
    if (word.empty() || IsQuoted(word)) {
        return false;
    }
    std::size_t used = 0;
    try {
        *value = std::stoi(word, &used);
    } catch (...) {
        return false;
    }
    return used == word.size();
}

const std::map<std::string, StepAction>& Actions() {
    static const std::map<std::string, StepAction> actions = {
        {"click", StepAction::Click},
        {"type", StepAction::Type},
        {"select", StepAction::Select},
        {"dblclick", StepAction::DoubleClick},
        {"tick", StepAction::Tick},
        {"key", StepAction::Key},
        {"close", StepAction::Close},
        {"syscommand", StepAction::SysCommand},
        {"answer", StepAction::Answer},
        {"file", StepAction::ChooseFile},
        {"expect-text", StepAction::ExpectText},
        {"expect-enabled", StepAction::ExpectEnabled},
        {"expect-visible", StepAction::ExpectVisible},
        {"expect-selection", StepAction::ExpectSelection},
        {"expect-rows", StepAction::ExpectRows},
        {"expect-check", StepAction::ExpectCheck},
        {"wait", StepAction::Wait},
        {"screenshot", StepAction::Screenshot},
    };
    return actions;
}

// Parses the words after the action into the step; an error text when they do not fit.
std::string ParseArguments(std::vector<std::string> words, ScenarioStep& step) {
    auto takeControl = [&]() -> std::string {
        if (words.empty()) {
            return "a control id is missing";
        }
        std::string word = words.front();
        words.erase(words.begin());
        const std::size_t at = word.find('@');
        if (at != std::string::npos) {
            if (!ReadNumber(word.substr(at + 1), &step.inTemplate)) {
                return "a template after @ must be a number";
            }
            word = word.substr(0, at);
        }
        return ReadNumber(word, &step.control) ? "" : "a control id must be a number";
    };
    auto takeText = [&]() -> std::string {
        if (words.empty() || !IsQuoted(words.front())) {
            return "a text in double quotes is missing";
        }
        step.text = words.front().substr(1);
        words.erase(words.begin());
        return "";
    };
    auto takeRow = [&]() -> std::string {
        if (words.empty() || words.front().size() < 2 || words.front()[0] != '#' ||
            !ReadNumber(words.front().substr(1), &step.row)) {
            return "a row (#n) is missing";
        }
        words.erase(words.begin());
        return "";
    };
    auto takeFlag = [&](const char* yes, const char* no) -> std::string {
        if (words.empty() || (words.front() != yes && words.front() != no)) {
            return std::string("expected ") + yes + " or " + no;
        }
        step.flag = words.front() == yes;
        words.erase(words.begin());
        return "";
    };
    // A wait and a row count are never negative. The back-ends count a wait in unsigned
    // milliseconds: a negative one would run the headless clock some 49 days on, firing every
    // periodic timer all the way, and end at once on real windows.
    auto takeNumber = [&](bool negativeAllowed) -> std::string {
        if (words.empty() || !ReadNumber(words.front(), &step.number)) {
            return "a number is missing";
        }
        if (!negativeAllowed && step.number < 0) {
            return "the number must not be negative";
        }
        words.erase(words.begin());
        return "";
    };
    std::string error;
    switch (step.action) {
        case StepAction::Click:
            error = takeControl();
            break;
        case StepAction::Type:
        case StepAction::ExpectText:
        case StepAction::ExpectSelection:
            error = takeControl();
            if (error.empty()) {
                error = takeText();
            }
            break;
        case StepAction::Select:
            error = takeControl();
            if (error.empty()) {
                error = !words.empty() && IsQuoted(words.front()) ? takeText() : takeRow();
            }
            break;
        case StepAction::DoubleClick:
            error = takeControl();
            if (error.empty()) {
                error = takeRow();
            }
            break;
        case StepAction::Tick:
        case StepAction::ExpectCheck:
            error = takeControl();
            if (error.empty()) {
                error = takeRow();
            }
            if (error.empty()) {
                error = takeFlag("on", "off");
            }
            break;
        case StepAction::Key:
            if (words.empty() || (words.front() != "enter" && words.front() != "escape")) {
                error = "expected enter or escape";
            } else {
                step.number = static_cast<int>(words.front() == "enter" ? Key::Enter : Key::Escape);
                words.erase(words.begin());
            }
            break;
        case StepAction::Close:
            break;
        case StepAction::SysCommand:
            error = takeNumber(true);
            break;
        case StepAction::Wait:
            error = takeNumber(false);
            break;
        case StepAction::Answer: {
            static const std::map<std::string, int> answers = {
                {"ok", kIdOk}, {"cancel", kIdCancel}, {"yes", kIdYes}, {"no", kIdNo}};
            if (words.empty() || answers.count(words.front()) == 0) {
                error = "expected ok, cancel, yes or no";
                break;
            }
            step.number = answers.at(words.front());
            words.erase(words.begin());
            step.flag = !words.empty();  // the box's text is checked too
            if (step.flag) {
                error = takeText();
            }
            break;
        }
        case StepAction::ChooseFile:
            // flag: a path was chosen; clear for cancel.
            if (!words.empty() && words.front() == "cancel") {
                words.erase(words.begin());
            } else {
                error = takeText();
                step.flag = error.empty();
            }
            break;
        case StepAction::ExpectEnabled:
        case StepAction::ExpectVisible:
            error = takeControl();
            if (error.empty()) {
                error = takeFlag("yes", "no");
            }
            break;
        case StepAction::ExpectRows:
            error = takeControl();
            if (error.empty()) {
                error = takeNumber(false);
            }
            break;
        case StepAction::Screenshot:
            if (words.empty() || IsQuoted(words.front())) {
                error = "a name is missing";
            } else {
                step.text = words.front();
                words.erase(words.begin());
            }
            break;
    }
    if (error.empty() && !words.empty()) {
        error = "unexpected '" + words.front() + "'";
    }
    return error;
}

// Depth-first over a window and its children; visible windows only unless all is set.
HWindow Search(HWindow window, int id, bool all) {
    IBackend& backend = Backend();
    if (!all && !backend.IsVisible(window)) {
        return nullptr;
    }
    for (HWindow child : backend.GetChildren(window)) {
        if (backend.GetId(child) == id && backend.DialogOf(child) == nullptr &&
            (all || backend.IsVisible(child))) {
            return child;
        }
    }
    for (HWindow child : backend.GetChildren(window)) {
        if (backend.DialogOf(child) != nullptr) {
            if (HWindow found = Search(child, id, all)) {
                return found;
            }
        }
    }
    return nullptr;
}

bool IsTopLevel(HWindow window) {
    return Backend().GetParent(window) == nullptr;
}

bool ShownWithAncestors(HWindow window) {
    for (; window != nullptr; window = Backend().GetParent(window)) {
        if (!Backend().IsVisible(window)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Scenario> Scenario::Parse(const std::string& text, std::string* error) {
    std::vector<ScenarioStep> steps;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        Words words = SplitLine(line);
        auto fail = [&](const std::string& reason) {
            if (error != nullptr) {
                *error = "line " + std::to_string(number) + ": " + reason;
            }
            return std::nullopt;
        };
        if (!words.error.empty()) {
            return fail(words.error);
        }
        if (words.items.empty()) {
            continue;
        }
        const auto action = Actions().find(words.items.front());
        if (action == Actions().end()) {
            return fail("unknown step '" + words.items.front() + "'");
        }
        ScenarioStep step;
        step.action = action->second;
        step.line = number;
        words.items.erase(words.items.begin());
        const std::string reason = ParseArguments(words.items, step);
        if (!reason.empty()) {
            return fail(reason);
        }
        steps.push_back(step);
    }
    return Scenario(std::move(steps));
}

std::optional<Scenario> Scenario::Load(const std::string& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (error != nullptr) {
            *error = "cannot read " + path;
        }
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), error);
}

void Scenario::Fail(const std::string& reason) {
    failures_.push_back(reason);
}

std::string Scenario::Where(const ScenarioStep& step) const {
    return "line " + std::to_string(step.line);
}

std::string Scenario::Report() const {
    std::string report;
    for (const std::string& failure : failures_) {
        report += failure + "\n";
    }
    if (const ScenarioStep* left = PeekStep()) {
        report += Where(*left) + ": never ran\n";
    }
    return report;
}

HWindow Scenario::FindControl(const ScenarioStep& step) {
    std::vector<HWindow> roots;
    if (CDialog* modal = ActiveModalDialog(); modal != nullptr && modal->IsWindow()) {
        roots.push_back(*modal);
    }
    const std::vector<CDialog*> live = LiveDialogs();
    for (auto it = live.rbegin(); it != live.rend(); ++it) {
        if ((*it)->IsWindow() && IsTopLevel(**it)) {
            roots.push_back(**it);
        }
    }
    if (step.inTemplate != 0) {
        roots.clear();
        for (CDialog* dialog : live) {
            if (dialog->IsWindow() && dialog->GetTemplateId() == step.inTemplate) {
                roots.push_back(*dialog);
            }
        }
    }
    for (bool all : {false, true}) {
        for (HWindow root : roots) {
            if (HWindow found = Search(root, step.control, all)) {
                return found;
            }
        }
    }
    Fail(Where(step) + ": no control " + std::to_string(step.control));
    return nullptr;
}

bool Scenario::RequireUsable(HWindow control, const ScenarioStep& step) {
    if (control == nullptr) {
        return false;
    }
    if (!ShownWithAncestors(control) || !Backend().IsEnabled(control)) {
        Fail(Where(step) + ": control " + std::to_string(step.control) + " is hidden or disabled");
        return false;
    }
    return true;
}

StepOutcome Scenario::RunNextStep() {
    if (Finished()) {
        return {StepOutcome::Finished, 0, ""};
    }
    const ScenarioStep& step = steps_[next_];
    if (step.action == StepAction::Answer || step.action == StepAction::ChooseFile) {
        Fail(Where(step) + (step.action == StepAction::Answer ? ": no message box to answer"
                                                              : ": no open-file dialog to answer"));
        ++next_;
        return {};
    }
    ++next_;
    IBackend& backend = Backend();
    auto rowOf = [&](HWindow list) {
        if (step.row >= 0) {
            return step.row;
        }
        for (int row = 0; row < backend.GetCount(list); ++row) {
            if (backend.GetRowText(list, row) == step.text) {
                return row;
            }
        }
        return -1;
    };
    auto expectEqual = [&](const std::string& what, const std::string& seen, const std::string& wanted) {
        if (seen != wanted) {
            Fail(Where(step) + ": " + what + " of " + std::to_string(step.control) + " is \"" + seen +
                 "\", expected \"" + wanted + "\"");
        }
    };
    switch (step.action) {
        case StepAction::Click:
            if (HWindow control = FindControl(step); RequireUsable(control, step)) {
                backend.SimulateClick(control);
            }
            break;
        case StepAction::Type:
            if (HWindow control = FindControl(step); RequireUsable(control, step)) {
                backend.SimulateType(control, step.text);
            }
            break;
        case StepAction::Select:
        case StepAction::DoubleClick:
        case StepAction::Tick:
            if (HWindow control = FindControl(step); RequireUsable(control, step)) {
                const int row = rowOf(control);
                if (row < 0 || row >= backend.GetCount(control)) {
                    Fail(Where(step) + ": list " + std::to_string(step.control) + " has no such row");
                } else if (step.action == StepAction::Select) {
                    backend.SimulateSelect(control, row);
                } else if (step.action == StepAction::DoubleClick) {
                    backend.SimulateDoubleClick(control, row);
                } else if (!backend.IsRowEnabled(control, row)) {
                    Fail(Where(step) + ": the check box of row " + std::to_string(row) + " is disabled");
                } else {
                    backend.SimulateRowCheck(control, row, step.flag);
                }
            }
            break;
        case StepAction::Key: {
            HWindow focus = backend.GetFocus();
            if (focus == nullptr || !ShownWithAncestors(focus)) {
                CDialog* modal = ActiveModalDialog();
                focus = modal != nullptr ? static_cast<HWindow>(*modal) : nullptr;
            }
            backend.SimulateKey(focus, static_cast<Key>(step.number));
            break;
        }
        case StepAction::Close:
        case StepAction::SysCommand: {
            CDialog* modal = ActiveModalDialog();
            if (modal == nullptr) {
                Fail(Where(step) + ": no modal window");
            } else if (step.action == StepAction::Close) {
                backend.SimulateClose(*modal);
            } else {
                backend.SimulateSysCommand(*modal, step.number);
            }
            break;
        }
        case StepAction::ExpectText:
            if (HWindow control = FindControl(step)) {
                expectEqual("the text", backend.GetText(control), step.text);
            }
            break;
        case StepAction::ExpectSelection:
            if (HWindow control = FindControl(step)) {
                const int row = backend.GetCurSel(control);
                expectEqual("the selected row", row < 0 ? "" : backend.GetRowText(control, row), step.text);
            }
            break;
        case StepAction::ExpectEnabled:
            if (HWindow control = FindControl(step)) {
                expectEqual("the enablement", backend.IsEnabled(control) ? "yes" : "no",
                            step.flag ? "yes" : "no");
            }
            break;
        case StepAction::ExpectVisible:
            if (HWindow control = FindControl(step)) {
                expectEqual("the visibility", ShownWithAncestors(control) ? "yes" : "no",
                            step.flag ? "yes" : "no");
            }
            break;
        case StepAction::ExpectRows:
            if (HWindow control = FindControl(step)) {
                expectEqual("the row count", std::to_string(backend.GetCount(control)),
                            std::to_string(step.number));
            }
            break;
        case StepAction::ExpectCheck:
            if (HWindow control = FindControl(step)) {
                expectEqual("the check of row " + std::to_string(step.row),
                            backend.GetRowCheck(control, step.row) ? "on" : "off", step.flag ? "on" : "off");
            }
            break;
        case StepAction::Wait:
            return {StepOutcome::Wait, step.number, ""};
        case StepAction::Screenshot:
            return {StepOutcome::Screenshot, 0, step.text};
        case StepAction::Answer:
        case StepAction::ChooseFile:
            break;
    }
    return {};
}

int Scenario::AnswerMessageBox(const std::string& text, BoxButtons buttons) {
    const int refusal = buttons == BoxButtons::YesNo      ? kIdNo
                        : buttons == BoxButtons::OkCancel ? kIdCancel
                                                          : kIdOk;
    const ScenarioStep* step = PeekStep();
    if (step == nullptr || step->action != StepAction::Answer) {
        Fail((step != nullptr ? Where(*step) : std::string("end")) + ": an unexpected message box \"" + text +
             "\"");
        return refusal;
    }
    ++next_;
    if (step->flag && step->text != text) {
        Fail(Where(*step) + ": the message box says \"" + text + "\", expected \"" + step->text + "\"");
    }
    return step->number;
}

bool Scenario::AnswerOpenFile(std::string* path) {
    const ScenarioStep* step = PeekStep();
    if (step == nullptr || step->action != StepAction::ChooseFile) {
        Fail((step != nullptr ? Where(*step) : std::string("end")) + ": an unexpected open-file dialog");
        return false;
    }
    ++next_;
    if (step->flag) {
        *path = step->text;
    }
    return step->flag;
}

}  // namespace ui

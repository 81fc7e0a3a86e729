// The scripted technician's scenario text, on any bytes.
//
// Properties: a scenario parses exactly when each of its lines parses alone, and then holds the steps
// of its lines in order, each with its line number; a refused scenario names the first line that is
// refused alone, with that line's reason; every step holds what its form allows (a row of #n is not
// negative, neither is a wait or a row count; a key is Enter or Escape; an answer is OK, Cancel, Yes
// or No); a step written back in its canonical form parses to the same step; lines ended by CR LF
// read as those ended by LF; running the steps on a back-end without windows hands back each wait's
// milliseconds, each screenshot's name and each answer as parsed.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace {

using ui::StepAction;

std::string Shown(std::string_view text) {
    return fuzz::Printable(text.substr(0, 200));
}

bool SameStep(const ui::ScenarioStep& a, const ui::ScenarioStep& b, bool withLine) {
    return a.action == b.action && a.control == b.control && a.inTemplate == b.inTemplate && a.row == b.row &&
           a.text == b.text && a.flag == b.flag && a.number == b.number && (!withLine || a.line == b.line);
}

std::string Describe(const ui::ScenarioStep& s) {
    return "action " + std::to_string(static_cast<int>(s.action)) + " control " + std::to_string(s.control) +
           "@" + std::to_string(s.inTemplate) + " row " + std::to_string(s.row) + " text \"" +
           fuzz::Printable(s.text) + "\" flag " + std::to_string(s.flag) + " number " +
           std::to_string(s.number) + " line " + std::to_string(s.line);
}

// The lines as the parser reads them: split at LF, a last line without its LF included.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            default:
                quoted += c;
                break;
        }
    }
    return quoted + "\"";
}

// The step in the form the scenario format describes, one line.
std::string Written(const ui::ScenarioStep& s) {
    std::string control = std::to_string(s.control);
    if (s.inTemplate != 0) {
        control += "@" + std::to_string(s.inTemplate);
    }
    const std::string row = "#" + std::to_string(s.row);
    const std::string onOff = s.flag ? "on" : "off";
    const std::string yesNo = s.flag ? "yes" : "no";
    switch (s.action) {
        case StepAction::Click:
            return "click " + control;
        case StepAction::Type:
            return "type " + control + " " + Quoted(s.text);
        case StepAction::Select:
            return "select " + control + " " + (s.row >= 0 ? row : Quoted(s.text));
        case StepAction::DoubleClick:
            return "dblclick " + control + " " + row;
        case StepAction::Tick:
            return "tick " + control + " " + row + " " + onOff;
        case StepAction::Key:
            return s.number == static_cast<int>(ui::Key::Enter) ? "key enter" : "key escape";
        case StepAction::Close:
            return "close";
        case StepAction::SysCommand:
            return "syscommand " + std::to_string(s.number);
        case StepAction::Answer: {
            const std::string answer = s.number == ui::kIdOk       ? "ok"
                                       : s.number == ui::kIdCancel ? "cancel"
                                       : s.number == ui::kIdYes    ? "yes"
                                                                   : "no";
            return "answer " + answer + (s.flag ? " " + Quoted(s.text) : "");
        }
        case StepAction::ChooseFile:
            return s.flag ? "file " + Quoted(s.text) : "file cancel";
        case StepAction::ExpectText:
            return "expect-text " + control + " " + Quoted(s.text);
        case StepAction::ExpectEnabled:
            return "expect-enabled " + control + " " + yesNo;
        case StepAction::ExpectVisible:
            return "expect-visible " + control + " " + yesNo;
        case StepAction::ExpectSelection:
            return "expect-selection " + control + " " + Quoted(s.text);
        case StepAction::ExpectRows:
            return "expect-rows " + control + " " + std::to_string(s.number);
        case StepAction::ExpectCheck:
            return "expect-check " + control + " " + row + " " + onOff;
        case StepAction::Wait:
            return "wait " + std::to_string(s.number);
        case StepAction::Screenshot:
            return "screenshot " + s.text;
    }
    return "";
}

void CheckStepValues(const ui::ScenarioStep& s) {
    const std::string step = Describe(s);
    switch (s.action) {
        case StepAction::Select:
            FUZZ_CHECK(s.row >= 0 ? s.text.empty() : s.row == -1, step + ": neither a row nor a row's text");
            break;
        case StepAction::DoubleClick:
        case StepAction::Tick:
        case StepAction::ExpectCheck:
            FUZZ_CHECK(s.row >= 0, step + ": a negative row");
            break;
        case StepAction::Key:
            FUZZ_CHECK(
                s.number == static_cast<int>(ui::Key::Enter) || s.number == static_cast<int>(ui::Key::Escape),
                step + ": not a key");
            break;
        case StepAction::Answer:
            FUZZ_CHECK(s.number == ui::kIdOk || s.number == ui::kIdCancel || s.number == ui::kIdYes ||
                           s.number == ui::kIdNo,
                       step + ": not an answer");
            break;
        case StepAction::Wait:
            FUZZ_CHECK(s.number >= 0, step + ": a wait into the past");
            break;
        case StepAction::ExpectRows:
            FUZZ_CHECK(s.number >= 0, step + ": a negative row count");
            break;
        case StepAction::Screenshot:
            FUZZ_CHECK(!s.text.empty() && s.text.find_first_of(" \t\r\n") == std::string::npos,
                       step + ": a screenshot name that is not one word");
            break;
        default:
            break;
    }
}

// Takes the steps out by running them on the headless back-end, where no window is open: every step
// that needs a control fails harmlessly, the rest hand back what they were parsed with.
std::vector<ui::ScenarioStep> Run(ui::Scenario scenario) {
    static ui::HeadlessBackend headless;
    static const ui::ScopedBackend installed(headless);
    std::vector<ui::ScenarioStep> steps;
    while (const ui::ScenarioStep* next = scenario.PeekStep()) {
        const ui::ScenarioStep step = *next;
        steps.push_back(step);
        if (step.action == StepAction::Answer) {
            FUZZ_CHECK(scenario.AnswerMessageBox(step.text, ui::BoxButtons::Ok) == step.number,
                       Describe(step) + ": answered otherwise");
        } else if (step.action == StepAction::ChooseFile) {
            std::string path = "unchanged";
            FUZZ_CHECK(
                scenario.AnswerOpenFile(&path) == step.flag && path == (step.flag ? step.text : "unchanged"),
                Describe(step) + ": chose " + fuzz::Printable(path));
        } else {
            const ui::StepOutcome outcome = scenario.RunNextStep();
            if (step.action == StepAction::Wait) {
                FUZZ_CHECK(outcome.kind == ui::StepOutcome::Wait && outcome.milliseconds == step.number,
                           Describe(step) + ": waited otherwise");
            } else if (step.action == StepAction::Screenshot) {
                FUZZ_CHECK(outcome.kind == ui::StepOutcome::Screenshot && outcome.name == step.text,
                           Describe(step) + ": took another picture");
            } else {
                FUZZ_CHECK(outcome.kind == ui::StepOutcome::Done, Describe(step) + ": did not finish");
            }
        }
    }
    return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = Lines(text);

    // Each line alone: its step, if any, or its reason.
    std::vector<std::vector<ui::ScenarioStep>> alone;
    std::optional<std::size_t> firstRefused;
    std::string refusal;
    for (std::size_t index = 0; index < lines.size() && !firstRefused; ++index) {
        std::string error;
        const std::optional<ui::Scenario> one = ui::Scenario::Parse(lines[index], &error);
        if (!one) {
            FUZZ_CHECK(error.rfind("line 1: ", 0) == 0, Shown(lines[index]) + ": refused as " + error);
            firstRefused = index;
            refusal = error.substr(8);
            break;
        }
        std::vector<ui::ScenarioStep> own = Run(*one);
        FUZZ_CHECK(own.size() <= 1, Shown(lines[index]) + ": more than one step on a line");
        for (ui::ScenarioStep& step : own) {
            FUZZ_CHECK(step.line == 1, Describe(step) + ": the line number of a one-line text");
            CheckStepValues(step);
            const std::string written = Written(step);
            std::string writtenError;
            const std::optional<ui::Scenario> back = ui::Scenario::Parse(written, &writtenError);
            FUZZ_CHECK(back.has_value(),
                       Shown(lines[index]) + " written as " + Shown(written) + ": " + writtenError);
            const std::vector<ui::ScenarioStep> again = Run(*back);
            FUZZ_CHECK(again.size() == 1 && SameStep(again[0], step, true),
                       Shown(lines[index]) + " written as " + Shown(written) + " parses otherwise");
            step.line = static_cast<int>(index + 1);
        }
        alone.push_back(std::move(own));
    }

    std::string error;
    const std::optional<ui::Scenario> whole = ui::Scenario::Parse(text, &error);
    std::vector<ui::ScenarioStep> steps;
    if (firstRefused) {
        FUZZ_CHECK(!whole.has_value(), Shown(lines[*firstRefused]) + " is refused alone but not in the text");
        FUZZ_CHECK(error == "line " + std::to_string(*firstRefused + 1) + ": " + refusal,
                   "the text is refused as " + error + ", its first bad line as " + refusal);
    } else {
        FUZZ_CHECK(whole.has_value(),
                   Shown(text) + ": each line parses alone, the text is refused as " + error);
        steps = Run(*whole);
        std::size_t at = 0;
        for (const std::vector<ui::ScenarioStep>& line : alone) {
            for (const ui::ScenarioStep& step : line) {
                FUZZ_CHECK(at < steps.size() && SameStep(steps[at], step, true),
                           Describe(step) + ": not the text's step " + std::to_string(at));
                ++at;
            }
        }
        FUZZ_CHECK(at == steps.size(), "the text has more steps than its lines");
    }

    std::string crlf;
    for (const char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    std::string crlfError;
    const std::optional<ui::Scenario> windows = ui::Scenario::Parse(crlf, &crlfError);
    FUZZ_CHECK(windows.has_value() == whole.has_value() && crlfError == error,
               "with CR LF line ends: " + crlfError + ", with LF: " + error);
    if (whole) {
        const std::vector<ui::ScenarioStep> crlfSteps = Run(*windows);
        FUZZ_CHECK(steps.size() == crlfSteps.size() &&
                       std::equal(steps.begin(), steps.end(), crlfSteps.begin(),
                                  [](const ui::ScenarioStep& x, const ui::ScenarioStep& y) {
                                      return SameStep(x, y, true);
                                  }),
                   "CR LF line ends give other steps");
    }
    return 0;
}

#include "BidirectionalCommands.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "BidirectionalArguments.h"
#include "ExitCodes.h"
#include "JsonWriter.h"
#include "PortAnswer.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "config/CTolvPrnParam.h"
#include "patterns/BidirectionalJobs.h"
#include "patterns/PrintJobStarter.h"
#include "printer/BidirectionalValues.h"

namespace tolvane_cli {
namespace {

constexpr int kRows = printer::kBidirectionalRows;

BidirectionalModeNames ModeNamesOfProfile() {
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    BidirectionalModeNames names;
    for (int row = 0; row < kRows; ++row) {
        names[static_cast<std::size_t>(row)] = model.strBidName[row];
    }
    return names;
}

std::string RowCaption(int row) {
    return printer::BidirectionalRowCaption(CTolvPrnParam::Instance()->strBidName[row]);
}

std::uint8_t SignedByte(int value) {
    return static_cast<std::uint8_t>(static_cast<std::int8_t>(value));
}

// Runs one bi-directional job of the engine; its messages go to the error stream.
bool RunJob(ServiceSession& session, patterns::BidirectionalJob job) {
    patterns::StartPrintJobFromConfig(session.JobMessages(), patterns::kBidirectionalSelector, job.item,
                                      job.record);
    return !job.record.Failed();
}

}  // namespace

int RefuseExtraWords(ServiceSession& session, const CommandArguments& arguments, const char* form) {
    return session.Refuse("unexpected \"" + arguments.front() + "\": the form is " + form);
}

int RunBidRead(ServiceSession& session, const CommandArguments& arguments) {
    if (!arguments.empty()) {
        return RefuseExtraWords(session, arguments, "bid read [--json]");
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    std::vector<std::optional<int>> values;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return kExitFailed;
        }
        for (int row = 0; row < kRows; ++row) {
            // A row that cannot be read is told by the access object; the others are still shown.
            values.push_back(printer::ReadBidirectionalValue(eeprom.Get(), row));
        }
    }
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    bool allRead = true;
    JsonValue rows = JsonValue::Array();
    std::string table = "row mode              number value\n";
    for (int row = 0; row < kRows; ++row) {
        const std::string& name = model.strBidName[row];
        const int number = printer::BidirectionalModeNumber(name);
        const std::optional<int>& value = values[static_cast<std::size_t>(row)];
        allRead = allRead && value.has_value();
        rows.Push(JsonValue::Object()
                      .Add("row", JsonValue::Number(row))
                      .Add("mode", JsonValue::String(name))
                      .Add("number", JsonValue::Number(number))
                      .Add("value", value ? JsonValue::Number(*value) : JsonValue::Null()));
        char line[96];
        std::snprintf(line, sizeof line, "%-3d %-17s %6d %5s\n", row, name.c_str(), number,
                      value ? std::to_string(*value).c_str() : "?");
        table += line;
    }
    if (session.Options().json) {
        session.Out() << JsonValue::Object().Add("rows", std::move(rows)).Text() << "\n";
    } else {
        session.Out() << table;
    }
    return allRead ? kExitSuccess
                   : ReadingFailed(session, "a stored correction could not be read (shown as ?)");
}

int RunBidPrint(ServiceSession& session, const CommandArguments& arguments) {
    if (!arguments.empty()) {
        return RefuseExtraWords(session, arguments, "bid print [--mode ROW|NAME]");
    }
    const std::optional<std::string> mode = session.Options().Value("mode");
    std::string error;
    if (mode && !CheckBidirectionalMode(*mode, &error)) {
        return session.Refuse("--mode: " + error);
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    std::vector<int> rows;
    if (mode) {
        const std::optional<int> row = BidirectionalRowOf(*mode, ModeNamesOfProfile(), &error);
        if (!row) {
            return session.Refuse("--mode: " + error);
        }
        rows.push_back(*row);
    } else {
        rows = {0, 1, 2};
    }
    if (session.Options().dryRun) {
        for (const int row : rows) {
            session.Out() << "would print row " << row << " " << RowCaption(row) << "\n";
        }
        return kExitSuccess;
    }
    ProgressBar progress = session.Progress("bid print", static_cast<int>(rows.size()) + 1);
    bool printed = false;
    bool allRead = true;
    for (const int row : rows) {
        std::optional<int> stored;
        {
            printer::EepromHold eeprom = session.OpenEeprom();
            if (eeprom) {
                stored = printer::ReadBidirectionalValue(eeprom.Get(), row);
            }
        }
        progress.Step();
        // The pattern is labelled with the stored correction: without it the label would tell a value
        // the printer does not hold. The failed read has been told.
        if (!stored) {
            allRead = false;
            continue;
        }
        // No value was sent in this run: the pattern's own value is 0, as on a page just opened.
        if (!RunJob(session, patterns::BidirectionalPatternJob(row, 0, *stored))) {
            progress.Finish();
            return ReadingFailed(session, "the pattern of row " + std::to_string(row) + " was not printed");
        }
        printed = true;
        session.Out() << "printed row " << row << " " << RowCaption(row) << ", stored value " << *stored
                      << "\n";
    }
    // Only a printout that was begun is ended: a form feed alone would eject a blank sheet.
    if (printed && !RunJob(session, patterns::PrintoutEndJob())) {
        progress.Finish();
        return ReadingFailed(session, "the printout was not ended: eject the sheet by hand");
    }
    progress.Step();
    progress.Finish();
    return allRead
               ? kExitSuccess
               : ReadingFailed(session, "a stored correction could not be read: its pattern was not printed");
}

int RunBidSet(ServiceSession& session, const CommandArguments& arguments) {
    std::vector<BidirectionalAssignment> assignments;
    std::string error;
    if (!ParseBidirectionalAssignments(arguments, &assignments, &error)) {
        return session.Refuse(error);
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    // The value of each row, in row order as the page sends them; a row named twice is refused
    // rather than one of its values dropped.
    std::array<std::optional<int>, kRows> values;
    const BidirectionalModeNames names = ModeNamesOfProfile();
    for (const BidirectionalAssignment& assignment : assignments) {
        const std::optional<int> row = BidirectionalRowOf(assignment.mode, names, &error);
        if (!row) {
            return session.Refuse(error);
        }
        std::optional<int>& value = values[static_cast<std::size_t>(*row)];
        if (value) {
            return session.Refuse("row " + std::to_string(*row) + " is given twice: one value per row");
        }
        value = assignment.value;
    }
    std::vector<ByteChange> changes;
    for (int row = 0; row < kRows; ++row) {
        if (const std::optional<int>& value = values[static_cast<std::size_t>(row)]) {
            changes.push_back({printer::kBidirectionalFirstAddress + row, SignedByte(*value)});
        }
    }
    // The values go the page's way, as value commands of the engine, so the read-back proves that
    // the printer stored what the engine sent.
    const auto sendValues = [&session, &values]() {
        for (int row = 0; row < kRows; ++row) {
            const std::optional<int>& value = values[static_cast<std::size_t>(row)];
            if (!value) {
                continue;
            }
            // The rows after a failed job would meet the same printer.
            if (!RunJob(session, patterns::BidirectionalValueJob(row, *value))) {
                return false;
            }
        }
        return true;
    };
    return RunVerifiedChange(session, changes, sendValues);
}

}  // namespace tolvane_cli

// The printer's usage counters and its fatal error history, with the counter and history pages' own
// loops (printer::ReadUsageCounters, printer::ResetUsageCounters, printer::ReadFatalErrorHistory). A
// reset is an EEPROM change like any other: planned, backed up and read back by RunVerifiedChange.
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "JsonWriter.h"
#include "PortAnswer.h"
#include "ServiceCommand.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "patterns/EngineTexts.h"
#include "printer/FatalErrorHistory.h"
#include "printer/UsageCounters.h"

namespace tolvane_cli {
namespace {

// The counters in the order of printer::kUsageCounters: the word that names one on the command line
// and in --json, and the counter page's label.
struct CounterName {
    const char* word;
    const char* label;
};

constexpr std::array<CounterName, 3> kCounterNames = {{
    {"ribbon", "Driving Line Count for Ribbon Change Timing"},
    {"hours", "Driving Hour"},
    {"lines", "Driving Line count"},
}};
static_assert(kCounterNames.size() == printer::kUsageCounters.size(), "a name for every counter");

constexpr const char* kCounterWords = "ribbon, hours, lines";

int RefuseWords(ServiceSession& session, const char* command, const std::string& form) {
    return session.Refuse(std::string(command) + " takes " + form);
}

int RefuseWatch(ServiceSession& session, const char* command) {
    return session.Refuse(std::string(command) + " reads once; --watch is for status and sensors");
}

// ---- counters

int RunCounters(ServiceSession& session, const CommandArguments& words) {
    if (!words.empty()) {
        return RefuseWords(
            session, "counters",
            "no words, only [--json] (\"counters reset\" clears them); \"" + words.front() + "\" is neither");
    }
    if (session.Options().watch) {
        return RefuseWatch(session, "counters");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    std::array<std::uint32_t, kCounterNames.size()> values{};
    int read = 0;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return ReadingFailed(session, "the counters could not be read");
        }
        ProgressBar bar = session.Progress("reading the counters", printer::kUsageCounterSteps);
        read = printer::ReadUsageCounters(
            eeprom.Get(),
            [&](int index, std::uint32_t value) { values[static_cast<std::size_t>(index)] = value; },
            [&] { bar.Step(); });
        bar.Finish();
    }
    if (read < static_cast<int>(kCounterNames.size())) {
        return ReadingFailed(session, std::string("the counter \"") +
                                          kCounterNames[static_cast<std::size_t>(read)].word +
                                          "\" could not be read");
    }
    if (session.Options().json) {
        JsonValue object = JsonValue::Object();
        for (std::size_t i = 0; i < kCounterNames.size(); ++i) {
            object.Add(kCounterNames[i].word, JsonValue::Number(values[i]));
        }
        session.Out() << object.Text() << "\n";
        return kExitSuccess;
    }
    for (std::size_t i = 0; i < kCounterNames.size(); ++i) {
        session.Out() << kCounterNames[i].word << ": " << values[i] << " (" << kCounterNames[i].label
                      << ")\n";
    }
    return kExitSuccess;
}

// ---- counters reset

// The flags of the counters the words name; nothing for a word that names none.
std::optional<int> CounterFlags(const CommandArguments& words, std::string* unknown) {
    int flags = 0;
    for (const std::string& word : words) {
        bool known = false;
        for (std::size_t i = 0; i < kCounterNames.size(); ++i) {
            if (word == kCounterNames[i].word) {
                flags |= printer::kUsageCounters[i].flag;
                known = true;
            }
        }
        if (!known) {
            *unknown = word;
            return std::nullopt;
        }
    }
    return flags;
}

// Four zero bytes for every counter the flags choose.
std::vector<ByteChange> ResetChanges(int flags) {
    std::vector<ByteChange> changes;
    for (const printer::UsageCounter& counter : printer::kUsageCounters) {
        if ((flags & counter.flag) != 0) {
            for (int j = 0; j < 4; ++j) {
                changes.push_back({counter.firstAddress + j, 0});
            }
        }
    }
    return changes;
}

int RunReset(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "counters reset";
    const std::string form = std::string("one or more of ") + kCounterWords;
    if (words.empty()) {
        return RefuseWords(session, kCommand, form);
    }
    std::string unknown;
    const std::optional<int> flags = CounterFlags(words, &unknown);
    if (!flags) {
        return session.Refuse(std::string(kCommand) + ": no counter \"" + unknown + "\"; it takes " + form);
    }
    if (session.Options().watch) {
        return session.Refuse(std::string(kCommand) +
                              " changes the printer once; --watch is for status and sensors");
    }
    return RunVerifiedChange(session, ResetChanges(*flags), [&session, &flags] {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return false;
        }
        ProgressBar bar = session.Progress("resetting the counters", printer::kUsageCounterSteps);
        const int reset = printer::ResetUsageCounters(eeprom.Get(), *flags, [&] { bar.Step(); });
        bar.Finish();
        if (reset == 0) {
            session.Err() << "tolvane: Fail to Reset Counter\n";
        }
        return reset != 0;
    });
}

// ---- fatal-history

// Signed, as the history page shows it: an erased count reads -1.
long long LineCount(const printer::FatalErrorEntry& entry) {
    return static_cast<std::int32_t>(entry.lineCount);
}

int RunFatalHistory(ServiceSession& session, const CommandArguments& words) {
    if (!words.empty()) {
        return RefuseWords(session, "fatal-history",
                           "no words, only [--json]; \"" + words.front() + "\" is not one");
    }
    if (session.Options().watch) {
        return RefuseWatch(session, "fatal-history");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    std::array<printer::FatalErrorEntry, printer::kFatalHistoryEntries> entries{};
    int read = 0;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return ReadingFailed(session, "the fatal error history could not be read");
        }
        ProgressBar bar = session.Progress("reading the fatal error history", printer::kFatalHistoryEntries);
        read = printer::ReadFatalErrorHistory(
            eeprom.Get(),
            [&](int index, const printer::FatalErrorEntry& entry) {
                entries[static_cast<std::size_t>(index)] = entry;
            },
            [&] { bar.Step(); });
        bar.Finish();
    }
    if (read < printer::kFatalHistoryEntries) {
        return ReadingFailed(
            session, "entry " + std::to_string(read) + " of the fatal error history could not be read");
    }
    if (session.Options().json) {
        JsonValue list = JsonValue::Array();
        for (const printer::FatalErrorEntry& entry : entries) {
            list.Push(JsonValue::Object()
                          .Add("code", JsonValue::Number(entry.code))
                          .Add("description",
                               JsonValue::String(patterns::FatalErrorText(session.Texts(), entry.code)))
                          .Add("lineCount", entry.lineCountRead ? JsonValue::Number(LineCount(entry))
                                                                : JsonValue::Null()));
        }
        session.Out() << JsonValue::Object().Add("entries", std::move(list)).Text() << "\n";
        return kExitSuccess;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const printer::FatalErrorEntry& entry = entries[i];
        char row[48];
        std::snprintf(row, sizeof row, "%zu  0x%02X  %11s  ", i, static_cast<unsigned>(entry.code),
                      entry.lineCountRead ? std::to_string(LineCount(entry)).c_str() : "?");
        session.Out() << row << patterns::FatalErrorText(session.Texts(), entry.code)
                      << (i == 0 ? "  (latest)" : "") << "\n";
    }
    return kExitSuccess;
}

constexpr std::array<ServiceCommand, 3> kCommands = {{
    {"counters", "[--json]", "show the printer's three usage counters",
     "Reads the three usage counters as the counter page does and prints one\n"
     "line each, \"WORD: VALUE (LABEL)\":\n"
     "  ribbon  the driving line count for the ribbon change timing\n"
     "  hours   the driving hours\n"
     "  lines   the driving line count\n"
     "The words are those `counters reset` takes.\n"
     "\n"
     "--json prints one object instead:\n"
     "  ribbon, hours, lines  each counter's value (numbers 0-4294967295)\n",
     RunCounters},
    {"counters reset", "ribbon|hours|lines...", "set usage counters to 0",
     "Writes 0 into the four bytes of each counter named (one or more of\n"
     "ribbon, hours, lines; see `counters`), as the counter reset page does.\n"
     "Like every change: the plan \"ADDRESS: OLD -> NEW\" on standard output, a\n"
     "backup of the whole EEPROM first (its path on the error stream), every\n"
     "byte read back (exit 4 naming each that differs); --dry-run stops after\n"
     "the plan and writes nothing. An unknown word: exit 2, nothing sent.\n",
     RunReset},
    {"fatal-history", "[--json]", "show the printer's last five fatal errors",
     "Reads the fatal error history as its page does: five entries, the\n"
     "latest first, one line each: the entry's number, the error code, the\n"
     "driving line count at which it happened (signed: an erased count shows\n"
     "-1; \"?\" when it could not be read) and the description from the\n"
     "language file.\n"
     "\n"
     "--json prints one object instead:\n"
     "  entries  the five entries, the latest first, each an object:\n"
     "    code         the error code (number 0-255)\n"
     "    description  its text from the language file\n"
     "    lineCount    the driving line count (number; null if unread)\n",
     RunFatalHistory},
}};

}  // namespace

std::span<const ServiceCommand> CounterCommands() {
    return kCommands;
}

}  // namespace tolvane_cli

// The adjustment commands: bid (in BidirectionalCommands.cpp), margin and pe-threshold, through the
// printer service and the engine jobs the adjustment pages use.
#include "ServiceCommand.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "BidirectionalCommands.h"
#include "ExitCodes.h"
#include "JsonWriter.h"
#include "PortAnswer.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "config/CTolvPrnParam.h"
#include "patterns/SelectedPrinter.h"
#include "printer/MarginSteps.h"
#include "printer/PaperEndThresholds.h"
#include "printer/WaitForPrinter.h"

namespace tolvane_cli {
namespace {

// After the last threshold byte the printer commits the bytes before it answers again.
constexpr int kThresholdSettleMs = 2000;

// ---- margin ------------------------------------------------------------------------------------

const char* EdgeName(printer::MarginEdge edge) {
    return edge == printer::MarginEdge::Top ? "top" : "bottom";
}

std::string Millimetres(double millimetres, int decimals = 2) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, millimetres + 0.0);
    return text;
}

// The selected model's scale; nothing, with the refusal told, when nobody knows its feed step.
std::optional<printer::MarginScale> KnownMarginScale(ServiceSession& session) {
    const printer::MarginScale scale = patterns::SelectedMarginScale();
    if (scale.Known()) {
        return scale;
    }
    session.Refuse("the margin step of the model " + CTolvPrnParam::Instance()->strProfileName +
                   " is not known: set nMarginStepsPerInch in [CONTROL] of its Parameter.ini");
    return std::nullopt;
}

int RunMarginRead(ServiceSession& session, const CommandArguments& arguments, printer::MarginEdge edge) {
    if (!arguments.empty()) {
        return RefuseExtraWords(session, arguments, "margin top|bottom read [--json]");
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    const std::optional<printer::MarginScale> scale = KnownMarginScale(session);
    if (!scale) {
        return kExitUsage;
    }
    double margin = 0.0;
    int read = 0;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return kExitFailed;
        }
        read = printer::ReadMargin(eeprom.Get(), edge, *scale, &margin, {});
    }
    if (read == 0) {
        return ReadingFailed(session, std::string("the ") + EdgeName(edge) + " margin could not be read");
    }
    if (session.Options().json) {
        session.Out() << JsonValue::Object()
                             .Add("edge", JsonValue::String(EdgeName(edge)))
                             .Add("millimetres", JsonValue::Real(margin))
                             .Text()
                      << "\n";
    } else {
        session.Out() << EdgeName(edge) << " margin " << Millimetres(margin) << " mm\n";
    }
    return kExitSuccess;
}

int RunMarginSet(ServiceSession& session, const CommandArguments& arguments, printer::MarginEdge edge) {
    const printer::MarginRule& rule = printer::MarginRuleOf(edge);
    const std::string range = Millimetres(rule.lowest, 1) + " to " + Millimetres(rule.highest, 1) + " mm";
    if (arguments.size() != 1) {
        return session.Refuse(std::string("margin ") + EdgeName(edge) + " set takes one margin in mm (" +
                              range + ")");
    }
    double entered = 0.0;
    if (!printer::ParseMarginText(arguments.front(), &entered)) {
        return session.Refuse("\"" + arguments.front() +
                              "\" is not a margin: give mm as digits with at most one "
                              "decimal point (" +
                              range + ")");
    }
    if (entered < rule.lowest || entered > rule.highest) {
        return session.Refuse(std::string("the ") + EdgeName(edge) + " margin " + arguments.front() +
                              " mm is out of range: it is " + range);
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    const std::optional<printer::MarginScale> scale = KnownMarginScale(session);
    if (!scale) {
        return kExitUsage;
    }
    const std::uint8_t wanted = printer::StoredForMargin(edge, entered, *scale);
    // The page's own store. Its read-back agrees with the verification that follows; a byte the
    // printer did not keep is left for the verification to name, with its own exit status, so only a
    // write that never reached the printer fails the change here.
    const auto store = [&session, edge, entered, &scale]() {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return false;
        }
        double held = 0.0;
        return printer::StoreMargin(eeprom.Get(), edge, entered, *scale, &held, {}) !=
               printer::MarginStore::WriteFailed;
    };
    const int status = RunVerifiedChange(session, {{rule.address, wanted}}, store);
    if (status == kExitSuccess && !session.Options().dryRun) {
        // What the printer holds: the entered margin on the feed step's grid.
        session.Out() << EdgeName(edge) << " margin "
                      << Millimetres(printer::MarginFromStored(edge, wanted, *scale)) << " mm\n";
    }
    return status;
}

int RunTopMarginRead(ServiceSession& session, const CommandArguments& arguments) {
    return RunMarginRead(session, arguments, printer::MarginEdge::Top);
}
int RunBottomMarginRead(ServiceSession& session, const CommandArguments& arguments) {
    return RunMarginRead(session, arguments, printer::MarginEdge::Bottom);
}
int RunTopMarginSet(ServiceSession& session, const CommandArguments& arguments) {
    return RunMarginSet(session, arguments, printer::MarginEdge::Top);
}
int RunBottomMarginSet(ServiceSession& session, const CommandArguments& arguments) {
    return RunMarginSet(session, arguments, printer::MarginEdge::Bottom);
}

// ---- pe-threshold ------------------------------------------------------------------------------

struct ThresholdWord {
    const char* word;
    int kind;  // the kind the item menu makes the threshold page with
};
constexpr ThresholdWord kThresholdWords[] = {{"tpe", 1}, {"pe", 2}, {"front-pe", 4}};

int RunPaperEndThreshold(ServiceSession& session, const CommandArguments& arguments) {
    const printer::PaperEndThreshold* threshold = nullptr;
    if (arguments.size() == 1) {
        for (const ThresholdWord& known : kThresholdWords) {
            if (arguments.front() == known.word) {
                threshold = printer::PaperEndThresholdOf(known.kind);
            }
        }
    }
    if (threshold == nullptr) {
        return session.Refuse(std::string(arguments.empty() ? "no threshold named"
                                                            : "no threshold \"" + arguments.front() + "\"") +
                              ": give one of tpe, pe, front-pe");
    }
    if (const int opened = session.Open(); opened != kExitSuccess) {
        return opened;
    }
    std::vector<ByteChange> changes;
    for (const int address : threshold->addresses) {
        changes.push_back({address, 0});
    }
    const int kind = threshold->kind;
    const auto clear = [&session, kind, &changes]() {
        int cleared = 0;
        {
            printer::EepromHold eeprom = session.OpenEeprom();
            ProgressBar progress = session.Progress("pe-threshold", static_cast<int>(changes.size()));
            cleared =
                eeprom ? printer::ClearPaperEndThreshold(eeprom.Get(), kind, [&progress] { progress.Step(); })
                       : 0;
        }
        if (cleared != 0) {
            // Whatever the wait finds, the read-back that follows tells what the printer holds.
            printer::WaitPrinterReady(session.Target(), kThresholdSettleMs);
        }
        return cleared != 0;
    };
    const int status = RunVerifiedChange(session, changes, clear);
    if (status == kExitSuccess && !session.Options().dryRun) {
        session.Out() << threshold->caption << ": Complete.\n";
    }
    return status;
}

// ---- the table ---------------------------------------------------------------------------------

constexpr ServiceCommand kAdjustmentCommands[] = {
    {"bid read", "[--json]", "show the bi-directional corrections",
     "Reads the bi-directional correction of each print mode row (EEPROM 0xA2,\n"
     "0xA3, 0xA4, signed bytes) and prints one line per row:\n"
     "  row mode              number value\n"
     "row is 0-2, mode the profile's mode name, number the printer's mode number\n"
     "(-1 for a name it does not know), value the correction -12..12 (? when\n"
     "the byte could not be read; the exit status is then 1).\n"
     "--json: {\"rows\":[{\"row\":0,\"mode\":\"Draft\",\"number\":1,\"value\":-3},...]}\n"
     "with value null for a row that could not be read.\n",
     RunBidRead},
    {"bid print", "[--mode ROW|NAME]", "print the bi-directional patterns",
     "Prints the alignment pattern of every row, or with --mode of one row, each\n"
     "labelled with the correction the printer holds, then ends the printout\n"
     "with a form feed. --mode takes a row 0-2 (the rows of `bid read`, not the\n"
     "printer's mode numbers: row 0 Draft is Mode1) or the row's mode name.\n"
     "Prints one line per pattern printed. --dry-run lists the rows and prints\n"
     "nothing. A row whose correction cannot be read is left out (exit 1).\n",
     RunBidPrint},
    {"bid set", "MODE=VALUE...", "store bi-directional corrections",
     "Stores the correction of each row named: MODE is a row 0-2 (the rows of\n"
     "`bid read`, not the printer's mode numbers) or the row's mode name from\n"
     "the profile (case ignored), VALUE -12..12. Example: bid set 0=-3 LQ=2.\n"
     "Every value is checked before anything is sent (exit 2). The values go\n"
     "out as the printer's value commands in row order, after a backup of the\n"
     "EEPROM; the bytes at 0xA2+row are then read back (exit 4 names each one\n"
     "the printer did not keep). Prints the plan, one line per byte:\n"
     "\"0xA2: 0x00 -> 0xFD\". --dry-run prints the plan and sends nothing.\n",
     RunBidSet},
    {"margin top read", "[--json]", "show the top margin in mm",
     "Reads the top margin (EEPROM 0x7C, signed, in paper feed steps of the\n"
     "model) and prints it in millimetres: \"top margin 8.50 mm\".\n"
     "--json: {\"edge\":\"top\",\"millimetres\":8.5}\n"
     "A model whose feed step is not known is refused (exit 2).\n",
     RunTopMarginRead},
    {"margin bottom read", "[--json]", "show the bottom margin in mm",
     "Reads the bottom margin (EEPROM 0x7E, unsigned, in paper feed steps of\n"
     "the model less its step offset) and prints it in millimetres:\n"
     "\"bottom margin 0.75 mm\".\n"
     "--json: {\"edge\":\"bottom\",\"millimetres\":0.75}\n"
     "A model whose feed step is not known is refused (exit 2).\n",
     RunBottomMarginRead},
    {"margin top set", "MM", "store the top margin, 5.0-12.5 mm",
     "Stores the top margin MM, 5.0 to 12.5 (digits with at most one decimal\n"
     "point), as the feed step nearest it at EEPROM 0x7C, after a backup of the\n"
     "EEPROM; the byte is read back (exit 4 when the printer did not keep it).\n"
     "Prints the plan (\"0x7C: 0x00 -> 0x0A\") and then the margin the printer\n"
     "holds: \"top margin 7.80 mm\". --dry-run prints the plan only.\n",
     RunTopMarginSet},
    {"margin bottom set", "MM", "store the bottom margin, 0.0-6.8 mm",
     "Stores the bottom margin MM, 0.0 to 6.8 (digits with at most one decimal\n"
     "point), as the feed step nearest it at EEPROM 0x7E, after a backup of the\n"
     "EEPROM; the byte is read back (exit 4 when the printer did not keep it).\n"
     "Prints the plan (\"0x7E: 0x00 -> 0x0A\") and then the margin the printer\n"
     "holds: \"bottom margin 1.45 mm\". --dry-run prints the plan only.\n",
     RunBottomMarginSet},
    {"pe-threshold", "tpe|pe|front-pe", "re-learn a paper-end threshold",
     "Clears the learned threshold of one paper-end sensor, so the printer\n"
     "learns it again on its next paper load: tpe the top paper end (EEPROM\n"
     "0xAA-0xAD), pe the paper end (0xA6, 0xA7), front-pe the front paper end\n"
     "(0xA8, 0xA9). A backup of the EEPROM comes first; after the writes the\n"
     "command waits up to 2 s for the printer and reads the bytes back (exit 4\n"
     "names each one not cleared). Prints the plan, one line per byte, then\n"
     "\"Initialize TPE Threshold: Complete.\" (or PE, Front PE). --dry-run\n"
     "prints the plan only.\n",
     RunPaperEndThreshold},
};

}  // namespace

std::span<const ServiceCommand> AdjustmentCommands() {
    return kAdjustmentCommands;
}

}  // namespace tolvane_cli

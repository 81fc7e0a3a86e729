#include "vprinter/model/ControlVerb.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

namespace vprinter {
namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) {
            ++at;
        }
        std::size_t end = at;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r' &&
               text[end] != '\n') {
            ++end;
        }
        if (end > at) {
            words.push_back(text.substr(at, end - at));
        }
        at = end;
    }
    return words;
}

// Decimal, or hexadecimal after 0x; a leading '-' for the signed values.
bool Number(std::string_view text, long long low, long long high, long long* value) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    long long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    parsed = negative ? -parsed : parsed;
    if (parsed < low || parsed > high) {
        return false;
    }
    *value = parsed;
    return true;
}

bool Flag(std::string_view text, bool* value) {
    if (text == "1" || text == "on" || text == "yes") {
        *value = true;
        return true;
    }
    if (text == "0" || text == "off" || text == "no") {
        *value = false;
        return true;
    }
    return false;
}

std::string Hex2(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// "none", "all", or addresses within the EEPROM separated by commas.
bool StuckCells(std::string_view text, int size, bool* all, std::vector<int>* addresses) {
    *all = text == "all";
    addresses->clear();
    if (*all || text == "none") {
        return true;
    }
    while (true) {
        const std::size_t comma = text.find(',');
        long long address = 0;
        if (!Number(text.substr(0, comma), 0, size - 1, &address)) {
            return false;
        }
        addresses->push_back(static_cast<int>(address));
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    std::sort(addresses->begin(), addresses->end());
    addresses->erase(std::unique(addresses->begin(), addresses->end()), addresses->end());
    return true;
}

std::string StuckCellsText(const Faults& faults) {
    if (faults.eepromStuckAll) {
        return "all";
    }
    if (faults.eepromStuck.empty()) {
        return "none";
    }
    std::string text;
    for (const int address : faults.eepromStuck) {
        char hex[12];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(address));
        if (!text.empty()) {
            text += ',';
        }
        text += hex;
    }
    return text;
}

std::string Report(VirtualPrinter& printer) {
    PrinterCore& core = printer.Core();
    const PrinterState& state = core.State();
    const Faults& faults = state.faults;
    std::ostringstream out;
    out << "port=" << core.PortName() << "\n";
    out << "model=" << core.Profile().model << "\n";
    out << "state=" << state.status << "\n";
    out << "error=" << state.errorCode << "\n";
    out << "sensors=0x" << Hex2(state.sensors) << "\n";
    out << "rom=" << state.romVersion << "\n";
    out << "bid-error=" << state.hiddenTimingError[0] << "," << state.hiddenTimingError[1] << ","
        << state.hiddenTimingError[2] << "\n";
    out << "shift=" << core.RightToLeftShift(0) << "," << core.RightToLeftShift(1) << ","
        << core.RightToLeftShift(2) << "\n";
    out << "bytes-received=" << state.bytesReceived << "\n";
    out << "lines-fed=" << state.linesFed << "\n";
    out << "packet-mode=" << (printer.InPacketMode() ? 1 : 0) << "\n";
    out << "negotiations=" << printer.Transport().Initialisations() << "\n";
    out << "model-preamble=" << (state.modelPreambleSeen ? 1 : 0) << "\n";
    out << "model-preamble-needed=" << (core.Profile().needsModelPreamble ? 1 : 0) << "\n";
    out << "paper-out=" << (faults.paperOut ? 1 : 0) << "\n";
    out << "error-state=" << faults.errorCode << "\n";
    out << "busy-polls=" << faults.busyPolls << "\n";
    out << "offline="
        << (faults.offline == Offline::No       ? "no"
            : faults.offline == Offline::Silent ? "silent"
                                                : "refuse")
        << "\n";
    out << "latency-ms=" << faults.latencyMilliseconds << "\n";
    out << "drop-after=" << faults.dropAfterBytes << "\n";
    out << "garbage=" << (faults.garbage ? 1 : 0) << "\n";
    out << "credit-starvation=" << (faults.creditStarvation ? 1 : 0) << "\n";
    out << "refuse-channel=" << faults.refusedChannel << "\n";
    out << "device-id=" << (faults.deviceId.empty() ? "own" : faults.deviceId) << "\n";
    out << "eeprom-stuck=" << StuckCellsText(faults) << "\n";
    out << "status-form=" << (state.statusForm == StatusForm::Binary ? "binary" : "text") << "\n";
    return out.str();
}

}  // namespace

ControlOutcome ApplyControl(VirtualPrinter& printer, std::string_view words) {
    ControlOutcome outcome;
    std::string queries;
    PrinterCore& core = printer.Core();
    PrinterState& state = core.State();
    Faults& faults = state.faults;
    auto fail = [&outcome](const std::string& reason) {
        outcome.ok = false;
        outcome.text = "ERROR " + reason + "\n";
        return outcome;
    };
    for (std::string_view word : Words(words)) {
        const std::size_t equals = word.find('=');
        const std::string key(word.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : word.substr(equals + 1);
        const bool hasValue = equals != std::string_view::npos;
        long long number = 0;
        bool flag = false;
        if (!hasValue) {
            if (key == "get") {
                queries += Report(printer);
            } else if (key == "clear-faults") {
                faults = Faults{};
            } else if (key == "reset-eeprom") {
                core.FactoryDefaults();
            } else if (key == "save") {
                outcome.saveRequested = true;
            } else {
                return fail("unknown or incomplete word '" + std::string(word) + "'");
            }
            continue;
        }
        if (key == "state" && Number(value, 0, 99, &number)) {
            state.status = static_cast<int>(number);
        } else if (key == "error" && Number(value, 0, 99, &number)) {
            state.errorCode = static_cast<int>(number);
        } else if (key == "error-state" && Number(value, -1, 99, &number)) {
            faults.errorCode = static_cast<int>(number);
        } else if (key == "sensors" && Number(value, 0, 0xFF, &number)) {
            state.sensors = static_cast<std::uint8_t>(number);
        } else if (key == "paper-out" && Flag(value, &flag)) {
            faults.paperOut = flag;
            // The paper-end sensors follow the paper.
            state.sensors =
                flag ? static_cast<std::uint8_t>(state.sensors & ~sensor::kAllPaper)
                     : static_cast<std::uint8_t>(state.sensors | sensor::kRearPaper | sensor::kTopPaper);
        } else if (key == "busy-polls" && Number(value, 0, 1000000, &number)) {
            faults.busyPolls = static_cast<int>(number);
        } else if (key == "offline" && (value == "no" || value == "silent" || value == "refuse")) {
            faults.offline = value == "no"       ? Offline::No
                             : value == "silent" ? Offline::Silent
                                                 : Offline::Refuse;
        } else if (key == "latency-ms" && Number(value, 0, 600000, &number)) {
            faults.latencyMilliseconds = static_cast<std::uint32_t>(number);
        } else if (key == "drop-after" && Number(value, -1, 1LL << 40, &number)) {
            faults.dropAfterBytes = number;
        } else if (key == "garbage" && Flag(value, &flag)) {
            faults.garbage = flag;
        } else if (key == "credit-starvation" && Flag(value, &flag)) {
            faults.creditStarvation = flag;
        } else if (key == "refuse-channel" && Number(value, -1, 0xFF, &number)) {
            faults.refusedChannel = static_cast<int>(number);
        } else if (key == "device-id" && value.size() <= 1024) {
            // Spaces separate the words, so an ID given here has none; "own" restores the printer's.
            faults.deviceId = value == "own" ? std::string() : std::string(value);
        } else if (key == "eeprom-stuck") {
            bool all = false;
            std::vector<int> addresses;
            if (!StuckCells(value, core.EepromImage().Size(), &all, &addresses)) {
                return fail("eeprom-stuck wants none, all or addresses within the EEPROM as a,b,...");
            }
            faults.eepromStuckAll = all;
            faults.eepromStuck = std::move(addresses);
        } else if (key == "status-form" && (value == "text" || value == "binary")) {
            state.statusForm = value == "binary" ? StatusForm::Binary : StatusForm::Text;
        } else if (key == "bid-error") {
            long long a = 0, b = 0, c = 0;
            const std::size_t first = value.find(',');
            const std::size_t second = first == std::string_view::npos ? first : value.find(',', first + 1);
            if (second == std::string_view::npos || !Number(value.substr(0, first), -64, 64, &a) ||
                !Number(value.substr(first + 1, second - first - 1), -64, 64, &b) ||
                !Number(value.substr(second + 1), -64, 64, &c)) {
                return fail("bid-error wants three values -64..64 as a,b,c");
            }
            state.hiddenTimingError = {static_cast<int>(a), static_cast<int>(b), static_cast<int>(c)};
            core.MarkDirty();
        } else if (key == "fatal" && Number(value, 0, 0xFF, &number)) {
            core.EepromImage().RecordFatalError(static_cast<std::uint8_t>(number));
            core.MarkDirty();
        } else if (key == "rom" && !value.empty() && value.size() <= 16 &&
                   value.find(';') == std::string_view::npos) {
            state.romVersion = std::string(value);
            core.MarkDirty();
        } else if (key == "peek" && Number(value, 0, core.EepromImage().Size() - 1, &number)) {
            std::uint8_t byte = 0;
            core.EepromImage().Read(static_cast<int>(number), &byte);
            queries += "peek=" + std::string(value) + ":0x" + Hex2(byte) + "\n";
        } else if (key == "poke") {
            const std::size_t colon = value.find(':');
            long long address = 0;
            if (colon == std::string_view::npos ||
                !Number(value.substr(0, colon), 0, core.EepromImage().Size() - 1, &address) ||
                !Number(value.substr(colon + 1), 0, 0xFF, &number)) {
                return fail("poke wants ADDRESS:VALUE within the EEPROM");
            }
            core.EepromImage().Write(static_cast<int>(address), static_cast<std::uint8_t>(number));
            core.MarkDirty();
        } else {
            return fail("bad word '" + std::string(word) + "'");
        }
    }
    outcome.text = "OK\n" + queries;
    return outcome;
}

}  // namespace vprinter

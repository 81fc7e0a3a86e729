#include "vprinter/model/StateFile.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace vprinter {
namespace {

constexpr char kHeader[] = "tolvane-vprinter-state 1";
constexpr std::size_t kLargestStateFile = 1024 * 1024;

// The lines of the text, without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool Field(std::string_view line, std::string_view name, std::string_view* value) {
    if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ' ') {
        return false;
    }
    *value = line.substr(name.size() + 1);
    return true;
}

template <typename T>
bool Parse(std::string_view text, T* value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string EncodeState(const PrinterCore& core) {
    const PrinterState& state = core.State();
    std::ostringstream out;
    out << kHeader << "\n";
    out << "port " << core.PortName() << "\n";
    out << "model " << core.Profile().model << "\n";
    out << "rom " << state.romVersion << "\n";
    out << "bid-error " << state.hiddenTimingError[0] << " " << state.hiddenTimingError[1] << " "
        << state.hiddenTimingError[2] << "\n";
    out << "bytes-received " << state.bytesReceived << "\n";
    out << "lines-fed " << state.linesFed << "\n";
    out << "eeprom " << state.eeprom.size() << "\n";
    for (std::size_t i = 0; i < state.eeprom.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", state.eeprom[i]);
        out << hex << ((i % 16 == 15 || i + 1 == state.eeprom.size()) ? "\n" : " ");
    }
    std::string text = out.str();
    char crc[32];
    std::snprintf(crc, sizeof crc, "crc32 %08X\n", static_cast<unsigned>(Crc32(text)));
    return text + crc;
}

bool DecodeState(std::string_view text, PrinterCore& core, std::string* problem) {
    const std::size_t crcAt = text.rfind("crc32 ");
    if (crcAt == std::string_view::npos || (crcAt > 0 && text[crcAt - 1] != '\n')) {
        *problem = "no checksum line (the file is cut short)";
        return false;
    }
    std::string_view crcText = text.substr(crcAt + 6);
    while (!crcText.empty() && (crcText.back() == '\n' || crcText.back() == '\r')) {
        crcText.remove_suffix(1);
    }
    std::uint32_t crc = 0;
    if (!Parse(crcText, &crc, 16) || crc != Crc32(text.substr(0, crcAt))) {
        *problem = "the checksum does not match the contents";
        return false;
    }
    const std::vector<std::string_view> lines = Lines(text.substr(0, crcAt));
    const PrinterState& current = core.State();
    std::size_t expectedSize = current.eeprom.size();
    if (lines.size() < 8 || lines[0] != kHeader) {
        *problem = "not a state file of this version";
        return false;
    }
    std::string_view value;
    if (!Field(lines[1], "port", &value) || value != core.PortName()) {
        *problem = "it belongs to another port";
        return false;
    }
    if (!Field(lines[2], "model", &value) || value != core.Profile().model) {
        *problem = "it holds another model";
        return false;
    }
    PrinterState loaded = current;
    if (!Field(lines[3], "rom", &value) || value.empty() || value.size() > 16) {
        *problem = "bad rom line";
        return false;
    }
    loaded.romVersion = std::string(value);
    if (!Field(lines[4], "bid-error", &value)) {
        *problem = "bad bid-error line";
        return false;
    }
    for (int mode = 0; mode < kPrintModes; ++mode) {
        const std::size_t space = value.find(' ');
        int error = 0;
        if (!Parse(value.substr(0, space), &error) || error < -64 || error > 64) {
            *problem = "bad bid-error line";
            return false;
        }
        loaded.hiddenTimingError[static_cast<std::size_t>(mode)] = error;
        value = space == std::string_view::npos ? std::string_view() : value.substr(space + 1);
    }
    if (!Field(lines[5], "bytes-received", &value) || !Parse(value, &loaded.bytesReceived) ||
        !Field(lines[6], "lines-fed", &value) || !Parse(value, &loaded.linesFed)) {
        *problem = "bad counter line";
        return false;
    }
    std::size_t size = 0;
    if (!Field(lines[7], "eeprom", &value) || !Parse(value, &size) || size != expectedSize) {
        *problem = "the EEPROM size differs from the model's";
        return false;
    }
    std::vector<std::uint8_t> image;
    image.reserve(size);
    for (std::size_t line = 8; line < lines.size(); ++line) {
        std::string_view rest = lines[line];
        while (!rest.empty()) {
            const std::size_t space = rest.find(' ');
            unsigned byte = 0;
            if (!Parse(rest.substr(0, space), &byte, 16) || byte > 0xFF) {
                *problem = "bad EEPROM byte";
                return false;
            }
            image.push_back(static_cast<std::uint8_t>(byte));
            rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        }
    }
    if (image.size() != size) {
        *problem = "the EEPROM image is short";
        return false;
    }
    loaded.eeprom = std::move(image);
    core.State().eeprom = std::move(loaded.eeprom);
    core.State().hiddenTimingError = loaded.hiddenTimingError;
    core.State().romVersion = loaded.romVersion;
    core.State().bytesReceived = loaded.bytesReceived;
    core.State().linesFed = loaded.linesFed;
    return true;
}

std::string StateStore::PathOf(const std::string& portName) const {
    // Not "LPT2.state": Windows takes any file whose name begins with a device name and a dot for the
    // device itself (LPT1-LPT9, COM1-COM9), so the port name never comes first.
    return (std::filesystem::path(folder_) / ("printer-" + portName + ".state")).string();
}

void StateStore::Load(PrinterCore& core, std::ostream& report) const {
    if (folder_.empty()) {
        return;
    }
    const std::filesystem::path path = PathOf(core.PortName());
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return;
    }
    std::string text;
    std::string problem;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kLargestStateFile) {
        problem = error ? "it cannot be read" : "it is far too large";
    } else {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) {
            problem = "it cannot be read";
        }
    }
    if (problem.empty() && DecodeState(text, core, &problem)) {
        core.MarkSaved();
        return;
    }
    std::filesystem::path aside = path;
    aside += ".damaged";
    for (int n = 2; std::filesystem::exists(aside, error) && n < 1000; ++n) {
        aside = path;
        aside += ".damaged-" + std::to_string(n);
    }
    std::filesystem::rename(path, aside, error);
    report << "vprinter: the state file " << path.string() << " is damaged (" << problem << "); "
           << core.PortName() << " starts from factory defaults"
           << (error ? std::string(" (the file could not be set aside)")
                     : "; the old file is kept as " + aside.string())
           << "\n";
    core.MarkDirty();
}

bool StateStore::Save(PrinterCore& core, std::ostream& report) const {
    if (folder_.empty()) {
        return true;
    }
    const std::filesystem::path path = PathOf(core.PortName());
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    const std::string text = EncodeState(core);
    // A state folder named on the command line need not exist yet.
    std::error_code notCreated;
    std::filesystem::create_directories(path.parent_path(), notCreated);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            report << "vprinter: cannot write " << temporary.string() << "; the state of " << core.PortName()
                   << " is not saved\n";
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        report << "vprinter: cannot replace " << path.string() << " (" << error.message()
               << "); the state of " << core.PortName() << " is not saved\n";
        std::filesystem::remove(temporary, error);
        return false;
    }
    core.MarkSaved();
    return true;
}

}  // namespace vprinter

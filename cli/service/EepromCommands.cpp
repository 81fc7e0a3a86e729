// The raw EEPROM on the command line: the dump, the whole EEPROM to and from .eep files, a single
// byte, the printed dump, and the return to the last backup. The loops are the service page's own
// (printer::ReadEepromDump, printer::WriteEepromDump); every change goes through RunVerifiedChange,
// so it is planned, backed up and read back like every other change tolvane makes.
#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "EepromBackup.h"
#include "ExitCodes.h"
#include "JsonWriter.h"
#include "NumberArgument.h"
#include "PortAnswer.h"
#include "ServiceCommand.h"
#include "ServiceSession.h"
#include "VerifiedChange.h"
#include "printer/EepFile.h"
#include "printer/EepromDump.h"
#include "printer/EepromDumpText.h"
#include "printer/EepromImage.h"

namespace tolvane_cli {
namespace {

// The one-byte access reaches no further, whatever the model keeps beyond it.
constexpr long kLastOneByteAddress = printer::kEepromImageEntries - 1;
constexpr const char* kAddressForm = "0-255 (0x00-0xFF), decimal or 0x hexadecimal";
constexpr const char* kByteForm = "0-255 (0x00-0xFF), decimal or 0x hexadecimal";

// The last address this model's EEPROM access reads and writes.
int LastAddress(const ServiceSession& session) {
    return static_cast<int>(
        std::min<long>(static_cast<long>(session.Target().lastAddress), kLastOneByteAddress));
}

// "0x00-0x7F" for a model that ends before the one-byte access does.
std::string ModelRange(int last) {
    return Hex(0) + "-" + Hex(last);
}

// The image's byte entries up to the model's last address; the rest left out (kNotRead).
printer::EepromImage WithinModel(const printer::EepromImage& image, int last) {
    printer::EepromImage within = image;
    std::fill(within.begin() + last + 1, within.end(), printer::kNotRead);
    return within;
}

std::vector<ByteChange> ChangesOf(const printer::EepromImage& image) {
    std::vector<ByteChange> changes;
    for (int address = 0; address < printer::kEepromImageEntries; ++address) {
        const std::int32_t entry = image[static_cast<std::size_t>(address)];
        if (printer::IsByteEntry(entry)) {
            changes.push_back({address, static_cast<std::uint8_t>(entry)});
        }
    }
    return changes;
}

// The page's dump text with line feeds for a terminal or a file, ending in one.
std::string DumpLines(const printer::EepromImage& image) {
    const std::string text = printer::DumpText(image, printer::DumpLayout::Read);
    std::string lines;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            continue;
        }
        lines += text[at];
    }
    return lines + "\n";
}

// Moves the progress bar one step per address the loop reads or writes, and remembers where the
// loop stopped, so a failure names its address.
class DumpProgress final : public printer::IEepromDumpObserver {
public:
    explicit DumpProgress(ProgressBar bar) : bar_(std::move(bar)) {}

    void OnCell(int address, std::int32_t entry) override {
        next_ = address + 1;
        if (printer::IsByteEntry(entry)) {
            bar_.Step();
        }
    }
    void OnWritten(int address, bool written) override {
        next_ = written ? address + 1 : address;
        bar_.Step();
    }
    void Finish() { bar_.Finish(); }
    // The first address the loop had not settled when it stopped.
    int StoppedAt() const { return next_; }

private:
    ProgressBar bar_;
    int next_ = 0;
};

// --from and --to of dump and print: each absent or an address; from no more than to.
struct AddressRange {
    int from = 0;
    std::optional<int> to;  // absent: the model's last address
};

int ParseRange(ServiceSession& session, const char* command, AddressRange* range) {
    for (const char* name : {"from", "to"}) {
        const std::optional<std::string> text = session.Options().Value(name);
        if (!text) {
            continue;
        }
        const std::optional<long> address = ParseNumber(*text, 0, kLastOneByteAddress);
        if (!address) {
            return session.Refuse(std::string(command) + ": --" + name + " \"" + *text +
                                  "\" is not an EEPROM address: give " + kAddressForm);
        }
        if (std::string(name) == "from") {
            range->from = static_cast<int>(*address);
        } else {
            range->to = static_cast<int>(*address);
        }
    }
    if (range->to && range->from > *range->to) {
        return session.Refuse(std::string(command) + ": --from " + Hex(range->from) + " is past --to " +
                              Hex(*range->to) + ": the range runs from --from up to --to");
    }
    return kExitSuccess;
}

int RefuseWords(ServiceSession& session, const char* command, const char* form) {
    return session.Refuse(std::string(command) + " takes " + form);
}

// Opens the session and settles the range against the model; kExitUsage for a --to past the model.
int OpenForRange(ServiceSession& session, const char* command, AddressRange* range) {
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const int last = LastAddress(session);
    if (range->to && *range->to > last) {
        return session.Refuse(std::string(command) + ": --to " + Hex(*range->to) +
                              " is past the last address of " + session.Profile() + ": give " +
                              ModelRange(last));
    }
    if (range->from > last) {
        return session.Refuse(std::string(command) + ": --from " + Hex(range->from) +
                              " is past the last address of " + session.Profile() + ": give " +
                              ModelRange(last));
    }
    if (!range->to) {
        range->to = last;
    }
    return kExitSuccess;
}

// The steps before a ranged command reads: no words, the options' range, the session, the model's
// range.
int SettleRange(ServiceSession& session, const char* command, const CommandArguments& words, const char* form,
                AddressRange* range) {
    if (!words.empty()) {
        return RefuseWords(session, command, form);
    }
    if (const int status = ParseRange(session, command, range); status != kExitSuccess) {
        return status;
    }
    return OpenForRange(session, command, range);
}

// Reads the addresses the mask marks (every address without one) into image, with a progress bar.
int ReadImage(ServiceSession& session, const printer::EepromImage& mask, int count,
              printer::EepromImage* image) {
    printer::EepromHold eeprom = session.OpenEeprom();
    if (!eeprom) {
        return kExitFailed;
    }
    DumpProgress progress(session.Progress("reading the EEPROM", count));
    const int read = printer::ReadEepromDump(eeprom.Get(), image, &mask, nullptr, &progress);
    progress.Finish();
    eeprom.Release();
    if (read == 0) {
        return ReadingFailed(
            session, "the EEPROM could not be read at " + Hex(progress.StoppedAt()) + "; nothing was done");
    }
    return kExitSuccess;
}

int RunDump(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "eeprom dump";
    AddressRange range;
    if (const int status =
            SettleRange(session, kCommand, words, "no words, only [--from A] [--to B] [--json]", &range);
        status != kExitSuccess) {
        return status;
    }
    printer::EepromImage image = printer::BlankEepromImage();
    const int count = *range.to - range.from + 1;
    if (const int status = ReadImage(session, printer::RangeMask(range.from, *range.to), count, &image);
        status != kExitSuccess) {
        return status;
    }
    if (!session.Options().json) {
        session.Out() << DumpLines(image);
        return kExitSuccess;
    }
    JsonValue bytes = JsonValue::Array();
    for (int address = range.from; address <= *range.to; ++address) {
        bytes.Push(JsonValue::Number(image[static_cast<std::size_t>(address)]));
    }
    JsonValue dump = JsonValue::Object();
    dump.Add("from", JsonValue::Number(range.from))
        .Add("to", JsonValue::Number(*range.to))
        .Add("bytes", std::move(bytes));
    session.Out() << dump.Text() << "\n";
    return kExitSuccess;
}

// A path a file can be written at: not a folder, in a folder that exists.
bool WritablePlace(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (path.empty() || std::filesystem::is_directory(file, error)) {
        return false;
    }
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    return std::filesystem::is_directory(folder, error);
}

int RunSave(ServiceSession& session, const CommandArguments& words) {
    if (words.size() != 1) {
        return RefuseWords(session, "eeprom save", "one word: the .eep file to write");
    }
    const std::string& path = words[0];
    if (!WritablePlace(path)) {
        return session.Refuse("eeprom save: cannot write \"" + path +
                              "\": give a file name in a folder that exists, not a folder");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    const int last = LastAddress(session);
    // Every address of the model: a saved image with holes would restore as holes.
    printer::EepromImage image = printer::BlankEepromImage();
    if (const int status = ReadImage(session, printer::RangeMask(0, last), last + 1, &image);
        status != kExitSuccess) {
        return status;
    }
    if (printer::SaveEepFile(path, image) != printer::EepFileResult::Ok) {
        return session.Fail("Can not write to file " + path + ".");
    }
    session.Err() << "tolvane: saved the EEPROM (" << last + 1 << " addresses) to " << path << "\n";
    return kExitSuccess;
}

// Loads an .eep file; kExitUsage with the reason when it is no whole image. Nothing is sent.
int LoadImage(ServiceSession& session, const char* command, const std::string& path,
              printer::EepromImage* image) {
    switch (printer::LoadEepFile(path, image)) {
        case printer::EepFileResult::Ok:
            break;
        case printer::EepFileResult::CannotOpen:
            return session.Refuse(std::string(command) + ": cannot read \"" + path +
                                  "\": give an .eep file that exists; nothing was written");
        default:
            return session.Refuse(
                std::string(command) + ": \"" + path + "\" is not an EEPROM file: one holds " +
                std::to_string(printer::kEepFileSize) + " bytes (256 entries); nothing was written");
    }
    if (ChangesOf(*image).empty()) {
        return session.Refuse(std::string(command) + ": \"" + path +
                              "\" holds no byte to write (every entry is outside 0-255)");
    }
    return kExitSuccess;
}

// Writes the image's bytes with the page's write loop on a new access, planned, backed up and
// read back.
int WriteImage(ServiceSession& session, const printer::EepromImage& loaded) {
    const printer::EepromImage image = WithinModel(loaded, LastAddress(session));
    const std::vector<ByteChange> changes = ChangesOf(image);
    const int count = static_cast<int>(changes.size());
    return RunVerifiedChange(session, changes, [&session, &image, count]() {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return false;
        }
        DumpProgress progress(session.Progress("writing the EEPROM", count));
        const int written = printer::WriteEepromDump(eeprom.Get(), image, &image, nullptr, &progress);
        progress.Finish();
        if (written == 0) {
            session.Err() << "tolvane: the printer did not take the write at " << Hex(progress.StoppedAt())
                          << "\n";
        }
        return written != 0;
    });
}

int RunRestore(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "eeprom restore";
    if (words.size() != 1) {
        return RefuseWords(session, kCommand, "one word: the .eep file to restore");
    }
    printer::EepromImage image = printer::BlankEepromImage();
    if (const int status = LoadImage(session, kCommand, words[0], &image); status != kExitSuccess) {
        return status;
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    return WriteImage(session, image);
}

int RunWrite(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "eeprom write";
    if (words.size() != 2) {
        return RefuseWords(session, kCommand, "two words: ADDRESS VALUE");
    }
    const std::optional<long> address = ParseNumber(words[0], 0, kLastOneByteAddress);
    if (!address) {
        return session.Refuse(std::string(kCommand) + ": \"" + words[0] +
                              "\" is not an EEPROM address: give " + kAddressForm);
    }
    const std::optional<long> value = ParseNumber(words[1], 0, 0xFF);
    if (!value) {
        return session.Refuse(std::string(kCommand) + ": \"" + words[1] + "\" is not a byte value: give " +
                              kByteForm);
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    if (const int last = LastAddress(session); *address > last) {
        return session.Refuse(std::string(kCommand) + ": " + Hex(*address) + " is past the last address of " +
                              session.Profile() + ": give " + ModelRange(last));
    }
    const std::vector<ByteChange> change = {{static_cast<int>(*address), static_cast<std::uint8_t>(*value)}};
    return RunVerifiedChange(session, change, [&session, &change]() { return WriteBytes(session, change); });
}

int RunPrint(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "eeprom print";
    AddressRange range;
    if (const int status =
            SettleRange(session, kCommand, words, "no words, only [--from A] [--to B]", &range);
        status != kExitSuccess) {
        return status;
    }
    printer::EepromImage image = printer::BlankEepromImage();
    const printer::EepromImage mask = printer::RangeMask(range.from, *range.to);
    const int count = *range.to - range.from + 1;
    // One access for the read and the printed dump, as the page holds it.
    printer::EepromHold eeprom = session.OpenEeprom();
    if (!eeprom) {
        return kExitFailed;
    }
    DumpProgress progress(session.Progress("reading the EEPROM", count));
    const int read = printer::ReadEepromDump(eeprom.Get(), &image, &mask, nullptr, &progress);
    progress.Finish();
    if (read == 0) {
        // The port goes back before it is tried for an answer.
        eeprom.Release();
        return ReadingFailed(session, "the EEPROM could not be read at " + Hex(progress.StoppedAt()) +
                                          "; nothing was printed");
    }
    if (eeprom->PrintDump(image.data()) == 0) {
        return session.Fail("Print EEPROM Failed.");
    }
    eeprom.Release();
    session.Err() << "tolvane: printed the EEPROM dump of " << Hex(range.from) << "-" << Hex(*range.to)
                  << "\n";
    return kExitSuccess;
}

int RunUndo(ServiceSession& session, const CommandArguments& words) {
    constexpr const char* kCommand = "eeprom undo";
    if (!words.empty()) {
        return RefuseWords(session, kCommand, "no words");
    }
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    std::string name;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return kExitFailed;
        }
        name = PrinterBackupName(session, eeprom.Get());
    }
    const std::string folder = BackupFolder(session);
    if (folder.empty()) {
        return session.Fail(
            "no per-user data folder is known, so no backup can be found; name the folder "
            "with --backup-dir DIR");
    }
    const std::optional<std::string> newest = NewestBackup(folder, name);
    if (!newest) {
        return session.Fail("no backup of " + name + " in " + folder + "; nothing was written");
    }
    session.Err() << "tolvane: restoring " << *newest << "\n";
    printer::EepromImage image = printer::BlankEepromImage();
    if (const int status = LoadImage(session, kCommand, *newest, &image); status != kExitSuccess) {
        return status;
    }
    return WriteImage(session, image);
}

constexpr std::array<ServiceCommand, 6> kCommands = {{
    {"eeprom dump", "[--from A] [--to B] [--json]", "the EEPROM as a hexadecimal dump",
     "Reads the EEPROM from --from to --to (both included; decimal or 0x hex,\n"
     "0 to the model's last address; by default all of it) and prints the dump\n"
     "as the service page shows it: a header, a rule, and one row of 16 cells\n"
     "per 16 addresses, \"--\" for an address outside the range.\n"
     "\n"
     "--json prints one object instead:\n"
     "  from   the first address read (number)\n"
     "  to     the last address read (number)\n"
     "  bytes  the bytes from `from` to `to`, in order (numbers 0-255)\n",
     RunDump},
    {"eeprom save", "FILE", "save the EEPROM to an .eep file",
     "Reads every address of the EEPROM and writes it to FILE as an .eep image\n"
     "(256 entries of 4 bytes, 1024 bytes). A file already there is replaced\n"
     "only once the new one is wholly written. Nothing on standard output; a\n"
     "confirmation on the error stream.\n",
     RunSave},
    {"eeprom restore", "FILE", "write an .eep file into the EEPROM",
     "Writes every byte of the .eep image FILE back to its address (entries\n"
     "outside 0-255 are left alone). A file that is not exactly 1024 bytes or\n"
     "cannot be read is refused (exit 2) before anything is sent. Like every\n"
     "change: the plan \"ADDRESS: OLD -> NEW\" on standard output, a backup of\n"
     "the whole EEPROM first (its path on the error stream), every address\n"
     "read back (exit 4 naming each that differs); --dry-run stops after the\n"
     "plan and writes nothing.\n",
     RunRestore},
    {"eeprom write", "ADDRESS VALUE", "write one byte of the EEPROM",
     "Writes VALUE (0-255) at ADDRESS (0 to the model's last address), both\n"
     "decimal or 0x hex. The plan \"ADDRESS: OLD -> NEW\" on standard output, a\n"
     "backup of the whole EEPROM first, the byte read back (exit 4 when the\n"
     "printer holds another); --dry-run stops after the plan.\n",
     RunWrite},
    {"eeprom print", "[--from A] [--to B]", "print the EEPROM dump",
     "Reads the EEPROM from --from to --to (by default all of it) and prints\n"
     "the dump as a table on the printer, \"--\" for an address outside the\n"
     "range. A confirmation on the error stream.\n",
     RunPrint},
    {"eeprom undo", "", "restore this printer's newest backup",
     "Writes back the newest backup tolvane took of this printer (named by its\n"
     "serial number, else by its profile) in the backup folder, as `eeprom\n"
     "restore` would. It takes a backup first, as every change does, so a\n"
     "second undo returns to where you were. No backup of the printer: exit 1,\n"
     "naming the folder searched.\n",
     RunUndo},
}};

}  // namespace

std::span<const ServiceCommand> EepromCommands() {
    return kCommands;
}

}  // namespace tolvane_cli

#include "EepromBackup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <tuple>

#include "ExitCodes.h"
#include "ServiceSession.h"
#include "config/CTolvPrnParam.h"
#include "platform/Clock.h"
#include "platform/StandardStreams.h"
#include "printer/EepFile.h"
#include "printer/EepromDump.h"
#include "printer/UsbSerialNumber.h"

namespace tolvane_cli {
namespace {

namespace fs = std::filesystem;

// "YYYYMMDD-HHMMSS" of the process clock's local time.
std::string TimeStamp() {
    const platform::LocalTime now = platform::Clock().Now();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return text;
}

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) {
        return false;
    }
    for (std::size_t i = from; i < from + count; ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return true;
}

// The time stamp and the counter of a backup file name of that printer; nothing for another name.
std::optional<std::tuple<std::string, long>> BackupKey(const std::string& fileName,
                                                       const std::string& printerName) {
    const std::string prefix = printerName + "-";
    const std::string suffix = ".eep";
    if (fileName.size() < prefix.size() + 15 + suffix.size() || fileName.rfind(prefix, 0) != 0 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return std::nullopt;
    }
    const std::size_t at = prefix.size();
    if (!AllDigits(fileName, at, 8) || fileName[at + 8] != '-' || !AllDigits(fileName, at + 9, 6)) {
        return std::nullopt;
    }
    const std::string rest = fileName.substr(at + 15, fileName.size() - suffix.size() - at - 15);
    long counter = 1;
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' || !AllDigits(rest, 1, rest.size() - 1)) {
            return std::nullopt;
        }
        counter = std::stol(rest.substr(1));
    }
    return std::make_tuple(fileName.substr(at, 15), counter);
}

class ProgressSteps final : public printer::IEepromDumpObserver {
public:
    explicit ProgressSteps(ProgressBar& bar) : bar_(bar) {}
    void OnCell(int, std::int32_t) override { bar_.Step(); }

private:
    ProgressBar& bar_;
};

}  // namespace

std::string BackupFolder(const ServiceSession& session) {
    if (!session.Options().backupDir.empty()) {
        return session.Options().backupDir;
    }
    const std::string data = platform::UserDataFolder();
    if (data.empty()) {
        return "";
    }
#ifdef _WIN32
    return data + "\\Tolvane\\Backups";
#else
    return data + "/tolvane/backups";
#endif
}

std::string PrinterBackupName(ServiceSession& session, IEepromRW* eeprom) {
    const int serialAddress = CTolvPrnParam::Instance()->nADRSUSBSerial;
    std::string serial;
    if (printer::HasUsbSerialField(serialAddress) &&
        printer::ReadUsbSerial(eeprom, serialAddress, &serial, [] {}) == 1) {
        std::string name;
        for (const char c : serial) {
            if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
                name += c;
            }
        }
        if (!name.empty()) {
            return name;
        }
    }
    std::string name;
    for (const char c : session.Profile()) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name.empty() ? "printer" : name;
}

bool ReadWholeEeprom(ServiceSession& session, IEepromRW* eeprom, printer::EepromImage* image) {
    *image = printer::BlankEepromImage();
    ProgressBar bar = session.Progress("reading the EEPROM", printer::kEepromImageEntries);
    ProgressSteps steps(bar);
    // A model whose EEPROM ends below the last one-byte address keeps the rest unread.
    const int last = static_cast<int>(std::min<std::uint32_t>(session.Target().lastAddress, 0xFF));
    const printer::EepromImage mask = printer::RangeMask(0, last);
    return printer::ReadEepromDump(eeprom, image, &mask, nullptr, &steps) == 1;
}

int SaveEepromBackup(ServiceSession& session, const printer::EepromImage& image,
                     const std::string& printerName, std::string* path) {
    const std::string folder = BackupFolder(session);
    if (folder.empty()) {
        return session.Fail(
            "no per-user data folder is known for the backup; name one with --backup-dir DIR");
    }
    std::error_code error;
    fs::create_directories(fs::path(folder), error);
    if (!fs::is_directory(fs::path(folder), error)) {
        return session.Fail("the backup folder " + folder + " cannot be made; nothing was changed");
    }
    const std::string stem = printerName + "-" + TimeStamp();
    fs::path file = fs::path(folder) / (stem + ".eep");
    for (int counter = 2; fs::exists(file, error) && counter < 100000; ++counter) {
        file = fs::path(folder) / (stem + "-" + std::to_string(counter) + ".eep");
    }
    if (printer::SaveEepFile(file.string(), image) != printer::EepFileResult::Ok) {
        return session.Fail("the backup " + file.string() + " could not be written; nothing was changed");
    }
    *path = file.string();
    session.Err() << "backup: " << *path << "\n";
    return kExitSuccess;
}

int TakeEepromBackup(ServiceSession& session, IEepromRW* eeprom, std::string* path) {
    printer::EepromImage image;
    if (!ReadWholeEeprom(session, eeprom, &image)) {
        return session.Fail("the EEPROM could not be read whole for the backup; nothing was changed");
    }
    return SaveEepromBackup(session, image, PrinterBackupName(session, eeprom), path);
}

std::optional<std::string> NewestBackup(const std::string& folder, const std::string& printerName) {
    std::error_code error;
    fs::directory_iterator entries(fs::path(folder), error);
    if (error) {
        return std::nullopt;
    }
    std::optional<std::tuple<std::string, long>> newestKey;
    std::optional<std::string> newest;
    for (const fs::directory_entry& entry : entries) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const auto key = BackupKey(entry.path().filename().string(), printerName);
        if (key && (!newestKey || *key > *newestKey)) {
            newestKey = key;
            newest = entry.path().string();
        }
    }
    return newest;
}

}  // namespace tolvane_cli

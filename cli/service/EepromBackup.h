// Backups of a printer's whole EEPROM as .eep files, taken before every change tolvane makes, named
// by the printer and the time: "<printer>-YYYYMMDD-HHMMSS.eep" in the backup folder. The printer is
// named by its USB serial number, or by its model profile when it keeps none.
#pragma once

#include <optional>
#include <string>

#include "printer/EepromImage.h"
#include "printer/IEepromRW.h"

namespace tolvane_cli {

class ServiceSession;

// --backup-dir, else the per-user data folder's "tolvane/backups" ("Tolvane\Backups" on Windows).
std::string BackupFolder(const ServiceSession& session);

// The printer's name in backup file names: the serial number read from the printer (letters and
// digits only), else the profile's name; a printer whose serial cannot be read is named by its profile.
std::string PrinterBackupName(ServiceSession& session, IEepromRW* eeprom);

// Reads every address of the model a one-byte address reaches into *image (a progress bar on the
// way); false when a read failed (the access has said why).
bool ReadWholeEeprom(ServiceSession& session, IEepromRW* eeprom, printer::EepromImage* image);

// Saves an image just read from the printer into the backup folder (made when missing) under a new
// name; a second backup within the same second gets "-2", "-3", ... so none is ever overwritten.
// Prints "backup: PATH" on the error stream. kExitSuccess with the path, or kExitFailed (with a
// message) when the file could not be written: then nothing may be changed.
int SaveEepromBackup(ServiceSession& session, const printer::EepromImage& image,
                     const std::string& printerName, std::string* path);

// Both of the above.
int TakeEepromBackup(ServiceSession& session, IEepromRW* eeprom, std::string* path);

// The newest backup of that printer in the folder (by the time in its name); nothing when none.
std::optional<std::string> NewestBackup(const std::string& folder, const std::string& printerName);

}  // namespace tolvane_cli

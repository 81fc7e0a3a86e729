#include "VerifiedChange.h"

#include <map>
#include <ostream>

#include "EepromBackup.h"
#include "ExitCodes.h"
#include "NumberArgument.h"
#include "PortAnswer.h"
#include "ServiceSession.h"

namespace tolvane_cli {
namespace {

// The byte an address holds: from the image when a one-byte address reaches it, else read.
bool PresentByte(IEepromRW* eeprom, const printer::EepromImage& image, int address, std::uint8_t* value) {
    if (address >= 0 && address < printer::kEepromImageEntries && printer::IsByteEntry(image[address])) {
        *value = static_cast<std::uint8_t>(image[address]);
        return true;
    }
    return eeprom->ReadByte(address, value) == 1;
}

}  // namespace

int RunVerifiedChange(ServiceSession& session, const std::vector<ByteChange>& changes,
                      const ApplyChange& apply) {
    if (const int status = session.Open(); status != kExitSuccess) {
        return status;
    }
    // The last change of an address is the byte it must hold.
    std::map<int, std::uint8_t> expected;
    for (const ByteChange& change : changes) {
        expected[change.address] = change.value;
    }
    std::string backup;
    {
        printer::EepromHold eeprom = session.OpenEeprom();
        if (!eeprom) {
            return kExitFailed;
        }
        printer::EepromImage image;
        if (!ReadWholeEeprom(session, eeprom.Get(), &image)) {
            eeprom.Release();
            return ReadingFailed(session, "the EEPROM could not be read whole; nothing was changed");
        }
        for (const ByteChange& change : changes) {
            std::uint8_t present = 0;
            if (!PresentByte(eeprom.Get(), image, change.address, &present)) {
                return session.Fail("the byte at " + Hex(change.address) +
                                    " could not be read; nothing was changed");
            }
            session.Out() << Hex(change.address) << ": " << Hex(present) << " -> " << Hex(change.value)
                          << "\n";
        }
        if (session.Options().dryRun) {
            session.Err() << "dry run: nothing was written\n";
            return kExitSuccess;
        }
        const std::string printerName = PrinterBackupName(session, eeprom.Get());
        if (const int status = SaveEepromBackup(session, image, printerName, &backup);
            status != kExitSuccess) {
            return status;
        }
        // The access closes its channel here, so the change may reach the printer its own way.
    }
    const bool applied = apply();
    printer::EepromHold eeprom = session.OpenEeprom();
    if (!eeprom) {
        return session.Fail("the printer could not be asked what it now holds; the backup is " + backup);
    }
    int differing = 0;
    int unread = 0;
    for (const auto& [address, value] : expected) {
        std::uint8_t held = 0;
        if (eeprom->ReadByte(address, &held) != 1) {
            session.Err() << Hex(address) << ": could not be read back\n";
            ++unread;
        } else if (held != value) {
            session.Err() << Hex(address) << ": wrote " << Hex(value) << ", the printer holds " << Hex(held)
                          << "\n";
            ++differing;
        }
    }
    if (!applied) {
        return session.Fail("the printer did not take the whole change; the backup is " + backup);
    }
    if (differing > 0) {
        session.Err() << "tolvane: the printer does not hold what was written at " << differing
                      << (differing == 1 ? " address" : " addresses") << "; the backup is " << backup << "\n";
        return kExitVerifyFailed;
    }
    if (unread > 0) {
        return session.Fail("the written bytes could not all be read back; the backup is " + backup);
    }
    session.Err() << "verified: " << expected.size() << (expected.size() == 1 ? " byte" : " bytes")
                  << " read back as written\n";
    return kExitSuccess;
}

bool WriteBytes(ServiceSession& session, const std::vector<ByteChange>& changes) {
    printer::EepromHold eeprom = session.OpenEeprom();
    if (!eeprom) {
        return false;
    }
    ProgressBar bar = session.Progress("writing", static_cast<int>(changes.size()));
    bool first = true;
    for (const ByteChange& change : changes) {
        if (!first) {
            eeprom->Pause1(0, 0);
        }
        first = false;
        if (eeprom->WriteByte(change.address, change.value) != 1) {
            session.Err() << "tolvane: the write to " << Hex(change.address)
                          << " did not reach the printer\n";
            return false;
        }
        bar.Step();
    }
    return true;
}

}  // namespace tolvane_cli

// The command line run whole, in process, against virtual printers of a server on loopback TCP: a
// VK-572D at USB1 (and a VK-2240II at USB2), on the virtual clock, with backups in a folder of the
// test's own. Checks are made at the printer (its EEPROM, its printed pages), not in the output alone.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "testsupport/TemporaryFolder.h"
#include "vprinter/server/LoopbackPrinters.h"

namespace clitest {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliOverTcp : public ::testing::Test {
protected:
    CliOverTcp();
    void SetUp() override;

    // tolvane with these arguments; unless they name --port/--profile themselves, "--port USB1
    // --profile VK-572D" and "--backup-dir <the test's folder>" are added.
    CliRun Run(std::vector<std::string> arguments);
    // The same without anything added.
    CliRun RunAsGiven(const std::vector<std::string>& arguments);

    // Control words to a printer of the server ("poke=0x10:0xA5", "eeprom-stuck=0x10").
    std::string Control(const std::string& words, const std::string& printer = "USB1");
    // The byte the printer holds at the address.
    int Peek(int address, const std::string& printer = "USB1");
    void Poke(int address, int value, const std::string& printer = "USB1");
    // Pages the printers have printed so far.
    int PagesPrinted() const;
    // The .eep files in the backup folder, by name.
    std::vector<std::string> Backups() const;

    platform::VirtualClock clock;
    platform::ScopedClock scopedClock{clock};
    testsupport::TemporaryFolder backups{"tolv-cli-backups"};
    testsupport::TemporaryFolder prints{"tolv-cli-prints"};
    vprinter::LoopbackPrinters printers;
};

}  // namespace clitest

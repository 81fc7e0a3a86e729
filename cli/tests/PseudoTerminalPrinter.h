// A virtual printer behind a device node of this machine: the far side of a pseudo-terminal pair in
// raw mode, linked as usb/lp(k-1) of a device folder (TOLVANE_DEVICE_DIR), relayed byte for byte to
// the printer model. The node answers no usblp request, so the printer's device ID is published where
// usblp publishes it, sys/class/usbmisc/lp(k-1)/device/ieee1284_id of the same folder.
//
// The host's opens and closes reach the model as they would over the other ports: the first byte or
// the link seen opens the printer, the far side hanging up (every descriptor of the node closed)
// closes it. Linux only; owned and served by one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "testsupport/TemporaryFolder.h"
#include "vprinter/model/VirtualPrinter.h"

namespace clitest {

class PseudoTerminalPrinter {
public:
    // A printer of the shipped profile at USB printer `usbNumber` (from 1) of the folder.
    PseudoTerminalPrinter(const testsupport::TemporaryFolder& folder, const std::string& profile,
                          int usbNumber);
    ~PseudoTerminalPrinter();
    PseudoTerminalPrinter(const PseudoTerminalPrinter&) = delete;
    PseudoTerminalPrinter& operator=(const PseudoTerminalPrinter&) = delete;

    // Empty when the printer stands ready; else what failed.
    const std::string& Error() const { return error_; }
    vprinter::VirtualPrinter& Printer() { return *printer_; }

    // The descriptor to wait on for the host's bytes, or -1 while no one has the node open (a hung-up
    // terminal is always ready, so waiting on it would spin).
    int WaitDescriptor() const;
    // How long a caller may wait before serving again, in milliseconds: until the printer's next
    // answer is due, a short while when no one has the node open, -1 when only the host can wake it.
    int WaitMilliseconds() const;
    // Relays whatever is there now in both directions and follows the host's opens and closes.
    void Serve();
    // Opens the model saw so far.
    int Opens() const { return opens_; }

private:
    void TakeHostBytes();
    void GiveAnswers();

    std::unique_ptr<vprinter::VirtualPrinter> printer_;
    std::string error_;
    int master_ = -1;
    bool linked_ = false;       // the host has the node open now
    bool printerOpen_ = false;  // the model's port is open
    int opens_ = 0;
    std::string unsent_;  // answers the terminal did not take yet
};

}  // namespace clitest

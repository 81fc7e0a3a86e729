// What one virtual printer puts on paper: its print data goes in as it arrives, its pages and job logs
// come out in the print folder. The printer model calls EndJob when the data pauses or the port
// closes; the page still in the printer is then written as far as it is printed, and a later job may
// go on printing on it (the overprint of the bi-directional patterns).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "render/IPrinterMechanics.h"
#include "render/JobLog.h"
#include "render/Paper.h"
#include "render/PrintDataInterpreter.h"
#include "render/PrintFolder.h"
#include "render/PrinterSettings.h"

namespace vprinter::render {

class VirtualPrintout {
public:
    VirtualPrintout(const PrinterSettings& settings, IPrinterMechanics& mechanics, std::string folder);

    void Receive(std::span<const std::uint8_t> bytes);
    void EndJob();

    const PrintFolder& Folder() const { return folder_; }
    const PageRaster& SheetInPrinter() { return paper_.Sheet(); }
    std::size_t PendingBytes() const { return interpreter_.PendingBytes(); }

private:
    std::string printerName_;
    JobLog log_;
    PrintFolder folder_;
    Paper paper_;
    PrintDataInterpreter interpreter_;
    int jobNumber_ = 0;
    bool jobOpen_ = false;
};

}  // namespace vprinter::render

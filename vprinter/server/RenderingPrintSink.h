// Puts a virtual printer's print data on paper: the page renderer draws it into PNG pages and job
// logs in the print folder, and asks the printer for what its mechanism would know, the EEPROM (the
// stored bi-directional corrections) and the hidden timing error of each print mode.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "render/IPrinterMechanics.h"
#include "render/VirtualPrintout.h"
#include "vprinter/model/IPrintSink.h"
#include "vprinter/model/PrinterCore.h"

namespace vprinter {

class RenderingPrintSink : public IPrintSink, public render::IPrinterMechanics {
public:
    // The core outlives the sink; the pages are named after its model and port.
    RenderingPrintSink(PrinterCore& core, const std::string& folder);

    void PrintData(std::span<const std::uint8_t> bytes) override;
    void ModeFlag(std::uint8_t value) override;
    void EndOfJob() override;

    int EepromByte(int address) override;
    int TimingError(render::PrintMode mode) override;

    const render::VirtualPrintout& Printout() const { return printout_; }

private:
    PrinterCore& core_;
    render::VirtualPrintout printout_;
};

}  // namespace vprinter

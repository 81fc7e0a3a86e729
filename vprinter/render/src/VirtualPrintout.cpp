#include "render/VirtualPrintout.h"

#include <algorithm>

#include "render/Geometry.h"

namespace vprinter::render {

VirtualPrintout::VirtualPrintout(const PrinterSettings& settings, IPrinterMechanics& mechanics,
                                 std::string folder)
    : printerName_(settings.printerName),
      folder_(std::move(folder), settings.printerName, log_),
      paper_(PaperWidthPixels(std::clamp(settings.columns, 1, 255)), folder_, log_),
      interpreter_(settings, mechanics, paper_, log_) {}

void VirtualPrintout::Receive(std::span<const std::uint8_t> bytes) {
    if (!jobOpen_) {
        log_.Begin(++jobNumber_, platform::Clock().Now());
        jobOpen_ = true;
    }
    interpreter_.Receive(bytes);
}

void VirtualPrintout::EndJob() {
    if (!jobOpen_) {
        return;
    }
    interpreter_.EndJob();
    paper_.ShowSheetSoFar();
    folder_.WriteJobLog();
    jobOpen_ = false;
}

}  // namespace vprinter::render

#include "vprinter/server/RenderingPrintSink.h"

#include <cstddef>

#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

render::PrinterSettings SettingsOf(const PrinterCore& core) {
    render::PrinterSettings settings;
    settings.printerName = core.Profile().model + " " + core.PortName();
    settings.columns = core.Profile().columns;
    settings.twoByteEepromAddress = core.Profile().twoByteAddress;
    return settings;
}

}  // namespace

RenderingPrintSink::RenderingPrintSink(PrinterCore& core, const std::string& folder)
    : core_(core), printout_(SettingsOf(core), *this, folder) {}

void RenderingPrintSink::PrintData(std::span<const std::uint8_t> bytes) {
    printout_.Receive(bytes);
}

// The model takes the factory commands out of the data; the mode flag decides the print mode of the
// passes that follow, so the renderer gets it back in its place, as the mechanism would see it.
void RenderingPrintSink::ModeFlag(std::uint8_t value) {
    using namespace protocol;
    const factory::Command& command = factory::kSetModeFlag;
    const std::uint8_t bytes[] = {control::kEscape,
                                  esc::kFactory,
                                  factory::kSelector,
                                  command.length,
                                  0,
                                  core_.Profile().commandCode[0],
                                  core_.Profile().commandCode[1],
                                  command.code,
                                  command.complement,
                                  command.sub,
                                  value};
    printout_.Receive(bytes);
}

void RenderingPrintSink::EndOfJob() {
    printout_.EndJob();
}

int RenderingPrintSink::EepromByte(int address) {
    std::uint8_t value = 0;
    return core_.EepromImage().Read(address, &value) ? value : -1;
}

int RenderingPrintSink::TimingError(render::PrintMode mode) {
    const auto row = static_cast<std::size_t>(mode);
    return row < core_.State().hiddenTimingError.size() ? core_.State().hiddenTimingError[row] : 0;
}

}  // namespace vprinter

// Where the printer's print data goes: the page renderer, a file, a test. The model feeds it in the
// order the host sent, with the printer's own commands (factory, production, remote mode, packet
// transport) taken out and the bytes the printer prints itself (an EEPROM byte's two hexadecimal
// digits) put in.
#pragma once

#include <cstdint>
#include <span>

namespace vprinter {

class IPrintSink {
public:
    virtual ~IPrintSink() = default;
    // Print data: text, control characters and escape commands with their arguments.
    virtual void PrintData(std::span<const std::uint8_t> bytes) = 0;
    // The mode flag of the factory command: 1 while the alignment patterns print, in both directions.
    virtual void ModeFlag(std::uint8_t value) = 0;
    // The job ended: the port was closed or the printer reset. A renderer ends its page here.
    virtual void EndOfJob() = 0;
};

// Discards everything; the printer's default when nothing renders.
class NullPrintSink : public IPrintSink {
public:
    void PrintData(std::span<const std::uint8_t>) override {}
    void ModeFlag(std::uint8_t) override {}
    void EndOfJob() override {}
};

}  // namespace vprinter

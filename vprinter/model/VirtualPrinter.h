// One virtual printer as its port sees it: open, close, write, read, device ID, soft reset. Bytes the
// host writes go to the plain stream or, after the packet-mode entry, to the packet transport; the
// printer's answers wait in one output queue until the host reads them. Faults on demand shape what
// the port does. In process and without I/O: the server and the unit tests drive it alike. Not
// thread-safe; the owner serialises.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vprinter/model/PrinterCore.h"
#include "vprinter/model/PrinterTransport.h"
#include "vprinter/model/StreamInterpreter.h"

namespace vprinter {

class VirtualPrinter {
public:
    VirtualPrinter(ModelProfile profile, std::string portName, IPrintSink* sink = nullptr);
    VirtualPrinter(const VirtualPrinter&) = delete;
    VirtualPrinter& operator=(const VirtualPrinter&) = delete;

    // False when the printer will not open (the offline fault that refuses the port).
    bool Open();
    // The host closed its port: packet mode and remote mode end, unread answers are dropped, the job
    // ends. A firmware download goes on with the bytes of the next opening (Open likewise): the line
    // shows the printer nothing of the host's handle, and a sender may open the port for every piece.
    void Close();

    struct WriteResult {
        std::uint32_t taken = 0;
        bool disconnected = false;  // the line dropped; nothing more until the port is opened again
    };
    WriteResult Write(std::span<const std::uint8_t> bytes);

    // Copies up to `largest` bytes of the answers that are due. Returns the count.
    std::size_t Read(std::uint8_t* buffer, std::size_t largest);
    // Milliseconds until the next answer is due (0: now), or nullopt when none waits.
    std::optional<std::uint32_t> MillisecondsUntilReply() const;

    std::string DeviceId() const { return core_.DeviceId(); }
    // The USB class soft reset or the parallel init line: as Close, but the port stays open.
    void SoftReset();

    bool Disconnected() const { return disconnected_; }
    bool InPacketMode() const { return packetMode_; }
    PrinterCore& Core() { return core_; }
    const PrinterCore& Core() const { return core_; }
    PrinterTransport& Transport() { return transport_; }
    std::size_t OutputBytes() const { return outputBytes_; }

    // Answers not read yet are held up to this many bytes; beyond it the printer drops new ones, as a
    // full output buffer would.
    static constexpr std::size_t kLargestOutput = 256 * 1024;

private:
    struct Answer {
        std::vector<std::uint8_t> bytes;
        std::size_t consumed = 0;
        std::uint32_t dueTick = 0;
        bool plain = false;  // an answer on the plain stream (not a packet)
    };

    void QueueAnswer(std::vector<std::uint8_t> bytes, bool plain);
    void DropPlainAnswers();
    void Garble(std::vector<std::uint8_t>& bytes, std::size_t from);
    // printerReset: the printer itself was reset, which also ends a firmware download.
    void EndSession(bool printerReset);

    PrinterCore core_;
    PrinterTransport transport_;
    StreamInterpreter plainStream_;
    std::deque<Answer> output_;
    std::size_t outputBytes_ = 0;
    bool packetMode_ = false;
    bool enteredPacketMode_ = false;
    bool disconnected_ = false;
    std::uint32_t noise_ = 0x2545F491u;
};

}  // namespace vprinter

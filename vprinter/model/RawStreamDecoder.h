// Reads the printer's plain byte stream (and the payload of the data channel, which carries the same
// stream): print data passes through untouched, while the printer's own commands inside it are taken
// out: ESC '|' frames (factory and production commands), remote mode, the model preamble and the
// packet-mode entry. Every command is framed by protocol/PrintDataFramer.h, the framing the page
// renderer uses as well, so that bit-image, character and firmware data are never mistaken for
// commands; a firmware download's image is handed on apart from the print data. Pure: bytes in, events
// out. Memory is bounded by the longest command head (framing::kLongestHead), whatever the input.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vprinter {

class IRawStreamHandler {
public:
    virtual ~IRawStreamHandler() = default;
    // Print data, escape commands included, in order.
    virtual void OnPrintData(std::span<const std::uint8_t> bytes) = 0;
    // ESC '@' went by (it is passed on as print data too).
    virtual void OnInitialise() = 0;
    // A factory or production frame, whole: ESC '|', the class byte, the length, the rest
    // (protocol/CommandMatchers.h splits it).
    virtual void OnEscFrame(std::span<const std::uint8_t> frame) = 0;
    virtual void OnRemoteCommand(const std::string& letters, std::span<const std::uint8_t> parameters) = 0;
    virtual void OnModelPreamble(std::span<const std::uint8_t> parameters) = 0;
    virtual void OnEnterPacketMode() = 0;
    // A firmware download: its announced byte count, then those bytes in pieces, then its end.
    virtual void OnFirmwareStart(std::uint32_t bytes) = 0;
    virtual void OnFirmwareData(std::span<const std::uint8_t> bytes) = 0;
    virtual void OnFirmwareEnd() = 0;
};

class RawStreamDecoder {
public:
    // With two-byte addressing the EEPROM frames of the model carry the address in two bytes while
    // their declared length stays that of the one-byte form (see Feed).
    explicit RawStreamDecoder(bool twoByteAddress, bool packetModeEntry = true)
        : twoByteAddress_(twoByteAddress), packetModeEntry_(packetModeEntry) {}

    // One delivery: the bytes of one host write (or one packet's payload). A command cut at the end
    // waits for the next delivery. The EEPROM write and the EEPROM read of a two-byte-address model
    // end after their one-byte address when the delivery holds that request alone, after its reset
    // (the one-byte requests always come so), and take a high address byte otherwise.
    // Returns the bytes taken: all of them, or those up to and including a packet-mode entry, after
    // which the rest belongs to the packet transport.
    std::size_t Feed(std::span<const std::uint8_t> delivery, IRawStreamHandler& handler);

    // Forgets a command cut short and leaves remote mode (the printer was reset).
    void Reset();
    // The host closed or opened its port: a firmware download goes on with the bytes that follow
    // (the line shows the printer nothing of the host's handle, and a sender may open the port for
    // every piece of a file); otherwise as Reset.
    void EndConnection();

    bool InFirmwareDownload() const { return mode_ == Mode::Firmware; }
    bool InRemoteMode() const { return mode_ == Mode::Remote || mode_ == Mode::RemoteCommand; }
    std::size_t Pending() const { return pending_.size(); }

private:
    enum class Mode { Text, Command, PassData, Remote, RemoteCommand, Firmware };
    enum class Verdict { NeedMore, PassThrough, Taken, EnterPacketMode };

    Verdict Examine(bool aloneInDelivery, IRawStreamHandler& handler);
    Verdict ExamineRemote(IRawStreamHandler& handler);

    bool twoByteAddress_;
    bool packetModeEntry_;
    Mode mode_ = Mode::Text;
    // The command (or remote command) read so far, and the bytes the framer asked for.
    std::vector<std::uint8_t> pending_;
    std::size_t wanted_ = 0;
    // PassThrough: the bytes of pending_ that are print data. A byte after them (the one that showed an
    // unknown command) is read again.
    std::size_t passLength_ = 0;
    // Data of the command just passed on (image columns, dot patterns) that follows in the stream.
    std::size_t dataRemaining_ = 0;
    std::uint32_t firmwareRemaining_ = 0;
};

}  // namespace vprinter

// The printer's reading of a byte stream, on the plain port and on the data channel alike: the
// decoder finds the commands, the core answers them, the answers go where the owner says.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "vprinter/model/FirmwareReceiver.h"
#include "vprinter/model/PrinterCore.h"
#include "vprinter/model/RawStreamDecoder.h"

namespace vprinter {

class StreamInterpreter : public IRawStreamHandler {
public:
    using ReplyFunction = std::function<void(std::vector<std::uint8_t>)>;
    using EventFunction = std::function<void()>;

    // onInitialise runs at every ESC '@'; onEnterPacketMode at the packet-mode entry (only on the
    // plain port; on the data channel those bytes are print data).
    StreamInterpreter(PrinterCore& core, ReplyFunction reply, EventFunction onInitialise,
                      EventFunction onEnterPacketMode);

    // Returns the bytes taken: all, or those up to the packet-mode entry.
    std::size_t Feed(std::span<const std::uint8_t> delivery) { return decoder_.Feed(delivery, *this); }
    void Reset() {
        decoder_.Reset();
        firmware_.Abandon();
    }
    // The host closed or opened its port: a firmware download in progress goes on.
    void EndConnection() {
        decoder_.EndConnection();
        if (!decoder_.InFirmwareDownload()) {
            firmware_.Abandon();
        }
    }
    bool InRemoteMode() const { return decoder_.InRemoteMode(); }

    void OnPrintData(std::span<const std::uint8_t> bytes) override;
    void OnInitialise() override;
    void OnEscFrame(std::span<const std::uint8_t> frame) override;
    void OnRemoteCommand(const std::string& letters, std::span<const std::uint8_t> parameters) override;
    void OnModelPreamble(std::span<const std::uint8_t> parameters) override;
    void OnEnterPacketMode() override;
    void OnFirmwareStart(std::uint32_t bytes) override;
    void OnFirmwareData(std::span<const std::uint8_t> bytes) override;
    void OnFirmwareEnd() override;

private:
    PrinterCore& core_;
    RawStreamDecoder decoder_;
    FirmwareReceiver firmware_;
    ReplyFunction reply_;
    EventFunction onInitialise_;
    EventFunction onEnterPacketMode_;
};

// The control channel carries commands framed as two letters, a 16-bit little-endian parameter count
// and the parameters; a command may span packets and a packet may hold several.
class ControlChannelDecoder {
public:
    using CommandFunction = std::function<void(const std::string& letters, std::span<const std::uint8_t>)>;

    void Feed(std::span<const std::uint8_t> bytes, const CommandFunction& onCommand);
    void Reset() { pending_.clear(); }

private:
    std::vector<std::uint8_t> pending_;
};

}  // namespace vprinter

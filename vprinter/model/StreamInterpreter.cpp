#include "vprinter/model/StreamInterpreter.h"

#include "protocol/CommandMatchers.h"

namespace vprinter {

StreamInterpreter::StreamInterpreter(PrinterCore& core, ReplyFunction reply, EventFunction onInitialise,
                                     EventFunction onEnterPacketMode)
    : core_(core),
      decoder_(core.Profile().twoByteAddress, static_cast<bool>(onEnterPacketMode)),
      reply_(std::move(reply)),
      onInitialise_(std::move(onInitialise)),
      onEnterPacketMode_(std::move(onEnterPacketMode)) {}

void StreamInterpreter::OnPrintData(std::span<const std::uint8_t> bytes) {
    core_.PrintData(bytes);
}

void StreamInterpreter::OnInitialise() {
    if (onInitialise_) {
        onInitialise_();
    }
}

void StreamInterpreter::OnEscFrame(std::span<const std::uint8_t> frame) {
    std::vector<std::uint8_t> answer = core_.AnswerEscFrame(frame);
    if (!answer.empty()) {
        reply_(std::move(answer));
    }
}

void StreamInterpreter::OnRemoteCommand(const std::string& letters,
                                        std::span<const std::uint8_t> parameters) {
    reply_(core_.AnswerRemoteCommand(letters, parameters));
}

void StreamInterpreter::OnModelPreamble(std::span<const std::uint8_t>) {
    core_.State().modelPreambleSeen = true;
}

void StreamInterpreter::OnEnterPacketMode() {
    if (onEnterPacketMode_) {
        onEnterPacketMode_();
    }
}

void StreamInterpreter::OnFirmwareStart(std::uint32_t bytes) {
    firmware_.Start(bytes);
}

void StreamInterpreter::OnFirmwareData(std::span<const std::uint8_t> bytes) {
    firmware_.Take(bytes);
}

void StreamInterpreter::OnFirmwareEnd() {
    const FirmwareReceiver::Outcome outcome = firmware_.Finish();
    if (outcome.fault == protocol::firmware::ImageFault::None) {
        core_.TakeFirmware(outcome.version);
    }
    reply_(Bytes(FirmwareReplyText(outcome)));
}

void ControlChannelDecoder::Feed(std::span<const std::uint8_t> bytes, const CommandFunction& onCommand) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::size_t start = 0;
    while (const auto command =
               protocol::controlcmd::MatchCommand(std::span<const std::uint8_t>(pending_).subspan(start))) {
        onCommand(std::string(command->letters.begin(), command->letters.end()), command->parameters);
        start += command->length;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
}

}  // namespace vprinter

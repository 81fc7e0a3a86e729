#include "vprinter/model/RawStreamDecoder.h"

#include <algorithm>

#include "protocol/CommandMatchers.h"
#include "protocol/FirmwareImage.h"
#include "protocol/PrintDataFramer.h"
#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

using namespace protocol;
using framing::CommandFrame;
using framing::FrameStatus;

// The EEPROM requests of the access layer open with a reset: ESC '@', after two CAN bytes in a write.
bool OnlyResets(std::span<const std::uint8_t> bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes[at] == control::kCancelLine) {
            ++at;
        } else if (bytes[at] == control::kEscape && at + 1 < bytes.size() &&
                   bytes[at + 1] == esc::kInitialise) {
            at += 2;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

void RawStreamDecoder::Reset() {
    mode_ = Mode::Text;
    pending_.clear();
    wanted_ = 0;
    passLength_ = 0;
    dataRemaining_ = 0;
    firmwareRemaining_ = 0;
}

void RawStreamDecoder::EndConnection() {
    if (mode_ != Mode::Firmware) {
        Reset();
    }
}

RawStreamDecoder::Verdict RawStreamDecoder::Examine(bool aloneInDelivery, IRawStreamHandler& handler) {
    const std::size_t size = pending_.size();
    CommandFrame frame = framing::FrameCommand(pending_, twoByteAddress_);
    // The one-byte EEPROM requests of a two-byte-address model come alone in their write, after
    // nothing but their reset: such a request that ends with the delivery right where its one-byte
    // form ends is that form. Anywhere else the host only split a longer write there (a sender that
    // goes in pieces of a fixed size cuts commands anywhere), and the high address byte follows.
    if (twoByteAddress_ && aloneInDelivery && frame.status == FrameStatus::Complete &&
        frame.length == size + 1) {
        const CommandFrame oneByteForm = framing::FrameCommand(pending_, false);
        if (oneByteForm.status == FrameStatus::Complete && oneByteForm.length == size) {
            frame = oneByteForm;
        }
    }
    if (frame.status == FrameStatus::NeedMore) {
        wanted_ = frame.length;
        return Verdict::NeedMore;
    }
    if (frame.status == FrameStatus::Unknown) {
        passLength_ = std::min(frame.length, size);
        dataRemaining_ = 0;
        return Verdict::PassThrough;
    }
    if (size < frame.head) {
        wanted_ = frame.head;
        return Verdict::NeedMore;
    }
    passLength_ = size;
    dataRemaining_ = frame.length > size ? frame.length - size : 0;
    const std::span<const std::uint8_t> command(pending_);
    if (pending_[0] == control::kFileSeparator) {
        if (const auto parameters = fs::MatchModelPreamble(command)) {
            handler.OnModelPreamble(*parameters);
            return Verdict::Taken;
        }
        return Verdict::PassThrough;
    }
    switch (pending_[1]) {
        case esc::kInitialise:
            handler.OnInitialise();
            return Verdict::PassThrough;
        case esc::kExtended:
            if (remote::MatchEnter(command)) {
                mode_ = Mode::Remote;
                return Verdict::Taken;
            }
            return Verdict::PassThrough;
        case esc::kFactory: {
            const std::uint8_t selector = pending_[2];
            if (selector == packetmode::kEnter[2]) {
                return packetModeEntry_ ? Verdict::EnterPacketMode : Verdict::PassThrough;
            }
            if (selector == firmware::kDownload[2]) {
                dataRemaining_ = 0;
                firmwareRemaining_ = firmware::Little32(pending_, firmware::kDownload.size());
                handler.OnFirmwareStart(firmwareRemaining_);
                if (firmwareRemaining_ == 0) {
                    handler.OnFirmwareEnd();
                } else {
                    mode_ = Mode::Firmware;
                }
                return Verdict::Taken;
            }
            // A factory or production frame (the framer knows no other selector), whole.
            handler.OnEscFrame(command);
            return Verdict::Taken;
        }
        default:
            return Verdict::PassThrough;
    }
}

RawStreamDecoder::Verdict RawStreamDecoder::ExamineRemote(IRawStreamHandler& handler) {
    const auto command = remote::MatchCommand(pending_);
    if (!command) {
        wanted_ = framing::FrameRemoteCommand(pending_).length;
        return Verdict::NeedMore;
    }
    if (command->leave) {
        mode_ = Mode::Text;
        return Verdict::Taken;
    }
    handler.OnRemoteCommand(std::string(command->letters.begin(), command->letters.end()),
                            command->parameters);
    return Verdict::Taken;
}

std::size_t RawStreamDecoder::Feed(std::span<const std::uint8_t> delivery, IRawStreamHandler& handler) {
    const std::size_t size = delivery.size();
    std::size_t at = 0;
    std::size_t runStart = 0;  // print data of this delivery not handed on yet
    // Where the command being read began in this delivery; size when it began in an earlier one.
    std::size_t commandStart = size;
    auto flush = [&](std::size_t end) {
        if (end > runStart) {
            handler.OnPrintData(delivery.subspan(runStart, end - runStart));
        }
        runStart = end;
    };
    while (at < size) {
        switch (mode_) {
            case Mode::Text: {
                while (at < size && delivery[at] != control::kEscape &&
                       delivery[at] != control::kFileSeparator) {
                    ++at;
                }
                if (at < size) {
                    flush(at);
                    commandStart = at;
                    pending_.assign(1, delivery[at]);
                    wanted_ = 2;
                    ++at;
                    runStart = at;
                    mode_ = Mode::Command;
                }
                break;
            }
            case Mode::Firmware: {
                const std::size_t take = std::min<std::size_t>(firmwareRemaining_, size - at);
                handler.OnFirmwareData(delivery.subspan(at, take));
                at += take;
                runStart = at;
                firmwareRemaining_ -= static_cast<std::uint32_t>(take);
                if (firmwareRemaining_ == 0) {
                    mode_ = Mode::Text;
                    handler.OnFirmwareEnd();
                }
                break;
            }
            case Mode::PassData: {
                const std::size_t take = std::min(dataRemaining_, size - at);
                at += take;
                dataRemaining_ -= take;
                if (dataRemaining_ == 0) {
                    mode_ = Mode::Text;
                }
                break;
            }
            case Mode::Remote:
                flush(at);
                pending_.clear();
                wanted_ = 4;
                mode_ = Mode::RemoteCommand;
                break;
            case Mode::Command:
            case Mode::RemoteCommand: {
                flush(at);
                // Up to the bytes the framer asked for, as far as this delivery goes: never past the
                // command's end, so that what follows it is read afresh.
                const std::size_t take =
                    std::min(wanted_ > pending_.size() ? wanted_ - pending_.size() : 1, size - at);
                pending_.insert(pending_.end(), delivery.begin() + static_cast<std::ptrdiff_t>(at),
                                delivery.begin() + static_cast<std::ptrdiff_t>(at + take));
                at += take;
                runStart = at;
                if (mode_ == Mode::RemoteCommand) {
                    if (ExamineRemote(handler) == Verdict::Taken) {
                        pending_.clear();
                        if (mode_ == Mode::RemoteCommand) {
                            mode_ = Mode::Remote;
                        }
                    }
                    break;
                }
                const bool alone =
                    at == size && commandStart < size && OnlyResets(delivery.first(commandStart));
                switch (Examine(alone, handler)) {
                    case Verdict::NeedMore:
                        break;
                    case Verdict::PassThrough: {
                        const std::size_t reread = std::min(pending_.size() - passLength_, take);
                        handler.OnPrintData(
                            std::span<const std::uint8_t>(pending_).first(pending_.size() - reread));
                        pending_.clear();
                        at -= reread;
                        runStart = at;
                        mode_ = dataRemaining_ > 0 ? Mode::PassData : Mode::Text;
                        break;
                    }
                    case Verdict::Taken:
                        pending_.clear();
                        if (mode_ == Mode::Command) {
                            mode_ = Mode::Text;
                        }
                        break;
                    case Verdict::EnterPacketMode:
                        pending_.clear();
                        mode_ = Mode::Text;
                        handler.OnEnterPacketMode();
                        return at;
                }
                break;
            }
        }
    }
    flush(at);
    return at;
}

}  // namespace vprinter

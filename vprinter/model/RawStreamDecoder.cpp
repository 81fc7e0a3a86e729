#include "vprinter/model/RawStreamDecoder.h"

#include <algorithm>
#include <cstring>

#include "protocol/FirmwareImage.h"
#include "protocol/PrinterCommandCodes.h"

namespace vprinter {
namespace {

using namespace protocol;

// Arguments of the ESC/P commands with a fixed count; a letter not listed takes none.
int FixedArguments(std::uint8_t letter) {
    switch (letter) {
        case esc::kUnidirectional:
        case esc::kUserDefinedSet:
        case esc::kLineSpacing180:
        case esc::kPrintQuality:
        case esc::kPrintMode:
        case esc::kLineSpacing360:
        case esc::kUnderline:
        case esc::kFeed:
        case esc::kReverseFeed:
        case esc::kSuperscript:
        case '!':  // master select
        case 'A':  // n/60-inch line spacing
        case 'N':  // skip over perforation
        case 'Q':  // right margin
        case 'l':  // left margin
        case 'W':  // double width
        case 'w':  // double height
        case 'k':  // typeface
        case 'a':  // justification
        case 'p':  // proportional
        case 'q':  // character style
        case 'r':  // colour
        case 't':  // character table
        case 'R':  // international set
        case 'I':  // control codes as characters
        case 'm':
        case 's':  // half speed
        case '6':
        case '7':
        case 'e':
        case 'f':
        case 'c':
        case 'i':
        case 'b':
            return 1;
        case '$':   // absolute position
        case '\\':  // relative position
        case ' ':   // inter-character space
            return 2;
        case esc::kCopyRomToRam:
            return 3;
        default:
            return 0;
    }
}

// Bytes per column of an ESC '*' density: 8-needle graphics one, 24-needle three, 48-dot six.
std::size_t BytesPerColumn(std::uint8_t density) {
    if (density >= 32 && density <= 40) {
        return 3;
    }
    if (density >= 71 && density <= 73) {
        return 6;
    }
    return 1;
}

// Arguments of the FS commands with a fixed count.
int FileSeparatorArguments(std::uint8_t letter) {
    switch (letter) {
        case 'S':
            return 2;
        case 'T':
        case 'W':
        case 'x':
        case 'k':
        case 'r':
        case 'C':
        case '-':
        case '!':
            return 1;
        default:
            return 0;
    }
}

std::uint16_t Little16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool IsOperation(const EscFrame& frame, const factory::Command& command) {
    return frame.payload.size() >= 5 && frame.payload[2] == command.code &&
           frame.payload[3] == command.complement && frame.payload[4] == command.sub;
}

bool IsOperation(const EscFrame& frame, const production::Operation& operation) {
    return frame.payload.size() >= 5 && frame.payload[2] == operation.code &&
           frame.payload[3] == operation.complement && frame.payload[4] == operation.sub;
}

}  // namespace

void RawStreamDecoder::Reset() {
    mode_ = Mode::Text;
    afterData_ = Mode::Text;
    pending_.clear();
    dataRemaining_ = 0;
    charactersRemaining_ = 0;
    firmwareRemaining_ = 0;
}

bool RawStreamDecoder::NeedsHighAddressByte(const EscFrame& frame) const {
    if (!twoByteAddress_ || frame.frameClass != production::kClassStandard) {
        return false;
    }
    // The one-byte forms: the write carries address and value (7 bytes), the read the address (6).
    if (IsOperation(frame, factory::kWriteEepromSet1) || IsOperation(frame, factory::kWriteEepromSet2)) {
        return frame.payload.size() == 7;
    }
    if (IsOperation(frame, production::kReadEepromSerialImpact)) {
        return frame.payload.size() == 6;
    }
    return false;
}

RawStreamDecoder::Verdict RawStreamDecoder::ExamineEscape(bool moreInDelivery, IRawStreamHandler& handler) {
    const std::size_t size = pending_.size();
    if (size < 2) {
        return Verdict::NeedMore;
    }
    const std::uint8_t letter = pending_[1];
    switch (letter) {
        case esc::kFactory: {
            if (size < 3) {
                return Verdict::NeedMore;
            }
            const std::uint8_t frameClass = pending_[2];
            if (frameClass == packetmode::kEnter[2]) {
                if (size < 4) {
                    return Verdict::NeedMore;
                }
                return pending_[3] == packetmode::kEnter[3] && packetModeEntry_ ? Verdict::EnterPacketMode
                                                                                : Verdict::PassThrough;
            }
            if (frameClass == firmware::kDownload[2]) {
                if (size < 4) {
                    return Verdict::NeedMore;
                }
                if (pending_[3] != firmware::kDownload[3]) {
                    return Verdict::PassThrough;
                }
                if (size < firmware::kDownloadPrefixSize) {
                    return Verdict::NeedMore;
                }
                firmwareRemaining_ = firmware::Little32(pending_, firmware::kDownload.size());
                handler.OnFirmwareStart(firmwareRemaining_);
                if (firmwareRemaining_ == 0) {
                    handler.OnFirmwareEnd();
                } else {
                    mode_ = Mode::Firmware;
                }
                return Verdict::Taken;
            }
            if (frameClass != production::kClassStandard && frameClass != production::kClassLargeEeprom) {
                return Verdict::PassThrough;
            }
            if (size < 5) {
                return Verdict::NeedMore;
            }
            const std::size_t declared = Little16(pending_, 3);
            if (size < 5 + declared) {
                return Verdict::NeedMore;
            }
            EscFrame frame;
            frame.frameClass = frameClass;
            frame.declaredLength = static_cast<std::uint16_t>(declared);
            frame.payload.assign(pending_.begin() + 5, pending_.end());
            if (size == 5 + declared && moreInDelivery && NeedsHighAddressByte(frame)) {
                return Verdict::NeedMore;
            }
            handler.OnEscFrame(frame);
            return Verdict::Taken;
        }
        case esc::kBitImage: {
            if (size < 5) {
                return Verdict::NeedMore;
            }
            dataRemaining_ = static_cast<std::size_t>(Little16(pending_, 3)) * BytesPerColumn(pending_[2]);
            afterData_ = Mode::Text;
            return Verdict::PassThrough;
        }
        case esc::kDefineCharacters: {
            if (size < 5) {
                return Verdict::NeedMore;
            }
            if (pending_[3] <= pending_[4]) {
                charactersRemaining_ = pending_[4] - pending_[3] + 1;
            }
            return Verdict::PassThrough;
        }
        case esc::kExtended: {
            if (size < 5) {
                return Verdict::NeedMore;
            }
            const std::size_t declared = Little16(pending_, 3);
            if (pending_[2] != extended::kRemoteMode) {
                dataRemaining_ = declared;
                afterData_ = Mode::Text;
                return Verdict::PassThrough;
            }
            if (size < 5 + declared) {
                return Verdict::NeedMore;
            }
            static constexpr std::uint8_t kEnter[] = {0, 'R', 'E', 'M', 'O', 'T', 'E', '1'};
            if (declared == sizeof kEnter && std::equal(pending_.begin() + 5, pending_.end(), kEnter)) {
                mode_ = Mode::Remote;
                return Verdict::Taken;
            }
            return Verdict::PassThrough;
        }
        case esc::kTabStops:
        case 'B': {
            // Stops up to a 0 byte, at most 32 horizontal or 16 vertical ones.
            const std::size_t largest = letter == esc::kTabStops ? 32 : 16;
            if (size > 2 && (pending_.back() == 0 || size - 2 >= largest)) {
                return Verdict::PassThrough;
            }
            return Verdict::NeedMore;
        }
        case esc::kPageLengthLines: {
            // ESC 'C' 0 n gives the length in inches.
            if (size < 3 || (pending_[2] == 0 && size < 4)) {
                return Verdict::NeedMore;
            }
            return Verdict::PassThrough;
        }
        case esc::kInitialise:
            handler.OnInitialise();
            return Verdict::PassThrough;
        default:
            return size >= 2 + static_cast<std::size_t>(FixedArguments(letter)) ? Verdict::PassThrough
                                                                                : Verdict::NeedMore;
    }
}

RawStreamDecoder::Verdict RawStreamDecoder::ExamineFileSeparator(IRawStreamHandler& handler) {
    const std::size_t size = pending_.size();
    if (size < 2) {
        return Verdict::NeedMore;
    }
    if (pending_[1] != fs::kExtended) {
        return size >= 2 + static_cast<std::size_t>(FileSeparatorArguments(pending_[1]))
                   ? Verdict::PassThrough
                   : Verdict::NeedMore;
    }
    if (size < 5) {
        return Verdict::NeedMore;
    }
    const std::size_t declared = Little16(pending_, 3);
    if (pending_[2] != fs::kModelPreamble) {
        dataRemaining_ = declared;
        afterData_ = Mode::Text;
        return Verdict::PassThrough;
    }
    if (size < 5 + declared) {
        return Verdict::NeedMore;
    }
    handler.OnModelPreamble(std::span<const std::uint8_t>(pending_).subspan(5));
    return Verdict::Taken;
}

RawStreamDecoder::Verdict RawStreamDecoder::ExamineRemote(IRawStreamHandler& handler) {
    if (pending_.size() < 4) {
        return Verdict::NeedMore;
    }
    if (std::equal(pending_.begin(), pending_.begin() + 4, remote::kLeave)) {
        mode_ = Mode::Text;
        return Verdict::Taken;
    }
    const std::size_t declared = Little16(pending_, 2);
    if (pending_.size() < 4 + declared) {
        return Verdict::NeedMore;
    }
    const std::string letters(pending_.begin(), pending_.begin() + 2);
    handler.OnRemoteCommand(letters, std::span<const std::uint8_t>(pending_).subspan(4));
    return Verdict::Taken;
}

std::size_t RawStreamDecoder::Feed(std::span<const std::uint8_t> delivery, IRawStreamHandler& handler) {
    const std::size_t size = delivery.size();
    std::size_t at = 0;
    std::size_t runStart = 0;  // print data of this delivery not handed on yet
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
                    pending_.assign(1, delivery[at]);
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
                    mode_ = afterData_;
                }
                break;
            }
            case Mode::Command:
            case Mode::CharacterHeader:
            case Mode::Remote:
            case Mode::RemoteCommand: {
                flush(at);
                if (mode_ == Mode::Remote) {
                    pending_.clear();
                    mode_ = Mode::RemoteCommand;
                }
                pending_.push_back(delivery[at]);
                ++at;
                runStart = at;
                if (mode_ == Mode::CharacterHeader) {
                    // Each defined character: a three-byte header whose middle byte is its width in
                    // columns, then three bytes per column.
                    if (pending_.size() == 3) {
                        handler.OnPrintData(pending_);
                        dataRemaining_ = static_cast<std::size_t>(pending_[1]) * 3;
                        pending_.clear();
                        --charactersRemaining_;
                        afterData_ = charactersRemaining_ > 0 ? Mode::CharacterHeader : Mode::Text;
                        mode_ = dataRemaining_ > 0 ? Mode::PassData : afterData_;
                    }
                    break;
                }
                if (mode_ == Mode::RemoteCommand) {
                    const Verdict verdict = ExamineRemote(handler);
                    if (verdict == Verdict::Taken) {
                        pending_.clear();
                        if (mode_ == Mode::RemoteCommand) {
                            mode_ = Mode::Remote;
                        }
                    }
                    break;
                }
                const Verdict verdict = pending_[0] == control::kEscape ? ExamineEscape(at < size, handler)
                                                                        : ExamineFileSeparator(handler);
                switch (verdict) {
                    case Verdict::NeedMore:
                        break;
                    case Verdict::PassThrough:
                        handler.OnPrintData(pending_);
                        pending_.clear();
                        if (dataRemaining_ > 0) {
                            mode_ = Mode::PassData;
                        } else if (charactersRemaining_ > 0) {
                            mode_ = Mode::CharacterHeader;
                        } else {
                            mode_ = Mode::Text;
                        }
                        break;
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

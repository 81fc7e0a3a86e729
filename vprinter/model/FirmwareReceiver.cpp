#include "vprinter/model/FirmwareReceiver.h"

#include <algorithm>

namespace vprinter {

namespace firmware = protocol::firmware;

void FirmwareReceiver::Start(std::uint32_t announced) {
    image_.clear();
    oversize_ = announced > firmware::kLargestImage;
    image_.reserve(std::min<std::size_t>(announced, firmware::kLargestImage));
}

void FirmwareReceiver::Take(std::span<const std::uint8_t> bytes) {
    const std::size_t room = firmware::kLargestImage - image_.size();
    if (bytes.size() > room) {
        oversize_ = true;
    }
    image_.insert(image_.end(), bytes.begin(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
}

FirmwareReceiver::Outcome FirmwareReceiver::Finish() {
    Outcome outcome;
    firmware::ImageHeader header;
    if (oversize_) {
        // More than the flash holds: refused unread, but a header that already says so wins, so
        // that a bad file is named for its first fault.
        outcome.fault = firmware::CheckImage(
            std::span<const std::uint8_t>(image_).first(std::min(image_.size(), firmware::kHeaderSize)),
            nullptr);
        if (outcome.fault == firmware::ImageFault::Truncated) {
            outcome.fault = firmware::ImageFault::Size;
        }
    } else {
        outcome.fault = firmware::CheckImage(image_, &header);
        outcome.version = header.version;
    }
    Abandon();
    return outcome;
}

void FirmwareReceiver::Abandon() {
    image_.clear();
    image_.shrink_to_fit();
    oversize_ = false;
}

std::string FirmwareReplyText(const FirmwareReceiver::Outcome& outcome) {
    if (outcome.fault == firmware::ImageFault::None) {
        return std::string(firmware::kReplyPrefix) + firmware::kAccepted + ":" + outcome.version + ";";
    }
    return std::string(firmware::kReplyPrefix) + firmware::kRefused + ":" +
           firmware::FaultWord(outcome.fault) + ";";
}

}  // namespace vprinter

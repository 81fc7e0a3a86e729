// The printer's side of a firmware download: it keeps the image as it arrives (never more than the
// largest image the flash holds, however many bytes were announced), then checks it whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/FirmwareImage.h"

namespace vprinter {

class FirmwareReceiver {
public:
    void Start(std::uint32_t announced);
    void Take(std::span<const std::uint8_t> bytes);

    struct Outcome {
        protocol::firmware::ImageFault fault = protocol::firmware::ImageFault::None;
        std::string version;  // the image's ROM version when it was accepted
    };
    // Checks what arrived and forgets it.
    Outcome Finish();
    // A reset or a closed port ends the download unfinished.
    void Abandon();

private:
    std::vector<std::uint8_t> image_;
    bool oversize_ = false;
};

// The printer's answer to a finished download.
std::string FirmwareReplyText(const FirmwareReceiver::Outcome& outcome);

}  // namespace vprinter

// What the command line checks of a firmware file before anything is opened. The file itself goes the
// way the firmware page sends it (printer/FirmwareFileSender.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "protocol/FirmwareImage.h"

namespace tolvane_cli {

// The largest download the printer takes: its command and the largest image.
inline constexpr std::uintmax_t kLargestFirmwareFile =
    protocol::firmware::kDownloadPrefixSize + protocol::firmware::kLargestImage;

// The file's size when it can be sent: readable, not empty, at most kLargestFirmwareFile bytes. Else
// nothing, with the reason in *reason ("is empty").
std::optional<std::uintmax_t> SendableFirmwareSize(const std::string& path, std::string* reason);

}  // namespace tolvane_cli

// A firmware file to the printer on a parallel port, as it is, in one opening of the port. The
// printer's boot loader drops a download that a closing of the port interrupts, and the print stream
// opens and closes the port for every write: the file therefore goes as one write, never in pieces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "protocol/FirmwareImage.h"

namespace tolvane_cli {

// The largest download the printer takes: its command and the largest image.
inline constexpr std::uintmax_t kLargestFirmwareFile =
    protocol::firmware::kDownloadPrefixSize + protocol::firmware::kLargestImage;

enum class FirmwareTransfer {
    Sent,
    NotParallelPort,   // the port's name does not begin with "LPT": nothing opened
    FileNotRead,       // not sendable (SendableFirmwareSize) or not read whole: nothing opened
    StreamNotCreated,  // the port could not be reached
    NotAllTaken,       // the printer stopped taking the file part way
};

// The file's size when it can be sent: readable, not empty, at most kLargestFirmwareFile bytes. Else
// nothing, with the reason in *reason ("is empty").
std::optional<std::uintmax_t> SendableFirmwareSize(const std::string& path, std::string* reason);

FirmwareTransfer SendFirmwareFile(const std::string& path, const std::string& portName);

}  // namespace tolvane_cli

// Sends a file as it is to the printer at an LPT port, through the plain print stream: the boot
// loader of the printer takes a firmware image only over the parallel port.
#pragma once

#include <cstdint>
#include <string>

namespace printer {

enum class FileSendOutcome {
    Sent,
    EmptyPath,
    NotParallelPort,  // the port's name does not begin with "LPT"
    FileNotOpened,
    StreamNotCreated,
    ChunkNotWritten,
};

// The chunk size of the transfer: the file goes in reads of this many bytes, each written whole.
inline constexpr std::uint32_t kFileSendChunk = 1024;

// Nothing is opened for an empty path or a port that is not parallel; a chunk that is not written
// completely ends the transfer.
FileSendOutcome SendFileToPort(const std::string& path, const std::string& portName);

}  // namespace printer

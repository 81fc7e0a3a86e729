#include "FirmwareTransfer.h"

#include <fstream>
#include <vector>

#include "platform/ModulePath.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/PortNameToNumber.h"

namespace tolvane_cli {

std::optional<std::uintmax_t> SendableFirmwareSize(const std::string& path, std::string* reason) {
    std::ifstream file(platform::NativePath(path), std::ios::binary | std::ios::ate);
    if (!file) {
        *reason = "cannot be opened for reading";
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    file.seekg(0);
    // A folder opens on some systems but gives no byte.
    if (size <= 0 || file.peek() == std::ifstream::traits_type::eof()) {
        *reason = size == 0 ? "is empty" : "cannot be read";
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(size) > kLargestFirmwareFile) {
        *reason = "has " + std::to_string(size) + " bytes; a firmware download has at most " +
                  std::to_string(kLargestFirmwareFile);
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(size);
}

FirmwareTransfer SendFirmwareFile(const std::string& path, const std::string& portName) {
    if (portName.rfind("LPT", 0) != 0) {
        return FirmwareTransfer::NotParallelPort;
    }
    std::string reason;
    const std::optional<std::uintmax_t> size = SendableFirmwareSize(path, &reason);
    if (!size) {
        return FirmwareTransfer::FileNotRead;
    }
    std::vector<char> bytes(static_cast<std::size_t>(*size));
    std::ifstream file(platform::NativePath(path), std::ios::binary);
    if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        return FirmwareTransfer::FileNotRead;
    }
    platform::ISequentialStream* stream = nullptr;
    if (CreatePrinterStream(&stream, PortNameToNumber(portName)) == 0 || stream == nullptr) {
        return FirmwareTransfer::StreamNotCreated;
    }
    std::uint32_t written = 0;
    stream->Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &written);
    stream->Release();
    return written == bytes.size() ? FirmwareTransfer::Sent : FirmwareTransfer::NotAllTaken;
}

}  // namespace tolvane_cli

#include "printer/FirmwareFileSender.h"

#include <fstream>
#include <vector>

#include "platform/ModulePath.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/PortNameToNumber.h"

namespace printer {

FileSendOutcome SendFileToPort(const std::string& path, const std::string& portName) {
    if (path.empty()) {
        return FileSendOutcome::EmptyPath;
    }
    if (portName.compare(0, 3, "LPT") != 0) {
        return FileSendOutcome::NotParallelPort;
    }
    std::ifstream file(platform::NativePath(path), std::ios::binary);
    if (!file) {
        return FileSendOutcome::FileNotOpened;
    }
    platform::ISequentialStream* stream = nullptr;
    if (CreatePrinterStream(&stream, PortNameToNumber(portName)) == 0 || stream == nullptr) {
        return FileSendOutcome::StreamNotCreated;
    }
    FileSendOutcome outcome = FileSendOutcome::Sent;
    std::vector<char> chunk(kFileSendChunk);
    for (;;) {
        file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto count = static_cast<std::uint32_t>(file.gcount());
        if (count == 0) {
            break;
        }
        std::uint32_t written = 0;
        stream->Write(chunk.data(), count, &written);
        if (written != count) {
            outcome = FileSendOutcome::ChunkNotWritten;
            break;
        }
        if (count < kFileSendChunk) {
            break;
        }
    }
    stream->Release();
    return outcome;
}

}  // namespace printer

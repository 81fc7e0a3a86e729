#include "FirmwareFile.h"

#include <fstream>

#include "platform/ModulePath.h"

namespace kindler {

namespace firmware = protocol::firmware;

FirmwareFile ReadFirmwareFile(const std::string& path) {
    FirmwareFile file;
    std::ifstream in(platform::NativePath(path), std::ios::binary);
    if (!in) {
        return file;
    }
    // One byte more than the largest image tells a file that is too large from one that fits.
    std::vector<std::uint8_t> bytes(firmware::kLargestImage + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return file;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    file.fault = bytes.size() > firmware::kLargestImage ? firmware::ImageFault::Size
                                                        : firmware::CheckImage(bytes, &file.header);
    if (file.fault == firmware::ImageFault::Size && bytes.size() > firmware::kLargestImage) {
        // A header that names another fault first says more about the file than its size.
        const firmware::ImageFault first =
            firmware::CheckImage(std::span<const std::uint8_t>(bytes).first(firmware::kHeaderSize), nullptr);
        if (first != firmware::ImageFault::Truncated) {
            file.fault = first;
        }
    }
    if (file.fault != firmware::ImageFault::None) {
        file.result = FirmwareFile::Result::NotAnImage;
        return file;
    }
    file.result = FirmwareFile::Result::Ok;
    file.image = std::move(bytes);
    return file;
}

std::string DescribeFault(firmware::ImageFault fault) {
    switch (fault) {
        case firmware::ImageFault::None:
            return "it is a firmware image";
        case firmware::ImageFault::Truncated:
            return "the file is cut short";
        case firmware::ImageFault::Magic:
            return "it does not begin like a firmware image";
        case firmware::ImageFault::Version:
            return "its ROM version text is not valid";
        case firmware::ImageFault::Length:
            return "it is longer than its header says";
        case firmware::ImageFault::Size:
            return "its firmware is empty or larger than the printer's flash";
        case firmware::ImageFault::Checksum:
            return "its checksum does not match: the file is damaged";
    }
    return "it is not a firmware image";
}

}  // namespace kindler

#include "printer/EepFile.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace printer {
namespace {

namespace fs = std::filesystem;

using FileBytes = std::array<char, kEepFileSize>;

FileBytes Encode(const EepromImage& image) {
    FileBytes bytes{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        const auto value = static_cast<std::uint32_t>(image[i]);
        for (std::size_t j = 0; j < 4; ++j) {
            bytes[i * 4 + j] = static_cast<char>((value >> (8 * j)) & 0xFF);
        }
    }
    return bytes;
}

std::int32_t DecodeEntry(const FileBytes& bytes, std::size_t index) {
    std::uint32_t value = 0;
    for (std::size_t j = 0; j < 4; ++j) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[index * 4 + j])) << (8 * j);
    }
    return static_cast<std::int32_t>(value);
}

// A file the technician marked read-only keeps its content: moving a new file over it would not ask.
bool WritableTarget(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found) {
        return true;
    }
    if (error || status.type() != fs::file_type::regular) {
        return false;
    }
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

}  // namespace

EepFileResult SaveEepFile(const std::string& path, const EepromImage& image) {
    const fs::path target(path);
    if (path.empty() || !WritableTarget(target)) {
        return EepFileResult::CannotWrite;
    }
    fs::path temporary = target;
    temporary += ".tmp";
    const FileBytes bytes = Encode(image);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
        }
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return EepFileResult::CannotWrite;
        }
    }
    std::error_code error;
    if (fs::file_size(temporary, error) != kEepFileSize || error) {
        fs::remove(temporary, error);
        return EepFileResult::CannotWrite;
    }
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return EepFileResult::CannotWrite;
    }
    return EepFileResult::Ok;
}

EepFileResult LoadEepFile(const std::string& path, EepromImage* image) {
    const fs::path source(path);
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(source, error) || error) {
        return EepFileResult::CannotOpen;
    }
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        return EepFileResult::CannotOpen;
    }
    FileBytes bytes{};
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // One byte more would make it a file of another size.
    if (static_cast<std::size_t>(in.gcount()) != bytes.size() ||
        in.peek() != std::ifstream::traits_type::eof()) {
        return EepFileResult::WrongSize;
    }
    for (std::size_t i = 0; i < image->size(); ++i) {
        const std::int32_t entry = DecodeEntry(bytes, i);
        (*image)[i] = IsByteEntry(entry) ? entry : kNotRead;
    }
    return EepFileResult::Ok;
}

}  // namespace printer

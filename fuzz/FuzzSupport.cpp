#include "FuzzSupport.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fuzz {
namespace {

std::filesystem::path ScratchBase() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

}  // namespace

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n%s:%d: property does not hold: %s\n%s\n", file, line, condition, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

const std::string& ScratchFolder() {
    // Never destroyed: the exit handler that removes the folder runs after the static destructors.
    static const std::string* const folder = [] {
        const std::filesystem::path path =
            ScratchBase() / ("tolvane-fuzz-" + std::to_string(static_cast<long>(getpid())));
        std::filesystem::create_directories(path);
        std::atexit(RemoveScratchFolder);
        return new std::string(path.string() + "/");
    }();
    return *folder;
}

std::string ScratchFile(const std::string& name) {
    return ScratchFolder() + name;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteSettledFile(const std::string& path, std::string_view bytes) {
    static long long calls = 0;
    WriteFile(path, bytes);
    std::error_code ignored;
    std::filesystem::last_write_time(path,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(24) -
                                         std::chrono::seconds(++calls),
                                     ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Printable(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text.push_back(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

}  // namespace fuzz

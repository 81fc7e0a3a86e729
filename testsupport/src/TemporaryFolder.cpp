#include "testsupport/TemporaryFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

namespace testsupport {

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    // Test programs run side by side under CTest: the clock's count and a serial keep their folders apart.
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        root_ = base / (prefix + "-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    } while (!std::filesystem::create_directory(root_));
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TemporaryFolder::Path() const {
    return root_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string TemporaryFolder::File(const std::string& relative) const {
    return (root_ / std::filesystem::path(relative).make_preferred()).string();
}

void TemporaryFolder::Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = File(relative);
    std::filesystem::create_directories(path.parent_path());
    WriteBytes(path.string(), bytes);
}

std::string TemporaryFolder::Read(const std::string& relative) const {
    return ReadBytes(File(relative));
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport

#include "ProfileFileCache.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace platform::portable {
namespace {

// Longer than the coarsest step of file times we meet (FAT keeps two seconds).
constexpr auto kSettleTime = std::chrono::milliseconds(2100);

bool HasSettled(std::filesystem::file_time_type modified) {
    // File times are compared with the file system's own clock, not the program's clock.
    return std::filesystem::file_time_type::clock::now() - modified > kSettleTime;
}

bool WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::string* bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes->clear();
    char chunk[65536];
    std::size_t count = 0;
    bool tooLarge = false;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes->append(chunk, count);
        if (bytes->size() > ProfileFileCache::kMaximumFileSize) {
            tooLarge = true;
            break;
        }
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && !tooLarge;
}

bool ReplaceFileContent(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        return WriteWholeFile(path, bytes);  // a link stays a link
    }
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = path;
    temporary += ".tolvane-" + std::to_string(counter++) + ".tmp";
    if (WriteWholeFile(temporary, bytes)) {
        auto status = std::filesystem::status(path, error);
        if (!error && std::filesystem::exists(status)) {
            std::filesystem::permissions(temporary, status.permissions(), error);
        }
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return true;
        }
        std::filesystem::remove(temporary, error);
    }
    // A folder we may not create files in can still hold a file we may write.
    return WriteWholeFile(path, bytes);
}

std::shared_ptr<const ProfileDocument> ProfileFileCache::Load(const std::string& path) {
    std::error_code error;
    std::filesystem::path file(path);
    if (!std::filesystem::is_regular_file(file, error) || error) {
        Forget(path);
        return nullptr;
    }
    std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaximumFileSize) {
        Forget(path);
        return nullptr;
    }
    std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (error) {
        Forget(path);
        return nullptr;
    }
    auto cached =
        std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; });
    bool sameStatus = cached != entries_.end() && cached->size == size && cached->modified == modified;
    if (sameStatus && (cached->settled || size > kLargestComparedFile)) {
        cached->lastUse = ++useCounter_;
        return cached->document;
    }
    std::string bytes;
    if (!ReadWholeFile(file, &bytes)) {
        Forget(path);
        return nullptr;
    }
    if (sameStatus && bytes == cached->document->Bytes()) {
        cached->settled = HasSettled(modified);
        cached->lastUse = ++useCounter_;
        return cached->document;
    }
    auto document = std::make_shared<const ProfileDocument>(std::move(bytes));
    if (cached == entries_.end()) {
        if (entries_.size() < kCapacity) {
            cached = entries_.insert(entries_.end(), Entry{});
        } else {
            cached = std::min_element(entries_.begin(), entries_.end(),
                                      [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        }
    }
    *cached = Entry{path, size, modified, document, ++useCounter_, HasSettled(modified)};
    return document;
}

void ProfileFileCache::Forget(const std::string& path) {
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; }),
        entries_.end());
}

}  // namespace platform::portable

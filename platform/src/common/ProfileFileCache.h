// The parsed profile files last read, keyed by path and checked against the file's size and time of
// last change on every use. The program's loader reads a thousand keys of one file in a row; with the
// cache that costs one status query of the file per key instead of one parse.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ProfileDocument.h"

namespace platform::portable {

class ProfileFileCache {
public:
    // Files beyond this size are treated as unreadable: no profile file of ours comes near it.
    static constexpr std::uintmax_t kMaximumFileSize = 64u * 1024u * 1024u;

    // The parsed file; null when it is missing, not a regular file, too large or unreadable.
    std::shared_ptr<const ProfileDocument> Load(const std::string& path);

    // Drops the entry of a file that we have just written.
    void Forget(const std::string& path);

private:
    struct Entry {
        std::string path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        std::shared_ptr<const ProfileDocument> document;
        std::uint64_t lastUse = 0;
        // The file's time of last change lay far enough in the past when it was read. File times
        // advance in steps of a few milliseconds, so a file rewritten within one step keeps its time;
        // until it has settled, the bytes are compared on every use.
        bool settled = false;
    };
    static constexpr std::size_t kCapacity = 8;
    // Larger files are trusted on size and time alone: comparing them would cost more than parsing
    // them, and no profile file of ours is rewritten in place that large.
    static constexpr std::uintmax_t kLargestComparedFile = 1024u * 1024u;

    std::vector<Entry> entries_;
    std::uint64_t useCounter_ = 0;
};

// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string* bytes);

// Replaces the file's content: through a temporary file beside it where possible, so that a crash
// never leaves half a file behind.
bool ReplaceFileContent(const std::filesystem::path& path, const std::string& bytes);

}  // namespace platform::portable

// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TemporaryFolder {
public:
    // The prefix names the folder after the suite that made it, for whoever finds one left behind.
    explicit TemporaryFolder(const std::string& prefix = "tolv-test");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder with its trailing separator.
    std::string Path() const;
    const std::filesystem::path& Root() const { return root_; }
    // Path of a file inside; relative names use '/'.
    std::string File(const std::string& relative) const;
    // Writes the bytes to a file inside, creating the folders on the way.
    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace testsupport

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileSearch.h"
#include "platform/ModulePath.h"

namespace platform {
namespace {

std::string Folded(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

}  // namespace

std::vector<FoundFile> FindFiles(const std::string& pattern) {
    std::string native = NativePath(pattern);
    std::size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : native.substr(0, slash + 1);
    std::string namePattern = slash == std::string::npos ? native : native.substr(slash + 1);

    std::vector<FoundFile> found;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) {
        return found;
    }
    while (const dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (!MatchesWildcard(name, namePattern)) {
            continue;
        }
        struct stat status {};
        std::string full = folder + (folder.back() == '/' ? "" : "/") + name;
        bool isDirectory = stat(full.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        found.push_back(FoundFile{name, isDirectory});
    }
    closedir(directory);
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        std::string foldedA = Folded(a.name);
        std::string foldedB = Folded(b.name);
        return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
    });
    return found;
}

}  // namespace platform

#include <windows.h>

#include <string>
#include <vector>

#include "platform/FileSearch.h"

namespace platform {

std::vector<FoundFile> FindFiles(const std::string& pattern) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return found;
    }
    do {
        found.push_back(FoundFile{data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return found;
}

}  // namespace platform

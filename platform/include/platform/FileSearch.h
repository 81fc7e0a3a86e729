// Directory search with the rules of FindFirstFileA / FindNextFileA: the last component of the pattern
// may hold the wildcards '*' and '?', matched without regard to case, so "*.MNU" finds "English.mnu"
// on every platform. A pattern whose last component is "*" lists "." and ".." as Windows does for a
// folder that is not a drive root. Does not block beyond the directory read; an unreadable or missing
// folder gives an empty list.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct FoundFile {
    std::string name;  // the entry's own name, without the folder
    bool isDirectory = false;
};

// Entries of the folder named in pattern whose names match its last component. The native build
// returns them sorted by name without regard to case, the order NTFS gives; Windows returns them in
// the order of its file system.
std::vector<FoundFile> FindFiles(const std::string& pattern);

// The Windows wildcard rule on one name: '*' any run of characters, '?' one character, letters
// without regard to case. "*.*" matches every name, also one without a dot.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace platform

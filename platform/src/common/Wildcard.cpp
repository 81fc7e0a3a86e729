#include <string>
#include <string_view>

#include "platform/FileSearch.h"

namespace platform {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A '.' followed by nothing but '*' also matches the end of a name: "*.*" and "name.*" find names
// without an extension, as they do on Windows.
bool IsOptionalDot(std::string_view pattern, std::size_t at) {
    if (pattern[at] != '.') {
        return false;
    }
    return pattern.find_first_not_of('*', at + 1) == std::string_view::npos;
}

}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    std::string_view text(name);
    std::string_view wild(pattern);
    std::size_t t = 0;
    std::size_t w = 0;
    // Where the last '*' was seen, to retry with it taking one more character: linear in practice and
    // never worse than quadratic, whatever the pattern.
    std::size_t starPattern = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (w < wild.size() && wild[w] == '*') {
            starPattern = w++;
            starText = t;
        } else if (w < wild.size() && (wild[w] == '?' || FoldAscii(wild[w]) == FoldAscii(text[t]))) {
            ++w;
            ++t;
        } else if (starPattern != std::string_view::npos) {
            w = starPattern + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (w < wild.size() && (wild[w] == '*' || IsOptionalDot(wild, w))) {
        ++w;
    }
    return w == wild.size();
}

}  // namespace platform

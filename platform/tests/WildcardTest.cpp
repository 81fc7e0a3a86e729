#include <gtest/gtest.h>

#include "platform/FileSearch.h"

namespace platform {
namespace {

struct WildcardCase {
    const char* name;
    const char* pattern;
    bool matches;
};

const WildcardCase kWildcardCases[] = {
    {"English.mnu", "*.MNU", true},
    {"English.mnu", "*.mnu", true},
    {"English.mnux", "*.mnu", false},
    {"English.mnu", "English.mnu", true},
    {"ENGLISH.MNU", "english.mnu", true},
    {"English.mnu", "E?glish.mnu", true},
    {"Englsh.mnu", "E?glish.mnu", false},
    {"English.mnu", "*", true},
    {"English.mnu", "*.*", true},
    {"README", "*.*", true},  // "*.*" finds names without a dot too
    {"README", "*.", true},
    {"Parameter.ini", "Param*.ini", true},
    {"Parameter.ini", "*eter*", true},
    {"Parameter.ini", "*.txt", false},
    {"a.b.c", "*.c", true},
    {"a.b.c", "*.b", false},
    {"abc", "???", true},
    {"abc", "????", false},
    {"abc", "??", false},
    {"", "*", true},
    {"", "?", false},
    {"x", "", false},
    {".", "*", true},
    {"..", "*.*", true},
    {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    {"\xC4rger.mnu", "\xC4*.mnu", true},
    {"\xE4rger.mnu", "\xC4*.mnu", false},  // letters above 0x7F are compared exactly
};

TEST(MatchesWildcard, FollowsTheWindowsRules) {
    for (const WildcardCase& c : kWildcardCases) {
        EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " against " << c.pattern;
    }
}

}  // namespace
}  // namespace platform

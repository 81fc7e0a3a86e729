#include "ProfileConformanceCases.h"

#include <vector>

namespace platform::tests {
namespace {

using namespace std::string_literals;

constexpr std::uint32_t kSize = 256;  // the buffer of the program's loader
const std::optional<std::string> kNoFile = std::nullopt;

ProfileCase Read(const char* name, std::optional<std::string> file, const char* section, const char* key,
                 const char* fallback, std::uint32_t result, std::string returned,
                 std::uint32_t size = kSize) {
    ProfileCase c;
    c.name = name;
    c.file = std::move(file);
    c.call = ProfileCall::ReadString;
    c.section = section;
    c.key = key;
    c.text = fallback;
    c.size = size;
    c.result = result;
    c.returned = std::move(returned);
    return c;
}

// Every integer case reads key k of section s.
ProfileCase Int(const char* name, std::optional<std::string> file, int fallback, std::uint32_t result) {
    ProfileCase c;
    c.name = name;
    c.file = std::move(file);
    c.call = ProfileCall::ReadInt;
    c.section = "s";
    c.key = "k";
    c.intDefault = fallback;
    c.result = result;
    return c;
}

// readBack is what section/key reads afterwards with the default "(none)"; fileAfter null: not compared.
ProfileCase Write(const char* name, std::optional<std::string> file, const char* section, const char* key,
                  const char* value, bool result, std::optional<std::string> fileAfter,
                  const char* readBack) {
    ProfileCase c;
    c.name = name;
    c.file = std::move(file);
    c.call = ProfileCall::Write;
    c.section = section;
    c.key = key;
    c.text = value;
    c.result = result ? 1 : 0;
    c.fileAfter = std::move(fileAfter);
    c.readBack = readBack;
    return c;
}

ProfileCase WineGives(ProfileCase c, WineDeviation wine) {
    c.wine = std::move(wine);
    return c;
}

ProfileCase NoFileAfter(ProfileCase c) {
    c.fileMissingAfter = true;
    return c;
}

ProfileCase InMissingFolder(ProfileCase c) {
    c.inMissingFolder = true;
    c.fileMissingAfter = true;
    return c;
}

const char kExactFitReason[] =
    "Wine drops the last character of a quoted value that fills the buffer exactly";

std::vector<ProfileCase> BuildCases() {
    const std::string long300 = std::string(300, 'x');
    const std::string quoted255 = "[s]\r\nk=\"" + std::string(255, 'q') + "\"\r\n";
    // clang-format off
    return {
        // ---- reading: names, white space, quotes
        //   name                                   file                                            section  key     default  result  returned
        Read("plain value",                         "[Model]\r\nName=VK-572D\r\n",                  "Model", "Name", "def",   7, "VK-572D"),
        Read("names ignore case",                   "[MoDeL]\r\nNaMe=x\r\n",                        "model", "NAME", "def",   1, "x"),
        Read("white space around names and value",  "  [ Model ]  \r\n\t Key Name \t=\t value  text \x1A\r\n",
                                                                                                    "Model", "Key Name", "def", 11, "value  text"),
        Read("requested names are trimmed",         "[s]\r\nk=v\r\n",                               " s\t",  "  k ", "def",   1, "v"),
        Read("double quotes removed",               "[s]\r\nk=\"a b\"\r\n",                         "s",     "k",    "def",   3, "a b"),
        Read("single quotes removed",               "[s]\r\nk= 'x'  \r\n",                          "s",     "k",    "def",   1, "x"),
        Read("unmatched quotes kept",               "[s]\r\nk=\"abc'\r\n",                          "s",     "k",    "def",   5, "\"abc'"),
        Read("lone quote kept",                     "[s]\r\nk=\"\r\n",                              "s",     "k",    "def",   1, "\""),
        Read("blanks inside quotes kept",           "[s]\r\nk=\" a \"\r\n",                         "s",     "k",    "def",   3, " a "),
        Read("empty quotes give empty text",        "[s]\r\nk=\"\"\r\n",                            "s",     "k",    "def",   0, ""),
        Read("key name with spaces",                "[s]\r\nmy  key = 1\r\n",                       "s",     "my  key", "def", 1, "1"),

        // ---- comments and odd lines
        Read("comment line is not the key",         "[s]\r\n;k=v\r\nk=w\r\n",                       "s",     "k",    "def",   1, "w"),
        Read("comment line reads under its own name", "[s]\r\n;k=v\r\n",                           "s",     ";k",   "def",   1, "v"),
        Read("semicolon inside value kept",         "[s]\r\nk=5 ; five\r\n",                        "s",     "k",    "def",   8, "5 ; five"),
        Read("line without equals reads as missing", "[s]\r\nk\r\n",                                "s",     "k",    "def",   3, "def"),
        Read("line without equals hides a later key", "[s]\r\nk\r\nk=v\r\n",                        "s",     "k",    "def",   3, "def"),
        Read("second equals sign is value",         "[s]\r\nk=b=c\r\n",                             "s",     "k",    "def",   3, "b=c"),
        Read("empty value is not the default",      "[s]\r\nk=\r\n",                                "s",     "k",    "def",   0, ""),
        Read("value of blanks is empty",            "[s]\r\nk=   \t\r\n",                           "s",     "k",    "def",   0, ""),
        Read("text behind the bracket ignored",     "[s] old name\r\nk=v\r\n",                      "s",     "k",    "def",   1, "v"),
        Read("last bracket closes the name",        "[a]b]\r\nk=v\r\n",                             "a]b",   "k",    "def",   1, "v"),
        Read("open bracket alone is an entry",      "[t]\r\n[s\r\nk=v\r\n",                         "t",     "k",    "def",   1, "v"),
        Read("keys before first section",           "k=v\r\n[s]\r\n",                               "",      "k",    "def",   1, "v"),

        // ---- duplicates
        Read("duplicate section is never read",     "[s]\r\na=1\r\n[s]\r\nb=2\r\n",                 "s",     "b",    "def",   3, "def"),
        Read("first of duplicate sections wins",    "[s]\r\na=1\r\n[S]\r\na=2\r\n",                 "s",     "a",    "def",   1, "1"),
        Read("first of duplicate keys wins",        "[s]\r\na=1\r\nA=2\r\n",                        "s",     "a",    "def",   1, "1"),

        // ---- line ends and bytes
        Read("last line without line break",        "[s]\r\nk=end",                                 "s",     "k",    "def",   3, "end"),
        Read("line feeds only",                     "[s]\na=1\nb=2\n",                              "s",     "b",    "def",   1, "2"),
        Read("carriage returns only",               "[s]\ra=1\rb=2\r",                              "s",     "b",    "def",   1, "2"),
        Read("doubled carriage returns",            "[s]\r\r\na=1\r\r\nb=2\r\r\n",                  "s",     "b",    "def",   1, "2"),
        Read("bytes above 0x7F pass through",       "[s\xE4]\r\nk\xC4=\xE9\x81\x8D\x90\xFF\x80\r\n", "s\xE4", "k\xC4", "def", 6, "\xE9\x81\x8D\x90\xFF\x80"),
        Read("case of bytes above 0x7F matters",    "[\xC4]\r\nk=v\r\n",                            "\xE4",  "k",    "def",   3, "def"),
        Read("NUL ends the value",                  "[s]\r\nk=ab\0cd\r\n"s,                         "s",     "k",    "def",   2, "ab"),
        Read("NUL ends the name",                   "[s]\r\nk\0junk=v\r\n"s,                        "s",     "k",    "def",   1, "v"),
        Read("NUL before the bracket spoils the header", "\0[s]\r\nk=v\r\n"s,                       "s",     "k",    "def",   3, "def"),
        Read("UTF-8 file with mark read in code page 1252", "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9t\xC3\xA9\r\n",
                                                                                                    "s",     "k",    "def",   3, "\xE9t\xE9"),
        Read("UTF-16 file with mark",               "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0"s, "s",   "k",    "def",   1, "\xE9"),

        // ---- missing things and the default
        Read("missing file gives default",          kNoFile,                                        "s",     "k",    "def",   3, "def"),
        Read("missing section gives default",       "[t]\r\nk=v\r\n",                               "s",     "k",    "def",   3, "def"),
        Read("missing key gives default",           "[s]\r\nj=v\r\n",                               "s",     "k",    "def",   3, "def"),
        Read("default loses trailing spaces",       "[s]\r\n",                                      "s",     "k",    "one two  ", 7, "one two"),
        Read("default keeps a trailing tab",        "[s]\r\n",                                      "s",     "k",    "def\t", 4, "def\t"),
        Read("default keeps leading spaces",        kNoFile,                                        "s",     "k",    "  def", 5, "  def"),
        Read("default loses quotes",                "[s]\r\n",                                      "s",     "k",    "\"def\"", 3, "def"),
        Read("null default reads as empty",         "[s]\r\n",                                      "s",     "k",    nullptr, 0, ""),
        WineGives(Read("default of blanks is empty", "[s]\r\n",                                     "s",     "k",    "   ",   0, ""),
                  {.reason = "Wine keeps the first blank of a default made only of blanks", .result = 1, .returned = " "}),
        WineGives(InMissingFolder(Read("missing folder gives default", kNoFile,                     "s",     "k",    "\"def\"  ", 3, "def")),
                  {.reason = "Wine keeps the quotes of the default when the file's folder is missing", .result = 5,
                   .returned = "\"def\""}),

        // ---- buffer sizes                                                                                                     size
        Read("value over 255 characters cut",       "[s]\r\nk=" + long300 + "\r\n",                 "s",     "k",    "def", 255, std::string(255, 'x')),
        WineGives(Read("quoted value of 255 characters", quoted255,                                 "s",     "k",    "def", 255, std::string(255, 'q')),
                  {.reason = kExactFitReason, .result = 254, .returned = std::string(254, 'q')}),
        WineGives(Read("quoted value fitting exactly", "[s]\r\nk=\"abc\"\r\n",                      "s",     "k",    "def",   3, "abc", 4),
                  {.reason = kExactFitReason, .result = 2, .returned = "ab"}),
        Read("quoted value cut",                    "[s]\r\nk=\"abcdef\"\r\n",                      "s",     "k",    "def",   2, "ab",  3),
        Read("small buffer cuts value",             "[s]\r\nk=abcdef\r\n",                          "s",     "k",    "def",   3, "abc", 4),
        Read("buffer of one holds the NUL only",    "[s]\r\nk=abcdef\r\n",                          "s",     "k",    "def",   0, "",    1),
        Read("buffer of zero is left alone",        "[s]\r\nk=abcdef\r\n",                          "s",     "k",    "def",   0, "~~~~", 0),
        Read("small buffer cuts default",           kNoFile,                                        "s",     "k",    "default", 3, "def", 4),

        // ---- name lists
        Read("key names without comments and bare names", "[s]\r\na=1\r\n;c=2\r\nb\r\nc=\r\n[t]\r\nz=1\r\n",
                                                                                                    "s",     nullptr, "def",  4, "a\0c\0\0"s),
        Read("key names of a missing section give default", "[s]\r\n",                             "x",     nullptr, "def",  3, "def"),
        Read("section names with duplicates",       "[s]\r\n[t]\r\n[s]\r\n[ u ]\r\n",               nullptr, "k",    "def",   8, "s\0t\0s\0u\0\0"s),
        Read("section names cut",                   "[section1]\r\n[section2]\r\n[section3]\r\n",   nullptr, nullptr, "def", 14, "section1\0secti\0"s, 16),
        Read("no section names",                    "k=v\r\n",                                      nullptr, nullptr, "def",  0, "\0"s),

        // ---- the integer reader
        //  name                                    file                                            default  result
        Int("int decimal",                          "[s]\r\nk=42\r\n",                              7, 42),
        Int("int negative",                         "[s]\r\nk= -42 \r\n",                           7, 4294967254u),
        Int("int plus sign",                        "[s]\r\nk=+42\r\n",                             7, 42),
        Int("int hexadecimal",                      "[s]\r\nk=0x1f\r\n",                            7, 31),
        Int("int upper-case X is no prefix",        "[s]\r\nk=0X1f\r\n",                            7, 0),
        Int("int binary",                           "[s]\r\nk=0b101\r\n",                           7, 5),
        Int("int leading zero stays decimal",       "[s]\r\nk=017\r\n",                             7, 17),
        Int("int stops at first other character",   "[s]\r\nk=12.7mm\r\n",                          7, 12),
        Int("int text gives zero",                  "[s]\r\nk=abc\r\n",                             7, 0),
        Int("int blank after sign gives zero",      "[s]\r\nk=- 12\r\n",                            7, 0),
        Int("int empty value gives default",        "[s]\r\nk=\r\n",                                7, 7),
        Int("int missing key gives negative default", "[s]\r\n",                                    -7, 4294967289u),
        Int("int quoted",                           "[s]\r\nk=\"12\"\r\n",                          7, 12),
        Int("int wraps at 2^32",                    "[s]\r\nk=4294967297\r\n",                      7, 1),
        Int("int reads 29 characters only",         "[s]\r\nk=00000000000000000000000000000000042\r\n", 7, 0),
        Int("int of a bare name gives default",     "[s]\r\nk\r\n",                                 7, 7),

        // ---- writing
        //    name                                  file before                                     section key  value   result file after                                    read back
        Write("write creates file and section",     kNoFile,                                        "s",    "k", "v",    true, "[s]\r\nk=v\r\n",                              "v"),
        Write("write adds key at end of section",   "[s]\r\na=1\r\n[t]\r\nb=2\r\n",                 "S",    "k", "v",    true, "[s]\r\na=1\r\nk=v\r\n[t]\r\nb=2\r\n",         "v"),
        Write("write adds key behind a last line without break", "[s]\r\na=1",                      "s",    "k", "v",    true, "[s]\r\na=1\r\nk=v\r\n",                       "v"),
        Write("write adds section at end",          "[s]\r\na=1",                                   "t",    "k", "v",    true, "[s]\r\na=1\r\n[t]\r\nk=v\r\n",                "v"),
        Write("write replaces in place keeping the spelling", "[s]\r\na=1\r\nKey=old\r\nb=2\r\n",   "s",    "KEY", "new", true, "[s]\r\na=1\r\nKey=new\r\nb=2\r\n",           "new"),
        WineGives(Write("write keeps comments and blank lines", "; top\r\n[s]\r\n; c1\r\nk = old ; x\r\n\r\n  b=2\r\n",
                                                                                                    "s",    "k", "new",  true, "; top\r\n[s]\r\n; c1\r\nk=new\r\n\r\n  b=2\r\n", "new"),
                  {.reason = "Wine rewrites the whole file: blank lines dropped, white space around names removed",
                   .fileAfter = "; top\r\n[s]\r\n; c1\r\nk=new\r\nb=2\r\n"}),
        Write("write of the same value leaves the file", "[s]\r\nk = v\r\n",                        "s",    "k", "v",    true, "[s]\r\nk = v\r\n",                            "v"),
        Write("write drops leading blanks of value", "[s]\r\n",                                     "s",    "k", "  v  ", true, "[s]\r\nk=v  \r\n",                           "v"),
        Write("write of empty value",               kNoFile,                                        "s",    "k", "",     true, "[s]\r\nk=\r\n",                               ""),
        Write("write replaces a bare name",         "[s]\r\nk\r\n",                                 "s",    "k", "v",    true, "[s]\r\nk=v\r\n",                              "v"),
        Write("write passes bytes above 0x7F",      "[s]\r\n",                                      "s",    "k", "\xE9\x81\xFF", true, "[s]\r\nk=\xE9\x81\xFF\r\n",           "\xE9\x81\xFF"),
        Write("write into first of duplicate sections", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=1\r\n",      "s",    "k", "v",    true, "[s]\r\na=1\r\nk=v\r\n[t]\r\n[s]\r\nb=1\r\n",  "v"),
        WineGives(Write("write keeps line feeds of other lines", "[s]\na=1\nk=2\n",                 "s",    "k", "9",    true, "[s]\na=1\nk=9\n",                             "9"),
                  {.reason = "Wine rewrites every line end as CR LF", .fileAfter = "[s]\r\na=1\r\nk=9\r\n"}),
        WineGives(Write("write keeps NUL bytes before first section", "Data \0 here\r\n[s]\r\nk=1\r\n"s,
                                                                                                    "s",    "k", "2",    true, "Data \0 here\r\n[s]\r\nk=2\r\n"s,             "2"),
                  {.reason = "Wine cuts lines at NUL bytes when it rewrites the file", .fileUnchecked = true}),
        Write("write keeps UTF-8 file in UTF-8",    "\xEF\xBB\xBF[s]\r\nk=1\r\n",                   "s",    "k", "\xE9", true, "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9\r\n",           "\xE9"),
        Write("null value deletes key",             "[s]\r\na=1\r\nk=2\r\nb=3\r\n",                 "s",    "k", nullptr, true, "[s]\r\na=1\r\nb=3\r\n",                      "(none)"),
        Write("null value deletes key in later duplicate section", "[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s",    "k", nullptr, true, "[s]\r\na=1\r\n[s]\r\n",                      "(none)"),
        Write("null key deletes section with its comments", "[s]\r\na=1\r\n;c\r\n[t]\r\nb=2\r\n",  "s",    nullptr, nullptr, true, "[t]\r\nb=2\r\n",                         "(none)"),
        NoFileAfter(Write("deleting from missing file creates nothing", kNoFile,                "s",    "k", nullptr, true, std::nullopt,                                  "(none)")),
        InMissingFolder(Write("write into missing folder fails", kNoFile,                           "s",    "k", "v",    false, std::nullopt,                                 "(none)")),
        Write("null section writes nothing",        "[s]\r\n",                                      nullptr, "k", "v",   false, "[s]\r\n",                                    nullptr),
    };
    // clang-format on
}

}  // namespace

std::span<const ProfileCase> ProfileConformanceCases() {
    static const std::vector<ProfileCase> cases = BuildCases();
    return cases;
}

}  // namespace platform::tests

// What the fuzz targets share: the libFuzzer entry point, a check that stops the run with the broken
// property, a reader of the control bytes at the end of an input, and a scratch folder for the files
// the parsers read.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Each target defines it; libFuzzer calls it, and so does the replay driver of the other builds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// Prints the property that does not hold and aborts, which libFuzzer reports as a finding with the
// input that caused it, and the replay driver as a failed run.
[[noreturn]] void Fail(const char* file, int line, const char* condition, const std::string& detail);

#define FUZZ_CHECK(condition, detail)                               \
    do {                                                            \
        if (!(condition)) {                                         \
            ::fuzz::Fail(__FILE__, __LINE__, #condition, (detail)); \
        }                                                           \
    } while (false)

// Control bytes are taken from the end of the input, so that the front stays a file the seed corpus
// can start from and a mutation of the control bytes leaves the file as it was.
class TailReader {
public:
    TailReader(const std::uint8_t* data, std::size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (text_.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(text_.back());
        text_.remove_suffix(1);
        return byte;
    }

    // Up to most bytes from the end, in file order; the length is read first.
    std::string Text(std::size_t most) {
        const std::size_t wanted = Byte() % (most + 1);  // taken before the size is looked at
        const std::size_t length = std::min(wanted, text_.size());
        std::string text(text_.substr(text_.size() - length));
        text_.remove_suffix(length);
        return text;
    }

    // What the control bytes left over.
    std::string_view Rest() const { return text_; }

private:
    std::string_view text_;
};

// A folder of this process, removed at exit; on a RAM disk where there is one, since every input is
// written to a file there.
const std::string& ScratchFolder();
std::string ScratchFile(const std::string& name);

void WriteFile(const std::string& path, std::string_view bytes);
// Writes the file and dates it back by a day and a second per call. The profile functions parse a
// file changed long ago once and then trust its size and time, while one just written is compared
// byte for byte at every read; the second per call keeps any two inputs apart for that check.
void WriteSettledFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

// The text with control characters and bytes above 0x7E written as \xNN, for the messages of Fail.
std::string Printable(std::string_view bytes);

}  // namespace fuzz

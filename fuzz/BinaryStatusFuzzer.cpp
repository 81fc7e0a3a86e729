// The conversion of a control reply's bytes into text, the binary status block ("ST2") above all, and
// the status record read from that text.
//
// Properties: the walk reads nothing past the bytes received, whatever the block's length and field
// counts say (the input is copied into a buffer of exactly its size); a text reply is the bytes
// without their zero bytes; a converted block is the head, then key ":" decimal digits ";" groups,
// one per field wholly received below the declared length; the first status field's first byte comes
// back as the record's status (its first two digits from 100 on).
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ControlReplies.h"
#include "FuzzSupport.h"

namespace {

constexpr std::string_view kHead = "@BDC ST\n\r";

// The first byte of the first status field (type 1) the walk reaches; 0 when that field is empty.
std::optional<int> FirstStatusByte(const std::uint8_t* data, std::size_t size) {
    if (size < 12) {
        return std::nullopt;
    }
    const std::size_t declared = data[10] | (data[11] << 8);
    for (std::size_t at = 12; at < declared && at + 2 <= size && at + 2 + data[at + 1] <= size;
         at += 2 + data[at + 1]) {
        if (data[at] == 1) {
            return data[at + 1] == 0 ? 0 : data[at + 2];
        }
    }
    return std::nullopt;
}

void CheckGroups(std::string_view groups, std::size_t size) {
    std::size_t count = 0;
    while (!groups.empty()) {
        const std::size_t colon = groups.find(':');
        const std::size_t end = groups.find(';');
        FUZZ_CHECK(colon != std::string_view::npos && end != std::string_view::npos && colon < end,
                   fuzz::Printable(groups) + ": not a key:digits; group");
        const std::string_view key = groups.substr(0, colon);
        FUZZ_CHECK(!key.empty() && key.size() <= 4 &&
                       key.find_first_not_of("ABCDEGIKMNPRSTVWX") == std::string_view::npos,
                   fuzz::Printable(key) + ": not a key of the block");
        const std::string_view digits = groups.substr(colon + 1, end - colon - 1);
        FUZZ_CHECK(digits.find_first_not_of("0123456789") == std::string_view::npos,
                   fuzz::Printable(digits) + ": not decimal digits");
        groups.remove_prefix(end + 1);
        ++count;
    }
    FUZZ_CHECK(count <= (size - 12) / 2, "more groups than fields could fit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string text = drvlib::ControlReplyText(buffer.get(), size);
    if (!drvlib::IsBinaryStatusReply(buffer.get(), size)) {
        std::string expected;
        for (std::size_t index = 0; index < size; ++index) {
            if (data[index] != 0) {
                expected += static_cast<char>(data[index]);
            }
        }
        FUZZ_CHECK(text == expected, "a text reply is not its bytes without zero bytes");
        return 0;
    }
    FUZZ_CHECK(text.substr(0, kHead.size()) == kHead, fuzz::Printable(text) + " lacks the head");
    if (size >= 12) {
        CheckGroups(std::string_view(text).substr(kHead.size()), size);
    } else {
        FUZZ_CHECK(text == kHead, "fields from a block without its length");
    }

    STATUSINF status;
    status.nStatus = 777;
    const int result = drvlib::StatusReply(text, &status);
    const std::optional<int> first = FirstStatusByte(data, size);
    if (first) {
        FUZZ_CHECK(result == drvlib::kReplyDone,
                   fuzz::Printable(text) + ": a status field that did not decode");
        const int expected = *first < 100 ? *first : *first / 10;
        FUZZ_CHECK(status.nStatus == expected, fuzz::Printable(text) + ": status " +
                                                   std::to_string(status.nStatus) + ", the byte was " +
                                                   std::to_string(*first));
        FUZZ_CHECK(status.nError >= 0 && status.nError <= 99, "an error code the digits cannot give");
    } else {
        FUZZ_CHECK(status.nStatus == 777 || result == drvlib::kReplyDone,
                   "a failed decode changed the record");
    }
    return 0;
}

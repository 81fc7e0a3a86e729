// The status reply parser, on any bytes the channel library might leave in its buffer.
//
// Properties: the parser reads nothing past the buffer it is given (the input is copied into a buffer
// of exactly its size, so the sanitizers see any overrun); a parsed reply holds the marker line; the
// codes it gives are the two characters after the first key, which a plain reader of the same text
// gives as well; and a failed parse leaves the codes untouched.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "printer/StatusReply.h"

namespace {

int ReferenceGroup(std::string_view text, std::string_view key) {
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return printer::kCodeAbsent;
    }
    return std::stoi(std::string(text.substr(at + key.size(), 2)), nullptr, 16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    printer::StatusReplyCodes codes;
    codes.status = 0x5A;
    codes.error = 0x5B;
    codes.third = 0x5C;
    const std::uint16_t result = printer::ParseStatusReply(buffer.get(), size, &codes);

    std::string_view text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    if (result == printer::kStatusReplyParsed) {
        FUZZ_CHECK(text.find("@BDC ST\r\n") != std::string_view::npos,
                   fuzz::Printable(text) + " parsed without the marker line");
        FUZZ_CHECK(codes.status == ReferenceGroup(text, "ST:"), fuzz::Printable(text) + ": ST differs");
        FUZZ_CHECK(codes.error == ReferenceGroup(text, "ER:"), fuzz::Printable(text) + ": ER differs");
        FUZZ_CHECK(codes.third == ReferenceGroup(text, "TP:"), fuzz::Printable(text) + ": TP differs");
    } else {
        FUZZ_CHECK(result == printer::kStatusReplyUnparsable, "an unknown result word");
        FUZZ_CHECK(codes.status == 0x5A && codes.error == 0x5B && codes.third == 0x5C,
                   fuzz::Printable(text) + " failed but changed the codes");
    }
    return 0;
}

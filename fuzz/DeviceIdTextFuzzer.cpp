// The device-ID text of the device-driver library, on any bytes a device-ID request might return, and
// the device ID the control command "di" brings back.
//
// Properties: the text of a buffer is its bytes up to the first NUL and never more than were received
// (the input is copied into a buffer of exactly its size, so the sanitizers see any overrun); a key's
// value is the text right after the key and holds no ";"; the model text is the maker's and the
// model's value with one blank between them; the "di" reply gives -21 exactly when it says "di:NA".
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "ControlReplies.h"
#include "DeviceIdText.h"
#include "FuzzSupport.h"

namespace {

void CheckValue(std::string_view text, std::string_view key) {
    const std::string value = drvlib::DeviceIdValue(text, key);
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) {
        FUZZ_CHECK(value.empty(), fuzz::Printable(text) + ": a value for an absent key");
        return;
    }
    FUZZ_CHECK(value.find(';') == std::string::npos, fuzz::Printable(value) + " holds a \";\"");
    FUZZ_CHECK(text.substr(at + key.size(), value.size()) == value,
               fuzz::Printable(value) + " is not what follows the key in " + fuzz::Printable(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string text = drvlib::DeviceIdFromBuffer(buffer.get(), size);
    FUZZ_CHECK(text.size() <= size, "a text longer than the bytes received");
    FUZZ_CHECK(text.find('\0') == std::string::npos, "a NUL inside the text");
    FUZZ_CHECK(std::memcmp(text.data(), data, text.size()) == 0, "the text is not the buffer's start");
    FUZZ_CHECK(text.size() == size || data[text.size()] == 0, "the text ends before the first NUL");

    CheckValue(text, "MFG:");
    CheckValue(text, "MDL:");
    CheckValue(text, "DES:");
    FUZZ_CHECK(drvlib::ModelText(text) ==
                   drvlib::DeviceIdValue(text, "MFG:") + " " + drvlib::DeviceIdValue(text, "MDL:"),
               fuzz::Printable(text) + ": the model text is not maker, blank, model");

    std::string id = "unset";
    const int result = drvlib::DeviceIdReply(text, &id);
    if (text.find("di:NA") != std::string::npos) {
        FUZZ_CHECK(result == drvlib::kReplyNotAvailable && id == "unset",
                   fuzz::Printable(text) + ": di:NA not -21");
    } else {
        FUZZ_CHECK(result == drvlib::kReplyDone, fuzz::Printable(text) + ": a reply other than di:NA failed");
        const std::string expected = text.find("DES:") != std::string::npos
                                         ? drvlib::DeviceIdValue(text, "DES:")
                                         : drvlib::ModelText(text);
        FUZZ_CHECK(id == expected, fuzz::Printable(text) + " gives " + fuzz::Printable(id));
    }
    return 0;
}

// The status record of the control command "st", decoded from any reply text.
//
// Properties: nothing is read past the text (the input is copied into a buffer of exactly its size);
// "st:NA" gives -21 and a reply without "ST:" -23, both leaving the record as it was; a decoded record
// holds only values its digits can give: status and error 0 to 255 (error 1 without "ER:"), warning
// flags 0 or 1 and the WR group's text, two-digit values 0 to 255 or -1, TC -1 exactly without "TC:".
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "ControlReplies.h"
#include "FuzzSupport.h"

namespace {

constexpr int kMark = 777;

STATUSINF Marked() {
    STATUSINF status;
    status.nStatus = kMark;
    status.nError = kMark;
    for (auto& value : status.nInkQuality) {
        value = kMark;
    }
    for (auto& flag : status.nWarning) {
        flag = kMark;
    }
    status.strWarning = "mark";
    status.cRV = '~';
    for (auto& value : status.nAICW) {
        value = kMark;
    }
    status.nMI = kMark;
    status.nTC = kMark;
    return status;
}

bool Unchanged(const STATUSINF& status) {
    const STATUSINF mark = Marked();
    return std::memcmp(status.nInkQuality, mark.nInkQuality, sizeof mark.nInkQuality) == 0 &&
           std::memcmp(status.nWarning, mark.nWarning, sizeof mark.nWarning) == 0 &&
           std::memcmp(status.nAICW, mark.nAICW, sizeof mark.nAICW) == 0 && status.nStatus == kMark &&
           status.nError == kMark && status.strWarning == "mark" && status.cRV == '~' &&
           status.nMI == kMark && status.nTC == kMark;
}

bool ByteOrAbsent(int value) {
    return value == kMark || (value >= -1 && value <= 255);
}

// The characters after the first key up to the next ";".
std::string Group(std::string_view text, std::string_view key) {
    const std::size_t at = text.find(key);
    const std::string_view rest = text.substr(at + key.size());
    return std::string(rest.substr(0, rest.find(';')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string_view text(buffer.get(), size);
    STATUSINF status = Marked();
    const int result = drvlib::StatusReply(text, &status);
    if (text.find("st:NA") != std::string_view::npos) {
        FUZZ_CHECK(result == drvlib::kReplyNotAvailable && Unchanged(status),
                   "st:NA not -21, or the record changed");
        return 0;
    }
    if (text.find("ST:") == std::string_view::npos) {
        FUZZ_CHECK(result == drvlib::kReplyUnexpected && Unchanged(status),
                   "no ST: not -23, or the record changed");
        return 0;
    }
    FUZZ_CHECK(result == drvlib::kReplyDone, fuzz::Printable(text) + ": a reply with ST: failed");
    FUZZ_CHECK(status.nStatus >= 0 && status.nStatus <= 255, "a status two characters cannot give");
    FUZZ_CHECK(status.nError >= 0 && status.nError <= 255, "an error two characters cannot give");
    if (text.find("ER:") == std::string_view::npos) {
        FUZZ_CHECK(status.nError == 1, "an absent ER: is not error 1");
    }
    for (int flag : status.nWarning) {
        FUZZ_CHECK(flag == 0 || flag == 1, "a warning flag other than 0 or 1");
    }
    const std::string warnings = text.find("WR:") == std::string_view::npos ? "" : Group(text, "WR:");
    FUZZ_CHECK(status.strWarning == CString(std::string_view(warnings)),
               fuzz::Printable(text) + ": the warning text is not the WR group");
    for (int value : status.nInkQuality) {
        FUZZ_CHECK(ByteOrAbsent(value), "an ink value two hexadecimal digits cannot give");
    }
    for (int value : status.nAICW) {
        FUZZ_CHECK(ByteOrAbsent(value), "an AICW value two hexadecimal digits cannot give");
    }
    FUZZ_CHECK(status.nMI == kMark || (status.nMI >= 0 && status.nMI <= 255), "an MI two digits cannot give");
    FUZZ_CHECK((status.nTC == -1) == (text.find("TC:") == std::string_view::npos),
               "TC is -1 exactly without TC:");
    return 0;
}

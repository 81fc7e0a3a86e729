// The paper record of the control command "cm", decoded from any reply text.
//
// Properties: nothing is read past the text or past the CM: group's ";" (the input is copied into a
// buffer of exactly its size); the result is 0, -21 or -23, and only 0 changes the record; a decoded
// record holds the 40 characters that follow "CM:" and two more, bytes of two hexadecimal digits and
// sums of two such bytes and 256.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "ControlReplies.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string_view text(buffer.get(), size);
    constexpr int kMark = 7777;
    PAPERINF paper;
    paper.strName = "mark";
    paper.nValue1 = paper.nValue2 = paper.nSum1 = paper.nSum2 = paper.nValue5 = paper.nValue6 = kMark;
    const int result = drvlib::PaperInformationReply(text, &paper);
    if (result != drvlib::kReplyDone) {
        FUZZ_CHECK(result == drvlib::kReplyNotAvailable || result == drvlib::kReplyUnexpected,
                   "an unknown result");
        FUZZ_CHECK(paper.strName == "mark" && paper.nValue1 == kMark && paper.nSum2 == kMark &&
                       paper.nValue6 == kMark,
                   "a failed decode changed the record");
        return 0;
    }
    const std::size_t key = text.find("CM:");
    FUZZ_CHECK(key != std::string_view::npos, "decoded without CM:");
    FUZZ_CHECK(
        std::string_view(paper.strName.GetString(), static_cast<std::size_t>(paper.strName.GetLength())) ==
            text.substr(key + 5, 40),
        fuzz::Printable(text) + ": the name is not the 40 characters from 5 after CM:");
    for (int value : {paper.nValue1, paper.nValue2, paper.nValue5, paper.nValue6}) {
        FUZZ_CHECK(value >= 0 && value <= 255, "a byte two hexadecimal digits cannot give");
    }
    for (int sum : {paper.nSum1, paper.nSum2}) {
        FUZZ_CHECK(sum >= 256 && sum <= 766, "a sum two bytes and 256 cannot give");
    }
    return 0;
}

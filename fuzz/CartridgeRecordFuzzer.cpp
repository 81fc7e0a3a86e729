// The cartridge record of the control command "ii", decoded from any reply text.
//
// Properties: nothing is read past the text or past either entry's block (the input is copied into a
// buffer of exactly its size); the result is 0, -21 or -23, and only 0 changes the record; a decoded
// entry holds -1 or a value its digits can give in every slot and at most five LOG characters.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "ControlReplies.h"
#include "FuzzSupport.h"

namespace {

constexpr int kMark = 777777;

// The largest value of each slot: two hexadecimal digits, or four for TSH, IC1 and IC2.
constexpr int kLargest[14] = {255, 255, 255, 255, 255, 0xFFFF, 255, 255, 0xFFFF, 0xFFFF, 255, 255, 255, 255};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    const std::string_view text(buffer.get(), size);
    CSICINF csic;
    for (CSICENTRY& entry : csic.entry) {
        for (auto& slot : entry.nSlot) {
            slot = kMark;
        }
        entry.strLog = "mark";
    }
    const int result = drvlib::CartridgeInformationReply(text, &csic);
    if (result != drvlib::kReplyDone) {
        FUZZ_CHECK(result == drvlib::kReplyNotAvailable || result == drvlib::kReplyUnexpected,
                   "an unknown result");
        for (const CSICENTRY& entry : csic.entry) {
            for (int slot : entry.nSlot) {
                FUZZ_CHECK(slot == kMark, "a failed decode changed the record");
            }
            FUZZ_CHECK(entry.strLog == "mark", "a failed decode changed the LOG text");
        }
        return 0;
    }
    FUZZ_CHECK(text.find("II:") != std::string_view::npos && text.find("ORLEX;") != std::string_view::npos,
               fuzz::Printable(text) + " decoded without II: or ORLEX;");
    for (const CSICENTRY& entry : csic.entry) {
        FUZZ_CHECK(entry.nSlot[0] >= -1 && entry.nSlot[0] <= 255, "slot 1 neither -1 nor a byte");
        FUZZ_CHECK(entry.nSlot[1] >= -1 && entry.nSlot[1] <= 255, "slot 2 neither -1 nor a byte");
        for (int index = 2; index < 14; ++index) {
            const int slot = entry.nSlot[index];
            FUZZ_CHECK(slot == kMark || (slot >= 0 && slot <= kLargest[index]),
                       "slot " + std::to_string(index + 1) + " holds " + std::to_string(slot));
        }
        FUZZ_CHECK(entry.strLog == "mark" || entry.strLog.GetLength() <= 5, "a LOG text longer than five");
    }
    return 0;
}

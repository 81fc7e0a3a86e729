#include "ControlReplies.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

#include "DeviceIdText.h"
#include "protocol/HexDigit.h"

namespace drvlib {

namespace {

constexpr std::string_view kOk = "OK";
constexpr std::string_view kNotAvailable = "NA";
constexpr std::string_view kBusy = "BUSY";

// The keys of the binary status block's field types 1 to 19; other types carry nothing the text
// form has.
constexpr std::array<const char*, 20> kBinaryFieldKeys = {
    nullptr, "ST:",   "ER:", "TP:",  "WR:", "CR:",  "PP:", "PE:",  "RV:", "MR:",
    "CD:",   "AICW:", "TC:", "TIR:", "RC:", "INK:", "IG:", "TEC:", "SB:", "CA:"};

constexpr std::size_t kBinaryHeadSize = 12;  // the text head and the 16-bit length
constexpr std::size_t kBinaryLengthAt = 10;

bool IsHexLetter(char c) {
    return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The value of the leading hexadecimal digits (0 without any), held below 2^31.
int HexPrefix(std::string_view text) {
    std::int64_t value = 0;
    for (char c : text) {
        const int digit = protocol::HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = std::min<std::int64_t>(value * 16 + digit, std::numeric_limits<std::int32_t>::max());
    }
    return static_cast<int>(value);
}

int DecimalPrefix(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min(value * 10 + (c - '0'), 99999999);
    }
    return value;
}

// The characters of a group from offset on, up to count of them (fewer at the group's end).
std::string_view Take(std::string_view group, std::size_t offset, std::size_t count) {
    return offset >= group.size() ? std::string_view{} : group.substr(offset, count);
}

// Two hexadecimal digits, both present and both digits.
std::optional<int> HexByte(std::string_view two) {
    if (two.size() != 2 || protocol::HexDigit(two[0]) < 0 || protocol::HexDigit(two[1]) < 0) {
        return std::nullopt;
    }
    return protocol::HexDigit(two[0]) * 16 + protocol::HexDigit(two[1]);
}

void SetIfPresent(std::int32_t* field, std::optional<int> value) {
    if (value) {
        *field = *value;
    }
}

std::int32_t ValueOrAbsent(std::optional<int> value) {
    return value ? *value : -1;
}

// IQ: values 1 to 4 at the group's offsets 0, 2, 4, 6; values 5 to 7 at 8, 10, 12 when the group is
// long enough for them, else -1 (the printers with three cartridges more send the longer group).
void DecodeInkQuality(std::string_view group, STATUSINF* status) {
    for (std::size_t value = 0; value < 4; ++value) {
        SetIfPresent(&status->nInkQuality[value], HexField(group, value * 2, 2));
    }
    for (std::size_t value = 4; value < 7; ++value) {
        status->nInkQuality[value] = group.size() <= 8 ? -1 : ValueOrAbsent(HexField(group, value * 2, 2));
    }
}

// WR: decimal two-character warning codes; codes 10 to 16 have a flag each.
void DecodeWarnings(std::string_view group, STATUSINF* status) {
    status->strWarning = CString(group);
    if (group.size() < 2) {
        return;
    }
    for (std::size_t at = 0; at + 2 <= group.size(); at += 2) {
        const int code = DecimalPrefix(group.substr(at, 2));
        if (code >= 10 && code <= 16) {
            status->nWarning[code - 10] = 1;
        }
    }
}

// AICW: three characters, then the values up to the next "," (or the group's end): 1 to 4 at 0, 2,
// 4, 6 of them; with more than eight characters 5, 6 and 7 at 8, 10, 12, each -1 when cut short.
// With eight or fewer, 5 and 6 are -1 and 7 keeps its value.
void DecodeAicw(std::string_view group, STATUSINF* status) {
    std::string_view values = Take(group, 3, std::string_view::npos);
    values = values.substr(0, values.find(','));
    for (std::size_t value = 0; value < 4; ++value) {
        SetIfPresent(&status->nAICW[value], HexField(values, value * 2, 2));
    }
    if (values.size() <= 8) {
        status->nAICW[4] = -1;
        status->nAICW[5] = -1;
        return;
    }
    for (std::size_t value = 4; value < 7; ++value) {
        status->nAICW[value] = ValueOrAbsent(HexField(values, value * 2, 2));
    }
}

// The hexadecimal value after a key inside a block of the cartridge reply, `digits` characters at
// most and none past the key's ";".
std::optional<int> KeyedHex(std::string_view block, std::string_view key, std::size_t digits) {
    const std::optional<std::string_view> group = GroupAfterKey(block, key);
    if (!group) {
        return std::nullopt;
    }
    return HexField(*group, 0, digits);
}

// One entry of the cartridge reply from its block. The first entry has one value before its first
// ";", the second up to five, three characters apart.
void FillCartridgeEntry(std::string_view block, bool second, CSICENTRY* entry) {
    entry->nSlot[0] = -1;
    entry->nSlot[1] = -1;
    // Offsets 3, 6, ... of the block, before its first ";" from offset 3 on.
    const std::string_view head = Take(block, 3, std::string_view::npos);
    const std::string_view values = head.substr(0, head.find(';'));
    const std::size_t count = second ? 5 : 1;
    for (std::size_t slot = 0; slot < count; ++slot) {
        SetIfPresent(&entry->nSlot[slot], HexField(values, slot * 3, 2));
    }
    struct Keyed {
        const char* key;
        std::size_t digits;
    };
    static constexpr Keyed kKeyed[] = {{"TSH:", 4}, {"PDY:", 2}, {"PDM:", 2}, {"IC1:", 4}, {"IC2:", 4},
                                       {"IK1:", 2}, {"IK2:", 2}, {"TOV:", 2}, {"TVU:", 2}};
    for (std::size_t index = 0; index < std::size(kKeyed); ++index) {
        SetIfPresent(&entry->nSlot[5 + index], KeyedHex(block, kKeyed[index].key, kKeyed[index].digits));
    }
    if (const std::optional<std::string_view> log = GroupAfterKey(block, "LOG:")) {
        entry->strLog = CString(log->substr(0, 5));
    }
}

}  // namespace

// ---- Reply bytes to text -------------------------------------------------------------------------------

bool IsBinaryStatusReply(const std::uint8_t* bytes, std::size_t size) {
    std::string head;
    for (std::size_t index = 0; index < std::min(size, kBinaryHeadSize); ++index) {
        head += bytes[index] == 0 ? '0' : static_cast<char>(bytes[index]);
    }
    return head.find("ST2") != std::string::npos;
}

std::string BinaryStatusText(const std::uint8_t* bytes, std::size_t size) {
    std::string text = "@BDC ST\n\r";
    if (size < kBinaryHeadSize) {
        return text;
    }
    const std::size_t blockLength =
        static_cast<std::size_t>(bytes[kBinaryLengthAt] | (bytes[kBinaryLengthAt + 1] << 8));
    std::size_t at = kBinaryHeadSize;
    while (at < blockLength && at + 2 <= size) {
        const std::uint8_t type = bytes[at];
        const std::size_t count = bytes[at + 1];
        if (at + 2 + count > size) {
            break;  // cut short: the rest never arrived
        }
        if (type < kBinaryFieldKeys.size() && kBinaryFieldKeys[type] != nullptr) {
            text += kBinaryFieldKeys[type];
            for (std::size_t index = 0; index < count; ++index) {
                char digits[4];
                std::snprintf(digits, sizeof digits, "%02u", static_cast<unsigned>(bytes[at + 2 + index]));
                text += digits;
            }
            text += ';';
        }
        at += 2 + count;
    }
    return text;
}

std::string ControlReplyText(const std::uint8_t* bytes, std::size_t size) {
    if (IsBinaryStatusReply(bytes, size)) {
        return BinaryStatusText(bytes, size);
    }
    std::string text;
    for (std::size_t index = 0; index < size; ++index) {
        if (bytes[index] != 0) {
            text += static_cast<char>(bytes[index]);
        }
    }
    return text;
}

// ---- Helpers -------------------------------------------------------------------------------------------

bool HasWord(std::string_view reply, std::string_view word) {
    return reply.find(word) != std::string_view::npos;
}

std::optional<std::string_view> GroupAfterKey(std::string_view reply, std::string_view key) {
    const std::size_t at = reply.find(key);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = reply.substr(at + key.size());
    return rest.substr(0, rest.find(';'));
}

std::optional<int> HexField(std::string_view group, std::size_t offset, std::size_t count) {
    if (offset > group.size() || count > group.size() - offset) {
        return std::nullopt;
    }
    return HexPrefix(group.substr(offset, count));
}

int StatusCode(std::string_view digits) {
    digits = digits.substr(0, 2);
    const bool hex = std::any_of(digits.begin(), digits.end(), IsHexLetter);
    return hex ? HexPrefix(digits) : DecimalPrefix(digits);
}

// ---- The operations' replies ------------------------------------------------------------------------

int StandardReply(std::string_view reply) {
    if (HasWord(reply, kOk)) {
        return kReplyDone;
    }
    if (HasWord(reply, kNotAvailable)) {
        return kReplyNotAvailable;
    }
    if (HasWord(reply, kBusy)) {
        return kReplyBusy;
    }
    return kReplyUnexpected;
}

int ColdStartReply(std::string_view reply) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyUnexpected;
    }
    if (HasWord(reply, kBusy)) {
        return kReplyBusy;
    }
    return kReplyDone;
}

int InkChangeFlagClearReply(std::string_view reply) {
    if (HasWord(reply, kOk)) {
        return kReplyDone;
    }
    return HasWord(reply, kNotAvailable) ? kReplyNotAvailable : kReplyUnexpected;
}

int RollPaperModeReply(std::string_view reply) {
    if (HasWord(reply, "EX:0000000500")) {
        return 1;
    }
    if (HasWord(reply, "EX:0000000501")) {
        return 2;
    }
    return HasWord(reply, kNotAvailable) ? kReplyNotAvailable : kReplyUnexpected;
}

int CartridgePositionReply(std::string_view reply) {
    if (HasWord(reply, "00")) {
        return 1;
    }
    if (HasWord(reply, "FF")) {
        return 2;
    }
    if (HasWord(reply, "01")) {
        return 3;
    }
    return HasWord(reply, kNotAvailable) ? kReplyNotAvailable : kReplyUnexpected;
}

int CarriagePositionReply(std::string_view reply) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyUnexpected;
    }
    return HasWord(reply, "00") ? kReplyDone : kReplyBusy;
}

int InkCheckReply(std::string_view reply) {
    return HasWord(reply, "00") ? kReplyDone : kReplyBusy;
}

int CartridgeStatusReply(std::string_view reply, std::string* text) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyNotAvailable;
    }
    const std::size_t key = reply.find("cs:");
    if (key == std::string_view::npos) {
        return kReplyUnexpected;
    }
    const std::size_t end = reply.find(';', key + 3);
    if (end == std::string_view::npos || end - (key + 3) < 4) {
        return kReplyUnexpected;
    }
    *text = std::string(reply.substr(key + 6, end - (key + 6)));
    return kReplyDone;
}

int PaperSettingReply(std::string_view reply, int* a, int* b) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyNotAvailable;
    }
    const std::optional<std::string_view> group = GroupAfterKey(reply, "MR:");
    if (!group || group->size() < 4) {
        return kReplyUnexpected;
    }
    // The pairs lie at 5 and 7 after the key: offsets 2 and 4 of the group.
    const std::optional<int> first = HexField(*group, 2, 2);
    const std::optional<int> second = HexField(*group, 4, 2);
    if (!first || !second) {
        return kReplyUnexpected;
    }
    *a = *first;
    *b = *second;
    return kReplyDone;
}

int PaperInformationReply(std::string_view reply, PAPERINF* paper) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyNotAvailable;
    }
    // Offsets of the group (5 after the key is 2 into the group): the name, two bytes, two pairs
    // summed, two bytes; the last byte ends 56 characters in.
    constexpr std::size_t kNameAt = 2;
    constexpr std::size_t kNameLength = 40;
    constexpr std::size_t kRecordEnd = 56;
    const std::optional<std::string_view> group = GroupAfterKey(reply, "CM:");
    if (!group || group->size() < kRecordEnd) {
        return kReplyUnexpected;
    }
    const auto hex = [&group](std::size_t offset) { return *HexField(*group, offset, 2); };
    paper->strName = CString(group->substr(kNameAt, kNameLength));
    paper->nValue1 = hex(42);
    paper->nValue2 = hex(44);
    paper->nSum1 = hex(46) + hex(48) + 256;
    paper->nSum2 = hex(50) + hex(52) + 256;
    paper->nValue5 = hex(52);
    paper->nValue6 = hex(54);
    return kReplyDone;
}

int CartridgeInformationReply(std::string_view reply, CSICINF* csic) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyNotAvailable;
    }
    constexpr std::string_view kEntryEnd = "ORLEX;";
    const std::size_t key = reply.find("II:");
    if (key == std::string_view::npos) {
        return kReplyUnexpected;
    }
    const std::size_t first = reply.find("IQ:", key);
    if (first == std::string_view::npos) {
        return kReplyUnexpected;
    }
    const std::size_t firstEnd = reply.find(kEntryEnd, first);
    if (firstEnd == std::string_view::npos) {
        return kReplyUnexpected;
    }
    const std::size_t second = firstEnd + kEntryEnd.size();
    const std::size_t secondEnd = reply.find(kEntryEnd, second);
    const std::size_t secondLength =
        secondEnd == std::string_view::npos ? std::string_view::npos : secondEnd + kEntryEnd.size() - second;
    FillCartridgeEntry(reply.substr(first, firstEnd - first), false, &csic->entry[0]);
    FillCartridgeEntry(reply.substr(second, secondLength), true, &csic->entry[1]);
    return kReplyDone;
}

int FlashControlReply(std::string_view reply, unsigned char n, std::string* text) {
    if (HasWord(reply, kNotAvailable)) {
        return kReplyUnexpected;
    }
    if (HasWord(reply, kBusy)) {
        return kReplyBusy;
    }
    text->clear();
    constexpr std::size_t kValueAt = 6;
    const std::size_t length = (n == 1 || n == 3) ? 2 : n == 2 ? 6 : 0;
    if (length == 0) {
        return kReplyDone;
    }
    if (reply.size() < kValueAt + length) {
        return kReplyUnexpected;
    }
    *text = std::string(reply.substr(kValueAt, length));
    return kReplyDone;
}

int EepromByteReply(std::string_view reply, std::string_view key, unsigned char* value) {
    const std::size_t at = reply.find(key);
    if (at == std::string_view::npos) {
        return kReplyUnexpected;
    }
    const std::size_t afterKey = at + key.size();
    const std::size_t end = reply.find(';', afterKey);
    if (end == std::string_view::npos || end < afterKey + 2) {
        return kReplyUnexpected;
    }
    const std::optional<int> byte = HexByte(reply.substr(end - 2, 2));
    if (!byte) {
        return kReplyUnexpected;
    }
    *value = static_cast<unsigned char>(*byte);
    return kReplyDone;
}

void DecodeStatus(std::string_view reply, STATUSINF* status) {
    const std::optional<std::string_view> state = GroupAfterKey(reply, "ST:");
    if (!state) {
        return;
    }
    status->nStatus = StatusCode(*state);
    const std::optional<std::string_view> error = GroupAfterKey(reply, "ER:");
    status->nError = error ? StatusCode(*error) : 1;
    if (const std::optional<std::string_view> ink = GroupAfterKey(reply, "IQ:")) {
        DecodeInkQuality(*ink, status);
    }
    std::fill(std::begin(status->nWarning), std::end(status->nWarning), 0);
    status->strWarning.Empty();
    if (const std::optional<std::string_view> warnings = GroupAfterKey(reply, "WR:")) {
        DecodeWarnings(*warnings, status);
    }
    if (const std::optional<std::string_view> rv = GroupAfterKey(reply, "RV:"); rv && !rv->empty()) {
        status->cRV = (*rv)[0];
    }
    if (const std::optional<std::string_view> aicw = GroupAfterKey(reply, "AICW:")) {
        DecodeAicw(*aicw, status);
    }
    if (const std::optional<std::string_view> mi = GroupAfterKey(reply, "MI:")) {
        SetIfPresent(&status->nMI, HexField(*mi, 0, 2));
    }
    const std::optional<std::string_view> tc = GroupAfterKey(reply, "TC:");
    status->nTC = tc ? HexPrefix(*tc) : -1;
}

int StatusReply(std::string_view reply, STATUSINF* status) {
    if (HasWord(reply, "st:NA")) {
        return kReplyNotAvailable;
    }
    if (!HasWord(reply, "ST:")) {
        return kReplyUnexpected;
    }
    DecodeStatus(reply, status);
    return kReplyDone;
}

int DeviceIdReply(std::string_view reply, std::string* id) {
    if (HasWord(reply, "di:NA")) {
        return kReplyNotAvailable;
    }
    *id = HasWord(reply, "DES:") ? DeviceIdValue(reply, "DES:") : ModelText(reply);
    return kReplyDone;
}

}  // namespace drvlib

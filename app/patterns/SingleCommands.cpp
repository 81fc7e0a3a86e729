// The single printer commands and the composite steps built from them.
#include <vector>

#include "patterns/CVexilCommon.h"
#include "platform/MessageBox.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

namespace {

constexpr const char* kWrongCharacterCode = "Wrong character code";
// "The raster image is invalid. It is not 8 bits."
constexpr const char* kInvalidRaster = "ラスターイメージが不正です。\n8bitでありません。";

constexpr int kBitsPerByte = 8;

std::uint8_t LowByte(unsigned value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t HighByte(unsigned value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

bool CVexilCommon::Escape(std::uint8_t letter) {
    const std::uint8_t bytes[] = {control::kEscape, letter};
    return Append(bytes);
}

bool CVexilCommon::Escape(std::uint8_t letter, std::uint8_t argument) {
    const std::uint8_t bytes[] = {control::kEscape, letter, argument};
    return Append(bytes);
}

bool CVexilCommon::Initialise() {
    return Escape(esc::kInitialise);
}

bool CVexilCommon::Unidirectional(std::uint8_t on) {
    return Escape(esc::kUnidirectional, on);
}

bool CVexilCommon::UserDefinedSet(std::uint8_t on) {
    return Escape(esc::kUserDefinedSet, on);
}

bool CVexilCommon::PageLengthLines(std::uint8_t lines) {
    return Escape(esc::kPageLengthLines, lines);
}

bool CVexilCommon::LineSpacingSixthInch() {
    return Escape(esc::kLineSpacingSixthInch);
}

bool CVexilCommon::LineSpacing180(std::uint8_t n) {
    return Escape(esc::kLineSpacing180, n);
}

bool CVexilCommon::PrintQuality(std::uint8_t quality) {
    return Escape(esc::kPrintQuality, quality);
}

bool CVexilCommon::PrintMode(std::uint8_t mode) {
    return Escape(esc::kPrintMode, mode);
}

bool CVexilCommon::TwoTabStops(std::uint8_t first, std::uint8_t second) {
    const std::uint8_t bytes[] = {control::kEscape, esc::kTabStops, first, second, control::kNul};
    return Append(bytes);
}

bool CVexilCommon::Tab() {
    return Byte(control::kTab);
}

bool CVexilCommon::TenCpi() {
    return Escape(esc::kTenCpi);
}

bool CVexilCommon::TwelveCpi() {
    return Escape(esc::kTwelveCpi);
}

bool CVexilCommon::CancelCondensed() {
    return Byte(control::kCancelCondensed);
}

bool CVexilCommon::CancelBold() {
    return Escape(esc::kCancelBold);
}

bool CVexilCommon::KanjiOn() {
    const std::uint8_t bytes[] = {control::kFileSeparator, fs::kKanjiOn};
    return Append(bytes);
}

bool CVexilCommon::KanjiOff() {
    const std::uint8_t bytes[] = {control::kFileSeparator, fs::kKanjiOff};
    return Append(bytes);
}

bool CVexilCommon::CopyRomToRam(std::uint8_t n) {
    const std::uint8_t bytes[] = {control::kEscape, esc::kCopyRomToRam, control::kNul, n, control::kNul};
    return Append(bytes);
}

bool CVexilCommon::CharacterTable(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const std::uint8_t bytes[] = {control::kEscape,
                                  esc::kExtended,
                                  extended::kCharacterTable,
                                  extended::kCharacterTableLength,
                                  0,
                                  a,
                                  b,
                                  c};
    return Append(bytes);
}

bool CVexilCommon::LineSpacing360(std::uint8_t n) {
    return Escape(esc::kLineSpacing360, n);
}

bool CVexilCommon::Underline(std::uint8_t on) {
    return Escape(esc::kUnderline, on);
}

bool CVexilCommon::Feed(std::uint8_t n) {
    return Escape(esc::kFeed, n);
}

bool CVexilCommon::ReverseFeed(std::uint8_t n) {
    return Escape(esc::kReverseFeed, n);
}

bool CVexilCommon::DefineCharacters(std::uint8_t first, std::uint8_t last) {
    if (first > last) {
        platform::ShowMessage(kWrongCharacterCode, platform::MessageIcon::Stop);
        return false;
    }
    const std::uint8_t bytes[] = {control::kEscape, esc::kDefineCharacters, control::kNul, first, last};
    return Append(bytes);
}

bool CVexilCommon::RawBytes(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const std::uint8_t bytes[] = {a, b, c};
    return Append(bytes);
}

bool CVexilCommon::BitImage(std::uint8_t density, std::uint16_t columns) {
    const std::uint8_t bytes[] = {control::kEscape, esc::kBitImage, density, LowByte(columns),
                                  HighByte(columns)};
    return Append(bytes);
}

bool CVexilCommon::PageLengthUnits(std::uint16_t units) {
    const std::uint8_t bytes[] = {
        control::kEscape, esc::kExtended, extended::kPageLengthUnits, extended::kPageLengthUnitsLength, 0,
        LowByte(units),   HighByte(units)};
    return Append(bytes);
}

bool CVexilCommon::FormEnd() {
    const std::uint8_t bytes[] = {control::kCarriageReturn, control::kFormFeed, control::kEscape,
                                  esc::kInitialise};
    return Append(bytes);
}

bool CVexilCommon::NewLines(int count) {
    const std::uint8_t lineEnd[] = {control::kCarriageReturn, control::kLineFeed};
    return AppendRepeated(lineEnd, count);
}

bool CVexilCommon::RepeatByte(std::uint8_t byte, int count) {
    const std::uint8_t bytes[] = {byte};
    return AppendRepeated(bytes, count);
}

bool CVexilCommon::CancelLine() {
    return Byte(control::kCancelLine);
}

bool CVexilCommon::CarriageReturn() {
    return Byte(control::kCarriageReturn);
}

bool CVexilCommon::FormFeed() {
    return Byte(control::kFormFeed);
}

bool CVexilCommon::Reset() {
    const std::uint8_t bytes[] = {control::kEscape, esc::kInitialise, control::kFileSeparator, fs::kKanjiOff,
                                  control::kCancelLine};
    return Append(bytes);
}

bool CVexilCommon::BlankLines(int count) {
    const bool spacingSet = LineSpacingSixthInch();
    return NewLines(count) && spacingSet;
}

bool CVexilCommon::BitString(std::string_view bits, int count) {
    std::vector<std::uint8_t> pattern;
    bool valid = !bits.empty() && bits.size() % kBitsPerByte == 0;
    for (std::size_t start = 0; valid && start < bits.size(); start += kBitsPerByte) {
        unsigned byte = 0;
        for (std::size_t bit = start; bit < start + kBitsPerByte; ++bit) {
            if (bits[bit] != '0' && bits[bit] != '1') {
                valid = false;
                break;
            }
            byte = (byte << 1) | static_cast<unsigned>(bits[bit] - '0');
        }
        pattern.push_back(LowByte(byte));
    }
    if (!valid) {
        platform::ShowMessage(kInvalidRaster, platform::MessageIcon::Stop);
        return false;
    }
    return AppendRepeated(pattern, count);
}

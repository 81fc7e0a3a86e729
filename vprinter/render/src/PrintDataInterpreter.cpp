#include "render/PrintDataInterpreter.h"

#include <algorithm>
#include <cstdio>

#include "protocol/CommandMatchers.h"
#include "protocol/PrintDataFramer.h"
#include "protocol/PrinterCommandCodes.h"
#include "render/BitImageFormat.h"
#include "render/Geometry.h"
#include "render/RomFont.h"

namespace vprinter::render {

namespace {

namespace control = protocol::control;
namespace esc = protocol::esc;
namespace extended = protocol::extended;
namespace fs = protocol::fs;
namespace factory = protocol::factory;
namespace framing = protocol::framing;

// Line spacings in 1/360 inch.
constexpr int kSixthInch = kVerticalUnitsPerInch / 6;
constexpr int kEighthInch = kVerticalUnitsPerInch / 8;
constexpr int kSevenSeventySecondsInch = 35;
// Default tab stops: every eight characters at 10 cpi.
constexpr int kDefaultTabEvery = 8 * kTenCpiCell;
constexpr std::size_t kLongestLoggedLine = 160;

std::size_t Word(std::span<const std::uint8_t> data, std::size_t at) {
    return data[at] | (static_cast<std::size_t>(data[at + 1]) << 8);
}

// The commands take both the number and its digit: 0 or '0', 1 or '1'.
std::optional<bool> Switch(std::uint8_t argument) {
    if (argument == 0 || argument == '0') {
        return false;
    }
    if (argument == 1 || argument == '1') {
        return true;
    }
    return std::nullopt;
}

std::string Hex(int value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string CommandName(std::span<const std::uint8_t> command) {
    std::string name = command[0] == control::kEscape ? "ESC " : "FS ";
    const std::uint8_t letter = command.size() > 1 ? command[1] : 0;
    if (letter > 0x20 && letter < 0x7F) {
        name += std::string("'") + static_cast<char>(letter) + "'";
    } else {
        name += "0x" + Hex(letter, 2);
    }
    if (command.size() > 2 && (letter == esc::kExtended || letter == '(')) {
        const std::uint8_t second = command[2];
        name += second > 0x20 && second < 0x7F ? std::string(" '") + static_cast<char>(second) + "'"
                                               : " 0x" + Hex(second, 2);
    }
    return name;
}

}  // namespace

PrintDataInterpreter::PrintDataInterpreter(PrinterSettings settings, IPrinterMechanics& mechanics,
                                           Paper& paper, JobLog& log)
    : settings_(std::move(settings)), mechanics_(mechanics), paper_(paper), log_(log) {
    settings_.columns = std::clamp(settings_.columns, 1, 255);
    Reset();
}

// --- Input -----------------------------------------------------------------------------------------

void PrintDataInterpreter::Receive(std::span<const std::uint8_t> bytes) {
    log_.bytes += bytes.size();
    const std::size_t skip = std::min(skipRemaining_, bytes.size());
    skipRemaining_ -= skip;
    bytes = bytes.subspan(skip);
    if (pending_.empty()) {
        const std::size_t used = Run(bytes);
        pending_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end());
        return;
    }
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    const std::size_t used = Run(pending_);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
}

std::size_t PrintDataInterpreter::Run(std::span<const std::uint8_t> data) {
    std::size_t at = 0;
    while (at < data.size()) {
        const std::size_t used = Step(data.subspan(at));
        if (used == 0) {
            break;
        }
        at += used;
    }
    return at;
}

std::size_t PrintDataInterpreter::Step(std::span<const std::uint8_t> data) {
    const std::uint8_t byte = data[0];
    if (byte != control::kEscape && byte != control::kFileSeparator) {
        ControlOrCharacter(byte);
        return 1;
    }
    const framing::CommandFrame frame = framing::FrameCommand(data, settings_.twoByteEepromAddress);
    switch (frame.status) {
        case framing::FrameStatus::NeedMore:
            return 0;
        case framing::FrameStatus::Unknown:
            Skipped(data.first(frame.length));
            return frame.length;
        case framing::FrameStatus::Complete:
            break;
    }
    if (frame.length <= data.size()) {
        Command(data.first(frame.length));
        return frame.length;
    }
    // Only the bit images of a known density are drawn from their data; the data of any other command
    // is passed by as it arrives.
    const bool drawn =
        byte == control::kEscape && data[1] == esc::kBitImage && BitImageFormatOf(data[2]).known;
    if (frame.head < frame.length && frame.head <= data.size() && !drawn) {
        if (byte == control::kEscape && data[1] == esc::kBitImage) {
            BitImage(data.first(frame.head));  // says which density it does not know
        } else {
            Skipped(data.first(frame.head), frame.length);
        }
        skipRemaining_ = frame.length - data.size();
        return data.size();
    }
    return 0;
}

void PrintDataInterpreter::EndJob() {
    if (skipRemaining_ > 0) {
        log_.Event("the data ended " + std::to_string(skipRemaining_) +
                   " bytes before the end of a skipped command");
        skipRemaining_ = 0;
    }
    if (!pending_.empty()) {
        EndIncompleteCommand();
        pending_.clear();
    }
    kanjiFirstByte_.reset();
    PrintLine();
    correctionsSet_ = {};
}

void PrintDataInterpreter::EndIncompleteCommand() {
    log_.Event("the data ended inside " + CommandName(pending_) + " after " +
               std::to_string(pending_.size()) + " bytes; carried out with what arrived");
    if (pending_.size() >= 5 && pending_[0] == control::kEscape) {
        if (pending_[1] == esc::kBitImage) {
            BitImage(pending_);
        } else if (pending_[1] == esc::kDefineCharacters) {
            DefineCharacters(pending_);
        }
    }
}

// --- Single bytes ----------------------------------------------------------------------------------

void PrintDataInterpreter::ControlOrCharacter(std::uint8_t byte) {
    switch (byte) {
        case control::kNul:
            return;
        case control::kTab:
            Tab();
            return;
        case control::kLineFeed:
        case 0x0B:  // VT: no vertical tab stops are set, so it feeds one line
            NewLine();
            return;
        case control::kFormFeed:
            PrintLine();
            paper_.FormFeed();
            position_ = 0;
            return;
        case control::kCarriageReturn:
            PrintLine();
            position_ = 0;
            return;
        case 0x08:  // BS
            position_ = std::max(0, position_ - CellWidth());
            return;
        case control::kCondensed:
            condensed_ = true;
            return;
        case control::kCancelCondensed:
            condensed_ = false;
            return;
        case control::kCancelLine:
            line_.Clear();
            lineText_.clear();
            position_ = 0;
            return;
        case 0x7F:  // DEL
            return;
        default:
            break;
    }
    if (byte < control::kSpace) {
        return;  // the other control codes change nothing the page shows
    }
    Character(byte);
}

// --- Commands --------------------------------------------------------------------------------------

void PrintDataInterpreter::Command(std::span<const std::uint8_t> command) {
    if (command[0] == control::kFileSeparator) {
        FsCommand(command);
    } else {
        EscCommand(command);
    }
}

void PrintDataInterpreter::Skipped(std::span<const std::uint8_t> command, std::size_t length) {
    const std::size_t key = (command[0] == control::kFileSeparator ? 256 : 0) + command[1];
    if (!skippedReported_.test(key)) {
        skippedReported_.set(key);
        log_.Event(CommandName(command) + " skipped (" + std::to_string(std::max(length, command.size())) +
                   " bytes)");
    }
}

void PrintDataInterpreter::EscCommand(std::span<const std::uint8_t> command) {
    const std::uint8_t letter = command[1];
    const std::uint8_t argument = command.size() > 2 ? command[2] : 0;
    switch (letter) {
        case esc::kInitialise:
            Reset();
            return;
        case esc::kUnidirectional:
            if (const auto on = Switch(argument)) {
                unidirectional_ = *on;
            }
            return;
        case esc::kUserDefinedSet:
            userDefinedSelected_ = (argument & 1) != 0;
            return;
        case esc::kPageLengthLines: {
            const int length = argument != 0 ? argument * lineSpacing_ : command[3] * kVerticalUnitsPerInch;
            if (!paper_.SetPageLength(length)) {
                log_.Event("page length of " + std::to_string(length) + "/360 inch refused");
            }
            return;
        }
        case esc::kLineSpacingSixthInch:
            lineSpacing_ = kSixthInch;
            return;
        case '0':
            lineSpacing_ = kEighthInch;
            return;
        case '1':
            lineSpacing_ = kSevenSeventySecondsInch;
            return;
        case esc::kLineSpacing180:
            lineSpacing_ = 2 * argument;
            return;
        case esc::kLineSpacing360:
            lineSpacing_ = argument;
            return;
        case 'A':  // n/60 inch
            lineSpacing_ = 6 * argument;
            return;
        case esc::kPrintQuality:
            if (const auto letterQuality = Switch(argument)) {
                quality_ = *letterQuality ? Quality::LetterQuality : Quality::Draft;
            }
            return;
        case esc::kPrintMode:
            log_.Event("print-mode byte " + std::to_string(argument));
            return;
        case esc::kTabStops:
            SetTabStops(command.subspan(2));
            return;
        case esc::kTenCpi:
            pitch_ = 10;
            return;
        case esc::kTwelveCpi:
            pitch_ = 12;
            return;
        case 'g':
            pitch_ = 15;
            return;
        case control::kCondensed:  // ESC SI
            condensed_ = true;
            return;
        case 'E':
            bold_ = true;
            return;
        case esc::kCancelBold:
            bold_ = false;
            return;
        case esc::kCopyRomToRam:
            userCharacters_.CopyRom();
            return;
        case esc::kExtended:
            ExtendedCommand(command);
            return;
        case esc::kUnderline:
            if (const auto on = Switch(argument)) {
                underline_ = *on;
            }
            return;
        case esc::kFeed:
            PrintLine();
            paper_.Feed(2 * argument);
            return;
        case esc::kReverseFeed:
            PrintLine();
            if (!paper_.ReverseFeed(2 * argument)) {
                log_.Event("reverse feed stopped at the top of the page");
            }
            return;
        case esc::kDefineCharacters:
            DefineCharacters(command);
            return;
        case esc::kBitImage:
            BitImage(command);
            return;
        case esc::kFactory:
            FactoryCommand(command);
            return;
        case '$': {  // absolute position in 1/60 inch
            const int position = static_cast<int>(Word(command, 2)) * (kHorizontalUnitsPerInch / 60);
            if (position < RightEdge()) {
                position_ = position;
            }
            return;
        }
        case '\\': {  // relative position, 1/120 inch in draft and 1/180 inch in letter quality
            const int steps = static_cast<std::int16_t>(Word(command, 2));
            const int unit =
                quality_ == Quality::Draft ? kHorizontalUnitsPerInch / 120 : kHorizontalUnitsPerInch / 180;
            const int position = position_ + steps * unit;
            if (position >= 0 && position < RightEdge()) {
                position_ = position;
            }
            return;
        }
        default:
            Skipped(command);
            return;
    }
}

void PrintDataInterpreter::ExtendedCommand(std::span<const std::uint8_t> command) {
    const std::uint8_t letter = command[2];
    const auto parameters = command.subspan(5);
    if (letter == extended::kPageLengthUnits && parameters.size() == extended::kPageLengthUnitsLength) {
        const int length = static_cast<int>(Word(parameters, 0));
        if (!paper_.SetPageLength(length)) {
            log_.Event("page length of " + std::to_string(length) + "/360 inch refused");
        }
        return;
    }
    if (letter == extended::kCharacterTable && parameters.size() == extended::kCharacterTableLength) {
        log_.Event("character table " + std::to_string(parameters[0]) + " assigned " +
                   std::to_string(parameters[1]) + " " + std::to_string(parameters[2]) +
                   " (no glyphs beyond ASCII)");
        return;
    }
    Skipped(command);
}

void PrintDataInterpreter::FsCommand(std::span<const std::uint8_t> command) {
    switch (command[1]) {
        case fs::kKanjiOn:
            kanji_ = true;
            return;
        case fs::kKanjiOff:
            kanji_ = false;
            kanjiFirstByte_.reset();
            return;
        default:
            Skipped(command);
            return;
    }
}

void PrintDataInterpreter::FactoryCommand(std::span<const std::uint8_t> command) {
    // The packet-mode entry and the firmware download are the printer's business, not the page's.
    if (command.size() < 5) {
        Skipped(command);
        return;
    }
    const factory::AddressForm form =
        settings_.twoByteEepromAddress ? factory::AddressForm::TwoByte : factory::AddressForm::OneByte;
    const auto frame = factory::MatchFrame(command, form);
    if (!frame || !frame->Whole()) {
        // Production frames and factory commands cut short: the printer answers or drops them.
        constexpr std::size_t kOperationEnd = 10;
        const bool named = command.size() > kOperationEnd && command[2] == factory::kSelector &&
                           command[8] == 0xFF - command[7];
        log_.Event(named ? "factory command 0x" + Hex(command[7], 2) + " skipped"
                         : "factory block of " + std::to_string(command.size() - 5) + " bytes skipped");
        return;
    }
    const auto arguments = frame->arguments;
    if (frame->command == factory::kSetModeFlag) {
        modeFlag_ = arguments[0];
        // The firmware sends the head home when the flag changes: the next pass starts at the left.
        PrintLine();
        nextPassLeftToRight_ = true;
        log_.Event("mode flag set to " + std::to_string(modeFlag_));
    } else if (frame->command == factory::kSetBidirectionalValue) {
        const int row = arguments[0];
        const int value = static_cast<std::int8_t>(arguments[1]);
        if (row < kPrintModes) {
            correctionsSet_[static_cast<std::size_t>(row)] = value;
        }
        log_.Event("bi-directional value " + std::to_string(row) + " set to " + std::to_string(value));
    } else if (frame->command == factory::kPrintEepromByte) {
        const int address = frame->Address();
        const int value = mechanics_.EepromByte(address);
        const std::string digits = value < 0 || value > 0xFF ? "--" : Hex(value, 2);
        PrintRomText(digits);
        log_.Event("EEPROM byte 0x" + Hex(address, 2) + " printed as " + digits);
    } else {
        // The two write sets: the printer keeps the value, the page shows nothing.
        log_.Event("EEPROM write 0x" + Hex(frame->Address(), 2) + " = 0x" + Hex(frame->AfterAddress()[0], 2));
    }
}

// --- Text ------------------------------------------------------------------------------------------

int PrintDataInterpreter::CellWidth() const {
    if (pitch_ == 15) {
        return kHorizontalUnitsPerInch / 15;
    }
    if (condensed_) {
        // Condensed 10 cpi is 17.1 cpi, condensed 12 cpi is 20 cpi.
        return pitch_ == 12 ? kHorizontalUnitsPerInch / 20 : 84;
    }
    return kHorizontalUnitsPerInch / pitch_;
}

int PrintDataInterpreter::RightEdge() const {
    return PrintableWidth(settings_.columns);
}

void PrintDataInterpreter::AddStroke(const Stroke& stroke) {
    if (line_.Full()) {
        PrintLine();
    }
    line_.Add(stroke);
}

void PrintDataInterpreter::Character(std::uint8_t code) {
    if (kanji_ && code > control::kSpace) {
        if (!kanjiFirstByte_) {
            kanjiFirstByte_ = code;
            return;
        }
        kanjiFirstByte_.reset();
        PlaceCharacter(KanjiPlaceholder(quality_), 2, '#');
        return;
    }
    ++log_.characters;
    if (userDefinedSelected_) {
        if (const CharacterImage* image = userCharacters_.Find(code)) {
            ++log_.userDefinedCharacters;
            PlaceCharacter(*image, 1, '#');
            return;
        }
        if (!userCharacters_.RomCopied()) {
            PlaceCharacter(CharacterImage{}, 1, ' ');
            return;
        }
    }
    PlaceCharacter(RomCharacter(code, quality_), 1, code < 0x7F ? static_cast<char>(code) : '?');
}

void PrintDataInterpreter::PrintRomText(const std::string& text) {
    for (const char character : text) {
        PlaceCharacter(RomCharacter(static_cast<std::uint8_t>(character), quality_), 1, character);
    }
}

void PrintDataInterpreter::PlaceCharacter(const CharacterImage& image, int cells, char asText) {
    const int cell = CellWidth();
    const int width = cell * cells;
    if (position_ > 0 && position_ + width > RightEdge()) {
        // Text past the right margin goes on at the start of the next line.
        NewLine();
    }
    const PrintMode mode = TextPrintMode(quality_);
    const int cellColumns = std::max(1, image.cellColumns);
    for (std::size_t column = 0; column < image.columns.size(); ++column) {
        const std::uint32_t needles = image.columns[column];
        if (needles == 0) {
            continue;
        }
        const int offset = (image.leftSpace + static_cast<int>(column)) * cell;
        const int position = position_ + (offset + cellColumns / 2) / cellColumns;
        AddStroke({position, needles, mode});
        if (bold_) {
            AddStroke({position + kTimingUnit, needles, mode});
        }
    }
    if (underline_) {
        constexpr std::uint32_t kUnderlineNeedle = 1U << (kNeedles - 2);
        for (int position = position_; position < position_ + width;
             position += kHorizontalUnitsPerPixel * 2) {
            AddStroke({position, kUnderlineNeedle, mode});
        }
    }
    position_ += width;
    if (lineText_.size() < kLongestLoggedLine) {
        lineText_ += asText;
    }
}

void PrintDataInterpreter::DefineCharacters(std::span<const std::uint8_t> command) {
    // ESC '&' 0 first last, then per character: left space, width, right space and three bytes per column.
    const int first = command[3];
    const int last = command[4];
    const int cellColumns = quality_ == Quality::Draft ? 12 : 36;
    std::size_t at = 5;
    for (int code = first; code <= last; ++code) {
        if (at + 3 > command.size()) {
            return;
        }
        const std::size_t width = command[at + 1];
        if (at + 3 + 3 * width > command.size()) {
            return;
        }
        CharacterImage image;
        image.cellColumns = cellColumns;
        image.leftSpace = command[at];
        for (std::size_t column = 0; column < width; ++column) {
            const std::size_t byte = at + 3 + 3 * column;
            image.columns.push_back(NeedlesOfColumn(command[byte], command[byte + 1], command[byte + 2]));
        }
        userCharacters_.Define(static_cast<std::uint8_t>(code), std::move(image));
        at += 3 + 3 * width;
    }
}

void PrintDataInterpreter::BitImage(std::span<const std::uint8_t> command) {
    const std::uint8_t density = command[2];
    const std::size_t columns = Word(command, 3);
    const BitImageFormat format = BitImageFormatOf(density);
    if (!format.known) {
        log_.Event("bit image of unknown density " + std::to_string(density) + " skipped");
        return;
    }
    const int pitch = kHorizontalUnitsPerInch / format.dotsPerInch;
    const PrintMode mode = BitImagePrintMode(format.dotsPerInch, modeFlag_);
    const auto data = command.subspan(5);
    const std::size_t received =
        std::min(columns, data.size() / static_cast<std::size_t>(format.bytesPerColumn));
    const int rightEdge = RightEdge();
    for (std::size_t column = 0; column < received; ++column) {
        const int position = position_ + static_cast<int>(column) * pitch;
        if (position >= rightEdge) {
            break;  // dots past the right margin are dropped
        }
        std::uint32_t needles = 0;
        if (format.bytesPerColumn == 3) {
            const std::size_t byte = 3 * column;
            needles = NeedlesOfColumn(data[byte], data[byte + 1], data[byte + 2]);
        } else {
            // Eight-needle graphics: each dot is three needles apart (1/60 inch).
            for (int bit = 0; bit < 8; ++bit) {
                if (data[column] & (0x80 >> bit)) {
                    needles |= 1U << (3 * bit);
                }
            }
        }
        if (needles != 0) {
            AddStroke({position, needles, mode});
        }
    }
    log_.bitImageColumns += received;
    const long long end = position_ + static_cast<long long>(columns) * pitch;
    position_ = static_cast<int>(std::min<long long>(end, rightEdge));
}

void PrintDataInterpreter::DefaultTabStops() {
    tabStops_.clear();
    for (int stop = kDefaultTabEvery; stop < RightEdge(); stop += kDefaultTabEvery) {
        tabStops_.push_back(stop);
    }
}

void PrintDataInterpreter::SetTabStops(std::span<const std::uint8_t> values) {
    // Stops are character columns at the pitch of the moment; the list ends at NUL or at the first
    // value that does not ascend.
    tabStops_.clear();
    int previous = 0;
    for (const std::uint8_t value : values) {
        if (value == control::kNul || value <= previous) {
            break;
        }
        tabStops_.push_back(value * CellWidth());
        previous = value;
    }
}

void PrintDataInterpreter::Tab() {
    for (const int stop : tabStops_) {
        if (stop > position_ && stop < RightEdge()) {
            position_ = stop;
            return;
        }
    }
}

// --- Lines and paper -------------------------------------------------------------------------------

PassShifts PrintDataInterpreter::Shifts() {
    PassShifts shifts{};
    for (int row = 0; row < kPrintModes; ++row) {
        const auto mode = static_cast<PrintMode>(row);
        int correction = 0;
        if (correctionsSet_[static_cast<std::size_t>(row)]) {
            correction = *correctionsSet_[static_cast<std::size_t>(row)];
        } else {
            const int stored = mechanics_.EepromByte(CorrectionAddress(mode));
            correction = stored >= 0 && stored <= 0xFF ? static_cast<std::int8_t>(stored) : 0;
        }
        shifts[static_cast<std::size_t>(row)] = (mechanics_.TimingError(mode) - correction) * kTimingUnit;
    }
    return shifts;
}

void PrintDataInterpreter::PrintLine() {
    if (line_.Empty()) {
        lineText_.clear();
        return;
    }
    const bool rightToLeft = !unidirectional_ && !nextPassLeftToRight_;
    PrintPass(line_.Strokes(), paper_.Position(), rightToLeft, Shifts(), paper_.Sheet());
    ++log_.passes;
    if (rightToLeft) {
        ++log_.rightToLeftPasses;
    }
    // Bi-directionally the head starts the next pass where this one ended; unidirectionally it
    // returns to the left first.
    nextPassLeftToRight_ = unidirectional_ || rightToLeft;
    line_.Clear();
    const auto end = lineText_.find_last_not_of(' ');
    if (end != std::string::npos) {
        log_.PrintedText(lineText_.substr(0, end + 1));
    }
    lineText_.clear();
}

void PrintDataInterpreter::NewLine() {
    PrintLine();
    paper_.Feed(lineSpacing_);
    position_ = 0;
}

void PrintDataInterpreter::Reset() {
    // ESC @ drops what the line holds and returns every setting to its power-on value; the defined
    // characters stay in the RAM, deselected.
    line_.Clear();
    lineText_.clear();
    position_ = 0;
    pitch_ = 10;
    condensed_ = false;
    quality_ = Quality::Draft;
    bold_ = false;
    underline_ = false;
    userDefinedSelected_ = false;
    lineSpacing_ = kSixthInch;
    unidirectional_ = false;
    nextPassLeftToRight_ = true;
    DefaultTabStops();
    paper_.ResetPageLength();
}

}  // namespace vprinter::render

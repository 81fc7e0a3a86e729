// The printer's command interpreter: print data (text, control characters and escape commands, the
// factory commands among them) turned into head passes on the paper. Commands are framed by
// protocol/PrintDataFramer.h, as the printer model frames them. The data may arrive in pieces of any
// size; a command cut by a piece boundary waits for the rest, never longer than its framed length, and
// the data of a command the page does not show (8-needle and raster graphics, user-defined kanji, a
// firmware image) is passed by as it arrives instead of waiting.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/CharacterImage.h"
#include "render/HeadPass.h"
#include "render/IPrinterMechanics.h"
#include "render/JobLog.h"
#include "render/Paper.h"
#include "render/PrinterSettings.h"
#include "render/UserCharacterSet.h"

namespace vprinter::render {

class PrintDataInterpreter {
public:
    PrintDataInterpreter(PrinterSettings settings, IPrinterMechanics& mechanics, Paper& paper, JobLog& log);

    void Receive(std::span<const std::uint8_t> bytes);
    // The data stopped: a command that was cut short is carried out with what arrived (bit-image
    // columns and character definitions that are complete), and the collected line is printed.
    void EndJob();

    // Bytes held for a command that has not arrived whole.
    std::size_t PendingBytes() const { return pending_.size(); }

private:
    std::size_t Run(std::span<const std::uint8_t> data);
    std::size_t Step(std::span<const std::uint8_t> data);
    void ControlOrCharacter(std::uint8_t byte);
    void Command(std::span<const std::uint8_t> command);
    void EscCommand(std::span<const std::uint8_t> command);
    void ExtendedCommand(std::span<const std::uint8_t> command);
    void FsCommand(std::span<const std::uint8_t> command);
    void FactoryCommand(std::span<const std::uint8_t> command);
    void EndIncompleteCommand();
    // A command the page does not show; length: its whole length when only its head is given.
    void Skipped(std::span<const std::uint8_t> command, std::size_t length = 0);

    // Text.
    void Character(std::uint8_t code);
    void PlaceCharacter(const CharacterImage& image, int cells, char asText);
    void PrintRomText(const std::string& text);
    void DefineCharacters(std::span<const std::uint8_t> command);
    void BitImage(std::span<const std::uint8_t> command);
    void Tab();
    void SetTabStops(std::span<const std::uint8_t> values);
    void DefaultTabStops();
    int CellWidth() const;
    int RightEdge() const;
    void AddStroke(const Stroke& stroke);

    // Lines and paper.
    void PrintLine();
    void NewLine();
    PassShifts Shifts();
    void Reset();

    PrinterSettings settings_;
    IPrinterMechanics& mechanics_;
    Paper& paper_;
    JobLog& log_;

    std::vector<std::uint8_t> pending_;
    // Data of a skipped command still to come, passed by without being held.
    std::size_t skipRemaining_ = 0;
    LineBuffer line_;
    std::string lineText_;
    UserCharacterSet userCharacters_;

    // Horizontal position of the next character, from the first printable column, in 1/1440 inch.
    int position_ = 0;
    int pitch_ = 10;  // characters per inch: 10, 12 or 15
    bool condensed_ = false;
    Quality quality_ = Quality::Draft;
    bool bold_ = false;
    bool underline_ = false;
    bool userDefinedSelected_ = false;
    bool kanji_ = false;
    std::optional<std::uint8_t> kanjiFirstByte_;
    int lineSpacing_ = 0;  // 1/360 inch
    std::vector<int> tabStops_;
    bool unidirectional_ = false;
    std::uint8_t modeFlag_ = 0;
    // The head is at the left edge: the next pass runs left to right.
    bool nextPassLeftToRight_ = true;
    // Bi-directional values set inside this job's data, ahead of the EEPROM.
    std::array<std::optional<int>, kPrintModes> correctionsSet_;
    std::bitset<512> skippedReported_;
};

}  // namespace vprinter::render

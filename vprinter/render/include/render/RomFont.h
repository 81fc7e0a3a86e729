// The printer's built-in characters: our own bitmap for the printable ASCII range, a hollow box for
// every other code (the character tables beyond ASCII have no glyphs here) and for a kanji.
#pragma once

#include <cstdint>

#include "render/CharacterImage.h"
#include "render/PrintMode.h"

namespace vprinter::render {

const CharacterImage& RomCharacter(std::uint8_t code, Quality quality);
// A two-byte kanji: a box two cells wide.
const CharacterImage& KanjiPlaceholder(Quality quality);

}  // namespace vprinter::render

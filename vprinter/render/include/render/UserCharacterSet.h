// The characters the data defines (ESC '&'), in the printer's character RAM.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "render/CharacterImage.h"

namespace vprinter::render {

class UserCharacterSet {
public:
    void Define(std::uint8_t code, CharacterImage image) { defined_[code] = std::move(image); }
    const CharacterImage* Find(std::uint8_t code) const {
        return defined_[code] ? &*defined_[code] : nullptr;
    }
    // ESC ':' copies the built-in set into the RAM: every code prints its built-in character until it
    // is defined anew. Without a copy, undefined codes print as blanks.
    void CopyRom() {
        defined_ = {};
        romCopied_ = true;
    }
    bool RomCopied() const { return romCopied_; }

private:
    std::array<std::optional<CharacterImage>, 256> defined_;
    bool romCopied_ = false;
};

}  // namespace vprinter::render

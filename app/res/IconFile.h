// An icon of the program as the bytes of a Windows icon file (.ico), so that the executable can
// carry the same picture as its windows.
#pragma once

#include <string>

#include "res/DialogTemplate.h"

namespace res {

// One 32-bit image with its transparency mask, bottom-up, as the resource compiler takes it.
std::string EncodeIconFile(const IconImage& icon);

}  // namespace res

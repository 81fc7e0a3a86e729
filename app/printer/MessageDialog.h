// The printer layer's one way to the program's message dialog: the pages' message helpers and the
// error callback both show their texts through here, and nothing else of this layer opens it.
#pragma once

#include <string>

#include "ui/Types.h"

namespace printer {

// The message types of the dialog.
inline constexpr int kMessageInformation = 0;  // OK only
inline constexpr int kMessageQuestion = 1;     // OK and Cancel
inline constexpr int kMessageError = 2;        // one button, "NG"; Enter does nothing

// Shows the text modally as a message of that type, owned by owner or, without one, by the innermost
// modal dialog running, so that it stays above the window the technician works in. 1 for OK, 2 for
// Cancel, NG, Escape or the close box.
int ShowMessageDialog(const std::string& text, int type, ui::HWindow owner = nullptr);

}  // namespace printer

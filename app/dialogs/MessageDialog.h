// The one way to the program's message dialog for code that has a text and a message type: the
// pages' message helpers and the printer error messages show their texts through here.
#pragma once

#include <string>

#include "ui/Types.h"

// Shows the text modally as a message of that type (CMessageDlg::kInformation, kQuestion, kError),
// owned by owner or, without one, by the innermost modal dialog running, so that it stays above the
// window the technician works in. 1 for OK, 2 for Cancel, NG, Escape or the close box.
int ShowMessageDialog(const std::string& text, int type, ui::HWindow owner = nullptr);

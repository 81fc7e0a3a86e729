// The message seam: every text the program shows to the technician in a message box goes through
// here. Until the dialog layer installs its own presenter, Windows shows a system message box and
// Linux writes the text to standard error. Tests install a recorder.
//
// Texts are UTF-8 when they are the program's own, and the bytes of the language file otherwise;
// the presenter decides how to show them.
#pragma once

#include <string>

namespace platform {

enum class MessageIcon { None, Information, Question, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class IMessagePresenter {
public:
    virtual ~IMessagePresenter() = default;
    // Shows the text and blocks until the technician answers.
    virtual MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
};

// Shows a message through the installed presenter.
MessageAnswer ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

// Installs a presenter for the process; null restores the platform's default. The caller keeps
// ownership.
void SetMessagePresenter(IMessagePresenter* presenter);

}  // namespace platform

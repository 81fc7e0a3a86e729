// The message seam: every text the program shows to the technician in a message box goes through
// here. Until the dialog layer installs its own presenter, Windows shows a system message box and
// Linux writes the text to standard error. Tests install a recorder.
#pragma once

#include <string>

namespace platform {

enum class MessageIcon { None, Information, Question, Stop, Warning };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Where a text's bytes come from, so that the presenter shows them in the right encoding. The bytes
// alone cannot tell: some runs of Shift-JIS are valid UTF-8 too.
enum class TextEncoding {
    Program,       // the program's own texts, UTF-8
    LanguageFile,  // bytes read from a language or profile file, in the system's ANSI code page
};

class IMessagePresenter {
public:
    virtual ~IMessagePresenter() = default;
    // Shows the text and blocks until the technician answers.
    virtual MessageAnswer Show(const std::string& text, TextEncoding encoding, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

// Shows one of the program's own texts through the installed presenter.
MessageAnswer ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

// Shows a text whose encoding the caller names (a text of a language file, say).
MessageAnswer ShowMessage(const std::string& text, TextEncoding encoding,
                          MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok);

// Installs a presenter for the process; null restores the platform's default. The caller keeps
// ownership.
void SetMessagePresenter(IMessagePresenter* presenter);

// Installs a presenter for the lifetime of a scope and restores the one it replaced.
class ScopedMessagePresenter {
public:
    explicit ScopedMessagePresenter(IMessagePresenter& presenter);
    ~ScopedMessagePresenter();
    ScopedMessagePresenter(const ScopedMessagePresenter&) = delete;
    ScopedMessagePresenter& operator=(const ScopedMessagePresenter&) = delete;

private:
    IMessagePresenter* previous_;
};

}  // namespace platform

#include <windows.h>

#include <string>

#include "../common/DefaultMessagePresenter.h"

namespace platform::detail {
namespace {

constexpr char kCaption[] = "Tolvane";

std::wstring Widened(const std::string& utf8) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

UINT Style(MessageIcon icon, MessageButtons buttons) {
    UINT style = 0;
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Question:
            style |= MB_ICONQUESTION;
            break;
        case MessageIcon::Stop:
            style |= MB_ICONSTOP;
            break;
        case MessageIcon::Warning:
            style |= MB_ICONWARNING;
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            style |= MB_OK;
            break;
        case MessageButtons::OkCancel:
            style |= MB_OKCANCEL;
            break;
        case MessageButtons::YesNo:
            style |= MB_YESNO;
            break;
    }
    return style;
}

class SystemMessageBoxPresenter : public IMessagePresenter {
public:
    // Our own texts are UTF-8 and go through the wide function; the bytes of a language file are in
    // the system's ANSI code page, which the narrow function takes as they are.
    MessageAnswer Show(const std::string& text, TextEncoding encoding, MessageIcon icon,
                       MessageButtons buttons) override {
        int answer =
            encoding == TextEncoding::Program
                ? MessageBoxW(nullptr, Widened(text).c_str(), Widened(kCaption).c_str(), Style(icon, buttons))
                : MessageBoxA(nullptr, text.c_str(), kCaption, Style(icon, buttons));
        switch (answer) {
            case IDCANCEL:
                return MessageAnswer::Cancel;
            case IDYES:
                return MessageAnswer::Yes;
            case IDNO:
                return MessageAnswer::No;
            default:
                return MessageAnswer::Ok;
        }
    }
};

}  // namespace

IMessagePresenter& DefaultMessagePresenter() {
    static SystemMessageBoxPresenter presenter;
    return presenter;
}

}  // namespace platform::detail

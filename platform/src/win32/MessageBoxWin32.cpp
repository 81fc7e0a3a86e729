#include <windows.h>

#include <string>

#include "../common/DefaultMessagePresenter.h"

namespace platform::detail {
namespace {

constexpr char kCaption[] = "Tolvane";

// Our own texts are UTF-8; the texts of the language files are bytes of the system's code page. A
// text that is valid UTF-8 and not plain ASCII is taken for ours.
bool IsUtf8BeyondAscii(const std::string& text) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || i + length > text.size() || (length == 2 && lead < 0xC2)) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        beyondAscii = beyondAscii || length > 1;
        i += length;
    }
    return beyondAscii;
}

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
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        int answer =
            IsUtf8BeyondAscii(text)
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

// Fonts, brushes and icons: the GDI objects the dialogs wear.
#include <vector>

#include "NativeWindows.h"
#include "res/DialogTemplate.h"

namespace ui::win32 {

void Win32Backend::SetFont(HWindow window, FontObject* font) {
    SendMessageA(Native(window), WM_SETFONT, reinterpret_cast<WPARAM>(NativeFont(font)), TRUE);
}

FontObject* Win32Backend::GetFont(HWindow window) {
    return reinterpret_cast<FontObject*>(SendMessageA(Native(window), WM_GETFONT, 0, 0));
}

HICON Win32Backend::IconFor(int id) {
    auto found = icons_.find(id);
    if (found != icons_.end()) {
        return found->second;
    }
    const res::IconImage* image = res::FindIcon(id);
    if (image == nullptr) {
        return nullptr;
    }
    const int size = image->size;
    std::vector<DWORD> colour(static_cast<std::size_t>(size * size));
    std::vector<BYTE> mask(static_cast<std::size_t>(size * size / 8), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const char letter = image->rows[y][x];
            const std::size_t at = static_cast<std::size_t>(y * size + x);
            if (letter == '.') {
                mask[at / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                colour[at] = 0xFF000000 | image->colourOf(letter);
            }
        }
    }
    HBITMAP colourBitmap = CreateBitmap(size, size, 1, 32, colour.data());
    HBITMAP maskBitmap = CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colourBitmap);
    DeleteObject(maskBitmap);
    icons_[id] = icon;
    return icon;
}

void Win32Backend::SetIcon(HWindow window, int iconId) {
    HWND native = Native(window);
    HICON icon = IconFor(iconId);
    if (IsIconStatic(native)) {
        SendMessageA(native, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        return;
    }
    SendMessageA(native, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(native, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

int Win32Backend::GetIcon(HWindow window) {
    HWND native = Native(window);
    if (native == nullptr) {
        return 0;
    }
    const HICON shown =
        reinterpret_cast<HICON>(IsIconStatic(native) ? SendMessageA(native, STM_GETICON, 0, 0)
                                                     : SendMessageA(native, WM_GETICON, ICON_BIG, 0));
    if (shown == nullptr) {
        return 0;
    }
    for (const auto& [id, icon] : icons_) {
        if (icon == shown) {
            return id;
        }
    }
    return 0;
}

FontObject* Win32Backend::CreateFont(const FontSpec& spec) {
    return reinterpret_cast<FontObject*>(CreateFontA(
        spec.height, 0, 0, 0, spec.weight, spec.italic ? TRUE : FALSE, spec.underline ? TRUE : FALSE, FALSE,
        static_cast<DWORD>(spec.charset), static_cast<DWORD>(spec.outPrecision),
        static_cast<DWORD>(spec.clipPrecision), static_cast<DWORD>(spec.quality),
        static_cast<DWORD>(spec.pitchAndFamily), spec.face.c_str()));
}

void Win32Backend::DeleteFont(FontObject* font) {
    DeleteObject(NativeFont(font));
}

FontSpec Win32Backend::DescribeFont(FontObject* font) {
    LOGFONTA made = {};
    if (font == nullptr || GetObjectA(NativeFont(font), sizeof(made), &made) != sizeof(made)) {
        return {};
    }
    FontSpec spec;
    spec.face = made.lfFaceName;
    spec.height = made.lfHeight;
    spec.weight = made.lfWeight;
    spec.italic = made.lfItalic != 0;
    spec.underline = made.lfUnderline != 0;
    spec.charset = made.lfCharSet;
    spec.outPrecision = made.lfOutPrecision;
    spec.clipPrecision = made.lfClipPrecision;
    spec.quality = made.lfQuality;
    spec.pitchAndFamily = made.lfPitchAndFamily;
    return spec;
}

BrushObject* Win32Backend::CreateSolidBrush(Color color) {
    return reinterpret_cast<BrushObject*>(::CreateSolidBrush(RGB(color.red, color.green, color.blue)));
}

void Win32Backend::DeleteBrush(BrushObject* brush) {
    DeleteObject(NativeBrush(brush));
}

}  // namespace ui::win32

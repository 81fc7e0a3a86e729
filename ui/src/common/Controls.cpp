#include <cctype>

#include "ui/CWindow.h"
#include "ui/Gdi.h"

namespace ui {
namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void ReplaceFontBelow(IBackend& backend, HWindow window, FontObject* from, FontObject* to) {
    if (backend.GetFont(window) == from) {
        backend.SetFont(window, to);
    }
    for (HWindow child : backend.GetChildren(window)) {
        ReplaceFontBelow(backend, child, from, to);
    }
}

}  // namespace

void ReplaceFont(FontObject* from, FontObject* to) {
    if (from == nullptr) {
        return;
    }
    IBackend& backend = Backend();
    for (HWindow window : backend.GetTopLevelWindows()) {
        ReplaceFontBelow(backend, window, from, to);
    }
}

int CListControl::FindStringExact(const std::string& text) const {
    const int count = GetCount();
    for (int row = 0; row < count; ++row) {
        if (EqualIgnoringCase(GetText(row), text)) {
            return row;
        }
    }
    return -1;
}

bool CFont::CreateFontIndirect(const FontSpec& spec) {
    DeleteObject();
    font_ = Backend().CreateFont(spec);
    return font_ != nullptr;
}

void CFont::DeleteObject() {
    if (font_ != nullptr) {
        Backend().DeleteFont(font_);
        font_ = nullptr;
    }
}

bool CBrush::CreateSolidBrush(Color color) {
    DeleteObject();
    brush_ = Backend().CreateSolidBrush(color);
    color_ = color;
    return brush_ != nullptr;
}

void CBrush::DeleteObject() {
    if (brush_ != nullptr) {
        Backend().DeleteBrush(brush_);
        brush_ = nullptr;
    }
}

}  // namespace ui

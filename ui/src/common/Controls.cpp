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

}  // namespace

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

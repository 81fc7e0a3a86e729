// Owners of the fonts and brushes the back-end makes.
#pragma once

#include "ui/Backend.h"

namespace ui {

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    bool CreateFontIndirect(const FontSpec& spec);
    void DeleteObject();
    FontObject* Get() const { return font_; }
    FontSpec GetLogFont() const { return Backend().DescribeFont(font_); }
    operator FontObject*() const { return font_; }  // NOLINT: passed where a font is taken

private:
    FontObject* font_ = nullptr;
};

// Every window of the program that wears the font `from`, top-level or child, shown or hidden, wears
// `to` instead; the others keep theirs. Nothing happens for a null `from`.
void ReplaceFont(FontObject* from, FontObject* to);

class CBrush {
public:
    CBrush() = default;
    ~CBrush() { DeleteObject(); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    bool CreateSolidBrush(Color color);
    void DeleteObject();
    BrushObject* Get() const { return brush_; }
    Color GetColor() const { return color_; }

private:
    BrushObject* brush_ = nullptr;
    Color color_;
};

}  // namespace ui

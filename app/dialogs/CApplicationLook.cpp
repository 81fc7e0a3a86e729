#include "dialogs/CApplicationLook.h"

#include "config/CTolvAppParam.h"

namespace {

// The Japanese system font, by its Shift-JIS name (full-width "MS", a space, full-width "P", and
// "gothic" in katakana): the name the font is registered under on a Japanese system.
constexpr char kJapaneseFace[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr char kLatinFace[] = "Arial";

// Font creation's output and clip precision of the program's fonts.
constexpr int kOutputPrecisionString = 2;
constexpr int kClipPrecisionStroke = 1;
constexpr int kDefaultQuality = 0;

struct FontRow {
    int latinHeight;
    int latinCharset;
    int japaneseHeight;
    bool italic;
    bool underline;
};

// Font A keeps the Shift-JIS character set in every language: the sequence pane's captions come
// from the language file as they are.
constexpr FontRow kFonts[CApplicationLook::kFontCount] = {
    {11, ui::kCharsetShiftJis, 12, false, false},  // A
    {15, ui::kCharsetAnsi, 14, false, false},      // B
    {20, ui::kCharsetAnsi, 16, false, false},      // C
    {28, ui::kCharsetAnsi, 32, true, false},       // D
    {28, ui::kCharsetAnsi, 24, true, true},        // E
};

constexpr ui::Color kBrushColors[CApplicationLook::kBrushCount] = {
    ui::Rgb(167, 201, 235), ui::Rgb(0, 0, 0),       ui::Rgb(192, 192, 192), ui::Rgb(0, 157, 234),
    ui::Rgb(231, 0, 128),   ui::Rgb(255, 240, 0),   ui::Rgb(255, 255, 192), ui::Rgb(0, 255, 0),
    ui::Rgb(11, 128, 222),  ui::Rgb(222, 128, 11),  ui::Rgb(222, 190, 190), ui::Rgb(215, 219, 227),
    ui::Rgb(255, 255, 255), ui::Rgb(243, 238, 218), ui::Rgb(198, 210, 253), ui::Rgb(226, 243, 227),
};

CApplicationLook* installedLook = nullptr;

}  // namespace

CApplicationLook::CApplicationLook() {
    for (int font = 0; font < kFontCount; ++font) {
        specs_[static_cast<std::size_t>(font)] = FontSpecOf(static_cast<Font>(font), "");
    }
}

CApplicationLook::~CApplicationLook() {
    if (installedLook == this) {
        installedLook = nullptr;
    }
}

ui::FontSpec CApplicationLook::FontSpecOf(Font font, const std::string& language) {
    const FontRow& row = kFonts[font];
    const bool japanese = language == kJapanese;
    ui::FontSpec spec;
    spec.face = japanese ? kJapaneseFace : kLatinFace;
    spec.height = japanese ? row.japaneseHeight : row.latinHeight;
    spec.weight = ui::kFontWeightBold;
    spec.italic = row.italic;
    spec.underline = row.underline;
    spec.charset = japanese ? ui::kCharsetShiftJis : row.latinCharset;
    spec.outPrecision = kOutputPrecisionString;
    spec.clipPrecision = kClipPrecisionStroke;
    spec.quality = kDefaultQuality;
    spec.pitchAndFamily = ui::kVariablePitch;
    return spec;
}

ui::Color CApplicationLook::ColorOf(Brush brush) {
    return kBrushColors[brush];
}

bool CApplicationLook::Create(const std::string& language) {
    bool made = true;
    for (int font = 0; font < kFontCount; ++font) {
        // Every window wearing the old font, on any screen, shown or not, is dressed in the new one
        // before the old one goes, so no window is left drawing with a deleted font.
        auto replacement = std::make_unique<ui::CFont>();
        const ui::FontSpec spec = FontSpecOf(static_cast<Font>(font), language);
        made = replacement->CreateFontIndirect(spec) && made;
        auto& slot = fonts_[static_cast<std::size_t>(font)];
        if (slot != nullptr) {
            ui::ReplaceFont(slot->Get(), replacement->Get());
        }
        slot = std::move(replacement);
        specs_[static_cast<std::size_t>(font)] = spec;
    }
    for (int brush = 0; brush < kBrushCount; ++brush) {
        auto& slot = brushes_[static_cast<std::size_t>(brush)];
        if (slot == nullptr || slot->Get() == nullptr) {
            slot = std::make_unique<ui::CBrush>();
            made = slot->CreateSolidBrush(kBrushColors[brush]) && made;
        }
    }
    return made;
}

bool CApplicationLook::Create() {
    return Create(CTolvAppParam::Instance()->strLanguage);
}

void CApplicationLook::Destroy() {
    for (auto& font : fonts_) {
        font.reset();
    }
    for (auto& brush : brushes_) {
        brush.reset();
    }
}

ui::FontObject* CApplicationLook::GetFont(Font font) const {
    const auto& slot = fonts_[static_cast<std::size_t>(font)];
    return slot != nullptr ? slot->Get() : nullptr;
}

ui::BrushObject* CApplicationLook::GetBrush(Brush brush) const {
    const auto& slot = brushes_[static_cast<std::size_t>(brush)];
    return slot != nullptr ? slot->Get() : nullptr;
}

ui::ControlColors CApplicationLook::SharedColors(ui::ColorTarget target) const {
    ui::ControlColors colors;
    switch (target) {
        case ui::ColorTarget::MessageBox:
            colors.brush = GetBrush(kBrushLavender);
            break;
        case ui::ColorTarget::Edit:
            colors.brush = GetBrush(kBrushWhite);
            break;
        case ui::ColorTarget::Dialog:
        case ui::ColorTarget::Static:
            colors.brush = GetBrush(kBrushMint);
            colors.transparent = true;
            break;
        default:
            break;
    }
    return colors;
}

void CApplicationLook::ApplyDialogFont(ui::CWindow window) const {
    ui::FontObject* font = GetFont(kFontB);
    if (font == nullptr || !window.IsWindow()) {
        return;
    }
    window.SetFont(font);
    for (ui::HWindow child : ui::Backend().GetChildren(window)) {
        ui::CWindow(child).SetFont(font);
    }
}

CApplicationLook* CApplicationLook::Installed() {
    return installedLook;
}

void CApplicationLook::Install(CApplicationLook* look) {
    installedLook = look;
}

void ApplyLookFont(ui::CWindow dialog) {
    if (const CApplicationLook* look = CApplicationLook::Installed()) {
        look->ApplyDialogFont(dialog);
    }
}

ui::ControlColors LookColors(ui::ColorTarget target) {
    const CApplicationLook* look = CApplicationLook::Installed();
    return look != nullptr ? look->SharedColors(target) : ui::ControlColors{};
}

ScopedApplicationLook::ScopedApplicationLook(CApplicationLook& look)
    : previous_(CApplicationLook::Installed()) {
    CApplicationLook::Install(&look);
}

ScopedApplicationLook::~ScopedApplicationLook() {
    CApplicationLook::Install(previous_);
}

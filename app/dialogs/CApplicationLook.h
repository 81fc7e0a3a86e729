// The application look: the five fonts and sixteen brushes every dialog shares, and the one rule by
// which dialogs colour their controls. The application object owns one look, creates it at start-up,
// creates its fonts again when the language changes, and installs it so the dialogs find it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "ui/CWindow.h"
#include "ui/Gdi.h"
#include "ui/Types.h"

class CApplicationLook {
public:
    enum Font {
        kFontA,  // boxes of the sequence pane
        kFontB,  // lists and descriptions; every control of the pages, the wizard and the shared dialogs
        kFontC,  // buttons and labels of the top dialog
        kFontD,  // title lines of the top dialog
        kFontE,  // title of the adjustment dialog
        kFontCount
    };

    // The brushes, in the order the application makes them.
    enum Brush {
        kBrushLightBlue,   // (167,201,235)
        kBrushBlack,       // (0,0,0)
        kBrushGrey,        // (192,192,192)
        kBrushBlue,        // (0,157,234)
        kBrushMagenta,     // (231,0,128)
        kBrushYellow,      // (255,240,0)
        kBrushPaleYellow,  // (255,255,192)
        kBrushGreen,       // (0,255,0): the current box of the sequence pane
        kBrushDoneBlue,    // (11,128,222): a done box
        kBrushOrange,      // (222,128,11): a pending box
        kBrushRose,        // (222,190,190)
        kBrushSteel,       // (215,219,227)
        kBrushWhite,       // (255,255,255): edit boxes
        kBrushSand,        // (243,238,218): the adjustment dialog's title
        kBrushLavender,    // (198,210,253): message boxes, the adjustment dialog's description
        kBrushMint,        // (226,243,227): dialogs and statics
        kBrushCount
    };

    // The language whose texts need the Japanese fonts; compared exactly, case included.
    static constexpr const char* kJapanese = "Japanese";

    CApplicationLook();
    ~CApplicationLook();
    CApplicationLook(const CApplicationLook&) = delete;
    CApplicationLook& operator=(const CApplicationLook&) = delete;

    // Makes the fonts for the language (replacing any made before) and the brushes (once). False
    // when the back-end could not make one of them.
    bool Create(const std::string& language);
    // The same for the language of the settings; this is the program's first read of TOLVANE.INI.
    bool Create();
    void Destroy();

    // Null until Create.
    ui::FontObject* GetFont(Font font) const;
    // What the font was made from (font B of the language "" before Create).
    const ui::FontSpec& GetFontSpec(Font font) const { return specs_[static_cast<std::size_t>(font)]; }
    ui::BrushObject* GetBrush(Brush brush) const;

    static ui::FontSpec FontSpecOf(Font font, const std::string& language);
    static ui::Color ColorOf(Brush brush);

    // The shared colouring: message boxes lavender, edit boxes white, dialogs and statics mint with
    // the text drawn on a transparent background; every other control keeps the system's colours.
    ui::ControlColors SharedColors(ui::ColorTarget target) const;

    // Font B on the window and every control in it.
    void ApplyDialogFont(ui::CWindow window) const;

    // The look of the running program; null when none is installed (tests of single dialogs).
    static CApplicationLook* Installed();
    static void Install(CApplicationLook* look);

private:
    std::array<std::unique_ptr<ui::CFont>, kFontCount> fonts_;
    std::array<ui::FontSpec, kFontCount> specs_;
    std::array<std::unique_ptr<ui::CBrush>, kBrushCount> brushes_;
};

// What the dialogs of the program call: font B on the dialog and its controls, and the shared
// colours, through the installed look; without one the dialog keeps the system's font and colours.
void ApplyLookFont(ui::CWindow dialog);
ui::ControlColors LookColors(ui::ColorTarget target);

// Installs a look for the lifetime of a scope and restores the one it replaced.
class ScopedApplicationLook {
public:
    explicit ScopedApplicationLook(CApplicationLook& look);
    ~ScopedApplicationLook();
    ScopedApplicationLook(const ScopedApplicationLook&) = delete;
    ScopedApplicationLook& operator=(const ScopedApplicationLook&) = delete;

private:
    CApplicationLook* previous_;
};

// The vocabulary of the dialog framework: window handles, rectangles, colours, fonts, command codes.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// A window of the running back-end; the handle classes never own one.
struct WindowObject;
using HWindow = WindowObject*;
// A font or brush made by the back-end; owned by CFont and CBrush.
struct FontObject;
struct BrushObject;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

constexpr Color Rgb(int red, int green, int blue) {
    return Color{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                 static_cast<std::uint8_t>(blue)};
}

// The arguments of font creation, in the terms of a LOGFONT.
struct FontSpec {
    std::string face;  // bytes in the system's ANSI code page
    int height = 0;    // logical units
    int weight = 400;
    bool italic = false;
    bool underline = false;
    int charset = 0;  // 0 ANSI, 128 Shift-JIS
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    bool operator==(const FontSpec&) const = default;
};

inline constexpr int kCharsetAnsi = 0;
inline constexpr int kCharsetShiftJis = 128;
inline constexpr int kFontWeightBold = 700;
inline constexpr int kVariablePitch = 2;

// Results of modal dialogs and message boxes.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// What a control reports to its dialog.
enum class Notification {
    Clicked,  // push button, check box
    SelectionChange,
    DoubleClick,     // list row
    TextChange,      // edit box
    RowCheckChange,  // check-list row
};

// Enter and Escape are offered to the dialogs (RouteKey); Tab only moves the focus to the next tab
// stop of the dialog, as the dialog manager does, and is never offered to a dialog.
enum class Key { Enter, Escape, Tab };

// Vertical scroll requests, as the scroll bar sends them.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition, Top, Bottom, End };

struct ScrollInfo {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
};

// Which kind of control asks for its colours.
// A read-only or disabled edit box asks as a Static, as on Windows.
enum class ColorTarget { Dialog, Static, Edit, Button, ListBox, MessageBox, ScrollBar };

// What the control colouring hook answers: the brush paints the background; a transparent text
// background lets the brush show through the text.
struct ControlColors {
    BrushObject* brush = nullptr;  // null: the system's colours
    bool hasTextColor = false;
    Color textColor;
    bool transparent = false;
    bool hasBackColor = false;
    Color backColor;
};

// Message boxes of the system.
enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxIcon { None, Information, Question, Stop, Warning };

// How a column of a list view aligns its text.
enum class ColumnAlign { Left, Center, Right };

}  // namespace ui

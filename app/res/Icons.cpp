#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace res {
namespace {

// A dot-matrix printer seen from the front: paper in the tractor, the body, the print head carriage.
constexpr const char* kPrinterRows[32] = {
    "................................", "................................",
    "........wwwwwwwwwwwwwwww........", "........w..............w........",
    "........w.kkkkkkkkkkk..w........", "........w..............w........",
    "........w.kkkkkkkk.....w........", "........w..............w........",
    "........w.kkkkkkkkkk...w........", "........w..............w........",
    "...bbbbbbbbbbbbbbbbbbbbbbbbbb...", "..bllllllllllllllllllllllllllb..",
    "..bllllllllllllllllllllllllllb..", "..blddddddddddddddddddddddddlb..",
    "..bldkkkkkkkkkkkkkkkkkkkkkkdlb..", "..bldkkkkkkkrrrrkkkkkkkkkkkdlb..",
    "..bldkkkkkkkrrrrkkkkkkkkkkkdlb..", "..blddddddddddddddddddddddddlb..",
    "..bllllllllllllllllllllllllllb..", "..bllllllllllllllllllllllllllb..",
    "..bllllggllllllllllllllllllllb..", "..bllllggllllllllllllllllllllb..",
    "..bllllllllllllllllllllllllllb..", "..bbbbbbbbbbbbbbbbbbbbbbbbbbbb..",
    "...bddb..................bddb...", "...bbbb..................bbbb...",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
};

std::uint32_t PrinterColour(char letter) {
    switch (letter) {
        case 'w':
            return 0xFFFFFF;
        case 'k':
            return 0x202020;
        case 'b':
            return 0x0B4080;
        case 'l':
            return 0xA7C9EB;
        case 'd':
            return 0x5A6E8C;
        case 'r':
            return 0xE70080;
        case 'g':
            return 0x00C000;
        default:
            return 0x000000;
    }
}

constexpr IconImage kIcons[] = {
    {kIconMain, 32, kPrinterRows, &PrinterColour},
};

}  // namespace

const IconImage* FindIcon(int id) {
    for (const IconImage& icon : kIcons) {
        if (icon.id == id) {
            return &icon;
        }
    }
    return nullptr;
}

}  // namespace res

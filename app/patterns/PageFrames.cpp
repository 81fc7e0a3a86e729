// Page frames: a border of 'E' characters around the printable area, to check the page length and the
// left and right margins page after page.
#include <cstdio>

#include "patterns/CVexilCommon.h"
#include "protocol/PrinterCommandCodes.h"

using namespace patterns;
using namespace protocol;

bool CVexilCommon::PageFrameRows(int columns, int lines) {
    for (int row = 0; row < lines - 2; ++row) {
        RepeatByte('E', 5);
        RepeatByte(control::kSpace, columns - 10);
        RepeatByte('E', 5);
        NewLines(1);
    }
    RepeatByte('E', columns);
    return NewLines(1);
}

bool CVexilCommon::PageFrame(int page, int columns, int lines) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    char pageLabel[32];
    std::snprintf(pageLabel, sizeof pageLabel, "<Page%03d>", page);
    TenCpi();
    RepeatByte('E', 10);
    AppendText(pageLabel);
    RepeatByte('E', columns - 19);
    NewLines(1);
    PageFrameRows(columns, lines);
    return !overflowed_;
}

bool CVexilCommon::PageFrameWithBar(int columns, int lines) {
    if (!ColumnsAccepted(columns)) {
        return false;
    }
    TenCpi();
    SetModeFlag(0);
    BlackBarRaster(columns);
    NewLines(1);
    PageFrameRows(columns, lines);
    return !overflowed_;
}

// The bottom margin: the unsigned byte at 0x7E, 0.0 to 6.8 mm.
#pragma once

#include "pages/CMarginAdjustPage.h"

class CHeronBottomMarginAdjustPage : public CMarginAdjustPage {
public:
    static constexpr int kTemplate = 304;

    CHeronBottomMarginAdjustPage()
        : CMarginAdjustPage(kTemplate, printer::MarginEdge::Bottom, "bottom margin value must be more 0.0",
                            "bottom margin value must be less than 6.8") {}
};

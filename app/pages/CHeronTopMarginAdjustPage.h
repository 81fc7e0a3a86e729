// The top margin: the signed byte at 0x7C, 5.0 to 12.5 mm.
#pragma once

#include "pages/CMarginAdjustPage.h"

class CHeronTopMarginAdjustPage : public CMarginAdjustPage {
public:
    static constexpr int kTemplate = 303;

    CHeronTopMarginAdjustPage()
        : CMarginAdjustPage(kTemplate, printer::MarginEdge::Top, "top margin value must be more 5.0",
                            "top margin value must be less than 12.5") {}
};

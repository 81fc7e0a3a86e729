// The paper's way through the printer: the vertical position on the current sheet, the top of form and
// the page length, and the sheets that leave the printer when the position passes the next top of
// form. Continuous forms: the sheet ends at the next top of form, so a page length set part-way down a
// sheet (the current line becomes the top of form) makes that sheet longer than the length itself.
#pragma once

#include <memory>

#include "render/IPageSink.h"
#include "render/JobLog.h"
#include "render/PageRaster.h"

namespace vprinter::render {

class Paper {
public:
    Paper(int widthPixels, IPageSink& sink, JobLog& log);

    // Vertical position of needle 1 on the current sheet, in 1/360 inch.
    int Position() const { return position_; }
    PageRaster& Sheet() { return *sheet_; }
    int SheetNumber() const { return sheetNumber_; }

    // Forward; every top of form passed sends a sheet out.
    void Feed(int units);
    // Backward, no further than the top edge of the current sheet (the sheet above it has left the
    // printer). Returns false when the feed was cut short there.
    bool ReverseFeed(int units);
    // To the next top of form; the sheet leaves.
    void FormFeed();
    // Sets the page length and makes the current position the top of form. A length of 0 or one
    // beyond the longest the commands allow is refused (false) and changes nothing.
    bool SetPageLength(int units);
    // Back to the power-on page length, measured from the current top of form.
    void ResetPageLength();
    // At the end of a job: the sheet in the printer so far, when anything is printed on it.
    void ShowSheetSoFar();

private:
    int NextBreak() const;
    void SheetLeaves(int breakPosition);

    int widthPixels_;
    IPageSink& sink_;
    JobLog& log_;
    std::unique_ptr<PageRaster> sheet_;
    int sheetNumber_ = 1;
    int position_ = 0;
    int topOfForm_ = 0;
    int pageLength_;
};

}  // namespace vprinter::render

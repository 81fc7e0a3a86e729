#include "render/Paper.h"

#include <algorithm>

#include "render/Geometry.h"

namespace vprinter::render {

Paper::Paper(int widthPixels, IPageSink& sink, JobLog& log)
    : widthPixels_(widthPixels),
      sink_(sink),
      log_(log),
      sheet_(std::make_unique<PageRaster>(widthPixels, kTallestPageImage, platform::Clock().Now())),
      pageLength_(kDefaultPageLength) {}

int Paper::NextBreak() const {
    // The image of one sheet is never taller than the tallest page image, however the top of form moved.
    return std::clamp(topOfForm_ + pageLength_, 1, kTallestPageImage);
}

void Paper::SheetLeaves(int breakPosition) {
    if (sheet_->Blank()) {
        ++log_.blankPagesEjected;
    } else {
        sheet_->SetLength(breakPosition);
        sink_.WritePage(*sheet_, sheetNumber_, true);
        ++sheetNumber_;
    }
    // The break is the next sheet's top of form, unless the sheet was cut at the tallest image before
    // the top of form came: then the top of form lies that much further down the next sheet.
    topOfForm_ = topOfForm_ + pageLength_ == breakPosition ? 0 : topOfForm_ - breakPosition;
    position_ -= breakPosition;
    sheet_ = std::make_unique<PageRaster>(widthPixels_, kTallestPageImage, platform::Clock().Now());
}

void Paper::Feed(int units) {
    position_ += std::max(0, units);
    while (position_ >= NextBreak()) {
        SheetLeaves(NextBreak());
    }
}

bool Paper::ReverseFeed(int units) {
    position_ -= std::max(0, units);
    if (position_ < 0) {
        position_ = 0;
        return false;
    }
    return true;
}

void Paper::FormFeed() {
    position_ = NextBreak();
    SheetLeaves(NextBreak());
}

bool Paper::SetPageLength(int units) {
    if (units <= 0 || units > kLongestPageLength) {
        return false;
    }
    pageLength_ = units;
    topOfForm_ = position_;
    return true;
}

void Paper::ResetPageLength() {
    pageLength_ = kDefaultPageLength;
}

void Paper::ShowSheetSoFar() {
    if (!sheet_->Blank()) {
        sheet_->SetLength(NextBreak());
        sink_.WritePage(*sheet_, sheetNumber_, false);
    }
}

}  // namespace vprinter::render

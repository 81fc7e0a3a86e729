// Where the pages go when they leave the printer.
#pragma once

#include "render/PageRaster.h"

namespace vprinter::render {

class IPageSink {
public:
    virtual ~IPageSink() = default;
    // The page's image. finished is true when the page left the printer (form feed, page length
    // reached), false for the page still in the printer at the end of a job, which later jobs may
    // print on again (its image is then written again under the same name).
    virtual void WritePage(const PageRaster& page, int pageNumber, bool finished) = 0;
};

}  // namespace vprinter::render

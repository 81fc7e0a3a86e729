// Writing a page image as a PNG file: white paper, black dots, one bit per pixel, 360 dpi. One
// implementation per OS (libpng on Linux, the Windows Imaging Component on Windows).
#pragma once

#include <string>

#include "render/PageRaster.h"

namespace vprinter::render {

// Writes the page to the path; false when the file could not be written (nothing is left at the path
// then, or the previous file stays whole: the image goes to a temporary file first).
bool WritePngFile(const std::string& path, const PageRaster& page);

}  // namespace vprinter::render

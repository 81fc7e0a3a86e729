#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "render/Geometry.h"
#include "render/PngFile.h"

namespace vprinter::render {

namespace {

// libpng reports errors by longjmp; everything it touches is plain data, so the function that owns the
// jump buffer holds no objects with destructors between setjmp and the calls.
bool Encode(std::FILE* file, const PageRaster& page, std::vector<std::uint8_t>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Mostly white pages: fast compression loses little.
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, static_cast<png_uint_32>(page.Width()), static_cast<png_uint_32>(page.Height()),
                 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    const auto dotsPerMetre = static_cast<png_uint_32>(kRasterDotsPerInch / 0.0254 + 0.5);
    png_set_pHYs(png, info, dotsPerMetre, dotsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < page.Height(); ++y) {
        const auto ink = page.Row(y);
        // In a one-bit grey PNG 0 is black: ink bits are inverted.
        for (std::size_t byte = 0; byte < ink.size(); ++byte) {
            row[byte] = static_cast<std::uint8_t>(~ink[byte]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePngFile(const std::string& path, const PageRaster& page) {
    const std::string partial = path + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(page.BytesPerRow()));
    const bool encoded = Encode(file, page, row);
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (!encoded || !closed) {
        std::filesystem::remove(partial, error);
        return false;
    }
    std::filesystem::rename(partial, path, error);
    return !error;
}

}  // namespace vprinter::render

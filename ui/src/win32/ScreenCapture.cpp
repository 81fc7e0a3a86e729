#include "ScreenCapture.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace ui::win32 {
namespace {

struct Visible {
    RECT bounds = {0, 0, 0, 0};
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM data) {
    auto* visible = reinterpret_cast<Visible*>(data);
    RECT rect;
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect) || IsRectEmpty(&rect)) {
        return TRUE;
    }
    if (visible->windows.empty()) {
        visible->bounds = rect;
    } else {
        UnionRect(&visible->bounds, &visible->bounds, &rect);
    }
    visible->windows.push_back(window);
    return TRUE;
}

}  // namespace

bool CaptureThreadWindows(const std::string& path) {
    Visible visible;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&visible));
    if (visible.windows.empty()) {
        return false;
    }
    // Whatever waits to be painted is painted before the picture is taken.
    for (HWND window : visible.windows) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    }
    RECT area = visible.bounds;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }

    HDC screenContext = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenContext);
    HBITMAP bitmap = CreateCompatibleBitmap(screenContext, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        BitBlt(memory, 0, 0, width, height, screenContext, area.left, area.top, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(memory, previous);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a BMP file keeps its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height));
    const bool read = copied && GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screenContext);
    if (!read) {
        return false;
    }

    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    header.biSizeImage = static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace ui::win32

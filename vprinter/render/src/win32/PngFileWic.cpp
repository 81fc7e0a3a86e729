#include <windows.h>

// After <windows.h>, which it needs.
#include <wincodec.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "render/Geometry.h"
#include "render/PngFile.h"

namespace vprinter::render {

namespace {

template <class Interface>
class ComReference {
public:
    ComReference() = default;
    ~ComReference() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComReference(const ComReference&) = delete;
    ComReference& operator=(const ComReference&) = delete;
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// COM stays initialised for the calling thread when this call initialised it; a thread that already
// runs COM keeps its own model.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

bool Encode(const std::wstring& path, const PageRaster& page) {
    ComReference<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out())))) {
        return false;
    }
    ComReference<IWICStream> stream;
    ComReference<IWICBitmapEncoder> encoder;
    ComReference<IWICBitmapFrameEncode> frame;
    ComReference<IPropertyBag2> options;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Out(), options.Out())) ||
        FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(page.Width()), static_cast<UINT>(page.Height()))) ||
        FAILED(frame->SetResolution(kRasterDotsPerInch, kRasterDotsPerInch))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormatBlackWhite;
    if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormatBlackWhite)) {
        return false;
    }
    // Rows go to the encoder in strips; in the black-and-white format 0 is black, so ink bits are inverted.
    const int stride = page.BytesPerRow();
    constexpr int kStripRows = 256;
    std::vector<BYTE> strip(static_cast<std::size_t>(stride) * kStripRows);
    for (int top = 0; top < page.Height(); top += kStripRows) {
        const int rows = std::min(kStripRows, page.Height() - top);
        for (int row = 0; row < rows; ++row) {
            const auto ink = page.Row(top + row);
            BYTE* out = strip.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(stride);
            for (std::size_t byte = 0; byte < ink.size(); ++byte) {
                out[byte] = static_cast<BYTE>(~ink[byte]);
            }
        }
        if (FAILED(frame->WritePixels(static_cast<UINT>(rows), static_cast<UINT>(stride),
                                      static_cast<UINT>(stride * rows), strip.data()))) {
            return false;
        }
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool WritePngFile(const std::string& path, const PageRaster& page) {
    ComScope com;
    if (!com.Usable()) {
        return false;
    }
    const std::string partial = path + ".part";
    const bool encoded = Encode(Wide(partial), page);
    std::error_code error;
    if (!encoded) {
        std::filesystem::remove(partial, error);
        return false;
    }
    std::filesystem::rename(partial, path, error);
    return !error;
}

}  // namespace vprinter::render

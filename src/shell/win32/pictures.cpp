#include "shell/win32/pictures.h"

#include "shell/win32/native_window.h"

#include <wincodec.h>

namespace win32 {
namespace {

/// Releases a COM interface when it goes out of scope.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (m_pointer != nullptr) {
            m_pointer->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface* operator->() const { return m_pointer; }
    Interface* get() const { return m_pointer; }
    Interface** put() { return &m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

/// The premultiplied pixels of a PNG resource scaled to a size, as a DIB section.
HBITMAP decode(int pictureId, int width, int height) {
    HRSRC found = FindResourceW(instance(), MAKEINTRESOURCEW(pictureId), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(instance(), found) : nullptr;
    auto* bytes = loaded != nullptr ? static_cast<BYTE*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        return nullptr;
    }
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapScaler> scaler;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes, SizeofResource(instance(), found))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(converter.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                  WICBitmapInterpolationModeFant))) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as WIC writes the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) {
        return nullptr;
    }
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(scaler->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                  static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

} // namespace

Pictures& Pictures::shared() {
    static Pictures pictures;
    return pictures;
}

Pictures::~Pictures() {
    for (const auto& [key, bitmap] : m_bitmaps) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
}

HBITMAP Pictures::bitmap(int pictureId, int width, int height) {
    const auto key = std::make_tuple(pictureId, width, height);
    const auto found = m_bitmaps.find(key);
    if (found != m_bitmaps.end()) {
        return found->second;
    }
    HBITMAP made = decode(pictureId, width, height);
    m_bitmaps.emplace(key, made);
    return made;
}

void Pictures::draw(HDC dc, int pictureId, const RECT& into) {
    const int width = into.right - into.left;
    const int height = into.bottom - into.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    HBITMAP picture = bitmap(pictureId, width, height);
    if (picture == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, into.left, into.top, width, height, source, 0, 0, width, height, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace win32

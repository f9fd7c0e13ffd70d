// The program loaded as a data file, resource bytes, and the picture readers of the resource tests.
#include "resource_file.h"

#include <initguid.h>  // defines the WIC class and format ids in this one file
#include <wincodec.h>

#include <algorithm>

namespace cvq_res_test {

namespace {

template <class T>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com()
    {
        if (m_p)
            m_p->Release();
    }
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr))
        throw std::runtime_error(std::string(what) + " failed");
}

uint32_t BigEndian32(std::span<const BYTE> b, size_t at)
{
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

}  // namespace

std::wstring ExePath()
{
    const std::string unixPath = CVQ_EXE_PATH;
    std::wstring path(unixPath.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), static_cast<int>(unixPath.size()), path.data(),
                                static_cast<int>(path.size()));
    path.resize(static_cast<size_t>(n));
    if (!path.empty() && path[0] == L'/')
        path.insert(0, L"Z:");
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

HMODULE Exe()
{
    static HMODULE module = LoadLibraryExW(ExePath().c_str(), nullptr,
                                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        throw std::runtime_error("ConvertVtq.exe cannot be loaded");
    return module;
}

std::span<const BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name, WORD lang)
{
    HRSRC info = FindResourceExW(Exe(), type, name, lang);
    if (!info)
        return {};
    HGLOBAL data = LoadResource(Exe(), info);
    if (!data)
        return {};
    return {static_cast<const BYTE*>(LockResource(data)), SizeofResource(Exe(), info)};
}

std::wstring Cursor::WString()
{
    std::wstring text;
    while (wchar_t c = static_cast<wchar_t>(Word()))
        text += c;
    return text;
}

SzOrOrd ReadSzOrOrd(Cursor& cur)
{
    SzOrOrd field;
    Cursor peek = cur;
    WORD first = peek.Word();
    if (first == 0xFFFF) {
        cur.Word();
        field.isOrdinal = true;
        field.ordinal = cur.Word();
    } else {
        field.text = cur.WString();
    }
    return field;
}

bool StartsWithPng(std::span<const BYTE> bytes)
{
    static const BYTE signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::equal(signature, signature + 8, bytes.begin());
}

Picture DecodePng(std::span<const BYTE> png)
{
    // Signature, then the IHDR chunk: length, "IHDR", width, height, bit depth, colour type.
    if (!StartsWithPng(png) || png.size() < 33 || !std::equal(png.begin() + 12, png.begin() + 16, "IHDR"))
        throw std::runtime_error("not a PNG");
    Picture pic;
    const int bitDepth = png[24];
    const int colourType = png[25];
    const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : colourType == 4 ? 2 : 1;
    pic.bitsPerPixel = bitDepth * channels;
    pic.hasAlpha = colourType == 6;
    const uint32_t headerWidth = BigEndian32(png, 16);
    const uint32_t headerHeight = BigEndian32(png, 20);

    static const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    (void)init;  // S_FALSE or a different model on this thread is fine: WIC is free-threaded
    Com<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(&factory)),
          "WIC factory");
    Com<IWICStream> stream;
    Check(factory->CreateStream(&stream), "WIC stream");
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())),
          "WIC stream from memory");
    Com<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
          "PNG decoder");
    Com<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, &frame), "PNG frame");
    Com<IWICBitmapSource> bgra;
    Check(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), &bgra), "PNG to BGRA");
    UINT w = 0;
    UINT h = 0;
    Check(bgra->GetSize(&w, &h), "PNG size");
    if (w != headerWidth || h != headerHeight)
        throw std::runtime_error("PNG header and decoded size differ");
    std::vector<BYTE> raw(static_cast<size_t>(w) * h * 4);
    Check(bgra->CopyPixels(nullptr, w * 4, static_cast<UINT>(raw.size()), raw.data()), "PNG pixels");
    pic.width = static_cast<int>(w);
    pic.height = static_cast<int>(h);
    for (size_t i = 0; i < raw.size(); i += 4)
        pic.pixels.push_back({raw[i + 2], raw[i + 1], raw[i], raw[i + 3]});
    return pic;
}

Picture DecodeDib(std::span<const BYTE> dib, bool isIcon)
{
    Cursor cur(dib);
    const uint32_t headerSize = cur.Dword();
    const auto width = static_cast<int32_t>(cur.Dword());
    const auto storedHeight = static_cast<int32_t>(cur.Dword());
    cur.Word();  // planes
    const int bpp = cur.Word();
    const uint32_t compression = cur.Dword();
    cur.Take(12);  // image size, resolution
    const uint32_t coloursUsed = cur.Dword();
    cur.Dword();  // important colours
    if (headerSize != sizeof(BITMAPINFOHEADER) || compression != BI_RGB || width <= 0 || storedHeight <= 0)
        throw std::runtime_error("unexpected DIB header");

    Picture pic;
    pic.width = width;
    pic.height = isIcon ? storedHeight / 2 : storedHeight;
    pic.bitsPerPixel = bpp;
    std::vector<Rgba> palette;
    if (bpp <= 8) {
        const uint32_t count = coloursUsed ? coloursUsed : 1u << bpp;
        for (uint32_t i = 0; i < count; ++i) {
            auto q = cur.Take(4);
            palette.push_back({q[2], q[1], q[0], 255});
        }
    }
    const size_t stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
    auto bits = cur.Take(stride * pic.height);
    pic.pixels.resize(static_cast<size_t>(width) * pic.height);
    for (int y = 0; y < pic.height; ++y) {
        auto row = bits.subspan(stride * (pic.height - 1 - y), stride);
        for (int x = 0; x < width; ++x) {
            Rgba& px = pic.pixels[static_cast<size_t>(y) * width + x];
            switch (bpp) {
            case 24:
                px = {row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255};
                break;
            case 8:
                px = palette.at(row[x]);
                break;
            case 4:
                px = palette.at(x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
                break;
            default:
                throw std::runtime_error("unexpected bit count");
            }
        }
    }
    if (isIcon) {
        const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
        auto mask = cur.Take(maskStride * pic.height);
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < width; ++x)
                if (mask[maskStride * (pic.height - 1 - y) + x / 8] & (0x80 >> x % 8))
                    pic.pixels[static_cast<size_t>(y) * width + x].a = 0;
    }
    return pic;
}

}  // namespace cvq_res_test

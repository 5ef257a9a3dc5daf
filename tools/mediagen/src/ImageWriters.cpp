#include "ImageWriters.h"
#include <png.h>
#include <cstring>
#include <stdexcept>

namespace {
void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
void pngWrite(png_structp p, png_bytep data, png_size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
    out->insert(out->end(), data, data + n);
}
void pngFlush(png_structp) {}
}  // namespace

namespace imagefile {
std::vector<uint8_t> png(const Image& img) {
    std::vector<uint8_t> rgba = img.toRGBA8();
    bool opaque = true;
    for (size_t i = 3; i < rgba.size(); i += 4)
        if (rgba[i] != 255) {
            opaque = false;
            break;
        }
    int channels = opaque ? 3 : 4;
    std::vector<uint8_t> rows(static_cast<size_t>(img.width()) * img.height() * channels);
    for (size_t i = 0, j = 0; i < rgba.size(); i += 4)
        for (int c = 0; c < channels; ++c) rows[j++] = rgba[i + c];

    std::vector<uint8_t> out;
    png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(p);
    if (!p || !info || setjmp(png_jmpbuf(p))) {
        png_destroy_write_struct(&p, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(p, &out, pngWrite, pngFlush);
    png_set_compression_level(p, 6);
    png_set_IHDR(p, info, img.width(), img.height(), 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(p, info);
    for (int y = 0; y < img.height(); ++y)
        png_write_row(p, &rows[static_cast<size_t>(y) * img.width() * channels]);
    png_write_end(p, nullptr);
    png_destroy_write_struct(&p, &info);
    return out;
}

std::vector<uint8_t> tga(const Image& img, bool storeTopFirst) {
    std::vector<uint8_t> out;
    out.reserve(18 + static_cast<size_t>(img.width()) * img.height() * 4);
    out.push_back(0);  // no image ID
    out.push_back(0);  // no colour map
    out.push_back(2);  // uncompressed true colour
    for (int i = 0; i < 5; ++i) out.push_back(0);  // colour map spec
    put16(out, 0);
    put16(out, 0);  // origin
    put16(out, img.width());
    put16(out, img.height());
    out.push_back(32);
    out.push_back(static_cast<uint8_t>(8 | (storeTopFirst ? 0x20 : 0)));
    std::vector<uint8_t> rgba = img.toRGBA8();
    for (int k = 0; k < img.height(); ++k) {
        int y = storeTopFirst ? k : img.height() - 1 - k;
        const uint8_t* row = &rgba[static_cast<size_t>(y) * img.width() * 4];
        for (int x = 0; x < img.width(); ++x) {
            out.push_back(row[x * 4 + 2]);
            out.push_back(row[x * 4 + 1]);
            out.push_back(row[x * 4 + 0]);
            out.push_back(row[x * 4 + 3]);
        }
    }
    return out;
}

std::vector<uint8_t> bmp(const Image& img) {
    int w = img.width(), h = img.height();
    int stride = (w * 3 + 3) & ~3;
    uint32_t dataSize = static_cast<uint32_t>(stride) * h;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    std::vector<uint8_t> rgba = img.toRGBA8();
    for (int y = h - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        while (out.size() - start < static_cast<size_t>(stride)) out.push_back(0);
    }
    return out;
}
}  // namespace imagefile

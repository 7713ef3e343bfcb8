#include "cairo/png_picture.hpp"

#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "cairo/cairo_holders.hpp"

namespace tolmin::cairo {
namespace {

// A dark blue-grey desktop, lighter towards the top left, under the picture.
SurfacePtr over_backdrop(cairo_surface_t* picture) {
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    SurfacePtr opaque(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    const CairoPtr cr(cairo_create(opaque.get()));
    const PatternPtr desktop(cairo_pattern_create_linear(0, 0, width, height));
    cairo_pattern_add_color_stop_rgb(desktop.get(), 0, 0x2B / 255.0, 0x34 / 255.0, 0x45 / 255.0);
    cairo_pattern_add_color_stop_rgb(desktop.get(), 1, 0x12 / 255.0, 0x15 / 255.0, 0x1C / 255.0);
    cairo_set_source(cr.get(), desktop.get());
    cairo_paint(cr.get());
    cairo_set_source_surface(cr.get(), picture, 0, 0);
    cairo_paint(cr.get());
    cairo_surface_flush(opaque.get());
    return opaque;
}

// Straight-alpha RGBA bytes of one premultiplied ARGB32 pixel: each colour divided by the alpha, rounded to
// the nearest (the rule Cairo's own PNG writer uses). Written out here rather than through
// cairo_surface_write_to_png because that writer lets libpng try every row filter at zlib's default level,
// which costs several times the whole drawing of a frame.
void straight_rgba(std::uint32_t argb, unsigned char* out) {
    const std::uint32_t a = argb >> 24;
    if (a == 0) {
        std::memset(out, 0, 4);
        return;
    }
    const std::uint32_t channels[3] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
    for (int i = 0; i < 3; ++i) out[i] = static_cast<unsigned char>((channels[i] * 255 + a / 2) / a);
    out[3] = static_cast<unsigned char>(a);
}

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flush_nothing(png_structp) {}

// libpng reports errors by jumping back to setjmp; the message is kept for the result.
void keep_error(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignore_warning(png_structp, png_const_charp) {}

// Writes the rows; false when libpng failed (the message is in `error`). Kept apart from anything with a
// destructor, which a longjmp would skip.
bool write_rows(png_structp png, png_infop info, cairo_surface_t* image, unsigned char* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // The fastest deflate and no row filter: a frame is mostly runs of one colour, which compress well
    // anyway.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const auto* pixels =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        // Runs of one colour are converted once.
        std::uint32_t last = 0;
        unsigned char converted[4] = {0, 0, 0, 0};
        for (int x = 0; x < width; ++x) {
            if (pixels[x] != last) {
                last = pixels[x];
                straight_rgba(last, converted);
            }
            std::memcpy(row + std::ptrdiff_t{4} * x, converted, 4);
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

// libpng's write structures, destroyed together.
struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;

    PngWrite() = default;
    PngWrite(const PngWrite&) = delete;
    PngWrite& operator=(const PngWrite&) = delete;
    ~PngWrite() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

}  // namespace

Result<std::string> encode_png(cairo_surface_t* picture, bool backdrop) {
    const SurfacePtr image = backdrop ? over_backdrop(picture) : SurfacePtr(cairo_surface_reference(picture));
    cairo_surface_flush(image.get());
    std::string bytes;
    std::string error;
    PngWrite write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, keep_error, ignore_warning);
    write.info = write.png != nullptr ? png_create_info_struct(write.png) : nullptr;
    std::vector<unsigned char> row(static_cast<std::size_t>(cairo_image_surface_get_width(image.get())) * 4);
    bool written = false;
    if (write.info != nullptr) {
        png_set_write_fn(write.png, &bytes, append_bytes, flush_nothing);
        written = write_rows(write.png, write.info, image.get(), row.data());
    }
    if (!written)
        return Error{"cannot encode a PNG: " + (error.empty() ? std::string("out of memory") : error)};
    return bytes;
}

}  // namespace tolmin::cairo

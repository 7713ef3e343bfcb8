#include "cairo/png_picture.hpp"

namespace tolmin::cairo {
namespace {

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A dark blue-grey desktop, lighter towards the top left, under the picture.
cairo_surface_t* over_backdrop(cairo_surface_t* picture) {
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(opaque);
    cairo_pattern_t* desktop = cairo_pattern_create_linear(0, 0, width, height);
    cairo_pattern_add_color_stop_rgb(desktop, 0, 0x2B / 255.0, 0x34 / 255.0, 0x45 / 255.0);
    cairo_pattern_add_color_stop_rgb(desktop, 1, 0x12 / 255.0, 0x15 / 255.0, 0x1C / 255.0);
    cairo_set_source(cr, desktop);
    cairo_paint(cr);
    cairo_pattern_destroy(desktop);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return opaque;
}

}  // namespace

Result<std::string> encode_png(cairo_surface_t* picture, bool backdrop) {
    cairo_surface_t* source = backdrop ? over_backdrop(picture) : cairo_surface_reference(picture);
    std::string bytes;
    const cairo_status_t status = cairo_surface_write_to_png_stream(source, append_bytes, &bytes);
    cairo_surface_destroy(source);
    if (status != CAIRO_STATUS_SUCCESS)
        return Error{std::string("cannot encode a PNG: ") + cairo_status_to_string(status)};
    return bytes;
}

}  // namespace tolmin::cairo

#pragma once
// A drawn picture as a PNG file's bytes.

#include <cairo.h>

#include <string>

#include "base/result.hpp"

namespace tolmin::cairo {

// The picture (premultiplied ARGB32) as an 8-bit RGBA PNG with straight alpha. With `backdrop` the picture is
// first laid over an opaque, dark, desktop-like background, so the PNG is opaque.
Result<std::string> encode_png(cairo_surface_t* picture, bool backdrop);

}  // namespace tolmin::cairo

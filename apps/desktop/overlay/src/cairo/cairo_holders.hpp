#pragma once
// Owning holders for the Cairo, Pango and GLib objects of the Cairo side: each releases its object with the
// library's own call when it goes out of scope.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

namespace tolmin::cairo {

// Calls `Release` on a non-null pointer.
template <auto Release>
struct Releaser {
    template <class T>
    void operator()(T* object) const {
        Release(object);
    }
};

using CairoPtr = std::unique_ptr<cairo_t, Releaser<cairo_destroy>>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, Releaser<cairo_surface_destroy>>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, Releaser<cairo_pattern_destroy>>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t, Releaser<cairo_font_options_destroy>>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, Releaser<pango_font_description_free>>;
using AttributesPtr = std::unique_ptr<PangoAttrList, Releaser<pango_attr_list_unref>>;
// A GObject: a Pango layout, context or font map.
template <class T>
using GObjectPtr = std::unique_ptr<T, Releaser<g_object_unref>>;

}  // namespace tolmin::cairo

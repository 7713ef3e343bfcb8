#include "cairo/pango_text.hpp"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tolmin::cairo {
namespace {

constexpr double MAX_FONT_PIXELS = 16384;

// A length in pixels as Pango units, saturated to Pango's int range (NaN gives 0).
int pango_units(double pixels) {
    const double units = pixels * PANGO_SCALE;
    if (!(units > INT_MIN)) return std::isnan(units) ? 0 : INT_MIN;
    if (!(units < INT_MAX)) return INT_MAX;
    return static_cast<int>(std::lround(units));
}

double pixels(int units) {
    return static_cast<double>(units) / PANGO_SCALE;
}

FontDescriptionPtr font_for(const TextSpec& spec, double font_size) {
    FontDescriptionPtr font(pango_font_description_new());
    const std::string family(family_of(spec));
    pango_font_description_set_family(font.get(), family.c_str());
    pango_font_description_set_weight(font.get(), static_cast<PangoWeight>(spec.weight));
    pango_font_description_set_style(font.get(), PANGO_STYLE_NORMAL);
    pango_font_description_set_stretch(font.get(), PANGO_STRETCH_NORMAL);
    pango_font_description_set_absolute_size(font.get(), font_size * PANGO_SCALE);
    return font;
}

}  // namespace

PangoTextService::PangoTextService()
    : fonts_(pango_cairo_font_map_new()), context_(pango_font_map_create_context(fonts_.get())) {
    // Grey-scale antialiasing and unhinted metrics, as the overlay's text is drawn: widths scale with the
    // size instead of snapping to whole pixels.
    const FontOptionsPtr options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context_.get(), options.get());  // copies them
    pango_context_set_round_glyph_positions(context_.get(), FALSE);
}

double PangoTextService::measure_text(std::string_view text, const TextSpec& spec, double scale) {
    const std::optional<TextBox> box = text_box(text, spec, scale, std::nullopt);
    return box ? box->width : 0.0;
}

std::optional<TextBox> PangoTextService::text_box(std::string_view text, const TextSpec& spec, double scale,
                                                  std::optional<double> fit) {
    const Laid& laid = laid_.get(text, spec, scale, fit, [&] { return lay_out(text, spec, scale, fit); });
    if (!laid.layout) return std::nullopt;
    TextBox box;
    box.width = laid.width;
    box.height = laid.height;
    box.top = laid.top;
    // The box holds a reference of its own: the cache may drop the layout before the box is drawn.
    box.handle =
        std::make_unique<PangoTextHandle>(static_cast<PangoLayout*>(g_object_ref(laid.layout.get())));
    return box;
}

PangoTextService::Laid PangoTextService::lay_out(std::string_view text, const TextSpec& spec, double scale,
                                                 std::optional<double> fit) {
    const double font_size = spec.size * scale;
    // FreeType refuses sizes of 64K pixels and more (Pango then warns on standard error), and no picture
    // Cairo can hold is that large anyway: such a text cannot be laid out. Pango's lengths are int.
    if (!(font_size > 0 && font_size < MAX_FONT_PIXELS) || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    Laid laid;
    laid.layout.reset(pango_layout_new(context_.get()));
    ++layouts_made_;
    PangoLayout* layout = laid.layout.get();

    pango_layout_set_font_description(layout, font_for(spec, font_size).get());  // copies it
    if (spec.tracking != 0) {
        const AttributesPtr attributes(pango_attr_list_new());
        pango_attr_list_insert(attributes.get(),
                               pango_attr_letter_spacing_new(pango_units(font_size * spec.tracking)));
        pango_layout_set_attributes(layout, attributes.get());  // takes a reference of its own
    }
    // One line, as wide as it needs (no width, no wrapping); with a fitting width, cut at the end with an
    // ellipsis.
    if (fit) {
        pango_layout_set_width(layout, pango_units(*fit > 0 ? *fit : 0.0));
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));

    PangoRectangle logical{};
    pango_layout_get_extents(layout, nullptr, &logical);
    laid.width = pixels(logical.width);  // trailing blanks included, as the overlay measures
    // Pango spaces letters only between them; the overlay's tracking also follows the last one. A trimmed
    // text still ends within its fitting width.
    if (spec.tracking != 0 && !text.empty()) {
        laid.width += font_size * spec.tracking;
        if (fit) laid.width = std::min(laid.width, *fit > 0 ? *fit : 0.0);
    }
    laid.height = pixels(logical.height);
    laid.top = pixels(logical.y);
    return laid;
}

}  // namespace tolmin::cairo

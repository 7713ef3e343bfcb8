#pragma once
// A Frame laid out for one monitor: the placed blocks, the window size and the margins, in physical pixels.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/frame.hpp"
#include "text/text_style.hpp"

namespace tolmin {

// Measures the width in pixels of `text` drawn on one line in `spec` at `scale`; 0 when it cannot.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double measure_text(std::string_view text, const TextSpec& spec, double scale) = 0;
};

struct BlockKind {
    enum class Type : std::uint8_t { Hud, Night, Alert, Toast };
    Type type = Type::Hud;
    std::size_t index = 0;  // the entry's position in the Frame's alerts or toasts (Alert, Toast)

    friend bool operator==(const BlockKind&, const BlockKind&) = default;
};

struct Block {
    BlockKind kind;
    double alpha = 1.0;  // opacity of the whole block
    double slide = 0.0;  // horizontal displacement in pixels, added to x when drawing
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
};

struct Layout {
    std::vector<Block> blocks;  // Hud, Night, alerts, toasts; empty when nothing is shown
    double scale = 1.0;
    double stroke = 1.0;  // max(floor(scale), 1)
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t margin_x = 0;
    std::int32_t margin_y = 0;
    Anchor anchor = Anchor::BottomRight;
};

Layout layout_frame(const Frame& frame, double scale, double now_ms, TextMeasurer& measurer);

}  // namespace tolmin

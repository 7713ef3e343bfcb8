#pragma once
// DirectWrite text layouts for one piece of text in one of the program's text styles, made from text formats
// that are kept for the life of the drawing resources.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <dwrite_3.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.hpp"
#include "paint/canvas.hpp"
#include "text/text_style.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {

using Microsoft::WRL::ComPtr;

// The family and stretch the condensed styles ask for (see condensed_family_in).
struct CondensedFace {
    std::wstring family = to_wide(FAMILY_CONDENSED);
    DWRITE_FONT_STRETCH stretch = DWRITE_FONT_STRETCH_NORMAL;
};

// How many DirectWrite objects were made so far (the benchmark reports them per repaint).
struct TextObjectCounts {
    std::size_t formats = 0;  // text formats, with their ellipsis trimming signs
    std::size_t layouts = 0;
};

// The text formats of the styles in use at one scale: each is made the first time its style is asked for
// and kept until a text is asked for at another scale. Formats carry no tracking, so styles that differ only
// in tracking share one.
class TextFormats {
public:
    TextFormats() = default;
    // `fonts` null: the system collection.
    TextFormats(ComPtr<IDWriteFactory> dwrite, ComPtr<IDWriteFontCollection1> fonts, CondensedFace condensed);

    // One line of `text` (UTF-8) in `spec` at `scale`, never wrapped; with `fit`, cut at a character to that
    // width and ended with an ellipsis. A failing call ends it with that call's error.
    Result<ComPtr<IDWriteTextLayout>> make_layout(std::string_view text, const TextSpec& spec, double scale,
                                                  std::optional<double> fit);

    const TextObjectCounts& counts() const { return counts_; }

private:
    struct Format {
        double size = 0;
        std::uint16_t weight = 0;
        bool mono = false;
        ComPtr<IDWriteTextFormat> format;
        ComPtr<IDWriteInlineObject> ellipsis;  // made the first time a text of this format is trimmed
    };

    Result<Format*> format_for(const TextSpec& spec, double scale);

    ComPtr<IDWriteFactory> dwrite_;
    ComPtr<IDWriteFontCollection1> fonts_;
    CondensedFace condensed_;
    std::wstring mono_family_;
    double scale_ = 0;  // the scale of every format in formats_
    std::vector<Format> formats_;
    TextObjectCounts counts_;
};

// What a TextBox made by the DirectWrite text service holds: the laid-out text to draw.
struct DWriteTextHandle final : TextHandle {
    explicit DWriteTextHandle(ComPtr<IDWriteTextLayout> l) : layout(std::move(l)) {}
    ComPtr<IDWriteTextLayout> layout;
};

}  // namespace tolmin::win

#pragma once
// DirectWrite text layouts for one piece of text in one of the program's text styles.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <dwrite_3.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/result.hpp"
#include "layout/text_style.hpp"
#include "paint/canvas.hpp"
#include "windows/com_ptr.hpp"

namespace tolmin::win {

// The family and stretch the condensed styles ask for (see condensed_family_in).
struct CondensedFace {
    std::wstring family = L"Barlow Condensed";
    DWRITE_FONT_STRETCH stretch = DWRITE_FONT_STRETCH_NORMAL;
};

// One line of `text` (UTF-8) in `spec` at `scale`, never wrapped; with `fit`, cut at a character to that
// width and ended with an ellipsis. `fonts` null: the system collection. Every call makes a new format and
// layout; a failing call ends it with that call's error.
Result<ComPtr<IDWriteTextLayout>> make_text_layout(IDWriteFactory* dwrite, IDWriteFontCollection1* fonts,
                                                   std::string_view text, const TextSpec& spec, double scale,
                                                   std::optional<double> fit,
                                                   const CondensedFace& condensed = CondensedFace{});

// What a TextBox made by the DirectWrite text service holds: the laid-out text to draw.
struct DWriteTextHandle final : TextHandle {
    explicit DWriteTextHandle(ComPtr<IDWriteTextLayout> l) : layout(std::move(l)) {}
    ComPtr<IDWriteTextLayout> layout;
};

}  // namespace tolmin::win

#include "windows/text_layout.hpp"

#include <cstdint>
#include <limits>

#include "text/unicode.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {
namespace {

constexpr float NO_LIMIT = std::numeric_limits<float>::max();  // 3.4028235e38: no bound

const wchar_t* const MONO_FAMILY = L"JetBrains Mono";
const wchar_t* const LOCALE = L"en-us";

// max(fit, 0) as a DirectWrite width: NaN gives 0, anything beyond the float range the largest float.
float fitting_width(double fit) {
    if (!(fit > 0)) return 0.0f;
    if (fit >= static_cast<double>(NO_LIMIT)) return NO_LIMIT;
    return static_cast<float>(fit);
}

Error failed(HRESULT hr) {
    return hresult_error(SUCCEEDED(hr) ? E_POINTER : hr);
}

}  // namespace

Result<ComPtr<IDWriteTextLayout>> make_text_layout(IDWriteFactory* dwrite, IDWriteFontCollection1* fonts,
                                                   std::string_view text, const TextSpec& spec, double scale,
                                                   std::optional<double> fit,
                                                   const CondensedFace& condensed) {
    const double font_size = spec.size * scale;
    const std::wstring wide = to_wide(text);
    const auto length =
        static_cast<UINT32>(clipped_utf16_length(wide.data(), wide.size(), MAX_LAID_OUT_UNITS));

    IDWriteFontCollection* collection = fonts;  // null: the system collection

    const wchar_t* family = spec.mono ? MONO_FAMILY : condensed.family.c_str();
    const DWRITE_FONT_STRETCH stretch = spec.mono ? DWRITE_FONT_STRETCH_NORMAL : condensed.stretch;
    ComPtr<IDWriteTextFormat> format;
    HRESULT hr = dwrite->CreateTextFormat(family, collection, static_cast<DWRITE_FONT_WEIGHT>(spec.weight),
                                          DWRITE_FONT_STYLE_NORMAL, stretch, static_cast<FLOAT>(font_size),
                                          LOCALE, format.put());
    if (FAILED(hr) || !format) return failed(hr);
    hr = format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    if (FAILED(hr)) return failed(hr);
    hr = format->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
    if (FAILED(hr)) return failed(hr);

    if (fit) {
        ComPtr<IDWriteInlineObject> ellipsis;
        hr = dwrite->CreateEllipsisTrimmingSign(format.get(), ellipsis.put());
        if (FAILED(hr) || !ellipsis) return failed(hr);
        const DWRITE_TRIMMING trimming{DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
        hr = format->SetTrimming(&trimming, ellipsis.get());
        if (FAILED(hr)) return failed(hr);
    }

    const float max_width = fit ? fitting_width(*fit) : NO_LIMIT;
    ComPtr<IDWriteTextLayout> layout;
    hr = dwrite->CreateTextLayout(wide.c_str(), length, format.get(), max_width, NO_LIMIT, layout.put());
    if (FAILED(hr) || !layout) return failed(hr);

    if (spec.tracking != 0) {
        const ComPtr<IDWriteTextLayout1> spaced = layout.as<IDWriteTextLayout1>(&hr);
        if (!spaced) return failed(hr);
        const DWRITE_TEXT_RANGE whole{0, length};
        hr = spaced->SetCharacterSpacing(0.0f, static_cast<FLOAT>(font_size * spec.tracking), 0.0f, whole);
        if (FAILED(hr)) return failed(hr);
    }
    return layout;
}

}  // namespace tolmin::win

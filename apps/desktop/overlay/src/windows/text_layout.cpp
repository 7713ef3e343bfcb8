#include "windows/text_layout.hpp"

#include <cstdint>
#include <limits>

#include "text/unicode.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {
namespace {

constexpr float NO_LIMIT = std::numeric_limits<float>::max();  // 3.4028235e38: no bound

const wchar_t* const LOCALE = L"en-us";

// max(fit, 0) as a DirectWrite width: NaN gives 0, anything beyond the float range the largest float.
float fitting_width(double fit) {
    if (!(fit > 0)) return 0.0f;
    if (fit >= static_cast<double>(NO_LIMIT)) return NO_LIMIT;
    return static_cast<float>(fit);
}

}  // namespace

TextFormats::TextFormats(ComPtr<IDWriteFactory> dwrite, ComPtr<IDWriteFontCollection1> fonts,
                         CondensedFace condensed)
    : dwrite_(std::move(dwrite)),
      fonts_(std::move(fonts)),
      condensed_(std::move(condensed)),
      mono_family_(to_wide(FAMILY_MONO)) {}

Result<TextFormats::Format*> TextFormats::format_for(const TextSpec& spec, double scale) {
    if (scale != scale_) {
        formats_.clear();
        scale_ = scale;
    }
    for (Format& kept : formats_) {
        if (kept.size == spec.size && kept.weight == spec.weight && kept.mono == spec.mono) return &kept;
    }

    const wchar_t* family = spec.mono ? mono_family_.c_str() : condensed_.family.c_str();
    const DWRITE_FONT_STRETCH stretch = spec.mono ? DWRITE_FONT_STRETCH_NORMAL : condensed_.stretch;
    ComPtr<IDWriteTextFormat> format;
    // null: the system collection
    HRESULT hr = dwrite_->CreateTextFormat(family, fonts_.Get(), static_cast<DWRITE_FONT_WEIGHT>(spec.weight),
                                           DWRITE_FONT_STYLE_NORMAL, stretch,
                                           static_cast<FLOAT>(spec.size * scale), LOCALE, &format);
    if (FAILED(hr) || !format) return creation_error(hr);
    ++counts_.formats;
    hr = format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    if (FAILED(hr)) return hresult_error(hr);
    hr = format->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
    if (FAILED(hr)) return hresult_error(hr);
    formats_.push_back(Format{spec.size, spec.weight, spec.mono, std::move(format), nullptr});
    return &formats_.back();
}

Result<ComPtr<IDWriteTextLayout>> TextFormats::make_layout(std::string_view text, const TextSpec& spec,
                                                           double scale, std::optional<double> fit) {
    Result<Format*> found = format_for(spec, scale);
    if (!found) return found.error();
    Format& format = *found.value();

    const double font_size = spec.size * scale;
    const std::wstring wide = to_wide(text);
    const auto length =
        static_cast<UINT32>(clipped_utf16_length(wide.data(), wide.size(), MAX_LAID_OUT_UNITS));
    const float max_width = fit ? fitting_width(*fit) : NO_LIMIT;
    ComPtr<IDWriteTextLayout> layout;
    HRESULT hr =
        dwrite_->CreateTextLayout(wide.c_str(), length, format.format.Get(), max_width, NO_LIMIT, &layout);
    if (FAILED(hr) || !layout) return creation_error(hr);
    ++counts_.layouts;

    if (fit) {
        if (!format.ellipsis) {
            hr = dwrite_->CreateEllipsisTrimmingSign(format.format.Get(), &format.ellipsis);
            if (FAILED(hr) || !format.ellipsis) return creation_error(hr);
            ++counts_.formats;
        }
        const DWRITE_TRIMMING trimming{DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
        hr = layout->SetTrimming(&trimming, format.ellipsis.Get());
        if (FAILED(hr)) return hresult_error(hr);
    }

    if (spec.tracking != 0) {
        ComPtr<IDWriteTextLayout1> spaced;
        hr = layout.As(&spaced);
        if (FAILED(hr) || !spaced) return creation_error(hr);
        const DWRITE_TEXT_RANGE whole{0, length};
        hr = spaced->SetCharacterSpacing(0.0f, static_cast<FLOAT>(font_size * spec.tracking), 0.0f, whole);
        if (FAILED(hr)) return hresult_error(hr);
    }
    return layout;
}

}  // namespace tolmin::win

#include "text/text_style.hpp"

#include <array>
#include <utility>

namespace tolmin {

std::string_view style_name(const TextSpec& spec) {
    static constexpr std::array<std::pair<std::string_view, TextSpec>, 14> styles{{
        {"HUD_STATE", HUD_STATE},
        {"HUD_ELAPSED", HUD_ELAPSED},
        {"HUD_PRESENCE", HUD_PRESENCE},
        {"NIGHT_TITLE", NIGHT_TITLE},
        {"NIGHT_TAG", NIGHT_TAG},
        {"ALERT_TITLE", ALERT_TITLE},
        {"ALERT_DETAIL", ALERT_DETAIL},
        {"TOAST_TITLE", TOAST_TITLE},
        {"CALLER_TITLE", CALLER_TITLE},
        {"TOAST_COUNT", TOAST_COUNT},
        {"TOAST_TIME", TOAST_TIME},
        {"TOAST_TIME_ALONE", TOAST_TIME_ALONE},
        {"TOAST_DETAIL", TOAST_DETAIL},
        {"TOAST_INDEX", TOAST_INDEX},
    }};
    for (const auto& [name, style] : styles) {
        if (style == spec) return name;
    }
    return {};
}

}  // namespace tolmin

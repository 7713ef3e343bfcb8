#pragma once
// The enumerations of the render model from their JSON names (the inverse of anchor_name and
// toast_kind_name).

#include <optional>
#include <string_view>

#include "model/frame.hpp"

namespace tolmin {

// The corner with this exact name, or none.
std::optional<Anchor> anchor_from_name(std::string_view name);
// "marker", "caller" and "same" name their kinds; every other name is Unrecognized.
ToastKind toast_kind_from_name(std::string_view name);

}  // namespace tolmin

#include "model/enum_names.hpp"

namespace tolmin {

namespace {

template <class E>
const char* name_of(E value, const char* other) {
    for (const auto& [text, named] : EnumNames<E>::NAMES) {
        if (named == value) return text.data();
    }
    return other;
}

}  // namespace

const char* anchor_name(Anchor anchor) {
    return name_of(anchor, "bottom-right");
}

const char* toast_kind_name(ToastKind kind) {
    return name_of(kind, EnumNames<ToastKind>::OTHER_NAME.data());
}

}  // namespace tolmin

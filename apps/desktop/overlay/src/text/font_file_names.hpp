#pragma once
// Which entries of the font directory are offered as font files, and in which order.

#include <string_view>

namespace tolmin {

// True when the file name's extension is "ttf" in any ASCII case. The extension is the part after the last
// dot; a name whose only dot is its first character (".ttf") has none. Names are UTF-16, as the system lists
// them.
bool is_font_file_name(std::u16string_view name);

// The order fonts are added in: the names' Unicode scalar values compared one by one, which is the byte order
// of their UTF-8 forms (case-sensitive: "Z.ttf" before "a.ttf"; a character beyond U+FFFF after every
// character of the Basic Multilingual Plane). An unpaired surrogate compares as its own code unit value.
bool font_name_less(std::u16string_view a, std::u16string_view b);

}  // namespace tolmin

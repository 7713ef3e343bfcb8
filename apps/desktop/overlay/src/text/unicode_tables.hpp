#pragma once
// Character properties used to quote arguments in messages; the tables are generated from the Unicode
// Character Database by tools/gen/gen_unicode_tables.py.

namespace tolmin {

// False for the general categories Cc, Cf, Cs, Co, Cn (unassigned), Zl, Zp and Zs, except U+0020 SPACE.
bool is_printable(char32_t code_point);
// The Grapheme_Extend property (combining marks and the like).
bool is_grapheme_extend(char32_t code_point);

}  // namespace tolmin

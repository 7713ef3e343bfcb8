#pragma once
// The JSON reader's error, turned into this program's description of the fault and the offset of the
// offending byte. Where the reader's code alone is ambiguous (an end of text, an unexpected byte inside a
// literal, a comma before a closing bracket) the bytes around the offset decide.

#include <rapidjson/error/error.h>

#include <cstddef>
#include <string_view>

#include "model/fault.hpp"

namespace tolmin {

// `text` is the line as given to the reader; `offset` is where the reader stopped with `code`.
Fault syntax_fault(rapidjson::ParseErrorCode code, std::size_t offset, std::string_view text);

}  // namespace tolmin

#pragma once
// RapidJSON's reader and writer. Include them through this header only: RapidJSON 1.1.0's internal stack
// compares `nullptr + n` with its end before its first allocation (fixed upstream after that release); the
// pointer is never used. Clang's UndefinedBehaviorSanitizer stops there, so RapidJSON's functions are built
// without that one check.

#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wpragma-clang-attribute"
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/reader.h>
#include <rapidjson/stream.h>
#include <rapidjson/writer.h>
#if defined(__clang__)
#pragma clang attribute pop
#pragma clang diagnostic pop
#endif

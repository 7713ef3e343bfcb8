#pragma once
// A Frame as JSON, every field in declaration order with the defaults filled in: enumerations by their JSON
// names, none as null, a count as the string or number it was. Each toast also carries its derived
// "count_label" (null without a count) and "has_detail".

#include "frame/report_writer.hpp"
#include "model/frame.hpp"

namespace tolmin {

void write_frame(JsonWriter& json, const Frame& frame);

}  // namespace tolmin

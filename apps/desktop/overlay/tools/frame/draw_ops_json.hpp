#pragma once
// The operations a RecordingCanvas recorded, as a JSON array of objects named by "op": begin {width,height},
// set_transform {dx,dy}, push_layer {opacity}, pop_layer, fill_rect {rect:[l,t,r,b],rgba}, fill_ellipse
// {center:[x,y],radius:[rx,ry],rgba}, draw_text {text,style,fit,origin:[x,y],rgba}, present
// {x,y,width,height}. rgba is [r,g,b,alpha] with the channels as the colour holds them (a byte / 255).

#include <vector>

#include "frame/report_writer.hpp"
#include "paint/recording_canvas.hpp"

namespace tolmin {

void write_draw_op(JsonWriter& json, const DrawOp& op);
void write_draw_ops(JsonWriter& json, const std::vector<DrawOp>& ops);

}  // namespace tolmin

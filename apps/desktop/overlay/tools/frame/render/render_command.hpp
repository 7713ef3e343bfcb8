#pragma once
// tolmin-frame render: each frame drawn by the overlay's painter with Cairo and Pango into a PNG file.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "frame/arguments.hpp"
#include "frame/frame_check.hpp"
#include "layout/monitor.hpp"

namespace tolmin::frame_tool {

// Loads the --fonts faces (their problems and, without both faces, the overlay's faces warning go to
// `report`), checks that --out can be written and makes the renderer. The error is the one message of a run
// that cannot start.
Result<std::unique_ptr<FrameRenderer>> make_renderer(const RenderSettings& settings,
                                                     const std::vector<Monitor>& monitors,
                                                     const std::function<void(std::string_view)>& report);

}  // namespace tolmin::frame_tool

#include "frame/render/render_command.hpp"

#include <cstdio>
#include <string>

#include "cairo/cairo_canvas.hpp"
#include "cairo/font_files.hpp"
#include "cairo/pango_text.hpp"
#include "cairo/png_picture.hpp"
#include "frame/line_reports.hpp"
#include "frame/render/picture_file.hpp"
#include "layout/frame_plan.hpp"
#include "paint/damage.hpp"
#include "paint/painter.hpp"
#include "text/rapidjson_writer.hpp"
#include "text/unicode.hpp"

namespace tolmin::frame_tool {
namespace {

constexpr std::string_view FACES_WARNING = "the overlay's own faces did not load; text will fall back";

std::string printable(const std::filesystem::path& path) {
    return repair_utf8(path.native());
}

std::filesystem::path picture_path(const std::filesystem::path& directory, std::size_t line) {
    char name[32];
    std::snprintf(name, sizeof name, "%04zu.png", line);
    return directory == "." ? std::filesystem::path(name) : directory / name;  // the default: the bare name
}

// {"line":N,"file":PATH,"window":{"x","y","width","height"}}, or with both null for a hidden overlay.
std::string file_report(std::size_t line, const std::string* file, const Placement* window,
                        const Layout& layout) {
    std::string text;
    JsonStringOutput output{&text};
    CompactJsonWriter json(output);
    json.StartObject();
    json.Key("line");
    json.Uint64(line);
    json.Key("file");
    if (file != nullptr) {
        write_json_string(json, *file);
    } else {
        json.Null();
    }
    json.Key("window");
    if (window != nullptr) {
        json.StartObject();
        json.Key("x");
        json.Int(window->x);
        json.Key("y");
        json.Int(window->y);
        json.Key("width");
        json.Int(layout.width);
        json.Key("height");
        json.Int(layout.height);
        json.EndObject();
    } else {
        json.Null();
    }
    json.EndObject();
    return text;
}

class PngRenderer final : public FrameRenderer {
public:
    PngRenderer(const RenderSettings& settings, const std::vector<Monitor>& monitors)
        : settings_(settings), monitors_(monitors) {}

    Result<RenderedLine> render(std::size_t line, const Frame& frame, double now_ms) override {
        const FramePlan plan = plan_frame(frame, monitors_, now_ms, text_);
        if (!plan.window) {
            shown_.reset();
            return RenderedLine{file_report(line, nullptr, nullptr, plan.layout)};
        }
        // As the overlay paints: only what changed since the last picture, over what that picture left.
        ShownPicture next = shown_picture(frame, plan.layout, monitors_[*plan.monitor], *plan.window);
        const Damage damage = damage_between(shown_, next);
        shown_.reset();
        const Result<void> painted =
            paint_frame(canvas_, text_, plan.window->x, plan.window->y, frame, plan.layout, damage);
        if (!painted)
            return RenderedLine{error_report(line, "cannot draw this frame: " + painted.error().text), true};
        shown_ = std::move(next);

        const cairo::SurfacePtr picture = canvas_.picture();
        Result<std::string> png = cairo::encode_png(picture.get(), settings_.backdrop);
        if (!png)
            return RenderedLine{error_report(line, "cannot draw this frame: " + png.error().text), true};
        const std::filesystem::path path = picture_path(settings_.out, line);
        if (Result<void> written = write_whole_file(path, png.value()); !written) {
            return Error{"cannot write " + printable(path) + ": " + written.error().text};
        }
        const std::string file = printable(path);
        return RenderedLine{file_report(line, &file, &*plan.window, plan.layout)};
    }

private:
    RenderSettings settings_;
    std::vector<Monitor> monitors_;
    cairo::PangoTextService text_;
    cairo::CairoCanvas canvas_;
    std::optional<ShownPicture> shown_;  // what canvas_ holds
};

}  // namespace

Result<std::unique_ptr<FrameRenderer>> make_renderer(const RenderSettings& settings,
                                                     const std::vector<Monitor>& monitors,
                                                     const std::function<void(std::string_view)>& report) {
    if (Result<void> writable = check_writable(settings.out); !writable) {
        return Error{"cannot write to " + printable(settings.out) + ": " + writable.error().text};
    }
    // The faces must be known to fontconfig before Pango lays out the first text.
    cairo::load_font_directory(settings.fonts, report);
    if (!cairo::faces_present()) report(FACES_WARNING);
    return std::unique_ptr<FrameRenderer>(std::make_unique<PngRenderer>(settings, monitors));
}

}  // namespace tolmin::frame_tool

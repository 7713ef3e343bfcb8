#pragma once
// The long-lived drawing resources: the DirectWrite factory, the DC render target, the optional private font
// collection and the bitmap surface; and the text services and drawing interface built on them.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <d2d1.h>
#include <dwrite_3.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "common/result.hpp"
#include "io/output.hpp"
#include "paint/canvas.hpp"
#include "windows/com_ptr.hpp"
#include "windows/surface.hpp"
#include "windows/text_layout.hpp"

namespace tolmin::win {

struct Graphics {
    std::optional<Surface> surface;  // made, grown and released by the surface functions
    ComPtr<IDWriteFactory> dwrite;
    ComPtr<ID2D1DCRenderTarget> target;
    ComPtr<IDWriteFontCollection1> fonts;  // null when no directory was given or loading failed
    // The family the condensed styles ask for: "Barlow Condensed", or "Barlow" with condensed stretch where
    // DirectWrite files the faces so (see condensed_family_in).
    CondensedFace condensed;

    Graphics() = default;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();  // releases the surface after the interfaces
};

// Factories, font directory (reports its own problems on `err`), render target. Any failure is returned.
Result<std::unique_ptr<Graphics>> create_graphics(const std::optional<std::filesystem::path>& fonts,
                                                  Output& err);

// The text service over DirectWrite (measure_text and text_box) for one layout or one paint.
class DWriteTextService final : public TextService {
public:
    explicit DWriteTextService(const Graphics& graphics);
    // The text's width in pixels; 0 when it cannot be laid out.
    double measure_text(std::string_view text, const TextSpec& spec, double scale) override;
    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override;

private:
    ComPtr<IDWriteFactory> dwrite_;
    ComPtr<IDWriteFontCollection1> fonts_;
    CondensedFace condensed_;
};

// The drawing interface over the bound DC render target and the window's layered surface.
class D2DCanvas final : public Canvas {
public:
    D2DCanvas(Graphics& graphics, HWND window);
    Result<void> begin_surface(std::int32_t width, std::int32_t height) override;
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height) override;
    void set_transform(double dx, double dy) override;
    void push_layer(double opacity) override;
    void pop_layer() override;
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override;
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override;
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override;

private:
    Graphics& graphics_;
    HWND window_;
};

}  // namespace tolmin::win

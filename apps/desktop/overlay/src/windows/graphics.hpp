#pragma once
// The long-lived drawing resources: the DirectWrite factory, the DC render target, the optional private font
// collection, the text formats made from them and the bitmap surface.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <d2d1.h>
#include <dwrite_3.h>
#include <wrl/client.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "base/output.hpp"
#include "base/result.hpp"
#include "windows/surface.hpp"
#include "windows/text_layout.hpp"

namespace tolmin::win {

using Microsoft::WRL::ComPtr;

// How a drawing is closed: the render target's EndDraw (tests put a failing one in its place).
using EndDraw = HRESULT (*)(ID2D1RenderTarget* target);
HRESULT end_draw_of_target(ID2D1RenderTarget* target);

struct Graphics {
    std::optional<Surface> surface;  // made, grown and released by the surface functions
    ComPtr<IDWriteFactory> dwrite;
    ComPtr<ID2D1DCRenderTarget> target;
    ComPtr<IDWriteFontCollection1> fonts;  // null when no directory was given or loading failed
    // The family the condensed styles ask for: "Barlow Condensed", or "Barlow" with condensed stretch where
    // DirectWrite files the faces so (see condensed_family_in).
    CondensedFace condensed;
    // Made from the factory and the collection, which stay for the life of Graphics; they do not depend on
    // the render target, so they outlive a lost device.
    TextFormats text;
    EndDraw end_draw = end_draw_of_target;
    // EndDraw said the device behind the render target is gone: the next drawing makes a new render target.
    bool target_lost = false;

    Graphics() = default;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();  // releases the surface after the interfaces
};

// Factories, font directory (reports its own problems on `err`), render target. Any failure is returned.
Result<std::unique_ptr<Graphics>> create_graphics(const std::optional<std::filesystem::path>& fonts,
                                                  Output& err);

// A new render target in place of a lost one (and whatever was made from it, which its owners drop). On
// failure the lost one stays, so the next drawing tries again.
Result<void> remake_render_target(Graphics& graphics);

}  // namespace tolmin::win

#pragma once
// The size of the bitmap a picture is drawn into. The bitmap only grows: it stays at least as large as the
// largest picture drawn so far in each direction, and only the top-left part of the current size is shown.

#include <cstdint>
#include <optional>

namespace tolmin {

struct SurfaceSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const SurfaceSize&, const SurfaceSize&) = default;
};

// The size of the bitmap to make for a picture of width x height, given the current bitmap (none before the
// first paint); nothing when the current bitmap already holds the picture. Each side of a new bitmap is at
// least 1.
std::optional<SurfaceSize> grown_surface_size(const std::optional<SurfaceSize>& current, std::int32_t width,
                                              std::int32_t height);

}  // namespace tolmin

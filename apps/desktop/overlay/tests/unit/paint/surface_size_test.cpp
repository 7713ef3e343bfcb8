#include "paint/surface_size.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace tolmin {
namespace {

struct Paint {
    std::int32_t width, height;
    std::optional<SurfaceSize> made;  // nothing: the bitmap in place is reused
};

// Runs a sequence of paints through the rule, the bitmap growing as a real surface would.
void run_paints(const std::vector<Paint>& paints) {
    std::optional<SurfaceSize> current;
    for (std::size_t i = 0; i < paints.size(); ++i) {
        const Paint& p = paints[i];
        SCOPED_TRACE(::testing::Message() << "paint " << i << ": " << p.width << " x " << p.height);
        const std::optional<SurfaceSize> made = grown_surface_size(current, p.width, p.height);
        ASSERT_EQ(made.has_value(), p.made.has_value());
        if (made) {
            EXPECT_EQ(made->width, p.made->width);
            EXPECT_EQ(made->height, p.made->height);
            current = made;
        }
        // Whatever happened, the bitmap in place holds the picture of this paint (its sides are at least 1).
        EXPECT_GE(current->width, p.width);
        EXPECT_GE(current->height, p.height);
    }
}

TEST(GrownSurfaceSize, GrowsInEachDirectionAndNeverShrinks) {
    run_paints({
        {468, 112, SurfaceSize{468, 112}},
        {300, 200, SurfaceSize{468, 200}},
        {100, 50, std::nullopt},
        {468, 200, std::nullopt},
        {469, 10, SurfaceSize{469, 200}},
    });
}

TEST(GrownSurfaceSize, EmptyOrNegativeSidesGiveOnePixel) {
    run_paints({{0, 0, SurfaceSize{1, 1}}, {0, 0, std::nullopt}, {-5, 3, SurfaceSize{1, 3}}});
    run_paints({{-7, -7, SurfaceSize{1, 1}}});
    run_paints({{std::numeric_limits<std::int32_t>::min(), 20, SurfaceSize{1, 20}}});
}

TEST(GrownSurfaceSize, KeepsTheLargerSideOfTheOldBitmapWhenOnlyOneGrows) {
    const std::optional<SurfaceSize> wide = SurfaceSize{800, 40};
    EXPECT_EQ(grown_surface_size(wide, 10, 41), (SurfaceSize{800, 41}));
    EXPECT_EQ(grown_surface_size(wide, 801, 1), (SurfaceSize{801, 40}));
    EXPECT_EQ(grown_surface_size(wide, 800, 40), std::nullopt);
}

}  // namespace
}  // namespace tolmin

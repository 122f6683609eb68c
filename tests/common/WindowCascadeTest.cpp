#include <gtest/gtest.h>

#include "WindowCascade.h"

namespace {

using common::WindowRect;

// The viewer (716 x 684 at 51, 20), the spectrum window (540 x 692), the filter window
// (1340 x 644) and the NPS window (820 x 700), on screens of common sizes.
TEST(WindowCascade, EveryTitleBarStaysReachable)
{
    const WindowRect viewer{51, 20, 716, 684};
    const std::vector<WindowRect> others{{0, 0, 540, 692}, {0, 0, 1340, 644}, {0, 0, 820, 700}};
    const struct {
        const char* what;
        WindowRect screen;
        std::vector<WindowRect> expected;
    } cases[] = {
        {"1366 x 768 laptop", {0, 0, 1366, 768},
         {{51, 20, 716, 684}, {775, 20, 540, 692}, {26, 52, 1340, 644}, {58, 84, 820, 700}}},
        {"1920 x 1080 with a panel on top", {0, 28, 1920, 1052},
         {{51, 28, 716, 684}, {775, 28, 540, 692}, {580, 60, 1340, 644}, {612, 92, 820, 700}}},
        {"1024 x 600 netbook", {0, 0, 1024, 600},
         {{51, 0, 716, 684}, {83, 32, 540, 692}, {0, 64, 1340, 644}, {32, 96, 820, 700}}},
    };
    for (const auto& c : cases) {
        const std::vector<WindowRect> placed = common::CascadeWindows(c.screen, viewer, others);
        EXPECT_EQ(placed, c.expected) << c.what;
        // No window's top edge (its title bar) lies within 32 pixels below another's, and every
        // window starts inside the screen.
        for (std::size_t i = 0; i < placed.size(); ++i) {
            EXPECT_GE(placed[i].x, c.screen.x) << c.what << " " << i;
            EXPECT_GE(placed[i].y, c.screen.y) << c.what << " " << i;
            for (std::size_t j = 0; j < i; ++j)
                if (placed[i].x < placed[j].x + placed[j].width && placed[j].x < placed[i].x + placed[i].width)
                    EXPECT_GE(std::abs(placed[i].y - placed[j].y), 32) << c.what << " " << i << " over " << j;
        }
    }
}

} // namespace

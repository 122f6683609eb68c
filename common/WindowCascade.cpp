#include "WindowCascade.h"

#include <algorithm>

namespace common {

namespace {

// Moves `r` back inside `screen` as far as it can, its top-left corner first.
WindowRect Inside(WindowRect r, const WindowRect& screen)
{
    r.x = std::max(screen.x, std::min(r.x, screen.x + screen.width - r.width));
    r.y = std::max(screen.y, std::min(r.y, screen.y + screen.height - r.height));
    return r;
}

} // namespace

std::vector<WindowRect> CascadeWindows(const WindowRect& screen, const WindowRect& first,
                                       const std::vector<WindowRect>& others, int step)
{
    std::vector<WindowRect> placed{Inside(first, screen)};
    for (std::size_t i = 0; i < others.size(); ++i) {
        const WindowRect& last = placed.back();
        WindowRect next{last.x + last.width + 8, last.y, others[i].width, others[i].height};
        if (next.x + next.width > screen.x + screen.width || next.y + next.height > screen.y + screen.height) {
            // No room beside: one step lower than every window so far, so each title bar stays free.
            const int lowest = std::max_element(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
                                   return a.y < b.y;
                               })->y;
            next = Inside({last.x + step, lowest + step, others[i].width, others[i].height}, screen);
            next.y = std::max(next.y, std::min(lowest + step, screen.y + screen.height - step));
        }
        placed.push_back(next);
    }
    return placed;
}

} // namespace common

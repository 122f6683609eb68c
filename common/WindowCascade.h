#pragma once
// Where the program's windows go on a screen of any size. The viewer keeps its place when it fits;
// each further window goes beside the one before when the screen has room for it there, and
// otherwise one step lower and to the right, pulled back inside the screen. On a small screen
// (1366 x 768) the windows then overlap, but no window's title bar lies under another's: each one
// can still be clicked to the front and dragged.
#include <vector>

namespace common {

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// Title bars the window manager adds are not part of the sizes; `step` leaves room for one.
std::vector<WindowRect> CascadeWindows(const WindowRect& screen, const WindowRect& first,
                                       const std::vector<WindowRect>& others, int step = 32);

} // namespace common

#pragma once
// How the viewer opens the NPS window without a control of its own: a keyboard shortcut on the
// viewer, and a tool tip on its calculation panel that names it.
#include "ViewerSource.h"

namespace nps {

class NpsWindow;

inline constexpr const char* kNpsShortcut = "Ctrl+Shift+N";

void InstallNpsLauncher(links::ViewerSource& viewer, NpsWindow& window);

} // namespace nps

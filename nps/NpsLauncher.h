#pragma once
// How the viewer opens the NPS window without a control of its own: a keyboard shortcut on the
// viewer, and a tool tip on its calculation panel that names it.
class TForm1;

namespace nps {

class NpsWindow;

inline constexpr const char* kNpsShortcut = "Ctrl+Shift+N";

void InstallNpsLauncher(TForm1& viewer, NpsWindow& window);

} // namespace nps

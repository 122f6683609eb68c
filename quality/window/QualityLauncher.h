#pragma once
// How the viewer opens the MTF and DQE window without a control of its own: a keyboard shortcut
// on the viewer, named in the tool tip of its calculation panel beside the NPS window's.
class TForm1;

namespace quality {

class QualityWindow;

inline constexpr const char* kQualityShortcut = "Ctrl+Shift+M";

void InstallQualityLauncher(TForm1& viewer, QualityWindow& window);

} // namespace quality

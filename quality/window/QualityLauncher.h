#pragma once
// How the viewer opens the MTF and DQE window without a control of its own: a keyboard shortcut
// on the viewer, named in the tool tip of its calculation panel beside the NPS window's.
#include "ViewerSource.h"

namespace quality {

class QualityWindow;

inline constexpr const char* kQualityShortcut = "Ctrl+Shift+M";

void InstallQualityLauncher(links::ViewerSource& viewer, QualityWindow& window);

} // namespace quality

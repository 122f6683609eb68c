#pragma once
// The DICOM header grid as clipboard text: the title row, then every row whose group is even and
// below F000, columns 0 to 6 joined by TAB, each line ended by CR LF. Private (odd) groups and the
// item and delimiter elements (FFFE) are left out.
#include <array>
#include <string>
#include <vector>

namespace viewer {

// rows[0] is the title row; every row holds at least the seven columns copied.
std::string HeaderClipboardText(const std::vector<std::array<std::string, 7>>& rows);

} // namespace viewer

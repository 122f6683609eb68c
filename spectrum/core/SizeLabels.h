#pragma once
// The physical-size captions under the two pictures: the ROI height in mm and the Nyquist
// frequency in cycles/mm.
#include <string>

namespace spectrum {

// Text of m * d followed by "(mm)".
std::string HeightLabel(int m, double d);

// f = m * (1 / (m d)) / 2, its text cut (not rounded) to four characters, then "(cycles/mm)".
// A spacing of 0 fails as a division by zero.
std::string NyquistLabel(int m, double d);

} // namespace spectrum

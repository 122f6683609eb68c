#pragma once
// The pixel spacing every physical unit of the analysis windows is made from (the ROI's size in
// mm, the frequencies in cycles/mm, the spectrum's scale). A spacing of 0 or below has no
// meaning there: it would give negative sizes and frequencies or divide by zero.
namespace spectrum {

// Returns `mm` when it is a finite number above 0; otherwise raises InputError with a message
// that names the value and where to change it.
double CheckPixelSpacing(double mm);

} // namespace spectrum

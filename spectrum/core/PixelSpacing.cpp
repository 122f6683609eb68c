#include "PixelSpacing.h"

#include <cmath>

#include "Errors.h"
#include "NumberText.h"

namespace spectrum {

double CheckPixelSpacing(double mm)
{
    if (!(mm > 0) || !std::isfinite(mm))
        throw common::InputError("The pixel spacing must be above 0 mm; it is " + common::FloatToStr(mm) +
                                 ". Enter the spacing in the viewer's \"Pixel\" edit.");
    return mm;
}

} // namespace spectrum

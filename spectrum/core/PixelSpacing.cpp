#include "PixelSpacing.h"

#include <cmath>

#include "Errors.h"
#include "NumberText.h"

namespace spectrum {

double CheckPixelSpacing(double mm)
{
    if (!(mm > 0) || !std::isfinite(mm))
        throw common::InputError(common::TrText("spectrum", "The pixel spacing must be above 0 mm; it is %1. Enter "
                                                            "the spacing in the viewer's \"Pixel\" edit.")
                                     .Arg(common::FloatToStr(mm)));
    return mm;
}

} // namespace spectrum

#include "SizeLabels.h"

#include "Errors.h"
#include "NumberText.h"

namespace spectrum {

std::string HeightLabel(int m, double d) { return common::FloatToStr(m * d) + "(mm)"; }

std::string NyquistLabel(int m, double d)
{
    const double f = m * common::CheckedDivide(1.0, m * d) / 2;
    return common::FloatToStr(f).substr(0, 4) + "(cycles/mm)";
}

} // namespace spectrum

#pragma once
// Reals as the user reads them: at most 15 significant digits, no trailing zeros, "." as
// separator; exponent form ("1.5E-5", "1E15") below 0.0001 and from 10^15 up.
#include <string>

namespace common {

std::string FloatToStr(double value);

// A single-precision value is shown through its exact double value (0.1f -> 0.100000001490116).
inline std::string SingleToStr(float value) { return FloatToStr(static_cast<double>(value)); }

// `value` with `decimals` digits after the point ("14.04"), and with `digits` significant digits in
// the shorter of plain and exponent form ("0.0125", "1.5e-05"): the numbers of messages and summaries.
std::string FixedText(double value, int decimals);
std::string SignificantText(double value, int digits);

} // namespace common

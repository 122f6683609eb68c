#include "PlotScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace nps {

AxisScale LinearScale(double lo, double hi, int wanted)
{
    if (!(hi > lo)) {
        // A flat curve still gets an axis around its value.
        const double half = lo == 0.0 ? 1.0 : std::abs(lo) * 0.5;
        lo -= half;
        hi += half;
    }
    // The 1-2-5 step nearest the even split, so that the ends lie close to the values.
    const double raw = (hi - lo) / std::max(1, wanted - 1);
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / decade;
    const double e = 1.0 - 1e-9;  // 0.3 / 0.1 is 2.9999999999999996
    const double step = (f < 1.5 * e ? 1.0 : f < 3.0 * e ? 2.0 : f < 7.0 * e ? 5.0 : 10.0) * decade;
    AxisScale s;
    s.step = step;
    const long long first = static_cast<long long>(std::floor(lo / step + 1e-9));
    const long long last = static_cast<long long>(std::ceil(hi / step - 1e-9));
    s.min = static_cast<double>(first) * step;
    s.max = static_cast<double>(last) * step;
    for (long long k = first; k <= last; ++k)
        s.ticks.push_back(static_cast<double>(k) * step);
    return s;
}

AxisScale DecadeScale(double lo, double hi, int wantedLabels)
{
    AxisScale s;
    s.logarithmic = true;
    int first = static_cast<int>(std::floor(std::log10(lo) + 1e-9));
    int last = static_cast<int>(std::ceil(std::log10(hi) - 1e-9));
    if (last <= first)
        last = first + 1;
    const int every = std::max(1, (last - first + wantedLabels - 1) / wantedLabels);
    s.step = every;
    s.min = std::pow(10.0, first);
    s.max = std::pow(10.0, last);
    // Over one or two decades the decades alone say too little: 2 and 5 x 10^k are labelled too.
    const bool fewDecades = last - first <= 2;
    for (int k = first; k <= last; ++k) {
        if ((k - first) % every == 0)
            s.ticks.push_back(std::pow(10.0, k));
        if (k < last && every == 1)
            for (int m = 2; m <= 9; ++m)
                (fewDecades && (m == 2 || m == 5) ? s.ticks : s.minorTicks).push_back(m * std::pow(10.0, k));
    }
    std::sort(s.ticks.begin(), s.ticks.end());
    return s;
}

std::string TickText(double value, double step)
{
    if (value == 0.0)
        return "0";
    const double magnitude = std::abs(value);
    char text[32];
    std::to_chars_result end;
    if (magnitude >= 1e5 || magnitude < 1e-3) {
        // Three significant digits are enough for any tick of a 1-2-5 step or a decade.
        end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 2);
        std::string t(text, end.ptr);
        // "1.00e-05" -> "1e-05", "2.50e+06" -> "2.5e+06"
        const std::size_t e = t.find('e');
        std::string mantissa = t.substr(0, e);
        while (mantissa.find('.') != std::string::npos && (mantissa.back() == '0' || mantissa.back() == '.'))
            mantissa.pop_back();
        return mantissa + t.substr(e);
    }
    // Enough decimals for the step, no more.
    const int decimals = step > 0.0 ? std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9))) : 6;
    end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, std::min(decimals + 1, 12));
    std::string t(text, end.ptr);
    if (t.find('.') != std::string::npos) {
        while (t.back() == '0')
            t.pop_back();
        if (t.back() == '.')
            t.pop_back();
    }
    return t == "-0" ? "0" : t;
}

} // namespace nps

#include "SpectrumProfile.h"

#include <cmath>
#include <numbers>

#include "Errors.h"
#include "NumberText.h"
#include "Rounding.h"

namespace spectrum {

SpectrumProfile SampleProfile(const SquareMatrix& map, int n, double degrees)
{
    const int h = n / 2;
    const float theta = static_cast<float>(degrees / 180 * std::numbers::pi);
    float a = static_cast<float>(std::tan(static_cast<double>(theta)) * h);
    float b = static_cast<float>(h);
    if (std::abs(a) > h) {
        b = static_cast<float>(std::tan(std::numbers::pi / 2 - theta) * h);
        a = static_cast<float>(h);
    }
    SpectrumProfile p;
    p.L = static_cast<float>(std::sqrt(static_cast<double>(b) * b + static_cast<double>(a) * a));
    const int c = static_cast<int>(p.L);
    const double cosT = std::cos(static_cast<double>(theta));
    const double sinT = std::sin(static_cast<double>(theta));
    std::vector<double> samples;
    for (int i = 0; i < c; ++i) {
        const int px = static_cast<int>(common::Round(cosT * i));
        const int py = static_cast<int>(common::Round(sinT * i));
        // Directions off the 15-degree steps could reach the border; the profile stops there.
        if (px + h < 0 || px + h >= n || py + h < 0 || py + h >= n)
            break;
        samples.push_back(map[px + h][py + h]);
        p.lastPx = px;
        p.lastPy = py;
    }
    p.c = static_cast<int>(samples.size());
    p.values.resize(2 * samples.size());
    for (int k = 0; k < p.c; ++k) {
        p.values[p.c + k] = samples[k];
        p.values[k] = samples[p.c - 1 - k];
    }
    Smooth(p.values);
    return p;
}

int MarkOffset(int wp, int n, int p) { return static_cast<int>(common::Round(static_cast<double>(wp) / n * p)); }

void Smooth(std::vector<double>& v)
{
    for (std::size_t j = 0; j + 2 < v.size(); ++j)
        v[j + 1] = (v[j] + v[j + 1] + v[j + 2]) / 3;
}

std::string ProfileText(const SpectrumProfile& profile, int n, double d)
{
    const int c = profile.c;
    const double span = d * 2 * c;
    if (span == 0 && c > 0)
        common::CheckedDivide(-c, span);
    std::string text;
    for (int k = 0; k < 2 * c; ++k) {
        const double x = (k - c) / span * profile.L / (n / 2);
        text += common::FloatToStr(x) + "\t" + common::FloatToStr(profile.values[k]) + "\r\n";
    }
    return text;
}

std::vector<ChartPoint> ProfileChartPoints(const SpectrumProfile& profile, int n, double d, bool logarithmic)
{
    const double df = common::CheckedDivide(1.0, n * d);
    std::vector<ChartPoint> points;
    for (int k = 0; k < 2 * profile.c; ++k) {
        double y = profile.values[k];
        if (logarithmic)
            y = std::pow(10.0, y < 0 ? 0.0001 : y);
        points.push_back({(k - profile.c) * df, y});
    }
    return points;
}

} // namespace spectrum

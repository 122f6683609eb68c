#include "ProfileGraph.h"

#include <cmath>
#include <numbers>

#include "NumberText.h"
#include "Rounding.h"

namespace filter {

namespace {
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
}

ProfilePath MakeProfilePath(double degrees, int n)
{
    const int h = n / 2;
    const double theta = degrees / 180 * std::numbers::pi;
    double a = h;
    double b = std::tan(theta) * h;
    if (std::fabs(b) > h) {
        a = std::tan(std::numbers::pi / 2 - theta) * h;
        b = h;
    }
    const auto length = common::Trunc(std::sqrt(a * a + b * b));
    ProfilePath path;
    for (std::int64_t u = 0; u < length; ++u) {
        const auto dx = common::Round(std::cos(theta) * static_cast<double>(u));
        const auto dy = common::Round(std::sin(theta) * static_cast<double>(u));
        if (std::llabs(dx) < h && std::llabs(dy) < h) {
            path.dx.push_back(static_cast<int>(dx));
            path.dy.push_back(static_cast<int>(dy));
        }
    }
    return path;
}

int SampleProfile(const spectrum::SquareMatrix& centred, int n, const ProfilePath& path,
                  std::vector<double>& values)
{
    const int h = n / 2;
    const int k = std::min(static_cast<int>(path.dx.size()), kProfileCapacity / 2);
    values.resize(kProfileCapacity);
    for (int i = 0; i < k; ++i) {
        const double e = centred[h + path.dx[static_cast<std::size_t>(i)]][h + path.dy[static_cast<std::size_t>(i)]];
        values[static_cast<std::size_t>(i)] = e > 0.0 ? std::log10(e) : kNoValue;
    }
    // Mirror: the outer end first, the centre twice, then out again.
    for (int i = 0; i < k; ++i)
        values[static_cast<std::size_t>(k + i)] = values[static_cast<std::size_t>(i)];
    for (int i = 0; i < k; ++i)
        values[static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(2 * k - 1 - i)];
    return k;
}

std::string ProfileText(const std::vector<double>& values, int k)
{
    std::string text;
    for (int i = 0; i < k; ++i) {
        if (i)
            text += '\t';
        const double v = values[static_cast<std::size_t>(i)];
        if (!std::isnan(v))
            text += common::FloatToStr(v);
    }
    return text + "\r\n";
}

void SmoothProfile(std::vector<double>& values, int count)
{
    for (int i = 1; i + 1 < count; ++i) {
        double& v = values[static_cast<std::size_t>(i)];
        if (std::isnan(v))
            continue;
        const double left = values[static_cast<std::size_t>(i - 1)];
        const double right = values[static_cast<std::size_t>(i + 1)];
        if (!std::isnan(left) && !std::isnan(right))
            v = (left + v + right) / 3;
        else if (!std::isnan(left))
            v = (left + v) / 2;
        else if (!std::isnan(right))
            v = (v + right) / 2;
    }
}

ProfileRange FindProfileRange(const std::vector<double>& values, int count)
{
    ProfileRange r;
    for (int i = 0; i < count; ++i) {
        const double v = values[static_cast<std::size_t>(i)];
        if (std::isnan(v))
            continue;
        if (!r.valid) {
            r = {v, v, true};
            continue;
        }
        if (v > r.max)
            r.max = v;
        if (v < r.min)
            r.min = v;
    }
    return r;
}

namespace {

int GraphY(double v, const ProfileRange& range, int height)
{
    if (range.max == range.min)
        return height / 2;
    return static_cast<int>(common::Round(height - (0.8 * height * (v - range.min) / (range.max - range.min) + 0.1 * height)));
}

} // namespace

ProfileCurve PlotProfile(const std::vector<double>& values, int count, const ProfileRange& range, int width,
                         int height)
{
    ProfileCurve curve;
    if (count <= 0 || !range.valid)
        return curve;
    GraphRun run;
    // The pen starts at (0, y of the first value) and then goes to each value's own x.
    if (!std::isnan(values[0]))
        run.push_back({0, GraphY(values[0], range, height)});
    for (int i = 0; i < count; ++i) {
        const double v = values[static_cast<std::size_t>(i)];
        if (std::isnan(v)) {
            if (!run.empty())
                curve.runs.push_back(std::move(run));
            run.clear();
            continue;
        }
        const int x = static_cast<int>(common::Round(static_cast<double>(i) / count * width));
        run.push_back({x, GraphY(v, range, height)});
    }
    if (!run.empty())
        curve.runs.push_back(std::move(run));
    const double centre = values[static_cast<std::size_t>(count / 2)];
    if (!std::isnan(centre))
        for (int t = 0; t <= 9; ++t)
            curve.tickYs.push_back(GraphY(centre - t, range, height));
    return curve;
}

} // namespace filter

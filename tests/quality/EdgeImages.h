#pragma once
// Exact images of a blurred straight edge, for testing the slanted-edge MTF against closed forms.
//
// The edge passes through (cx, cy) tilted by t from the pixel column; the signed distance of a point
// from it along its normal is s(x, y) = (x - cx) cos t - (y - cy) sin t. Blurred by a Gaussian of
// standard deviation sigma, the step is E(s) = low + (high - low) Phi(s / sigma). A pixel's value is
// the mean of E over its unit square [i - 1/2, i + 1/2] x [j - 1/2, j + 1/2]. With
//   g1(s) = s Phi(s / sigma) + sigma phi(s / sigma)                         (g1' = Phi(s / sigma))
//   g2(s) = ((s^2 + sigma^2) Phi(s / sigma) + s sigma phi(s / sigma)) / 2   (g2' = g1)
// and s = a x + b y + c (a = cos t, b = -sin t), d^2/dx dy g2(s) = a b Phi(s / sigma), so
//   integral over the square = [g2(s22) - g2(s12) - g2(s21) + g2(s11)] / (a b),   sij = s(x_i, y_j),
// and for b = 0 the y integral is 1 and the x integral [g1(s2) - g1(s1)] / a.
//
// Along the normal the pixel's unit square projects to the convolution of two boxes of widths cos t
// and sin t, so the presampling MTF along the normal (f in cycles per pixel) is
//   T(f) = |sinc(f cos t) sinc(f sin t)| exp(-2 pi^2 sigma^2 f^2).
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace edge_images {

struct EdgeSpec {
    long long width = 64, height = 128;
    double angleDegrees = 3.0;
    double sigma = 0.5;            // pixels
    double cx = 31.7, cy = 64.0;   // a point of the edge, pixel coordinates (centres at integers)
    double low = 100.0, high = 1100.0;
    bool horizontal = false;       // the edge runs left to right (x and y swap roles)
};

inline double Phi(double z) { return 0.5 * std::erfc(-z / std::numbers::sqrt2); }
inline double phi(double z) { return std::exp(-0.5 * z * z) / std::sqrt(2.0 * std::numbers::pi); }

// The mean of Phi(s / sigma) over the unit square centred on (x, y).
inline double SquareMean(double x, double y, double a, double b, double c, double sigma)
{
    const auto g1 = [&](double s) { return s * Phi(s / sigma) + sigma * phi(s / sigma); };
    const auto g2 = [&](double s) {
        return 0.5 * ((s * s + sigma * sigma) * Phi(s / sigma) + s * sigma * phi(s / sigma));
    };
    const double x1 = x - 0.5, x2 = x + 0.5, y1 = y - 0.5, y2 = y + 0.5;
    if (b == 0.0)
        return (g1(a * x2 + c) - g1(a * x1 + c)) / a;
    return (g2(a * x2 + b * y2 + c) - g2(a * x1 + b * y2 + c) - g2(a * x2 + b * y1 + c) + g2(a * x1 + b * y1 + c)) /
           (a * b);
}

// Row-major width x height values.
inline std::vector<double> Edge(const EdgeSpec& e)
{
    const double t = e.angleDegrees * std::numbers::pi / 180.0;
    const double a = std::cos(t), b = -std::sin(t), c = -(a * e.cx + b * e.cy);
    std::vector<double> v(static_cast<std::size_t>(e.width * e.height));
    for (long long y = 0; y < e.height; ++y)
        for (long long x = 0; x < e.width; ++x) {
            // A horizontal edge is the vertical one with x and y exchanged.
            const double across = e.horizontal ? static_cast<double>(y) : static_cast<double>(x);
            const double along = e.horizontal ? static_cast<double>(x) : static_cast<double>(y);
            v[static_cast<std::size_t>(y * e.width + x)] =
                e.low + (e.high - e.low) * SquareMean(across, along, a, b, c, e.sigma);
        }
    return v;
}

inline double Sinc(double x)
{
    return x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

// T(f), f in cycles per pixel.
inline double TrueMtf(double f, double angleDegrees, double sigma)
{
    const double t = angleDegrees * std::numbers::pi / 180.0;
    return std::abs(Sinc(f * std::cos(t)) * Sinc(f * std::sin(t))) *
           std::exp(-2.0 * std::numbers::pi * std::numbers::pi * sigma * sigma * f * f);
}

// Where T first falls to `level`, cycles per pixel (T falls monotonically below 1 cycle/pixel).
inline double TrueMtfFallsTo(double level, double angleDegrees, double sigma)
{
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (TrueMtf(mid, angleDegrees, sigma) > level ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

} // namespace edge_images

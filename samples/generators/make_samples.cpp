// Writes the raw sample images a new user can open at once. Run from the top folder:
//   build/release/samples/generators/make_samples samples
// The images are committed; rerunning reproduces them byte for byte.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

void PutWord(std::vector<std::uint8_t>& bytes, int value)
{
    const auto word = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

// A water-like disc (about 1000) with four inserts of other densities in air (0): a CT-style
// phantom with sharp edges, whose spectrum shows rings.
int Phantom(double x, double y, double n)
{
    const double r = std::hypot(x - n / 2, y - n / 2);
    if (r > n * 0.42)
        return 0;
    struct Insert {
        double cx, cy, radius;
        int value;
    } inserts[] = {{0.35, 0.35, 0.07, 1800}, {0.65, 0.35, 0.05, 600}, {0.35, 0.65, 0.04, 1250}, {0.62, 0.66, 0.09, 900}};
    for (const auto& in : inserts)
        if (std::hypot(x - in.cx * n, y - in.cy * n) < in.radius * n)
            return in.value;
    return 1000;
}

// Four quadrants of sinusoidal gratings at 0.25, 0.5, 1 and 2 cycles/mm (pixel spacing 0.2 mm,
// Nyquist 2.5 cycles/mm), horizontal and vertical, on a mean of 2000.
int Gratings(int x, int y, int n)
{
    const double spacing = 0.2;
    const bool right = x >= n / 2, bottom = y >= n / 2;
    const double frequency[] = {0.25, 0.5, 1.0, 2.0};
    const int quadrant = (bottom ? 2 : 0) + (right ? 1 : 0);
    const double f = frequency[quadrant];
    const double position = (quadrant % 2 == 0 ? x : y) * spacing;
    return static_cast<int>(std::lround(2000 + 800 * std::sin(2 * kPi * f * position)));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";
    bool ok = true;

    {
        const int n = 256;
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                PutWord(bytes, Phantom(x + 0.5, y + 0.5, n));
        ok &= WriteFile(folder + "phantom 256 256 0p5.raw", bytes);
    }
    {
        // 8-bit: a smooth radial ramp with a fine checker square in the middle.
        const int n = 256;
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                int v = static_cast<int>(std::lround(255 * (1 - std::hypot(x - 128, y - 128) / 182.0)));
                if (std::abs(x - 128) < 32 && std::abs(y - 128) < 32)
                    v = ((x / 2 + y / 2) % 2) ? 220 : 40;
                bytes.push_back(static_cast<std::uint8_t>(v < 0 ? 0 : v));
            }
        ok &= WriteFile(folder + "ramp8bit 256 256 1p0.raw", bytes);
    }
    {
        const int n = 512;
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                PutWord(bytes, Gratings(x, y, n));
        ok &= WriteFile(folder + "gratings 512 512 0p2.raw", bytes);
    }
    if (!ok) {
        std::fprintf(stderr, "make_samples: could not write the samples into '%s'\n", folder.c_str());
        return 1;
    }
    return 0;
}

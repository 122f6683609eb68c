#pragma once
// An 8-bit grey picture: byte k is the grey (k, k, k). Every picture the program computes is one.
#include <cstdint>
#include <vector>

namespace common {

class GreyBitmap {
public:
    GreyBitmap() = default;
    GreyBitmap(int width, int height, std::uint8_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Changes the size and keeps the overlapping top-left part of the picture; new pixels are
    // black. Like a toolkit bitmap that is resized, not recreated.
    void Resize(int width, int height);

    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::uint8_t& At(int x, int y) { return Row(y)[x]; }
    std::uint8_t At(int x, int y) const { return Row(y)[x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    std::vector<std::uint8_t>& Pixels() { return pixels_; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

    bool operator==(const GreyBitmap&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

} // namespace common

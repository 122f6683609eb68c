#pragma once
// The matrix size offered when neither the name nor a header gives one.
#include <cstdint>
#include <string>

namespace viewer {

// "N N": the exact side when a square matrix fills the file, otherwise the smallest of 64, 128,
// 256, ... above the rounded side.
std::string SizeGuessText(std::uint64_t fileSize, int bytesPerPixel);

} // namespace viewer

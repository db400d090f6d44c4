#pragma once
// Test pictures made with the GD library itself, in every input format the compiler reads.

#include <string>

namespace quillery::mobi::testing {

enum class Pattern {
  Smooth,  // gradients: compresses well
  Noise,   // random pixels: the worst case for every encoder
};

// width x height pixels in the given pattern, encoded as "jpeg", "png", "png-alpha" (with a
// transparent half), "gif" or "bmp".
std::string MakeTestPicture(const std::string& format, int width, int height,
                            Pattern pattern = Pattern::Smooth, int jpegQuality = 90);

}  // namespace quillery::mobi::testing

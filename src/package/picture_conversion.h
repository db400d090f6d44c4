#pragma once
// Pictures in formats readers do not take (BMP, TIFF, WebP) turned into PNG for the package,
// through the GD graphics library.

#include <string>

namespace quillery {

// True when the file's first bytes say BMP, TIFF or WebP.
bool NeedsPictureConversion(const std::string& path);

// Writes the picture at `source` as a PNG file at `target`. False, with a short reason in
// `error`, when the file cannot be read or decoded (or is larger than 32 MB) or the PNG
// cannot be written.
bool ConvertPictureToPng(const std::string& source, const std::string& target, std::string& error);

}  // namespace quillery

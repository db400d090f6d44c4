#pragma once
// What a picture's own header says about whether reading devices can show it as it is: the
// colour components of a JPEG (devices show CMYK JPEGs wrongly or not at all) and the frames
// of a GIF (devices show no animation).

#include <string_view>

namespace quillery::mobi {

// The number of colour components a JPEG's frame header declares: 1 (grey), 3 (YCbCr or
// RGB), 4 (CMYK or YCCK); 0 when no frame header is found.
int JpegColourComponents(std::string_view bytes);

// True when the JPEG is grey or three-colour, as devices show it; false for CMYK, YCCK and
// JPEGs whose frame header cannot be found.
bool JpegShowsOnDevices(std::string_view bytes);

}  // namespace quillery::mobi

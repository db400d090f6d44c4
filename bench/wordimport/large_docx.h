#pragma once
// Writes a large, deterministic .docx for the Word import benchmark: headings, paragraphs of
// prose with bold and italic runs, a bullet list per section, section breaks and PNG
// pictures.

#include <string>

namespace quillery::bench {

struct LargeDocxShape {
    int words = 50000;
    int sections = 12;
    int pictures = 5;
};

void WriteLargeDocx(const std::string& path, const LargeDocxShape& shape);

}  // namespace quillery::bench

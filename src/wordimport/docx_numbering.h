#pragma once
// List numbering of a .docx (word/numbering.xml): the number or bullet each numbered
// paragraph shows, computed in document order and written as text the way Word writes it
// (symbol-font bullets as the character of the font's page). Internal to the converter.

#include <array>
#include <map>
#include <string>

namespace quillery::docx {

struct ListLabel {
    std::string text;            // "3.", "a)", "§", "·" ... (UTF-8, not yet escaped)
    std::string symbolFont;      // "Wingdings" or "Symbol" for a symbol-font bullet, else empty
    long long leftTwips = 0;     // the level's indent
    long long hangingTwips = 0;  // its hanging indent
};

class DocxNumbering {
public:
    DocxNumbering() = default;
    // Parses numbering.xml text (empty: no lists). Throws DocxError when it is not XML.
    explicit DocxNumbering(const std::string& numberingXml);

    // The label of the next paragraph of list numId at level (0..8), advancing the list's
    // counters; nothing (empty text) for an unknown list, numId "0" or a level with no text.
    ListLabel Next(const std::string& numId, int level);

private:
    struct Level {
        int start = 1;
        std::string format = "decimal";
        std::string text;
        std::string font;
        long long left = 0;
        long long hanging = 0;
    };
    struct Definition {
        std::array<Level, 9> levels;
    };
    struct Instance {
        std::string abstractId;
        std::map<int, int> startOverrides;
        bool started = false;
    };
    struct Counters {
        std::array<int, 9> values{};
        std::array<bool, 9> used{};
    };
    std::map<std::string, Definition> definitions_;
    std::map<std::string, Instance> instances_;
    std::map<std::string, Counters> counters_;  // by abstract definition
};

// A number in a list format: 4 "lowerRoman" -> "iv", 28 "upperLetter" -> "BB".
std::string FormatListNumber(int value, const std::string& format);

}  // namespace quillery::docx

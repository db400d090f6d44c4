#pragma once
// Paragraph and run properties of WordprocessingML as HTML and CSS: the inline tags of a run
// (b, i, u, s, sup, sub), its span declarations (size, font, colour) and the declarations of
// paragraph properties (margins, indents, alignment). Internal to the converter.

#include <pugixml.hpp>
#include <string>

namespace quillery::docx {

struct RunFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool superscript = false;
    bool subscript = false;
    int halfPoints = 0;   // font size; 0 when not set
    std::string font;     // ascii font name; empty when not set
    std::string color;    // "RRGGBB"; empty when not set or automatic
    std::string styleId;  // the character style
};

RunFormat ReadRunFormat(const pugi::xml_node& runProperties);

// "font-size:14.0pt;font-family:"Arial",sans-serif;color:#FF0000" (only what is set).
std::string RunSpanDeclarations(const RunFormat& format);
// The declarations of a style's run properties for its CSS rule (weight and slant too).
std::string RunRuleDeclarations(const RunFormat& format);
// Spacing, indents and alignment of paragraph properties, e.g.
// "margin-top:12.0pt;margin-left:36.0pt;text-indent:-18.0pt;text-align:center".
std::string ParagraphDeclarations(const pugi::xml_node& paragraphProperties);
// The alignment keyword of w:jc ("center", "right", "justify"); empty for left / unset.
std::string Alignment(const pugi::xml_node& paragraphProperties);

// Twentieths of a point as CSS points with one decimal: 360 -> "18.0pt".
std::string PointsFromTwips(long long twips);
// A font family as Word writes it: quoted name and generic family ("Arial",sans-serif).
std::string FontFamilyValue(const std::string& font);

}  // namespace quillery::docx

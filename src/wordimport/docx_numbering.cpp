// List numbering of a .docx (word/numbering.xml) (see docx_numbering.h).

#include "wordimport/docx_numbering.h"

#include <algorithm>
#include <pugixml.hpp>

#include "wordimport/docx_xml.h"

namespace quillery::docx {
namespace {

constexpr long long kMaxStart = 1'000'000;  // list numbers never run into overflow

std::string Roman(int value) {
    static constexpr std::pair<int, const char*> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::string out;
    for (const auto& [amount, digits] : kDigits)
        while (value >= amount) {
            out += digits;
            value -= amount;
        }
    return out;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A character of a symbol font's private page (U+F020..U+F0FF) is written as the Latin-1
// character of its low byte, in UTF-8: Wingdings U+F0A7 is written as the section sign.
std::string SymbolCharacter(const std::string& utf8) {
    if (utf8.size() == 3 && static_cast<unsigned char>(utf8[0]) == 0xEF) {
        const unsigned code = ((static_cast<unsigned char>(utf8[0]) & 0x0Fu) << 12) |
                              ((static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6) |
                              (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
        if (code >= 0xF020 && code <= 0xF0FF) {
            const unsigned low = code & 0xFFu;
            if (low < 0x80) return std::string(1, static_cast<char>(low));
            return {static_cast<char>(0xC0 | (low >> 6)), static_cast<char>(0x80 | (low & 0x3F))};
        }
    }
    return utf8;
}

bool IsSymbolFont(const std::string& font) {
    return font == "Wingdings" || font == "Symbol" || font == "Wingdings 2" ||
           font == "Wingdings 3" || font == "Webdings";
}

}  // namespace

std::string FormatListNumber(int value, const std::string& format) {
    if (value < 0) value = 0;
    if (format == "lowerRoman") return Roman(value);
    if (format == "upperRoman") return Upper(Roman(value));
    if (format == "lowerLetter" || format == "upperLetter") {
        if (value < 1) return "";
        if (value > 780) return std::to_string(value);  // Word stops repeating letters there
        const char letter = static_cast<char>('a' + (value - 1) % 26);
        std::string out(static_cast<std::size_t>((value - 1) / 26 + 1), letter);
        return format == "upperLetter" ? Upper(out) : out;
    }
    if (format == "decimalZero") return std::string(value < 10 ? "0" : "") + std::to_string(value);
    if (format == "none") return "";
    return std::to_string(value);
}

DocxNumbering::DocxNumbering(const std::string& numberingXml) {
    if (numberingXml.empty()) return;
    pugi::xml_document doc;
    ParsePart(doc, numberingXml, "word/numbering.xml");
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
        if (Is(node, "abstractNum")) {
            Definition& definition = definitions_[Attr(node, "abstractNumId")];
            for (pugi::xml_node lvl = node.first_child(); lvl; lvl = lvl.next_sibling()) {
                if (!Is(lvl, "lvl")) continue;
                const long long index = IntAttr(lvl, "ilvl", -1);
                if (index < 0 || index > 8) continue;
                Level& level = definition.levels[static_cast<std::size_t>(index)];
                level.start = static_cast<int>(
                    std::clamp<long long>(IntAttr(Child(lvl, "start"), "val", 1), 0, kMaxStart));
                const std::string format = ChildVal(lvl, "numFmt");
                if (!format.empty()) level.format = format;
                level.text = ChildVal(lvl, "lvlText");
                level.font = Attr(Child(Child(lvl, "rPr"), "rFonts"), "ascii");
                const pugi::xml_node ind = Child(Child(lvl, "pPr"), "ind");
                level.left = IntAttr(ind, "left", IntAttr(ind, "start", 0));
                level.hanging = IntAttr(ind, "hanging", 0);
            }
        } else if (Is(node, "num")) {
            Instance& instance = instances_[Attr(node, "numId")];
            instance.abstractId = ChildVal(node, "abstractNumId");
            for (pugi::xml_node over = node.first_child(); over; over = over.next_sibling()) {
                if (!Is(over, "lvlOverride")) continue;
                const pugi::xml_node start = Child(over, "startOverride");
                if (start)
                    instance.startOverrides[static_cast<int>(IntAttr(over, "ilvl", 0))] =
                        static_cast<int>(
                            std::clamp<long long>(IntAttr(start, "val", 1), 0, kMaxStart));
            }
        }
    }
}

ListLabel DocxNumbering::Next(const std::string& numId, int level) {
    ListLabel label;
    if (numId.empty() || numId == "0" || level < 0 || level > 8) return label;
    const auto instance = instances_.find(numId);
    if (instance == instances_.end()) return label;
    const auto definition = definitions_.find(instance->second.abstractId);
    if (definition == definitions_.end()) return label;
    const std::array<Level, 9>& levels = definition->second.levels;
    Counters& counters = counters_[instance->second.abstractId];

    // A list instance with start overrides restarts its levels where it is first used.
    if (!instance->second.started) {
        instance->second.started = true;
        for (const auto& [overridden, start] : instance->second.startOverrides) {
            if (overridden < 0 || overridden > 8) continue;
            counters.values[static_cast<std::size_t>(overridden)] = start - 1;
            counters.used[static_cast<std::size_t>(overridden)] = true;
        }
    }
    const std::size_t at = static_cast<std::size_t>(level);
    if (!counters.used[at]) {
        counters.values[at] = levels[at].start - 1;
        counters.used[at] = true;
    }
    ++counters.values[at];
    for (std::size_t deeper = at + 1; deeper < 9; ++deeper) counters.used[deeper] = false;

    const Level& current = levels[at];
    label.leftTwips = current.left;
    label.hangingTwips = current.hanging;
    if (current.format == "bullet") {
        if (IsSymbolFont(current.font)) {
            label.text = SymbolCharacter(current.text);
            label.symbolFont = current.font;
        } else {
            label.text = current.text;
        }
        return label;
    }
    // "%N" stands for the counter of level N (1-based).
    for (std::size_t i = 0; i < current.text.size(); ++i) {
        const char c = current.text[i];
        if (c == '%' && i + 1 < current.text.size() && current.text[i + 1] >= '1' &&
            current.text[i + 1] <= '9') {
            const std::size_t referenced = static_cast<std::size_t>(current.text[i + 1] - '1');
            const int value =
                counters.used[referenced] ? counters.values[referenced] : levels[referenced].start;
            label.text += FormatListNumber(value, levels[referenced].format);
            ++i;
        } else {
            label.text += c;
        }
    }
    return label;
}

}  // namespace quillery::docx

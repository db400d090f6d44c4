// A tolerant reader for the HTML of book chapters (see html_document.h).

#include "mobi/html_document.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "mobi/text_encoding.h"
#include "text/html_entities.h"

namespace quillery::mobi {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::string_view name) {
    return IsOneOf(name,
                   {"area", "base", "basefont", "br", "col", "embed", "frame", "hr", "img", "input",
                    "isindex", "link", "meta", "param", "source", "track", "wbr", "mbp:pagebreak"});
}

// Elements whose content is raw text up to their end tag.
bool IsRawText(std::string_view name) {
    return IsOneOf(name, {"script", "style", "textarea", "title", "xmp"});
}

// Block-level starts that end an open paragraph.
bool ClosesParagraph(std::string_view name) {
    return IsOneOf(name,
                   {"p",          "div",     "ul",      "ol",      "dl",     "table",
                    "h1",         "h2",      "h3",      "h4",      "h5",     "h6",
                    "blockquote", "pre",     "hr",      "address", "center", "form",
                    "fieldset",   "section", "article", "aside",   "header", "footer",
                    "nav",        "figure",  "li",      "dt",      "dd",     "mbp:pagebreak"});
}

}  // namespace

class HtmlTreeBuilder {
public:
    static constexpr std::size_t kMaxDepth = 256;

    HtmlTreeBuilder(HtmlDocument& document, std::string_view html) : doc_(document) {
        // About one element and one text per tag: room for them at once.
        const auto tags = static_cast<std::size_t>(std::count(html.begin(), html.end(), '<'));
        doc_.nodes.reserve(2 * tags + 2);
        doc_.textBuffer_->reserve(html.size());
        doc_.nodes.emplace_back();
        doc_.nodes[0].name = "#document";
        stack_.push_back(0);
    }

    // Text with its character references still in it.
    void Text(std::string_view raw) { AddText(raw, true); }
    // Text taken as it is (CDATA).
    void LiteralText(std::string_view text) { AddText(text, false); }

    // Lays out the children lists and points the text nodes at their text.
    void Finish() {
        std::size_t total = 0;
        for (auto& node : doc_.nodes) {
            node.childStart = total;
            total += node.childCount;
        }
        doc_.childList_.resize(total);
        for (auto& node : doc_.nodes) {
            std::size_t at = node.childStart;
            for (int child = node.firstChild; child >= 0;
                 child = doc_.nodes[static_cast<std::size_t>(child)].nextSibling)
                doc_.childList_[at++] = child;
        }
        const std::string_view buffer = *doc_.textBuffer_;
        for (auto& node : doc_.nodes) {
            if (node.isText) node.text = buffer.substr(node.textStart, node.textLength);
        }
    }

    void StartTag(std::string name, std::vector<std::pair<std::string, std::string>> attributes,
                  bool selfClosing) {
        if (name == "html" || name == "head") {
            // Attributes of these are of no use; their content goes into the tree as it comes.
            return;
        }
        if (name == "body") {
            if (doc_.body == 0) {
                HtmlNode node;
                node.name = "body";
                node.attributes = std::move(attributes);
                stack_.resize(1);
                doc_.body = Append(std::move(node));
                stack_.push_back(doc_.body);
            }
            return;
        }
        ImplyEndTags(name);
        HtmlNode node;
        node.name = name;
        node.attributes = std::move(attributes);
        const int index = Append(std::move(node));
        // Absurdly deep nesting is flattened, so that no later pass recurses too deep.
        if (!selfClosing && !IsVoid(name) && stack_.size() < kMaxDepth) stack_.push_back(index);
    }

    void EndTag(const std::string& name) {
        if (name == "html" || name == "head" || name == "body") return;
        // Close the nearest open element of that name, with everything opened inside it,
        // but never across a table cell or list boundary for the closers that HTML scopes.
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const auto& open = doc_.nodes[static_cast<std::size_t>(stack_[i])].name;
            if (open == name) {
                stack_.resize(i);
                return;
            }
            if (open == "body" ||
                ((name == "p" || name == "li") && IsOneOf(open, {"td", "th", "table"})))
                return;
        }
    }

private:
    int Append(HtmlNode node) {
        const int parent = stack_.back();
        node.parent = parent;
        const int index = static_cast<int>(doc_.nodes.size());
        doc_.nodes.push_back(std::move(node));
        HtmlNode& parentNode = doc_.nodes[static_cast<std::size_t>(parent)];
        if (parentNode.lastChild >= 0)
            doc_.nodes[static_cast<std::size_t>(parentNode.lastChild)].nextSibling = index;
        else
            parentNode.firstChild = index;
        parentNode.lastChild = index;
        ++parentNode.childCount;
        return index;
    }

    void AddText(std::string_view text, bool decode) {
        if (text.empty()) return;
        std::string& buffer = *doc_.textBuffer_;
        const std::size_t start = buffer.size();
        if (decode)
            AppendDecodedCharacterReferences(text, buffer);
        else
            buffer.append(text);
        if (buffer.size() == start) return;
        // Text right after text (a comment between them, say) joins it: the earlier text is
        // the last thing in the buffer.
        const int parent = stack_.back();
        const int last = doc_.nodes[static_cast<std::size_t>(parent)].lastChild;
        if (last >= 0 && doc_.nodes[static_cast<std::size_t>(last)].isText) {
            doc_.nodes[static_cast<std::size_t>(last)].textLength += buffer.size() - start;
            return;
        }
        HtmlNode node;
        node.isText = true;
        node.textStart = start;
        node.textLength = buffer.size() - start;
        Append(std::move(node));
    }

    // Closes the open element named `closing` when found before any of `boundaries`.
    void CloseOpen(std::initializer_list<std::string_view> closing,
                   std::initializer_list<std::string_view> boundaries) {
        for (std::size_t i = stack_.size(); i-- > 1;) {
            const auto& open = doc_.nodes[static_cast<std::size_t>(stack_[i])].name;
            if (IsOneOf(open, closing)) {
                stack_.resize(i);
                return;
            }
            if (open == "body" || IsOneOf(open, boundaries)) return;
        }
    }

    void ImplyEndTags(const std::string& name) {
        if (ClosesParagraph(name))
            CloseOpen({"p"}, {"td", "th", "table", "li", "div", "blockquote", "dd", "button"});
        if (name == "li") CloseOpen({"li"}, {"ul", "ol", "menu", "dir", "table"});
        if (name == "dt" || name == "dd") CloseOpen({"dt", "dd"}, {"dl", "table"});
        if (name == "tr") CloseOpen({"tr"}, {"table", "tbody", "thead", "tfoot"});
        if (name == "td" || name == "th") CloseOpen({"td", "th"}, {"tr", "table"});
        if (name == "thead" || name == "tbody" || name == "tfoot")
            CloseOpen({"thead", "tbody", "tfoot"}, {"table"});
        if (name == "option") CloseOpen({"option"}, {"select"});
        if (name == "a") CloseOpen({"a"}, {"td", "th", "table", "li", "div", "p"});
        if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
            CloseOpen({"h1", "h2", "h3", "h4", "h5", "h6"},
                      {"div", "td", "th", "li", "table", "blockquote"});
    }

    HtmlDocument& doc_;
    std::vector<int> stack_;
};

namespace {

class Tokenizer {
public:
    Tokenizer(std::string_view html, HtmlTreeBuilder& builder, HtmlDocument& doc)
        : in_(html), builder_(builder), doc_(doc) {}

    void Run() {
        std::size_t textStart = 0;
        while (pos_ < in_.size()) {
            if (in_[pos_] != '<') {
                ++pos_;
                continue;
            }
            if (!IsMarkupStart()) {
                ++pos_;
                continue;
            }
            // The text before the markup goes in first.
            if (pos_ > textStart) builder_.Text(in_.substr(textStart, pos_ - textStart));
            TryMarkup();
            textStart = pos_;
            if (!pendingRawText_.empty()) {
                const std::string rawName = pendingRawText_;
                pendingRawText_.clear();
                const std::size_t end = FindEndTag(rawName);
                std::string_view raw = in_.substr(pos_, end - pos_);
                if (rawName == "style") doc_.styleBlocks.emplace_back(raw);
                if (rawName == "title" || rawName == "textarea") builder_.Text(raw);
                // Scripts and styles leave nothing in the text.
                pos_ = end;
                if (pos_ < in_.size()) {
                    const auto close = in_.find('>', pos_);
                    pos_ = close == std::string_view::npos ? in_.size() : close + 1;
                }
                builder_.EndTag(rawName);
                textStart = pos_;
            }
        }
        if (in_.size() > textStart) builder_.Text(in_.substr(textStart));
    }

private:
    // At '<': whether a comment, declaration, end tag or start tag begins here.
    bool IsMarkupStart() const {
        const std::string_view rest = in_.substr(pos_);
        if (rest.size() < 2) return false;
        if (rest[1] == '!' || rest[1] == '?') return true;
        if (rest[1] == '/')
            return rest.size() > 2 && std::isalpha(static_cast<unsigned char>(rest[2]));
        return std::isalpha(static_cast<unsigned char>(rest[1]));
    }

    // At '<': consumes a comment, declaration, end tag or start tag. false when the '<' is text.
    bool TryMarkup() {
        const std::string_view rest = in_.substr(pos_);
        if (rest.substr(0, 4) == "<!--") {
            const auto end = in_.find("-->", pos_ + 4);
            pos_ = end == std::string_view::npos ? in_.size() : end + 3;
            return true;
        }
        if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
            if (rest.substr(0, 9) == "<![CDATA[") {
                const auto end = in_.find("]]>", pos_);
                const std::size_t stop = end == std::string_view::npos ? in_.size() : end;
                builder_.LiteralText(in_.substr(pos_ + 9, stop - pos_ - 9));
                pos_ = end == std::string_view::npos ? in_.size() : end + 3;
                return true;
            }
            const auto end = in_.find('>', pos_);
            pos_ = end == std::string_view::npos ? in_.size() : end + 1;
            return true;
        }
        if (rest.size() > 2 && rest[1] == '/' &&
            std::isalpha(static_cast<unsigned char>(rest[2]))) {
            std::size_t p = pos_ + 2;
            const std::size_t nameStart = p;
            while (p < in_.size() && !IsSpace(in_[p]) && in_[p] != '>' && in_[p] != '/') ++p;
            const std::string name = Lower(in_.substr(nameStart, p - nameStart));
            const auto end = in_.find('>', p);
            pos_ = end == std::string_view::npos ? in_.size() : end + 1;
            builder_.EndTag(name);
            return true;
        }
        if (rest.size() > 1 && std::isalpha(static_cast<unsigned char>(rest[1]))) {
            ReadStartTag();
            return true;
        }
        return false;
    }

    void ReadStartTag() {
        std::size_t p = pos_ + 1;
        const std::size_t nameStart = p;
        while (p < in_.size() && !IsSpace(in_[p]) && in_[p] != '>' && in_[p] != '/') ++p;
        const std::string name = Lower(in_.substr(nameStart, p - nameStart));
        std::vector<std::pair<std::string, std::string>> attributes;
        bool selfClosing = false;
        while (p < in_.size()) {
            while (p < in_.size() && IsSpace(in_[p])) ++p;
            if (p >= in_.size()) break;
            if (in_[p] == '>') {
                ++p;
                break;
            }
            if (in_[p] == '/') {
                ++p;
                if (p < in_.size() && in_[p] == '>') {
                    selfClosing = true;
                    ++p;
                    break;
                }
                continue;
            }
            const std::size_t attrStart = p;
            while (p < in_.size() && !IsSpace(in_[p]) && in_[p] != '>' && in_[p] != '=' &&
                   !(in_[p] == '/' && p + 1 < in_.size() && in_[p + 1] == '>'))
                ++p;
            if (p == attrStart) {  // a stray '='
                ++p;
                continue;
            }
            std::string attrName = Lower(in_.substr(attrStart, p - attrStart));
            std::size_t q = p;
            while (q < in_.size() && IsSpace(in_[q])) ++q;
            std::string value;
            if (q < in_.size() && in_[q] == '=') {
                ++q;
                while (q < in_.size() && IsSpace(in_[q])) ++q;
                if (q < in_.size() && (in_[q] == '"' || in_[q] == '\'')) {
                    const char quote = in_[q];
                    const auto end = in_.find(quote, q + 1);
                    const std::size_t stop = end == std::string_view::npos ? in_.size() : end;
                    value = DecodeCharacterReferences(in_.substr(q + 1, stop - q - 1));
                    p = stop == in_.size() ? stop : stop + 1;
                } else {
                    std::size_t v = q;
                    while (v < in_.size() && !IsSpace(in_[v]) && in_[v] != '>') ++v;
                    value = DecodeCharacterReferences(in_.substr(q, v - q));
                    p = v;
                }
            }
            if (std::none_of(attributes.begin(), attributes.end(),
                             [&](const auto& a) { return a.first == attrName; }))
                attributes.emplace_back(std::move(attrName), std::move(value));
        }
        pos_ = p;
        if (name == "link") {
            const auto rel = std::find_if(attributes.begin(), attributes.end(),
                                          [](const auto& a) { return a.first == "rel"; });
            const auto href = std::find_if(attributes.begin(), attributes.end(),
                                           [](const auto& a) { return a.first == "href"; });
            if (rel != attributes.end() && href != attributes.end() &&
                Lower(rel->second).find("stylesheet") != std::string::npos &&
                Lower(rel->second).find("alternate") == std::string::npos)
                doc_.stylesheetLinks.push_back(href->second);
        }
        const bool raw = IsRawText(name) && !selfClosing;
        builder_.StartTag(name, std::move(attributes), selfClosing);
        if (raw) pendingRawText_ = name;
    }

    // Position of "</name" (any case) from pos_, or the end of the input.
    std::size_t FindEndTag(const std::string& name) const {
        std::size_t p = pos_;
        while (true) {
            p = in_.find("</", p);
            if (p == std::string_view::npos) return in_.size();
            if (p + 2 + name.size() <= in_.size() &&
                Lower(in_.substr(p + 2, name.size())) == name) {
                const std::size_t after = p + 2 + name.size();
                if (after == in_.size() || IsSpace(in_[after]) || in_[after] == '>') return p;
            }
            p += 2;
        }
    }

    std::string_view in_;
    HtmlTreeBuilder& builder_;
    HtmlDocument& doc_;
    std::size_t pos_ = 0;
    std::string pendingRawText_;
};

void AppendTextContent(const HtmlDocument& document, int index, std::string& out) {
    const auto& node = document.node(index);
    if (node.isText) {
        out += node.text;
        return;
    }
    for (int child : document.children(index)) AppendTextContent(document, child, out);
}

}  // namespace

std::span<const int> HtmlDocument::children(int index) const {
    const HtmlNode& parent = node(index);
    return std::span<const int>(childList_).subspan(parent.childStart, parent.childCount);
}

const std::string* HtmlNode::Attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName) return &value;
    }
    return nullptr;
}

std::string DecodeCharacterReferences(std::string_view text) {
    std::string out;
    AppendDecodedCharacterReferences(text, out);
    return out;
}

void AppendDecodedCharacterReferences(std::string_view text, std::string& out) {
    if (text.find('&') == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.reserve(out.size() + text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '#') {
            ++j;
            const bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
            if (hex) ++j;
            const std::size_t digitsStart = j;
            while (j < text.size() &&
                   (hex ? std::isxdigit(static_cast<unsigned char>(text[j]))
                        : std::isdigit(static_cast<unsigned char>(text[j]))) &&
                   j - digitsStart < 8)
                ++j;
            if (j == digitsStart) {
                out += c;
                ++i;
                continue;
            }
            char32_t cp = static_cast<char32_t>(
                std::strtoul(std::string(text.substr(digitsStart, j - digitsStart)).c_str(),
                             nullptr, hex ? 16 : 10));
            // References to 0x80..0x9F mean the Windows-1252 characters, as browsers read them.
            if (cp >= 0x80 && cp <= 0x9F) {
                for (char32_t candidate = 0x100; candidate < 0x2200; ++candidate) {
                    if (Cp1252Byte(candidate) == static_cast<int>(cp)) {
                        cp = candidate;
                        break;
                    }
                }
            }
            if (cp == 0) cp = 0xFFFD;
            AppendUtf8(out, cp);
            if (j < text.size() && text[j] == ';') ++j;
            i = j;
            continue;
        }
        while (j < text.size() && std::isalnum(static_cast<unsigned char>(text[j])) && j - i <= 10)
            ++j;
        const std::string_view name = text.substr(i + 1, j - i - 1);
        const char32_t cp = name.empty() ? 0 : LookUpNamedEntity(name);
        if (cp != 0 && (j < text.size() && text[j] == ';')) {
            AppendUtf8(out, cp);
            i = j + 1;
        } else if (cp != 0 && IsOneOf(name, {"amp", "lt", "gt", "quot", "nbsp", "copy", "AMP", "LT",
                                             "GT", "QUOT"})) {
            // The common ones are recognised without their semicolon, as browsers do.
            AppendUtf8(out, cp);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
}

HtmlDocument ParseHtml(std::string_view html) {
    HtmlDocument document;
    // A byte-order mark is not text.
    if (html.substr(0, 3) == "\xEF\xBB\xBF") html.remove_prefix(3);
    HtmlTreeBuilder builder(document, html);
    Tokenizer tokenizer(html, builder, document);
    tokenizer.Run();
    builder.Finish();
    return document;
}

std::string TextContent(const HtmlDocument& document, int node) {
    std::string out;
    AppendTextContent(document, node, out);
    return out;
}

}  // namespace quillery::mobi

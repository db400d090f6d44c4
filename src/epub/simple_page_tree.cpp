// The one-pass tree builder for simple pages (see simple_page_tree.h): a scanner of the
// page's markup that builds the tree as it goes and stops at the first thing outside the
// subset.

#include "epub/simple_page_tree.h"

#include <cstring>
#include <optional>
#include <vector>

#include "epub/simple_page_nodes.h"
#include "epub/simple_page_rules.h"
#include "epub/simple_page_text.h"

namespace quillery::epub {

namespace {

// More attributes on one tag than this make the page not simple (keeps the check for
// repeated names short).
constexpr std::size_t kMaxAttributes = 64;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool IsAttributeNameStart(char c) { return IsAsciiLetter(c) || c == '_' || c == ':'; }
bool IsAttributeNameChar(char c) {
    return IsAttributeNameStart(c) || IsAsciiDigit(c) || c == '.' || c == '-';
}

// Characters an unquoted attribute value may not hold: the parser reads them in ways of
// their own (or reports them).
bool IsRefusedInUnquotedValue(char c) {
    return c == '"' || c == '\'' || c == '<' || c == '=' || c == '`';
}

bool StartsWithCaseBlind(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
        if (LowerAscii(text[i]) != lowerPrefix[i]) return false;
    return true;
}

struct OpenElement {
    GumboNode* node;
    std::size_t childrenMark;
    bool paragraphInButtonScope;
};

struct StartTag {
    GumboNode* element = nullptr;
    GumboTag tag = GUMBO_TAG_UNKNOWN;
    bool selfClosing = false;
};

class SimplePageBuilder {
public:
    SimplePageBuilder(std::string_view page, ParserArena& arena) : page_(page), nodes_(arena) {}

    const GumboNode* Build() {
        if (!SkipProlog()) return nullptr;
        GumboNode* html = ExpectStartTag(GUMBO_TAG_HTML);
        if (!html) return nullptr;
        Open(html);
        // Before the head, whitespace is dropped and comments go into html.
        if (!ReadWhitespaceAndComments(false, html)) return nullptr;
        if (!ReadHead()) return nullptr;
        // Between head and body, whitespace and comments go into html.
        if (!ReadWhitespaceAndComments(true, html)) return nullptr;
        GumboNode* body = ExpectStartTag(GUMBO_TAG_BODY);
        if (!body) return nullptr;
        Open(body);
        if (!ReadBodyContent()) return nullptr;
        if (!ReadAfterBody()) return nullptr;
        html->parent = nullptr;
        html->index_within_parent = 0;
        return html;
    }

private:
    // ---- Where the scanner is.

    bool AtEnd() const { return pos_ >= page_.size(); }
    std::string_view Rest() const { return page_.substr(pos_); }
    bool At(std::string_view s) const { return Rest().starts_with(s); }

    // The position of the next '<' from pos_, or the end of the page.
    std::size_t NextMarkup() const {
        const void* found = std::memchr(page_.data() + pos_, '<', page_.size() - pos_);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - page_.data())
                     : page_.size();
    }

    std::size_t SkipWhitespace() {
        const std::size_t start = pos_;
        while (!AtEnd() && IsSimpleWhitespace(page_[pos_])) ++pos_;
        return pos_ - start;
    }

    // ---- The open elements.

    GumboNode* Current() const { return open_.back().node; }
    GumboTag CurrentTag() const { return Current()->v.element.tag; }

    // Appends a node to the current element. Like every inserted node in the parser, it
    // ends the text run before it (later text makes a new text node).
    void Append(GumboNode* node) {
        pending_.Append(Current(), open_.back().childrenMark, node);
        unflushedText_ = nullptr;
    }

    // Appends the element to the current node (if any) and makes it the current node.
    void Open(GumboNode* element) {
        const GumboTag tag = element->v.element.tag;
        bool inScope = false;
        if (!open_.empty()) {
            Append(element);
            inScope = open_.back().paragraphInButtonScope;
        }
        if (tag == GUMBO_TAG_P)
            inScope = true;
        else if (BoundsParagraphScope(tag))
            inScope = false;
        if (tag == GUMBO_TAG_A) ++anchorsOpen_;
        open_.push_back({element, pending_.Mark(), inScope});
    }

    // Closes the current element; `endTagSource` is its end tag (empty for one the page
    // ends without, as html may).
    void CloseCurrent(std::string_view endTagSource) {
        unflushedText_ = nullptr;
        GumboNode* element = Current();
        if (!endTagSource.empty()) {
            element->v.element.original_end_tag = {endTagSource.data(), endTagSource.size()};
            element->v.element.end_pos.offset =
                static_cast<unsigned>(endTagSource.data() - page_.data());
        }
        pending_.Close(element, open_.back().childrenMark, nodes_);
        if (element->v.element.tag == GUMBO_TAG_A) --anchorsOpen_;
        open_.pop_back();
    }

    // ---- Tags and attributes.

    // A tag name at pos_: ASCII letters and digits, lower-cased into `lower`, ended by
    // whitespace, '/' or '>'. GUMBO_TAG_UNKNOWN when the name is not one gumbo knows.
    GumboTag ReadTagName() {
        char lower[16];
        std::size_t length = 0;
        while (!AtEnd() && (IsAsciiLetter(page_[pos_]) || IsAsciiDigit(page_[pos_]))) {
            if (length == sizeof lower) return GUMBO_TAG_UNKNOWN;
            lower[length++] = LowerAscii(page_[pos_++]);
        }
        if (AtEnd() || length == 0) return GUMBO_TAG_UNKNOWN;
        const char next = page_[pos_];
        if (!IsSimpleWhitespace(next) && next != '/' && next != '>') return GUMBO_TAG_UNKNOWN;
        return gumbo_tagn_enum(lower, static_cast<unsigned>(length));
    }

    // An attribute value at pos_ (after '='): quoted, or unquoted up to whitespace or '>'.
    // Sets the decoded value and its source; false when not simple.
    bool ReadAttributeValue(const char*& value, std::string_view& source) {
        if (AtEnd()) return false;
        const char quote = page_[pos_];
        std::string_view raw;
        if (quote == '"' || quote == '\'') {
            const void* end = std::memchr(page_.data() + pos_ + 1, quote, page_.size() - pos_ - 1);
            if (!end) return false;
            const std::size_t close = static_cast<const char*>(end) - page_.data();
            raw = page_.substr(pos_ + 1, close - pos_ - 1);
            source = page_.substr(pos_, close + 1 - pos_);
            pos_ = close + 1;
        } else {
            const std::size_t start = pos_;
            while (!AtEnd() && !IsSimpleWhitespace(page_[pos_]) && page_[pos_] != '>') {
                if (IsRefusedInUnquotedValue(page_[pos_])) return false;
                ++pos_;
            }
            if (pos_ == start) return false;  // "a=>" or "a= " followed by nothing usable
            raw = page_.substr(start, pos_ - start);
            source = raw;
        }
        char* out = nodes_.NewString(raw.size());
        const std::optional<DecodedRun> run = DecodeRun(raw, References::Resolve, out);
        if (!run) return false;
        out[run->length] = '\0';
        value = out;
        return true;
    }

    // One attribute at pos_ (its name's first character); appended to attributes_ unless
    // the tag has it already (the parser keeps the first). False when not simple.
    bool ReadAttribute() {
        const std::size_t nameStart = pos_;
        if (!IsAttributeNameStart(page_[pos_])) return false;
        while (!AtEnd() && IsAttributeNameChar(page_[pos_])) ++pos_;
        if (AtEnd()) return false;
        const std::string_view nameSource = page_.substr(nameStart, pos_ - nameStart);
        const char next = page_[pos_];
        if (!IsSimpleWhitespace(next) && next != '=' && next != '>' && next != '/') return false;
        const char* value = "";
        std::string_view valueSource;
        const std::size_t afterName = pos_;
        SkipWhitespace();
        if (!AtEnd() && page_[pos_] == '=') {
            ++pos_;
            SkipWhitespace();
            if (!ReadAttributeValue(value, valueSource)) return false;
        } else {
            pos_ = afterName;  // a name alone: the whitespace separates the next attribute
        }
        char* name = nodes_.NewString(nameSource.size());
        for (std::size_t i = 0; i < nameSource.size(); ++i) name[i] = LowerAscii(nameSource[i]);
        name[nameSource.size()] = '\0';
        for (const void* a : attributes_)
            if (std::strcmp(static_cast<const GumboAttribute*>(a)->name, name) == 0) return true;
        if (attributes_.size() == kMaxAttributes) return false;
        attributes_.push_back(nodes_.NewAttribute(name, nameSource, value, valueSource, nameStart));
        return true;
    }

    // A start tag at pos_ ('<' followed by a letter): its element with the attributes, or
    // nothing when not simple. Attributes are separated by whitespace; '/' is allowed only
    // right before '>'.
    std::optional<StartTag> ReadStartTag() {
        const std::size_t start = pos_;
        ++pos_;
        StartTag tag;
        tag.tag = ReadTagName();
        if (tag.tag == GUMBO_TAG_UNKNOWN || tag.tag == GUMBO_TAG_LAST) return std::nullopt;
        attributes_.clear();
        for (;;) {
            const std::size_t spaces = SkipWhitespace();
            if (AtEnd()) return std::nullopt;
            if (page_[pos_] == '>') break;
            if (At("/>")) {
                tag.selfClosing = true;
                ++pos_;
                break;
            }
            if (spaces == 0 || !ReadAttribute()) return std::nullopt;
        }
        ++pos_;  // '>'
        tag.element = nodes_.NewElement(tag.tag, page_.substr(start, pos_ - start), start);
        tag.element->v.element.attributes =
            nodes_.NewVector(attributes_.data(), attributes_.size());
        return tag;
    }

    // The start tag of `tag` at pos_, not self-closing: html, head and body.
    GumboNode* ExpectStartTag(GumboTag tag) {
        if (!At("<") || pos_ + 1 >= page_.size() || !IsAsciiLetter(page_[pos_ + 1])) return nullptr;
        const std::optional<StartTag> start = ReadStartTag();
        if (!start || start->tag != tag || start->selfClosing) return nullptr;
        return start->element;
    }

    // An end tag at pos_ ("</"): it must close the current element. Whitespace may follow
    // the name; attributes may not.
    bool ReadEndTagOfCurrent() {
        const std::size_t start = pos_;
        pos_ += 2;
        const GumboTag tag = ReadTagName();
        if (tag == GUMBO_TAG_UNKNOWN || tag != CurrentTag()) return false;
        SkipWhitespace();
        if (AtEnd() || page_[pos_] != '>') return false;
        ++pos_;
        CloseCurrent(page_.substr(start, pos_ - start));
        return true;
    }

    // ---- Comments, text and the prolog.

    // A comment at pos_ ("<!--"), added to `parent` when given. Not simple when it is
    // unterminated, or ends in a way the parser reads differently ("<!-->", "<!--->",
    // "--!>"), or its text is not valid.
    bool ReadComment(GumboNode* parent) {
        const std::size_t start = pos_;
        const std::size_t textStart = pos_ + 4;
        const std::size_t end = page_.find("-->", textStart);
        if (end == std::string_view::npos) return false;
        const std::string_view raw = page_.substr(textStart, end - textStart);
        if (raw.starts_with(">") || raw.starts_with("->") ||
            raw.find("--!>") != std::string_view::npos)
            return false;
        char* text = nodes_.NewString(raw.size());
        const std::optional<DecodedRun> run = DecodeRun(raw, References::Keep, text);
        if (!run) return false;
        text[run->length] = '\0';
        pos_ = end + 3;
        unflushedText_ = nullptr;
        if (parent) {
            GumboNode* comment =
                nodes_.NewText(GUMBO_NODE_COMMENT, text, page_.substr(start, pos_ - start), start);
            if (parent == Current())
                Append(comment);
            else
                afterBodyComments_.push_back(comment);
        }
        return true;
    }

    // Text from pos_ to `end` as a text node of the current element (resolving references
    // when asked). Not simple when it does not decode.
    bool AppendText(std::size_t end, References references) {
        const std::string_view raw = page_.substr(pos_, end - pos_);
        char* text = nodes_.NewString(raw.size());
        const std::optional<DecodedRun> run = DecodeRun(raw, references, text);
        if (!run) return false;
        text[run->length] = '\0';
        if (run->length > 0) {
            const GumboNodeType type =
                run->whitespaceOnly ? GUMBO_NODE_WHITESPACE : GUMBO_NODE_TEXT;
            if (unflushedText_)
                ExtendText(unflushedText_, text, run->length, type, end);
            else {
                GumboNode* node = nodes_.NewText(type, text, raw, pos_);
                Append(node);
                unflushedText_ = node;
            }
        }
        pos_ = end;
        return true;
    }

    // The parser gathers text until a tag that opens or closes an element, a comment or
    // the end of the page: "</body>" and "</html>" close nothing, so the text before them
    // and the whitespace after them make one node.
    void ExtendText(GumboNode* node, const char* more, std::size_t moreLength, GumboNodeType type,
                    std::size_t sourceEnd) {
        GumboText& t = node->v.text;
        const std::size_t length = std::strlen(t.text);
        char* joined = nodes_.NewString(length + moreLength);
        std::memcpy(joined, t.text, length);
        std::memcpy(joined + length, more, moreLength + 1);
        t.text = joined;
        t.original_text.length =
            sourceEnd - static_cast<std::size_t>(t.original_text.data - page_.data());
        if (type == GUMBO_NODE_TEXT) node->type = GUMBO_NODE_TEXT;
    }

    // Whitespace up to the next markup, as a text node of the current element when `keep`
    // (dropped otherwise). Other text there would make the parser open elements itself.
    bool ReadWhitespaceText(bool keep) {
        const std::size_t end = NextMarkup();
        for (std::size_t i = pos_; i < end; ++i)
            if (!IsSimpleWhitespace(page_[i])) return false;
        if (end == pos_) return true;
        if (!keep) {
            pos_ = end;
            return true;
        }
        return AppendText(end, References::Keep);
    }

    // Whitespace and comments until other markup: whitespace goes into the current element
    // when `keepWhitespace`, comments into `commentsIn` (dropped when null).
    bool ReadWhitespaceAndComments(bool keepWhitespace, GumboNode* commentsIn) {
        for (;;) {
            if (!ReadWhitespaceText(keepWhitespace)) return false;
            if (!At("<!--")) return true;
            if (!ReadComment(commentsIn)) return false;
        }
    }

    // Before <html>: an optional XML declaration (read as a comment by HTML, up to the first
    // '>'), whitespace, comments and one DOCTYPE (up to its first '>'), none of it in the tree.
    bool SkipProlog() {
        bool doctype = false;
        for (;;) {
            SkipWhitespace();
            if (At("<!--")) {
                if (!ReadComment(nullptr)) return false;
            } else if (At("<?") || (!doctype && StartsWithCaseBlind(Rest(), "<!doctype"))) {
                doctype = doctype || At("<!");
                const std::size_t end = page_.find('>', pos_);
                if (end == std::string_view::npos) return false;
                pos_ = end + 1;
            } else {
                return true;
            }
        }
    }

    // ---- Raw and escapable text elements.

    // The text of a title (references resolved) or style (kept as written) up to its end
    // tag, which must be written "</title>" or "</style>" in any case. A title holds no
    // '<' at all; a style's text runs to the first "</style" followed by whitespace, '/'
    // or '>', and only the plain '>' form is simple.
    bool ReadTextElementContent(GumboTag tag) {
        const std::string_view endTag = tag == GUMBO_TAG_TITLE ? "</title" : "</style";
        std::size_t search = pos_;
        for (;;) {
            const std::size_t lt = page_.find('<', search);
            if (lt == std::string_view::npos) return false;
            const std::string_view at = page_.substr(lt);
            if (StartsWithCaseBlind(at, endTag)) {
                const char after = at.size() > endTag.size() ? at[endTag.size()] : '\0';
                if (after == '>') {
                    const References references =
                        tag == GUMBO_TAG_TITLE ? References::Resolve : References::Keep;
                    if (!AppendText(lt, references)) return false;
                    pos_ = lt + endTag.size() + 1;
                    CloseCurrent(page_.substr(lt, endTag.size() + 1));
                    return true;
                }
                if (IsSimpleWhitespace(after) || after == '/' || after == '\0') return false;
            }
            if (tag == GUMBO_TAG_TITLE) return false;
            search = lt + 1;
        }
    }

    // ---- The head and the body.

    // <head> ... </head>: title, meta, link, base, style, whitespace text and comments.
    bool ReadHead() {
        GumboNode* head = ExpectStartTag(GUMBO_TAG_HEAD);
        if (!head) return false;
        Open(head);
        for (;;) {
            if (!ReadWhitespaceAndComments(true, head)) return false;
            if (At("</")) {
                return CurrentTag() == GUMBO_TAG_HEAD && ReadEndTagOfCurrent();
            }
            if (!At("<") || pos_ + 1 >= page_.size() || !IsAsciiLetter(page_[pos_ + 1]))
                return false;
            const std::optional<StartTag> start = ReadStartTag();
            if (!start) return false;
            const SimpleRole role = RoleOf(start->tag);
            if (role != SimpleRole::Title && role != SimpleRole::Metadata &&
                role != SimpleRole::Style)
                return false;  // anything else ends the head (or is moved) in HTML
            if (!PlaceElement(*start)) return false;
        }
    }

    // A start tag read in the head or the body: void elements are complete, title and
    // style take their text, others become the current element.
    bool PlaceElement(const StartTag& start) {
        if (IsSimpleVoid(start.tag)) {
            Append(start.element);
            return true;
        }
        if (start.selfClosing) return false;  // "<div/>" opens a div in HTML
        Open(start.element);
        if (start.tag == GUMBO_TAG_TITLE || start.tag == GUMBO_TAG_STYLE)
            return ReadTextElementContent(start.tag);
        if (start.tag == GUMBO_TAG_PRE) return DropLineFeedAfterPre();
        return true;
    }

    // HTML drops one line feed right after <pre>; a reference there could be a line feed
    // too, which is not worth telling apart.
    bool DropLineFeedAfterPre() {
        if (At("\r\n"))
            pos_ += 2;
        else if (At("\n") || At("\r"))
            ++pos_;
        return !At("&");
    }

    // The body's content up to its end tag, which is read with the current node still the
    // body.
    bool ReadBodyContent() {
        for (;;) {
            const std::size_t end = NextMarkup();
            if (end == page_.size()) return false;
            if (end > pos_) {
                if (HoldsOnlyTableParts(CurrentTag())) {
                    if (!ReadWhitespaceText(true)) return false;
                } else if (!AppendText(end, References::Resolve)) {
                    return false;
                }
            }
            if (At("<!--")) {
                if (!ReadComment(Current())) return false;
            } else if (At("</")) {
                if (CurrentTag() == GUMBO_TAG_BODY) {
                    // "</body>" is read by ReadAfterBody; any other end tag here is stray.
                    return StartsWithCaseBlind(Rest(), "</body");
                }
                if (!ReadEndTagOfCurrent()) return false;
            } else if (pos_ + 1 < page_.size() && IsAsciiLetter(page_[pos_ + 1])) {
                const std::optional<StartTag> start = ReadStartTag();
                if (!start) return false;
                const OpenContext context{CurrentTag(), open_.back().paragraphInButtonScope,
                                          anchorsOpen_ > 0};
                if (!MayStartInBody(start->tag, context)) return false;
                if (!PlaceElement(*start)) return false;
            } else {
                return false;  // "<!", "<?", "< " and the like
            }
        }
    }

    // "</body>", then whitespace and comments, an optional "</html>", whitespace and
    // comments. The body stays open in HTML: whitespace after its end tag (and after
    // </html>) is text at the end of the body. Comments go after the body into html,
    // after </html> into the document (not built).
    bool ReadAfterBody() {
        const std::string_view bodyEnd = ReadOuterEndTag("</body");
        if (bodyEnd.empty()) return false;
        GumboNode* html = open_.front().node;
        if (!ReadWhitespaceAndComments(true, html)) return false;
        std::string_view htmlEnd;
        if (StartsWithCaseBlind(Rest(), "</html")) {
            htmlEnd = ReadOuterEndTag("</html");
            if (htmlEnd.empty()) return false;
            if (!ReadWhitespaceAndComments(true, nullptr)) return false;
        }
        if (!AtEnd()) return false;
        CloseCurrent(bodyEnd);
        for (GumboNode* comment : afterBodyComments_) Append(comment);
        CloseCurrent(htmlEnd);
        return true;
    }

    // The end tag "</body" or "</html" (given lower-case) at pos_, with optional whitespace
    // before its '>': its source, or nothing when it is not there.
    std::string_view ReadOuterEndTag(std::string_view name) {
        const std::size_t start = pos_;
        if (!StartsWithCaseBlind(Rest(), name)) return {};
        pos_ += name.size();
        SkipWhitespace();
        if (AtEnd() || page_[pos_] != '>') return {};
        ++pos_;
        return page_.substr(start, pos_ - start);
    }

    std::string_view page_;
    std::size_t pos_ = 0;
    SimplePageNodes nodes_;
    PendingChildren pending_;
    std::vector<OpenElement> open_;
    std::vector<void*> attributes_;              // the attributes of the tag being read
    std::vector<GumboNode*> afterBodyComments_;  // comments between </body> and </html>
    int anchorsOpen_ = 0;
    GumboNode* unflushedText_ = nullptr;  // the text node later text still joins
};

}  // namespace

const GumboNode* BuildSimplePageTree(std::string_view page, ParserArena& arena) {
    return SimplePageBuilder(page, arena).Build();
}

}  // namespace quillery::epub

// The chapter normalisation (see tag_normaliser.h): one pass over the text, copying what lies
// outside tags and rewriting tags only.

#include "htmlimport/tag_normaliser.h"

#include <string_view>

#include "text/strings.h"

namespace quillery {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// True when text at `at` starts with `word`, letter case aside.
bool StartsWithCaseless(std::string_view text, std::size_t at, std::string_view word) {
    return text.size() - at >= word.size() &&
           LowerAscii(text.substr(at, word.size())) == LowerAscii(word);
}

class Normaliser {
public:
    explicit Normaliser(std::string_view in) : in_(in) { out_.reserve(in.size() + in.size() / 16); }

    std::string Run() {
        while (pos_ < in_.size()) {
            const std::size_t lt = in_.find('<', pos_);
            if (lt == std::string_view::npos) break;
            out_.append(in_, pos_, lt - pos_);
            pos_ = lt;
            if (!Special() && !Tag()) out_ += in_[pos_++];  // a "<" that starts no tag
        }
        out_.append(in_.substr(pos_));
        pos_ = in_.size();
        return std::move(out_);
    }

private:
    // Comments, CDATA, declarations and processing instructions: copied up to their end.
    bool Special() {
        const auto copyThrough = [this](std::string_view end) {
            const std::size_t stop = in_.find(end, pos_ + 2);
            const std::size_t next =
                stop == std::string_view::npos ? in_.size() : stop + end.size();
            out_.append(in_, pos_, next - pos_);
            pos_ = next;
            return true;
        };
        if (in_.compare(pos_, 4, "<!--") == 0) return copyThrough("-->");
        if (in_.compare(pos_, 9, "<![CDATA[") == 0) return copyThrough("]]>");
        if (in_.compare(pos_, 2, "<!") == 0) return copyThrough(">");
        if (in_.compare(pos_, 2, "<?") == 0) return copyThrough(">");
        return false;
    }

    // A start or end tag at pos_; false (nothing consumed) when "<" starts none.
    bool Tag() {
        std::size_t p = pos_ + 1;
        const bool end = p < in_.size() && in_[p] == '/';
        if (end) ++p;
        if (p >= in_.size() || !IsLetter(in_[p])) return false;
        const std::size_t nameStart = p;
        while (p < in_.size() && !IsSpace(in_[p]) && in_[p] != '>' && in_[p] != '/') ++p;
        const std::string lowerName = LowerAscii(in_.substr(nameStart, p - nameStart));
        // Inline SVG and MathML name things in mixed case; their names keep it.
        if (!end && (lowerName == "svg" || lowerName == "math")) ++foreignDepth_;
        const bool foreignRoot = lowerName == "svg" || lowerName == "math";
        const bool keepCase = foreignDepth_ > 0;  // the attributes of svg itself too (viewBox)
        if (end && foreignRoot && foreignDepth_ > 0) --foreignDepth_;
        out_ += end ? "</" : "<";
        out_.append(keepCase && !foreignRoot ? std::string(in_.substr(nameStart, p - nameStart))
                                             : lowerName);
        pos_ = p;
        Attributes(keepCase);
        if (!end && (lowerName == "script" || lowerName == "style")) RawText(lowerName);
        return true;
    }

    // The attributes up to the tag's ">" (or the end of the text), then the ">".
    void Attributes(bool keepCase) {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '>') {
                out_ += '>';
                ++pos_;
                return;
            }
            if (IsSpace(c) || c == '/') {
                out_ += c;
                ++pos_;
                continue;
            }
            if (c == '"' || c == '\'') {  // a stray quote: copied with what it quotes
                CopyQuoted();
                continue;
            }
            std::size_t p = pos_;
            while (p < in_.size() && !IsSpace(in_[p]) && in_[p] != '=' && in_[p] != '>' &&
                   !(in_[p] == '/' && p + 1 < in_.size() && in_[p + 1] == '>'))
                ++p;
            if (p == pos_) {  // an "=" without a name: kept as it stands
                out_ += in_[pos_++];
                continue;
            }
            const std::string_view name = in_.substr(pos_, p - pos_);
            out_.append(keepCase ? std::string(name) : LowerAscii(name));
            pos_ = p;
            Value();
        }
    }

    // An attribute's "=value", if any, with the value in quotes.
    void Value() {
        std::size_t p = pos_;
        while (p < in_.size() && IsSpace(in_[p])) ++p;
        if (p >= in_.size() || in_[p] != '=') return;  // a name alone
        out_.append(in_, pos_, p - pos_ + 1);          // blanks and "=" as written
        pos_ = p + 1;
        while (pos_ < in_.size() && IsSpace(in_[pos_])) out_ += in_[pos_++];
        if (pos_ >= in_.size()) return;
        if (in_[pos_] == '"' || in_[pos_] == '\'') {
            CopyQuoted();
            return;
        }
        // Unquoted: up to a blank or ">"; a "/" right before ">" closes the tag, not the value.
        std::size_t stop = pos_;
        while (stop < in_.size() && !IsSpace(in_[stop]) && in_[stop] != '>' &&
               !(in_[stop] == '/' && stop + 1 < in_.size() && in_[stop + 1] == '>'))
            ++stop;
        const std::string_view value = in_.substr(pos_, stop - pos_);
        out_ += '"';
        for (const char c : value) {
            if (c == '"')
                out_ += "&quot;";
            else
                out_ += c;
        }
        out_ += '"';
        pos_ = stop;
    }

    void CopyQuoted() {
        const char quote = in_[pos_];
        const std::size_t close = in_.find(quote, pos_ + 1);
        const std::size_t next = close == std::string_view::npos ? in_.size() : close + 1;
        out_.append(in_, pos_, next - pos_);
        pos_ = next;
    }

    // The contents of a script or style element, copied up to its end tag.
    void RawText(const std::string& name) {
        std::size_t p = pos_;
        while ((p = in_.find("</", p)) != std::string_view::npos) {
            if (StartsWithCaseless(in_, p + 2, name)) break;
            p += 2;
        }
        const std::size_t stop = p == std::string_view::npos ? in_.size() : p;
        out_.append(in_, pos_, stop - pos_);
        pos_ = stop;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::string out_;
    int foreignDepth_ = 0;
};

}  // namespace

void NormaliseChapterMarkup(std::string& html) { html = Normaliser(html).Run(); }

}  // namespace quillery

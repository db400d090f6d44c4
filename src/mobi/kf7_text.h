#pragma once
// The book's text as the KF7 renderer reads it, being written: markup and text in the
// book's encoding (UTF-8, or Windows-1252 with numeric references), named positions
// (anchors) and links that become filepos byte offsets once every position is known. The
// bytes written so far may be handed on (ReleaseInto) while the writing goes on.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillery::mobi {

struct UnresolvedLink {
    std::string target;  // the anchor key that was never defined
    std::string origin;  // where the link was written (a chapter path)
};

class Kf7Text {
public:
    explicit Kf7Text(bool western) : western_(western) {}

    // Markup given in ASCII, written as it is.
    void Markup(std::string_view markup) {
        FlushPendingAnchors();
        bytes_.append(markup);
    }
    // Text content (UTF-8): "&", "<" and ">" escaped, encoded for the book.
    void Text(std::string_view utf8);
    // An attribute value (UTF-8) with its quotes: `"value"`.
    void QuotedAttribute(std::string_view utf8);
    // "<mbp:pagebreak/>", unless nothing visible was written since the last one (or `always`).
    void PageBreak(bool always = false);
    // Marks that visible content was written (a picture, for instance).
    void MarkContent() { contentSinceBreak_ = true; }

    // Room for this many bytes, so that a large book's text is not copied as it grows.
    void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }

    // Positions count from the start of the whole text, released bytes included.
    std::uint32_t Position() const { return static_cast<std::uint32_t>(released_ + bytes_.size()); }
    // Names the current position; the first definition of a key wins.
    void Anchor(const std::string& key);
    // Names the position of the next markup or visible character (white space is skipped).
    void AnchorAtNextContent(const std::string& key) { pendingAnchors_.push_back(key); }
    bool HasAnchor(const std::string& key) const { return anchors_.count(key) != 0; }
    std::uint32_t AnchorPosition(const std::string& key) const { return anchors_.at(key); }
    // Writes "filepos=0000000000" to be filled in by ResolveLinks with the target's position.
    void Link(const std::string& targetKey, const std::string& origin,
              const std::string& fallbackKey = {});

    // Appends a part of the text written on its own (a chapter, in a fresh Kf7Text of the same
    // encoding): its bytes, its anchors (an anchor already defined here keeps its position)
    // and its links, moved to where the part now starts. Anchors still waiting for content in
    // the part go on waiting here. Nothing may be waiting here when a part is appended.
    void Append(Kf7Text&& part);
    // Writes `replacement` over as many bytes at `at` (a number not known when it was written)
    // of a text that released nothing.
    void Overwrite(std::size_t at, std::string_view replacement) {
        bytes_.replace(at, replacement.size(), replacement);
    }

    // Fills in every link of a text that released nothing; links whose target and fallback
    // are unknown point at 0 and are returned.
    std::vector<UnresolvedLink> ResolveLinks();

    // The bytes not released, from position Position() - bytes().size() on.
    const std::string& bytes() const { return bytes_; }
    bool western() const { return western_; }

    // Every filepos written and not released, with its position in the text.
    struct WrittenLink {
        std::uint32_t digitsAt;
        std::string target;
        std::string fallback;
        std::string origin;
    };
    const std::vector<WrittenLink>& links() const { return links_; }

    // Hands on the bytes written since the last release, appended to `destination`: every
    // link in them whose target is already known is filled in; the others wait for theirs
    // (`waiting`, in text order). `defined` names the anchors defined since the last release,
    // for links released earlier. The text keeps its buffer for what is written next.
    struct Released {
        std::uint32_t start = 0;  // the position of the first byte handed on
        std::vector<WrittenLink> waiting;
        std::vector<std::string> defined;
    };
    Released ReleaseInto(std::string& destination);

private:
    void AppendEncoded(std::string_view utf8, bool inAttribute);
    void FlushPendingAnchors();
    std::vector<std::string> pendingAnchors_;
    bool western_;
    bool contentSinceBreak_ = false;
    std::string bytes_;
    std::size_t released_ = 0;  // bytes handed on before bytes_[0]
    std::unordered_map<std::string, std::uint32_t> anchors_;
    std::vector<std::string> definedSinceRelease_;
    std::vector<WrittenLink> links_;
};

// "0000012345"
std::string FormatFilepos(std::uint32_t position);

}  // namespace quillery::mobi

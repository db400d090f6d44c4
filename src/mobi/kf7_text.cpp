// The book's text as the KF7 renderer reads it, being written (see kf7_text.h).

#include "mobi/kf7_text.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "mobi/text_encoding.h"

namespace quillery::mobi {
namespace {

// The bytes written as they are: ASCII but for the escaped "&", "<", ">", '"' and the
// dropped NUL.
constexpr auto kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 1; c < 0x80; ++c) plain[c] = c != '&' && c != '<' && c != '>' && c != '"';
    return plain;
}();

bool IsPlain(unsigned char byte) { return kPlainBytes[byte]; }

}  // namespace

std::string FormatFilepos(std::uint32_t position) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010u", static_cast<unsigned>(position));
    return digits;
}

void Kf7Text::AppendEncoded(std::string_view utf8, bool inAttribute) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // A run of plain characters goes in at once.
        std::size_t run = pos;
        while (run < utf8.size() && IsPlain(static_cast<unsigned char>(utf8[run]))) ++run;
        if (run > pos) {
            if (!inAttribute && !contentSinceBreak_ &&
                utf8.find_first_not_of(" \t\r\n\f", pos) < run)
                contentSinceBreak_ = true;
            bytes_.append(utf8.substr(pos, run - pos));
            pos = run;
            if (pos == utf8.size()) break;
        }
        const unsigned char byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            switch (byte) {
                case '&':
                    bytes_ += "&amp;";
                    break;
                case '<':
                    bytes_ += "&lt;";
                    break;
                case '>':
                    bytes_ += "&gt;";
                    break;
                case '"':
                    if (inAttribute)
                        bytes_ += "&quot;";
                    else
                        bytes_ += '"';
                    break;
                case '\0':
                    break;
                default:
                    bytes_ += static_cast<char>(byte);
                    if (!inAttribute && byte > ' ') contentSinceBreak_ = true;
            }
            ++pos;
            continue;
        }
        const char32_t cp = NextCodePoint(utf8, pos);
        if (!inAttribute) contentSinceBreak_ = true;
        if (western_) {
            const int b = Cp1252Byte(cp);
            if (b >= 0)
                bytes_ += static_cast<char>(b);
            else
                bytes_ += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
        } else {
            AppendUtf8(bytes_, cp);
        }
    }
}

void Kf7Text::Text(std::string_view utf8) {
    if (!pendingAnchors_.empty()) {
        const auto visible = utf8.find_first_not_of(" \t\r\n\f");
        if (visible == std::string_view::npos) {
            AppendEncoded(utf8, false);
            return;
        }
        AppendEncoded(utf8.substr(0, visible), false);
        FlushPendingAnchors();
        utf8.remove_prefix(visible);
    }
    AppendEncoded(utf8, false);
}

void Kf7Text::FlushPendingAnchors() {
    for (const auto& key : pendingAnchors_) Anchor(key);
    pendingAnchors_.clear();
}

void Kf7Text::QuotedAttribute(std::string_view utf8) {
    bytes_ += '"';
    AppendEncoded(utf8, true);
    bytes_ += '"';
}

void Kf7Text::PageBreak(bool always) {
    if (!contentSinceBreak_ && !always) return;
    FlushPendingAnchors();
    bytes_ += "<mbp:pagebreak/>";
    contentSinceBreak_ = false;
}

void Kf7Text::Anchor(const std::string& key) {
    if (anchors_.emplace(key, Position()).second) definedSinceRelease_.push_back(key);
}

void Kf7Text::Link(const std::string& targetKey, const std::string& origin,
                   const std::string& fallbackKey) {
    bytes_ += "filepos=";
    links_.push_back({Position(), targetKey, fallbackKey, origin});
    bytes_ += "0000000000";
}

void Kf7Text::Append(Kf7Text&& part) {
    if (!pendingAnchors_.empty())
        throw std::logic_error("a part of the text is appended while anchors wait for content");
    const std::uint32_t base = Position();
    bytes_.append(part.bytes_);
    for (auto& [key, position] : part.anchors_) {
        if (anchors_.emplace(key, base + position).second) definedSinceRelease_.push_back(key);
    }
    links_.reserve(links_.size() + part.links_.size());
    for (auto& link : part.links_) {
        link.digitsAt += base;
        links_.push_back(std::move(link));
    }
    pendingAnchors_ = std::move(part.pendingAnchors_);
    contentSinceBreak_ = part.contentSinceBreak_;
    part = Kf7Text(part.western_);
}

std::vector<UnresolvedLink> Kf7Text::ResolveLinks() {
    FlushPendingAnchors();
    std::vector<UnresolvedLink> unresolved;
    for (const auto& link : links_) {
        std::uint32_t position = 0;
        auto found = anchors_.find(link.target);
        if (found == anchors_.end()) {
            unresolved.push_back({link.target, link.origin});
            if (!link.fallback.empty()) found = anchors_.find(link.fallback);
        }
        if (found != anchors_.end()) position = found->second;
        const std::string digits = FormatFilepos(position);
        bytes_.replace(link.digitsAt - released_, digits.size(), digits);
    }
    return unresolved;
}

Kf7Text::Released Kf7Text::ReleaseInto(std::string& destination) {
    Released released;
    released.start = Position() - static_cast<std::uint32_t>(bytes_.size());
    for (auto& link : links_) {
        const auto found = anchors_.find(link.target);
        if (found == anchors_.end()) {
            released.waiting.push_back(std::move(link));
            continue;
        }
        const std::string digits = FormatFilepos(found->second);
        bytes_.replace(link.digitsAt - released_, digits.size(), digits);
    }
    links_.clear();
    released.defined = std::move(definedSinceRelease_);
    definedSinceRelease_.clear();
    released_ += bytes_.size();
    destination += bytes_;
    bytes_.clear();
    return released;
}

}  // namespace quillery::mobi

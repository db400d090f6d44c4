// Heading anchors (see heading_anchors.h).

#include "wordimport/heading_anchors.h"

#include "htmlimport/chapter_titles.h"
#include "text/regex.h"
#include "text/strings.h"

namespace quillery {
namespace {

constexpr std::string_view kHeadingPattern = R"(<h([123456])[^>]*>(.+?)</h\1>)";
constexpr std::size_t kMaxTextBytes = 32;
constexpr std::size_t kLastSpaceAfter = 16;

std::string RemoveAll(std::string_view text, std::string_view what) {
    return ReplaceAll(text, what, "");
}

}  // namespace

void ResetAnchorRun(HeadingAnchorRun& run) { run.anchored = 0; }

std::string HeadingAnchorText(const std::string& headingContent) {
    std::string text = StripTags(headingContent);
    text = RemoveAll(text, "\xC2\xA0");
    if (text.size() > kMaxTextBytes) {
        text.resize(kMaxTextBytes);
        const std::size_t lastSpace = text.rfind(' ');
        // Positions count from 1: a space at 0-based index i lies at byte i + 1.
        if (lastSpace != std::string::npos && lastSpace + 1 > kLastSpaceAfter)
            text.resize(lastSpace);
    }
    text = RemoveAll(text, "\r");
    text = ReplaceAll(text, "\n", " ");
    text = RemoveAll(text, "\t");
    text = ReplaceAll(text, "&nbsp;", " ");
    return Trim(text);
}

void AddHeadingAnchors(std::string& page, HeadingAnchorRun& run) {
    // A private engine with the shared options: the caller may be looping on the shared one.
    TLxRegEx rx;
    rx.SetPattern(kHeadingPattern);
    rx.SetSubject(page);

    // The output buffer starts at the page's length and grows in steps of 1024 bytes.
    std::string out(page.size(), '\0');
    int outPos = 1;
    int copiedUpTo = 0;    // bytes of page already copied (1-based end)
    int lastAnchored = 0;  // 1-based start of the last anchored heading
    int pageAnchors = 0;
    for (bool found = rx.MatchFirst(); found; found = rx.MatchNext()) {
        if (HeadingAnchorText(rx.Submatch(2)).empty()) continue;
        if (run.anchored >= kMaxAnchorsPerRun) break;
        ++pageAnchors;
        ++run.anchored;
        const int start = rx.MatchStart();
        AppendRange(out, outPos, page, copiedUpTo + 1, start - 1);
        const std::string anchor = std::string("<a id=\"a") + std::to_string(pageAnchors) + "\"/>";
        AppendRange(out, outPos, anchor, 1, static_cast<int>(anchor.size()));
        copiedUpTo = start - 1;
        lastAnchored = start;
    }
    if (pageAnchors == 0) return;
    AppendRange(out, outPos, page, lastAnchored, static_cast<int>(page.size()));
    out.resize(static_cast<std::size_t>(outPos - 1));
    page = std::move(out);
}

}  // namespace quillery

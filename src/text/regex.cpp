// TLxRegEx (see regex.h).

#include "text/regex.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

#include "text/pattern_cache.h"
#include "text/replace_template.h"

namespace quillery {
namespace {

constexpr const char* kEmptyPatternMessage =
    "TLxRegEx.Compile() - Please specify a regular expression in RegEx first";
constexpr const char* kNoMatchMessage = "REQUIRE: There must be a successful match first";

// Room for the JIT's backtracking on long chapter files; reserved lazily by PCRE2.
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 16 * 1024 * 1024;

// PCRE2's default match limit (ten million steps) is too small for a pattern such as
// "<head>.*</head>" on a chapter of many megabytes: one greedy scan back over the text
// already takes that many. The budget of one search grows with the subject instead, so that
// only a truly runaway pattern is stopped (and reported).
constexpr std::uint64_t kMinMatchLimit = 10'000'000;
constexpr std::uint64_t kMatchStepsPerByte = 100;

std::uint32_t MatchLimitFor(std::size_t subjectSize) {
    const std::uint64_t wanted =
        std::max<std::uint64_t>(kMinMatchLimit, subjectSize * kMatchStepsPerByte);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, UINT32_MAX));
}

std::uint32_t Pcre2CompileOptions(TLxRegExOptions options) {
    // Matching is byte-wise: UTF and Unicode properties stay off whatever the pattern says.
    std::uint32_t flags = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;
    if (options & preCaseLess) flags |= PCRE2_CASELESS;
    if (options & preMultiLine) flags |= PCRE2_MULTILINE;
    if (options & preSingleLine) flags |= PCRE2_DOTALL;
    if (options & preExtended) flags |= PCRE2_EXTENDED;
    if (options & preAnchored) flags |= PCRE2_ANCHORED;
    if (options & preDollarEndOnly) flags |= PCRE2_DOLLAR_ENDONLY;
    // preExtra (unknown escapes are errors) is always the case with PCRE2.
    if (options & preUnGreedy) flags |= PCRE2_UNGREEDY;
    return flags;
}

}  // namespace

struct TLxRegEx::Impl final : detail::MatchGroups {
    TLxRegExOptions options;
    std::string pattern;
    std::shared_ptr<const detail::CompiledPattern> compiled;

    pcre2_match_data* matchData = nullptr;
    // The pattern matchData was sized for; holding it keeps its address from being reused.
    std::shared_ptr<const detail::CompiledPattern> matchDataPattern;
    pcre2_match_context* matchContext = nullptr;
    pcre2_jit_stack* jitStack = nullptr;

    std::string ownSubject;     // the subject given to SetSubject (or kept after Replace)
    std::string_view subject;   // what is matched: ownSubject, or a caller's text during Replace
    std::size_t nextStart = 0;  // 0-based offset where MatchNext searches from
    bool hasMatch = false;
    int submatchCount = 0;

    explicit Impl(TLxRegExOptions o) : options(o) {}
    ~Impl() override {
        pcre2_match_data_free(matchData);
        pcre2_match_context_free(matchContext);
        pcre2_jit_stack_free(jitStack);
    }

    int SubmatchCount() const override { return submatchCount; }
    std::string_view Group(int number) const override {
        if (number < 0 || number > submatchCount) return {};
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(matchData);
        const PCRE2_SIZE start = ov[2 * number];
        const PCRE2_SIZE end = ov[2 * number + 1];
        if (start == PCRE2_UNSET || end < start) return {};
        return subject.substr(start, end - start);
    }

    void Compile() {
        if (compiled) return;
        if (pattern.empty()) throw RegexError(kEmptyPatternMessage);
        compiled = detail::CompilePattern(pattern, Pcre2CompileOptions(options));
    }

    void PrepareMatchData() {
        if (matchDataPattern == compiled) return;
        pcre2_match_data_free(matchData);
        matchData = pcre2_match_data_create_from_pattern(compiled->code(), nullptr);
        if (matchData == nullptr) throw std::bad_alloc();
        matchDataPattern = compiled;
        if (matchContext == nullptr) {
            matchContext = pcre2_match_context_create(nullptr);
            jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
            if (matchContext == nullptr) throw std::bad_alloc();
            if (jitStack != nullptr) pcre2_jit_stack_assign(matchContext, nullptr, jitStack);
        }
    }

    void DropCompiled() {
        compiled.reset();
        hasMatch = false;
    }

    void SetSubjectView(std::string_view text) {
        subject = text;
        nextStart = 0;
        hasMatch = false;
    }

    // Keeps the text of the last subject as the engine's own, leaving no match current.
    void KeepSubject(std::string_view text) {
        if (text.data() != ownSubject.data() || text.size() != ownSubject.size()) {
            ownSubject.assign(text);
        }
        subject = ownSubject;
        hasMatch = false;
    }
    void KeepSubject(std::string&& text) {
        ownSubject = std::move(text);
        subject = ownSubject;
        hasMatch = false;
    }

    bool Search(std::size_t offset) {
        Compile();
        PrepareMatchData();
        hasMatch = false;
        if (offset > subject.size()) return false;
        pcre2_set_match_limit(matchContext, MatchLimitFor(subject.size()));
        const auto text = reinterpret_cast<PCRE2_SPTR>(subject.data());
        const int rc = compiled->jit()
                           ? pcre2_jit_match(compiled->code(), text, subject.size(), offset,
                                             PCRE2_NOTEMPTY, matchData, matchContext)
                           : pcre2_match(compiled->code(), text, subject.size(), offset,
                                         PCRE2_NOTEMPTY, matchData, matchContext);
        if (rc == PCRE2_ERROR_NOMATCH) return false;
        if (rc < 0) ThrowMatchFailure(rc);
        // rc is 0 only when the vector is too small, which a vector sized from the pattern
        // never is; all groups then count as taking part.
        const int groups = rc > 0 ? rc : static_cast<int>(pcre2_get_ovector_count(matchData));
        submatchCount = groups - 1;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(matchData);
        nextStart = ov[1] > ov[0] ? ov[1] : ov[0] + 1;
        hasMatch = true;
        return true;
    }

    [[noreturn]] void ThrowMatchFailure(int rc) const {
        PCRE2_UCHAR text[256];
        pcre2_get_error_message(rc, text, sizeof text);
        throw std::runtime_error("Pattern matching failed (" +
                                 std::string(reinterpret_cast<const char*>(text)) +
                                 "): " + pattern);
    }

    void RequireMatch() const {
        if (!hasMatch) throw std::logic_error(kNoMatchMessage);
    }

    const PCRE2_SIZE* Vector() const {
        RequireMatch();
        return pcre2_get_ovector_pointer(matchData);
    }

    // Every match in text replaced, appended to out. False (out untouched) without a match.
    // On return the engine matches text no more; the caller keeps the subject as it likes.
    bool ReplaceInto(std::string_view text, std::string_view replacement, std::string& out) {
        SetSubjectView(text);
        try {
            return ReplaceCurrent(text, replacement, out);
        } catch (...) {
            SetSubjectView(ownSubject);  // never keep a view of the caller's text
            throw;
        }
    }

    std::vector<std::string> MatchAllOf(std::string_view text) {
        std::vector<std::string> texts;
        SetSubjectView(text);
        try {
            for (bool found = Search(0); found; found = Search(nextStart)) {
                texts.emplace_back(Group(0));
            }
        } catch (...) {
            SetSubjectView(ownSubject);
            throw;
        }
        return texts;
    }

    bool ReplaceCurrent(std::string_view text, std::string_view replacement, std::string& out) {
        if (!Search(0)) return false;
        const bool templateMode = detail::ReplacementTemplate::IsTemplate(replacement);
        std::optional<detail::ReplacementTemplate> expansion;
        if (templateMode) expansion.emplace(replacement, *compiled);
        // Room for the text and some growth, so that a template that lengthens each match
        // rarely makes the buffer move.
        out.reserve(out.size() + text.size() + (templateMode ? text.size() / 8 : 0) + 1000);
        std::size_t copiedUpTo = 0;
        do {
            const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(matchData);
            // Matches come left to right and never overlap; the guard only keeps a "\K"
            // oddity from ever reading outside the text.
            if (ov[0] > copiedUpTo) out.append(text.data() + copiedUpTo, ov[0] - copiedUpTo);
            if (templateMode) {
                expansion->AppendExpansion(*this, out);
            } else {
                out.append(replacement);
            }
            if (ov[1] > copiedUpTo) copiedUpTo = ov[1];
        } while (Search(nextStart));
        out.append(text.data() + copiedUpTo, text.size() - copiedUpTo);
        return true;
    }
};

TLxRegEx::TLxRegEx(TLxRegExOptions options) : impl_(std::make_unique<Impl>(options)) {}
TLxRegEx::~TLxRegEx() = default;

const std::string& TLxRegEx::Pattern() const { return impl_->pattern; }

void TLxRegEx::SetPattern(std::string_view pattern) {
    if (pattern == impl_->pattern) return;
    impl_->pattern.assign(pattern);
    impl_->DropCompiled();
}

TLxRegExOptions TLxRegEx::Options() const { return impl_->options; }

void TLxRegEx::SetOptions(TLxRegExOptions options) {
    if (options == impl_->options) return;
    impl_->options = options;
    impl_->DropCompiled();
}

void TLxRegEx::SetSubject(std::string_view text) {
    impl_->KeepSubject(text);
    impl_->nextStart = 0;
}

bool TLxRegEx::MatchFirst() { return impl_->Search(0); }
bool TLxRegEx::MatchNext() { return impl_->Search(impl_->nextStart); }

std::string TLxRegEx::MatchedText() const {
    impl_->RequireMatch();
    return std::string(impl_->Group(0));
}

std::string TLxRegEx::Submatch(int index) const {
    impl_->RequireMatch();
    return std::string(impl_->Group(index));
}

int TLxRegEx::SubmatchCount() const {
    impl_->RequireMatch();
    return impl_->submatchCount;
}

int TLxRegEx::MatchStart() const { return static_cast<int>(impl_->Vector()[0]) + 1; }
int TLxRegEx::MatchEnd() const { return static_cast<int>(impl_->Vector()[1]) + 1; }
int TLxRegEx::MatchLength() const {
    const PCRE2_SIZE* ov = impl_->Vector();
    return static_cast<int>(ov[1] - ov[0]);
}

int TLxRegEx::SubmatchIndexOf(std::string_view name) {
    impl_->Compile();
    return impl_->compiled->GroupNumber(name);
}

std::string TLxRegEx::Replace(std::string_view subject, std::string_view replacement) {
    std::string out;
    const bool replaced = impl_->ReplaceInto(subject, replacement, out);
    impl_->KeepSubject(subject);
    if (!replaced) return std::string(subject);
    return out;
}

std::vector<std::string> TLxRegEx::MatchAll(std::string_view subject) {
    std::vector<std::string> texts = impl_->MatchAllOf(subject);
    impl_->KeepSubject(subject);
    return texts;
}

TLxRegEx& SharedRegex() {
    static TLxRegEx shared(preCaseLess | preSingleLine);
    return shared;
}

void RegexReplace(std::string& s, std::string_view pattern, std::string_view replacement) {
    TLxRegEx& engine = SharedRegex();
    engine.SetPattern(pattern);
    std::string out;
    if (engine.impl_->ReplaceInto(s, replacement, out)) {
        // The engine keeps the old text as its subject without copying it.
        engine.impl_->KeepSubject(std::move(s));
        s = std::move(out);
    } else {
        engine.impl_->KeepSubject(std::string_view(s));
    }
}

std::string RegexReplaceStr(std::string_view subject, std::string_view pattern,
                            std::string_view replacement) {
    TLxRegEx& engine = SharedRegex();
    engine.SetPattern(pattern);
    return engine.Replace(subject, replacement);
}

void RegexDelete(std::string& s, std::string_view pattern) { RegexReplace(s, pattern, {}); }

}  // namespace quillery

// Compiled patterns, shared by every TLxRegEx instance (see pattern_cache.h).

#include "text/pattern_cache.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "text/regex.h"

namespace quillery::detail {
namespace {

// The program uses a few hundred fixed patterns at most; the cap only guards against a
// caller that builds patterns from data. When it is reached the cache starts afresh (the
// instances keep the patterns they hold).
constexpr std::size_t kMaxCachedPatterns = 512;

class PatternCache {
public:
    std::shared_ptr<const CompiledPattern> Get(std::string_view pattern, std::uint32_t flags) {
        std::string key;
        key.reserve(pattern.size() + 5);
        key.append(pattern);
        key.push_back('\0');
        key.append(reinterpret_cast<const char*>(&flags), sizeof flags);

        const std::lock_guard<std::mutex> lock(mutex_);
        if (auto found = entries_.find(key); found != entries_.end()) return found->second;
        auto compiled = Compile(pattern, flags);
        if (entries_.size() >= kMaxCachedPatterns) entries_.clear();
        entries_.emplace(std::move(key), compiled);
        return compiled;
    }

private:
    static std::shared_ptr<const CompiledPattern> Compile(std::string_view pattern,
                                                          std::uint32_t flags) {
        int errorCode = 0;
        PCRE2_SIZE errorOffset = 0;
        pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()),
                                         pattern.size(), flags, &errorCode, &errorOffset, nullptr);
        if (code == nullptr) throw RegexError(std::string(pattern));
        // JIT is an optimisation only: where it is unavailable the interpreter runs.
        const bool jit = pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
        return std::make_shared<const CompiledPattern>(code, jit);
    }

    std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const CompiledPattern>> entries_;
};

PatternCache& Cache() {
    static PatternCache cache;
    return cache;
}

}  // namespace

int CompiledPattern::GroupNumber(std::string_view name) const {
    const std::string zeroTerminated(name);
    const int number = pcre2_substring_number_from_name(
        code_, reinterpret_cast<PCRE2_SPTR>(zeroTerminated.c_str()));
    return number > 0 ? number : 0;
}

std::shared_ptr<const CompiledPattern> CompilePattern(std::string_view pattern,
                                                      std::uint32_t compileFlags) {
    return Cache().Get(pattern, compileFlags);
}

}  // namespace quillery::detail

#pragma once
// Compiled patterns, shared by every TLxRegEx instance: each distinct pattern and option set
// is compiled (and JIT-compiled where the platform supports it) once per run.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace quillery::detail {

class CompiledPattern {
public:
    CompiledPattern(pcre2_code* code, bool jitCompiled) : code_(code), jit_(jitCompiled) {}
    ~CompiledPattern() { pcre2_code_free(code_); }
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    const pcre2_code* code() const { return code_; }
    // True when the pattern runs as JIT code (pcre2_jit_match may be called directly).
    bool jit() const { return jit_; }
    // The number of a named group, or 0 when no group has that name.
    int GroupNumber(std::string_view name) const;

private:
    pcre2_code* code_;
    bool jit_;
};

// The compiled form of pattern under the PCRE2 compile flags, from the cache or freshly
// compiled. Throws RegexError (what() = the pattern) when the pattern does not compile.
std::shared_ptr<const CompiledPattern> CompilePattern(std::string_view pattern,
                                                      std::uint32_t compileFlags);

}  // namespace quillery::detail

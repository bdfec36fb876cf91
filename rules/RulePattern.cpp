// Compilation through PCRE2 with a process-wide cache, and bounded matching.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "RulePattern.h"

#include <pcre2.h>

#include <unordered_map>

namespace {

// Limits far above what a rule needs on a source line, low enough to stop runaway backtracking.
constexpr uint32_t kMatchLimit = 1000000;
constexpr uint32_t kDepthLimit = 100000;
constexpr uint32_t kHeapLimitKiB = 64 * 1024;

struct MatchResources {
    pcre2_match_context* context = nullptr;
    pcre2_match_data* data = nullptr;

    MatchResources()
    {
        context = pcre2_match_context_create(nullptr);
        pcre2_set_match_limit(context, kMatchLimit);
        pcre2_set_depth_limit(context, kDepthLimit);
        pcre2_set_heap_limit(context, kHeapLimitKiB);
        // Only whether there is a match counts, so one pair of offsets is enough.
        data = pcre2_match_data_create(1, nullptr);
    }
    ~MatchResources()
    {
        pcre2_match_data_free(data);
        pcre2_match_context_free(context);
    }
};

MatchResources& matchResources()
{
    static MatchResources resources;
    return resources;
}

std::unordered_map<std::string, std::shared_ptr<const RulePattern>>& patternCache()
{
    static std::unordered_map<std::string, std::shared_ptr<const RulePattern>> cache;
    return cache;
}

} // namespace

RulePattern::RulePattern(pcre2_real_code_8* code) : code_(code) {}

RulePattern::~RulePattern()
{
    pcre2_code_free(code_);
}

std::shared_ptr<const RulePattern> RulePattern::compile(const std::string& pattern)
{
    auto& cache = patternCache();
    const auto found = cache.find(pattern);
    if (found != cache.end())
        return found->second;

    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    // The pattern is taken as a C string: like the POSIX-style compile, it ends at a NUL byte.
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), PCRE2_ZERO_TERMINATED,
                                     0, &errorCode, &errorOffset, nullptr);
    std::shared_ptr<const RulePattern> compiled;
    if (code) {
        pcre2_jit_compile(code, PCRE2_JIT_COMPLETE); // falls back to the interpreter when unavailable
        compiled.reset(new RulePattern(code));
    }
    cache.emplace(pattern, compiled);
    return compiled;
}

bool RulePattern::matches(const std::string& subject) const
{
    MatchResources& resources = matchResources();
    const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(subject.c_str()), PCRE2_ZERO_TERMINATED, 0,
                               0, resources.data, resources.context);
    // 0 means the offsets did not fit the one pair, which is still a match; errors (limits) are not.
    return rc >= 0;
}

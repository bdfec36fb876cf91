// Compilation through PCRE2 with a process-wide cache, and bounded matching.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "RulePattern.h"

#include <pcre2.h>

#include "U_Prefault.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
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

// Where the compiled forms that offer() decodes live: blocks that are asked for before a selection
// of rules is decoded, each given its pages in one call, and carved from the front. A one-file run
// decodes hundreds of forms (and a copy of the matcher's character tables for every message number),
// each of them a separate allocation and most a first touch of a fresh heap page. A form's memory is
// not reused once it is freed: the cache keeps every form it takes for the whole process, and each
// group of a digest is decoded at most once while it holds. What the matcher asks for later through
// a decoded form (the JIT compiler's working memory, which it frees at once) comes from the heap.
class DecodeArena {
public:
    void reserve(std::size_t bytes)
    {
        if (bytes > left_)
            addBlock(bytes);
    }

    // While decoding: allocations come from the blocks.
    void setDecoding(bool decoding) { decoding_ = decoding; }

    static void* allocateFor(PCRE2_SIZE size, void* data)
    {
        auto* arena = static_cast<DecodeArena*>(data);
        return arena->decoding_ ? arena->allocate(size) : std::malloc(size);
    }
    static void freeFor(void* piece, void* data)
    {
        if (piece && !static_cast<DecodeArena*>(data)->owns(piece))
            std::free(piece);
    }

private:
    static constexpr std::size_t kAlign = alignof(std::max_align_t);
    static constexpr std::size_t kSmallestBlock = 16 * 1024;

    struct FreeBlock {
        void operator()(char* memory) const { std::free(memory); }
    };
    struct Block {
        std::unique_ptr<char, FreeBlock> memory; // from malloc, so aligned for any piece
        std::size_t size;
    };

    void* allocate(std::size_t size)
    {
        size = (size + kAlign - 1) & ~(kAlign - 1);
        if (size > left_ && !addBlock(std::max(size, kSmallestBlock)))
            return nullptr; // the matcher reports that it has no memory, and the pattern is compiled instead
        void* piece = next_;
        next_ += size;
        left_ -= size;
        return piece;
    }

    bool owns(const void* piece) const
    {
        const auto* at = static_cast<const char*>(piece);
        return std::any_of(blocks_.begin(), blocks_.end(), [at](const Block& block) {
            return at >= block.memory.get() && at < block.memory.get() + block.size;
        });
    }

    bool addBlock(std::size_t size)
    {
        size = (size + kAlign - 1) & ~(kAlign - 1);
        auto* memory = static_cast<char*>(std::malloc(size));
        if (!memory)
            return false;
        blocks_.push_back({std::unique_ptr<char, FreeBlock>(memory), size});
        next_ = memory;
        left_ = size;
        prefaultForWriting(next_, size);
        return true;
    }

    std::vector<Block> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
    bool decoding_ = false;
};

// Never destroyed, like the cache whose forms live in it.
DecodeArena& decodeArena()
{
    static auto* arena = new DecodeArena();
    return *arena;
}

pcre2_general_context* decodeContext()
{
    static pcre2_general_context* context =
        pcre2_general_context_create(&DecodeArena::allocateFor, &DecodeArena::freeFor, &decodeArena());
    return context;
}

// Never destroyed: freeing every compiled pattern at exit costs a one-file run more than its
// matching, and the process's end frees the memory anyway.
std::unordered_map<std::string, std::shared_ptr<const RulePattern>>& patternCache()
{
    static auto* cache = new std::unordered_map<std::string, std::shared_ptr<const RulePattern>>();
    return *cache;
}

// Compiled forms offered for texts by RulePattern::offer, taken by compile(). The rules of a group
// are parsed in the order their forms were serialised, so the next text is almost always the one
// asked for; a text already compiled leaves its offered form behind, and the search goes on past it.
struct Offers {
    std::vector<std::string_view> texts; // the caller's, kept until the offers are withdrawn
    std::vector<pcre2_code*> codes;      // null once taken
    std::size_t next = 0;                // the first that may still be taken

    pcre2_code* take(const std::string& text)
    {
        for (std::size_t at = next; at < codes.size(); ++at) {
            if (codes[at] && texts[at] == text) {
                pcre2_code* code = codes[at];
                codes[at] = nullptr;
                next = at + 1;
                return code;
            }
        }
        return nullptr;
    }
};

Offers& offered()
{
    static Offers offers;
    return offers;
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

    if (pcre2_code* code = offered().take(pattern)) {
        auto* fresh = new RulePattern(code);
        fresh->findRequiredUnits(pattern);
        std::shared_ptr<const RulePattern> compiled(fresh);
        cache.emplace(pattern, compiled);
        return compiled;
    }

    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    // The pattern is taken as a C string: like the POSIX-style compile, it ends at a NUL byte.
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), PCRE2_ZERO_TERMINATED,
                                     0, &errorCode, &errorOffset, nullptr);
    std::shared_ptr<const RulePattern> compiled;
    if (code) {
        auto* fresh = new RulePattern(code);
        fresh->findRequiredUnits(pattern);
        compiled.reset(fresh);
    }
    cache.emplace(pattern, compiled);
    return compiled;
}

std::string RulePattern::compileError(const std::string& pattern)
{
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), PCRE2_ZERO_TERMINATED, 0,
                                     &errorCode, &errorOffset, nullptr);
    if (code) {
        pcre2_code_free(code);
        return std::string();
    }
    PCRE2_UCHAR message[256];
    if (pcre2_get_error_message(errorCode, message, sizeof message) < 0)
        return "error " + std::to_string(errorCode) + " at offset " + std::to_string(errorOffset);
    return reinterpret_cast<const char*>(message) + std::string(" at offset ") + std::to_string(errorOffset);
}

std::string RulePattern::serialize(const std::vector<std::shared_ptr<const RulePattern>>& patterns)
{
    std::vector<const pcre2_code*> codes;
    for (const auto& pattern : patterns)
        codes.push_back(pattern->code_);
    uint8_t* bytes = nullptr;
    PCRE2_SIZE size = 0;
    if (codes.empty() ||
        pcre2_serialize_encode(codes.data(), static_cast<int32_t>(codes.size()), &bytes, &size, nullptr) < 0)
        return std::string();
    std::string serialised(reinterpret_cast<const char*>(bytes), size);
    pcre2_serialize_free(bytes);
    return serialised;
}

bool RulePattern::offer(std::string_view serialised, const std::vector<std::string_view>& texts)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(serialised.data());
    const auto& cache = patternCache();
    if (std::all_of(texts.begin(), texts.end(), [&cache](std::string_view text) { return cache.count(std::string(text)) != 0; }))
        return true; // all compiled already
    if (texts.empty() || serialised.size() < 16 ||
        pcre2_serialize_get_number_of_codes(bytes) != static_cast<int32_t>(texts.size()))
        return false;
    std::vector<pcre2_code*> codes(texts.size(), nullptr);
    decodeArena().setDecoding(true);
    const int32_t decoded = pcre2_serialize_decode(codes.data(), static_cast<int32_t>(codes.size()), bytes, decodeContext());
    decodeArena().setDecoding(false);
    if (decoded != static_cast<int32_t>(codes.size()))
        return false;
    withdrawOffers();
    Offers& offers = offered();
    offers.texts = texts;
    offers.codes = std::move(codes);
    return true;
}

void RulePattern::expectOffers(std::size_t bytes, std::size_t texts)
{
    // A decoded form takes about the room of its serialised form; the margin covers the rounding of
    // each piece to the alignment.
    decodeArena().reserve(bytes + bytes / 8);
    // Growing the cache step by step would rehash it at each step.
    patternCache().reserve(patternCache().size() + texts);
}

void RulePattern::withdrawOffers()
{
    Offers& offers = offered();
    for (pcre2_code* code : offers.codes)
        pcre2_code_free(code); // a taken one is null, which the matcher ignores
    offers.texts.clear();
    offers.codes.clear();
    offers.next = 0;
}

void RulePattern::forgetCompiled()
{
    withdrawOffers();
    patternCache().clear();
}

void RulePattern::findRequiredUnits(const std::string& pattern)
{
    // PCRE2 does not say whether a reported unit is caseless (it may fold a class such as [Zz] into
    // one), so both cases of an ASCII letter are looked for. Inline options and start-of-pattern
    // settings (UTF, UCP) could widen caseless matching beyond ASCII: such patterns get no pre-check.
    const std::string_view text(pattern.c_str());
    if (text.find("(?") != std::string_view::npos || text.find("(*") != std::string_view::npos)
        return;
    std::uint32_t type = 0;
    std::uint32_t unit = 0;
    if (pcre2_pattern_info(code_, PCRE2_INFO_FIRSTCODETYPE, &type) == 0 && type == 1 &&
        pcre2_pattern_info(code_, PCRE2_INFO_FIRSTCODEUNIT, &unit) == 0)
        firstUnit_ = static_cast<int>(unit);
    if (pcre2_pattern_info(code_, PCRE2_INFO_LASTCODETYPE, &type) == 0 && type == 1 &&
        pcre2_pattern_info(code_, PCRE2_INFO_LASTCODEUNIT, &unit) == 0)
        requiredUnit_ = static_cast<int>(unit);
}

namespace {

// Whether the code unit, or the other case of an ASCII letter, occurs in the first length bytes.
bool containsEitherCase(const std::string& subject, std::size_t length, int unit)
{
    if (std::memchr(subject.data(), unit, length) != nullptr)
        return true;
    const bool letter = (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z');
    return letter && std::memchr(subject.data(), unit ^ 0x20, length) != nullptr;
}

} // namespace

bool RulePattern::matches(const std::string& subject) const
{
    // The subject ends at its first NUL byte.
    const std::size_t length = std::strlen(subject.c_str());
    // A code unit that every match contains and that the subject lacks settles the answer without
    // a call into the matcher; most lines tested against a rule do not match it.
    if (firstUnit_ >= 0 && !containsEitherCase(subject, length, firstUnit_))
        return false;
    if (requiredUnit_ >= 0 && !containsEitherCase(subject, length, requiredUnit_))
        return false;
    return run(subject, length);
}

bool RulePattern::run(const std::string& subject, std::size_t length) const
{
    // JIT-compiled once the pattern has been run often enough to pay for the compilation (which
    // costs as much as dozens of interpreted runs); a run of one process per file, or a rule that
    // few lines reach, never pays it. Falls back to the interpreter where JIT compilation is
    // unavailable.
    if (!jitTried_ && ++interpretedRuns_ > kInterpretedRunsBeforeJit) {
        jitTried_ = true;
        jitCompiled_ = pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0;
    }
    MatchResources& resources = matchResources();
    const auto text = reinterpret_cast<PCRE2_SPTR>(subject.c_str());
    // The JIT entry gives the same answers as the general one (which would call it) without the
    // general one's per-call checks.
    const int rc = jitCompiled_
        ? pcre2_jit_match(code_, text, length, 0, 0, resources.data, resources.context)
        : pcre2_match(code_, text, PCRE2_ZERO_TERMINATED, 0, 0, resources.data, resources.context);
    // 0 means the offsets did not fit the one pair, which is still a match; errors (limits) are not.
    return rc >= 0;
}

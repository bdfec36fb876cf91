// The layout of a rules file's digest, and its checks.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "RulesDigest.h"

#include "RulePattern.h"
#include "RulesMessages.h"

#include <pcre2.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// Raised whenever the layout or the meaning of a field changes.
constexpr std::uint32_t kLayoutVersion = 1;
constexpr char kMagic[8] = {'Z', 'R', 'U', 'L', 'E', 'D', 'G', '\x1A'};
constexpr std::uint32_t kByteOrder = 0x01020304;

// The reasons a reading reports, by their code in a digest (the position in the table plus one).
const char* const kReasons[] = {
    rulesmessages::kNoMessageNumber,     rulesmessages::kEmptyRegularExpression,
    rulesmessages::kEmptyPositionParameter, rulesmessages::kNoPositionParameter,
    rulesmessages::kEmptyRegexPattern,   rulesmessages::kCompilationError,
    rulesmessages::kUtf16File,
};
constexpr std::uint8_t kReasonCount = static_cast<std::uint8_t>(std::size(kReasons));

std::int32_t numberOf(const RulesDigestRule& rule)
{
    return rule.messageNumber;
}
std::int32_t numberOf(std::int32_t number)
{
    return number;
}

std::uint8_t reasonCode(const char* reason)
{
    for (std::uint8_t i = 0; i < kReasonCount; ++i)
        if (std::strcmp(kReasons[i], reason) == 0)
            return static_cast<std::uint8_t>(i + 1);
    return 0;
}

} // namespace

// A 64-bit checksum against damage (not against forgery, which the file's owner check is for): four
// independent lanes of multiply and xor-shift, so that it runs at memory speed.
std::uint64_t rulesDigestChecksum(const char* data, std::size_t size)
{
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ULL;
    std::uint64_t lanes[4] = {size, kPrime, ~size, kPrime ^ 0xFF51AFD7ED558CCDULL};
    std::size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, data + i + 8 * lane, 8);
            lanes[lane] = (lanes[lane] ^ word) * kPrime;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    std::uint64_t h = lanes[0] ^ (lanes[1] * 3) ^ (lanes[2] * 5) ^ (lanes[3] * 7);
    for (; i < size; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * kPrime;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 29);
}

namespace {

std::uint64_t checksum(const char* data, std::size_t size)
{
    return rulesDigestChecksum(data, size);
}

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    template <class T>
    void value(T v)
    {
        char raw[sizeof v];
        std::memcpy(raw, &v, sizeof v);
        out_.append(raw, sizeof v);
    }
    void text(const std::string& s)
    {
        value(static_cast<std::uint32_t>(s.size()));
        out_ += s;
    }

private:
    std::string& out_;
};

class Reader {
public:
    Reader(const char* data, std::size_t size) : data_(data), size_(size) {}
    template <class T>
    bool value(T& v)
    {
        if (size_ - pos_ < sizeof v)
            return false;
        std::memcpy(&v, data_ + pos_, sizeof v);
        pos_ += sizeof v;
        return true;
    }
    bool text(std::string& s)
    {
        std::uint32_t length = 0;
        if (!value(length) || size_ - pos_ < length)
            return false;
        s.assign(data_ + pos_, length);
        pos_ += length;
        return true;
    }
    // Whether the next bytes are exactly these (a length, then the text).
    bool sameText(const std::string& s)
    {
        std::uint32_t length = 0;
        if (!value(length) || length != s.size() || size_ - pos_ < length ||
            std::memcmp(data_ + pos_, s.data(), length) != 0)
            return false;
        pos_ += length;
        return true;
    }
    std::size_t left() const { return size_ - pos_; }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

constexpr std::size_t kRuleBytes = 20;
constexpr std::size_t kGroupBytes = 28; // number, count, offset, size, checksum
constexpr std::size_t kHeaderBytes = kRulesDigestHeaderBytes; // magic, byte order, body size, checksum
static_assert(kHeaderBytes == sizeof kMagic + 4 + 8 + 8, "the header's layout");

} // namespace

// Layout: magic, byte order mark, size of the body, checksum of the body; the body: layout version,
// stamp, kind, path, the rules file's bytes, the unusable lines (line, reason code, text, pattern),
// the usable rules (number, position, line, offset; 16 bytes each).
std::string encodeRulesDigest(RulesKind kind, const std::string& path, const std::string& bytes,
                              const RulesDigest& digest, const std::string& stamp, const std::string& codes)
{
    std::string body;
    body.reserve(bytes.size() + path.size() + stamp.size() + 64 + digest.rules.size() * kRuleBytes);
    Writer out(body);
    out.value(kLayoutVersion);
    out.text(stamp);
    out.value(static_cast<std::uint8_t>(kind));
    out.text(path);
    out.text(bytes);
    out.value(static_cast<std::uint32_t>(digest.unusable.size()));
    for (const UnusableRuleLine& line : digest.unusable) {
        const std::uint8_t code = reasonCode(line.reason);
        if (code == 0)
            return std::string();
        out.value(line.line);
        out.value(code);
        out.text(line.text);
        out.text(line.pattern);
    }
    out.value(static_cast<std::uint32_t>(digest.rules.size()));
    for (const RulesDigestRule& rule : digest.rules) {
        out.value(rule.messageNumber);
        out.value(rule.position);
        out.value(rule.line);
        out.value(rule.offset);
        out.value(rule.patternOffset);
    }
    out.value(static_cast<std::uint64_t>(codes.size()));
    out.value(static_cast<std::uint32_t>(digest.groups.size()));
    for (const RulesDigestGroup& group : digest.groups) {
        out.value(group.messageNumber);
        out.value(group.count);
        out.value(group.offset);
        out.value(group.size);
        out.value(group.checksum);
    }
    std::string data(kMagic, sizeof kMagic);
    Writer head(data);
    head.value(kByteOrder);
    head.value(static_cast<std::uint64_t>(body.size()));
    head.value(checksum(body.data(), body.size()));
    return data + body + codes;
}

std::uint64_t rulesDigestBodySize(const std::string& header)
{
    if (header.size() < kHeaderBytes || header.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return 0;
    std::uint32_t order = 0;
    std::uint64_t size = 0;
    std::memcpy(&order, header.data() + sizeof kMagic, 4);
    std::memcpy(&size, header.data() + sizeof kMagic + 4, 8);
    return order == kByteOrder ? size : 0;
}

bool decodeRulesDigest(const std::string& data, RulesKind kind, const std::string& path, const std::string& bytes,
                       const std::string& stamp, RulesDigest& digest)
{
    if (data.size() < kHeaderBytes || data.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return false;
    Reader head(data.data() + sizeof kMagic, kHeaderBytes - sizeof kMagic);
    std::uint32_t order = 0;
    std::uint64_t bodySize = 0;
    std::uint64_t sum = 0;
    if (!head.value(order) || order != kByteOrder || !head.value(bodySize) || !head.value(sum) ||
        bodySize != data.size() - kHeaderBytes)
        return false;
    const char* body = data.data() + kHeaderBytes;
    if (checksum(body, static_cast<std::size_t>(bodySize)) != sum)
        return false;

    Reader in(body, static_cast<std::size_t>(bodySize));
    std::uint32_t version = 0;
    std::uint8_t storedKind = 0;
    if (!in.value(version) || version != kLayoutVersion || !in.sameText(stamp) || !in.value(storedKind) ||
        storedKind != static_cast<std::uint8_t>(kind) || !in.sameText(path) || !in.sameText(bytes))
        return false;

    // Lines counted the way a reading counts them bound every line number; the UTF-16 report has 0.
    const auto lineCount = static_cast<std::int64_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    std::uint32_t count = 0;
    if (!in.value(count) || count > in.left() / 13) // line, code and two lengths at the least
        return false;
    digest.unusable.assign(count, UnusableRuleLine());
    std::int32_t previous = -1;
    for (UnusableRuleLine& line : digest.unusable) {
        std::uint8_t code = 0;
        if (!in.value(line.line) || line.line <= previous || line.line > lineCount || !in.value(code) ||
            code == 0 || code > kReasonCount || !in.text(line.text) || !in.text(line.pattern))
            return false;
        line.reason = kReasons[code - 1];
        previous = line.line;
    }
    if (!in.value(count) || in.left() < static_cast<std::size_t>(count) * kRuleBytes)
        return false;
    digest.rules.assign(count, RulesDigestRule());
    for (std::size_t i = 0; i < count; ++i) {
        RulesDigestRule& rule = digest.rules[i];
        in.value(rule.messageNumber);
        in.value(rule.position);
        in.value(rule.line);
        in.value(rule.offset);
        in.value(rule.patternOffset);
        if (rule.line < 1 || rule.line > lineCount || rule.offset >= bytes.size() ||
            rule.patternOffset <= rule.offset || rule.patternOffset > bytes.size())
            return false;
        if (i > 0) {
            const RulesDigestRule& before = digest.rules[i - 1];
            if (rule.messageNumber < before.messageNumber ||
                (rule.messageNumber == before.messageNumber && rule.line <= before.line))
                return false;
        }
    }
    std::uint32_t groups = 0;
    if (!in.value(digest.codesSize) || !in.value(groups) || in.left() != static_cast<std::size_t>(groups) * kGroupBytes)
        return false;
    digest.groups.assign(groups, RulesDigestGroup());
    for (std::size_t i = 0; i < groups; ++i) {
        RulesDigestGroup& group = digest.groups[i];
        in.value(group.messageNumber);
        in.value(group.count);
        in.value(group.offset);
        in.value(group.size);
        in.value(group.checksum);
        const auto rules = std::equal_range(digest.rules.begin(), digest.rules.end(), group.messageNumber,
                                            [](const auto& a, const auto& b) { return numberOf(a) < numberOf(b); });
        if ((i > 0 && group.messageNumber <= digest.groups[i - 1].messageNumber) ||
            group.count != static_cast<std::size_t>(rules.second - rules.first) || group.count == 0 ||
            group.offset > digest.codesSize || group.size > digest.codesSize - group.offset)
            return false;
    }
    return true;
}

void addRulesDigestGroups(RulesDigest& digest, const std::vector<std::shared_ptr<const RulePattern>>& patterns,
                          std::string& codes)
{
    std::vector<std::string> serialisedGroups;
    std::size_t first = 0;
    while (first < digest.rules.size()) {
        const std::int32_t number = digest.rules[first].messageNumber;
        std::size_t end = first;
        while (end < digest.rules.size() && digest.rules[end].messageNumber == number)
            ++end;
        const std::vector<std::shared_ptr<const RulePattern>> group(patterns.begin() + static_cast<std::ptrdiff_t>(first),
                                                                    patterns.begin() + static_cast<std::ptrdiff_t>(end));
        std::string serialised = RulePattern::serialize(group);
        if (!serialised.empty() && serialised.size() < UINT32_MAX) {
            const std::uint64_t offset = digest.groups.empty() ? 0 : digest.groups.back().offset + digest.groups.back().size;
            digest.groups.push_back(RulesDigestGroup{number, static_cast<std::uint32_t>(end - first), offset,
                                                     static_cast<std::uint32_t>(serialised.size()),
                                                     checksum(serialised.data(), serialised.size())});
            serialisedGroups.push_back(std::move(serialised));
        }
        first = end;
    }
    codes.clear();
    codes.reserve(digest.groups.empty() ? 0 : digest.groups.back().offset + digest.groups.back().size);
    for (const std::string& serialised : serialisedGroups)
        codes += serialised;
    digest.codesSize = codes.size();
}

std::string rulesDigestStamp()
{
    char matcher[64] = {};
    if (pcre2_config(PCRE2_CONFIG_VERSION, matcher) < 0)
        matcher[0] = '\0';
    return std::string("suppresszembrel ") + ZEMB_KIT_VERSION + "; rules digest " + std::to_string(kLayoutVersion) +
           "; PCRE2 " + matcher;
}

// The layout of a rules file's digest, and its checks.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "RulesDigest.h"

#include "RulePattern.h"
#include "RulesMessages.h"

#include <pcre2.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace {

// Raised whenever the layout or the meaning of a field changes.
constexpr std::uint32_t kLayoutVersion = 2;
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
std::uint64_t rulesDigestChecksum(const char* data, std::size_t size, std::uint64_t seed)
{
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ULL;
    std::uint64_t lanes[4] = {size ^ seed, kPrime + seed, ~size ^ (seed * 3), (kPrime ^ 0xFF51AFD7ED558CCDULL) + seed};
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
    std::size_t position() const { return pos_; }
    void skip(std::size_t size) { pos_ += size; }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The checksum of a body, without the copy of the rules file's bytes from start to end: those are
// compared with the file itself.
std::uint64_t bodyChecksum(const char* body, std::size_t size, std::size_t start, std::size_t end)
{
    return checksum(body, start) * 0x9E3779B97F4A7C15ULL ^ checksum(body + end, size - end);
}

constexpr std::size_t kRuleBytes = 20;
static_assert(sizeof(RulesDigestRule) == kRuleBytes && std::is_trivially_copyable<RulesDigestRule>::value,
              "rules are read as they are stored");
constexpr std::size_t kGroupBytes = 28; // number, count, offset, size, checksum
constexpr std::size_t kHeaderBytes = kRulesDigestHeaderBytes; // magic, byte order, body size, checksum
static_assert(kHeaderBytes == sizeof kMagic + 4 + 8 + 8, "the header's layout");

} // namespace

// Layout: magic, byte order mark, size of the body, checksum of the body; the body: layout version,
// stamp, kind, path, the rules file's bytes and their content id, the unusable lines (line, reason
// code, text, pattern), the size of the groups' bytes and the groups (number, count, offset, size,
// checksum). Then the
// groups' bytes: for each group its rules (number, position, line, offset, pattern offset; 20 bytes
// each) and the serialised compiled patterns.
std::string encodeRulesDigest(RulesKind kind, const std::string& path, const std::string& bytes,
                              const RulesDigest& digest, const std::string& stamp, const std::string& groups)
{
    std::string body;
    body.reserve(bytes.size() + path.size() + stamp.size() + 64 + digest.groups.size() * kGroupBytes);
    Writer out(body);
    out.value(kLayoutVersion);
    out.text(stamp);
    out.value(static_cast<std::uint8_t>(kind));
    out.text(path);
    out.value(static_cast<std::uint32_t>(bytes.size()));
    const std::size_t bytesStart = body.size();
    body += bytes;
    const std::size_t bytesEnd = body.size();
    out.text(digest.contentId);
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
    out.value(static_cast<std::uint64_t>(groups.size()));
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
    head.value(bodyChecksum(body.data(), body.size(), bytesStart, bytesEnd));
    return data + body + groups;
}

std::uint64_t rulesDigestBodySize(std::string_view header)
{
    if (header.size() < kHeaderBytes || header.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return 0;
    std::uint32_t order = 0;
    std::uint64_t size = 0;
    std::memcpy(&order, header.data() + sizeof kMagic, 4);
    std::memcpy(&size, header.data() + sizeof kMagic + 4, 8);
    return order == kByteOrder ? size : 0;
}

bool decodeRulesDigest(std::string_view data, RulesKind kind, const std::string& path, const std::string& bytes,
                       const std::string& stamp, RulesDigest& digest)
{
    return decodeRulesDigest(data, kind, path, stamp, digest) && digest.bytes == bytes;
}

bool decodeRulesDigest(std::string_view data, RulesKind kind, const std::string& path, const std::string& stamp,
                       RulesDigest& digest)
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
    const auto size = static_cast<std::size_t>(bodySize);
    Reader in(body, size);
    std::uint32_t version = 0;
    std::uint8_t storedKind = 0;
    std::uint32_t bytesSize = 0;
    if (!in.value(version) || version != kLayoutVersion || !in.sameText(stamp) || !in.value(storedKind) ||
        storedKind != static_cast<std::uint8_t>(kind) || !in.sameText(path) || !in.value(bytesSize) ||
        in.left() < bytesSize)
        return false;
    const std::size_t bytesStart = in.position();
    if (bodyChecksum(body, size, bytesStart, bytesStart + bytesSize) != sum)
        return false;
    digest.bytes = std::string_view(body + bytesStart, bytesSize);
    in.skip(bytesSize);
    if (!in.text(digest.contentId))
        return false;

    std::uint32_t count = 0;
    if (!in.value(count) || count > in.left() / 13) // line, code and two lengths at the least
        return false;
    digest.unusable.assign(count, UnusableRuleLine());
    std::int32_t previous = -1; // the report of a file in UTF-16 has line 0
    for (UnusableRuleLine& line : digest.unusable) {
        std::uint8_t code = 0;
        if (!in.value(line.line) || line.line <= previous || !in.value(code) || code == 0 || code > kReasonCount ||
            !in.text(line.text) || !in.text(line.pattern))
            return false;
        line.reason = kReasons[code - 1];
        previous = line.line;
    }
    std::uint32_t groups = 0;
    if (!in.value(digest.groupsSize) || !in.value(groups) || in.left() != static_cast<std::size_t>(groups) * kGroupBytes)
        return false;
    const RulesDigestGroupTable table(body + in.position(), groups);
    for (std::size_t i = 0; i < groups; ++i) {
        const RulesDigestGroup group = table.at(i);
        if ((i > 0 && group.messageNumber <= table.numberAt(i - 1)) || group.count == 0 ||
            group.offset > digest.groupsSize || group.size > digest.groupsSize - group.offset ||
            group.size / kRuleBytes < group.count)
            return false;
    }
    digest.groups.clear();
    digest.groupTable = table;
    return true;
}

std::int32_t RulesDigestGroupTable::numberAt(std::size_t i) const
{
    std::int32_t number;
    std::memcpy(&number, records_ + i * kGroupBytes, sizeof number);
    return number;
}

RulesDigestGroup RulesDigestGroupTable::at(std::size_t i) const
{
    Reader in(records_ + i * kGroupBytes, kGroupBytes);
    RulesDigestGroup group;
    in.value(group.messageNumber);
    in.value(group.count);
    in.value(group.offset);
    in.value(group.size);
    in.value(group.checksum);
    return group;
}

bool RulesDigestGroupTable::find(std::int32_t number, RulesDigestGroup& group) const
{
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (numberAt(middle) < number)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == count_ || numberAt(low) != number)
        return false;
    group = at(low);
    return true;
}

std::vector<RulesDigestGroup> RulesDigestGroupTable::all() const
{
    std::vector<RulesDigestGroup> groups;
    groups.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i)
        groups.push_back(at(i));
    return groups;
}

bool decodeRulesDigestGroup(std::string_view data, const RulesDigestGroup& group, std::size_t bytesSize,
                            std::vector<RulesDigestRule>& rules, std::string_view& serialised)
{
    const std::size_t entries = static_cast<std::size_t>(group.count) * kRuleBytes;
    if (data.size() != group.size || data.size() < entries)
        return false;
    rules.resize(group.count);
    std::memcpy(rules.data(), data.data(), entries);
    const RulesDigestRule* before = nullptr;
    for (const RulesDigestRule& rule : rules) {
        if (rule.messageNumber != group.messageNumber || rule.line < 1 || (before && rule.line <= before->line) ||
            rule.offset >= bytesSize || rule.patternOffset <= rule.offset || rule.patternOffset > bytesSize)
            return false;
        before = &rule;
    }
    serialised = data.substr(entries);
    return true;
}

void addRulesDigestGroups(RulesDigest& digest, const std::vector<std::shared_ptr<const RulePattern>>& patterns,
                          std::string& groups)
{
    groups.clear();
    std::size_t first = 0;
    while (first < digest.rules.size()) {
        const std::int32_t number = digest.rules[first].messageNumber;
        std::size_t end = first;
        while (end < digest.rules.size() && digest.rules[end].messageNumber == number)
            ++end;
        const std::size_t start = groups.size();
        groups.append(reinterpret_cast<const char*>(&digest.rules[first]), (end - first) * kRuleBytes);
        groups += RulePattern::serialize(std::vector<std::shared_ptr<const RulePattern>>(
            patterns.begin() + static_cast<std::ptrdiff_t>(first), patterns.begin() + static_cast<std::ptrdiff_t>(end)));
        digest.groups.push_back(RulesDigestGroup{number, static_cast<std::uint32_t>(end - first), start,
                                                 static_cast<std::uint32_t>(groups.size() - start),
                                                 checksum(groups.data() + start, groups.size() - start)});
        first = end;
    }
    digest.groupsSize = groups.size();
}

std::string rulesDigestStamp()
{
    char matcher[64] = {};
    if (pcre2_config(PCRE2_CONFIG_VERSION, matcher) < 0)
        matcher[0] = '\0';
    return std::string("suppresszembrel ") + ZEMB_KIT_VERSION + "; rules digest " + std::to_string(kLayoutVersion) +
           "; PCRE2 " + matcher;
}

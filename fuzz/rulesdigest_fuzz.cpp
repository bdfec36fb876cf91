// Fuzz target: the reader of rules digests, on whole digest files (which the checksum mostly turns
// away) and on digests made from the input with valid checksums and arbitrary fields, one byte of
// which may then be changed. Whatever it accepts keeps the promises the rules reading relies on,
// and a digest it accepts unchanged encodes back to the same bytes.
#include "RulesDigest.h"
#include "RulesMessages.h"

#include "FuzzSupport.h"

#include <cstring>

namespace {

const char* const kStamp = "suppresszembrel fuzz; rules digest; PCRE2";
const char* const kPath = "/rules/suppressions.txt";

// Takes values off the front of the input; zeros when it runs out.
class Input {
public:
    explicit Input(std::string bytes) : bytes_(std::move(bytes)) {}
    template <class T>
    T take()
    {
        T value{};
        const std::size_t n = std::min(sizeof value, bytes_.size() - pos_);
        std::memcpy(&value, bytes_.data() + pos_, n);
        pos_ += n;
        return value;
    }
    std::string text(std::size_t most)
    {
        const std::size_t n = std::min<std::size_t>(take<std::uint8_t>() % (most + 1), bytes_.size() - pos_);
        std::string s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

const char* const kReasons[] = {rulesmessages::kNoMessageNumber, rulesmessages::kCompilationError,
                                rulesmessages::kEmptyRegexPattern, rulesmessages::kUtf16File};

void checkAccepted(const RulesDigest& digest, std::string_view groups, const std::string& bytes)
{
    for (const RulesDigestGroup& group : digest.groupTable.all()) {
        RulesDigestGroup found;
        if (!digest.groupTable.find(group.messageNumber, found) || found.offset != group.offset)
            __builtin_trap(); // every group is found by its number
        if (group.offset > groups.size() || group.size > groups.size() - group.offset)
            __builtin_trap(); // an accepted group lies within the groups' bytes
        std::vector<RulesDigestRule> rules;
        std::string_view serialised;
        if (!decodeRulesDigestGroup(groups.substr(group.offset, group.size), group, bytes.size(), rules, serialised))
            continue;
        for (const RulesDigestRule& rule : rules)
            if (rule.messageNumber != group.messageNumber || rule.offset >= bytes.size() ||
                rule.patternOffset <= rule.offset || rule.patternOffset > bytes.size())
                __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned selector = fuzzsupport::takeSelector(text);
    const RulesKind kind = selector & 1 ? RulesKind::Parameter : RulesKind::Message;
    RulesDigest decoded;

    if (selector & 2) { // the input is a whole digest file of the bytes "100 x\n"
        const std::string bytes = "100 x\n";
        const std::size_t head = std::min<std::size_t>(text.size(), kRulesDigestHeaderBytes + rulesDigestBodySize(text));
        if (decodeRulesDigest(std::string_view(text).substr(0, head), kind, kPath, bytes, kStamp, decoded))
            checkAccepted(decoded, std::string_view(text).substr(head), bytes);
        return 0;
    }

    Input in(text);
    const std::string bytes = in.text(200);
    RulesDigest digest;
    for (unsigned i = 0, n = in.take<std::uint8_t>() % 4; i < n; ++i)
        digest.unusable.push_back(UnusableRuleLine{in.take<std::int32_t>(), kReasons[in.take<std::uint8_t>() % 4],
                                                   in.text(20), in.text(20)});
    std::string groups;
    for (unsigned i = 0, n = in.take<std::uint8_t>() % 4; i < n; ++i) {
        RulesDigestGroup group;
        group.messageNumber = in.take<std::int32_t>();
        group.count = in.take<std::uint8_t>() % 4;
        const std::string entries = in.text(100);
        group.offset = groups.size();
        group.size = static_cast<std::uint32_t>(entries.size());
        group.checksum = rulesDigestChecksum(entries.data(), entries.size());
        groups += entries;
        digest.groups.push_back(group);
    }
    digest.groupsSize = groups.size();
    std::string file = encodeRulesDigest(kind, kPath, bytes, digest, kStamp, groups);
    const auto flip = in.take<std::uint16_t>();
    const bool changed = !file.empty() && (flip & 0x8000) != 0;
    if (changed)
        file[flip % file.size()] = static_cast<char>(file[flip % file.size()] ^ (1 + (flip >> 8) % 255));

    const std::size_t head = std::min<std::size_t>(file.size(), kRulesDigestHeaderBytes + rulesDigestBodySize(file));
    if (!decodeRulesDigest(std::string_view(file).substr(0, head), kind, kPath, bytes, kStamp, decoded))
        return 0;
    checkAccepted(decoded, std::string_view(file).substr(head), bytes);
    decoded.groups = decoded.groupTable.all();
    if (!changed && encodeRulesDigest(kind, kPath, bytes, decoded, kStamp, groups) != file)
        __builtin_trap(); // what was read is what was written
    return 0;
}

// What reading a rules file learnt, in a form that later processes can take instead of reading it.
#pragma once

#include "RuleSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class RulesKind : std::uint8_t { Message = 1, Parameter = 2 };

// A usable rule: its numbers and where its line starts in the file's bytes, so that a process that
// needs the rule parses that one line.
struct RulesDigestRule {
    std::int32_t messageNumber = 0;
    std::int32_t position = 0; // 0 for a message rule
    std::int32_t line = 0;     // 1-based
    std::uint32_t offset = 0;  // of the line's first byte
    std::uint32_t patternOffset = 0; // of the pattern's first byte (it runs to the end of the line)
};

// The rules of one message number, stored after the digest in its file: their entries, then the
// matcher's serialised compiled patterns of them (none when they could not be serialised), with
// a checksum over both.
struct RulesDigestGroup {
    std::int32_t messageNumber = 0;
    std::uint32_t count = 0;  // rules
    std::uint64_t offset = 0; // from the start of the groups
    std::uint32_t size = 0;   // entries and compiled patterns
    std::uint64_t checksum = 0;
};

// The groups of a decoded digest as they lie in its bytes, by number: a group is decoded when it is
// looked up, so that a process that needs a few numbers of many thousand decodes those few. A view
// of the bytes given to decodeRulesDigest, valid while they are.
class RulesDigestGroupTable {
public:
    RulesDigestGroupTable() = default;
    RulesDigestGroupTable(const char* records, std::size_t count) : records_(records), count_(count) {}

    std::size_t size() const { return count_; }
    std::int32_t numberAt(std::size_t i) const;
    RulesDigestGroup at(std::size_t i) const;
    // The group of the number; false when the number has none.
    bool find(std::int32_t number, RulesDigestGroup& group) const;
    // Every group, by number.
    std::vector<RulesDigestGroup> all() const;

private:
    const char* records_ = nullptr;
    std::size_t count_ = 0;
};

class RulePattern;

// A reading without its compiled patterns: the lines it reported, in file order, and a group for
// each message number that has usable rules, by number. Made for encoding, it lists the groups, and
// the usable rules by number, then line; decoded, it views the groups where they lie (groupTable)
// and leaves the rules in them.
struct RulesDigest {
    std::string_view bytes; // decoded: the digest's copy of the rules file's bytes, where it lies
    std::string contentId;  // of the rules file's bytes (RulesFileSource::contentId)
    std::vector<UnusableRuleLine> unusable;
    std::vector<RulesDigestGroup> groups;
    RulesDigestGroupTable groupTable;
    std::uint64_t groupsSize = 0;
    std::vector<RulesDigestRule> rules;
};

// Makes the groups of the digest's rules (given with their compiled patterns, in the digest's
// order) into the bytes that follow the digest.
void addRulesDigestGroups(RulesDigest& digest, const std::vector<std::shared_ptr<const RulePattern>>& patterns,
                          std::string& groups);

// The rules and the serialised compiled patterns of a group's bytes. False when the entries are not
// the group's count of rules of its number, in line order, within the rules file's bytes.
bool decodeRulesDigestGroup(std::string_view data, const RulesDigestGroup& group, std::size_t bytesSize,
                            std::vector<RulesDigestRule>& rules, std::string_view& serialised);

// The checksum that guards a digest and each group. Other seeds give checksums independent of it.
std::uint64_t rulesDigestChecksum(const char* data, std::size_t size, std::uint64_t seed = 0);

// A digest file starts with a header of this size that gives the size of the rest of the digest;
// the groups follow the digest.
constexpr std::size_t kRulesDigestHeaderBytes = 28;
// The size of the digest after the header, from the header; 0 when it is no digest's header.
std::uint64_t rulesDigestBodySize(std::string_view header);

// The digest of the bytes of the rules file at the path, read as the kind, as a file's content,
// followed by the groups' bytes. It holds the bytes themselves with their content id, the path, the kind and
// the build's stamp, with a checksum over the rest. Empty when the digest holds a reason this build
// does not know.
std::string encodeRulesDigest(RulesKind kind, const std::string& path, const std::string& bytes,
                              const RulesDigest& digest, const std::string& stamp,
                              const std::string& groups = std::string());

// Fills the digest's unusable lines and group table from the data (the header and the digest, without
// the groups' bytes). False, leaving the digest in an unspecified state, unless the data is a digest
// that encodeRulesDigest made with the same stamp of exactly these bytes, read from this path as
// this kind, and is whole and consistent: lines in order, every reason a known one, groups by number
// within the groups' bytes.
bool decodeRulesDigest(std::string_view data, RulesKind kind, const std::string& path, const std::string& bytes,
                       const std::string& stamp, RulesDigest& digest);
// The same for a digest of any bytes: the digest's copy of them is left in digest.bytes, for the
// caller to compare with the rules file.
bool decodeRulesDigest(std::string_view data, RulesKind kind, const std::string& path, const std::string& stamp,
                       RulesDigest& digest);

// What sets this build's digests apart from other builds': the kit's version, the digest layout's
// version and the matcher's version (which decides what compiles).
std::string rulesDigestStamp();

// What reading a rules file learnt, in a form that later processes can take instead of reading it.
#pragma once

#include "RuleSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class RulesKind : std::uint8_t { Message = 1, Parameter = 2 };

// A usable rule: its numbers and where its line starts in the file's bytes, so that a process that
// needs the rule parses and compiles that one line.
struct RulesDigestRule {
    std::int32_t messageNumber = 0;
    std::int32_t position = 0; // 0 for a message rule
    std::int32_t line = 0;     // 1-based
    std::uint32_t offset = 0;  // of the line's first byte
    std::uint32_t patternOffset = 0; // of the pattern's first byte (it runs to the end of the line)
};

// The compiled patterns of one number's rules, in the digest's order, as the matcher serialises
// them: where they stand after the digest in its file, and their checksum.
struct RulesDigestGroup {
    std::int32_t messageNumber = 0;
    std::uint32_t count = 0;
    std::uint64_t offset = 0; // from the start of the compiled patterns
    std::uint32_t size = 0;
    std::uint64_t checksum = 0;
};

class RulePattern;

// A reading without its compiled patterns: the lines it reported, in file order, and its usable
// rules ordered by message number, then line.
struct RulesDigest {
    std::vector<UnusableRuleLine> unusable;
    std::vector<RulesDigestRule> rules;
    std::vector<RulesDigestGroup> groups; // by number; a number without one compiles its patterns
    std::uint64_t codesSize = 0;          // of all the compiled patterns
};

// Serialises the compiled patterns of the digest's rules (given in the digest's order), one group
// per message number, into codes; a number whose patterns cannot be serialised gets no group.
void addRulesDigestGroups(RulesDigest& digest, const std::vector<std::shared_ptr<const RulePattern>>& patterns,
                          std::string& codes);

// The checksum that guards a digest and each group of compiled patterns.
std::uint64_t rulesDigestChecksum(const char* data, std::size_t size);

// A digest file starts with a header of this size that gives the size of the rest of the digest;
// the compiled patterns follow the digest.
constexpr std::size_t kRulesDigestHeaderBytes = 28;
// The size of the digest after the header, from the header; 0 when it is no digest's header.
std::uint64_t rulesDigestBodySize(const std::string& header);

// The digest of the bytes of the rules file at the path, read as the kind, as a file's content,
// followed by the compiled patterns (codes). It holds the bytes themselves, the path, the kind and
// the build's stamp, with a checksum over the rest. Empty when the digest holds a reason this build
// does not know.
std::string encodeRulesDigest(RulesKind kind, const std::string& path, const std::string& bytes,
                              const RulesDigest& digest, const std::string& stamp,
                              const std::string& codes = std::string());

// Fills the digest from the data (the header and the digest, without the compiled patterns). False, leaving the digest in an unspecified state, unless the data
// is a digest that encodeRulesDigest made with the same stamp of exactly these bytes, read from
// this path as this kind, and is whole and consistent: offsets within the bytes, lines within the
// file and in order, every reason a known one.
bool decodeRulesDigest(const std::string& data, RulesKind kind, const std::string& path, const std::string& bytes,
                       const std::string& stamp, RulesDigest& digest);

// What sets this build's digests apart from other builds': the kit's version, the digest layout's
// version and the matcher's version (which decides what compiles).
std::string rulesDigestStamp();

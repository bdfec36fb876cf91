// What reading a rules file learnt, in a form that later processes can take instead of reading it.
#pragma once

#include "RuleSet.h"

#include <cstdint>
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
};

// A reading without its compiled patterns: the lines it reported, in file order, and its usable
// rules ordered by message number, then line.
struct RulesDigest {
    std::vector<UnusableRuleLine> unusable;
    std::vector<RulesDigestRule> rules;
};

// The digest of the bytes of the rules file at the path, read as the kind, as a file's content. It
// holds the bytes themselves, the path, the kind and the build's stamp, with a checksum over the
// rest. Empty when the digest holds a reason this build does not know.
std::string encodeRulesDigest(RulesKind kind, const std::string& path, const std::string& bytes,
                              const RulesDigest& digest, const std::string& stamp);

// Fills the digest from the data. False, leaving the digest in an unspecified state, unless the data
// is a digest that encodeRulesDigest made with the same stamp of exactly these bytes, read from
// this path as this kind, and is whole and consistent: offsets within the bytes, lines within the
// file and in order, every reason a known one.
bool decodeRulesDigest(const std::string& data, RulesKind kind, const std::string& path, const std::string& bytes,
                       const std::string& stamp, RulesDigest& digest);

// What sets this build's digests apart from other builds': the kit's version, the digest layout's
// version and the matcher's version (which decides what compiles).
std::string rulesDigestStamp();
